#include "core/search/FindMatcher.h"

#include "SearchFixture.h"

using namespace kardel;

namespace {

CFindCondition StringCondition(const std::string& text, bool title, bool body) {
    CFindCondition c;
    c.m_stringOn = 1;
    c.m_search = text;
    c.m_searchTitle = title;
    c.m_searchBody = body;
    return c;
}

CFindCondition DateCondition(int field, int relation, int source, time32 given) {
    CFindCondition c;
    c.m_dateOn = 1;
    c.m_dateField = field;
    c.m_dateRelation = relation;
    c.m_dateSource = source;
    c.m_givenTime = given;
    return c;
}

} // namespace

class Search : public SearchFixture {};

TEST_F(Search, StringTestMatchesAtCharacterBoundariesOnly) {
    struct Case {
        std::string title, body, search;
        bool inTitle, inBody, expected;
    } cases[] = {
        {Sjis("ツA"), "", "cA", true, false, false},
        {Sjis("ツcA"), "", "cA", true, false, true},
        {"Title", "", "", true, false, true}, // empty string: every non-empty title
        {"", "body", "", true, false, false}, // ... but not an empty one
        {"", "body", "", true, true, true},
        {"WORD", "", "word", true, false, false}, // lower case does not find upper case
        {"x", "a word", "word", true, false, false},
        {"x", "a word", "word", false, true, true},
        {"word", "word", "word", false, false, false}, // both flags off
    };
    for (const Case& c : cases) {
        CMemoItem memo;
        memo.m_strTitle = c.title;
        memo.m_strBody = c.body;
        CFindCondition cond = StringCondition(c.search, c.inTitle, c.inBody);
        EXPECT_EQ(FindMatcher(cond).Matches(memo), c.expected) << c.title << " / " << c.search;
    }
}

