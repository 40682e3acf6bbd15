#include "core/model/UndoHistory.h"

#include "core/base/Archive.h"
#include "core/model/CKardelDoc.h"
#include "core/model/DefinitionIcons.h"
#include "core/shell/CKdEditView.h"
#include "core/tree/CKdTreeView.h"

#include <algorithm>

namespace kardel {
namespace {

constexpr unsigned kTitle = 1u;
constexpr unsigned kKind = 2u;
constexpr unsigned kCreated = 4u;
constexpr unsigned kUpdated = 8u;
constexpr unsigned kHasDue = 16u;
constexpr unsigned kDue = 32u;
constexpr unsigned kDone = 64u;
constexpr unsigned kSelItem = 128u;
constexpr unsigned kBody = 256u;

UndoHistory::Fields FieldsOf(const CMemoItem& m) {
    return {m.m_strTitle.str(), m.m_nKind,     m.m_timeCreated,        m.m_timeUpdated,   m.m_bHasDue,
            m.m_timeDue,        m.m_timeDone, m.m_strSelItem.str(), m.m_strBody.str()};
}

unsigned Differences(const UndoHistory::Fields& f, const CMemoItem& m) {
    unsigned mask = 0;
    mask |= f.title != m.m_strTitle ? kTitle : 0u;
    mask |= f.kind != m.m_nKind ? kKind : 0u;
    mask |= f.created != m.m_timeCreated ? (kCreated) : 0u;
    mask |= f.updated != m.m_timeUpdated ? (kUpdated) : 0u;
    mask |= f.hasDue != m.m_bHasDue ? (kHasDue) : 0u;
    mask |= f.due != m.m_timeDue ? (kDue) : 0u;
    mask |= f.done != m.m_timeDone ? (kDone) : 0u;
    mask |= f.selItem != m.m_strSelItem ? (kSelItem) : 0u;
    mask |= f.body != m.m_strBody ? (kBody) : 0u;
    return mask;
}

// Puts the masked fields of `f` into `m`.
void SetFields(CMemoItem& m, const UndoHistory::Fields& f, unsigned mask) {
    if (mask & kTitle)
        m.m_strTitle = f.title;
    if (mask & kKind)
        m.m_nKind = f.kind;
    if (mask & kCreated)
        m.m_timeCreated = f.created;
    if (mask & kUpdated)
        m.m_timeUpdated = f.updated;
    if (mask & kHasDue)
        m.m_bHasDue = f.hasDue;
    if (mask & kDue)
        m.m_timeDue = f.due;
    if (mask & kDone)
        m.m_timeDone = f.done;
    if (mask & kSelItem)
        m.m_strSelItem = f.selItem;
    if (mask & kBody)
        m.m_strBody = f.body;
}

size_t SizeOfMemo(const CMemoItem& m) {
    return sizeof(CMemoItem) + m.m_strTitle.size() + m.m_strBody.size() + m.m_strSelItem.size();
}

template <class... T> struct Overloaded : T... { using T::operator()...; };
template <class... T> Overloaded(T...) -> Overloaded<T...>;

} // namespace

UndoHistory::UndoHistory(CKardelDoc& doc) : m_doc(doc) {}
UndoHistory::~UndoHistory() = default;

// ---- Scopes and steps ----

UndoHistory::Scope::Scope(CKardelDoc& doc, std::string name, bool storeText)
    : m_history(doc.History()), m_outermost(!m_history.IsRecording() && !m_history.m_replaying) {
    if (!m_outermost)
        return;
    if (storeText)
        m_history.StoreTypedText();
    m_history.Begin(std::move(name));
}

UndoHistory::Scope::~Scope() {
    if (m_outermost)
        m_history.End();
}

// Text typed into MemoView goes into its memo before a step starts, outside it.
void UndoHistory::StoreTypedText() {
    if (CKdEditView* memoView = m_doc.MemoView())
        if (CMemoItem* shown = memoView->ShownMemo())
            memoView->OnUpdate(nullptr, HintStoreText, shown);
}

TreeControl* UndoHistory::Tree() const {
    return m_doc.TreeView() ? &m_doc.TreeView()->Tree() : nullptr;
}

std::string UndoHistory::OptionsBytes() const {
    MemoryOutput out;
    CArchive ar(out);
    const_cast<CDocOptions&>(m_doc.m_options).Serialize(ar);
    const_cast<CFindCondition&>(m_doc.m_findCond).Serialize(ar);
    return out.take();
}

void UndoHistory::Begin(std::string name) {
    TreeControl* tree = Tree();
    if (!tree)
        return;
    m_step = std::make_unique<Step>();
    m_step->name = std::move(name);
    m_step->caretBefore = PathOf(tree->GetCaret());
    m_step->curBefore = m_doc.m_nCurMemo;
    m_truncateOpen = false;
    m_appended.clear();
    m_notedMemos.clear();
    m_inserted.clear();
    m_notedItems.clear();
    if (!m_replaying) {
        m_optionsBefore = OptionsBytes();
        m_optionsCopy = m_doc.m_options;
        m_findCopy = m_doc.m_findCond;
    }
}

void UndoHistory::End() {
    if (!m_step)
        return;
    std::unique_ptr<Step> step = std::move(m_step);
    // A field noted as about to change keeps only what did change.
    auto& entries = step->entries;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](Entry& entry) {
                                     auto* fields = std::get_if<MemoFields>(&entry);
                                     if (!fields || !fields->memo)
                                         return false;
                                     fields->mask &= Differences(fields->old, *fields->memo);
                                     fields->memo = nullptr;
                                     if (!(fields->mask & kBody))
                                         std::string().swap(fields->old.body);
                                     return fields->mask == 0;
                                 }),
                  entries.end());
    if (!m_replaying && OptionsBytes() != m_optionsBefore)
        entries.push_back(SwapOptions{m_optionsCopy, m_findCopy});
    m_appended.clear();
    m_notedMemos.clear();
    m_inserted.clear();
    m_notedItems.clear();
    if (m_replaying) {
        m_step = std::move(step); // Replay finishes it
        return;
    }
    if (entries.empty())
        return;
    step->caretAfter = PathOf(Tree()->GetCaret());
    step->curAfter = m_doc.m_nCurMemo;
    step->state = m_nextState++;
    m_state = step->state;
    m_redo.clear();
    Finish(std::move(step), false);
}

