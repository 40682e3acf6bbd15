#include "SearchFixture.h"

#include <map>
#include <vector>

using namespace kardel;

namespace {

// Records what a widget showing the list would be told.
struct ListEvents : IFindListObserver {
    void BeforeReset() override { log += "R"; }
    void AfterReset() override { log += "r"; }
    void BeforeSort() override { log += "S"; }
    void AfterSort() override { log += "s"; }
    void RowChanged(int row) override { log += "c" + std::to_string(row); }
    void HeaderChanged() override { log += "h"; }
    void SelectRow(int row) override { log += "select" + std::to_string(row); }
    std::string log;
};

// A title strip that records the hints it receives.
struct RecordingTitleView : CTitleView {
    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override { received.push_back({sender, hint, memo}); }
    struct Hint {
        CView* sender;
        int hint;
        CMemoItem* memo;
    };
    std::vector<Hint> received;
};

} // namespace

class FindView : public SearchFixture {
protected:
    void FindAll() {
        doc().m_findCond.ResetToAllMemos();
        doc().RunSearch();
    }
    std::string Header(int column) { return list().HeaderText(column); }
};

TEST_F(FindView, RebuildListsFoundMemosInArrayOrderThenSortsByKind) {
    CMemoItem* folder = Add(root(), "f");
    CMemoItem* child = Add(folder, "c", KindDone);
    CMemoItem* memo = Add(root(), "m");
    ASSERT_EQ(folder->m_nKind, KindOpenFolder);
    FindAll();
    EXPECT_EQ(Listed(), "f,m,c");
    EXPECT_EQ(folder->m_nKind, KindClosedFolder); // a listed open folder becomes a closed one
    EXPECT_EQ(list().RowIcon(0), KindClosedFolder);
    EXPECT_EQ(folder->m_nFindRow, 0);
    EXPECT_EQ(memo->m_nFindRow, 1);
    EXPECT_EQ(child->m_nFindRow, 2);
    EXPECT_EQ(root()->m_nFindRow, -1);
    EXPECT_EQ(s->m_frame.m_findViewHeight, CKdListView::kDefaultRowHeight * 5);
    EXPECT_EQ(Header(1), Sjis("定義 ↓"));
    EXPECT_EQ(Header(6), Sjis("完成日"));

    doc().m_findCond.m_kindsOn = 0; // finding nothing: empty list, height 0, titles still reset
    doc().RunSearch();
    EXPECT_EQ(list().RowCount(), 0);
    EXPECT_EQ(s->m_frame.m_findViewHeight, 0);
    EXPECT_EQ(Header(1), Sjis("定義 ↓"));
    EXPECT_EQ(memo->m_nFindRow, -1);
}

TEST_F(FindView, CellTexts) {
    doc().m_options.m_strDefName[1] = Sjis("重要");
    CMemoItem* m = Add(root(), "title", KindDef1 + 1);
    m->m_timeCreated = kMay10;
    m->m_timeUpdated = kMay11;
    m->m_bHasDue = 1;
    m->m_timeDue = kMay11 + kDay;
    m->m_timeDone = kMay10;
    m->m_strSelItem = "A";
    FindAll();
    const char* expected[] = {"title", "重要", "A", "2000/05/10", "2000/05/11", "2000/05/12", ""};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(list().CellText(0, c), Sjis(expected[c])) << c;
    m->m_nKind = KindDone;
    EXPECT_EQ(list().CellText(0, 1), Sjis("完了"));
    EXPECT_EQ(list().CellText(0, 6), "2000/05/10");
    const std::pair<int, const char*> kinds[] = {{1, "ﾌｫﾙﾀﾞ"}, {3, "ごみ箱"}, {4, "ﾒﾓ"}, {11, ""}, {-5, ""}};
    for (auto [kind, text] : kinds) {
        m->m_nKind = kind;
        EXPECT_EQ(list().CellText(0, 1), Sjis(text)) << kind;
    }
    doc().UpdateAllViews(nullptr, HintMemoChanged, m); // the row is built again from the memo
    EXPECT_EQ(list().RowIcon(0), -1);                  // no icon for a kind outside the list
    EXPECT_EQ(list().CellText(5, 0), "");              // rows out of range read as empty
    EXPECT_EQ(list().RowMemo(-1), nullptr);
}

