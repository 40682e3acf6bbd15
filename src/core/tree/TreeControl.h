#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kardel {

// Where the labels of items come from when the items do not hold their own: the owner
// keeps the text an item's value names (the outline's memo titles), so a million items
// do not each keep a copy of it.
class ITreeLabelSource {
public:
    virtual ~ITreeLabelSource() = default;
    // The text for an item value, or none when the value names no text.
    virtual std::optional<std::string_view> LabelOf(std::int32_t value) const = 0;
};

// One item of the tree control: image (the selected image is always the same), a 32-bit
// item value, ordered children and an expanded flag; the control answers for its label
// and id. An outline holds one per memo, so the record is kept small: a leaf owns no
// child list, and what few items have (a label of their own, an id someone asked for)
// the control keeps beside them.
class TreeItem {
public:
    TreeItem(const TreeItem&) = delete;
    TreeItem& operator=(const TreeItem&) = delete;
    // Items come from a block pool: a million of them cost no allocator headers.
    static void* operator new(std::size_t size);
    static void operator delete(void* item, std::size_t size) noexcept;

    int image() const { return m_image; }
    std::int32_t value() const { return m_value; }
    bool expanded() const { return m_expanded; }
    // The parent item; nullptr for a top-level item.
    TreeItem* parent() const;
    int childCount() const { return m_children ? m_children->size : 0; }
    TreeItem* child(int row) const { return m_children->items()[row]; }
    // Position among the parent's children. Rows are renumbered lazily: after an
    // insertion or removal among n siblings, the first query of a row at position
    // p costs O(p) once; after that it is O(1). A move at the top of a huge level
    // therefore does not touch every sibling.
    int row() const;

private:
    friend class TreeControl;
    TreeItem() = default;
    ~TreeItem();

    // The children in one allocation: the counts, then the item pointers.
    struct alignas(void*) ChildList {
        std::int32_t size;
        std::int32_t capacity;
        // Children below this position have their m_row right.
        mutable std::int32_t rowsValid;
        TreeItem** items() { return reinterpret_cast<TreeItem**>(this + 1); }
        TreeItem* const* items() const { return reinterpret_cast<TreeItem* const*>(this + 1); }
    };
    static_assert(sizeof(ChildList) % alignof(TreeItem*) == 0);

    enum Flag : std::uint8_t { OwnLabel = 1, HasId = 2 };

    TreeItem* m_parent = nullptr;    // the invisible top for top-level items
    ChildList* m_children = nullptr; // owned; nullptr until the first child
    std::int32_t m_value = 0;
    mutable std::int32_t m_row = 0;
    std::int32_t m_image = 0; // any stored value, kept as read
    bool m_expanded = false;
    mutable std::uint8_t m_flags = 0;
};

// What a widget showing the control learns, before and after each change.
class ITreeControlObserver {
public:
    virtual ~ITreeControlObserver() = default;
    virtual void BeforeInsert(TreeItem* parent, int row) = 0; // parent nullptr: top level
    virtual void AfterInsert(TreeItem* item) = 0;
    virtual void BeforeRemove(TreeItem* item) = 0;
    virtual void AfterRemove() = 0;
    virtual void ItemChanged(TreeItem* item) = 0; // label, image or value
    virtual void ExpandedChanged(TreeItem* item) = 0;
    virtual void CaretChanged(TreeItem* oldItem, TreeItem* newItem) = 0;
    virtual void DropHighlightChanged(TreeItem* oldItem, TreeItem* newItem) = 0;
    virtual void EnsureVisible(TreeItem* item) = 0;
    virtual void BeforeReset() = 0;
    virtual void AfterReset() = 0;
};

// What an edit history learns before each change of the outline's items, so that
// it can record how to reverse it. Moving the caret and the drop highlight are not
// reported: they are view state.
class ITreeEditLog {
public:
    virtual ~ITreeEditLog() = default;
    virtual void AfterInsert(TreeItem* item) = 0;
    virtual void BeforeDelete(TreeItem* item) = 0;     // the item and its subtree
    virtual void BeforeItemChange(TreeItem* item) = 0; // label, image or expanded flag
};

// What the owning pane is told, as the platform's tree control would notify it.
class ITreeControlNotify {
public:
    virtual ~ITreeControlNotify() = default;
    virtual void OnSelChanged(TreeItem* oldItem, TreeItem* newItem) = 0;
    // Expanded or collapsed by the user (or revealed by a selection), never by the program.
    virtual void OnItemExpanded(TreeItem* item) = 0;
};

// An ordered forest of items with a caret and a drop highlight: the model the
// outline lives in. Every walk is iterative, so any depth is safe.
class TreeControl {
public:
    enum class Where { First, Last, After };

    TreeControl();
    ~TreeControl();

    void SetNotify(ITreeControlNotify* notify) { m_notify = notify; }
    // Set before the first item is inserted.
    void SetLabelSource(const ITreeLabelSource* source) { m_labelSource = source; }
    void SetObserver(ITreeControlObserver* observer) { m_observer = observer; }
    ITreeControlObserver* observer() const { return m_observer; }
    void SetEditLog(ITreeEditLog* log) { m_editLog = log; }
    ITreeControlNotify* notify() const { return m_notify; }