void UndoHistory::Finish(std::unique_ptr<Step> step, bool toRedo) {
    step->bytes = sizeof(Step) + step->name.size() + (step->caretBefore.size() + step->caretAfter.size()) * sizeof(int);
    for (const Entry& entry : step->entries)
        step->bytes += SizeOf(entry);
    (toRedo ? m_redo : m_undo).push_back(std::move(step));
    Trim();
}

size_t UndoHistory::MemoryUse() const {
    size_t total = 0;
    for (const auto& step : m_undo)
        total += step->bytes;
    for (const auto& step : m_redo)
        total += step->bytes;
    return total;
}

// The oldest steps go first; the newest is always kept, however large.
void UndoHistory::Trim() {
    size_t total = MemoryUse();
    size_t first = 0;
    while (m_undo.size() - first > 1 && (m_undo.size() - first > kMaxSteps || total > kMaxBytes)) {
        total -= m_undo[first]->bytes;
        m_baseState = m_undo[first]->state;
        ++first;
    }
    m_undo.erase(m_undo.begin(), m_undo.begin() + static_cast<std::ptrdiff_t>(first));
}

void UndoHistory::Clear() {
    m_step.reset();
    m_undo.clear();
    m_redo.clear();
    m_state = m_baseState = m_nextState++;
    m_savedReachable = false;
}

const std::string& UndoHistory::UndoName() const {
    static const std::string none;
    return m_undo.empty() ? none : m_undo.back()->name;
}

const std::string& UndoHistory::RedoName() const {
    static const std::string none;
    return m_redo.empty() ? none : m_redo.back()->name;
}

void UndoHistory::MarkSaved() {
    m_savedState = m_state;
    m_savedReachable = true;
}

void UndoHistory::NoteUnrecordedChange() {
    if (!m_step && !m_replaying)
        m_savedReachable = false;
}

bool UndoHistory::AtSavedState() const {
    return m_savedReachable && m_state == m_savedState;
}

// ---- Undo and redo ----

bool UndoHistory::Undo() {
    if (m_undo.empty() || m_step || !Tree())
        return false;
    Replay(m_undo, m_redo);
    return true;
}

bool UndoHistory::Redo() {
    if (m_redo.empty() || m_step || !Tree())
        return false;
    Replay(m_redo, m_undo);
    return true;
}