TEST_F(FindView, HeaderClicksCycleTheArrows) {
    Add(root(), "b");
    Add(root(), "a");
    Add(root(), "c");
    FindAll();
    list().OnHeaderClick(0);
    EXPECT_EQ(Header(0), Sjis("ﾀｲﾄﾙ ↓"));
    EXPECT_EQ(Header(1), Sjis("定義")); // the other arrow is gone
    EXPECT_EQ(Listed(), "a,b,c");
    list().OnHeaderClick(0);
    EXPECT_EQ(Header(0), Sjis("ﾀｲﾄﾙ ↑"));
    EXPECT_EQ(Listed(), "c,b,a");
    list().OnHeaderClick(0);
    EXPECT_EQ(Header(0), Sjis("ﾀｲﾄﾙ ↓"));
    EXPECT_EQ(Listed(), "a,b,c");
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list().RowMemo(row)->m_nFindRow, row);

    FindAll(); // right after a rebuild, column 1 already carries the arrow: one click sorts descending
    list().OnHeaderClick(1);
    EXPECT_EQ(Header(1), Sjis("定義 ↑"));
    EXPECT_EQ(Header(0), Sjis("ﾀｲﾄﾙ"));
}

// A row's icon is the one built with the row: it moves with its memo through every
// sort, however the column is sorted, and a kind changed since is not shown.
TEST_F(FindView, IconsMoveWithTheirRowsThroughEverySort) {
    std::vector<CMemoItem*> memos;
    const int kinds[] = {KindDone, KindMemo, KindDef1 + 2, KindDef5, KindDef1, KindMemo};
    for (int i = 0; i < 6; ++i) {
        memos.push_back(Add(root(), std::string(1, char('f' - i)), kinds[i]));
        memos.back()->m_timeCreated = kMay10 + (i * 5 + 2) % 6 * kDay; // an order of its own
    }
    FindAll();
    ASSERT_EQ(list().RowCount(), 6);
    std::map<const CMemoItem*, int> built;
    for (CMemoItem* memo : memos)
        built[memo] = memo->m_nKind;
    memos[2]->m_nKind = KindMemo; // changed without telling the list
    for (int column : {0, 1, 3})
        for (bool descending : {false, true}) {
            list().SortBy(column, descending);
            for (int row = 0; row < list().RowCount(); ++row) {
                EXPECT_EQ(list().RowIcon(row), built[list().RowMemo(row)]) << column << descending << row;
                EXPECT_EQ(list().RowMemo(row)->m_nFindRow, row);
            }
        }
}

TEST_F(FindView, DueAndDoneDatesSortWithUndatedMemosLast) {
    CMemoItem* late = Add(root(), "late");
    CMemoItem* none = Add(root(), "none");
    CMemoItem* early = Add(root(), "early");
    CMemoItem* sameDay = Add(root(), "sameday");
    late->m_bHasDue = early->m_bHasDue = sameDay->m_bHasDue = 1;
    late->m_timeDue = kMay11 + 3 * kDay;
    early->m_timeDue = kMay10 + 23 * 3600;
    sameDay->m_timeDue = kMay10 + 60; // same day as early: equal keys keep their order
    none->m_timeDue = kMay10 - 10 * kDay;
    FindAll(); // array order after the kind sort: late, none, early, sameday
    list().OnHeaderClick(5);
    EXPECT_EQ(Listed(), "early,sameday,late,none");
    list().OnHeaderClick(5);
    EXPECT_EQ(Listed(), "none,late,early,sameday");

    late->m_nKind = early->m_nKind = KindDone;
    late->m_timeDone = kMay11;
    early->m_timeDone = kMay10;
    list().OnHeaderClick(6);
    EXPECT_EQ(Header(6), Sjis("完成日 ↓"));
    EXPECT_EQ(Listed(), "early,late,none,sameday");
}