TEST_F(Search, DateTestComparesLocalDays) {
    CMemoItem may10early, may10late, may11, due, noDue, done, notDone;
    may10early.m_timeCreated = kMay10;
    may10late.m_timeCreated = kMay11 - 1;
    may11.m_timeCreated = kMay11;
    struct Case {
        const CMemoItem* memo;
        CFindCondition cond;
        bool expected;
    } cases[] = {
        // created on or before a given 10 May (given at any hour of that day)
        {&may10early, DateCondition(0, 1, 1, kMay10 + 15 * 3600), true},
        {&may10late, DateCondition(0, 1, 1, kMay10 + 15 * 3600), true},
        {&may11, DateCondition(0, 1, 1, kMay10 + 15 * 3600), false},
        {&may11, DateCondition(0, 0, 1, kMay11 + kDay - 1), true},
        {&may10late, DateCondition(0, 2, 1, kMay11), false},
        // source 0: today is 11 May (the fixture's clock), whatever the given date says
        {&may11, DateCondition(0, 0, 0, kMay10), true},
        {&may10early, DateCondition(0, 0, 0, kMay10), false},
        // relations and fields outside their ranges find nothing
        {&may11, DateCondition(0, 3, 1, kMay11), false},
        {&may11, DateCondition(4, 0, 1, kMay11), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(FindMatcher(cases[i].cond).Matches(*cases[i].memo), cases[i].expected) << i;

    // No due date and kinds other than done never pass, whatever the relation.
    noDue.m_bHasDue = 0;
    noDue.m_timeDue = kMay11;
    notDone.m_nKind = KindMemo;
    notDone.m_timeDone = kMay11;
    done.m_nKind = KindDone;
    done.m_timeDone = kMay11;
    due.m_bHasDue = 1;
    due.m_timeDue = kMay11;
    for (int relation : {0, 1, 2}) {
        EXPECT_FALSE(FindMatcher(DateCondition(2, relation, 1, kMay11)).Matches(noDue));
        EXPECT_TRUE(FindMatcher(DateCondition(2, relation, 1, kMay11)).Matches(due));
        EXPECT_FALSE(FindMatcher(DateCondition(3, relation, 1, kMay11)).Matches(notDone));
        EXPECT_TRUE(FindMatcher(DateCondition(3, relation, 1, kMay11)).Matches(done));
    }
}

TEST_F(Search, KindAndSelectionTestsAndTheirAlternatives) {
    CFindCondition kinds;
    kinds.m_kindsOn = 1;
    kinds.m_kindDef[2] = 7; // a stored 7 counts as on
    kinds.m_kindFolder = 1;
    const std::pair<int, bool> byKind[] = {{0, true},  {1, true}, {2, false},  {3, false},  {4, false},
                                           {5, false}, {7, true}, {10, false}, {11, false}, {-1, false}};
    for (auto [kind, expected] : byKind) {
        CMemoItem memo(KindMemo);
        memo.m_nKind = kind;
        EXPECT_EQ(FindMatcher(kinds).Matches(memo), expected) << kind;
    }
    // Switched-on tests are alternatives: a memo failing the kind test passes on its title.
    CFindCondition both = kinds;
    both.m_stringOn = 1;
    both.m_searchTitle = 1;
    both.m_search = "x";
    CMemoItem memo(KindMemo);
    memo.m_strTitle = "x";
    EXPECT_TRUE(FindMatcher(both).Matches(memo));
    memo.m_strTitle = "y";
    EXPECT_FALSE(FindMatcher(both).Matches(memo));

    CFindCondition sel;
    sel.m_selOn = 1;
    sel.m_arrSelItems = {"A", "C"};
    memo.m_strSelItem = "C";
    EXPECT_TRUE(FindMatcher(sel).Matches(memo));
    memo.m_strSelItem = "c";
    EXPECT_FALSE(FindMatcher(sel).Matches(memo));
    sel.m_selOn = 0;
    memo.m_strSelItem = "C";
    EXPECT_FALSE(FindMatcher(sel).Matches(memo)); // a constructed condition finds nothing
}

TEST_F(Search, ScopeAllVisitsTrashContentsButNeverRootOrTrash) {
    CMemoItem* a = Add(root(), "a");
    CMemoItem* b = Add(a, "b");
    CMemoItem* t = Add(trash(), "t");
    doc().m_findCond.ResetToAllMemos();
    doc().RunSearch();
    EXPECT_FALSE(root()->m_bFound);
    EXPECT_FALSE(trash()->m_bFound);
    EXPECT_TRUE(a->m_bFound && b->m_bFound && t->m_bFound);
    EXPECT_EQ(Listed(), "a,b,t"); // kind ascending: a became a folder (1), b and t memos (4)
    EXPECT_EQ(t->m_hTreeItem->parent(), trash()->m_hTreeItem);

    doc().m_findCond.m_kindsOn = 0; // every test off: everything is cleared
    doc().RunSearch();
    for (auto& memo : doc().Memos())
        EXPECT_FALSE(memo->m_bFound);
    EXPECT_EQ(list().RowCount(), 0);
}

TEST_F(Search, ScopeBelowSelection) {
    CMemoItem* a = Add(root(), "a");
    CMemoItem* b = Add(a, "b");
    CMemoItem* other = Add(root(), "other");
    CMemoItem* t = Add(trash(), "t");
    doc().m_findCond.ResetToAllMemos();
    doc().m_findCond.m_scope = CFindCondition::BelowSelection;

    tree().Select(a->m_hTreeItem);
    doc().RunSearch();
    EXPECT_TRUE(a->m_bFound && b->m_bFound);
    EXPECT_FALSE(other->m_bFound || t->m_bFound);

    tree().Select(trash()->m_hTreeItem); // the trash searches its contents, never itself
    doc().RunSearch();
    EXPECT_EQ(Listed(), "t");
    EXPECT_FALSE(trash()->m_bFound);

    tree().DeleteAllItems(); // nothing selected: nothing found, every flag cleared
    doc().RunSearch();
    for (auto& memo : doc().Memos())
        EXPECT_FALSE(memo->m_bFound);
}

TEST_F(Search, ScopeFindViewRetestsOnlyTheListedMemos) {
    CMemoItem* a = Add(root(), "apple");
    CMemoItem* b = Add(root(), "banana");
    CMemoItem* c = Add(root(), "cherry");
    CFindCondition& cond = doc().m_findCond;
    cond.m_scope = CFindCondition::FindViewRows;
    cond.m_stringOn = cond.m_searchTitle = 1;
    cond.m_search = "an";
    doc().RunSearch(); // an empty list: nothing changes, nothing listed
    EXPECT_EQ(list().RowCount(), 0);
    EXPECT_FALSE(b->m_bFound);

    cond.m_scope = CFindCondition::AllMemos;
    cond.m_search = "e"; // apple, cherry
    doc().RunSearch();
    EXPECT_EQ(list().RowCount(), 2);
    cond.m_scope = CFindCondition::FindViewRows;
    cond.m_search = "a"; // of the listed two, only apple; banana is not listed
    doc().RunSearch();
    EXPECT_EQ(Listed(), "apple");
    EXPECT_TRUE(a->m_bFound);
    EXPECT_FALSE(b->m_bFound || c->m_bFound);

    cond.m_scope = 3; // unknown scope: no flag changes
    doc().RunSearch();
    EXPECT_EQ(Listed(), "apple");
}

TEST_F(Search, AfterSearchStepFollowsTheSetting) {
    Add(root(), "a");
    doc().m_findCond.ResetToAllMemos();
    s->m_frame.m_active = IMainFrame::Pane::TreeView;
    doc().RunSearch();
    EXPECT_EQ(s->m_frame.m_active, IMainFrame::Pane::TreeView);

    AppSettings(s->m_settings).Set(AppSettings::kShowFirstFound, 1);
    doc().RunSearch();
    EXPECT_EQ(s->m_frame.m_active, IMainFrame::Pane::FindView);

    s->m_frame.m_active = IMainFrame::Pane::TreeView;
    doc().m_findCond.m_kindsOn = 0; // nothing found: the pane stays as it was
    doc().RunSearch();
    EXPECT_EQ(s->m_frame.m_active, IMainFrame::Pane::TreeView);
}