void UndoHistory::Replay(std::vector<std::unique_ptr<Step>>& from, std::vector<std::unique_ptr<Step>>& to) {
    std::unique_ptr<Step> step = std::move(from.back());
    from.pop_back();
    StoreTypedText();
    TreeControl& tree = *Tree();
    CKdTreeView& view = *m_doc.TreeView();
    m_replaying = true;
    Begin(step->name);
    ITreeControlNotify* notify = tree.notify();
    tree.SetNotify(nullptr);
    view.Drag().m_hDragItem = view.Drag().m_hDropTarget = nullptr;
    m_renewed.clear();
    m_optionsSwapped = false;
    for (auto it = step->entries.rbegin(); it != step->entries.rend(); ++it)
        Apply(*it);
    // Clipboard entries taken from items that have been put back name the new items.
    for (ClipLink& link : m_doc.m_clipLinks)
        if (auto renewed = m_renewed.find(link.source); link.source && renewed != m_renewed.end())
            link.source = renewed->second;
    m_renewed.clear();
    TreeItem* caret = ItemAt(step->caretBefore);
    tree.RestoreCaret(caret ? caret : tree.GetRoot());
    m_doc.m_nCurMemo = caret ? step->curBefore : 0;
    tree.SetNotify(notify);
    if (m_optionsSwapped) {
        ReloadDefinitionIcons(m_doc.m_options, m_doc.frame());
        m_doc.UpdateAllViews(nullptr, HintIconsReloaded, m_doc.Memo(m_doc.m_nCurMemo));
        m_doc.UpdateAllViews(nullptr, HintSelItemsChanged, nullptr);
    }
    m_doc.UpdateAllViews(nullptr, HintCurrentChanged, m_doc.Memo(m_doc.m_nCurMemo));
    m_doc.UpdateAllViews(nullptr, HintResultsChanged, nullptr);
    End();
    std::unique_ptr<Step> reverse = std::move(m_step);
    m_replaying = false;
    reverse->caretBefore = std::move(step->caretAfter);
    reverse->caretAfter = std::move(step->caretBefore);
    reverse->curBefore = step->curAfter;
    reverse->curAfter = step->curBefore;
    reverse->state = step->state;
    bool toRedo = &to == &m_redo;
    step.reset();
    if (toRedo)
        m_state = m_undo.empty() ? m_baseState : m_undo.back()->state;
    else
        m_state = reverse->state;
    Finish(std::move(reverse), toRedo);
    m_doc.SetModifiedFlagOnly(!AtSavedState());
}

