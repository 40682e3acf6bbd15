#include "core/search/CKdListView.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Platform.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/model/ShownTitle.h"
#include "core/search/FindListSort.h"
#include "core/search/FindMatcher.h"
#include "core/search/SjisText.h"
#include "core/tree/CKdTreeView.h"

namespace kardel {
namespace {

const std::int32_t kDefaultWidths[CKdListView::kColumnCount] = {200, 80, 80, 75, 75, 75, 75};
constexpr int kSelColumnWidth = 80;
constexpr size_t kTitleReadLimit = 255;

const std::string& Down() {
    return Sjis("↓");
}
const std::string& Up() {
    return Sjis("↑");
}

} // namespace

CKdListView::CKdListView(CKardelDoc& doc) : m_doc(doc) {
    static const char* const created[kColumnCount] = {"ﾀｲﾄﾙ", "定義", "選択項目", "作成日", "更新日", "期日", "完了日"};
    for (int c = 0; c < kColumnCount; ++c)
        m_titles[c] = Sjis(created[c]);
}

void CKdListView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        for (int i = 0; i < kColumnCount; ++i)
            ar.WriteInt32(i == kSelColumn && !m_selColumnShown ? 0 : m_columnWidths[i]);
    } else if (ar.FileVersion() >= 4) {
        for (auto& width : m_columnWidths)
            width = ar.ReadInt32();
    } else {
        for (int i = 0; i < kColumnCount; ++i)
            m_columnWidths[i] = kDefaultWidths[i];
    }
}

void CKdListView::OnInitialUpdate() {
    std::int32_t initial = m_doc.m_options.m_nInitialFind;
    if (initial == 0) {
        m_doc.ClearFoundMarks();
        RebuildWithFlag();
    } else if (initial >= 1 && initial <= 6) {
        m_doc.RunSearch();
    } else {
        // No initial search, but the rows of the document shown before must not
        // stay: their indices would now name this document's memos.
        RebuildWithFlag();
    }
    m_selColumnShown = m_doc.m_options.m_bSelEnabled != 0;
    if (!m_selColumnShown)
        m_columnWidths[kSelColumn] = 0;
    if (m_observer)
        m_observer->HeaderChanged();
}

void CKdListView::OnUpdate(CView*, int hint, CMemoItem* memo) {
    switch (hint) {
    case HintMemoChanged:
        if (memo)
            RefreshRow(*memo);
        break;
    case HintResultsChanged:
    case HintIconsReloaded:
        RebuildWithFlag();
        break;
    case HintSelItemsChanged:
        ApplySelColumnRule();
        m_titles[kSelColumn] = m_selColumnShown ? m_doc.m_options.m_strSelTitle : std::string();
        if (m_observer)
            m_observer->HeaderChanged();
        break;
    default:
        break;
    }
}

// ---- Reading ----

std::int32_t CKdListView::RowMemoIndex(int row) const {
    return row >= 0 && row < RowCount() ? m_rows[static_cast<size_t>(row)] : -1;
}

CMemoItem* CKdListView::RowMemo(int row) const {
    return m_doc.Memo(RowMemoIndex(row));
}

std::string CKdListView::ShownCellText(int row, int column) const {
    if (column == 0) {
        const CMemoItem* memo = RowMemo(row);
        return memo ? ShownTitle::Cut(memo->m_strTitle) : std::string();
    }
    return CellText(row, column);
}

std::string CKdListView::CellText(int row, int column) const {
    const CMemoItem* memo = RowMemo(row);
    if (!memo)
        return {};
    switch (column) {
    case 0:
        return memo->m_strTitle.str();
    case 1:
        return m_doc.m_options.KindName(memo->m_nKind);
    case 2:
        return memo->m_strSelItem.str();
    case 3:
        return SlashDate(memo->m_timeCreated);
    case 4:
        return SlashDate(memo->m_timeUpdated);
    case 5:
        return memo->m_bHasDue ? SlashDate(memo->m_timeDue) : std::string();
    case 6:
        return memo->m_nKind == KindDone ? SlashDate(memo->m_timeDone) : std::string();
    default:
        return {};
    }
}

int CKdListView::RowIcon(int row) const {
    return row >= 0 && row < RowCount() ? m_rowIcons[static_cast<size_t>(row)] : -1;
}

bool CKdListView::RowShowsDueMark(int row) const {
    const CMemoItem* memo = RowMemo(row);
    return memo && memo->ShowsDueMark();
}

const std::string& CKdListView::HeaderText(int column) const {
    static const std::string none;
    return column >= 0 && column < kColumnCount ? m_titles[column] : none;
}

int CKdListView::ColumnWidth(int column) const {
    if (column < 0 || column >= kColumnCount)
        return 0;
    return IsColumnShown(column) ? m_columnWidths[column] : 0;
}

void CKdListView::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < kColumnCount && IsColumnShown(column))
        m_columnWidths[column] = width;
}

// ---- Building and sorting ----

int CKdListView::BuildRow(CMemoItem& memo) {
    // A listed open folder is shown, and kept, as a closed one.
    if (memo.m_nKind == KindOpenFolder) {
        m_doc.WillChangeMemo(memo);
        memo.m_nKind = KindClosedFolder;
    }
    return IsValidKind(memo.m_nKind) ? memo.m_nKind : -1;
}

