// Backups, the identity of a document's file, and recovery copies.
#include "core/base/FileIdentity.h"
#include "core/base/FileSystem.h"
#include "core/base/ForkedProducer.h"
#include "core/base/SafeFile.h"
#include "core/base/Texts.h"
#include "core/model/BackupRotation.h"
#include "core/model/RecoveryStore.h"
#include "core/shell/CrashRecovery.h"
#include "core/shell/DocumentSession.h"
#include "core/shell/FileCommands.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kardel;

namespace {

std::string FreshFolder(const std::string& name) {
    std::string folder = ::testing::TempDir() + "safety-" + name;
    EXPECT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0);
    EXPECT_TRUE(MakeFolders(folder, 0700));
    return folder;
}

void Put(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileSafely(path, [&](IOutput& out) { return out.Write(bytes.data(), bytes.size()); }).ok);
}

std::string Get(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes).ok) << path;
    return bytes;
}

// Sets a file's modification time an hour back, as a file read long after it was written.
void Age(const std::string& path) {
    timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class Safety : public FixedNowTest {};

class AppWindowStub : public IAppWindow {
public:
    void CloseWindow() override {}
    void PrinterSetup() override {}
    bool HandOverToRunningInstance(const std::string&) override { return false; }
    void RecentFilesChanged(const std::vector<std::string>&) override {}
    void BringForward() override {}
    void BeginLoad() override {}
    void DocumentReplaced() override { ++m_replaced; }
    int m_replaced = 0;
};

// A document of one memo saved at `path` and open there through `files`.
void OpenSavedMemo(HeadlessSession& s, FileCommands& files, const std::string& path) {
    s.doc().OnNewDocument();
    s.doc().CreateUntitledMemo();
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    ASSERT_TRUE(files.OpenFile(path));
}

} // namespace

