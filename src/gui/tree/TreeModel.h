#pragma once
#include "core/tree/TreeControl.h"

#include <QAbstractItemModel>

#include <functional>

namespace kardel {
class CKardelDoc;
}

namespace kardel::gui {

// The outline as a Qt model. Indexes point at the core's tree items, never at memo
// indices, so renumbering never disturbs the view; the model holds no data of its own.
class TreeModel : public QAbstractItemModel, public ITreeControlObserver {
    Q_OBJECT
public:
    enum Role { DueMarkRole = Qt::UserRole + 1, DropHighlightRole };

    TreeModel(CKardelDoc& doc, TreeControl& tree, QObject* parent = nullptr);
    ~TreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    QModelIndex IndexOf(TreeItem* item) const;
    // True between a change's Before* and After*: the view's own current-index moves then
    // are side effects, not the user's choice.
    bool IsChanging() const { return m_changing > 0; }
    // Loading a whole document: the view hears of it as one reset, not item by item.
    void BeginBulk();
    void EndBulk();
    static TreeItem* ItemOf(const QModelIndex& index);

    // Renaming in place: the core decides whether the new label (cp932) is taken.
    std::function<void(TreeItem*, const std::string&)> onRename;

    // ITreeControlObserver
    void BeforeInsert(TreeItem* parent, int row) override;
    void AfterInsert(TreeItem* item) override;
    void BeforeRemove(TreeItem* item) override;
    void AfterRemove() override;
    void ItemChanged(TreeItem* item) override;
    void ExpandedChanged(TreeItem* item) override;
    void CaretChanged(TreeItem* oldItem, TreeItem* newItem) override;
    void DropHighlightChanged(TreeItem* oldItem, TreeItem* newItem) override;
    void EnsureVisible(TreeItem* item) override;
    void BeforeReset() override;
    void AfterReset() override;

signals:
    void ExpandedStateChanged(const QModelIndex& index, bool expanded);
    void CaretMoved(const QModelIndex& index);
    void ScrollTo(const QModelIndex& index);

private:
    void EndChange();

    CKardelDoc& m_doc;
    TreeControl& m_tree;
    int m_changing = 0;
    bool m_bulk = false;
};

} // namespace kardel::gui
