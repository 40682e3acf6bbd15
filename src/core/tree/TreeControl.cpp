#include "core/tree/TreeControl.h"

#include "core/base/BlockPool.h"

#include <algorithm>

namespace kardel {

TreeItem::~TreeItem() {
    ::operator delete(m_children);
}

// An outline holds one item per memo.
static_assert(sizeof(void*) != 8 || sizeof(TreeItem) <= 32);

using TreeItemPool = BlockPool<sizeof(TreeItem), alignof(TreeItem)>;

void* TreeItem::operator new(std::size_t size) {
    return TreeItemPool::New(size);
}

void TreeItem::operator delete(void* item, std::size_t size) noexcept {
    TreeItemPool::Delete(item, size);
}

int TreeItem::row() const {
    const TreeItem* holder = m_parent;
    if (!holder)
        return 0;
    const ChildList& siblings = *holder->m_children;
    TreeItem* const* items = siblings.items();
    // A cached row is right exactly when the sibling at that position is this item.
    if (m_row < siblings.size && items[m_row] == this)
        return m_row;
    // Positions below rowsValid hold right rows, so this item lies further on.
    int i = siblings.rowsValid;
    for (; i < siblings.size; ++i) {
        items[i]->m_row = i;
        if (items[i] == this)
            break;
    }
    siblings.rowsValid = std::min(i + 1, siblings.size);
    return m_row;
}

std::string_view TreeControl::GetItemText(const TreeItem* item) const {
    if (item->m_flags & TreeItem::OwnLabel)
        return m_ownLabels.find(item)->second;
    return SourceLabel(item->m_value).value_or(std::string_view());
}

std::uint64_t TreeControl::ItemId(const TreeItem* item) const {
    if (!(item->m_flags & TreeItem::HasId)) {
        m_ids[item] = ++m_lastId;
        item->m_flags |= TreeItem::HasId;
    }
    return GivenItemId(item);
}

std::uint64_t TreeControl::GivenItemId(const TreeItem* item) const {
    return item->m_flags & TreeItem::HasId ? m_ids.find(item)->second : 0;
}

TreeItem* TreeItem::parent() const {
    // Top-level items hang below the invisible holder, which has no parent itself.
    return m_parent && m_parent->m_parent ? m_parent : nullptr;
}

TreeControl::TreeControl() : m_top(NewItem()) {
    m_top->m_expanded = true;
}

TreeItem* TreeControl::NewItem() {
    return new TreeItem;
}

void TreeControl::AssignLabel(TreeItem* item, std::string_view label) {
    const std::optional<std::string_view> source = SourceLabel(item->m_value);
    // A load passes the memo's own title: no need to compare it with itself.
    const bool same = source && source->data() == label.data() && source->size() == label.size();
    if (source ? same || *source == label : label.empty()) {
        if (item->m_flags & TreeItem::OwnLabel)
            m_ownLabels.erase(item);
        item->m_flags &= ~TreeItem::OwnLabel;
    } else {
        m_ownLabels[item] = std::string(label);
        item->m_flags |= TreeItem::OwnLabel;
    }
}

void TreeControl::InsertChild(TreeItem* holder, int row, TreeItem* item) {
    TreeItem::ChildList* list = holder->m_children;
    if (!list || list->size == list->capacity) {
        // A list takes 16 bytes of counts and 8 per child, and glibc hands out blocks of
        // 16·k − 8 usable bytes: capacities 3, 7, 15, … fill their blocks exactly (most
        // folders hold a few children). Long lists grow by half: doubling the top level of a
        // million-memo outline left megabytes of room unused.
        static_assert(sizeof(void*) != 8 || sizeof(TreeItem::ChildList) == 16);
        constexpr std::int32_t kLongList = 65536;
        const std::int32_t capacity = !list                        ? 3
                                      : list->capacity < kLongList ? list->capacity * 2 + 1
                                                                   : list->capacity + list->capacity / 2;
        auto* grown = static_cast<TreeItem::ChildList*>(
            ::operator new(sizeof(TreeItem::ChildList) + sizeof(TreeItem*) * static_cast<size_t>(capacity)));
        grown->size = list ? list->size : 0;
        grown->capacity = capacity;
        grown->rowsValid = list ? list->rowsValid : 0;
        if (list)
            std::copy_n(list->items(), list->size, grown->items());
        ::operator delete(list);
        holder->m_children = list = grown;
    }
    TreeItem** items = list->items();
    std::copy_backward(items + row, items + list->size, items + list->size + 1);
    items[row] = item;
    ++list->size;
    item->m_row = row;
    list->rowsValid = std::min(list->rowsValid, row);
}

void TreeControl::RemoveChild(TreeItem* holder, int row) {
    TreeItem::ChildList* list = holder->m_children;
    TreeItem** items = list->items();
    std::copy(items + row + 1, items + list->size, items + row);
    --list->size;
    list->rowsValid = std::min(list->rowsValid, row);
}

TreeControl::~TreeControl() {
    DestroySubtree(m_top);
}

// Level by level, so that destruction never recurses.
void TreeControl::DestroySubtree(TreeItem* item) {
    std::vector<TreeItem*> pending{item};
    while (!pending.empty()) {
        TreeItem* current = pending.back();
        pending.pop_back();
        for (int i = 0; i < current->childCount(); ++i)
            pending.push_back(current->child(i));
        if (current->m_flags & TreeItem::OwnLabel)
            m_ownLabels.erase(current);
        if (current->m_flags & TreeItem::HasId)
            m_ids.erase(current);
        delete current;
    }
}

size_t TreeControl::CountSubtree(TreeItem* item) const {
    size_t count = 0;
    ForEachPreOrder(item, [&count](TreeItem*) { ++count; });
    return count;
}

TreeItem* TreeControl::InsertItem(std::string_view label, int image, std::int32_t value, TreeItem* parent, Where where,
                                  TreeItem* after) {
    TreeItem* holder = parent ? parent : m_top;
    int row = 0;
    if (where == Where::Last)
        row = holder->childCount();
    else if (where == Where::After && after && after->m_parent == holder)
        row = after->row() + 1;
    if (m_observer)
        m_observer->BeforeInsert(parent, row);
    TreeItem* raw = NewItem();
    raw->m_image = image;
    raw->m_value = value;
    AssignLabel(raw, label);
    raw->m_parent = holder;
    InsertChild(holder, row, raw);
    ++m_count;
    if (m_observer)
        m_observer->AfterInsert(raw);
    if (m_editLog)
        m_editLog->AfterInsert(raw);
    return raw;
}

void TreeControl::DeleteItem(TreeItem* item) {
    if (!item || item == m_top)
        return;
    TreeItem* newCaret = nullptr;
    bool caretMoves = m_caret && IsAncestorOrSelf(item, m_caret);
    if (caretMoves) {
        newCaret = GetNextSibling(item);
        if (!newCaret)
            newCaret = GetPrevSibling(item);
        if (!newCaret)
            newCaret = item->parent();
    }
    if (m_dropHighlight && IsAncestorOrSelf(item, m_dropHighlight))
        m_dropHighlight = nullptr;
    if (m_editLog)
        m_editLog->BeforeDelete(item);
    if (m_observer)
        m_observer->BeforeRemove(item);
    size_t removed = CountSubtree(item);
    RemoveChild(item->m_parent, item->row());
    m_count -= removed;
    if (caretMoves)
        m_caret = newCaret;
    DestroySubtree(item);
    if (m_observer)
        m_observer->AfterRemove();
    if (caretMoves) {
        if (m_observer)
            m_observer->CaretChanged(nullptr, newCaret);
        if (m_notify)
            m_notify->OnSelChanged(nullptr, newCaret);
    }
}

void TreeControl::DeleteAllItems() {
    if (m_observer)
        m_observer->BeforeReset();
    TreeItem* top = NewItem();
    top->m_expanded = true;
    std::swap(top, m_top);
    DestroySubtree(top);
    m_caret = nullptr;
    m_dropHighlight = nullptr;
    m_count = 0;
    if (m_observer)
        m_observer->AfterReset();
}

void TreeControl::SetLabel(TreeItem* item, std::string_view label) {
    if (m_editLog && GetItemText(item) != label)
        m_editLog->BeforeItemChange(item);
    AssignLabel(item, label);
    if (m_observer)
        m_observer->ItemChanged(item);
}

void TreeControl::SetImage(TreeItem* item, int image) {
    if (item->m_image == image)
        return;
    if (m_editLog)
        m_editLog->BeforeItemChange(item);
    item->m_image = image;
    if (m_observer)
        m_observer->ItemChanged(item);
}

void TreeControl::Expand(TreeItem* item, bool expand) {
    if (!item || item->m_expanded == expand)
        return;
    if (m_editLog)
        m_editLog->BeforeItemChange(item);
    item->m_expanded = expand;
    if (m_observer)
        m_observer->ExpandedChanged(item);
}

void TreeControl::UserExpand(TreeItem* item, bool expand) {
    if (!item || !HasChildren(item) || item->m_expanded == expand)
        return;
    Expand(item, expand);
    if (m_notify)
        m_notify->OnItemExpanded(item);
}

void TreeControl::RevealAncestors(TreeItem* item) {
    if (!item)
        return;
    std::vector<TreeItem*> ancestors;
    for (TreeItem* p = item->parent(); p; p = p->parent())
        ancestors.push_back(p);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
        if (!(*it)->m_expanded)
            UserExpand(*it, true);
}

void TreeControl::Select(TreeItem* item) {
    RevealAncestors(item);
    if (item == m_caret)
        return;
    TreeItem* old = m_caret;
    RestoreCaret(item);
    if (m_notify)
        m_notify->OnSelChanged(old, item);
}

void TreeControl::RestoreCaret(TreeItem* item) {
    if (item == m_caret)
        return;
    TreeItem* old = m_caret;
    m_caret = item;
    if (m_observer)
        m_observer->CaretChanged(old, item);
}

void TreeControl::SetDropHighlight(TreeItem* item) {
    if (item == m_dropHighlight)
        return;
    TreeItem* old = m_dropHighlight;
    m_dropHighlight = item;
    if (m_observer)
        m_observer->DropHighlightChanged(old, item);
}

void TreeControl::EnsureVisible(TreeItem* item) {
    if (item && m_observer)
        m_observer->EnsureVisible(item);
}

TreeItem* TreeControl::GetRoot() const {
    return m_top->childCount() == 0 ? nullptr : m_top->child(0);
}

TreeItem* TreeControl::GetChild(TreeItem* item) const {
    return item && item->childCount() > 0 ? item->child(0) : nullptr;
}

TreeItem* TreeControl::GetNextSibling(TreeItem* item) const {
    if (!item || !item->m_parent)
        return nullptr;
    int next = item->row() + 1;
    return next < item->m_parent->childCount() ? item->m_parent->child(next) : nullptr;
}

TreeItem* TreeControl::GetPrevSibling(TreeItem* item) const {
    if (!item || !item->m_parent)
        return nullptr;
    int row = item->row();
    return row == 0 ? nullptr : item->m_parent->child(row - 1);
}

TreeItem* TreeControl::GetNextVisible(TreeItem* item) const {
    if (!item)
        return nullptr;
    if (item->m_expanded && HasChildren(item))
        return item->child(0);
    for (TreeItem* p = item; p; p = p->parent())
        if (TreeItem* next = GetNextSibling(p))
            return next;
    return nullptr;
}

TreeItem* TreeControl::GetPrevVisible(TreeItem* item) const {
    if (!item)
        return nullptr;
    TreeItem* prev = GetPrevSibling(item);
    if (!prev)
        return item->parent();
    while (prev->m_expanded && HasChildren(prev))
        prev = prev->child(prev->childCount() - 1);
    return prev;
}

bool TreeControl::FirstChildIsNextVisible(TreeItem* item) const {
    return item && HasChildren(item) && item->m_expanded;
}

bool TreeControl::IsAncestorOrSelf(TreeItem* ancestor, TreeItem* item) const {
    for (TreeItem* p = item; p; p = p->parent())
        if (p == ancestor)
            return true;
    return false;
}

} // namespace kardel
