#include "gui/tree/TreeModel.h"

#include "core/model/CKardelDoc.h"
#include "core/model/ShownTitle.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"

namespace kardel::gui {

TreeModel::TreeModel(CKardelDoc& doc, TreeControl& tree, QObject* parent)
    : QAbstractItemModel(parent), m_doc(doc), m_tree(tree) {
    m_tree.SetObserver(this);
    connect(&IconList::Instance(), &IconList::Changed, this, [this] {
        // A replaced definition icon shows everywhere at once. During a load the reset
        // that ends it shows every row afresh: a layout change then would lay out a
        // large outline twice.
        if (!m_bulk && rowCount() > 0) {
            emit layoutAboutToBeChanged();
            emit layoutChanged();
        }
    });
}

TreeModel::~TreeModel() {
    // The owner outlives the model's tree or detaches it first (see MainWindow).
    if (m_tree.observer() == this)
        m_tree.SetObserver(nullptr);
}

TreeItem* TreeModel::ItemOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<TreeItem*>(index.internalPointer()) : nullptr;
}

QModelIndex TreeModel::IndexOf(TreeItem* item) const {
    return item ? createIndex(item->row(), 0, item) : QModelIndex();
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (TreeItem* item = ItemOf(parent))
        return row < item->childCount() ? createIndex(row, 0, item->child(row)) : QModelIndex();
    return row < m_tree.TopLevelCount() ? createIndex(row, 0, m_tree.TopLevelItem(row)) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    TreeItem* item = ItemOf(child);
    return item ? IndexOf(item->parent()) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    if (TreeItem* item = ItemOf(parent))
        return item->childCount();
    return m_tree.TopLevelCount();
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool TreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    TreeItem* item = ItemOf(index);
    if (!item)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return FromCp932(ShownTitle::Cut(m_tree.GetItemText(item)));
    case Qt::EditRole:
        return FromCp932(m_tree.GetItemText(item));
    case Qt::DecorationRole:
        return IconList::Instance().Icon(item->image());
    case DueMarkRole: {
        CMemoItem* memo = m_doc.Memo(item->value());
        return memo && memo->ShowsDueMark();
    }
    case DropHighlightRole:
        return item == m_tree.GetDropHighlight();
    default:
        return {};
    }
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    const Qt::ItemFlags flags =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    // A childless item says so, and laying out a level asks nothing more of it (no
    // expanded-state lookup, no child count): most rows of a large outline are leaves.
    // The view reads the flag afresh each time it looks, so an item given a child later
    // shows and opens like any other.
    const TreeItem* item = ItemOf(index);
    return item && item->childCount() == 0 ? flags | Qt::ItemNeverHasChildren : flags;
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TreeItem* item = ItemOf(index);
    if (!item || role != Qt::EditRole || !onRename)
        return false;
    onRename(item, ToCp932(value.toString()));
    return true;
}

void TreeModel::EndChange() {
    --m_changing;
    // The view may have moved its current index on its own; the core's caret decides.
    emit CaretMoved(IndexOf(m_tree.GetCaret()));
}

void TreeModel::BeginBulk() {
    if (m_bulk)
        return;
    ++m_changing;
    beginResetModel();
    m_bulk = true;
}

void TreeModel::EndBulk() {
    if (!m_bulk)
        return;
    m_bulk = false;
    endResetModel();
    EndChange();
}

void TreeModel::BeforeInsert(TreeItem* parent, int row) {
    if (m_bulk)
        return;
    ++m_changing;
    beginInsertRows(IndexOf(parent), row, row);
}
void TreeModel::AfterInsert(TreeItem*) {
    if (m_bulk)
        return;
    endInsertRows();
    EndChange();
}

void TreeModel::BeforeRemove(TreeItem* item) {
    if (m_bulk)
        return;
    ++m_changing;
    beginRemoveRows(IndexOf(item->parent()), item->row(), item->row());
}
void TreeModel::AfterRemove() {
    if (m_bulk)
        return;
    endRemoveRows();
    EndChange();
}

void TreeModel::ItemChanged(TreeItem* item) {
    if (m_bulk)
        return;
    QModelIndex index = IndexOf(item);
    emit dataChanged(index, index);
}

void TreeModel::ExpandedChanged(TreeItem* item) {
    if (m_bulk)
        return;
    QModelIndex index = IndexOf(item);
    emit dataChanged(index, index, {Qt::DecorationRole});
    emit ExpandedStateChanged(index, item->expanded());
}

void TreeModel::CaretChanged(TreeItem*, TreeItem* newItem) {
    if (!m_bulk)
        emit CaretMoved(IndexOf(newItem));
}

void TreeModel::DropHighlightChanged(TreeItem* oldItem, TreeItem* newItem) {
    if (m_bulk)
        return;
    for (TreeItem* item : {oldItem, newItem}) {
        if (item) {
            QModelIndex index = IndexOf(item);
            emit dataChanged(index, index, {DropHighlightRole});
        }
    }
}

void TreeModel::EnsureVisible(TreeItem* item) {
    if (!m_bulk)
        emit ScrollTo(IndexOf(item));
}
void TreeModel::BeforeReset() {
    if (m_bulk)
        return;
    ++m_changing;
    beginResetModel();
}
void TreeModel::AfterReset() {
    if (m_bulk)
        return;
    endResetModel();
    EndChange();
}

} // namespace kardel::gui
