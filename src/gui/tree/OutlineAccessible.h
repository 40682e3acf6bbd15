#pragma once
#include <QAccessibleWidget>
#include <QPointer>

#include <unordered_map>

namespace kardel {
class TreeItem;
}

namespace kardel::gui {

class OutlineView;

// What a screen reader learns of the outline: a tree whose children are the shown rows,
// each with its label, its level and whether it is open, selected or current. Row
// interfaces are made when asked for and forgotten whenever the outline changes, since
// they name the core's items.
class OutlineAccessible : public QAccessibleWidget {
public:
    explicit OutlineAccessible(OutlineView* view);
    ~OutlineAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    void ForgetRows();
    // For QAccessible::installFactory.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

private:
    OutlineView* View() const;
    QAccessibleInterface* RowInterface(TreeItem* item) const;

    mutable std::unordered_map<const TreeItem*, QAccessible::Id> m_rows;
};

class OutlineRowAccessible : public QAccessibleInterface {
public:
    OutlineRowAccessible(OutlineView* view, TreeItem* item) : m_view(view), m_item(item) {}

    TreeItem* Item() const { return m_item; }
    bool isValid() const override { return m_view; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override;

private:
    QModelIndex Index() const; // with the view alive

    QPointer<OutlineView> m_view;
    TreeItem* m_item;
};

} // namespace kardel::gui
