// The TreeView's editing primitives and the memo commands built on them.
#include "core/base/FlagScope.h"
#include "core/base/Platform.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/CommandTable.h"
#include "core/tree/CKdTreeView.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace kardel {
namespace {

void MakeFolderOrFullTrash(CKardelDoc& doc, CMemoItem& memo) {
    doc.WillChangeMemo(memo);
    if (IsTrashKind(memo.m_nKind)) {
        memo.m_nKind = KindTrashFull;
    } else {
        memo.m_nKind = KindOpenFolder;
        memo.m_bHasDue = 0;
    }
}

} // namespace

TreeItem* CKdTreeView::InsertCopy(TreeItem* source, TreeItem* newParent, TreeControl::Where where, TreeItem* after,
                                  bool resetDates) {
    const CMemoItem* original = MemoOf(source);
    auto record = std::make_unique<CMemoItem>();
    if (original)
        record->CopyFrom(*original);
    if (resetDates && source != m_hTrash)
        record->m_timeCreated = record->m_timeUpdated = Clock::Now();
    if (record->m_nKind == KindOpenFolder)
        record->m_nKind = KindClosedFolder; // copies arrive collapsed
    CMemoItem* memo = m_doc.AppendMemo(std::move(record));
    auto index = static_cast<std::int32_t>(m_doc.Memos().size() - 1);
    return InsertMemoItem(newParent, where, after, memo->m_strTitle, memo->m_nKind, index);
}

TreeItem* CKdTreeView::CopySubtree(TreeItem* source, TreeItem* newParent, Position position, bool resetDates) {
    if (!source || m_tree.IsAncestorOrSelf(source, newParent))
        return nullptr;
    FlagScope noRefresh(m_bNoParentRefreshOnInsert, true);
    TreeControl::Where where = TreeControl::Where::First;
    TreeItem* after = nullptr;
    switch (position) {
    case Position::First:
        break;
    case Position::Last:
        where = TreeControl::Where::Last;
        break;
    case Position::AfterSource:
        where = TreeControl::Where::After;
        after = source;
        break;
    case Position::OneUp: {
        TreeItem* previous = m_tree.GetPrevSibling(source);
        if (!previous)
            return nullptr;
        if (TreeItem* beforePrevious = m_tree.GetPrevSibling(previous)) {
            where = TreeControl::Where::After;
            after = beforePrevious;
        }
        break;
    }
    case Position::OneDown:
        after = m_tree.GetNextSibling(source);
        if (!after)
            return nullptr;
        where = TreeControl::Where::After;
        break;
    case Position::AfterParent: {
        TreeItem* parent = source->parent();
        if (!parent)
            return nullptr;
        // Out of the trash a memo lands just before it: the trash stays last.
        after = parent == m_hTrash ? m_tree.GetPrevSibling(m_hTrash) : parent;
        if (after)
            where = TreeControl::Where::After;
        break;
    }
    }
    TreeItem* top = InsertCopy(source, newParent, where, after, resetDates);
    // Children follow in pre-order, each appended as the last child of its new parent;
    // an explicit stack keeps any depth safe.
    struct Frame {
        TreeItem* source;
        TreeItem* copy;
        int next;
    };
    std::vector<Frame> stack{{source, top, 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.source->childCount()) {
            stack.pop_back();
            continue;
        }
        TreeItem* child = frame.source->child(frame.next++);
        TreeItem* copy = InsertCopy(child, frame.copy, TreeControl::Where::Last, nullptr, resetDates);
        stack.push_back({child, copy, 0});
    }
    return top;
}

void CKdTreeView::DeleteSubtree(TreeItem* item) {
    if (item)
        DeleteSubtrees({item});
}

