#include "OutlineFixture.h"

using namespace kardel;

namespace {

class TreeDragDropTest : public OutlineFixture {
protected:
    // Data(A(A1(A1a),A2),B,C,#(X))
    void Build() {
        AddChildren(root(), {"A", "B", "C"});
        AddChildren(Find("A"), {"A1", "A2"});
        Add(Find("A1"), "A1a");
        Add(trash(), "X");
        tree().Select(root());
        ASSERT_EQ(Outline(), "Data(A(A1(A1a),A2),B,C,#(X))");
    }
    TreeItem* Item(const std::string& title) { return title == "#" ? trash() : title == "^" ? root() : Find(title); }
    // Drags `from` over each of `over` in turn and releases.
    bool Drag(const std::string& from, std::initializer_list<const char*> over, bool copy) {
        if (!view().Drag().Begin(Item(from)))
            return false;
        for (const char* title : over)
            view().Drag().Hover(title ? Item(title) : nullptr);
        return view().Drag().Drop(copy);
    }
};

TEST_F(TreeDragDropTest, RefusedDropsChangeNothing) {
    struct Case {
        const char* from;
        const char* onto;
        bool copy;
    };
    const Case cases[] = {
        {"A", "A", false}, {"A", "A1a", false}, {"A", "A1", true}, {"A1", "A", false},
        {"B", "^", false}, {"X", "#", false},   {"^", "B", false}, {"#", "B", true},
    };
    for (const Case& c : cases) {
        OutlineFixture::SetUp();
        Build();
        tree().Select(Find("C"));
        doc().SetModifiedFlag(false);
        std::string before = Outline();
        size_t count = doc().Memos().size();
        EXPECT_FALSE(Drag(c.from, {c.onto}, c.copy)) << c.from << " onto " << c.onto;
        EXPECT_FALSE(view().Drag().m_bDragging);
        EXPECT_EQ(Outline(), before);
        EXPECT_EQ(doc().Memos().size(), count);
        EXPECT_EQ(tree().GetDropHighlight(), nullptr);
        EXPECT_EQ(tree().GetCaret(), Find("C"));
    }
}

TEST_F(TreeDragDropTest, NoTargetAtAnyTimeDropsNothing) {
    Build();
    EXPECT_FALSE(Drag("B", {nullptr, nullptr}, false));
    EXPECT_EQ(Outline(), "Data(A(A1(A1a),A2),B,C,#(X))");
}

TEST_F(TreeDragDropTest, EmptySpaceKeepsTheLastTarget) {
    Build();
    EXPECT_TRUE(Drag("C", {"B", nullptr}, false));
    EXPECT_EQ(Outline(), "Data(A(A1(A1a),A2),B(C),#(X))");
}

TEST_F(TreeDragDropTest, CopyOntoItsOwnParentPutsACopyFirst) {
    Build();
    m_clock.SetNow(958001000);
    EXPECT_TRUE(Drag("A2", {"A"}, true));
    EXPECT_EQ(Outline(), "Data(A(A2,A1(A1a),A2),B,C,#(X))");
    EXPECT_EQ(tree().GetCaret(), Find("A")->child(0));
    EXPECT_EQ(memo(Find("A")->child(0))->m_timeCreated, 958001000);
    CheckBinding();
}

TEST_F(TreeDragDropTest, MoveIntoTheTrashAndWithinIt) {
    Build();
    EXPECT_TRUE(Drag("A", {"#"}, false));
    EXPECT_EQ(Outline(), "Data(B,C,#(A(A1(A1a),A2),X))");
    EXPECT_EQ(trash()->image(), KindTrashFull);
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "A");
    EXPECT_TRUE(Drag("B", {"X"}, false));
    EXPECT_EQ(Outline(), "Data(C,#(A(A1(A1a),A2),X(B)))");
    CheckBinding();
}

TEST_F(TreeDragDropTest, ADueMemoReceivingADropBecomesAnOpenFolderWithoutDueDate) {
    Build();
    CMemoItem* target = memo(Find("B"));
    target->m_nKind = 5;
    target->m_bHasDue = 1;
    tree().SetImage(Find("B"), 5);
    doc().SetModifiedFlag(false);
    EXPECT_TRUE(Drag("C", {"B"}, false));
    EXPECT_EQ(memo(Find("B"))->m_nKind, KindOpenFolder);
    EXPECT_EQ(memo(Find("B"))->m_bHasDue, 0);
    EXPECT_EQ(Find("B")->image(), KindOpenFolder);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(TreeDragDropTest, AMovedMemoGetsNewDatesUnlikeMenuMoves) {
    Build();
    memo(Find("C"))->m_timeCreated = 3;
    memo(Find("C"))->m_timeUpdated = 4;
    m_clock.SetNow(958002000);
    EXPECT_TRUE(Drag("C", {"B"}, false));
    EXPECT_EQ(memo(Find("C"))->m_timeCreated, 958002000);
    EXPECT_EQ(memo(Find("C"))->m_timeUpdated, 958002000);
}

TEST_F(TreeDragDropTest, HoverExpandsACollapsedFolderForGood) {
    Build();
    tree().UserExpand(Find("A1"), false);
    ASSERT_EQ(Find("A1")->image(), KindClosedFolder);
    EXPECT_TRUE(Drag("C", {"A1", "B"}, false));
    EXPECT_TRUE(Find("A1")->expanded());
    EXPECT_EQ(Find("A1")->image(), KindOpenFolder);
    EXPECT_EQ(Outline(), "Data(A(A1(A1a),A2),B(C),#(X))");
}

TEST_F(TreeDragDropTest, TheDropDoesNotCommitTheMemoViewIntoTheOldSelection) {
    Build();
    tree().Select(Find("B"));
    s.m_edit.m_text = "typed";
    ASSERT_TRUE(view().Drag().Begin(Find("A"))); // commits into B
    EXPECT_EQ(memo(Find("B"))->m_strBody, "typed");
    view().Drag().Hover(Find("C"));
    s.m_edit.m_text = "late";
    ASSERT_TRUE(view().Drag().Drop(false));
    EXPECT_EQ(memo(Find("B"))->m_strBody, "typed");
    EXPECT_EQ(tree().GetItemText(tree().GetCaret()), "A");
    CheckBinding();
}

} // namespace
