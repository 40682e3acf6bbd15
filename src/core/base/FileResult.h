#pragma once
#include <string>

namespace kardel {

// Outcome of reading or writing a file. The message is cp932, ready to show,
// with the file name already filled in.
struct FileResult {
    bool ok = true;
    std::string message;

    static FileResult Success() { return {}; }
    static FileResult Failure(std::string message) { return {false, std::move(message)}; }
};

// The usual Japanese wording of Windows programs for an errno while opening, reading or writing `path`
// (a UTF-8 file system path; the message is cp932).
std::string FileErrorMessage(int error, const std::string& path, bool writing);

} // namespace kardel