// Random saves of a few contents, some repeated: the folder holds the last `keep` distinct
// versions that were replaced, oldest first, and nothing of another document of the same name.
TEST_F(Safety, BackupRotationKeepsTheLastVersionsOfEachDocument) {
    std::mt19937 random(14);
    for (int keep : {0, 1, 3, 5}) {
        const std::string root = FreshFolder("rotation");
        const std::string backups = root + "/backups";
        ASSERT_TRUE(MakeFolders(root + "/a", 0700) && MakeFolders(root + "/b", 0700));
        const std::string doc = root + "/a/notes.kdl", twin = root + "/b/notes.kdl";
        Put(twin, "twin");
        BackupRotation rotation(backups, keep);
        ASSERT_TRUE(rotation.Keep(twin, 958000000).ok);
        std::vector<std::string> replaced;             // each version a save replaced, repeats collapsed
        ASSERT_TRUE(rotation.Keep(doc, 958000000).ok); // nothing to replace yet
        for (int save = 0; save < 12; ++save) {
            // Every other version is long enough that the compare with the newest backup
            // reads it in several pieces and meets the difference in the last one.
            std::string content = std::string(save % 2 ? 0 : 600000, 'p') + "v" + std::to_string(random() % 4);
            if (save > 0) {
                ASSERT_TRUE(rotation.Keep(doc, 958000000 + save / 3).ok);
                std::string old = Get(doc);
                if (replaced.empty() || replaced.back() != old)
                    replaced.push_back(old);
            }
            Put(doc, content);
        }
        std::vector<std::string> kept = rotation.BackupsOf(doc);
        size_t expected = std::min(replaced.size(), size_t(keep));
        ASSERT_EQ(kept.size(), expected) << "keep " << keep;
        for (size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(Get(kept[i]), replaced[replaced.size() - expected + i]);
        ASSERT_EQ(rotation.BackupsOf(twin).size(), keep ? 1u : 0u);
        if (keep) {
            EXPECT_EQ(Get(rotation.BackupsOf(twin)[0]), "twin");
        }
    }
}

// The save keeps a backup; a backup that cannot be made is reported and the save goes on.
TEST_F(Safety, SaveKeepsABackupAndGoesOnWhenItFails) {
    const std::string root = FreshFolder("save-backup");
    HeadlessSession s;
    s.doc().OnNewDocument();
    const std::string path = root + "/doc.kdl";
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    const std::string first = Get(path);
    s.doc().m_backupFolder = root + "/backups";
    s.doc().CreateUntitledMemo();
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    BackupRotation rotation(root + "/backups", 5);
    ASSERT_EQ(rotation.BackupsOf(path).size(), 1u);
    EXPECT_EQ(Get(rotation.BackupsOf(path)[0]), first);

    s.m_settings.SetInt(AppSettings::kSection, AppSettings::kBackupCount, 0); // off
    s.doc().CreateUntitledMemo();
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    EXPECT_EQ(rotation.BackupsOf(path).size(), 1u);

    s.m_settings.SetInt(AppSettings::kSection, AppSettings::kBackupCount, 5);
    Put(root + "/blocked", "a file where the folder should be");
    s.doc().m_backupFolder = root + "/blocked/backups";
    s.doc().CreateUntitledMemo();
    const std::string before = Get(path);
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    ASSERT_EQ(s.m_messages.m_shown.size(), 1u);
    EXPECT_NE(s.m_messages.m_shown[0].find(Sjis("ﾊﾞｯｸｱｯﾌﾟを作成できませんでした")), std::string::npos);
    EXPECT_NE(Get(path), before);
    EXPECT_FALSE(s.doc().IsModified());
}

TEST_F(Safety, FileIdentityTellsWhatChangedTheFile) {
    const std::string root = FreshFolder("identity");
    const std::string path = root + "/f.kdl";
    using State = FileIdentity::State;
    struct Case {
        const char* what;
        void (*change)(const std::string& path);
        State expected;
    } cases[] = {
        {"untouched", [](const std::string&) {}, State::Unchanged},
        {"appended", [](const std::string& p) { Put(p, "0123456789+"); }, State::Changed},
        {"same bytes, new inode", [](const std::string& p) { Put(p, "0123456789"); }, State::Unchanged},
        {"other bytes, same size, new inode", [](const std::string& p) { Put(p, "9876543210"); }, State::Changed},
        {"other bytes in place, time set back",
         [](const std::string& p) {
             int fd = ::open(p.c_str(), O_WRONLY);
             ASSERT_EQ(::pwrite(fd, "X", 1, 0), 1);
             ::close(fd);
             Age(p);
         },
         State::Changed},
        {"deleted", [](const std::string& p) { ::unlink(p.c_str()); }, State::Missing},
    };
    for (bool aged : {false, true}) {
        for (const Case& c : cases) {
            Put(path, "0123456789");
            if (aged)
                Age(path);
            FileIdentity id = FileIdentity::Record(path, ContentHasher::Of("0123456789"));
            ASSERT_TRUE(id.known);
            EXPECT_EQ(id.ambiguous, !aged);
            c.change(path);
            EXPECT_EQ(id.Verify(path), c.expected) << c.what << (aged ? " (aged)" : "");
            // Text round trip for the recovery record.
            EXPECT_EQ(FileIdentity::FromText(id.ToText()), id);
        }
    }
}

// Saving over a file something else changed asks first; each answer does what it says.
TEST_F(Safety, SavingOverAChangedFileAsks) {
    const std::string root = FreshFolder("overwrite");
    using Answer = IMessageBox::Answer;
    for (Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
        HeadlessSession s;
        AppWindowStub window;
        FileCommands files(s.doc(), window);
        const std::string path = root + "/doc.kdl", other = root + "/other.kdl";
        ::unlink(other.c_str());
        s.doc().OnNewDocument();
        ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
        ASSERT_TRUE(files.OpenFile(path));
        s.doc().CreateUntitledMemo();
        ASSERT_TRUE(files.Save()); // unchanged outside: no question
        EXPECT_TRUE(s.m_messages.m_asked.empty());
        s.doc().CreateUntitledMemo();
        Put(path, "written elsewhere");
        s.m_messages.m_answer = answer;
        s.m_fileDialogs.m_answers = {other};
        bool saved = files.Save();
        ASSERT_EQ(s.m_messages.m_asked.size(), 1u);
        EXPECT_EQ(saved, answer != Answer::Cancel);
        EXPECT_EQ(Get(path) == "written elsewhere", answer != Answer::Yes);
        EXPECT_EQ(FileIdentity::Stat(other).has_value(), answer == Answer::No);
        EXPECT_EQ(s.doc().IsModified(), answer == Answer::Cancel);
        EXPECT_EQ(s.doc().m_strPathName, answer == Answer::No ? other : path);
    }
}

// The watcher's report: no unsaved changes, the user may reload; with them, one warning.
TEST_F(Safety, AChangeOutsideOffersAReloadOrWarnsOnce) {
    const std::string root = FreshFolder("watch");
    const std::string path = root + "/doc.kdl", other = root + "/other.kdl";
    HeadlessSession s;
    AppWindowStub window;
    FileCommands files(s.doc(), window);
    s.doc().OnNewDocument();
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    s.doc().CreateUntitledMemo();
    ASSERT_TRUE(s.doc().OnSaveDocument(other).ok);
    ASSERT_TRUE(files.OpenFile(path));
    const size_t memos = s.doc().Memos().size();

    files.FileChangedElsewhere(); // our own file as we wrote it: nothing to say
    EXPECT_TRUE(s.m_messages.m_asked.empty());
    Put(path, Get(other));
    s.m_messages.m_answer = IMessageBox::Answer::Yes;
    files.FileChangedElsewhere();
    ASSERT_EQ(s.m_messages.m_asked.size(), 1u);
    EXPECT_EQ(s.doc().Memos().size(), memos + 1); // read again
    EXPECT_FALSE(s.doc().IsModified());

    // A file that no longer reads: the reload fails and the open outline stays, unsaved.
    Put(path, "written elsewhere");
    files.FileChangedElsewhere();
    ASSERT_EQ(s.m_messages.m_asked.size(), 2u);
    ASSERT_EQ(s.m_messages.m_shown.size(), 1u);
    EXPECT_EQ(s.m_messages.m_shown[0], texts::BadFileFormat());
    EXPECT_EQ(s.doc().Memos().size(), memos + 1);
    EXPECT_EQ(s.doc().m_strPathName, path);
    EXPECT_TRUE(s.doc().IsModified());
    EXPECT_EQ(Get(path), "written elsewhere");

    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    s.memoView().edit().ReplaceSelection("typed", true); // unsaved, still in MemoView
    Put(path, "written elsewhere");
    files.FileChangedElsewhere();
    files.FileChangedElsewhere();
    EXPECT_EQ(s.m_messages.m_asked.size(), 2u);
    EXPECT_EQ(s.m_messages.m_shown.size(), 2u);
    EXPECT_TRUE(s.doc().HasUnsavedChanges());
}

// The open file deleted or moved away by another program: the window holds the only copy,
// so it counts as unsaved, said once; saving writes the file again without a question.
TEST_F(Safety, AFileGoneFromUnderTheWindowLeavesItUnsaved) {
    const std::string path = FreshFolder("gone") + "/doc.kdl";
    HeadlessSession s;
    AppWindowStub window;
    FileCommands files(s.doc(), window);
    ASSERT_NO_FATAL_FAILURE(OpenSavedMemo(s, files, path));
    ASSERT_EQ(std::remove(path.c_str()), 0);
    files.FileChangedElsewhere();
    files.FileChangedElsewhere();
    ASSERT_EQ(s.m_messages.m_shown.size(), 1u);
    EXPECT_NE(s.m_messages.m_shown[0].find(Sjis("削除または移動されました")), std::string::npos);
    EXPECT_TRUE(s.m_messages.m_asked.empty());
    EXPECT_TRUE(s.doc().IsModified());
    ASSERT_TRUE(files.Save());
    EXPECT_TRUE(s.m_messages.m_asked.empty());
    EXPECT_FALSE(s.doc().IsModified());
    HeadlessSession reread;
    ASSERT_TRUE(reread.doc().OnOpenDocument(path).ok);
    EXPECT_EQ(reread.doc().Memos().size(), s.doc().Memos().size());
}

// Keeping the window's outline over a file changed elsewhere leaves it unsaved.
TEST_F(Safety, DecliningAReloadLeavesTheWindowUnsaved) {
    const std::string path = FreshFolder("declined") + "/doc.kdl";
    HeadlessSession s;
    AppWindowStub window;
    FileCommands files(s.doc(), window);
    ASSERT_NO_FATAL_FAILURE(OpenSavedMemo(s, files, path));
    const size_t memos = s.doc().Memos().size();
    Put(path, "written elsewhere");
    s.m_messages.m_answer = IMessageBox::Answer::No;
    files.FileChangedElsewhere();
    EXPECT_EQ(s.m_messages.m_asked.size(), 1u);
    EXPECT_EQ(s.doc().Memos().size(), memos);
    EXPECT_TRUE(s.doc().IsModified());
}

// What a killed instance leaves is offered at the next start: restored, discarded or kept.
TEST_F(Safety, RecoveryCopiesOfTheDeadAreOfferedAndTheLivingKeepTheirs) {
    const std::string folder = FreshFolder("recovery");
    const std::string original = FreshFolder("recovery-docs") + "/notes.kdl";
    using Answer = IMessageBox::Answer;
    for (Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
        // An instance with unsaved changes, killed: it never tidies up.
        HeadlessSession edited;
        edited.doc().OnNewDocument();
        ASSERT_TRUE(edited.doc().OnSaveDocument(original).ok);
        const FileIdentity identity = edited.doc().m_fileIdentity;
        edited.doc().CreateUntitledMemo();
        edited.memoView().edit().ReplaceSelection("typed", true);
        AppWindowStub deadWindow;
        FileCommands deadFiles(edited.doc(), deadWindow);
        pid_t child = ::fork();
        if (child == 0) {
            RecoveryStore store(folder);
            CrashRecovery(edited.doc(), deadFiles, deadWindow, store).Checkpoint();
            store.Flush();
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        // The snapshot holds the typed text and leaves the document as it was.
        const std::string expected(CrashRecovery::Snapshot(edited.doc()).view());
        EXPECT_NE(expected.find("typed"), std::string::npos);
        EXPECT_EQ(edited.memoView().ShownMemo()->m_strBody, "");
        // A size hint too small for the document, and a fitting one, give the same bytes.
        EXPECT_EQ(CrashRecovery::Snapshot(edited.doc(), 10).view(), expected);
        EXPECT_EQ(CrashRecovery::Snapshot(edited.doc(), expected.size()).view(), expected);
        EXPECT_EQ(edited.memoView().ShownMemo()->m_strBody, "");

        HeadlessSession next;
        next.doc().OnNewDocument();
        AppWindowStub window;
        FileCommands files(next.doc(), window);
        RecoveryStore store(folder);
        {
            // A running instance holding the original keeps the copy from being offered.
            RecoveryStore holder(folder);
            holder.SetHeldPath(original);
            holder.Flush();
            EXPECT_TRUE(store.ClaimOrphans().empty());
        }
        next.m_messages.m_answer = answer;
        CrashRecovery recovery(next.doc(), files, window, store);
        EXPECT_EQ(recovery.OfferOrphans(), answer == Answer::Yes);
        ASSERT_EQ(next.m_messages.m_asked.size(), 1u);
        RecoveryStore later(folder);
        std::vector<RecoveryCopy> left = later.ClaimOrphans();
        EXPECT_EQ(left.size(), answer == Answer::Cancel ? 1u : 0u);
        for (const RecoveryCopy& copy : left)
            later.Discard(copy);
        if (answer == Answer::Yes) {
            EXPECT_EQ(next.doc().m_strPathName, original);
            EXPECT_TRUE(next.doc().IsModified());
            EXPECT_EQ(next.doc().m_fileIdentity, identity);
            EXPECT_EQ(CrashRecovery::Snapshot(next.doc()).view(), expected);
            EXPECT_TRUE(store.HasCopy()); // this window's own copy stands in for it
            store.RemoveCopyLater();
        } else {
            EXPECT_TRUE(next.doc().m_strPathName.empty());
        }
    }
}

// The bytes are the memory as it stood at the fork, read in pieces larger than any pipe holds;
// a producer that fails, an output that refuses, or an unread endless producer never hang
// and never count as success.
TEST(ForkedProducer, GivesTheMemoryAsItWasAtTheForkAndNeverPassesOffAFailure) {
    std::mt19937 rng(7);
    std::string data(3 << 20, '\0');
    for (char& c : data)
        c = static_cast<char>(rng());
    std::optional<ForkedProducer> producer =
        ForkedProducer::Start([&data](IOutput& out) { return out.Write(data.data(), 5) && out.Put(data.substr(5)); });
    ASSERT_TRUE(producer);
    const std::string expected = data;
    data.assign(data.size(), 'x');
    MemoryOutput out;
    EXPECT_TRUE(producer->WriteTo(out));
    EXPECT_TRUE(out.bytes() == expected);

    std::optional<ForkedProducer> failing = ForkedProducer::Start([](IOutput& o) { return o.Put("part") && false; });
    MemoryOutput partial;
    EXPECT_FALSE(failing->WriteTo(partial));

    auto endless = [](IOutput& o) {
        for (;;)
            o.Put(std::string(4096, 'e'));
        return true;
    };
    class Refusing : public IOutput {
    public:
        bool Write(const char*, size_t) override { return false; }
    } refusing;
    EXPECT_FALSE(ForkedProducer::Start(endless)->WriteTo(refusing));
    ForkedProducer::Start(endless).reset(); // ends the copy instead of waiting for it
}

// A large document's copy is made by a forked process: it is the document as it stood at the
// checkpoint, typed text included, whatever changes next. After a forked copy failed, copies
// are made in the process again.
TEST_F(Safety, ALargeDocumentsCopyIsTheDocumentAtTheCheckpoint) {
    const std::string folder = FreshFolder("forked");
    HeadlessSession session;
    session.doc().OnNewDocument();
    session.doc().CreateUntitledMemo();
    session.memoView().edit().ReplaceSelection("typed", true);
    AppWindowStub window;
    FileCommands files(session.doc(), window);
    RecoveryStore store(folder);
    CrashRecovery recovery(session.doc(), files, window, store);
    recovery.SetForkFromMemos(0);
    auto copyInFolder = [&folder] {
        std::string copy;
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (dirent* entry = ::readdir(dir))
                if (std::string name = entry->d_name; name.size() > 4 && name.substr(name.size() - 4) == ".kdl")
                    copy = Get(folder + "/" + name);
            ::closedir(dir);
        }
        return copy;
    };

    const std::string atCheckpoint(CrashRecovery::Snapshot(session.doc()).view());
    recovery.Checkpoint();
    session.doc().CreateUntitledMemo();
    session.memoView().edit().ReplaceSelection("later", true);
    store.Flush();
    EXPECT_FALSE(store.TakeError());
    EXPECT_FALSE(store.ForkedCopyFailed());
    EXPECT_EQ(copyInFolder(), atCheckpoint);
    EXPECT_NE(atCheckpoint.find("typed"), std::string::npos);

    store.WriteCopyLater(*ForkedProducer::Start([](IOutput&) { return false; }), "", FileIdentity());
    store.Flush();
    EXPECT_TRUE(store.TakeError());
    EXPECT_TRUE(store.ForkedCopyFailed());
    EXPECT_EQ(copyInFolder(), atCheckpoint); // the failed copy replaced nothing
    recovery.Checkpoint();
    store.Flush();
    EXPECT_EQ(copyInFolder(), std::string(CrashRecovery::Snapshot(session.doc()).view()));
}
