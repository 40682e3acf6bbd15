#pragma once
#include "core/base/CCmdTarget.h"

#include <string>

namespace kardel {

class CKardelDoc;

// The splitters and bars of the window, as the frame's rules see them. Sizes are pixels.
class IFrameLayout {
public:
    virtual ~IFrameLayout() = default;
    virtual int TreeWidth() const = 0;
    virtual int FindHeight() const = 0;
    virtual int TreeClientHeight() const = 0;
    // Each lays the splitter concerned out again; 0 hides the pane.
    virtual void SetTreeWidth(int width) = 0;
    virtual void SetFindHeight(int height) = 0;
    virtual bool IsTreeToolBarVisible() const = 0;
    virtual void ShowTreeToolBar(bool show) = 0;
    virtual bool IsStatusBarVisible() const = 0;
    virtual void ShowStatusBar(bool show) = 0;
};

// The main frame's own rules: the four view modes, FindView's height, the pane switch,
// the toolbar and status bar toggles, and printing only from MemoView.
class CMainFrame : public CCmdTarget {
public:
    static constexpr int kDefaultTreeWidth = 145;

    CMainFrame(CKardelDoc& doc, IFrameLayout& layout) : m_doc(doc), m_layout(layout) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

    // FindView's requested height, capped at a quarter of TreeView's client height.
    void SetFindViewHeight(int height);
    void SaveSplitSizes();

    int SavedTreeWidth() const { return m_savedTreeWidth; }
    int SavedFindHeight() const { return m_savedFindHeight; }
    bool TreeToolBarChecked() const { return m_treeToolBarChecked; }

    // "<document title> - Kardel" (cp932), the title cut as ShownTitle shows it.
    static std::string Caption(const CKardelDoc& doc);

private:
    void ApplyViewMode(CommandId id);
    void SwitchPane();
    void StepPane(bool forward);

    CKardelDoc& m_doc;
    IFrameLayout& m_layout;
    int m_savedTreeWidth = 0;
    int m_savedFindHeight = 0;
    bool m_treeToolBarChecked = true;
};

} // namespace kardel
