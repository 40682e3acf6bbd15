#include "core/base/Cp932Codec.h"
#include "core/shell/CMainFrame.h"
#include "core/shell/CommandRouter.h"
#include "core/shell/DocumentSession.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {

struct FakeLayout : IFrameLayout {
    int treeWidth = 145, findHeight = 0, clientHeight = 400;
    bool treeBar = true, statusBar = true;
    int TreeWidth() const override { return treeWidth; }
    int FindHeight() const override { return findHeight; }
    int TreeClientHeight() const override { return clientHeight; }
    void SetTreeWidth(int w) override { treeWidth = w; }
    void SetFindHeight(int h) override { findHeight = h; }
    bool IsTreeToolBarVisible() const override { return treeBar; }
    void ShowTreeToolBar(bool show) override { treeBar = show; }
    bool IsStatusBarVisible() const override { return statusBar; }
    void ShowStatusBar(bool show) override { statusBar = show; }
};

class FrameRules : public ::testing::Test {
protected:
    void SetUp() override {
        s.doc().OnNewDocument();
        router.AddFrameTarget(&frame);
    }
    HeadlessSession s;
    FakeLayout layout;
    CMainFrame frame{s.doc(), layout};
    CommandRouter router{s.doc()};
};

} // namespace

TEST_F(FrameRules, ViewModeBeforeAnySearchKeepsFindViewHidden) {
    EXPECT_TRUE(router.Execute(ID_VIEW_NORMAL));
    EXPECT_EQ(layout.treeWidth, 145);
    EXPECT_EQ(layout.findHeight, 0);
}

TEST_F(FrameRules, MemoOnlyThenNormalRestoresSizesOnScreenBefore) {
    layout.treeWidth = 200;
    frame.SetFindViewHeight(90);
    EXPECT_EQ(layout.findHeight, 90);
    EXPECT_TRUE(router.Execute(ID_VIEW_MEMO_ONLY));
    EXPECT_EQ(layout.treeWidth, 0);
    EXPECT_EQ(layout.findHeight, 0);
    EXPECT_TRUE(router.Execute(ID_VIEW_NORMAL));
    EXPECT_EQ(layout.treeWidth, 200);
    EXPECT_EQ(layout.findHeight, 90);
    EXPECT_TRUE(router.Execute(ID_VIEW_FIND_MEMO));
    EXPECT_EQ(layout.treeWidth, 0);
    EXPECT_EQ(layout.findHeight, 90);
}

TEST_F(FrameRules, TreeHiddenByDraggingComesBackAtDefaultWidth) {
    layout.treeWidth = 0;
    EXPECT_TRUE(router.Execute(ID_VIEW_TREE_MEMO));
    EXPECT_EQ(layout.treeWidth, 145);
}

TEST_F(FrameRules, FindViewHeightIsCappedAtAQuarterOfTheTreeHeight) {
    struct Row {
        int requested, client, expected;
    };
    for (Row row :
         {Row{1000, 400, 100}, Row{1000, 403, 100}, Row{60, 400, 60}, Row{-5, 400, 0}, Row{0, 400, 0}, Row{50, 0, 0}}) {
        layout.clientHeight = row.client;
        frame.SetFindViewHeight(row.requested);
        EXPECT_EQ(layout.findHeight, row.expected) << row.requested << " in " << row.client;
    }
}

TEST_F(FrameRules, ViewModeEnablingFollowsTheSizesOnScreen) {
    struct Row {
        int w, h;
        bool normal, treeMemo, findMemo, memoOnly;
    };
    const Row rows[] = {
        {145, 80, false, true, true, true},
        {145, 0, true, false, true, true},
        {0, 80, true, true, false, true},
        {0, 0, true, true, true, false},
    };
    for (const Row& row : rows) {
        layout.treeWidth = row.w;
        layout.findHeight = row.h;
        EXPECT_EQ(router.Update(ID_VIEW_NORMAL).enabled, row.normal) << row.w << "x" << row.h;
        EXPECT_EQ(router.Update(ID_VIEW_TREE_MEMO).enabled, row.treeMemo) << row.w << "x" << row.h;
        EXPECT_EQ(router.Update(ID_VIEW_FIND_MEMO).enabled, row.findMemo) << row.w << "x" << row.h;
        EXPECT_EQ(router.Update(ID_VIEW_MEMO_ONLY).enabled, row.memoOnly) << row.w << "x" << row.h;
        EXPECT_FALSE(router.Update(ID_VIEW_NORMAL).checkable);
    }
}

