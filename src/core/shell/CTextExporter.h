#pragma once
#include <string>

namespace kardel {

class CKardelDoc;
class CKdEditView;
class CKdTreeView;
class TreeItem;

// The two text exports: MemoView's text as it stands, and a memo with its
// subtree as an indented outline. Lives for one command.
class CTextExporter {
public:
    CTextExporter(CKardelDoc& doc, CKdEditView* memoView, CKdTreeView* treeView)
        : m_doc(doc), m_memoView(memoView), m_treeView(treeView) {}

    bool m_bViewOnly = false;
    bool m_bTitleOnly = false;

    // The bytes of the subtree export of `top` (CR LF line ends), and of MemoView.
    std::string SubtreeText(TreeItem* top) const;
    std::string MemoViewText() const;

    // Commands 32799 and 32838: dialogs, settings, then the file.
    void ExportMemoView();
    void ExportSubtree();

private:
    void WriteExportItem(std::string& out, TreeItem* item, int depth) const;
    void WriteIndentedBody(std::string& out, const std::string& body, int depth) const;

    CKardelDoc& m_doc;
    CKdEditView* m_memoView;
    CKdTreeView* m_treeView;
};

} // namespace kardel
