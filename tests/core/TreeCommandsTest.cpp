#include "OutlineFixture.h"

#include "core/base/SettingsStore.h"

#include <map>
#include <random>
#include <set>

using namespace kardel;

namespace {

class TreeCommands : public OutlineFixture {
protected:
    // Data(A(A1,A2),B,C,#(X))
    void Build() {
        AddChildren(root(), {"A", "B", "C"});
        AddChildren(Find("A"), {"A1", "A2"});
        Add(trash(), "X");
        tree().Select(root());
        ASSERT_EQ(Outline(), "Data(A(A1,A2),B,C,#(X))");
    }
    bool EnabledAt(const char* title, CommandId id) {
        tree().Select(title[0] == '#' ? trash() : title[0] == '^' ? root() : Find(title));
        return Enabled(id);
    }
};

TEST_F(TreeCommands, EnablingRules) {
    Build();
    struct Case {
        CommandId id;
        const char* enabledAt;
        const char* disabledAt;
    };
    const Case cases[] = {
        {ID_MEMO_UP, "B A2", "A A1 # ^ X"},
        {ID_MEMO_LEVEL_DOWN, "B A2 C", "A A1 # ^ X"},
        {ID_MEMO_DOWN, "A B A1", "C A2 # X ^"}, // C is just before the trash
        {ID_MEMO_LEVEL_UP, "A1 A2 X", "A B # ^"},
        {ID_MEMO_TO_TRASH, "A A1 C", "# X ^"},
        {ID_MEMO_COPY, "A A1 X", "# ^"},
        {ID_MEMO_CUT, "A A1 X", "# ^"},
        {ID_MEMO_DUPLICATE, "A A1 X", "# ^"},
        {ID_MEMO_CREATE_UNTITLED, "A ^ X", "#"},
        {ID_MEMO_CREATE, "A ^ X", "#"},
        {ID_MEMO_PROPERTY, "A A1 X", "# ^"},
        {ID_MEMO_EMPTY_TRASH, "A # ^", ""},
        {ID_EXPAND_ALL, "A # ^", ""},
        {ID_COLLAPSE_ALL, "A # ^", ""},
        {ID_MEMO_PASTE, "", "A # ^"}, // the memo clipboard is empty
    };
    for (const Case& c : cases) {
        for (const char* list : {c.enabledAt, c.disabledAt}) {
            std::string titles = list;
            size_t start = 0;
            while (start < titles.size()) {
                size_t end = titles.find(' ', start);
                if (end == std::string::npos)
                    end = titles.size();
                std::string title = titles.substr(start, end - start);
                EXPECT_EQ(EnabledAt(title.c_str(), c.id), list == c.enabledAt) << c.id << " at " << title;
                start = end + 1;
            }
        }
    }
}

TEST_F(TreeCommands, MovesWithinALevel) {
    Build();
    struct Case {
        const char* select;
        CommandId id;
        const char* outline;
    };
    const Case cases[] = {
        {"B", ID_MEMO_UP, "Data(B,A(A1,A2),C,#(X))"},
        {"A", ID_MEMO_DOWN, "Data(B,A(A1,A2),C,#(X))"},
        {"C", ID_MEMO_UP, "Data(A(A1,A2),C,B,#(X))"},
        {"A2", ID_MEMO_UP, "Data(A(A2,A1),B,C,#(X))"},
        {"A1", ID_MEMO_DOWN, "Data(A(A2,A1),B,C,#(X))"},
    };
    for (const Case& c : cases) {
        OutlineFixture::SetUp();
        Build();
        tree().Select(Find(c.select));
        CMemoItem before = *memo(Find(c.select));
        size_t count = doc().Memos().size();
        size_t subtree = Find(c.select)->childCount() + 1;
        ASSERT_TRUE(Run(c.id));
        EXPECT_EQ(Outline(), c.outline) << c.select;
        TreeItem* moved = tree().GetCaret();
        EXPECT_EQ(tree().GetItemText(moved), c.select);
        // The moved memos are new records at the end of the array, with their own dates.
        EXPECT_EQ(moved->value(), static_cast<std::int32_t>(count - subtree));
        EXPECT_EQ(memo(moved)->m_timeCreated, before.m_timeCreated);
        EXPECT_EQ(memo(moved)->m_timeUpdated, before.m_timeUpdated);
        CheckBinding();
    }
}

TEST_F(TreeCommands, MovedMemosKeepTheirDatesAndLoseTheirFoundMark) {
    Build();
    TreeItem* b = Find("B");
    memo(b)->m_timeCreated = 100;
    memo(b)->m_timeUpdated = 200;
    memo(b)->m_bFound = 1;
    tree().Select(b);
    ASSERT_TRUE(Run(ID_MEMO_UP));
    CMemoItem* moved = memo(tree().GetCaret());
    EXPECT_EQ(moved->m_timeCreated, 100);
    EXPECT_EQ(moved->m_timeUpdated, 200);
    EXPECT_EQ(moved->m_bFound, 0);
}

TEST_F(TreeCommands, LevelUpLandsAfterTheParentOrBeforeTheTrash) {
    Build();
    tree().Select(Find("X"));
    ASSERT_TRUE(Run(ID_MEMO_LEVEL_UP));
    EXPECT_EQ(Outline(), "Data(A(A1,A2),B,C,X,#)");
    EXPECT_EQ(memo(trash())->m_nKind, KindTrashEmpty);
    EXPECT_EQ(trash()->image(), KindTrashEmpty);
    tree().Select(Find("A1"));
    ASSERT_TRUE(Run(ID_MEMO_LEVEL_UP));
    EXPECT_EQ(Outline(), "Data(A(A2),A1,B,C,X,#)");
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "A1");
    CheckBinding();
}