// Each deleted memo's index is recorded once; the document then compacts its
// array in one pass and gives every surviving item its new index, which is what
// lowering every greater value after each deleted memo in turn amounts to.
void CKdTreeView::DeleteSubtrees(const std::vector<TreeItem*>& tops) {
    if (tops.empty())
        return;
    m_doc.SetModifiedFlag();
    const std::unordered_set<std::uint64_t> clipSources =
        m_bCutting ? std::unordered_set<std::uint64_t>() : m_doc.LivingClipSources();
    bool clearClip = false;
    std::vector<std::int32_t> indices;
    for (TreeItem* top : tops) {
        m_tree.ForEachPreOrder(top, [&](TreeItem* x) {
            indices.push_back(x->value());
            if (!clearClip && clipSources.count(m_tree.GivenItemId(x)))
                clearClip = true;
        });
        if (m_drag.m_hDragItem && m_tree.IsAncestorOrSelf(top, m_drag.m_hDragItem))
            m_drag.m_hDragItem = nullptr;
        if (m_drag.m_hDropTarget && m_tree.IsAncestorOrSelf(top, m_drag.m_hDropTarget))
            m_drag.m_hDropTarget = nullptr;
    }
    if (clearClip)
        m_doc.ClearClip();

    std::vector<TreeItem*> parents;
    {
        FlagScope deleting(m_deleting, true);
        m_caretMovedWhileDeleting = false;
        // From the last to the first, so that a row of siblings is taken off its end.
        for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
            TreeItem* parent = (*it)->parent();
            if (parent && std::find(parents.begin(), parents.end(), parent) == parents.end())
                parents.push_back(parent);
            m_tree.DeleteItem(*it);
        }
    }
    // A parent's index is below its children's, so it is not renumbered by the removal.
    if (!m_bImporting)
        for (TreeItem* parent : parents)
            RefreshFolderState(parent);
    m_doc.RemoveMemos(std::move(indices));
    if (m_caretMovedWhileDeleting) {
        m_caretMovedWhileDeleting = false;
        OnSelChanged(nullptr, m_tree.GetCaret());
    }
}

void CKdTreeView::ExpandSubtree(TreeItem* item, bool expand) {
    m_tree.ForEachPreOrder(item, [&](TreeItem* x) {
        if (!m_tree.HasChildren(x))
            return;
        m_tree.Expand(x, expand);
        if (x == m_hTrash)
            return;
        if (CMemoItem* memo = MemoOf(x)) {
            m_doc.WillChangeMemo(*memo);
            memo->m_bHasDue = 0;
        }
        m_tree.SetImage(x, expand ? KindOpenFolder : KindClosedFolder);
    });
    if (expand)
        m_tree.EnsureVisible(m_tree.GetCaret());
}

void CKdTreeView::MergeImportedTree(const std::vector<StoredTreeRecord>& records, std::int32_t base) {
    TreeItem* target = m_tree.GetCaret();
    if (!target)
        return;
    FlagScope noRefresh(m_bNoParentRefreshOnInsert, true);
    std::vector<TreeItem*> bySequence(records.size() + 1, nullptr);
    TreeItem* importedTrash = nullptr;
    for (size_t p = 2; p <= records.size(); ++p) {
        const StoredTreeRecord& r = records[p - 1];
        TreeItem* parent = r.parent == 1 ? target : bySequence[r.parent];
        if (IsTrashKind(r.image)) {
            // Only collects what lay in the imported trash; bound to no memo.
            importedTrash = m_tree.InsertItem(std::string(), r.image, -1, parent, TreeControl::Where::Last);
            bySequence[p] = importedTrash;
            continue;
        }
        std::int32_t image = r.image == KindOpenFolder ? KindClosedFolder : r.image;
        std::int32_t index = base + r.memo - 2;
        bySequence[p] =
            InsertMemoItem(parent, TreeControl::Where::Last, nullptr, m_doc.Memo(index)->m_strTitle, image, index);
    }
    if (importedTrash && m_tree.HasChildren(importedTrash)) {
        std::vector<TreeItem*> contents;
        for (TreeItem* c = m_tree.GetChild(importedTrash); c; c = m_tree.GetNextSibling(c))
            contents.push_back(c);
        for (TreeItem* c : contents)
            CopySubtree(c, m_hTrash, Position::Last, false);
        if (CMemoItem* trash = MemoOf(m_hTrash)) {
            m_doc.WillChangeMemo(*trash);
            trash->m_nKind = KindTrashFull;
        }
        m_tree.SetImage(m_hTrash, KindTrashFull);
    }
    if (importedTrash) {
        // The collecting item goes with what it held, in one deletion: every item before its
        // memo, as any deletion does, so that undo and redo replay the steps in an order in
        // which each item's index names its own memo.
        FlagScope importing(m_bImporting, true);
        DeleteSubtrees({importedTrash});
    }
    m_tree.Expand(target, true);
    if (m_tree.HasChildren(target)) {
        if (CMemoItem* memo = MemoOf(target)) {
            MakeFolderOrFullTrash(m_doc, *memo);
            m_tree.SetImage(target, memo->m_nKind);
        }
    }
}