TEST_F(FrameRules, PaneSwitchTargets) {
    using Pane = IMainFrame::Pane;
    struct Row {
        Pane from, to;
    };
    for (Row row : {Row{Pane::TreeView, Pane::MemoView}, Row{Pane::FindView, Pane::TreeView},
                    Row{Pane::MemoView, Pane::TreeView}, Row{Pane::TitleStrip, Pane::MemoView}}) {
        s.m_frame.m_active = row.from;
        EXPECT_TRUE(router.Execute(ID_PANE_SWITCH));
        EXPECT_EQ(s.m_frame.m_active, row.to);
    }
}

TEST_F(FrameRules, NextAndPreviousPaneSkipHiddenPanes) {
    using Pane = IMainFrame::Pane;
    s.m_frame.m_active = Pane::TreeView;
    std::vector<Pane> seen;
    for (int i = 0; i < 3; ++i) {
        router.Execute(ID_NEXT_PANE);
        seen.push_back(s.m_frame.m_active);
    }
    EXPECT_EQ(seen, (std::vector<Pane>{Pane::TitleStrip, Pane::MemoView, Pane::TreeView}));
    layout.findHeight = 40;
    router.Execute(ID_PREV_PANE);
    EXPECT_EQ(s.m_frame.m_active, Pane::MemoView);
    s.m_frame.m_active = Pane::TreeView;
    router.Execute(ID_NEXT_PANE);
    EXPECT_EQ(s.m_frame.m_active, Pane::FindView);
}

TEST_F(FrameRules, TreeToolbarCheckMarkIsTheState) {
    EXPECT_TRUE(router.Update(ID_VIEW_TREE_TOOLBAR).checked);
    layout.treeBar = false; // hidden some other way
    EXPECT_TRUE(router.Update(ID_VIEW_TREE_TOOLBAR).checked);
    router.Execute(ID_VIEW_TREE_TOOLBAR);
    EXPECT_FALSE(layout.treeBar);
    EXPECT_FALSE(router.Update(ID_VIEW_TREE_TOOLBAR).checked);
    router.Execute(ID_VIEW_TREE_TOOLBAR);
    EXPECT_TRUE(layout.treeBar);

    router.Execute(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(layout.statusBar);
    EXPECT_FALSE(router.Update(ID_VIEW_STATUS_BAR).checked);
}

TEST_F(FrameRules, PrintingOnlyFromMemoView) {
    using Pane = IMainFrame::Pane;
    for (Pane pane : {Pane::TreeView, Pane::FindView, Pane::TitleStrip}) {
        s.m_frame.m_active = pane;
        EXPECT_FALSE(router.Update(ID_FILE_PRINT).enabled);
        EXPECT_FALSE(router.Execute(ID_FILE_PRINT));
    }
    EXPECT_TRUE(s.m_edit.m_dialogsShown.empty());
    s.m_frame.m_active = Pane::MemoView;
    EXPECT_TRUE(router.Execute(ID_FILE_PRINT));
    ASSERT_EQ(s.m_edit.m_dialogsShown.size(), 1u);
}

TEST_F(FrameRules, CaptionIsTheDocumentTitleAndTheProgramName) {
    EXPECT_EQ(Cp932Codec::ToUtf8(CMainFrame::Caption(s.doc())).text, "無題 - Kardel");
    s.doc().m_strTitle = "memo.kdl";
    EXPECT_EQ(CMainFrame::Caption(s.doc()), "memo.kdl - Kardel");
}
