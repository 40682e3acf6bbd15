#include "core/shell/CTextExporter.h"

#include "core/base/OutputSink.h"
#include "core/base/Platform.h"
#include "core/base/SettingsStore.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/CKdEditView.h"
#include "core/shell/TextExportFile.h"
#include "core/tree/CKdTreeView.h"

#include <string_view>
#include <utility>
#include <vector>

namespace kardel {

std::string CTextExporter::MemoViewText() const {
    return m_memoView ? m_memoView->edit().GetText() : std::string();
}

bool CTextExporter::WriteSubtree(IOutput& output, TreeItem* top) const {
    if (!top || !m_treeView)
        return true;
    // An item is written in many small pieces (indents, lines, line breaks).
    BufferedOutput out(output);
    TreeControl& tree = m_treeView->Tree();
    // Pre-order with an explicit stack, so any depth of outline is safe; a failed
    // output ends the walk.
    std::vector<std::pair<TreeItem*, size_t>> pending{{top, 0}};
    while (!pending.empty()) {
        auto [item, depth] = pending.back();
        pending.pop_back();
        WriteExportItem(out, item, depth);
        if (!out.Good())
            return false;
        if (!tree.HasChildren(item))
            continue;
        if (m_viewOnly && !tree.FirstChildIsNextVisible(item))
            continue; // collapsed: its descendants are not shown
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.emplace_back(item->child(i), depth + 1);
    }
    return out.Flush();
}

std::string CTextExporter::SubtreeText(TreeItem* top) const {
    MemoryOutput out;
    WriteSubtree(out, top);
    return out.take();
}

void CTextExporter::WriteExportItem(BufferedOutput& out, TreeItem* item, size_t depth) const {
    const CMemoItem* memo = m_doc.Memo(item->value());
    if (!memo)
        return;
    out.PutRepeated('\t', depth);
    text_export::WriteTextMode(out, memo->m_strTitle);
    out.Put("\r\n\r\n");
    if (!m_titleOnly && !memo->m_strBody.empty())
        WriteIndentedBody(out, memo->m_strBody, depth + 1);
}

void CTextExporter::WriteIndentedBody(BufferedOutput& out, std::string_view body, size_t depth) const {
    // One pass over the line feeds: after a carriage return one ends a line, alone it is
    // a line break inside the line, written as the text mode writes it. A line is indented
    // unless empty; a final line break ends the last line, it does not start an empty one.
    size_t lineStart = 0;
    while (lineStart < body.size()) {
        if (body.compare(lineStart, 2, "\r\n") != 0)
            out.PutRepeated('\t', depth);
        for (size_t piece = lineStart;;) {
            size_t lf = body.find('\n', piece);
            if (lf == std::string_view::npos) {
                out.Put(body.substr(piece));
                lineStart = body.size();
            } else if (lf > piece && body[lf - 1] == '\r') {
                out.Put(body.substr(piece, lf - 1 - piece));
                lineStart = lf + 1;
            } else {
                out.Put(body.substr(piece, lf - piece));
                out.Put("\r\n");
                piece = lf + 1;
                continue;
            }
            out.Put("\r\n");
            break;
        }
    }
    out.Put("\r\n");
}

void CTextExporter::ExportMemoView() {
    std::string name;
    if (m_treeView)
        if (TreeItem* caret = m_treeView->Tree().GetCaret())
            name = m_treeView->Tree().GetItemText(caret);
    std::string path = text_export::AskSavePath(m_doc, name);
    if (path.empty())
        return;
    std::string text = MemoViewText();
    text_export::WriteOrReport(m_doc, path, [&text](IOutput& out) { return out.Put(text); });
}

void CTextExporter::ExportSubtree() {
    if (!m_treeView)
        return;
    TreeControl& tree = m_treeView->Tree();
    TreeItem* root = tree.GetRoot();
    AppSettings settings(m_doc.settings());
    std::optional<SubtreeExportChoice> choice = m_doc.platform().dialogs.SubtreeExport(
        root ? std::string(tree.GetItemText(root)) : std::string(), settings.Get(AppSettings::kExportTitleOnly) != 0,
        settings.Get(AppSettings::kExportViewOnly) != 0);
    if (!choice || choice->path.empty())
        return;
    m_viewOnly = choice->viewOnly;
    m_titleOnly = choice->titleOnly;
    settings.Set(AppSettings::kExportViewOnly, m_viewOnly ? 1 : 0);
    settings.Set(AppSettings::kExportTitleOnly, m_titleOnly ? 1 : 0);
    TreeItem* top = tree.GetCaret();
    if (!top)
        return;
    text_export::WriteOrReport(m_doc, choice->path, [this, top](IOutput& out) { return WriteSubtree(out, top); });
}

} // namespace kardel