bool CKdTreeView::IsForwardedMemoCommand(CommandId id) {
    switch (id) {
    case ID_MEMO_TO_TRASH:
    case ID_MEMO_EMPTY_TRASH:
    case ID_MEMO_COPY:
    case ID_MEMO_CUT:
    case ID_MEMO_DUPLICATE:
    case ID_MEMO_PASTE:
    case ID_MEMO_UP:
    case ID_MEMO_DOWN:
    case ID_MEMO_LEVEL_UP:
    case ID_MEMO_LEVEL_DOWN:
    case ID_EXPAND_ALL:
    case ID_COLLAPSE_ALL:
        return true;
    default:
        return false;
    }
}

bool CKdTreeView::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    TreeItem* caret = m_tree.GetCaret();
    TreeItem* root = m_tree.GetRoot();
    bool isTrash = caret && caret == m_hTrash;
    switch (id) {
    case ID_MEMO_CREATE: // consulted only while this pane is active
        ui.enabled = caret && !IsTrashKind(caret->image());
        return true;
    case ID_MEMO_DUPLICATE:
    case ID_MEMO_COPY:
    case ID_MEMO_CUT:
        ui.enabled = caret && caret != root && !IsTrashKind(caret->image());
        return true;
    case ID_MEMO_PASTE:
        ui.enabled = caret && !m_doc.Clip().empty();
        return true;
    case ID_MEMO_TO_TRASH:
        ui.enabled = caret && caret != root && !IsTrashOrInTrash(caret);
        return true;
    case ID_MEMO_EMPTY_TRASH:
        ui.enabled = m_tree.HasChildren(m_hTrash);
        return true;
    case ID_MEMO_UP:
    case ID_MEMO_LEVEL_DOWN:
        ui.enabled = caret && !isTrash && m_tree.GetPrevSibling(caret);
        return true;
    case ID_MEMO_DOWN: {
        TreeItem* next = m_tree.GetNextSibling(caret);
        ui.enabled = caret && !isTrash && next && next != m_hTrash;
        return true;
    }
    case ID_MEMO_LEVEL_UP:
        ui.enabled = caret && caret != root && caret->parent() != root;
        return true;
    case ID_EXPAND_ALL:
    case ID_COLLAPSE_ALL:
        ui.enabled = root != nullptr;
        return true;
    default:
        return false;
    }
}

bool CKdTreeView::OnCmdMsg(CommandId id) {
    // Copying and opening or closing folders change no memo: they are no step.
    std::optional<UndoHistory::Scope> step;
    if (id != ID_MEMO_COPY && id != ID_EXPAND_ALL && id != ID_COLLAPSE_ALL && IsForwardedMemoCommand(id))
        step.emplace(m_doc, CommandTable::PlainText(id));
    switch (id) {
    case ID_MEMO_DUPLICATE:
        Duplicate();
        return true;
    case ID_MEMO_COPY:
        CopyToClipboard();
        return true;
    case ID_MEMO_CUT:
        Cut();
        return true;
    case ID_MEMO_PASTE:
        Paste();
        return true;
    case ID_MEMO_TO_TRASH:
        MoveToTrash();
        return true;
    case ID_MEMO_EMPTY_TRASH:
        if (m_doc.platform().messages.AskYesNo(Sjis("ごみ箱の中のｱｲﾃﾑを全て削除してもよろしいですか？")) ==
            IMessageBox::Answer::Yes)
            EmptyTrash();
        return true;
    case ID_MEMO_UP:
        MoveUpOrDown(true);
        return true;
    case ID_MEMO_DOWN:
        MoveUpOrDown(false);
        return true;
    case ID_MEMO_LEVEL_UP:
        LevelUp();
        return true;
    case ID_MEMO_LEVEL_DOWN:
        LevelDown();
        return true;
    case ID_EXPAND_ALL:
        ExpandAll();
        return true;
    case ID_COLLAPSE_ALL:
        CollapseAll();
        return true;
    default:
        return false;
    }
}