TEST_F(FindView, SelectionItemsSortByTheirPlaceInTheList) {
    doc().m_options.m_arrSelItems = {"A", "B", "C"};
    const char* items[] = {"C", "A", "", "X"};
    for (const char* item : items)
        Add(root(), std::string("m") + item)->m_strSelItem = item;
    FindAll();
    list().OnHeaderClick(2);
    EXPECT_EQ(Listed(), "mA,mC,mX,m");
    list().OnHeaderClick(2);
    EXPECT_EQ(Listed(), "m,mX,mC,mA");
}

TEST_F(FindView, KindsSortStablyWhateverTheirRange) {
    CMemoItem* x = Add(root(), "x");
    CMemoItem* y = Add(root(), "y");
    CMemoItem* z = Add(root(), "z", KindDone);
    FindAll(); // x, y (4), then z (10), each kind in array order
    EXPECT_EQ(Listed(), "x,y,z");
    list().OnHeaderClick(1);
    EXPECT_EQ(Listed(), "z,x,y"); // descending; equal kinds keep their order
    y->m_nKind = 100000;          // a stored code far outside the table
    z->m_nKind = -3;
    (void)x;
    list().OnHeaderClick(1);
    EXPECT_EQ(Listed(), "z,x,y");
    list().OnHeaderClick(1);
    EXPECT_EQ(Listed(), "y,x,z");
}

TEST_F(FindView, TitlesSortByCharacterValue) {
    Add(root(), Sjis("ア"));
    Add(root(), Sjis("ｱ"));
    Add(root(), "b");
    Add(root(), "B");
    FindAll();
    list().OnHeaderClick(0);
    EXPECT_EQ(Listed(), "B,b," + Sjis("ｱ") + "," + Sjis("ア"));
}

TEST_F(FindView, SelectionColumnFollowsTheSetting) {
    doc().m_options.m_strSelTitle = Sjis("担当");
    s->session().OnInitialUpdate(); // selection items off: column 2 hidden, held width 0
    EXPECT_FALSE(list().IsColumnShown(2));
    EXPECT_EQ(list().ColumnWidth(2), 0);
    doc().m_options.m_bSelEnabled = 1;
    doc().UpdateAllViews(nullptr, HintSelItemsChanged);
    EXPECT_TRUE(list().IsColumnShown(2));
    EXPECT_EQ(list().ColumnWidth(2), 80);
    EXPECT_EQ(Header(2), Sjis("担当"));
    doc().m_options.m_bSelEnabled = 0;
    doc().UpdateAllViews(nullptr, HintSelItemsChanged);
    EXPECT_FALSE(list().IsColumnShown(2));
    EXPECT_EQ(Header(2), "");
}

TEST_F(FindView, HintsRefreshRebuildAndNotify) {
    CMemoItem* a = Add(root(), "a");
    CMemoItem* b = Add(root(), "b");
    ListEvents events;
    list().SetObserver(&events);
    FindAll();
    EXPECT_EQ(events.log, "RrSsh");
    events.log.clear();
    list().OnHeaderClick(0); // sorted a, b

    events.log.clear();
    b->m_strTitle = "z";
    doc().UpdateAllViews(nullptr, HintMemoChanged, b); // the row shows the new title, keeps its place
    EXPECT_EQ(events.log, "c1");
    EXPECT_EQ(Listed(), "a,z");
    events.log.clear();
    doc().UpdateAllViews(nullptr, HintMemoChanged, root()); // not listed: nothing
    EXPECT_EQ(events.log, "");
    a->m_bFound = 0;
    doc().UpdateAllViews(nullptr, HintIconsReloaded);
    EXPECT_EQ(Listed(), "z");
    list().SetObserver(nullptr);
}