void UndoHistory::Apply(Entry& entry) {
    TreeControl& tree = *Tree();
    auto& memos = m_doc.m_arrMemos;
    std::visit(Overloaded{
                   [&](TruncateMemos& e) {
                       AppendMemos reverse;
                       CKdEditView* memoView = m_doc.MemoView();
                       for (size_t i = e.size; i < memos.size(); ++i) {
                           if (memoView && memoView->ShownMemo() == memos[i].get())
                               memoView->ForgetShownMemo();
                           reverse.memos.push_back(std::move(memos[i]));
                       }
                       memos.resize(std::min(e.size, memos.size()));
                       m_step->entries.push_back(std::move(reverse));
                   },
                   [&](AppendMemos& e) {
                       m_step->entries.push_back(TruncateMemos{memos.size()});
                       for (auto& memo : e.memos)
                           memos.push_back(std::move(memo));
                   },
                   [&](UnremoveMemos& e) {
                       // The compaction run backwards: survivors move up to make room, and
                       // their items take their indices again.
                       const size_t oldSize = memos.size();
                       const size_t total = oldSize + e.indices.size();
                       const auto first = static_cast<size_t>(e.indices.front());
                       memos.resize(total);
                       size_t source = oldSize;
                       size_t k = e.indices.size();
                       for (size_t target = total; target-- > first;) {
                           if (k > 0 && static_cast<size_t>(e.indices[k - 1]) == target) {
                               memos[target] = std::move(e.memos[--k]);
                               continue;
                           }
                           if (--source != target)
                               memos[target] = std::move(memos[source]);
                           if (TreeItem* item = memos[target]->m_hTreeItem)
                               tree.SetValue(item, static_cast<std::int32_t>(target));
                       }
                       m_step->entries.push_back(RemoveMemosAt{std::move(e.indices)});
                   },
                   [&](RemoveMemosAt& e) { m_doc.RemoveMemos(std::move(e.indices)); },
                   [&](MemoFields& e) {
                       CMemoItem* memo = m_doc.Memo(e.index);
                       if (!memo)
                           return;
                       MemoFields reverse{e.index, nullptr, FieldsOf(*memo), e.mask};
                       if (!(e.mask & kBody))
                           reverse.old.body.clear();
                       SetFields(*memo, e.old, e.mask);
                       m_step->entries.push_back(std::move(reverse));
                   },
                   [&](ItemState& e) {
                       TreeItem* item = ItemAt(e.path);
                       if (!item)
                           return;
                       tree.SetLabel(item, e.label);
                       tree.SetImage(item, e.image);
                       tree.Expand(item, e.expanded);
                   },
                   [&](RemoveItem& e) {
                       TreeItem* item = ItemAt(e.path);
                       if (!item)
                           return;
                       // As when a command deletes it: clipboard entries taken from the item are void.
                       if (!m_doc.m_arrClip.empty()) {
                           const std::unordered_set<std::uint64_t> sources = m_doc.LivingClipSources();
                           bool hit = false;
                           tree.ForEachPreOrder(item, [&](TreeItem* x) {
                               hit = hit || sources.count(tree.GivenItemId(x)) != 0;
                           });
                           if (hit)
                               m_doc.ClearClip();
                       }
                       tree.DeleteItem(item);
                   },
                   [&](InsertItems& e) {
                       TreeItem* parent = e.parent.empty() ? nullptr : ItemAt(e.parent);
                       if (!e.parent.empty() && !parent)
                           return;
                       CKdTreeView& view = *m_doc.TreeView();
                       struct Open {
                           TreeItem* item;
                           int left;
                       };
                       std::vector<Open> open;
                       for (size_t n = 0; n < e.nodes.size(); ++n) {
                           const Node& node = e.nodes[n];
                           while (!open.empty() && open.back().left == 0)
                               open.pop_back();
                           TreeItem* item;
                           if (n == 0) {
                               TreeItem* after = nullptr;
                               if (e.row > 0)
                                   after = parent ? parent->child(e.row - 1) : tree.TopLevelItem(e.row - 1);
                               item = tree.InsertItem(node.label, node.image, node.value, parent,
                                                      after ? TreeControl::Where::After : TreeControl::Where::First,
                                                      after);
                           } else {
                               if (open.empty())
                                   break;
                               --open.back().left;
                               item = tree.InsertItem(node.label, node.image, node.value, open.back().item,
                                                      TreeControl::Where::Last);
                           }
                           tree.Expand(item, node.expanded);
                           if (CMemoItem* memo = m_doc.Memo(node.value))
                               memo->m_hTreeItem = item;
                           if (node.wasTrash)
                               view.m_hTrash = item;
                           if (node.formerId != 0)
                               m_renewed[node.formerId] = tree.ItemId(item);
                           open.push_back({item, node.childCount});
                       }
                   },
                   [&](SwapClip& e) {
                       std::swap(m_doc.m_arrClip, e.entries);
                       std::swap(m_doc.m_clipLinks, e.links);
                       m_step->entries.push_back(std::move(e));
                   },
                   [&](SwapOptions& e) {
                       std::swap(m_doc.m_options, e.options);
                       std::swap(m_doc.m_findCond, e.find);
                       m_step->entries.push_back(std::move(e));
                       m_optionsSwapped = true;
                   },
               },
               entry);
}

// ---- What the document and the tree report ----

void UndoHistory::AfterAppendMemo(CMemoItem* memo) {
    if (!m_step)
        return;
    m_appended.insert(memo);
    if (!m_truncateOpen) {
        m_step->entries.push_back(TruncateMemos{m_doc.m_arrMemos.size() - 1});
        m_truncateOpen = true;
    }
}

void UndoHistory::MemosRemoved(std::vector<std::int32_t> sortedIndices, std::vector<std::unique_ptr<CMemoItem>> memos) {
    if (!m_step || sortedIndices.empty())
        return;
    m_step->entries.push_back(UnremoveMemos{std::move(sortedIndices), std::move(memos)});
    m_truncateOpen = false;
}

std::int32_t UndoHistory::IndexOf(const CMemoItem& memo) const {
    if (memo.m_hTreeItem && m_doc.Memo(memo.m_hTreeItem->value()) == &memo)
        return memo.m_hTreeItem->value();
    const auto& memos = m_doc.m_arrMemos;
    for (size_t i = 0; i < memos.size(); ++i)
        if (memos[i].get() == &memo)
            return static_cast<std::int32_t>(i);
    return -1;
}

