#include "core/shell/CommandRouter.h"

#include "SearchFixture.h"

#include <fstream>
#include <vector>

using namespace kardel;

class StdFind : public SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        a = Add(root(), "a");
        done = Add(root(), "d", KindDone);
        // Standard search 3 finds done memos, 1 finds plain memos.
        doc().m_options.m_stdFind[2].m_kindsOn = 1;
        doc().m_options.m_stdFind[2].m_kindDone = 1;
        doc().m_options.m_stdFind[0].m_kindsOn = 1;
        doc().m_options.m_stdFind[0].m_kindMemo = 1;
    }
    bool Run(CommandId id) { return CommandRouter(doc()).Execute(id); }

    CMemoItem* a = nullptr;
    CMemoItem* done = nullptr;
};

TEST_F(StdFind, ChosenSearchRunsAndIsPreselectedNextTime) {
    std::vector<int> preselected;
    std::vector<std::optional<int>> answers = {3, 0, std::nullopt};
    s->m_dialogs.onStdFindChoice = [&](const CDocOptions&, int last) {
        preselected.push_back(last);
        std::optional<int> answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    };
    EXPECT_TRUE(Run(ID_FIND_STANDARD)); // the key 3
    EXPECT_EQ(doc().m_nStdFind, 3);
    EXPECT_EQ(doc().m_findCond, doc().m_options.m_stdFind[2]);
    EXPECT_EQ(Listed(), "d");

    // No row selected: the current condition runs unchanged and the number becomes 0.
    a->m_nKind = KindDone;
    EXPECT_TRUE(Run(ID_FIND_STANDARD));
    EXPECT_EQ(doc().m_nStdFind, 0);
    EXPECT_EQ(doc().m_findCond, doc().m_options.m_stdFind[2]);
    EXPECT_EQ(Listed(), "a,d");

    a->m_nKind = KindMemo;
    EXPECT_TRUE(Run(ID_FIND_STANDARD)); // cancelled: nothing changes, no search
    EXPECT_EQ(doc().m_nStdFind, 0);
    EXPECT_EQ(Listed(), "a,d");
    EXPECT_EQ(preselected, (std::vector<int>{1, 3, 0}));
}

TEST_F(StdFind, NewOptionsFindNothing) {
    doc().m_findCond.ResetToAllMemos();
    doc().RunSearch();
    ASSERT_EQ(list().RowCount(), 2);
    CDocOptions fresh;
    doc().m_options = fresh;
    s->m_dialogs.onStdFindChoice = [](const CDocOptions&, int) { return std::optional<int>(2); };
    Run(ID_FIND_STANDARD);
    EXPECT_EQ(list().RowCount(), 0);
}

TEST_F(StdFind, FindSheetSearchesUnlessCancelledAndReFindReuses) {
    s->m_dialogs.onFindSheet = [](CFindCondition& target, const CDocOptions&, bool restricted) {
        EXPECT_FALSE(restricted);
        target.m_stringOn = target.m_searchTitle = 1;
        target.m_search = "a";
        return false; // applied, then cancelled: the values stay, nothing is searched
    };
    Run(ID_FIND);
    EXPECT_EQ(doc().m_findCond.m_search, "a");
    EXPECT_EQ(list().RowCount(), 0);
    Run(ID_FIND_AGAIN);
    EXPECT_EQ(Listed(), "a");
    s->m_dialogs.onFindSheet = [](CFindCondition& target, const CDocOptions&, bool) {
        target.m_search = "d";
        return true;
    };
    Run(ID_FIND);
    EXPECT_EQ(Listed(), "d");
}

TEST_F(StdFind, InitialSearchAtInitialUpdate) {
    CMemoItem* t = Add(trash(), "t");
    doc().m_options.m_nInitialFind = 6; // a new document: the current condition, as it stands, runs
    s->session().OnInitialUpdate();
    EXPECT_EQ(list().RowCount(), 0);
    doc().m_findCond.ResetToAllMemos(); // as opening a file with choice 6 sets it
    s->session().OnInitialUpdate();
    EXPECT_EQ(Listed(), "a,t,d");
    doc().m_options.m_nInitialFind = 0; // none: every flag off, empty list
    s->session().OnInitialUpdate();
    EXPECT_EQ(list().RowCount(), 0);
    EXPECT_FALSE(t->m_bFound);
    doc().m_options.m_nInitialFind = 3;
    doc().m_findCond = doc().m_options.m_stdFind[2];
    s->session().OnInitialUpdate();
    EXPECT_EQ(Listed(), "d");
}

TEST_F(StdFind, AnotherDocumentNeverShowsTheRowsOfTheLastOne) {
    doc().m_findCond.ResetToAllMemos();
    doc().RunSearch();
    ASSERT_EQ(list().RowCount(), 2);
    std::string path = ::testing::TempDir() + "stdfind-unknown-choice.kdl";
    doc().m_options.m_nInitialFind = 9; // a choice no table knows: no search
    ASSERT_TRUE(doc().OnSaveDocument(path).ok);
    ASSERT_TRUE(doc().OnOpenDocument(path).ok);
    s->session().OnInitialUpdate();
    EXPECT_EQ(list().RowCount(), 0);
    std::remove(path.c_str());
}

TEST_F(StdFind, InitialChoiceAppliesWhenAFileIsOpened) {
    Add(trash(), "t");
    doc().m_options.m_nInitialFind = 6;
    std::string path = ::testing::TempDir() + "stdfind-initial.kdl";
    ASSERT_TRUE(doc().OnSaveDocument(path).ok);
    HeadlessSession other;
    ASSERT_TRUE(other.doc().OnOpenDocument(path).ok);
    other.session().OnInitialUpdate();
    EXPECT_EQ(other.findView().RowCount(), 3); // a, d and t; never the root or the trash
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(other.findView().RowMemoIndex(row), 1);
    std::remove(path.c_str());
}
