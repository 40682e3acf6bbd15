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

bool CTextExporter::WriteSubtree(IOutput& out, TreeItem* top) const {
    if (!top || !m_treeView)
        return true;
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
    return true;
}

std::string CTextExporter::SubtreeText(TreeItem* top) const {
    MemoryOutput out;
    WriteSubtree(out, top);
    return out.take();
}

void CTextExporter::WriteExportItem(IOutput& out, TreeItem* item, size_t depth) const {
    const CMemoItem* memo = m_doc.Memo(item->value());
    if (!memo)
        return;
    out.PutRepeated('\t', depth);
    text_export::WriteTextMode(out, memo->m_strTitle);
    out.Put("\r\n\r\n");
    if (!m_titleOnly && !memo->m_strBody.empty())
        WriteIndentedBody(out, memo->m_strBody, depth + 1);
}

void CTextExporter::WriteIndentedBody(IOutput& out, std::string_view body, size_t depth) const {
    std::string_view rest = body;
    while (!rest.empty()) {
        size_t end = rest.find("\r\n");
        std::string_view line = rest.substr(0, end);
        if (!line.empty()) {
            out.PutRepeated('\t', depth);
            text_export::WriteTextMode(out, line);
        }
        out.Put("\r\n");
        // A final line break ends the last line; it does not start an empty one.
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
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
