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
//
// QTreeView lays out open folders recursively, one stack frame per level, so the view opens
// folders only down to kMaxShownDepth levels below the root. Deeper open folders stay open in
// the core (and in the file) and show closed here; a memo below them is stood for by its
// deepest shown ancestor when it is selected.
class TreePane : public QTreeView {
    Q_OBJECT
public:
    static constexpr int kMaxShownDepth = 1000;

    TreePane(TreeControl& tree, TreeModel& model, QWidget* parent = nullptr);

    // Sets every item's expansion from the core after a bulk load.
    void SyncExpansion();

    TreeItem* ItemAt(const QPoint& viewportPos) const;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

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
    // Levels above `item` (0 for the root), counted no further than kMaxShownDepth + 1.
    int Depth(TreeItem* item);
    // The row that shows `index`: itself, or its ancestor at the deepest shown level.
    QModelIndex ShownIndex(const QModelIndex& index);

    TreeControl& m_tree;
    TreeModel& m_model;
    TreeItem* m_depthItem = nullptr; // the last item Depth answered for, and its depth
    int m_depth = 0;
    bool m_syncing = false;
    bool m_dragging = false;
};

} // namespace kardel::gui
