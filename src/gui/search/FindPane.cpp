#include "gui/search/FindPane.h"

#include "core/search/CKdListView.h"
#include "gui/common/IconList.h"
#include "gui/search/FindModel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace kardel::gui {
namespace {

// Draws the cell with its grid lines, and the due mark over a due or overdue memo's icon.
class FindDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(FindPane::GridColour(option.palette));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
        if (!index.data(FindModel::DueMarkRole).toBool())
            return;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        QRect iconRect = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, option.widget);
        painter->drawPixmap(iconRect.topLeft(), IconList::Instance().Pixmap(IconList::kDueMark));
    }
};

} // namespace

QColor FindPane::GridColour(const QPalette& palette) {
    return palette.color(QPalette::Midlight);
}

QFont FindPane::ListFont() {
    // The stored column widths are pixels measured with a 12-pixel Japanese UI font, in
    // which a 75-pixel column holds a whole date; the list keeps that measure.
    QFont font = QApplication::font();
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"MS UI Gothic", "Noto Sans CJK JP", "IPAexGothic", "IPAPGothic", "VL PGothic"}) {
        if (families.contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            break;
        }
    }
    font.setPixelSize(12);
    // Whatever font is left, a date must fit the default date column.
    const QString date = QStringLiteral("2025/01/01");
    const int margins = 2 * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(date) + margins > kDateColumnWidth)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

FindPane::FindPane(CKdListView& list, QWidget* parent) : QTreeView(parent), m_list(list) {
    setObjectName("findPane");
    setFont(ListFont());
    m_model = new FindModel(list, this);
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setIconSize(QSize(16, 16));
    setItemDelegate(new FindDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) { m_list.OnHeaderClick(column); });
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (!m_applying && m_list.IsColumnShown(column))
            m_list.SetColumnWidth(column, size);
    });
    connect(m_model, &FindModel::HeaderTextsChanged, this, &FindPane::ApplyColumns);
    connect(m_model, &FindModel::RowSelectedByList, this, [this](int row) {
        QModelIndex index = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        setFocus();
    });
    m_list.SetRowHeight(sizeHintForRow(0) > 0 ? sizeHintForRow(0) : fontMetrics().height() + 4);
    ApplyColumns();
}

void FindPane::ApplyColumns() {
    m_applying = true;
    for (int column = 0; column < CKdListView::kColumnCount; ++column) {
        setColumnHidden(column, !m_list.IsColumnShown(column));
        if (m_list.IsColumnShown(column))
            setColumnWidth(column, m_list.ColumnWidth(column));
    }
    m_applying = false;
}

void FindPane::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (current.isValid() && !m_list.IsRebuilding()) {
        m_rowSelectedByPress = true;
        m_list.OnRowSelected(current.row());
    }
}

void FindPane::mousePressEvent(QMouseEvent* event) {
    m_rowSelectedByPress = false;
    QTreeView::mousePressEvent(event);
    QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    if (event->button() == Qt::LeftButton) {
        // Clicking the row that is already current still shows its memo in TreeView.
        if (!m_rowSelectedByPress && selectionModel()->isRowSelected(index.row(), {}))
            m_list.OnRowSelected(index.row());
        return;
    }
    if (event->button() != Qt::RightButton)
        return;
    QPoint global = event->globalPosition().toPoint();
    m_list.OnRightClick(index.row(), global.x(), global.y());
}

} // namespace kardel::gui
