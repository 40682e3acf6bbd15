#include "core/tree/CKdTreeView.h"

#include "core/base/Archive.h"
#include "core/base/FlagScope.h"
#include "core/base/Platform.h"
#include "core/base/SettingsStore.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/search/FindMatcher.h"

#include <vector>

namespace kardel {

CKdTreeView::CKdTreeView(CKardelDoc& doc) : m_doc(doc) {
    m_tree.SetNotify(this);
    m_tree.SetLabelSource(this);
}

std::optional<std::string_view> CKdTreeView::LabelOf(std::int32_t value) const {
    const CMemoItem* memo = m_doc.Memo(value);
    return memo ? std::optional<std::string_view>(memo->m_strTitle) : std::nullopt;
}

CMemoItem* CKdTreeView::MemoOf(TreeItem* item) const {
    return item ? m_doc.Memo(item->value()) : nullptr;
}

TreeItem* CKdTreeView::InsertMemoItem(TreeItem* parent, TreeControl::Where where, TreeItem* after,
                                      std::string_view title, int image, std::int32_t memoIndex) {
    TreeItem* item = m_tree.InsertItem(title, image, memoIndex, parent, where, after);
    if (CMemoItem* memo = m_doc.Memo(memoIndex))
        memo->m_hTreeItem = item;
    if (!m_bNoParentRefreshOnInsert && parent)
        RefreshFolderState(parent);
    m_doc.SetModifiedFlag();
    return item;
}

void CKdTreeView::RefreshFolderState(TreeItem* item) {
    CMemoItem* memo = MemoOf(item);
    if (!memo)
        return;
    m_doc.WillChangeMemo(*memo);
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
    m_drag.m_bDragging = false;
    m_drag.m_hDragItem = m_drag.m_hDropTarget = nullptr;
}

bool CKdTreeView::IsTrashOrInTrash(TreeItem* item) const {
    return m_hTrash && item && m_tree.IsAncestorOrSelf(m_hTrash, item);
}

void CKdTreeView::InsertNewMemo(CMemoItem* memo) {
    TreeItem* parent = nullptr;
    if (IsFolderKind(memo->m_nKind))
        parent = nullptr;
    else if (memo->m_nKind == KindTrashEmpty)
        parent = m_tree.GetRoot();
    else
        parent = m_tree.GetCaret();
    auto index = static_cast<std::int32_t>(m_doc.Memos().size() - 1);
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
        // The memo's own item: a hint about another memo must not relabel the caret.
        TreeItem* item = memo->m_hTreeItem ? memo->m_hTreeItem : m_tree.GetCaret();
        if (!item)
            return;
        m_tree.SetLabel(item, memo->m_strTitle);
        int image = memo->m_nKind;
        if (IsFolderKind(image))
            image = m_tree.FirstChildIsNextVisible(item) ? KindOpenFolder : KindClosedFolder;
        m_tree.SetImage(item, image);
    } else if (hint == HintShowInTree && memo) {
        SelectFromFindView(memo);
    }
}

void CKdTreeView::SelectFromFindView(CMemoItem* memo) {
    if (!memo->m_hTreeItem)
        return;
    if (AppSettings(m_doc.settings()).Get(AppSettings::kCloseOtherFolders) != 0)
        CollapseAll();
    m_tree.Select(memo->m_hTreeItem);
}

void CKdTreeView::OnSelChanged(TreeItem* oldItem, TreeItem* newItem) {
    if (m_deleting) {
        // The memo array is not compacted yet: report the new caret when it is.
        m_caretMovedWhileDeleting = true;
        return;
    }
    if (oldItem && !m_bNoCommitOnSelect)
        m_doc.UpdateAllViews(this, HintStoreText, MemoOf(oldItem));
    if (!newItem)
        return;
    m_doc.SetCurMemo(newItem->value());
    m_doc.UpdateAllViews(this, HintCurrentChanged, MemoOf(newItem));
    if (AppSettings(m_doc.settings()).Get(AppSettings::kSelectModifies) != 0)
        m_doc.SetModifiedFlag();
}

void CKdTreeView::OnItemExpanded(TreeItem* item) {
    if (item == m_hTrash)
        return;
    int image = m_tree.FirstChildIsNextVisible(item) ? KindOpenFolder : KindClosedFolder;
    m_tree.SetImage(item, image);
    if (CMemoItem* memo = MemoOf(item)) {
        m_doc.WillChangeMemo(*memo);
        memo->m_nKind = image;
    }
    if (AppSettings(m_doc.settings()).Get(AppSettings::kSelectModifies) != 0)
        m_doc.SetModifiedFlag();
}