TEST_F(FindView, RowSelectionSendsHint5ExceptWhileRebuilding) {
    RecordingTitleView title;
    doc().AttachViews(&list(), &title, &s->memoView(), &s->treeView());
    CMemoItem* a = Add(root(), "a");
    FindAll();
    title.received.clear();
    list().OnRowSelected(0);
    ASSERT_EQ(title.received.size(), 1u);
    EXPECT_EQ(title.received[0].hint, HintShowInTree);
    EXPECT_EQ(title.received[0].memo, a);
    EXPECT_EQ(title.received[0].sender, &list());

    // A widget selecting rows while the list rebuilds sends nothing.
    struct SelectDuringReset : IFindListObserver {
        CKdListView* list;
        void BeforeReset() override {}
        void AfterReset() override { list->OnRowSelected(0); }
        void BeforeSort() override {}
        void AfterSort() override {}
        void RowChanged(int) override {}
        void HeaderChanged() override {}
        void SelectRow(int) override {}
    } observer;
    observer.list = &list();
    list().SetObserver(&observer);
    title.received.clear();
    doc().UpdateAllViews(nullptr, HintResultsChanged);
    for (auto& hint : title.received)
        EXPECT_NE(hint.hint, HintShowInTree);
    list().SetObserver(nullptr);
}

TEST_F(FindView, RightClickSelectsTheMemoThenOpensTheMenu) {
    struct MenuFrame : HeadlessFrame {
        void ShowMemoContextMenu(int x, int y) override { shown.push_back({x, y}); }
        std::vector<std::pair<int, int>> shown;
    } frame;
    PlatformServices platform{s->m_settings, frame, s->m_messages, s->m_fileDialogs, s->m_shell, s->m_dialogs};
    PlainEditControl edit;
    DocumentSession session(platform, edit);
    session.m_doc.OnNewDocument();
    TreeControl& t = session.m_treeView.Tree();
    auto* a = session.m_doc.AppendMemo(std::make_unique<CMemoItem>(KindMemo));
    session.m_doc.UpdateAllViews(nullptr, HintMemoCreated, a);
    session.m_doc.m_findCond.ResetToAllMemos();
    session.m_doc.RunSearch();
    t.Select(t.GetRoot());

    session.m_findView.OnRightClick(-1, 5, 5); // no row under the pointer
    EXPECT_EQ(t.GetCaret(), t.GetRoot());
    EXPECT_TRUE(frame.shown.empty());
    a->m_hTreeItem = nullptr; // a memo without a tree item: nothing
    session.m_findView.OnRightClick(0, 5, 5);
    EXPECT_TRUE(frame.shown.empty());
    session.m_doc.RunSearch(); // the walk records the item again
    session.m_findView.OnRightClick(0, 10, 20);
    EXPECT_EQ(t.GetCaret(), a->m_hTreeItem);
    EXPECT_EQ(session.m_doc.CurMemo(), 2);
    ASSERT_EQ(frame.shown.size(), 1u);
    EXPECT_EQ(frame.shown[0], std::make_pair(10, 20));
}

TEST_F(FindView, DueMarkForDueTodayAndOverdueOfEveryKind) {
    CMemoItem* m = Add(root(), "m", KindDone);
    FindAll();
    const std::pair<time32, bool> cases[] = {{kMay11 + 1, true}, {kMay10, true}, {kMay11 + kDay, false}};
    for (auto [due, marked] : cases) {
        m->m_bHasDue = 1;
        m->m_timeDue = due;
        EXPECT_EQ(list().RowShowsDueMark(0), marked) << due;
    }
    m->m_bHasDue = 0;
    m->m_timeDue = kMay10;
    EXPECT_FALSE(list().RowShowsDueMark(0));
}
