#include "OutlineFixture.h"

#include "core/base/SettingsStore.h"

using namespace kardel;

namespace {

// Records the hints FindView hears (every hint the TreeView sends reaches it).
class SpyListView : public CKdListView {
public:
    using CKdListView::CKdListView;
    void OnUpdate(CView*, int hint, CMemoItem* memo) override {
        log += (log.empty() ? "" : " ") + std::to_string(hint) + ":" + (memo ? memo->m_strTitle.str() : "-");
    }
    std::string log;
};

class SpyFrame : public HeadlessFrame {
public:
    void ShowMemoContextMenu(int x, int y) override { menus.emplace_back(x, y); }
    std::vector<std::pair<int, int>> menus;
};

// A session whose FindView and frame are spies.
class SpySession : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        doc.AttachViews(&find, &title, &memoView, &treeView);
        doc.OnNewDocument();
    }
    TreeItem* Add(TreeItem* parent, const std::string& name) {
        treeView.Tree().Select(parent);
        doc.CreateUntitledMemo();
        TreeItem* item = treeView.Tree().GetCaret();
        treeView.OnEndLabelEdit(item, name);
        return item;
    }

    MemorySettingsStore settings;
    SpyFrame frame;
    HeadlessMessageBox messages;
    HeadlessFileDialogs fileDialogs;
    HeadlessShell shell;
    HeadlessDialogs dialogs;
    PlainEditControl edit;
    PlatformServices platform{settings, frame, messages, fileDialogs, shell, dialogs};
    CKardelApp app;
    CKardelDoc doc{app, platform};
    SpyListView find{doc};
    CTitleView title;
    CKdEditView memoView{doc, edit};
    CKdTreeView treeView{doc};
    CommandRouter router{doc};
};

TEST_F(SpySession, HintsOfAMoveComeInOrder) {
    TreeItem* root = treeView.Tree().GetRoot();
    Add(root, "C");
    TreeItem* b = Add(root, "B");
    Add(root, "A");
    treeView.Tree().Select(b);
    find.log.clear();
    ASSERT_TRUE(router.Execute(ID_MEMO_UP));
    // Commit, the parent refreshed, the caret the control moved (reported once the
    // array is compact), the new selection, then the structure change.
    EXPECT_EQ(find.log, "8:- 3:Data 4:C 8:C 4:B 6:-");
}

TEST_F(SpySession, HintsOfDuplicateAndPaste) {
    TreeItem* root = treeView.Tree().GetRoot();
    TreeItem* a = Add(root, "A");
    find.log.clear();
    ASSERT_TRUE(router.Execute(ID_MEMO_DUPLICATE));
    EXPECT_EQ(find.log, "8:A 8:A 4:A");
    find.log.clear();
    ASSERT_TRUE(router.Execute(ID_MEMO_COPY));
    treeView.Tree().Select(a);
    find.log.clear();
    ASSERT_TRUE(router.Execute(ID_MEMO_PASTE));
    EXPECT_EQ(find.log, ""); // paste sends nothing: FindView keeps its rows
}

TEST_F(SpySession, RightButtonSelectsAndShowsTheMenuOnlyOverAnItem) {
    TreeItem* a = Add(treeView.Tree().GetRoot(), "A");
    treeView.Tree().Select(treeView.Tree().GetRoot());
    treeView.OnRButtonDown(nullptr, 5, 6);
    EXPECT_TRUE(frame.menus.empty());
    EXPECT_EQ(treeView.Tree().GetCaret(), treeView.Tree().GetRoot());
    treeView.OnRButtonDown(a, 7, 8);
    EXPECT_EQ(treeView.Tree().GetCaret(), a);
    ASSERT_EQ(frame.menus.size(), 1u);
    EXPECT_EQ(frame.menus[0], std::make_pair(7, 8));
}

class TreePane : public OutlineFixture {};

TEST_F(TreePane, ChoosingInFindViewCollapsesOtherFoldersWithTheSetting) {
    AddChildren(root(), {"A", "B"});
    Add(Find("A"), "A1");
    Add(Find("B"), "B1");
    Add(Find("B1"), "B1a");
    tree().Select(Find("A1"));
    for (int setting : {0, 1}) {
        AppSettings(s.m_settings).Set(AppSettings::kCloseOtherFolders, setting);
        view().ExpandAll();
        doc().UpdateAllViews(&s.findView(), HintShowInTree, memo(Find("B1a")));
        EXPECT_EQ(tree().GetCaret(), Find("B1a"));
        EXPECT_EQ(Find("A")->expanded(), setting == 0) << setting;
        EXPECT_TRUE(Find("B")->expanded());
        EXPECT_TRUE(Find("B1")->expanded());
    }
}

TEST_F(TreePane, AMemoChangeRelabelsThatMemosItem) {
    AddChildren(root(), {"A", "B"});
    tree().Select(Find("A"));
    CMemoItem* b = memo(Find("B"));
    b->m_strTitle = "B2";
    b->m_nKind = 7;
    doc().UpdateAllViews(nullptr, HintMemoChanged, b);
    EXPECT_EQ(tree().GetItemText(Find("A")), "A");
    EXPECT_EQ(tree().GetItemText(b->m_hTreeItem), "B2");
    EXPECT_EQ(b->m_hTreeItem->image(), 7);
}

TEST_F(TreePane, DueMarkFollowsTheDueStatusAlone) {
    TreeItem* a = Add(root(), "A");
    struct Case {
        int hasDue;
        time32 due;
        int kind;
        bool mark;
    };
    const Case cases[] = {
        {1, 958000000 + 3600, KindMemo, true}, // later today
        {1, 958000000 - 86400, KindMemo, true},  {1, 958000000 - 86400, KindDone, true},
        {1, 958000000 + 86400, KindMemo, false}, {0, 958000000 - 86400, KindMemo, false},
    };
    for (const Case& c : cases) {
        memo(a)->m_bHasDue = c.hasDue;
        memo(a)->m_timeDue = c.due;
        memo(a)->m_nKind = c.kind;
        EXPECT_EQ(view().ShowsDueMark(a), c.mark) << c.due;
    }
}

TEST_F(TreePane, MemoViewStoresOnlyRealChanges) {
    AddChildren(root(), {"A", "B"});
    tree().Select(root());
    memo(Find("A"))->m_strBody = "a\r\nb";
    memo(Find("A"))->m_timeUpdated = 1;
    tree().Select(Find("A"));
    EXPECT_EQ(s.m_edit.m_text, "a\r\nb");
    doc().SetModifiedFlag(false);
    s.m_edit.m_text += "x";
    s.m_edit.m_text.pop_back(); // typed and deleted again
    tree().Select(Find("B"));
    EXPECT_EQ(memo(Find("A"))->m_timeUpdated, 1);
    EXPECT_FALSE(doc().IsModified());
    tree().Select(Find("A"));
    s.m_edit.m_text = "new";
    m_clock.SetNow(958000777);
    tree().Select(Find("B"));
    EXPECT_EQ(memo(Find("A"))->m_strBody, "new");
    EXPECT_EQ(memo(Find("A"))->m_timeUpdated, 958000777);
    EXPECT_TRUE(doc().IsModified());
    // A store meant for another memo never takes the shown text.
    s.m_edit.m_text = "stray";
    doc().UpdateAllViews(nullptr, HintStoreText, memo(Find("A")));
    EXPECT_EQ(memo(Find("A"))->m_strBody, "new");
}

} // namespace
