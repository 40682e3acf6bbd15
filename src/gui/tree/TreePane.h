#pragma once
#include "gui/tree/OutlineView.h"

#include <functional>

namespace kardel {
class TreeControl;
class TreeItem;
} // namespace kardel

namespace kardel::gui {

class TreeModel;

// TreeView's widget: shows the core tree through TreeModel and hands selection, expansion,
// renaming, double clicks, right clicks and drags to the core. A memo deeper than the view
// shows is stood for by its deepest shown ancestor when it is selected.
class TreePane : public OutlineView {
    Q_OBJECT
public:
    TreePane(TreeControl& tree, TreeModel& model, QWidget* parent = nullptr);

    TreeItem* ItemAt(const QPoint& viewportPos) const;
    // The item whose icon or label is at the point; blank space and indentation hit nothing.
    TreeItem* ItemHitOnLabel(const QPoint& viewportPos) const;
    // What a drag carries under the cursor: the item's icon and label.
    QPixmap DragImage(TreeItem* item) const;
    bool IsDragging() const { return m_dragging; }

    std::function<void(TreeItem*)> onDoubleClick;
    std::function<void(const QPoint& globalPos)> onContextMenu;
    // Dragging: the core decides what hovering and dropping mean. The pane holds the mouse
    // from the start of a drag to the button going up, wherever the cursor goes.
    std::function<bool(TreeItem*)> onBeginDrag;       // false: no drag
    std::function<void(TreeItem* target)> onDragOver; // nullptr: outside any item
    std::function<void(TreeItem* target, bool copy)> onDrop;
    // The button went up outside the tree (another pane, another window).
    std::function<void(bool copy)> onDragEndedOutside;
    // Escape ended the drag: nothing is dropped.
    std::function<void()> onDragCancelled;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void BeginDrag(const QPoint& viewportPos);
    void EndDrag();
    // Qt's current index back on the core's caret, after a press that did not select.
    void ShowCaret();

    bool m_syncing = false;
    // A left press on an item selects it only when the button goes up without a drag.
    bool m_pressing = false;
    bool m_pressSpent = false; // the press began a drag, or tried to
    QPersistentModelIndex m_pressIndex;
    QPersistentModelIndex m_pendingSelect;
    QPoint m_pressPos;
    bool m_dragging = false;
    QWidget* m_dragImage = nullptr;
};

} // namespace kardel::gui