void CKdListView::RefreshRow(CMemoItem& memo) {
    int row = memo.m_nFindRow;
    if (row < 0 || row >= RowCount() || m_doc.Memo(m_rows[static_cast<size_t>(row)]) != &memo)
        return;
    m_rowIcons[static_cast<size_t>(row)] = BuildRow(memo);
    if (m_observer)
        m_observer->RowChanged(row);
}

void CKdListView::RebuildWithFlag() {
    m_rebuilding = true;
    Rebuild();
    m_rebuilding = false;
}

void CKdListView::Rebuild() {
    if (m_observer)
        m_observer->BeforeReset();
    m_rows.clear();
    m_rowIcons.clear();
    const auto memos = m_doc.Memos();
    for (size_t i = 0; i < memos.size(); ++i) {
        CMemoItem& memo = *memos[i];
        if (memo.m_bFound) {
            m_rowIcons.push_back(BuildRow(memo));
            memo.m_nFindRow = static_cast<std::int32_t>(m_rows.size());
            m_rows.push_back(static_cast<std::int32_t>(i));
        } else {
            memo.m_nFindRow = -1;
        }
    }
    if (m_observer)
        m_observer->AfterReset();
    m_doc.frame().SetFindViewHeight(m_rows.empty() ? 0 : m_rowHeight * (RowCount() + 2));
    ResetTitles();
    OnHeaderClick(1);
    ApplySelColumnRule();
}

void CKdListView::ResetTitles() {
    m_titles[0] = Sjis("ﾀｲﾄﾙ");
    m_titles[1] = Sjis("定義");
    m_titles[2] = m_doc.m_options.m_strSelTitle;
    m_titles[3] = Sjis("作成日");
    m_titles[4] = Sjis("更新日");
    m_titles[5] = Sjis("期日");
    m_titles[6] = Sjis("完成日");
}

void CKdListView::OnHeaderClick(int column) {
    if (column < 0 || column >= kColumnCount)
        return;
    std::string title = m_titles[column];
    title.resize(Cp932Codec::CharBoundaryPrefix(title, kTitleReadLimit));
    bool descending = false;
    if (SjisText::Contains(title, Down())) {
        title = SjisText::ReplaceAll(title, Down(), Up());
        descending = true;
    } else if (SjisText::Contains(title, Up())) {
        title = SjisText::ReplaceAll(title, Up(), Down());
    } else {
        title += " " + Down();
    }
    ResetTitles();
    m_titles[column] = title;
    SortRows(column, descending);
    if (m_observer)
        m_observer->HeaderChanged();
}

void CKdListView::SortBy(int column, bool descending) {
    if (column < 0 || column >= kColumnCount)
        return;
    ResetTitles();
    m_titles[column] += " " + (descending ? Up() : Down());
    SortRows(column, descending);
    if (m_observer)
        m_observer->HeaderChanged();
}

void CKdListView::SortRows(int column, bool descending) {
    if (m_observer)
        m_observer->BeforeSort();
    SortFindRows(m_rows, m_rowIcons, m_doc, column, descending);
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (CMemoItem* memo = m_doc.Memo(m_rows[row]))
            memo->m_nFindRow = static_cast<std::int32_t>(row);
        else
            m_rowIcons[row] = -1;
    }
    if (m_observer)
        m_observer->AfterSort();
}

void CKdListView::ApplySelColumnRule() {
    bool enabled = m_doc.m_options.m_bSelEnabled != 0;
    if (enabled && !m_selColumnShown) {
        m_selColumnShown = true;
        m_columnWidths[kSelColumn] = kSelColumnWidth;
    } else if (!enabled && m_selColumnShown) {
        m_selColumnShown = false;
        m_columnWidths[kSelColumn] = 0;
    }
}

// ---- Search and user events ----

void CKdListView::MarkRowMatches(const CFindCondition& condition) {
    FindMatcher matcher(condition);
    for (std::int32_t index : m_rows)
        if (CMemoItem* memo = m_doc.Memo(index))
            memo->m_bFound = matcher.Matches(*memo) ? 1 : 0;
}

void CKdListView::AfterSearch() {
    if (AppSettings(m_doc.settings()).Get(AppSettings::kShowFirstFound) == 0 || m_rows.empty())
        return;
    m_doc.frame().ActivatePane(IMainFrame::Pane::FindView);
    if (m_observer)
        m_observer->SelectRow(0);
    OnRowSelected(0);
}

void CKdListView::OnRowSelected(int row) {
    if (m_rebuilding || row < 0)
        return;
    if (CMemoItem* memo = RowMemo(row))
        m_doc.UpdateAllViews(this, HintShowInTree, memo);
}

void CKdListView::OnRightClick(int row, int screenX, int screenY) {
    CMemoItem* memo = RowMemo(row);
    if (!memo || !memo->m_hTreeItem)
        return;
    if (CKdTreeView* tree = m_doc.TreeView())
        tree->Tree().Select(memo->m_hTreeItem);
    m_doc.frame().ShowMemoContextMenu(screenX, screenY);
}

} // namespace kardel
