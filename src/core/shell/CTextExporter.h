#pragma once
#include <string>
#include <string_view>

namespace kardel {

class CKardelDoc;
class CKdEditView;
class BufferedOutput;
class IOutput;
class CKdTreeView;
class TreeItem;

// The two text exports: MemoView's text as it stands, and a memo with its
// subtree as an indented outline. Lives for one command.
class CTextExporter {
public:
    CTextExporter(CKardelDoc& doc, CKdEditView* memoView, CKdTreeView* treeView)
        : m_doc(doc), m_memoView(memoView), m_treeView(treeView) {}

    bool m_viewOnly = false;
    bool m_titleOnly = false;

    // The subtree export of `top` (CR LF line ends), written as it is made; false
    // when the output failed.
    bool WriteSubtree(IOutput& out, TreeItem* top) const;
    std::string SubtreeText(TreeItem* top) const; // the same, in memory
    std::string MemoViewText() const;

    // ID_EXPORT_MEMOVIEW and ID_EXPORT_SUBTREE: dialogs, settings, then the file.
    void ExportMemoView();
    void ExportSubtree();

private:
    void WriteExportItem(BufferedOutput& out, TreeItem* item, size_t depth) const;
    void WriteIndentedBody(BufferedOutput& out, std::string_view body, size_t depth) const;

    CKardelDoc& m_doc;
    CKdEditView* m_memoView;
    CKdTreeView* m_treeView;
};

} // namespace kardel