TEST_F(TreeCommands, AFolderThatLosesItsLastChildBecomesAPlainMemo) {
    Build();
    TreeItem* b = Find("B");
    memo(b)->m_nKind = 7; // a definition before it became a folder
    tree().SetImage(b, 7);
    Add(b, "B1");
    EXPECT_EQ(memo(Find("B"))->m_nKind, KindOpenFolder);
    tree().Select(Find("B1"));
    ASSERT_TRUE(Run(ID_MEMO_LEVEL_UP));
    EXPECT_EQ(memo(Find("B"))->m_nKind, KindMemo);
    EXPECT_EQ(Find("B")->image(), KindMemo);
    CheckBinding();
}

TEST_F(TreeCommands, LevelDownMakesTheDuePreviousSiblingAnOpenFolderWithoutDueDate) {
    Build();
    CMemoItem* b = memo(Find("B"));
    b->m_nKind = 6;
    b->m_bHasDue = 1;
    tree().Select(Find("C"));
    ASSERT_TRUE(Run(ID_MEMO_LEVEL_DOWN));
    EXPECT_EQ(Outline(), "Data(A(A1,A2),B(C),#(X))");
    CMemoItem* folder = memo(Find("B"));
    EXPECT_EQ(folder->m_nKind, KindOpenFolder);
    EXPECT_EQ(folder->m_bHasDue, 0);
    EXPECT_EQ(Find("B")->image(), KindOpenFolder);
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "C");
    CheckBinding();
}

TEST_F(TreeCommands, CopyThenMovingTheCopiedMemoEmptiesTheClipboard) {
    Build();
    tree().Select(Find("B"));
    ASSERT_TRUE(Run(ID_MEMO_COPY));
    EXPECT_EQ(doc().Clip().size(), 1u);
    ASSERT_TRUE(Run(ID_MEMO_UP));
    EXPECT_TRUE(doc().Clip().empty());
    EXPECT_FALSE(Enabled(ID_MEMO_PASTE));
}

TEST_F(TreeCommands, MovingAnotherMemoKeepsTheClipboard) {
    Build();
    tree().Select(Find("A"));
    ASSERT_TRUE(Run(ID_MEMO_COPY));
    EXPECT_EQ(doc().Clip().size(), 3u);
    EXPECT_EQ(doc().ClipLinks()[0].m_nParent, -1);
    EXPECT_EQ(doc().ClipLinks()[1].m_nParent, 0);
    EXPECT_EQ(doc().ClipLinks()[2].m_nParent, 0);
    tree().Select(Find("C"));
    ASSERT_TRUE(Run(ID_MEMO_UP));
    EXPECT_EQ(doc().Clip().size(), 3u);
}

