#include "tree/CKdTreeView.h"

#include "model/Archive.h"
#include "model/CKardelDoc.h"
#include "model/SettingsStore.h"
#include "search/CFindMatcher.h"

#include <vector>

namespace kardel {

CKdTreeView::CKdTreeView(CKardelDoc& doc) : m_doc(doc) {
    m_tree.SetNotify(this);
}

TreeItem* CKdTreeView::InsertMemoItem(TreeItem* parent, TreeControl::Where where, TreeItem* after,
                                      const std::string& title, int image, std::int32_t memoIndex) {
    TreeItem* item = m_tree.InsertItem(title, image, memoIndex, parent, where, after);
    if (CMemoItem* memo = m_doc.Memo(memoIndex)) {
        memo->m_nParent = parent ? parent->value() : -1;
        memo->m_hTreeItem = item;
    }
    if (!m_bNoParentRefreshOnInsert && parent)
        RefreshFolderState(parent);
    m_doc.SetModifiedFlag();
    return item;
}

void CKdTreeView::RefreshFolderState(TreeItem* item) {
    CMemoItem* memo = m_doc.Memo(item->value());
    if (!memo)
        return;
    std::int32_t kind;
    if (IsTrashKind(memo->m_nKind)) {
        kind = m_tree.HasChildren(item) ? KindTrashFull : KindTrashEmpty;
    } else if (m_tree.HasChildren(item)) {
        kind = KindOpenFolder;
        memo->m_bHasDue = 0;
    } else {
        kind = KindMemo;
    }
    memo->m_nKind = kind;
    m_tree.SetImage(item, kind);
    m_doc.UpdateAllViews(this, HintMemoChanged, memo);
}

void CKdTreeView::DeleteAllItems() {
    m_tree.DeleteAllItems();
    m_hTrash = nullptr;
}

void CKdTreeView::InsertNewMemo(CMemoItem* memo) {
    TreeItem* parent = nullptr;
    if (IsFolderKind(memo->m_nKind))
        parent = nullptr;
    else if (memo->m_nKind == KindTrashEmpty)
        parent = m_tree.GetRoot();
    else
        parent = m_tree.GetCaret();
    auto index = static_cast<std::int32_t>(m_doc.m_arrMemos.size() - 1);
    TreeItem* item = InsertMemoItem(parent, TreeControl::Where::First, nullptr, memo->m_strTitle, memo->m_nKind, index);
    m_tree.Select(item);
    if (memo->m_nKind == KindTrashEmpty) {
        m_tree.Select(m_tree.GetRoot());
        m_hTrash = item;
    }
}

void CKdTreeView::OnUpdate(CView*, int hint, CMemoItem* memo) {
    if (hint == HintMemoCreated && memo) {
        InsertNewMemo(memo);
    } else if (hint == HintMemoChanged && memo) {
        TreeItem* caret = m_tree.GetCaret();
        if (!caret)
            return;
        m_tree.SetLabel(caret, memo->m_strTitle);
        int image = memo->m_nKind;
        if (IsFolderKind(image))
            image = m_tree.FirstChildIsNextVisible(caret) ? KindOpenFolder : KindClosedFolder;
        m_tree.SetImage(caret, image);
    }
}

void CKdTreeView::OnSelChanged(TreeItem* oldItem, TreeItem* newItem) {
    if (oldItem && !m_bNoCommitOnSelect)
        m_doc.UpdateAllViews(this, HintStoreText, m_doc.Memo(oldItem->value()));
    if (!newItem)
        return;
    m_doc.m_nCurMemo = newItem->value();
    m_doc.UpdateAllViews(this, HintCurrentChanged, m_doc.Memo(newItem->value()));
    if (CSettings(m_doc.settings()).Get(CSettings::kSelectModifies) != 0)
        m_doc.SetModifiedFlag();
}

void CKdTreeView::OnItemExpanded(TreeItem* item) {
    if (item == m_hTrash)
        return;
    int image = m_tree.FirstChildIsNextVisible(item) ? KindOpenFolder : KindClosedFolder;
    m_tree.SetImage(item, image);
    if (CMemoItem* memo = m_doc.Memo(item->value()))
        memo->m_nKind = image;
    if (CSettings(m_doc.settings()).Get(CSettings::kSelectModifies) != 0)
        m_doc.SetModifiedFlag();
}

// Sequence numbers follow the pre-order; a parent always precedes its children.
template <class Emit> void CKdTreeView::WalkStoredRecords(Emit&& emit) {
    std::vector<std::pair<TreeItem*, std::int32_t>> stack;
    std::int32_t sequence = 0;
    if (TreeItem* root = m_tree.GetRoot())
        stack.emplace_back(root, 0);
    while (!stack.empty()) {
        auto [item, parentSequence] = stack.back();
        stack.pop_back();
        ++sequence;
        emit(StoredTreeRecord{item->image(), item->value(), parentSequence, m_tree.HasChildren(item) ? 1 : 0,
                              item == m_tree.GetCaret() ? 1 : 0});
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.emplace_back(item->child(i), sequence);
    }
}

std::vector<StoredTreeRecord> CKdTreeView::StoredRecords() {
    std::vector<StoredTreeRecord> records;
    records.reserve(m_tree.GetCount());
    WalkStoredRecords([&records](const StoredTreeRecord& record) { records.push_back(record); });
    return records;
}

void CKdTreeView::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        LoadTree(ar);
        return;
    }
    ar.WriteInt32(static_cast<std::int32_t>(m_tree.GetCount()));
    WalkStoredRecords([&ar](const StoredTreeRecord& record) {
        for (std::int32_t value : {record.image, record.memo, record.parent, record.hasChildren, record.selected})
            ar.WriteInt32(value);
    });
}

