#include "core/shell/FileCommands.h"
#include "FixedNowTest.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"
#include "core/shell/CommandRouter.h"
#include "core/shell/DocumentSession.h"

#include <filesystem>

using namespace kardel;

namespace {
struct FakeWindow : IAppWindow {
    int closed = 0, replaced = 0, loads = 0, forward = 0;
    std::vector<std::string> heldElsewhere, recent;
    void CloseWindow() override { ++closed; }
    void PrinterSetup() override {}
    bool HandOverToRunningInstance(const std::string& path) override {
        return std::find(heldElsewhere.begin(), heldElsewhere.end(), path) != heldElsewhere.end();
    }
    void RecentFilesChanged(const std::vector<std::string>& entries) override { recent = entries; }
    void BringForward() override { ++forward; }
    void BeginLoad() override { ++loads; }
    void DocumentReplaced() override { ++replaced; }
};

class FileCommandsTest : public FixedNowTest {
protected:
    void SetUp() override {
        FixedNowTest::SetUp();
        s.doc().OnNewDocument();
        router.AddAppTarget(&app);
        dir = std::filesystem::temp_directory_path() / ("kardel-app-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        FixedNowTest::TearDown();
    }
    std::string Path(const char* name) { return (dir / name).string(); }
    HeadlessSession s;
    FakeWindow window;
    FileCommands app{s.doc(), window};
    CommandRouter router{s.doc()};
    std::filesystem::path dir;
};
} // namespace

TEST_F(FileCommandsTest, SaveAsThenOpenRoundTripsAndFillsTheRecentList) {
    s.m_edit.m_text = "hello"; // typed into MemoView
    s.doc().SetModifiedFlag();
    s.m_fileDialogs.m_answers = {Path("a.kdl")};
    EXPECT_TRUE(router.Execute(ID_FILE_SAVE));
    EXPECT_FALSE(s.doc().IsModified());
    EXPECT_EQ(s.doc().m_strTitle, "a.kdl");
    EXPECT_EQ(window.recent, std::vector<std::string>{Path("a.kdl")});
    EXPECT_TRUE(s.m_fileDialogs.m_requests[0].save);

    s.doc().OnNewDocument();
    EXPECT_TRUE(router.Update(ID_FILE_MRU_FILE1).enabled);
    EXPECT_FALSE(router.Update(CommandId(ID_FILE_MRU_FILE1 + 1)).enabled);
    EXPECT_TRUE(router.Execute(ID_FILE_MRU_FILE1));
    EXPECT_EQ(s.doc().Memo(0)->m_strBody, "hello");
    EXPECT_EQ(s.doc().Memo(0)->m_strTitle, "a");
}

TEST_F(FileCommandsTest, SaveQuestionAnswers) {
    struct Row {
        IMessageBox::Answer answer;
        bool proceeds;
    };
    for (Row row : {Row{IMessageBox::Answer::No, true}, Row{IMessageBox::Answer::Cancel, false}}) {
        s.doc().SetModifiedFlag();
        s.m_messages.m_answer = row.answer;
        s.m_messages.m_asked.clear();
        EXPECT_EQ(app.SaveModified(), row.proceeds);
        ASSERT_EQ(s.m_messages.m_asked.size(), 1u);
        EXPECT_EQ(Cp932Codec::ToUtf8(s.m_messages.m_asked[0]).text, "無題 への変更を保存しますか?");
    }
    // Yes on an untitled document asks for a name; cancelling that cancels the close.
    s.m_messages.m_answer = IMessageBox::Answer::Yes;
    EXPECT_FALSE(app.SaveModified());
    s.doc().SetModifiedFlag(false);
    s.m_messages.m_asked.clear();
    EXPECT_TRUE(app.SaveModified());
    EXPECT_TRUE(s.m_messages.m_asked.empty());
}

TEST_F(FileCommandsTest, AutoSaveWritesNamedDocumentsWithoutAsking) {
    s.m_fileDialogs.m_answers = {Path("b.kdl")};
    ASSERT_TRUE(app.SaveAs());
    s.m_settings.SetInt("Settings", AppSettings::kAutoSave, 1);
    s.m_edit.m_text = "changed";
    s.doc().SetModifiedFlag();
    EXPECT_TRUE(router.Execute(ID_FILE_CLOSE));
    EXPECT_TRUE(s.m_messages.m_asked.empty());
    EXPECT_EQ(window.closed, 1);
    s.doc().OnNewDocument();
    ASSERT_TRUE(app.OpenFile(Path("b.kdl")));
    EXPECT_EQ(s.doc().Memo(0)->m_strBody, "changed");
}

TEST_F(FileCommandsTest, FailedOpenIsReportedAndLeavesTheRecentList) {
    EXPECT_FALSE(app.OpenFile(Path("missing.kdl")));
    EXPECT_EQ(s.m_messages.m_shown.size(), 1u);
    EXPECT_TRUE(window.recent.empty());
    EXPECT_EQ(s.doc().Memos().size(), 2u);
}

TEST_F(FileCommandsTest, AFileHeldByAnotherInstanceIsHandedOverAndThisWindowCloses) {
    window.heldElsewhere = {Path("held.kdl")};
    EXPECT_FALSE(app.OpenFile(Path("held.kdl")));
    EXPECT_TRUE(app.HandedOver());
    EXPECT_EQ(window.closed, 1);
    EXPECT_TRUE(s.m_messages.m_shown.empty());
}

TEST(RecentFileList, KeepsFourMostRecentFirstWithoutRepeats) {
    CRecentFileList list;
    for (const char* path : {"a", "b", "c", "d", "e", "c"})
        list.Add(path);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"c", "e", "d", "b"}));
    list.Load({"x", "", "x", "y", "z", "w", "v"});
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"x", "y", "z", "w"}));
}