    // Inserts under parent (nullptr: top level); `after` is used with Where::After.
    TreeItem* InsertItem(std::string_view label, int image, std::int32_t value, TreeItem* parent, Where where,
                         TreeItem* after = nullptr);
    // Deletes the item and its subtree. When the caret is inside it, the caret moves
    // to the next sibling, else the previous sibling, else the parent, and
    // OnSelChanged(nullptr, newCaret) reports it after the removal.
    void DeleteItem(TreeItem* item);
    void DeleteAllItems();

    void SetLabel(TreeItem* item, std::string_view label);
    // The label given when the item was inserted or last relabelled. When it was the
    // label source's text for the item's value, the control holds no copy and gives
    // that text as it is now.
    std::string_view GetItemText(const TreeItem* item) const;
    // A number that names this item and no other item the control ever held, so a
    // record of where something came from cannot mistake a later item for it. Given
    // when first asked for.
    std::uint64_t ItemId(const TreeItem* item) const;
    // The id given so far; 0 when none was asked for, so no record can name the item.
    std::uint64_t GivenItemId(const TreeItem* item) const;
    void SetImage(TreeItem* item, int image);
    // An item that shows its label source's text shows the new value's text from now on:
    // renumbering the values as the owner's array moves keeps every label.
    void SetValue(TreeItem* item, std::int32_t value) { item->m_value = value; }

    // Program-driven: no notification to the pane.
    void Expand(TreeItem* item, bool expand);
    // User-driven (clicks, keys, and revealing a selected item): the pane is told.
    void UserExpand(TreeItem* item, bool expand);
    // Expands the item's collapsed ancestors from the top down, as a user would.
    void RevealAncestors(TreeItem* item);
    // Moves the caret, first expanding collapsed ancestors as the user would.
    // Selecting the caret item again reports nothing.
    void Select(TreeItem* item);
    // Moves the caret without revealing it and without telling the pane: for putting
    // back a caret an edit history recorded.
    void RestoreCaret(TreeItem* item);
    void SetDropHighlight(TreeItem* item);
    void EnsureVisible(TreeItem* item);

    TreeItem* GetRoot() const; // first top-level item
    TreeItem* GetCaret() const { return m_caret; }
    TreeItem* GetDropHighlight() const { return m_dropHighlight; }
    TreeItem* GetParent(TreeItem* item) const { return item ? item->parent() : nullptr; }
    TreeItem* GetChild(TreeItem* item) const;
    TreeItem* GetNextSibling(TreeItem* item) const;
    TreeItem* GetPrevSibling(TreeItem* item) const;
    TreeItem* GetNextVisible(TreeItem* item) const;
    TreeItem* GetPrevVisible(TreeItem* item) const;
    bool HasChildren(TreeItem* item) const { return item && item->childCount() > 0; }
    // "Expanded" as the panes decide it: the first child is the next visible item.
    bool FirstChildIsNextVisible(TreeItem* item) const;
    size_t GetCount() const { return m_count; }
    int TopLevelCount() const { return m_top->childCount(); }
    TreeItem* TopLevelItem(int row) const { return m_top->child(row); }
    bool IsAncestorOrSelf(TreeItem* ancestor, TreeItem* item) const;

    // Visits item and its descendants, each before its children. A template, so that a
    // walk over a million items calls the visitor directly. The walk keeps one frame per
    // level it is in, not the waiting siblings: a level of half a million items costs it
    // nothing. The visitor may change items but not which children they have.
    template <class Visit> void ForEachPreOrder(TreeItem* item, Visit&& visit) const {
        if (!item)
            return;
        visit(item);
        struct Frame {
            TreeItem* parent;
            int next;
        };
        std::vector<Frame> path;
        if (item->childCount() > 0)
            path.push_back({item, 0});
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next == frame.parent->childCount()) {
                path.pop_back();
                continue;
            }
            TreeItem* child = frame.parent->child(frame.next++);
            visit(child);
            if (child->childCount() > 0)
                path.push_back({child, 0});
        }
    }
    template <class Visit> void ForEachItem(Visit&& visit) const {
        for (int i = 0; i < m_top->childCount(); ++i)
            ForEachPreOrder(m_top->child(i), visit);
    }

private:
    friend class TreeItem;
    std::optional<std::string_view> SourceLabel(std::int32_t value) const {
        return m_labelSource ? m_labelSource->LabelOf(value) : std::nullopt;
    }
    TreeItem* NewItem();
    // Keeps a copy of the label only when the label source does not give the same text.
    void AssignLabel(TreeItem* item, std::string_view label);
    void InsertChild(TreeItem* holder, int row, TreeItem* item);
    void RemoveChild(TreeItem* holder, int row);
    // Deletes the item and its subtree, which no longer hangs in the tree.
    void DestroySubtree(TreeItem* item);
    size_t CountSubtree(TreeItem* item) const;

    TreeItem* m_top; // invisible holder of the top-level items
    TreeItem* m_caret = nullptr;
    TreeItem* m_dropHighlight = nullptr;
    size_t m_count = 0;
    mutable std::uint64_t m_lastId = 0; // never reset: ids are not reused
    // What the few items that have them keep beside the item.
    std::unordered_map<const TreeItem*, std::string> m_ownLabels;
    mutable std::unordered_map<const TreeItem*, std::uint64_t> m_ids;
    ITreeControlNotify* m_notify = nullptr;
    ITreeControlObserver* m_observer = nullptr;
    ITreeEditLog* m_editLog = nullptr;
    const ITreeLabelSource* m_labelSource = nullptr;
};

} // namespace kardel
