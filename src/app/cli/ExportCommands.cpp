// export and export-memo: the two text exports of one memo.
#include "cli/CliSupport.h"

#include "exchange/OutlineWriter.h"
#include "model/SafeFile.h"
#include "shell/CTextExporter.h"

#include <cstdio>
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

// UTF-8 bytes straight to stdout as they are made.
class StdoutOutput : public IOutput {
public:
    bool Write(const char* data, size_t size) override { return std::fwrite(data, 1, size, stdout) == size; }
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
    if (a.format) {
        OutlineExportOptions options;
        options.titleOnly = a.titleOnly;
        options.viewOnly = a.viewOnly;
        options.withTrash = a.withTrash;
        auto produce = [&](IOutput& out) {
            return ExportOutline(*a.format, session.doc(), session.treeView(), memo->m_hTreeItem, options, out);
        };
        if (a.out.empty()) {
            StdoutOutput out;
            return produce(out) && std::fflush(stdout) == 0 ? 0 : 1;
        }
        FileResult written = WriteFileSafely(a.out, produce);
        if (!written.ok)
            PrintError(written.message);
        return written.ok ? 0 : 1;
    }
    CTextExporter exporter(session.doc(), &session.memoView(), &session.treeView());
    exporter.m_bTitleOnly = a.titleOnly;
    exporter.m_bViewOnly = a.viewOnly;
    return WriteOutput(exporter.SubtreeText(memo->m_hTreeItem), a.out) ? 0 : 1;
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
    return WriteOutput(memo->m_strBody, a.out) ? 0 : 1;
}

const CommandRegistration kExport("export",
                                  "FILE.kdl [--memo N] [--title-only] [--view-only] [--with-trash] "
                                  "[--format text|markdown|opml|html] [-o OUT]",
                                  RunExport);
const CommandRegistration kExportMemo("export-memo", "FILE.kdl [--memo N] [-o OUT.txt]", RunExportMemo);

} // namespace
} // namespace kardel::cli
