#include "gui/search/FindModel.h"

#include "core/model/CMemoItem.h"
#include "core/search/CKdListView.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"

namespace kardel::gui {

FindModel::FindModel(CKdListView& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) {
    m_list.SetObserver(this);
}

FindModel::~FindModel() {
    m_list.SetObserver(nullptr);
}

int FindModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.RowCount();
}

int FindModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : CKdListView::kColumnCount;
}

QVariant FindModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_list.RowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return FromCp932(m_list.ShownCellText(index.row(), index.column()));
    case Qt::DecorationRole:
        if (index.column() == 0)
            return IconList::Instance().Icon(m_list.RowIcon(index.row()));
        return {};
    case Qt::TextAlignmentRole:
        return int((CKdListView::IsColumnCentred(index.column()) ? Qt::AlignHCenter : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    case DueMarkRole:
        return index.column() == 0 && m_list.RowShowsDueMark(index.row());
    default:
        return {};
    }
}

QVariant FindModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= CKdListView::kColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return FromCp932(m_list.HeaderText(section));
    if (role == Qt::TextAlignmentRole)
        return int(CKdListView::IsColumnCentred(section) ? Qt::AlignHCenter : Qt::AlignLeft);
    return {};
}

void FindModel::BeforeReset() {
    beginResetModel();
}
void FindModel::AfterReset() {
    endResetModel();
}
void FindModel::BeforeSort() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_sortingIndexes = persistentIndexList();
    m_sortingMemos.clear();
    for (const QModelIndex& index : m_sortingIndexes)
        m_sortingMemos.push_back(m_list.RowMemo(index.row()));
}

void FindModel::AfterSort() {
    QModelIndexList moved;
    for (size_t i = 0; i < m_sortingMemos.size(); ++i) {
        // The sort renumbered each listed memo's row.
        const CMemoItem* memo = m_sortingMemos[i];
        const int column = m_sortingIndexes[qsizetype(i)].column();
        moved << (memo ? index(memo->m_nFindRow, column) : QModelIndex());
    }
    changePersistentIndexList(m_sortingIndexes, moved);
    m_sortingIndexes.clear();
    m_sortingMemos.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FindModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, CKdListView::kColumnCount - 1));
}

void FindModel::HeaderChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, CKdListView::kColumnCount - 1);
    emit HeaderTextsChanged();
}

void FindModel::SelectRow(int row) {
    emit RowSelectedByList(row);
}

} // namespace kardel::gui
