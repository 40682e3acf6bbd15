#pragma once
#include <QTreeView>

namespace kardel {
class CKdListView;
}

namespace kardel::gui {

class FindModel;

// FindView's widget: the found memos in columns; header clicks sort, a selected row selects
// its memo in TreeView, a right click opens the memo menu, resized columns are remembered.
class FindPane : public QTreeView {
    Q_OBJECT
public:
    FindPane(CKdListView& list, QWidget* parent = nullptr);
    FindModel* findModel() const { return m_model; }
    // Applies the list's column widths and the selection-item column's visibility.
    void ApplyColumns();

    static constexpr int kDateColumnWidth = 75; // the default width of the date columns
    static QFont ListFont();
    static QColor GridColour(const QPalette& palette);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    CKdListView& m_list;
    FindModel* m_model;
    bool m_applying = false;
    bool m_rowSelectedByPress = false;
};

} // namespace kardel::gui
