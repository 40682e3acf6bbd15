#include "search/FindPane.h"

#include "IconList.h"
#include "search/CKdListView.h"
#include "search/FindModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace kardel::gui {
namespace {

class FindDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
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

FindPane::FindPane(CKdListView& list, QWidget* parent) : QTreeView(parent), m_list(list) {
    setObjectName("findPane");
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
    if (current.isValid() && !m_list.IsRebuilding())
        m_list.OnRowSelected(current.row());
}

void FindPane::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    QPoint global = event->globalPosition().toPoint();
    m_list.OnRightClick(index.row(), global.x(), global.y());
}

} // namespace kardel::gui