void CKdTreeView::MoveUpOrDown(bool up) {
    m_doc.UpdateAllViews(this, HintStoreText, nullptr);
    TreeItem* caret = m_tree.GetCaret();
    if (!caret || !caret->parent())
        return;
    ReplaceByCopy(caret, CopySubtree(caret, caret->parent(), up ? Position::OneUp : Position::OneDown, false));
}

// The end of every menu move: the source gives way to its copy (when one was made),
// the copy is selected, and FindView rebuilds.
void CKdTreeView::ReplaceByCopy(TreeItem* source, TreeItem* copy) {
    if (copy) {
        DeleteSubtree(source);
        m_tree.Select(copy);
    }
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(this, HintResultsChanged, nullptr);
}

void CKdTreeView::LevelUp() {
    m_doc.UpdateAllViews(this, HintStoreText, nullptr);
    TreeItem* caret = m_tree.GetCaret();
    TreeItem* parent = caret ? caret->parent() : nullptr;
    if (!parent || !parent->parent())
        return;
    TreeItem* created = CopySubtree(caret, parent->parent(), Position::AfterParent, false);
    if (!created)
        return;
    ReplaceByCopy(caret, created);
}

void CKdTreeView::LevelDown() {
    m_doc.UpdateAllViews(this, HintStoreText, nullptr);
    TreeItem* caret = m_tree.GetCaret();
    TreeItem* previous = m_tree.GetPrevSibling(caret);
    CMemoItem* previousMemo = MemoOf(previous);
    if (!previousMemo)
        return;
    // The previous sibling is the trash when memos were merged after it below the
    // root: the memo then goes into the trash, which shows that it holds memos.
    MakeFolderOrFullTrash(m_doc, *previousMemo);
    m_tree.SetImage(previous, previousMemo->m_nKind);
    TreeItem* created = CopySubtree(caret, previous, Position::First, false);
    if (!created)
        return;
    ReplaceByCopy(caret, created);
}

void CKdTreeView::Duplicate() {
    TreeItem* caret = m_tree.GetCaret();
    m_doc.UpdateAllViews(this, HintStoreText, MemoOf(caret));
    if (!caret || !caret->parent())
        return;
    TreeItem* created = CopySubtree(caret, caret->parent(), Position::AfterSource, true);
    if (!created)
        return;
    m_tree.Select(created);
    m_doc.SetModifiedFlag();
}

void CKdTreeView::MoveToTrash() {
    TreeItem* caret = m_tree.GetCaret();
    m_doc.UpdateAllViews(this, HintStoreText, MemoOf(caret));
    if (!caret || !m_hTrash || IsTrashOrInTrash(caret) || !caret->parent())
        return;
    TreeItem* next = m_tree.GetNextSibling(caret);
    TreeItem* parent = caret->parent();
    CopySubtree(caret, m_hTrash, Position::First, false);
    DeleteSubtree(caret);
    // The trash now holds memos: its memo says so as well as its image.
    if (CMemoItem* trash = MemoOf(m_hTrash)) {
        m_doc.WillChangeMemo(*trash);
        trash->m_nKind = KindTrashFull;
    }
    m_tree.SetImage(m_hTrash, KindTrashFull);
    m_tree.Select(next ? next : parent);
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(this, HintResultsChanged, nullptr);
}

