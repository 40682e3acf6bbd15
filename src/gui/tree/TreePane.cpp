#include "gui/tree/TreePane.h"

#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"
#include "gui/tree/TreeModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kardel::gui {
namespace {

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

TreePane::TreePane(TreeControl& tree, TreeModel& model, QWidget* parent) : OutlineView(tree, model, parent) {
    setObjectName("treePane");
    setIconSize(QSize(16, 16));
    setItemDelegate(new DueMarkDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // Dragging is the pane's own (mouse held, image at the cursor), not the desktop's.
    setDragEnabled(false);
    setAcceptDrops(false);

    connect(&model, &TreeModel::CaretMoved, this, [this](const QModelIndex& caret) {
        const QModelIndex index = ShownIndex(caret);
        if (currentIndex() == index)
            return;
        m_syncing = true;
        setCurrentIndex(index);
        m_syncing = false;
    });
    connect(&model, &TreeModel::ScrollTo, this, [this](const QModelIndex& index) { scrollTo(index); });
    // A loaded document shows with the core's caret current.
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        m_syncing = true;
        setCurrentIndex(ShownIndex(m_model.IndexOf(m_tree.GetCaret())));
        m_syncing = false;
    });
}

TreeItem* TreePane::ItemAt(const QPoint& viewportPos) const {
    return TreeModel::ItemOf(indexAt(viewportPos));
}

TreeItem* TreePane::ItemHitOnLabel(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return nullptr;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.index = index;
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.text = index.data(Qt::DisplayRole).toString();
    option.icon = index.data(Qt::DecorationRole).value<QIcon>();
    option.decorationSize = iconSize();
    const QRect icon = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    QRect label = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    // The text rectangle runs to the column's end; the label is only as wide as its text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    label.setWidth(std::min(label.width(), option.fontMetrics.horizontalAdvance(option.text) + 2 * margin));
    const int x = viewportPos.x();
    const bool hit = (x >= icon.left() && x <= icon.right()) || (x >= label.left() && x <= label.right());
    return hit ? TreeModel::ItemOf(index) : nullptr;
}

