#pragma once
#include <QTreeView>

#include <functional>

namespace kardel {
class TreeControl;
class TreeItem;
} // namespace kardel

namespace kardel::gui {

class TreeModel;

// TreeView's widget: shows the core tree through TreeModel and hands selection, expansion,
// renaming, double clicks, right clicks and drags to the core.
class TreePane : public QTreeView {
    Q_OBJECT
public:
    TreePane(TreeControl& tree, TreeModel& model, QWidget* parent = nullptr);

    // Sets every item's expansion from the core after a bulk load.
    void SyncExpansion();

    TreeItem* ItemAt(const QPoint& viewportPos) const;

    std::function<void(TreeItem*)> onDoubleClick;
    std::function<void(const QPoint& globalPos)> onContextMenu;
    // Dragging: the core decides what hovering and dropping mean.
    std::function<void(TreeItem*)> onBeginDrag;
    std::function<void(TreeItem* target)> onDragOver; // nullptr: outside any item
    std::function<void(TreeItem* target, bool copy)> onDrop;
    // The button went up outside the tree (another pane, another window).
    std::function<void(bool copy)> onDragEndedOutside;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TreeControl& m_tree;
    TreeModel& m_model;
    bool m_syncing = false;
    bool m_dragging = false;
};

} // namespace kardel::gui
