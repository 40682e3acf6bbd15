#pragma once
#include "model/Archive.h"
#include "model/FileResult.h"

#include <functional>
#include <string>

namespace kardel {

// Reads a whole file into memory.
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// Writes a file so that it is never half-written: the bytes go to a temporary
// file beside the target, which is flushed, synced and renamed over the target
// only when everything was written. On any failure the target is untouched and
// the temporary file is removed.
class AtomicFileWriter : public IOutput {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter() override; // removes the temporary file unless committed

    FileResult Open();
    bool Write(const char* data, size_t size) override;
    FileResult Commit();

private:
    bool Flush();

    std::string m_path;
    std::string m_tempPath;
    int m_fd = -1;
    int m_error = 0;
    bool m_committed = false;
    std::string m_buffer;
};

// Convenience: open, let `produce` write, commit. `produce` returns false when it
// failed on its own; its output is then discarded like a failed write.
FileResult WriteFileSafely(const std::string& path, const std::function<bool(IOutput&)>& produce);

} // namespace kardel
