#include "FixedNowTest.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"
#include "core/shell/CommandRouter.h"
#include "core/shell/DocumentSession.h"

using namespace kardel;

namespace {
class MemoView : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        s.doc().OnNewDocument();
        s.m_frame.m_active = IMainFrame::Pane::MemoView;
    }
    PlainEditControl& edit() { return s.m_edit; }
    HeadlessSession s;
    CommandRouter router{s.doc()};
};
} // namespace

TEST_F(MemoView, InsertsDateAndTimeOverTheSelection) {
    edit().LoadText("ab-cd");
    edit().Select(2, 3);
    EXPECT_TRUE(router.Execute(ID_INSERT_DATE));
    EXPECT_EQ(edit().m_text, "ab2000/05/11cd");
    EXPECT_TRUE(router.Execute(ID_INSERT_TIME));
    EXPECT_EQ(edit().m_text, "ab2000/05/1108:06:40cd");
    EXPECT_TRUE(router.Execute(ID_EDIT_UNDO));
    EXPECT_EQ(edit().m_text, "ab2000/05/11cd");
}

TEST_F(MemoView, UrlAndMailFollowTheSelectionAsItIs) {
    edit().LoadText("see http://example.org/ or me@example.org");
    struct Row {
        size_t start, end;
        bool url, mail;
    };
    for (Row row : {Row{0, 0, false, false}, Row{0, 23, true, false}, Row{27, 41, false, true}, Row{4, 11, true, false},
                    Row{0, 41, true, true}}) {
        edit().Select(row.start, row.end);
        EXPECT_EQ(router.Update(ID_OPEN_URL).enabled, row.url) << row.start << "-" << row.end;
        EXPECT_EQ(router.Update(ID_SEND_MAIL).enabled, row.mail) << row.start << "-" << row.end;
        EXPECT_EQ(s.memoView().ContextMenuItemEnabled(ID_OPEN_URL), row.url);
        EXPECT_TRUE(s.memoView().ContextMenuItemEnabled(ID_EDIT_UNDO));
    }
    edit().Select(0, 23);
    router.Execute(ID_OPEN_URL);
    edit().Select(27, 41);
    router.Execute(ID_SEND_MAIL);
    EXPECT_EQ(s.m_shell.m_opened, (std::vector<std::string>{"see http://example.org/", "mailto:me@example.org"}));
    edit().Select(0, 0);
    EXPECT_FALSE(router.Execute(ID_OPEN_URL));
    EXPECT_EQ(s.m_shell.m_opened.size(), 2u);
}

TEST_F(MemoView, DroppedFilesBecomeReferencesAndOneUndoTakesTheLast) {
    edit().LoadText("");
    s.memoView().OnDropFiles({"/home/u/a.txt", "/home/u/メモ.txt"});
    EXPECT_EQ(Cp932Codec::ToUtf8(edit().m_text).text, "file:///home/u/a.txt file:///home/u/メモ.txt");
    edit().Run(IEditControl::Operation::Undo);
    EXPECT_EQ(edit().m_text, "file:///home/u/a.txt ");
}

TEST_F(MemoView, TabStopsFollowTheChoice) {
    struct Row {
        std::int32_t choice;
        int units;
    };
    for (Row row : {Row{0, 8}, Row{1, 16}, Row{2, 32}, Row{7, 16}, Row{-1, 16}}) {
        s.doc().m_options.m_nTabChoice = row.choice;
        s.memoView().LoadMemo(*s.doc().Memo(0));
        EXPECT_EQ(edit().m_tabStops, row.units) << row.choice;
    }
}

TEST_F(MemoView, EditCommandsNeedMemoViewAndTheirState) {
    edit().LoadText("");
    EXPECT_FALSE(router.Update(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(router.Update(ID_EDIT_SELECT_ALL).enabled);
    EXPECT_FALSE(router.Update(ID_EDIT_FIND).enabled);
    EXPECT_FALSE(router.Update(ID_EDIT_COPY).enabled);
    EXPECT_TRUE(router.Update(ID_INSERT_DATE).enabled);
    edit().LoadText("text");
    EXPECT_FALSE(router.Update(ID_EDIT_UNDO).enabled) << "loading leaves nothing to undo";
    EXPECT_TRUE(router.Update(ID_EDIT_SELECT_ALL).enabled);
    router.Execute(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(router.Update(ID_EDIT_CUT).enabled);
    s.m_frame.m_active = IMainFrame::Pane::TreeView;
    for (CommandId id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_SELECT_ALL, ID_INSERT_DATE, ID_OPEN_URL})
        EXPECT_FALSE(router.Update(id).enabled) << id;
}

TEST_F(MemoView, PrintHeaderNamesTheSelectedMemoAndTheDocument) {
    s.doc().Memo(0)->m_strTitle = "Data";
    EXPECT_EQ(Cp932Codec::ToUtf8(s.memoView().PrintHeader(3)).text, "Title = Data  File = 無題  Page = 3");
}
