#pragma once
#include "gui/tree/ShownRows.h"

#include <QAbstractItemView>
#include <QElapsedTimer>

#include <vector>

namespace kardel {
class TreeControl;
class TreeItem;
} // namespace kardel

namespace kardel::gui {

class OutlineAccessible;
class TreeModel;

// An item view for the outline that lays out only what is on screen. Rows have one
// height and are found by arithmetic; which items are rows comes from ShownRows, which
// reads the core's open folders, so opening a document builds no per-folder or per-row
// state. Opening and closing a folder is the user's act on the core; the view redraws
// when the core reports it.
class OutlineView : public QAbstractItemView {
    Q_OBJECT
public:
    static constexpr int kMaxShownDepth = ShownRows::kMaxShownDepth;

    OutlineView(TreeControl& tree, TreeModel& model, QWidget* parent = nullptr);

    bool isExpanded(const QModelIndex& index) const;
    // As the user would: the core opens or closes the folder; deeper than the view
    // shows, nothing opens here.
    void setExpanded(const QModelIndex& index, bool expanded);
    void expand(const QModelIndex& index) { setExpanded(index, true); }
    void collapse(const QModelIndex& index) { setExpanded(index, false); }
    int indentation() const;

    QRect visualRect(const QModelIndex& index) const override;
    // Opens closed ancestors first, as the user would; a row deeper than the view shows
    // is stood for by its deepest shown ancestor.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void keyboardSearch(const QString& search) override;
    // `index` itself, or its ancestor at the deepest shown level.
    QModelIndex ShownIndex(const QModelIndex& index) const;

    // The shown rows, top to bottom; -1 for an item a closed folder hides.
    int RowCount() const;
    TreeItem* RowItem(int row) const;
    int RowOfItem(const TreeItem* item) const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void reset() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    TreeControl& m_tree;
    TreeModel& m_model;

private:
    friend class OutlineAccessible;

    void OutlineChanged();
    // Items are about to go: no rows, and no widths of rows, until the change is done.
    void ClearRows();
    // What was derived from the rows: their widths and their accessible interfaces.
    void ForgetMeasures();
    void LayOutPending() const;
    int RowHeight() const;
    // The folder whose open/close mark is at the point, or nullptr.
    TreeItem* BranchMarkAt(const QPoint& point) const;
    void DrawBranches(QPainter& painter, const QRect& rect, TreeItem* item, int depth) const;
    // The label's extent (indentation included) over the rows on screen: how far the
    // view scrolls sideways and where a row stops taking clicks.
    void MeasureWidth();
    std::pair<int, int> RowsOnScreen() const;
    void Toggle(TreeItem* item);

    mutable ShownRows m_rows;
    mutable int m_rowHeight = 0; // 0: measure again
    int m_width = 0;
    // The rows on screen when last measured, from m_measuredFirst on; cleared by any change.
    struct MeasuredRow {
        const TreeItem* item;
        int width;
    };
    std::vector<MeasuredRow> m_measured;
    int m_measuredFirst = 0;
    QPersistentModelIndex m_hover;             // the row under the pointer
    OutlineAccessible* m_accessible = nullptr; // once a screen reader asked for the view
    // Typing a title's first letters: what was typed, and since when.
    QString m_search;
    QElapsedTimer m_typed;
};

} // namespace kardel::gui
