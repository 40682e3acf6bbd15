#include "cli/CliSupport.h"

#include "model/Cp932Codec.h"
#include "model/SafeFile.h"

#include <cstdio>

namespace kardel::cli {
namespace {
std::vector<RegisteredCommand>& Registry() {
    static std::vector<RegisteredCommand> commands;
    return commands;
}
} // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFunction run) {
    Registry().push_back({name, usage, run});
}

const std::vector<RegisteredCommand>& Commands() {
    return Registry();
}

int Usage() {
    std::fprintf(stderr, "usage:\n");
    for (const RegisteredCommand& command : Commands())
        std::fprintf(stderr, "  kardel-cli %s %s\n", command.name, command.usage);
    return 2;
}

void PrintError(const std::string& cp932) {
    std::fprintf(stderr, "%s\n", Cp932Codec::ToUtf8(cp932).text.c_str());
}

bool OpenOrReport(HeadlessSession& session, const std::string& path) {
    FileResult opened = session.doc().OnOpenDocument(path);
    if (!opened.ok)
        PrintError(opened.message);
    return opened.ok;
}

bool SaveOrReport(HeadlessSession& session, const std::string& path) {
    FileResult saved = WriteFileSafely(path, [&session](IOutput& out) { return session.doc().StoreTo(out); });
    if (!saved.ok)
        PrintError(saved.message);
    return saved.ok;
}

} // namespace kardel::cli
