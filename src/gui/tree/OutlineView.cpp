#include "gui/tree/OutlineView.h"

#include "core/search/SjisText.h"
#include "core/tree/TreeControl.h"
#include "gui/common/Cp932Text.h"
#include "gui/tree/OutlineAccessible.h"
#include "gui/tree/TreeModel.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

namespace kardel::gui {

OutlineView::OutlineView(TreeControl& tree, TreeModel& model, QWidget* parent)
    : QAbstractItemView(parent), m_tree(tree), m_model(model), m_rows(tree) {
    // The rows name the core's items: from the moment items may go until they are gone,
    // the view shows none, and it walks the outline again first thing after, before the
    // item view's own handlers (connected by setModel) can ask where a row is.
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ClearRows(); });
    connect(&model, &QAbstractItemModel::rowsRemoved, this, [this] { OutlineChanged(); });
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { ClearRows(); });
    connect(&model, &QAbstractItemModel::layoutChanged, this, [this] { OutlineChanged(); });
    connect(&model, &TreeModel::ExpandedStateChanged, this, [this] { OutlineChanged(); });
    setModel(&model);
    static const bool accessible = (QAccessible::installFactory(&OutlineAccessible::Factory), true);
    Q_UNUSED(accessible);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionBehavior(SelectRows);
}

void OutlineView::ForgetMeasures() {
    m_measured.clear();
    if (m_accessible)
        m_accessible->ForgetRows();
}

void OutlineView::ClearRows() {
    m_rows.Clear();
    ForgetMeasures();
}

void OutlineView::OutlineChanged() {
    m_rows.Invalidate();
    ForgetMeasures();
    scheduleDelayedItemsLayout();
    viewport()->update();
}

void OutlineView::LayOutPending() const {
    // A change not laid out yet would answer with the last layout's rows and widths.
    const_cast<OutlineView*>(this)->executeDelayedItemsLayout();
}

int OutlineView::indentation() const {
    return style()->pixelMetric(QStyle::PM_TreeViewIndentation, nullptr, this);
}

int OutlineView::RowHeight() const {
    if (m_rowHeight > 0)
        return m_rowHeight;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex first = m_model.index(0, 0);
    int height = first.isValid() ? itemDelegateForIndex(first)->sizeHint(option, first).height() : 0;
    if (height <= 0)
        height = std::max(fontMetrics().height(), iconSize().height());
    // An empty outline measures again once it has a row.
    if (first.isValid())
        m_rowHeight = height;
    return height;
}

bool OutlineView::isExpanded(const QModelIndex& index) const {
    TreeItem* item = TreeModel::ItemOf(index);
    return item && ShownRows::ShowsOpen(item, ShownRows::Depth(item));
}

void OutlineView::setExpanded(const QModelIndex& index, bool expanded) {
    TreeItem* item = TreeModel::ItemOf(index);
    if (!item || (expanded && ShownRows::Depth(item) >= kMaxShownDepth))
        return;
    m_tree.UserExpand(item, expanded);
}

void OutlineView::Toggle(TreeItem* item) {
    setExpanded(m_model.IndexOf(item), !isExpanded(m_model.IndexOf(item)));
}

QModelIndex OutlineView::ShownIndex(const QModelIndex& index) const {
    TreeItem* item = TreeModel::ItemOf(index);
    TreeItem* shown = ShownRows::ShownItem(item);
    return shown == item ? index : m_model.IndexOf(shown);
}

int OutlineView::RowCount() const {
    LayOutPending();
    return m_rows.Count();
}

TreeItem* OutlineView::RowItem(int row) const {
    LayOutPending();
    return m_rows.At(row);
}

int OutlineView::RowOfItem(const TreeItem* item) const {
    LayOutPending();
    return m_rows.RowOf(item, RowsOnScreen().first);
}

std::pair<int, int> OutlineView::RowsOnScreen() const {
    const int height = RowHeight();
    const int first = verticalOffset() / height;
    const int last = std::min(m_rows.Count(), (verticalOffset() + viewport()->height() + height - 1) / height);
    return {first, last};
}

QRect OutlineView::visualRect(const QModelIndex& index) const {
    LayOutPending();
    const int row = RowOfItem(TreeModel::ItemOf(index));
    if (row < 0)
        return {};
    const int height = RowHeight();
    const int indent = indentation();
    const int left = indent * (ShownRows::Depth(TreeModel::ItemOf(index)) + 1);
    // A row off screen was not measured: it is given at least an icon's width.
    const int width = std::max(m_width - left, indent);
    return QRect(left - horizontalOffset(), row * height - verticalOffset(), width, height);
}