TEST_F(FileCommandsTest, NewStartsAnotherProcessAndKeepsThisDocument) {
    s.doc().Memo(0)->m_strBody = "keep";
    EXPECT_TRUE(router.Execute(ID_FILE_NEW));
    EXPECT_EQ(s.m_shell.m_started, 1);
    EXPECT_EQ(s.doc().Memo(0)->m_strBody, "keep");
}

TEST_F(FileCommandsTest, OneCleanedRecentListAndTheOpenDocumentIsOnlyBroughtForward) {
    for (const char* name : {"a.kdl", "b.kdl"}) {
        s.m_fileDialogs.m_answers = {Path(name)};
        ASSERT_TRUE(app.SaveAs());
    }
    // The stored list as another program may have left it: empties and repeats.
    app.LoadRecentFiles({"", Path("a.kdl"), "", Path("a.kdl"), Path("b.kdl")});
    EXPECT_EQ(window.recent, (std::vector<std::string>{Path("a.kdl"), Path("b.kdl")}));
    EXPECT_EQ(app.recentFiles().Entries(), window.recent);

    // b.kdl is open and has unsaved typing: choosing it only brings the window forward.
    s.m_edit.m_text = "typed";
    s.doc().SetModifiedFlag();
    s.m_messages.m_answer = IMessageBox::Answer::No;
    const int loads = window.loads;
    EXPECT_TRUE(router.Execute(CommandId(ID_FILE_MRU_FILE1 + 1)));
    EXPECT_EQ(window.forward, 1);
    EXPECT_TRUE(s.m_messages.m_asked.empty());
    EXPECT_EQ(window.loads, loads);
    EXPECT_TRUE(s.doc().IsModified());
    EXPECT_EQ(s.m_edit.m_text, "typed");

    // The other entry opens after the save question.
    EXPECT_TRUE(router.Execute(ID_FILE_MRU_FILE1));
    EXPECT_EQ(s.m_messages.m_asked.size(), 1u);
    EXPECT_EQ(s.doc().m_strTitle, "a.kdl");
}
