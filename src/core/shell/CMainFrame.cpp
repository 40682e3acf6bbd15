#include "core/shell/CMainFrame.h"

#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"
#include "core/model/ShownTitle.h"

#include <algorithm>
#include <vector>

namespace kardel {

std::string CMainFrame::Caption(const CKardelDoc& doc) {
    return ShownTitle::Cut(doc.m_strTitle) + " - Kardel";
}

void CMainFrame::SetFindViewHeight(int height) {
    int cap = m_layout.TreeClientHeight() / 4;
    m_layout.SetFindHeight(std::max(0, std::min(height, cap)));
}

void CMainFrame::SaveSplitSizes() {
    if (int width = m_layout.TreeWidth(); width > 0)
        m_savedTreeWidth = width;
    if (int height = m_layout.FindHeight(); height > 0)
        m_savedFindHeight = height;
}

void CMainFrame::ApplyViewMode(CommandId id) {
    SaveSplitSizes();
    const bool showTree = id == ID_VIEW_NORMAL || id == ID_VIEW_TREE_MEMO;
    const bool showFind = id == ID_VIEW_NORMAL || id == ID_VIEW_FIND_MEMO;
    if (showTree && m_savedTreeWidth == 0)
        m_savedTreeWidth = kDefaultTreeWidth;
    m_layout.SetTreeWidth(showTree ? m_savedTreeWidth : 0);
    m_layout.SetFindHeight(showFind ? m_savedFindHeight : 0);
}

void CMainFrame::SwitchPane() {
    using Pane = IMainFrame::Pane;
    IMainFrame& frame = m_doc.frame();
    switch (frame.ActivePane()) {
    case Pane::TreeView:
        frame.ActivatePane(Pane::MemoView);
        break;
    case Pane::FindView:
    case Pane::MemoView:
        frame.ActivatePane(Pane::TreeView);
        break;
    case Pane::TitleStrip:
        frame.ActivatePane(Pane::MemoView);
        break;
    }
}

void CMainFrame::StepPane(bool forward) {
    // The splitter panes in their order, skipping the ones a view mode or a dragged bar hid.
    using Pane = IMainFrame::Pane;
    std::vector<Pane> shown;
    if (m_layout.TreeWidth() > 0)
        shown.push_back(Pane::TreeView);
    if (m_layout.FindHeight() > 0)
        shown.push_back(Pane::FindView);
    shown.push_back(Pane::TitleStrip);
    shown.push_back(Pane::MemoView);
    IMainFrame& frame = m_doc.frame();
    auto it = std::find(shown.begin(), shown.end(), frame.ActivePane());
    size_t at = it == shown.end() ? 0 : static_cast<size_t>(it - shown.begin());
    at = forward ? (at + 1) % shown.size() : (at + shown.size() - 1) % shown.size();
    frame.ActivatePane(shown[at]);
}

bool CMainFrame::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    const int w = m_layout.TreeWidth();
    const int h = m_layout.FindHeight();
    switch (id) {
    case ID_VIEW_NORMAL:
        ui.enabled = !(w != 0 && h != 0);
        return true;
    case ID_VIEW_TREE_MEMO:
        ui.enabled = !(h <= 0 && w != 0);
        return true;
    case ID_VIEW_FIND_MEMO:
        ui.enabled = !(w <= 0 && h != 0);
        return true;
    case ID_VIEW_MEMO_ONLY:
        ui.enabled = !(w <= 0 && h <= 0);
        return true;
    case ID_VIEW_TREE_TOOLBAR:
        ui.checkable = true;
        ui.checked = m_treeToolBarChecked;
        return true;
    case ID_VIEW_STATUS_BAR:
        ui.checkable = true;
        ui.checked = m_layout.IsStatusBarVisible();
        return true;
    case ID_PANE_SWITCH:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
    case ID_VIEW_TOOLBAR:
        return true;
    case ID_FILE_PRINT:
        // MemoView answers for printing while it is the active pane; from anywhere else it is off.
        ui.enabled = false;
        return true;
    default:
        return false;
    }
}

bool CMainFrame::OnCmdMsg(CommandId id) {
    switch (id) {
    case ID_VIEW_NORMAL:
    case ID_VIEW_TREE_MEMO:
    case ID_VIEW_FIND_MEMO:
    case ID_VIEW_MEMO_ONLY:
        ApplyViewMode(id);
        return true;
    case ID_PANE_SWITCH:
        SwitchPane();
        return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        StepPane(id == ID_NEXT_PANE);
        return true;
    case ID_VIEW_TREE_TOOLBAR:
        // The check mark, not the bar's visibility, decides: a bar hidden some other way
        // is "hidden again" and the check cleared.
        m_treeToolBarChecked = !m_treeToolBarChecked;
        m_layout.ShowTreeToolBar(m_treeToolBarChecked);
        return true;
    case ID_VIEW_STATUS_BAR:
        m_layout.ShowStatusBar(!m_layout.IsStatusBarVisible());
        return true;
    case ID_VIEW_TOOLBAR:
        // No toolbar of this window answers the standard toolbar command: it stays
        // enabled and does nothing.
        return true;
    default:
        return false;
    }
}

} // namespace kardel
