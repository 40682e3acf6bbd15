#pragma once
#include "core/search/IFindListObserver.h"

#include <QAbstractTableModel>

#include <vector>

namespace kardel {
class CKdListView;
class CMemoItem;
} // namespace kardel

namespace kardel::gui {

// FindView's rows as a Qt model: every cell is read from CKdListView when asked for.
class FindModel : public QAbstractTableModel, public IFindListObserver {
    Q_OBJECT
public:
    enum Role { DueMarkRole = Qt::UserRole + 1 };

    explicit FindModel(CKdListView& list, QObject* parent = nullptr);
    ~FindModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // IFindListObserver
    void BeforeReset() override;
    void AfterReset() override;
    void BeforeSort() override;
    void AfterSort() override;
    void RowChanged(int row) override;
    void HeaderChanged() override;
    void SelectRow(int row) override;

signals:
    void HeaderTextsChanged();
    void RowSelectedByList(int row);

private:
    CKdListView& m_list;
    // Across a sort, the view's selection and current row follow their memos.
    QModelIndexList m_sortingIndexes;
    std::vector<const CMemoItem*> m_sortingMemos;
};

} // namespace kardel::gui
