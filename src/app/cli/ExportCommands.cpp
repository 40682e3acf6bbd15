// export and export-memo: the two text exports of one memo.
#include "cli/CliSupport.h"

#include "model/OutputSink.h"
#include "shell/CTextExporter.h"

namespace kardel::cli {
namespace {

struct ExportArgs {
    std::string file, out;
    int memo = -1;
    bool titleOnly = false, viewOnly = false;
};

bool ParseExportArgs(const std::vector<std::string>& args, ExportArgs& a, bool withOptions) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--memo" && hasValue) {
            if (!ParseIndex(args[++i], a.memo))
                return false;
        } else if (arg == "-o" && hasValue) {
            a.out = args[++i];
        } else if (withOptions && arg == "--title-only") {
            a.titleOnly = true;
        } else if (withOptions && arg == "--view-only") {
            a.viewOnly = true;
        } else if (a.file.empty() && !arg.empty() && arg[0] != '-') {
            a.file = arg;
        } else {
            return false;
        }
    }
    return !a.file.empty();
}

// The memo to export: --memo N, or the current memo the file stores.
CMemoItem* ChosenMemo(HeadlessSession& session, const ExportArgs& a) {
    return session.doc().Memo(a.memo >= 0 ? a.memo : session.doc().m_nCurMemo);
}

int RunExport(const std::vector<std::string>& args) {
    ExportArgs a;
    if (!ParseExportArgs(args, a, true))
        return Usage();
    HeadlessSession session;
    if (!OpenOrReport(session, a.file))
        return 1;
    CMemoItem* memo = ChosenMemo(session, a);
    if (!memo || !memo->m_hTreeItem)
        return Usage();
    CTextExporter exporter(session.doc(), &session.memoView(), &session.treeView());
    exporter.m_bTitleOnly = a.titleOnly;
    exporter.m_bViewOnly = a.viewOnly;
    TreeItem* top = memo->m_hTreeItem;
    return WriteOutput(a.out, [&](IOutput& out) { return exporter.WriteSubtree(out, top); }) ? 0 : 1;
}

int RunExportMemo(const std::vector<std::string>& args) {
    ExportArgs a;
    if (!ParseExportArgs(args, a, false))
        return Usage();
    HeadlessSession session;
    if (!OpenOrReport(session, a.file))
        return 1;
    CMemoItem* memo = ChosenMemo(session, a);
    if (!memo)
        return Usage();
    return WriteOutput(a.out, [memo](IOutput& out) { return out.Put(memo->m_strBody); }) ? 0 : 1;
}

const HelpEntry kMemoOption{"--memo", "N", "memo N instead of the current memo the file stores"};
const HelpEntry kOutOption{"-o", "OUT.txt", "write OUT.txt (cp932) instead of standard output (UTF-8)"};

const CommandRegistration kExport("export",
                                  {"FILE.kdl [OPTION]...",
                                   "Writes the text export of a memo and everything below it, as the window's "
                                   "subtree export does: each title on a line of its own, indented with tabs by its "
                                   "level, with its body below it indented one level more.",
                                   {{"Options",
                                     {kMemoOption,
                                      {"--title-only", "", "titles only, without the bodies"},
                                      {"--view-only", "", "only what the tree shows: nothing below a collapsed memo"},
                                      kOutOption}}}},
                                  RunExport);
const CommandRegistration kExportMemo("export-memo",
                                      {"FILE.kdl [OPTION]...",
                                       "Writes a memo's body as it is, as the window's MemoView text export does.",
                                       {{"Options", {kMemoOption, kOutOption}}}},
                                      RunExportMemo);

} // namespace
} // namespace kardel::cli
