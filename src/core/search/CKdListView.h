#pragma once
#include "core/base/CView.h"
#include "core/search/IFindListObserver.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kardel {

class CFindCondition;
class CKardelDoc;

// FindView: one row per found memo, in the order of the last sort. The list
// holds only memo indices; every text is read from the memo when asked for, so a
// widget showing it holds nothing of its own.
class CKdListView : public CView {
public:
    static constexpr int kColumnCount = 7;
    static constexpr int kSelColumn = 2;
    static constexpr int kDefaultRowHeight = 17;

    explicit CKdListView(CKardelDoc& doc);

    void SetObserver(IFindListObserver* observer) { m_observer = observer; }

    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override;
    void Serialize(CArchive& ar) override;
    // Each time a document is shown: the initial search, then the column widths.
    void OnInitialUpdate();

    // Reading the list (texts are cp932).
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    std::int32_t RowMemoIndex(int row) const;
    CMemoItem* RowMemo(int row) const; // nullptr for a row out of range
    std::string CellText(int row, int column) const;
    // The cell as the list shows it: a long title cut (ShownTitle), every other text whole.
    std::string ShownCellText(int row, int column) const;
    // The icon the row was given when it was built or last refreshed (the memo's kind then),
    // or -1 for a kind without one. Expanding a listed folder later leaves its row closed.
    int RowIcon(int row) const;
    bool RowShowsDueMark(int row) const;
    const std::string& HeaderText(int column) const;
    bool IsColumnShown(int column) const { return column != kSelColumn || m_selColumnShown; }
    static bool IsColumnCentred(int column) { return column != 0; }
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width); // the widget reports a user's resize
    void SetRowHeight(int height) { m_rowHeight = height; }
    bool IsRebuilding() const { return m_rebuilding; }

    // User events, as the widget reports them.
    void OnHeaderClick(int column);
    // Sorts as the header clicks that leave column's arrow pointing this way would.
    void SortBy(int column, bool descending);
    void OnRowSelected(int row);
    void OnRightClick(int row, int screenX, int screenY);

    // Used by the search.
    void Rebuild();
    void MarkRowMatches(const CFindCondition& condition);
    void AfterSearch();

    // The stored widths, a hidden selection-item column's included.
    using Widths = std::array<std::int32_t, kColumnCount>;
    const Widths& ColumnWidths() const { return m_columnWidths; }
    void SetColumnWidths(const Widths& widths) { m_columnWidths = widths; }

    bool m_selColumnShown = false;

private:
    Widths m_columnWidths = {200, 80, 80, 75, 75, 75, 75};

    int BuildRow(CMemoItem& memo); // returns the row's icon
    void RefreshRow(CMemoItem& memo);
    void ResetTitles();
    void SortRows(int column, bool descending);
    void ApplySelColumnRule();
    void RebuildWithFlag();

    CKardelDoc& m_doc;
    IFindListObserver* m_observer = nullptr;
    std::vector<std::int32_t> m_rows;
    std::vector<int> m_rowIcons; // parallel to m_rows
    std::string m_titles[kColumnCount];
    bool m_rebuilding = false;
    int m_rowHeight = kDefaultRowHeight;
};

} // namespace kardel