QModelIndex OutlineView::indexAt(const QPoint& point) const {
    LayOutPending();
    const int y = point.y() + verticalOffset();
    const int x = point.x() + horizontalOffset();
    if (y < 0 || x < 0 || x >= m_width)
        return {};
    return m_model.IndexOf(m_rows.At(y / RowHeight()));
}

TreeItem* OutlineView::BranchMarkAt(const QPoint& point) const {
    LayOutPending();
    const int y = point.y() + verticalOffset();
    TreeItem* item = y < 0 ? nullptr : m_rows.At(y / RowHeight());
    if (!item || item->childCount() == 0)
        return nullptr;
    const int indent = indentation();
    const int left = indent * ShownRows::Depth(item) - horizontalOffset();
    return point.x() >= left && point.x() < left + indent ? item : nullptr;
}

void OutlineView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const QModelIndex shown = ShownIndex(index);
    TreeItem* item = TreeModel::ItemOf(shown);
    if (!item)
        return;
    if (state() == NoState)
        m_tree.RevealAncestors(item);
    const int row = RowOfItem(item);
    if (row < 0)
        return;
    const int height = RowHeight();
    const int top = row * height;
    const int page = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    switch (hint) {
    case PositionAtTop:
        bar->setValue(top);
        break;
    case PositionAtBottom:
        bar->setValue(top + height - page);
        break;
    case PositionAtCenter:
        bar->setValue(top - (page - height) / 2);
        break;
    case EnsureVisible:
        if (top < bar->value())
            bar->setValue(top);
        else if (top + height > bar->value() + page)
            bar->setValue(top + height - page);
        break;
    }
    // Sideways, the row's mark and icon come into view.
    const int left = indentation() * ShownRows::Depth(item);
    QScrollBar* across = horizontalScrollBar();
    if (left < across->value() || left + 2 * indentation() > across->value() + viewport()->width())
        across->setValue(left);
}

QModelIndex OutlineView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers) {
    LayOutPending();
    const int count = m_rows.Count();
    if (count == 0)
        return {};
    // A current item inside a closed folder moves from the row that stands for it.
    TreeItem* item = TreeModel::ItemOf(ShownIndex(currentIndex()));
    int row = RowOfItem(item);
    while (row < 0 && item && item->parent()) {
        item = item->parent();
        row = RowOfItem(item);
    }
    if (row < 0)
        return m_model.IndexOf(m_rows.At(0));
    const QModelIndex current = m_model.IndexOf(item);
    const int page = std::max(1, viewport()->height() / RowHeight());
    auto rowIndex = [&](int target) { return m_model.IndexOf(m_rows.At(std::clamp(target, 0, count - 1))); };
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        return rowIndex(row - 1);
    case MoveDown:
    case MoveNext:
        return rowIndex(row + 1);
    case MovePageUp:
        return rowIndex(row - page);
    case MovePageDown:
        return rowIndex(row + page);
    case MoveHome:
        return rowIndex(0);
    case MoveEnd:
        return rowIndex(count - 1);
    case MoveLeft:
        // An open folder closes first; a closed one or a memo goes up to its parent.
        if (isExpanded(current)) {
            collapse(current);
            return current;
        }
        return item->parent() ? m_model.IndexOf(item->parent()) : current;
    case MoveRight:
        if (item->childCount() == 0)
            return current;
        if (!isExpanded(current)) {
            expand(current);
            return current;
        }
        return rowIndex(row + 1);
    }
    return current;
}

int OutlineView::horizontalOffset() const {
    return horizontalScrollBar()->value();
}

int OutlineView::verticalOffset() const {
    return verticalScrollBar()->value();
}

void OutlineView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    LayOutPending();
    const QRect area = rect.normalized();
    const int height = RowHeight();
    const int count = m_rows.Count();
    const int first = std::max(0, (area.top() + verticalOffset()) / height);
    const int last = std::min(count - 1, (area.bottom() + verticalOffset()) / height);
    QItemSelection selection;
    if (area.left() + horizontalOffset() < m_width)
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = m_model.IndexOf(m_rows.At(row));
            selection.select(index, index);
        }
    selectionModel()->select(selection, command);
}

QRegion OutlineView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int width = viewport()->width();
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const QRect rect = visualRect(m_model.index(row, 0, range.parent()));
            if (rect.isValid())
                region += QRect(0, rect.top(), width, rect.height());
        }
    return region;
}