void UndoHistory::WillChangeMemo(CMemoItem& memo) {
    if (!m_step || m_appended.count(&memo) || m_notedMemos.count(&memo))
        return;
    std::int32_t index = IndexOf(memo);
    if (index < 0)
        return;
    m_notedMemos.insert(&memo);
    m_step->entries.push_back(MemoFields{index, &memo, FieldsOf(memo)});
}

void UndoHistory::ClipCleared(std::vector<std::unique_ptr<CMemoItem>> entries, std::vector<ClipLink> links) {
    if (m_step)
        m_step->entries.push_back(SwapClip{std::move(entries), std::move(links)});
}

UndoHistory::Path UndoHistory::PathOf(const TreeItem* item) const {
    Path path;
    for (const TreeItem* p = item; p; p = p->parent())
        path.push_back(p->row());
    std::reverse(path.begin(), path.end());
    return path;
}

TreeItem* UndoHistory::ItemAt(const Path& path) const {
    TreeControl* tree = Tree();
    if (!tree || path.empty() || path[0] < 0 || path[0] >= tree->TopLevelCount())
        return nullptr;
    TreeItem* item = tree->TopLevelItem(path[0]);
    for (size_t i = 1; i < path.size(); ++i) {
        if (path[i] < 0 || path[i] >= item->childCount())
            return nullptr;
        item = item->child(path[i]);
    }
    return item;
}

void UndoHistory::AfterInsert(TreeItem* item) {
    if (!m_step)
        return;
    TreeItem* parent = item->parent();
    if (!(parent && m_inserted.count(parent)))
        m_step->entries.push_back(RemoveItem{PathOf(item)});
    m_inserted.insert(item);
}

void UndoHistory::BeforeDelete(TreeItem* item) {
    if (!m_step)
        return;
    InsertItems entry;
    if (TreeItem* parent = item->parent())
        entry.parent = PathOf(parent);
    entry.row = item->row();
    Tree()->ForEachPreOrder(item, [&](TreeItem* x) {
        entry.nodes.push_back({std::string(Tree()->GetItemText(x)), x->image(), x->value(), x->expanded(),
                               x->childCount(), Tree()->GivenItemId(x), x == m_doc.TreeView()->m_hTrash});
        m_inserted.erase(x);
        m_notedItems.erase(x);
    });
    m_step->entries.push_back(std::move(entry));
}

void UndoHistory::BeforeItemChange(TreeItem* item) {
    if (!m_step || m_inserted.count(item) || m_notedItems.count(item))
        return;
    m_notedItems.insert(item);
    m_step->entries.push_back(
        ItemState{PathOf(item), std::string(Tree()->GetItemText(item)), item->image(), item->expanded()});
}

size_t UndoHistory::SizeOf(const Entry& entry) {
    size_t size = sizeof(Entry);
    std::visit(Overloaded{
                   [&](const TruncateMemos&) {},
                   [&](const AppendMemos& e) {
                       for (const auto& m : e.memos)
                           size += SizeOfMemo(*m) + sizeof(void*);
                   },
                   [&](const UnremoveMemos& e) {
                       size += e.indices.size() * sizeof(std::int32_t);
                       for (const auto& m : e.memos)
                           size += SizeOfMemo(*m) + sizeof(void*);
                   },
                   [&](const RemoveMemosAt& e) { size += e.indices.size() * sizeof(std::int32_t); },
                   [&](const MemoFields& e) { size += e.old.title.size() + e.old.selItem.size() + e.old.body.size(); },
                   [&](const ItemState& e) { size += e.path.size() * sizeof(int) + e.label.size(); },
                   [&](const RemoveItem& e) { size += e.path.size() * sizeof(int); },
                   [&](const InsertItems& e) {
                       size += e.parent.size() * sizeof(int);
                       for (const Node& n : e.nodes)
                           size += sizeof(Node) + n.label.size();
                   },
                   [&](const SwapClip& e) {
                       for (const auto& m : e.entries)
                           size += SizeOfMemo(*m) + sizeof(void*) + sizeof(ClipLink);
                   },
                   [&](const SwapOptions&) { size += sizeof(SwapOptions); },
               },
               entry);
    return size;
}

} // namespace kardel
