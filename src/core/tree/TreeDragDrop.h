#pragma once

namespace kardel {

class CKdTreeView;
class TreeItem;

// Dragging a memo inside the TreeView onto another memo. The skin draws the drag
// image, captures the mouse and hit-tests; every decision is taken here.
class TreeDragDrop {
public:
    explicit TreeDragDrop(CKdTreeView& view) : m_view(view) {}

    // The control's begin-drag notification for `item`. True when a drag starts;
    // the skin then makes the drag image and calls Abandon() if it cannot.
    bool Begin(TreeItem* item);
    // Ends a drag without a drop (no drag image, or the user cancelled): the drop
    // highlight goes and nothing else changes.
    void Abandon();
    // A mouse move while dragging, with the item under the cursor or nullptr.
    void Hover(TreeItem* item);
    // The left button went up; `copy` is the control key's state at that moment.
    // True when the drop changed the document.
    bool Drop(bool copy);
    // Whether a drop with this key state would be refused (no target, onto the
    // dragged item or its subtree, a move onto its own parent).
    bool IsRefused(bool copy) const;

    bool m_bDragging = false;
    TreeItem* m_hDragItem = nullptr;
    TreeItem* m_hDropTarget = nullptr;

private:
    CKdTreeView& m_view;
};

} // namespace kardel
