#include "core/tree/TreeDragDrop.h"

#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/tree/CKdTreeView.h"

namespace kardel {

bool TreeDragDrop::Begin(TreeItem* item) {
    CKardelDoc& doc = m_view.doc();
    doc.UpdateAllViews(&m_view, HintStoreText, doc.CurrentMemo());
    m_hDragItem = item;
    TreeControl& tree = m_view.Tree();
    if (!item || item == tree.GetRoot() || item == m_view.m_hTrash || m_bDragging)
        return false;
    m_hDropTarget = nullptr;
    m_bDragging = true;
    return true;
}

void TreeDragDrop::Abandon() {
    if (!m_bDragging)
        return;
    m_bDragging = false;
    m_view.Tree().SetDropHighlight(nullptr);
}

void TreeDragDrop::Hover(TreeItem* item) {
    if (!m_bDragging || !item)
        return; // over empty space the last target stays
    TreeControl& tree = m_view.Tree();
    if (item->image() == KindClosedFolder) {
        tree.Expand(item, true);
        tree.SetImage(item, KindOpenFolder);
    }
    tree.SetDropHighlight(item);
    m_hDropTarget = item;
    if (TreeItem* previous = tree.GetPrevVisible(item))
        tree.EnsureVisible(previous);
    tree.EnsureVisible(item);
}

bool TreeDragDrop::IsRefused(bool copy) const {
    TreeControl& tree = m_view.Tree();
    if (!m_hDropTarget || !m_hDragItem)
        return true;
    if (tree.IsAncestorOrSelf(m_hDragItem, m_hDropTarget))
        return true;
    return !copy && m_hDropTarget == m_hDragItem->parent();
}

bool TreeDragDrop::Drop(bool copy) {
    if (!m_bDragging)
        return false;
    m_bDragging = false;
    TreeControl& tree = m_view.Tree();
    tree.SetDropHighlight(nullptr);
    if (IsRefused(copy))
        return false;
    // Begin stored the typed text; what was typed since stays in MemoView.
    UndoHistory::Scope step(m_view.doc(), Sjis(copy ? "ﾄﾞﾗｯｸﾞでｺﾋﾟｰ" : "ﾄﾞﾗｯｸﾞで移動"), false);
    TreeItem* created = m_view.CopySubtree(m_hDragItem, m_hDropTarget, CKdTreeView::Position::First, true);
    if (!created)
        return false;
    if (!copy) {
        m_view.DeleteSubtree(m_hDragItem);
        m_hDragItem = nullptr;
    }
    TreeItem* parent = created->parent();
    if (CMemoItem* memo = m_view.MemoOf(parent)) {
        m_view.doc().WillChangeMemo(*memo);
        if (IsTrashKind(memo->m_nKind)) {
            memo->m_nKind = KindTrashFull;
        } else {
            memo->m_nKind = KindOpenFolder;
            memo->m_bHasDue = 0;
        }
        tree.SetImage(parent, memo->m_nKind);
    }
    m_view.m_bNoCommitOnSelect = true;
    tree.Select(created);
    m_view.m_bNoCommitOnSelect = false;
    CKardelDoc& doc = m_view.doc();
    doc.UpdateAllViews(&m_view, HintResultsChanged, nullptr);
    doc.SetModifiedFlag();
    return true;
}

} // namespace kardel