TEST_F(TreeCommands, PasteTwiceGivesTwoIndependentCopiesWithNewDates) {
    Build();
    memo(Find("A1"))->m_strBody = "body";
    memo(Find("A"))->m_timeCreated = 5;
    tree().Select(Find("A"));
    ASSERT_TRUE(Run(ID_MEMO_COPY));
    m_clock.SetNow(958000500);
    tree().Select(Find("B"));
    ASSERT_TRUE(Run(ID_MEMO_PASTE));
    tree().Select(Find("C"));
    ASSERT_TRUE(Run(ID_MEMO_PASTE));
    EXPECT_EQ(Outline(), "Data(A(A1,A2),B(A(A1,A2)),C(A(A1,A2)),#(X))");
    EXPECT_EQ(doc().Clip().size(), 3u);
    for (const char* target : {"B", "C"}) {
        TreeItem* folder = tree().GetChild(Find(target));
        EXPECT_EQ(memo(folder)->m_timeCreated, 958000500);
        EXPECT_EQ(memo(folder)->m_timeUpdated, 958000500);
        EXPECT_EQ(memo(tree().GetChild(folder))->m_strBody, "body");
        EXPECT_EQ(memo(Find(target))->m_nKind, KindOpenFolder);
        EXPECT_TRUE(Find(target)->expanded());
    }
    memo(tree().GetChild(tree().GetChild(Find("B"))))->m_strBody = "changed";
    EXPECT_EQ(memo(tree().GetChild(tree().GetChild(Find("C"))))->m_strBody, "body");
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "C"); // paste leaves the selection
    CheckBinding();
}

TEST_F(TreeCommands, CutThenPastePutsTheMemosBackAsFirstChild) {
    Build();
    tree().Select(Find("A"));
    ASSERT_TRUE(Run(ID_MEMO_CUT));
    EXPECT_EQ(Outline(), "Data(B,C,#(X))");
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "B"); // where the control moved the caret
    CheckBinding();
    EXPECT_EQ(doc().Clip().size(), 3u);
    tree().Select(Find("C"));
    ASSERT_TRUE(Run(ID_MEMO_PASTE));
    EXPECT_EQ(Outline(), "Data(B,C(A(A1,A2)),#(X))");
    CheckBinding();
}

// A cut's entries have no living source: no later deletion empties the clipboard,
// whatever memory the later items come to occupy.
TEST_F(TreeCommands, CutMemosSurviveLaterDeletionsUntilPasted) {
    Build();
    tree().Select(Find("B"));
    ASSERT_TRUE(Run(ID_MEMO_CUT));
    for (int i = 0; i < 20; ++i) {
        Add(root(), "n" + std::to_string(i));
        ASSERT_TRUE(Run(ID_MEMO_TO_TRASH));
        ASSERT_TRUE(Enabled(ID_MEMO_PASTE)) << "after deletion " << i;
    }
    view().EmptyTrash();
    tree().Select(Find("C"));
    ASSERT_TRUE(Run(ID_MEMO_PASTE));
    EXPECT_EQ(Outline(), "Data(A(A1,A2),C(B),#)");
    CheckBinding();
}

// The primitive itself refuses, whoever calls it: a copy into its own subtree
// would never end.
TEST_F(TreeCommands, CopySubtreeRefusesToCopyIntoItsOwnSubtree) {
    Build();
    const size_t memos = doc().Memos().size();
    for (const char* target : {"A", "A1"})
        for (auto position : {CKdTreeView::Position::First, CKdTreeView::Position::Last}) {
            EXPECT_EQ(view().CopySubtree(Find("A"), Find(target), position, false), nullptr) << target;
            EXPECT_EQ(Outline(), "Data(A(A1,A2),B,C,#(X))");
            EXPECT_EQ(doc().Memos().size(), memos);
        }
    EXPECT_NE(view().CopySubtree(Find("A1"), Find("A"), CKdTreeView::Position::First, false), nullptr);
    EXPECT_EQ(Outline(), "Data(A(A1,A1,A2),B,C,#(X))");
}

TEST_F(TreeCommands, PasteIntoTheTrashShowsItHoldingMemos) {
    Build();
    tree().Select(Find("X"));
    ASSERT_TRUE(Run(ID_MEMO_LEVEL_UP));
    EXPECT_EQ(trash()->image(), KindTrashEmpty);
    tree().Select(Find("B"));
    ASSERT_TRUE(Run(ID_MEMO_COPY));
    tree().Select(trash());
    ASSERT_TRUE(Run(ID_MEMO_PASTE));
    EXPECT_EQ(trash()->image(), KindTrashFull);
    EXPECT_EQ(memo(trash())->m_nKind, KindTrashFull);
    EXPECT_EQ(Outline(), "Data(A(A1,A2),B,C,X,#(B))");
}

