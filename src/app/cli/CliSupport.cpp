#include "cli/CliSupport.h"

#include "model/Cp932Codec.h"
#include "model/SafeFile.h"

#include <cstdio>

namespace kardel::cli {

void PrintError(const std::string& cp932) {
    std::fprintf(stderr, "%s\n", Cp932Codec::ToUtf8(cp932).text.c_str());
}

bool OpenOrReport(HeadlessSession& session, const std::string& path) {
    FileResult opened = session.doc().OnOpenDocument(path);
    if (!opened.ok)
        PrintError(opened.message);
    return opened.ok;
}

bool ReadOrReport(HeadlessSession& session, const std::string& path) {
    std::string bytes;
    FileResult result = ReadWholeFile(path, bytes);
    if (result.ok)
        result = session.doc().LoadFromBytes(bytes);
    if (!result.ok)
        PrintError(result.message);
    return result.ok;
}

bool SaveOrReport(HeadlessSession& session, const std::string& path) {
    FileResult saved = WriteFileSafely(path, [&session](IOutput& out) { return session.doc().StoreTo(out); });
    if (!saved.ok)
        PrintError(saved.message);
    return saved.ok;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

bool ParseIndex(const std::string& text, int& out) {
    if (text.empty() || text.size() > 9)
        return false;
    out = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

bool WriteOutput(const std::string& cp932, const std::string& path) {
    if (path.empty()) {
        std::string utf8 = Cp932Codec::ToUtf8(cp932).text;
        return std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size() && std::fflush(stdout) == 0;
    }
    FileResult written =
        WriteFileSafely(path, [&cp932](IOutput& out) { return out.Write(cp932.data(), cp932.size()); });
    if (!written.ok)
        PrintError(written.message);
    return written.ok;
}

} // namespace kardel::cli
