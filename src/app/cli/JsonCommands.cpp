// dump and build: the document as JSON and back.
#include "app/cli/CliSupport.h"
#include "app/cli/JsonDocument.h"

#include "core/base/SafeFile.h"

#include <cstdio>
#include <iostream>
#include <iterator>

namespace kardel::cli {
namespace {

int RunDump(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    if (!ReadOrReport(session, args[0]))
        return 1;
    // Texts that cannot make the trip through UTF-8 unchanged are shown with
    // replacements and named here, so that nobody takes the JSON for a faithful copy.
    auto warn = [](const std::string& path) {
        std::fprintf(stderr,
                     "kardel-cli: %s: not plain cp932 text; shown with replacements, and building from this JSON "
                     "will not give back its bytes\n",
                     path.c_str());
    };
    return PrintOrReport([&](IOutput& out) { return WriteDocumentJson(session, out, warn); }) ? 0 : 1;
}

int RunBuild(const std::vector<std::string>& args) {
    if (args.size() != 2 || IsOption(args[0]) || IsOption(args[1]))
        return Usage();
    std::string text;
    if (args[0] == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else if (FileResult read = ReadWholeFile(args[0], text); !read.ok) {
        PrintError(read.message);
        return 1;
    }
    nlohmann::json input;
    try {
        input = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        std::fprintf(stderr, "kardel-cli: %s: not valid JSON: %s\n", args[0].c_str(), e.what());
        return 1;
    }
    BuildResult built = BuildDocumentBytes(input);
    if (!built.ok) {
        std::fprintf(stderr, "kardel-cli: %s: %s\n", args[0].c_str(), built.error.c_str());
        return 1;
    }
    FileResult written =
        WriteFileSafely(args[1], [&built](IOutput& out) { return out.Write(built.bytes.data(), built.bytes.size()); });
    if (!written.ok) {
        PrintError(written.message);
        return 1;
    }
    return 0;
}

const CommandRegistration kDump("dump",
                                {"FILE.kdl", "Prints the document as JSON: every memo, the tree records saving would "
                                             "write, the search condition, the options and the window's values. "
                                             "Texts that cannot make the trip through UTF-8 unchanged are named on "
                                             "standard error."},
                                RunDump);
const CommandRegistration kBuild("build",
                                 {"IN.json OUT.kdl", "Writes a version 5 document from JSON of the shape dump prints "
                                                     "(IN.json may be - for standard input). Malformed JSON, missing "
                                                     "or ill-typed keys, characters cp932 cannot hold and anything "
                                                     "the file reader would refuse are refused, writing nothing."},
                                 RunBuild);

} // namespace
} // namespace kardel::cli