TEST_F(TreeCommands, DuplicateCopiesTheSubtreeBelowItCollapsedWithNewDates) {
    Build();
    memo(Find("A"))->m_timeCreated = 1;
    m_clock.SetNow(958000900);
    tree().Select(Find("A"));
    ASSERT_TRUE(Run(ID_MEMO_DUPLICATE));
    EXPECT_EQ(Outline(), "Data(A(A1,A2),A(A1,A2),B,C,#(X))");
    TreeItem* copy = tree().GetCaret();
    EXPECT_EQ(copy, tree().GetNextSibling(Find("A")));
    EXPECT_EQ(memo(copy)->m_nKind, KindClosedFolder);
    EXPECT_EQ(copy->image(), KindClosedFolder);
    EXPECT_FALSE(copy->expanded());
    for (TreeItem* item : {copy, copy->child(0), copy->child(1)}) {
        EXPECT_EQ(memo(item)->m_timeCreated, 958000900);
        EXPECT_EQ(memo(item)->m_timeUpdated, 958000900);
    }
    CheckBinding();
}

TEST_F(TreeCommands, MoveToTrashSelectsTheNextSiblingElseTheParent) {
    Build();
    tree().Select(Find("A2"));
    ASSERT_TRUE(Run(ID_MEMO_TO_TRASH));
    EXPECT_EQ(Outline(), "Data(A(A1),B,C,#(A2,X))");
    EXPECT_EQ(tree().GetCaret(), Find("A")); // A2 had no next sibling
    tree().Select(Find("C"));
    ASSERT_TRUE(Run(ID_MEMO_TO_TRASH));
    EXPECT_EQ(tree().GetCaret(), trash()); // the trash is C's next sibling
    EXPECT_EQ(memo(trash())->m_nKind, KindTrashFull);
    tree().Select(Find("A1"));
    ASSERT_TRUE(Run(ID_MEMO_TO_TRASH));
    EXPECT_EQ(memo(Find("A"))->m_nKind, KindMemo);
    EXPECT_EQ(Outline(), "Data(A,B,#(A1,C,A2,X))");
    CheckBinding();
}

TEST_F(TreeCommands, EmptyTrashAsksAndRemovesEverythingInIt) {
    Build();
    tree().Select(Find("A"));
    ASSERT_TRUE(Run(ID_MEMO_TO_TRASH));
    tree().Select(Find("X"));
    s.m_messages.m_answer = IMessageBox::Answer::No;
    ASSERT_TRUE(Run(ID_MEMO_EMPTY_TRASH));
    EXPECT_EQ(Outline(), "Data(B,C,#(A(A1,A2),X))");
    ASSERT_EQ(s.m_messages.m_asked.size(), 1u);
    EXPECT_EQ(s.m_messages.m_asked[0], Sjis("ごみ箱の中のｱｲﾃﾑを全て削除してもよろしいですか？"));
    s.m_messages.m_answer = IMessageBox::Answer::Yes;
    ASSERT_TRUE(Run(ID_MEMO_EMPTY_TRASH));
    EXPECT_EQ(Outline(), "Data(B,C,#)");
    EXPECT_EQ(memo(trash())->m_nKind, KindTrashEmpty);
    EXPECT_EQ(tree().GetCaret(), trash());
    EXPECT_EQ(doc().Memos().size(), 4u);
    EXPECT_FALSE(Enabled(ID_MEMO_EMPTY_TRASH));
    CheckBinding();
}

