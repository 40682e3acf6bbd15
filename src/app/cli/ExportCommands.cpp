// export and export-memo: the two text exports of one memo.
#include "app/cli/CliSupport.h"

#include "core/base/OutputSink.h"
#include "core/exchange/OutlineWriter.h"
#include "core/shell/CTextExporter.h"

#include <optional>

namespace kardel::cli {
namespace {

struct ExportArgs {
    std::string file, out;
    int memo = -1;
    bool titleOnly = false, viewOnly = false, withTrash = false;
    std::optional<ExchangeFormat> format; // none: the text export
};

// --format NAME: true when NAME is known.
bool ParseFormat(const std::string& name, std::optional<ExchangeFormat>& format) {
    if (name == "text")
        format.reset();
    else if (name == "markdown")
        format = ExchangeFormat::Markdown;
    else if (name == "opml")
        format = ExchangeFormat::Opml;
    else if (name == "html")
        format = ExchangeFormat::Html;
    else
        return false;
    return true;
}

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
        } else if (withOptions && arg == "--with-trash") {
            a.withTrash = true;
        } else if (withOptions && arg == "--format" && hasValue) {
            if (!ParseFormat(args[++i], a.format))
                return false;
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
    return session.doc().Memo(a.memo >= 0 ? a.memo : session.doc().CurMemo());
}

int RunExport(const std::vector<std::string>& args) {
    ExportArgs a;
    if (!ParseExportArgs(args, a, true))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    if (!OpenOrReport(session, a.file))
        return 1;
    CMemoItem* memo = ChosenMemo(session, a);
    if (!memo || !memo->m_hTreeItem)
        return Usage();
    if (a.format) {
        OutlineExportOptions options;
        options.titleOnly = a.titleOnly;
        options.viewOnly = a.viewOnly;
        options.withTrash = a.withTrash;
        auto produce = [&](IOutput& out) {
            return ExportOutline(*a.format, session.doc(), session.treeView(), memo->m_hTreeItem, options, out);
        };
        return WriteOutput(session.doc(), a.out, produce, OutputText::Utf8) ? 0 : 1;
    }
    CTextExporter exporter(session.doc(), &session.memoView(), &session.treeView());
    exporter.m_titleOnly = a.titleOnly;
    exporter.m_viewOnly = a.viewOnly;
    TreeItem* top = memo->m_hTreeItem;
    return WriteOutput(session.doc(), a.out, [&](IOutput& out) { return exporter.WriteSubtree(out, top); }) ? 0 : 1;
}

int RunExportMemo(const std::vector<std::string>& args) {
    ExportArgs a;
    if (!ParseExportArgs(args, a, false))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    if (!OpenOrReport(session, a.file))
        return 1;
    CMemoItem* memo = ChosenMemo(session, a);
    if (!memo)
        return Usage();
    return WriteOutput(session.doc(), a.out, [memo](IOutput& out) { return out.Put(memo->m_strBody); }) ? 0 : 1;
}

const HelpEntry kMemoOption{"--memo", "N", "memo N instead of the current memo the file stores"};
const HelpEntry kOutOption{"-o", "OUT.txt", "write OUT.txt (cp932) instead of standard output (UTF-8)"};
const HelpEntry kFormatOutOption{"-o", "OUT",
                                 "write OUT instead of standard output (cp932 for text, UTF-8 for the other formats)"};

const CommandRegistration kExport("export",
                                  {"FILE.kdl [OPTION]...",
                                   "Writes a memo and everything below it. The text format (the default) is the "
                                   "window's subtree export: each title on a line of its own, indented with tabs by "
                                   "its level, with its body below it indented one level more. Markdown, OPML and "
                                   "HTML are UTF-8; from memo 0 they hold the whole document, and the trash is left "
                                   "out unless asked for. OPML keeps each memo's kind, dates, due flag and selection "
                                   "item in the namespace urn:kardel:opml:1, so that merging the file gives the "
                                   "memos back as they were.",
                                   {{"Options",
                                     {kMemoOption,
                                      {"--format", "text|markdown|opml|html", "the format to write (text)"},
                                      {"--title-only", "", "titles only, without the bodies"},
                                      {"--view-only", "", "only what the tree shows: nothing below a collapsed memo"},
                                      {"--with-trash", "", "Markdown, OPML and HTML: the trash and what it holds too"},
                                      kFormatOutOption}}}},
                                  RunExport);
const CommandRegistration kExportMemo("export-memo",
                                      {"FILE.kdl [OPTION]...",
                                       "Writes a memo's body as it is, as the window's MemoView text export does.",
                                       {{"Options", {kMemoOption, kOutOption}}}},
                                      RunExportMemo);

} // namespace
} // namespace kardel::cli
