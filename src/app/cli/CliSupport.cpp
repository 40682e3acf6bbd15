#include "app/cli/CliSupport.h"

#include "core/base/Cp932Codec.h"
#include "core/base/SafeFile.h"
#include "core/base/Texts.h"
#include "core/shell/TextExportFile.h"

#include <cstdio>
#include <unistd.h>

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
    FileResult result = session.doc().ReadFromFile(path);
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

namespace {

// Standard output as messages name it: the file it writes into when it is one.
std::string StandardOutputName() {
    char target[4096];
    ssize_t n = ::readlink("/proc/self/fd/1", target, sizeof target - 1);
    if (n > 0 && target[0] == '/')
        return std::string(target, static_cast<size_t>(n));
    return Cp932Codec::ToUtf8(Sjis("標準出力")).text;
}

bool ToStandardOutput(const Producer& produce, OutputText text) {
    std::fflush(stdout);
    FileOutput out(StandardOutputName());
    out.OpenDescriptor(STDOUT_FILENO);
    bool produced;
    if (text == OutputText::Cp932) {
        Utf8Output utf8(out);
        produced = produce(utf8) && utf8.Finish();
    } else {
        produced = produce(out);
    }
    FileResult result = out.Commit();
    if (!result.ok)
        PrintError(result.message);
    return produced && result.ok;
}

} // namespace

bool PrintOrReport(const Producer& produce) {
    return ToStandardOutput(produce, OutputText::Utf8);
}

bool WriteOutput(const CKardelDoc& source, const std::string& path, const Producer& produce, OutputText text) {
    if (path.empty())
        return ToStandardOutput(produce, text);
    FileResult written = text_export::WriteExportFile(source, path, produce);
    if (!written.ok)
        PrintError(written.message);
    return written.ok;
}

} // namespace kardel::cli