// The stored section is checked as it is read: one root record first, memo
// indices inside the array and each used once, parents naming earlier records,
// and the trash (memo 1) as the root's last child.
void CKdTreeView::LoadTree(CArchive& ar) {
    auto bad = [] { throw ArchiveError(ArchiveError::Kind::BadFormat, "invalid tree section"); };
    DeleteAllItems();
    m_bNoParentRefreshOnInsert = true;
    size_t count = ar.ReadCount(20);
    size_t memoCount = m_doc.m_arrMemos.size();
    if (count != memoCount || count < 2)
        bad();
    std::vector<TreeItem*> bySequence{nullptr};
    bySequence.reserve(count + 1);
    std::vector<bool> used(memoCount, false);
    for (size_t i = 0; i < count; ++i) {
        std::int32_t image = ar.ReadInt32();
        std::int32_t index = ar.ReadInt32();
        std::int32_t parentSequence = ar.ReadInt32();
        ar.ReadInt32(); // has children: not used
        std::int32_t selected = ar.ReadInt32();
        if (index < 0 || static_cast<size_t>(index) >= memoCount || used[index])
            bad();
        if (parentSequence < 0 || static_cast<size_t>(parentSequence) >= bySequence.size())
            bad();
        if ((i == 0) != (parentSequence == 0) || (i == 0 && index != 0))
            bad();
        used[index] = true;
        if (image == kDueMarkImage)
            image = m_doc.m_arrMemos[index]->m_nKind;
        bool trashImage = IsTrashKind(image);
        if (trashImage != (index == 1))
            bad();
        TreeItem* item = InsertMemoItem(bySequence[parentSequence], TreeControl::Where::Last, nullptr,
                                        m_doc.m_arrMemos[index]->m_strTitle, image, index);
        bySequence.push_back(item);
        if (trashImage)
            m_hTrash = item;
        if (selected != 0)
            m_doc.m_nCurMemo = index;
    }
    m_bNoParentRefreshOnInsert = false;
    TreeItem* root = m_tree.GetRoot();
    if (!m_hTrash || m_hTrash->parent() != root || m_tree.GetNextSibling(m_hTrash))
        bad();
    m_tree.ForEachItem([this](TreeItem* item) {
        if (item->image() == KindOpenFolder)
            m_tree.Expand(item, true);
        else if (item->image() == KindClosedFolder)
            m_tree.Expand(item, false);
    });
}

// ---- Search ----

void CKdTreeView::MarkMatches(const CFindCondition& condition) {
    TreeItem* start = nullptr;
    if (condition.m_nScope == CFindCondition::AllMemos)
        start = m_tree.GetRoot();
    else if (condition.m_nScope == CFindCondition::BelowSelection)
        start = m_tree.GetCaret();
    if (!start)
        return;
    TreeItem* root = m_tree.GetRoot();
    CFindMatcher matcher(condition);
    m_tree.ForEachPreOrder(start, [&](TreeItem* item) {
        CMemoItem* memo = m_doc.Memo(item->value());
        if (!memo)
            return;
        memo->m_bFound = item == root || item == m_hTrash ? 0 : (matcher.Matches(*memo) ? 1 : 0);
        memo->m_hTreeItem = item;
    });
}

} // namespace kardel