void OutlineView::MeasureWidth() {
    const auto [first, last] = RowsOnScreen();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int indent = indentation();
    // Scrolling keeps most rows on screen; their widths hold until something changes.
    std::vector<MeasuredRow> measured;
    measured.reserve(size_t(std::max(last - first, 0)));
    int width = 0;
    for (int row = first; row < last; ++row) {
        TreeItem* item = m_rows.At(row);
        const size_t before = size_t(row - m_measuredFirst);
        int rowWidth = 0;
        if (row >= m_measuredFirst && before < m_measured.size() && m_measured[before].item == item) {
            rowWidth = m_measured[before].width;
        } else {
            const QModelIndex index = m_model.IndexOf(item);
            rowWidth =
                indent * (ShownRows::Depth(item) + 1) + itemDelegateForIndex(index)->sizeHint(option, index).width();
        }
        measured.push_back({item, rowWidth});
        width = std::max(width, rowWidth);
    }
    m_measured.swap(measured);
    m_measuredFirst = first;
    m_width = width;
    QScrollBar* across = horizontalScrollBar();
    across->setPageStep(viewport()->width());
    across->setSingleStep(indent);
    across->setRange(0, std::max(0, width - viewport()->width()));
}

void OutlineView::updateGeometries() {
    const int height = RowHeight();
    const qint64 total = qint64(m_rows.Count()) * height;
    QScrollBar* bar = verticalScrollBar();
    bar->setSingleStep(height);
    bar->setPageStep(viewport()->height());
    bar->setRange(0, int(std::clamp<qint64>(total - viewport()->height(), 0, std::numeric_limits<int>::max())));
    MeasureWidth();
    QAbstractItemView::updateGeometries();
}

void OutlineView::scrollContentsBy(int dx, int dy) {
    QAbstractItemView::scrollContentsBy(dx, dy);
    // Rows that came on screen may be wider or narrower than the ones that left.
    if (dy != 0)
        MeasureWidth();
}

void OutlineView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
    // An open editor follows its item's text; otherwise the rows on screen are drawn
    // again without looking for where the changed item is.
    if (state() == EditingState)
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) {
        m_measured.clear();
        scheduleDelayedItemsLayout();
    }
    viewport()->update();
}

void OutlineView::rowsInserted(const QModelIndex& parent, int start, int end) {
    OutlineChanged();
    QAbstractItemView::rowsInserted(parent, start, end);
}

void OutlineView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    ClearRows();
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
}

void OutlineView::reset() {
    m_rows.Invalidate();
    ForgetMeasures();
    m_rowHeight = 0;
    QAbstractItemView::reset();
}

void OutlineView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(RowOfItem(TreeModel::ItemOf(current)));
        QAccessible::updateAccessibility(&event);
    }
}

void OutlineView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive())
        return;
    for (const QModelIndex& index : selected.indexes()) {
        QAccessibleEvent event(this, QAccessible::SelectionAdd);
        event.setChild(RowOfItem(TreeModel::ItemOf(index)));
        QAccessible::updateAccessibility(&event);
    }
}

bool OutlineView::event(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_rowHeight = 0;
        m_measured.clear();
        scheduleDelayedItemsLayout();
    }
    return QAbstractItemView::event(event);
}

bool OutlineView::viewportEvent(QEvent* event) {
    // Styles that light the row under the pointer learn which it is; the item view
    // repaints the rows the pointer leaves and enters.
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        m_hover = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        m_hover = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QAbstractItemView::viewportEvent(event);
}

void OutlineView::DrawBranches(QPainter& painter, const QRect& rect, TreeItem* item, int depth) const {
    const int indent = indentation();
    QStyleOption option;
    option.initFrom(this);
    QStyle::State extra = QStyle::State_None;
    if (isEnabled())
        extra |= QStyle::State_Enabled;
    if (hasFocus())
        extra |= QStyle::State_Active;
    // The innermost cell holds the item's own mark; each cell further out continues the
    // line of the ancestor at that level when a sibling of it follows.
    QRect cell(rect.right() + 1 - indent, rect.top(), indent, rect.height());
    option.rect = cell;
    option.state = QStyle::State_Item | extra;
    if (m_tree.GetNextSibling(item))
        option.state |= QStyle::State_Sibling;
    if (item->childCount() > 0)
        option.state |= QStyle::State_Children;
    if (ShownRows::ShowsOpen(item, depth))
        option.state |= QStyle::State_Open;
    style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &painter, this);
    // Cells scrolled off to the left are not drawn; a deep row has a thousand of them.
    for (TreeItem* ancestor = item->parent(); ancestor && cell.left() > 0; ancestor = ancestor->parent()) {
        cell.translate(-indent, 0);
        option.rect = cell;
        option.state = extra;
        if (m_tree.GetNextSibling(ancestor))
            option.state |= QStyle::State_Sibling;
        style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &painter, this);
    }
}