void CKdTreeView::OnEndLabelEdit(TreeItem* item, const std::optional<std::string>& text) {
    if (!item || !text || text->empty() || item == m_tree.GetRoot() || item == m_hTrash)
        return;
    CMemoItem* memo = MemoOf(item);
    if (!memo)
        return;
    UndoHistory::Scope step(m_doc, Sjis("名前の変更"));
    m_doc.WillChangeMemo(*memo);
    m_tree.SetLabel(item, *text);
    memo->m_strTitle = *text;
    m_doc.UpdateAllViews(this, HintMemoChanged, memo);
    m_doc.SetModifiedFlag();
}

std::int32_t CKdTreeView::NextKind(std::int32_t kind) const {
    if (kind < KindMemo || kind > KindDone)
        return kind;
    std::int32_t next = kind;
    // Seven steps come back to the start, so the walk ends even with every flag off.
    for (int step = 0; step < 7; ++step) {
        next = next == KindDone ? KindMemo : next + 1;
        if (m_doc.m_options.m_bCycle[CDocOptions::CycleFlagIndex(next)] != 0)
            return next;
    }
    return kind;
}

void CKdTreeView::OnDblClk(TreeItem* hit) {
    CMemoItem* memo = MemoOf(hit);
    if (!memo)
        return;
    UndoHistory::Scope step(m_doc, Sjis("種類の変更"));
    m_doc.WillChangeMemo(*memo);
    int image = hit->image();
    if (image >= KindMemo && image <= KindDone) {
        std::int32_t kind = NextKind(image);
        memo->m_nKind = kind;
        m_tree.SetImage(hit, kind);
    }
    if (hit->image() == KindDone)
        memo->m_timeDone = Clock::Now();
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(this, HintMemoChanged, memo);
}

void CKdTreeView::OnRButtonDown(TreeItem* hit, int screenX, int screenY) {
    if (!hit)
        return;
    m_tree.Select(hit);
    m_doc.frame().ShowMemoContextMenu(screenX, screenY);
}

bool CKdTreeView::ShowsDueMark(TreeItem* item) const {
    const CMemoItem* memo = MemoOf(item);
    return memo && memo->ShowsDueMark();
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
    // One write for each record's five integers: a million records are five million writes otherwise.
    WalkStoredRecords([&ar](const StoredTreeRecord& record) {
        char bytes[20];
        char* at = bytes;
        for (std::int32_t value : {record.image, record.memo, record.parent, record.hasChildren, record.selected})
            at = CArchive::PutInt32(at, value);
        ar.WriteBytes(std::string_view(bytes, sizeof bytes));
    });
}

// Items are inserted as their records pass the checks. A record that fails them ends the
// load, and the document, emptied, drops the items inserted before it.
void CKdTreeView::LoadTree(CArchive& ar) {
    auto memos = m_doc.Memos();
    DeleteAllItems();
    // A record names its parent by sequence number; the parent's memo leads to its item.
    std::vector<std::int32_t> memoOfSequence{-1};
    memoOfSequence.reserve(memos.size() + 1);
    FlagScope noRefresh(m_bNoParentRefreshOnInsert, true);
    ReadTreeRecords(
        ar, memos.size(), [&memos](std::int32_t index) { return memos[index]->m_nKind; },
        [&](const StoredTreeRecord& r) {
            TreeItem* parent = r.parent == 0 ? nullptr : memos[memoOfSequence[r.parent]]->m_hTreeItem;
            TreeItem* item =
                InsertMemoItem(parent, TreeControl::Where::Last, nullptr, memos[r.memo]->m_strTitle, r.image, r.memo);
            memoOfSequence.push_back(r.memo);
            if (IsTrashKind(r.image))
                m_hTrash = item;
            if (r.selected != 0)
                m_doc.SetCurMemo(r.memo);
        });
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
    if (condition.m_scope == CFindCondition::AllMemos)
        start = m_tree.GetRoot();
    else if (condition.m_scope == CFindCondition::BelowSelection)
        start = m_tree.GetCaret();
    if (!start)
        return;
    TreeItem* root = m_tree.GetRoot();
    FindMatcher matcher(condition);
    m_tree.ForEachPreOrder(start, [&](TreeItem* item) {
        CMemoItem* memo = m_doc.Memo(item->value());
        if (!memo)
            return;
        memo->m_bFound = item == root || item == m_hTrash ? 0 : (matcher.Matches(*memo) ? 1 : 0);
        memo->m_hTreeItem = item;
    });
}

} // namespace kardel