void CKdTreeView::EmptyTrash() {
    if (!m_hTrash)
        return;
    std::vector<TreeItem*> contents;
    for (TreeItem* c = m_tree.GetChild(m_hTrash); c; c = m_tree.GetNextSibling(c))
        contents.push_back(c);
    DeleteSubtrees(contents);
    m_tree.Expand(m_hTrash, false);
    m_tree.Select(m_hTrash);
    m_doc.UpdateAllViews(this, HintResultsChanged, nullptr);
}

void CKdTreeView::CopyToClipboard() {
    TreeItem* caret = m_tree.GetCaret();
    m_doc.UpdateAllViews(this, HintStoreText, MemoOf(caret));
    m_doc.ClearClip();
    std::unordered_map<const TreeItem*, std::int32_t> positions;
    m_tree.ForEachPreOrder(caret, [&](TreeItem* x) {
        const CMemoItem* memo = MemoOf(x);
        if (!memo)
            return;
        auto copy = std::make_unique<CMemoItem>();
        copy->CopyFrom(*memo);
        // The source is named by its item's id: an entry keeps no pointer that a
        // later item could come to share.
        copy->m_hTreeItem = nullptr;
        ClipLink link{m_tree.ItemId(x)};
        if (auto parentEntry = positions.find(x->parent()); !m_doc.Clip().empty() && parentEntry != positions.end())
            link.m_nParent = parentEntry->second;
        positions[x] = static_cast<std::int32_t>(m_doc.Clip().size());
        m_doc.AppendClip(std::move(copy), link);
    });
}

void CKdTreeView::Cut() {
    TreeItem* caret = m_tree.GetCaret();
    if (!caret)
        return;
    {
        FlagScope cutting(m_bCutting, true);
        CopyToClipboard();
        DeleteSubtree(caret);
    }
    // The cut memos now exist only in the clipboard: no deletion may empty it.
    m_doc.ForgetClipSources();
    // The memos after the cut ones have new indices: FindView must not keep the old ones.
    m_doc.UpdateAllViews(this, HintResultsChanged, nullptr);
}

void CKdTreeView::Paste() {
    TreeItem* target = m_tree.GetCaret();
    CMemoItem* targetMemo = MemoOf(target);
    if (!targetMemo || m_doc.Clip().empty())
        return;
    auto base = static_cast<std::int32_t>(m_doc.Memos().size());
    {
        FlagScope noRefresh(m_bNoParentRefreshOnInsert, true);
        for (size_t i = 0; i < m_doc.Clip().size(); ++i) {
            const CMemoItem& entry = *m_doc.Clip()[i];
            const std::int32_t parentEntry = m_doc.ClipLinks()[i].m_nParent;
            auto record = std::make_unique<CMemoItem>();
            record->CopyFrom(entry);
            record->m_timeCreated = record->m_timeUpdated = Clock::Now();
            CMemoItem* memo = m_doc.AppendMemo(std::move(record));
            auto index = static_cast<std::int32_t>(base + i);
            CMemoItem* parentMemo = targetMemo;
            if (i > 0 && parentEntry >= 0 && static_cast<size_t>(parentEntry) < i)
                parentMemo = m_doc.Memo(base + parentEntry);
            InsertMemoItem(parentMemo->m_hTreeItem, i == 0 ? TreeControl::Where::First : TreeControl::Where::Last,
                           nullptr, memo->m_strTitle, memo->m_nKind, index);
        }
        m_tree.Expand(target, true);
    }
    MakeFolderOrFullTrash(m_doc, *targetMemo);
    m_tree.SetImage(target, targetMemo->m_nKind);
}

void CKdTreeView::ExpandAll() {
    ExpandSubtree(m_tree.GetRoot(), true);
}

void CKdTreeView::CollapseAll() {
    m_tree.Select(m_tree.GetRoot());
    ExpandSubtree(m_tree.GetRoot(), false);
}

} // namespace kardel
