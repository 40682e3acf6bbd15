#include "tree/TreePane.h"

#include "IconList.h"
#include "tree/TreeModel.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <utility>
#include <vector>

namespace kardel::gui {
namespace {

const char* const kDragMime = "application/x-kardel-tree-item";

// Draws the due mark over a due or overdue memo's icon, and the drop highlight.
class DueMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        if (index.data(TreeModel::DropHighlightRole).toBool())
            opt.state |= QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, opt, index);
        if (!index.data(TreeModel::DueMarkRole).toBool())
            return;
        initStyleOption(&opt, index);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        QRect iconRect = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, widget);
        painter->drawPixmap(iconRect.topLeft(), IconList::Instance().Pixmap(IconList::kDueMark));
    }
};

} // namespace

TreePane::TreePane(TreeControl& tree, TreeModel& model, QWidget* parent)
    : QTreeView(parent), m_tree(tree), m_model(model) {
    setObjectName("treePane");
    setModel(&model);
    setHeaderHidden(true);
    // Long titles scroll sideways instead of being cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // Only the rows on screen are measured: a large outline must not lay out every label.
    header()->setResizeContentsPrecision(0);
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    setItemDelegate(new DueMarkDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setExpandsOnDoubleClick(true);

    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (m_syncing)
            return;
        TreeItem* item = TreeModel::ItemOf(index);
        if (Depth(item) >= kMaxShownDepth) {
            // Deeper than the view lays out: it stays closed here, and the core keeps its state.
            m_syncing = true;
            collapse(index);
            m_syncing = false;
            return;
        }
        m_tree.UserExpand(item, true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!m_syncing)
            m_tree.UserExpand(TreeModel::ItemOf(index), false);
    });
    connect(&model, &TreeModel::ExpandedStateChanged, this, [this](const QModelIndex& index, bool expanded) {
        if (isExpanded(index) == expanded || (expanded && Depth(TreeModel::ItemOf(index)) >= kMaxShownDepth))
            return;
        m_syncing = true;
        setExpanded(index, expanded);
        m_syncing = false;
    });
    connect(&model, &TreeModel::CaretMoved, this, [this](const QModelIndex& caret) {
        const QModelIndex index = ShownIndex(caret);
        if (currentIndex() == index)
            return;
        m_syncing = true;
        setCurrentIndex(index);
        m_syncing = false;
    });
    connect(&model, &TreeModel::ScrollTo, this, [this](const QModelIndex& index) { scrollTo(index); });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] { SyncExpansion(); });
    // The remembered depth names an item that may be about to go.
    auto forget = [this] { m_depthItem = nullptr; };
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, forget);
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, this, forget);
    connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, this, forget);
}

int TreePane::Depth(TreeItem* item) {
    if (!item)
        return 0;
    TreeItem* parent = item->parent();
    int depth = 0;
    // Walks in pre-order (opening everything, say) ask for a child right after its parent.
    if (parent && parent == m_depthItem) {
        depth = std::min(m_depth + 1, kMaxShownDepth + 1);
    } else {
        for (TreeItem* p = parent; p && depth <= kMaxShownDepth; p = p->parent())
            ++depth;
    }
    m_depthItem = item;
    m_depth = depth;
    return depth;
}

QModelIndex TreePane::ShownIndex(const QModelIndex& index) {
    TreeItem* item = TreeModel::ItemOf(index);
    if (!item || Depth(item) <= kMaxShownDepth)
        return index;
    int depth = 0;
    for (TreeItem* p = item->parent(); p; p = p->parent())
        ++depth;
    for (; depth > kMaxShownDepth; --depth)
        item = item->parent();
    return m_model.IndexOf(item);
}

void TreePane::SyncExpansion() {
    m_syncing = true;
    // Folders open in the core open here down to the depth the view lays out; deeper ones
    // stay closed in the view only.
    std::vector<std::pair<TreeItem*, int>> pending;
    for (int row = m_tree.TopLevelCount(); row-- > 0;)
        pending.emplace_back(m_tree.TopLevelItem(row), 0);
    while (!pending.empty()) {
        auto [item, depth] = pending.back();
        pending.pop_back();
        if (depth >= kMaxShownDepth)
            continue;
        if (item->expanded() && item->childCount() > 0)
            setExpanded(m_model.IndexOf(item), true);
        for (int row = item->childCount(); row-- > 0;)
            pending.emplace_back(item->child(row), depth + 1);
    }
    setCurrentIndex(ShownIndex(m_model.IndexOf(m_tree.GetCaret())));
    m_syncing = false;
}

void TreePane::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // QTreeView opens every closed ancestor of the row it scrolls to; a row deeper than the
    // view shows is stood for by its deepest shown ancestor.
    QTreeView::scrollTo(ShownIndex(index), hint);
}

TreeItem* TreePane::ItemAt(const QPoint& viewportPos) const {
    return TreeModel::ItemOf(indexAt(viewportPos));
}

void TreePane::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (!m_syncing && !m_model.IsChanging() && current.isValid())
        m_tree.Select(TreeModel::ItemOf(current));
}

void TreePane::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    // Right-clicking empty space shows no menu and keeps the selection.
    TreeItem* item = ItemAt(event->position().toPoint());
    if (!item)
        return;
    m_tree.Select(item);
    if (onContextMenu)
        onContextMenu(event->globalPosition().toPoint());
}

void TreePane::mouseDoubleClickEvent(QMouseEvent* event) {
    TreeItem* item = ItemAt(event->position().toPoint());
    if (item && event->button() == Qt::LeftButton && onDoubleClick)
        onDoubleClick(item);
    QTreeView::mouseDoubleClickEvent(event);
}

void TreePane::startDrag(Qt::DropActions) {
    TreeItem* item = TreeModel::ItemOf(currentIndex());
    if (!item)
        return;
    if (onBeginDrag)
        onBeginDrag(item);
    auto* mime = new QMimeData;
    mime->setData(kDragMime, QByteArray::number(reinterpret_cast<quintptr>(item)));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(IconList::Instance().Pixmap(item->image()));
    m_dragging = true;
    Qt::DropAction result = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    if (m_dragging && onDragEndedOutside)
        onDragEndedOutside(QApplication::keyboardModifiers() & Qt::ControlModifier);
    m_dragging = false;
    Q_UNUSED(result);
}

void TreePane::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && event->mimeData()->hasFormat(kDragMime))
        event->acceptProposedAction();
    else
        event->ignore(); // files and foreign drags have no meaning here
}

void TreePane::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeView::dragMoveEvent(event); // scrolls near the edges
    if (onDragOver)
        onDragOver(ItemAt(event->position().toPoint()));
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void TreePane::dragLeaveEvent(QDragLeaveEvent* event) {
    if (onDragOver)
        onDragOver(nullptr);
    QTreeView::dragLeaveEvent(event);
}

void TreePane::dropEvent(QDropEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    m_dragging = false;
    // Copy or move is decided by the Ctrl key at the moment of release.
    const bool copy = (QApplication::keyboardModifiers() | event->modifiers()) & Qt::ControlModifier;
    if (onDrop)
        onDrop(ItemAt(event->position().toPoint()), copy);
    // The core has already rebuilt the tree; Qt must not move rows itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
}

} // namespace kardel::gui