QPixmap TreePane::DragImage(TreeItem* item) const {
    if (!item)
        return {};
    const QFontMetrics metrics = fontMetrics();
    const QString label = metrics.elidedText(FromCp932(m_tree.GetItemText(item)), Qt::ElideRight, 600);
    constexpr int kGap = 3;
    const QSize size(IconList::kSize + kGap + metrics.horizontalAdvance(label) + 2,
                     std::max(IconList::kSize, metrics.height()));
    const qreal ratio = devicePixelRatioF();
    QPixmap image(size * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawPixmap(0, (size.height() - IconList::kSize) / 2, IconList::Instance().Pixmap(item->image()));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(IconList::kSize + kGap, 0, size.width() - IconList::kSize - kGap, size.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
    return image;
}

void TreePane::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    OutlineView::currentChanged(current, previous);
    if (m_syncing || m_model.IsChanging() || !current.isValid())
        return;
    if (m_pressing) {
        m_pendingSelect = current; // taken when the button goes up without a drag
        return;
    }
    m_tree.Select(TreeModel::ItemOf(current));
}

QItemSelectionModel::SelectionFlags TreePane::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    // A left press selects nothing yet: it may be the start of a drag.
    if (event && event->type() == QEvent::MouseButtonPress &&
        static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
        return QItemSelectionModel::NoUpdate;
    return OutlineView::selectionCommand(index, event);
}

void TreePane::ShowCaret() {
    m_syncing = true;
    selectionModel()->setCurrentIndex(ShownIndex(m_model.IndexOf(m_tree.GetCaret())),
                                      QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

void TreePane::mousePressEvent(QMouseEvent* event) {
    if (m_dragging)
        return; // other buttons while dragging do nothing
    if (event->button() == Qt::LeftButton) {
        m_pressing = true;
        m_pressSpent = false;
        m_pendingSelect = QPersistentModelIndex();
        m_pressPos = event->position().toPoint();
        // A drag begins only from an item's icon or label.
        m_pressIndex = m_model.IndexOf(ItemHitOnLabel(m_pressPos));
    }
    OutlineView::mousePressEvent(event);
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

void TreePane::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_dragging) {
        m_dragImage->move(event->globalPosition().toPoint());
        if (onDragOver)
            onDragOver(viewport()->rect().contains(pos) ? ItemAt(pos) : nullptr);
        return;
    }
    if (m_pressing && (event->buttons() & Qt::LeftButton)) {
        // A held button neither selects nor scrolls: it can only begin a drag.
        if (!m_pressSpent && m_pressIndex.isValid() &&
            (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance())
            BeginDrag(pos);
        return;
    }
    OutlineView::mouseMoveEvent(event);
}

void TreePane::BeginDrag(const QPoint& viewportPos) {
    m_pressSpent = true;
    m_pendingSelect = QPersistentModelIndex();
    TreeItem* item = TreeModel::ItemOf(m_pressIndex);
    if (!item || !onBeginDrag || !onBeginDrag(item))
        return;
    const QPixmap image = DragImage(item);
    if (image.isNull()) {
        if (onDragCancelled)
            onDragCancelled();
        return;
    }
    if (!m_dragImage) {
        auto* label = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
        label->setObjectName("treeDragImage");
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setAttribute(Qt::WA_ShowWithoutActivating);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setWindowOpacity(0.75);
        m_dragImage = label;
    }
    static_cast<QLabel*>(m_dragImage)->setPixmap(image);
    m_dragImage->resize(image.deviceIndependentSize().toSize());
    m_dragImage->move(viewport()->mapToGlobal(viewportPos));
    m_dragImage->show();
    m_dragging = true;
    viewport()->grabMouse();
    grabKeyboard();
}

void TreePane::EndDrag() {
    m_dragging = false;
    m_pressing = false;
    viewport()->releaseMouse();
    releaseKeyboard();
    viewport()->unsetCursor();
    if (m_dragImage)
        m_dragImage->hide();
}

void TreePane::mouseReleaseEvent(QMouseEvent* event) {
    const bool left = event->button() == Qt::LeftButton;
    if (m_dragging) {
        if (!left)
            return;
        const QPoint pos = event->position().toPoint();
        // Copy or move is decided by the Ctrl key at the moment of release.
        const bool copy = (event->modifiers() | QApplication::keyboardModifiers()) & Qt::ControlModifier;
        EndDrag();
        if (viewport()->rect().contains(pos)) {
            if (onDrop)
                onDrop(ItemAt(pos), copy);
        } else if (onDragEndedOutside) {
            onDragEndedOutside(copy);
        }
        ShowCaret();
        return;
    }
    if (left && m_pressSpent) {
        // The press began a drag (or tried to, on the root or the trash): the button going
        // up selects nothing.
        m_pressing = false;
        m_pressSpent = false;
        ShowCaret();
        return;
    }
    OutlineView::mouseReleaseEvent(event);
    if (!left || !m_pressing)
        return;
    m_pressing = false;
    const QPersistentModelIndex pending = m_pendingSelect;
    m_pendingSelect = QPersistentModelIndex();
    if (pending.isValid())
        m_tree.Select(TreeModel::ItemOf(pending));
    ShowCaret();
}

void TreePane::mouseDoubleClickEvent(QMouseEvent* event) {
    // The kind cycle needs the item's icon or label under the pointer, not blank space.
    TreeItem* item = ItemHitOnLabel(event->position().toPoint());
    if (item && event->button() == Qt::LeftButton && onDoubleClick)
        onDoubleClick(item);
    OutlineView::mouseDoubleClickEvent(event);
}

void TreePane::keyPressEvent(QKeyEvent* event) {
    if (!m_dragging) {
        // A key other than a modifier during a held click: the keyboard decides from here on.
        const int key = event->key();
        if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt && key != Qt::Key_Meta) {
            m_pressing = false;
            m_pendingSelect = QPersistentModelIndex();
        }
        OutlineView::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        // Escape ends the drag where it is, dropping nothing.
        EndDrag();
        if (onDragCancelled)
            onDragCancelled();
        ShowCaret();
    } else if (event->key() == Qt::Key_Control) {
        viewport()->setCursor(Qt::DragCopyCursor);
    }
}

void TreePane::keyReleaseEvent(QKeyEvent* event) {
    if (!m_dragging) {
        OutlineView::keyReleaseEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Control)
        viewport()->setCursor(Qt::ArrowCursor);
}

} // namespace kardel::gui
