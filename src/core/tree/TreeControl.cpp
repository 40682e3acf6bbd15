#include "core/tree/TreeControl.h"

#include "core/base/BlockPool.h"

#include <algorithm>

namespace kardel {

TreeItem::~TreeItem() = default;

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
    // A cached row is right exactly when the sibling at that position is this item.
    if (m_row < holder->childCount() && holder->m_children[m_row].get() == this)
        return m_row;
    // Positions below m_rowsValid hold right rows, so this item lies further on.
    int i = holder->m_rowsValid;
    const int count = holder->childCount();
    for (; i < count; ++i) {
        TreeItem* sibling = holder->m_children[i].get();
        sibling->m_row = i;
        if (sibling == this)
            break;
    }
    holder->m_rowsValid = std::min(i + 1, count);
    return m_row;
}

const std::string& TreeItem::label() const {
    static const std::string kNone;
    if (m_ownLabel)
        return *m_ownLabel;
    const std::string* source = m_control ? m_control->SourceLabel(m_value) : nullptr;
    return source ? *source : kNone;
}

TreeItem* TreeItem::parent() const {
    // Top-level items hang below the invisible holder, which has no parent itself.
    return m_parent && m_parent->m_parent ? m_parent : nullptr;
}

TreeControl::TreeControl() : m_top(NewItem()) {
    m_top->m_expanded = true;
}

std::unique_ptr<TreeItem> TreeControl::NewItem() {
    std::unique_ptr<TreeItem> item(new TreeItem);
    item->m_control = this;
    return item;
}

void TreeControl::AssignLabel(TreeItem* item, const std::string& label) {
    const std::string* source = SourceLabel(item->m_value);
    if (source ? *source == label : label.empty())
        item->m_ownLabel.reset();
    else if (item->m_ownLabel)
        *item->m_ownLabel = label;
    else
        item->m_ownLabel = std::make_unique<std::string>(label);
}

TreeControl::~TreeControl() {
    DestroySubtree(std::move(m_top));
}

// Children are detached level by level so that destruction never recurses.
void TreeControl::DestroySubtree(std::unique_ptr<TreeItem> item) {
    std::vector<std::unique_ptr<TreeItem>> pending;
    pending.push_back(std::move(item));
    while (!pending.empty()) {
        std::unique_ptr<TreeItem> current = std::move(pending.back());
        pending.pop_back();
        for (auto& child : current->m_children)
            pending.push_back(std::move(child));
        current->m_children.clear();
    }
}

size_t TreeControl::CountSubtree(TreeItem* item) const {
    size_t count = 0;
    ForEachPreOrder(item, [&count](TreeItem*) { ++count; });
    return count;
}

TreeItem* TreeControl::InsertItem(const std::string& label, int image, std::int32_t value, TreeItem* parent,
                                  Where where, TreeItem* after) {
    TreeItem* holder = parent ? parent : m_top.get();
    int row = 0;
    if (where == Where::Last)
        row = holder->childCount();
    else if (where == Where::After && after && after->m_parent == holder)
        row = after->row() + 1;
    if (m_observer)
        m_observer->BeforeInsert(parent, row);
    std::unique_ptr<TreeItem> item = NewItem();
    TreeItem* raw = item.get();
    raw->m_image = image;
    raw->m_value = value;
    AssignLabel(raw, label);
    raw->m_id = ++m_lastId;
    raw->m_parent = holder;
    holder->m_children.insert(holder->m_children.begin() + row, std::move(item));
    raw->m_row = row;
    holder->m_rowsValid = std::min(holder->m_rowsValid, row);
    ++m_count;
    if (m_observer)
        m_observer->AfterInsert(raw);
    if (m_editLog)
        m_editLog->AfterInsert(raw);
    return raw;
}

void TreeControl::DeleteItem(TreeItem* item) {
    if (!item || item == m_top.get())
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
    TreeItem* holder = item->m_parent;
    int row = item->row();
    std::unique_ptr<TreeItem> owned = std::move(holder->m_children[row]);
    holder->m_children.erase(holder->m_children.begin() + row);
    holder->m_rowsValid = std::min(holder->m_rowsValid, row);
    m_count -= removed;
    if (caretMoves)
        m_caret = newCaret;
    DestroySubtree(std::move(owned));
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
    std::unique_ptr<TreeItem> top = NewItem();
    top->m_expanded = true;
    std::swap(top, m_top);
    DestroySubtree(std::move(top));
    m_caret = nullptr;
    m_dropHighlight = nullptr;
    m_count = 0;
    if (m_observer)
        m_observer->AfterReset();
}

void TreeControl::SetLabel(TreeItem* item, const std::string& label) {
    if (m_editLog && item->label() != label)
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

void TreeControl::Select(TreeItem* item) {
    if (item) {
        // Reveal: expand collapsed ancestors from the top down, as a user would.
        std::vector<TreeItem*> ancestors;
        for (TreeItem* p = item->parent(); p; p = p->parent())
            ancestors.push_back(p);
        for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
            if (!(*it)->m_expanded)
                UserExpand(*it, true);
    }
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
    return m_top->m_children.empty() ? nullptr : m_top->child(0);
}

TreeItem* TreeControl::GetChild(TreeItem* item) const {
    return item && !item->m_children.empty() ? item->child(0) : nullptr;
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
