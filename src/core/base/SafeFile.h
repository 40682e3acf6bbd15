#pragma once
#include "core/base/Archive.h"
#include "core/base/FileOutput.h"
#include "core/base/FileResult.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kardel {

// Reads a whole regular file into memory. Anything else (a folder, FIFO, device)
// is refused before a byte is read, and so is a file larger than maxBytes; the
// read stops at the size the file had when it was opened, however it grows.
FileResult ReadWholeFile(const std::string& path, std::string& bytes, std::uint64_t maxBytes = UINT64_MAX);

// Opens a regular file for reading, refusing anything else as ReadWholeFile does; the
// descriptor is the caller's to close. On failure returns -1 and sets `result`.
int OpenRegularFile(const std::string& path, FileResult& result);

// Opens path with FileOutput, lets `produce` write its bytes as it makes them and
// commits: all or nothing. `produce` returns false when it failed; the message is
// then the cause of the failed write, if a write failed.
FileResult WriteFileSafely(const std::string& path, const std::function<bool(IOutput&)>& produce);

} // namespace kardel