TEST_F(TreeCommands, RenamingRefusesEmptyTextsAndTheRootAndTrash) {
    Build();
    TreeItem* b = Find("B");
    view().OnEndLabelEdit(b, std::string());
    view().OnEndLabelEdit(b, std::nullopt);
    EXPECT_EQ(memo(b)->m_strTitle, "B");
    view().OnEndLabelEdit(root(), std::string("R"));
    view().OnEndLabelEdit(trash(), std::string("T"));
    EXPECT_EQ(tree().GetItemText(root()), "Data");
    EXPECT_EQ(memo(trash())->m_strTitle, texts::TrashTitle());
    doc().SetModifiedFlag(false);
    view().OnEndLabelEdit(b, std::string(" B "));
    EXPECT_EQ(memo(b)->m_strTitle, " B ");
    EXPECT_EQ(tree().GetItemText(b), " B ");
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(TreeCommands, KindCycleSkipsKindsWhoseFlagIsOff) {
    // m_bCycle: definitions 1..5 (kinds 5..9), done (10), memo (4).
    struct Case {
        std::int32_t flags[7];
        std::int32_t from;
        std::int32_t to;
    };
    const Case cases[] = {
        {{1, 1, 1, 1, 1, 1, 1}, 4, 5},  {{1, 1, 1, 1, 1, 1, 1}, 10, 4}, {{1, 1, 1, 1, 0, 0, 1}, 8, 4},
        {{0, 0, 0, 0, 0, 1, 0}, 4, 10}, {{0, 0, 1, 0, 0, 0, 0}, 7, 7},  {{0, 0, 0, 0, 0, 0, 0}, 6, 6},
        {{0, 0, 0, 0, 0, 0, 0}, 10, 10},
    };
    Build();
    TreeItem* b = Find("B");
    for (const Case& c : cases) {
        std::copy(std::begin(c.flags), std::end(c.flags), doc().m_options.m_bCycle);
        memo(b)->m_nKind = c.from;
        tree().SetImage(b, c.from);
        view().OnDblClk(b);
        EXPECT_EQ(memo(b)->m_nKind, c.to) << c.from;
        EXPECT_EQ(b->image(), c.to) << c.from;
    }
}

TEST_F(TreeCommands, KindCycleStampsDoneAndLeavesFoldersAlone) {
    Build();
    TreeItem* b = Find("B");
    memo(b)->m_nKind = 9;
    tree().SetImage(b, 9);
    memo(b)->m_timeDone = 0;
    view().OnDblClk(b);
    EXPECT_EQ(memo(b)->m_nKind, KindDone);
    EXPECT_EQ(memo(b)->m_timeDone, 958000000);
    doc().SetModifiedFlag(false);
    view().OnDblClk(Find("A"));
    EXPECT_EQ(memo(Find("A"))->m_nKind, KindOpenFolder);
    EXPECT_TRUE(doc().IsModified());
    view().OnDblClk(nullptr); // nothing hit
}

TEST_F(TreeCommands, ExpandAndCollapseAll) {
    Build();
    Add(Find("A1"), "A1a");
    memo(Find("A"))->m_bHasDue = 1;
    tree().Select(Find("A1a"));
    doc().SetModifiedFlag(false);
    ASSERT_TRUE(Run(ID_COLLAPSE_ALL));
    EXPECT_EQ(tree().GetCaret(), root());
    EXPECT_FALSE(root()->expanded());
    EXPECT_FALSE(Find("A1")->expanded());
    EXPECT_EQ(Find("A")->image(), KindClosedFolder);
    EXPECT_EQ(memo(Find("A"))->m_nKind, KindOpenFolder); // the kind follows only user expansion
    EXPECT_EQ(memo(Find("A"))->m_bHasDue, 0);
    EXPECT_EQ(trash()->image(), KindTrashFull);
    ASSERT_TRUE(Run(ID_EXPAND_ALL));
    EXPECT_TRUE(root()->expanded());
    EXPECT_TRUE(Find("A1")->expanded());
    EXPECT_TRUE(trash()->expanded());
    EXPECT_EQ(Find("A1")->image(), KindOpenFolder);
    EXPECT_EQ(tree().GetCaret(), root());
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(TreeCommands, MemoCommandsReachTheTreeViewFromAnyPane) {
    Build();
    tree().Select(Find("B"));
    s.m_frame.m_active = IMainFrame::Pane::MemoView;
    EXPECT_TRUE(Enabled(ID_MEMO_UP));
    ASSERT_TRUE(Run(ID_MEMO_UP));
    EXPECT_EQ(Outline(), "Data(B,A(A1,A2),C,#(X))");
    s.m_frame.m_active = IMainFrame::Pane::FindView;
    ASSERT_TRUE(Run(ID_MEMO_DUPLICATE));
    EXPECT_EQ(Outline(), "Data(B,B,A(A1,A2),C,#(X))");
    // Creating with the dialog is checked against the trash only while the TreeView is active.
    tree().Select(trash());
    EXPECT_TRUE(Enabled(ID_MEMO_CREATE));
    s.m_frame.m_active = IMainFrame::Pane::TreeView;
    EXPECT_FALSE(Enabled(ID_MEMO_CREATE));
}

TEST_F(TreeCommands, TheMemoViewTextReachesOnlyTheMemoItShows) {
    Build();
    tree().Select(Find("B"));
    s.m_edit.m_text = "typed";
    ASSERT_TRUE(Run(ID_MEMO_UP));
    EXPECT_EQ(memo(tree().GetCaret())->m_strBody, "typed");
    EXPECT_EQ(memo(Find("A"))->m_strBody, "");
    EXPECT_EQ(memo(Find("C"))->m_strBody, "");
    CheckBinding();
    // Cut the shown memo: the control moves the caret, and the MemoView follows the right memo.
    memo(Find("C"))->m_strBody = "c body";
    tree().Select(Find("B"));
    s.m_edit.m_text = "typed again";
    ASSERT_TRUE(Run(ID_MEMO_CUT));
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "A");
    EXPECT_EQ(doc().Clip()[0]->m_strBody, "typed again");
    CheckBinding();
    tree().Select(Find("C"));
    EXPECT_EQ(s.m_edit.m_text, "c body");
}

TEST_F(TreeCommands, TheCurrentMemoFollowsRenumbering) {
    Build();
    tree().Select(Find("X"));
    ASSERT_TRUE(Run(ID_MEMO_LEVEL_UP));
    tree().Select(Find("A")); // low index: its removal renumbers the current memo
    ASSERT_TRUE(Run(ID_MEMO_TO_TRASH));
    tree().Select(Find("X"));
    s.m_messages.m_answer = IMessageBox::Answer::Yes;
    s.m_edit.m_text = "x body";
    ASSERT_TRUE(Run(ID_MEMO_EMPTY_TRASH));
    CheckBinding();
    EXPECT_EQ(memo(Find("X"))->m_strBody, "x body");
}

TEST_F(TreeCommands, SelectionChangeMarksModifiedOnlyWithTheSetting) {
    Build();
    for (int setting : {0, 1}) {
        AppSettings(s.m_settings).Set(AppSettings::kSelectModifies, setting);
        doc().SetModifiedFlag(false);
        tree().Select(Find(setting ? "B" : "C"));
        EXPECT_EQ(doc().IsModified(), setting == 1);
        doc().SetModifiedFlag(false);
        tree().UserExpand(Find("A"), false);
        tree().UserExpand(Find("A"), true);
        EXPECT_EQ(doc().IsModified(), setting == 1);
        doc().SetModifiedFlag(false);
        tree().UserExpand(trash(), false);
        EXPECT_EQ(trash()->image(), KindTrashFull);
        EXPECT_FALSE(doc().IsModified());
    }
}

// Deleting a subtree renumbers as if every greater index were lowered once per
// deleted memo, in the order the subtree is walked; checked against that reference.
TEST_F(TreeCommands, DeletionMatchesTheOneByOneRenumbering) {
    std::mt19937 random(7);
    std::vector<TreeItem*> items{root()};
    for (int i = 0; i < 150; ++i) {
        TreeItem* parent = items[random() % items.size()];
        if (parent == trash())
            parent = root();
        items.push_back(Add(parent, "m" + std::to_string(i)));
    }
    for (int round = 0; round < 30; ++round) {
        std::vector<TreeItem*> all;
        tree().ForEachItem([&](TreeItem* x) { all.push_back(x); });
        TreeItem* victim = all[random() % all.size()];
        if (victim == root() || victim == trash())
            continue;
        std::map<TreeItem*, std::int32_t> value;
        for (TreeItem* x : all)
            value[x] = x->value();
        std::vector<CMemoItem*> memos;
        for (auto& m : doc().Memos())
            memos.push_back(m.get());
        std::vector<std::int32_t> order;
        tree().ForEachPreOrder(victim, [&](TreeItem* x) {
            std::int32_t v = value[x];
            order.push_back(v);
            for (auto& [item, other] : value)
                if (other > v)
                    --other;
        });
        std::set<TreeItem*> gone;
        tree().ForEachPreOrder(victim, [&](TreeItem* x) { gone.insert(x); });
        for (std::int32_t v : order)
            memos.erase(memos.begin() + v);

        tree().Select(all[random() % all.size()]);
        if (gone.count(tree().GetCaret()))
            tree().Select(root());
        view().DeleteSubtree(victim);

        ASSERT_EQ(doc().Memos().size(), memos.size());
        for (size_t i = 0; i < memos.size(); ++i)
            EXPECT_EQ(doc().Memos()[i].get(), memos[i]);
        for (auto& [item, v] : value) {
            if (!gone.count(item)) {
                EXPECT_EQ(item->value(), v);
            }
        }
        CheckBinding();
    }
}

} // namespace