void OutlineView::paintEvent(QPaintEvent* event) {
    LayOutPending();
    QPainter painter(viewport());
    const int height = RowHeight();
    const int indent = indentation();
    const QRect area = event->rect();
    const int count = m_rows.Count();
    const int first = std::max(0, (area.top() + verticalOffset()) / height);
    const int last = std::min(count - 1, (area.bottom() + verticalOffset()) / height);
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QModelIndex current = currentIndex();
    const bool focus = hasFocus() || viewport()->hasFocus();
    for (int row = first; row <= last; ++row) {
        TreeItem* item = m_rows.At(row);
        const int depth = ShownRows::Depth(item);
        const QModelIndex index = m_model.IndexOf(item);
        const int top = row * height - verticalOffset();
        const int left = indent * (depth + 1) - horizontalOffset();
        QStyleOptionViewItem option = base;
        option.viewItemPosition = QStyleOptionViewItem::OnlyOne;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        if (index == m_hover)
            option.state |= QStyle::State_MouseOver;
        // The selection runs under the branch marks too where the style says so.
        const QRect branches(-horizontalOffset(), top, indent * (depth + 1), height);
        option.rect = branches;
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
        DrawBranches(painter, branches, item, depth);
        option.rect = QRect(left, top, std::max(m_width - horizontalOffset() - left, 0), height);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void OutlineView::mousePressEvent(QMouseEvent* event) {
    // A press on a folder's mark opens or closes it and does nothing else.
    if (event->button() == Qt::LeftButton && state() == NoState) {
        if (TreeItem* folder = BranchMarkAt(event->position().toPoint())) {
            Toggle(folder);
            return;
        }
    }
    QAbstractItemView::mousePressEvent(event);
}

void OutlineView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (BranchMarkAt(pos))
        return; // the press opened or closed it
    const QPersistentModelIndex index = indexAt(pos);
    QAbstractItemView::mouseDoubleClickEvent(event);
    // A double click on a folder opens or closes it, unless it began editing.
    if (event->button() == Qt::LeftButton && index.isValid() && state() == NoState)
        if (TreeItem* item = TreeModel::ItemOf(index); item->childCount() > 0)
            Toggle(item);
}

void OutlineView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (current.isValid() && state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Asterisk:
            // Everything below the current item opens, as far down as the view shows.
            m_tree.ForEachPreOrder(TreeModel::ItemOf(current), [this](TreeItem* item) {
                if (item->childCount() > 0 && ShownRows::Depth(item) < kMaxShownDepth)
                    m_tree.UserExpand(item, true);
            });
            break;
        case Qt::Key_Plus:
            expand(current);
            break;
        case Qt::Key_Minus:
            collapse(current);
            break;
        default:
            break;
        }
    }
    QAbstractItemView::keyPressEvent(event);
}

void OutlineView::keyboardSearch(const QString& search) {
    const int count = m_rows.Count();
    if (count == 0 || search.isEmpty())
        return;
    const bool fresh = !m_typed.isValid() || m_typed.restart() > QApplication::keyboardInputInterval();
    if (!m_typed.isValid())
        m_typed.start();
    m_search = fresh ? search : m_search + search;
    // One key pressed again and again steps through the rows starting with it.
    const bool repeated = m_search.count(m_search.front()) == m_search.size();
    // The labels are compared as the core keeps them: a million rows are not converted.
    const std::string prefix = ToCp932(repeated ? m_search.left(1) : m_search);
    int start = std::max(RowOfItem(TreeModel::ItemOf(ShownIndex(currentIndex()))), 0);
    if (repeated)
        ++start;
    for (int step = 0; step < count; ++step) {
        TreeItem* item = m_rows.At((start + step) % count);
        if (SjisText::StartsWithFoldingCase(m_tree.GetItemText(item), prefix)) {
            setCurrentIndex(m_model.IndexOf(item));
            return;
        }
    }
}

} // namespace kardel::gui
