#include "core/base/SafeFile.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace kardel;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kardel-safe-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        SetWriteFaultForTesting(std::nullopt);
        std::error_code ignored;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir, ignored);
    }
    std::string At(const std::string& name) const { return (dir / name).string(); }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& path) {
        std::string bytes;
        ReadWholeFile(path, bytes);
        return bytes;
    }
    // Names in the folder, so that a stray temporary file shows.
    std::vector<std::string> Entries(const fs::path& folder) const {
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static FileResult Save(const std::string& path, const std::string& bytes = "new") {
        return WriteFileSafely(path, [&bytes](IOutput& o) { return o.Put(bytes); });
    }
    static std::string Message(const std::string& path, const char* pattern) {
        std::string text = Sjis(pattern);
        return text.replace(text.find("%1"), 2, path);
    }

    fs::path dir;
};

const char* const kReadOnly = "%1 は使用中または読み取り専用のため、書き込めません。";
const char* const kNotAFile = "%1 はﾌｧｲﾙではありません。";
const char* const kNotFound = "%1 が見つかりません。";
const char* const kDiskFull = "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。";

} // namespace

TEST_F(SafeFile, FailedProductionLeavesTheOldFileAndNoTemporary) {
    std::string path = At("doc.kdl");
    Put(path, "old");
    FileResult failed = WriteFileSafely(path, [](IOutput& o) {
        o.Put("new");
        return false;
    });
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.message.empty());
    EXPECT_EQ(Get(path), "old");
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.kdl"});
}

// Pieces of every size, some larger than the output's blocks, arrive whole and in order
// (the blocks are written by a thread of their own), also over a large file.
TEST_F(SafeFile, ManyPiecesOfAnySizeArriveInOrder) {
    std::mt19937 random(7);
    std::string expected;
    while (expected.size() < 9000000) {
        size_t size = random() % 4 == 0 ? random() % 3000000 : random() % 300;
        for (size_t i = 0; i < size; ++i)
            expected.push_back(static_cast<char>(random()));
    }
    expected += expected + expected + expected; // past the size whose old file is let go later
    std::string path = At("doc.kdl");
    // The second round gathers the pieces into blocks that the file keeps instead of copying.
    for (int round = 0; round < 2; ++round) {
        FileResult saved = WriteFileSafely(path, [&expected, round](IOutput& o) {
            BufferedOutput blocks(o);
            IOutput& out = round == 0 ? o : static_cast<IOutput&>(blocks);
            for (size_t at = 0, step = 1; at < expected.size(); at += step, step = step * 7 % 2999999 + 1)
                out.Write(expected.data() + at, std::min(step, expected.size() - at));
            return blocks.Flush() && o.Good();
        });
        ASSERT_TRUE(saved.ok) << saved.message;
        EXPECT_TRUE(Get(path) == expected);
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.kdl"});
        std::rotate(expected.begin(), expected.begin() + 1000000, expected.end());
    }
}

// Each target the save may meet: what it answers and what is left on disk.
TEST_F(SafeFile, TargetsThatAreNotPlainWritableFilesAreRefusedAndLeftAsTheyWere) {
    const bool root = ::geteuid() == 0;
    struct Case {
        std::string name;
        std::function<void(const std::string&)> make;
        const char* refusal; // nullptr: the save succeeds
        std::function<bool(const std::string&)> after;
    };
    auto isRegularWith = [this](std::string bytes) {
        return [this, bytes](const std::string& p) {
            return fs::is_regular_file(fs::symlink_status(p)) && Get(p) == bytes;
        };
    };
    std::vector<Case> cases = {
        {"read-only", [](const std::string& p) { Put(p, "old"), ::chmod(p.c_str(), 0444); }, kReadOnly,
         [&](const std::string& p) {
             struct stat st {};
             return isRegularWith("old")(p) && ::stat(p.c_str(), &st) == 0 && (st.st_mode & 0777) == 0444;
         }},
        {"folder", [](const std::string& p) { fs::create_directory(p); }, kNotAFile,
         [](const std::string& p) { return fs::is_directory(p) && fs::is_empty(p); }},
        {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, kNotAFile,
         [](const std::string& p) { return fs::is_fifo(p); }},
        {"socket",
         [](const std::string& p) {
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             std::snprintf(address.sun_path, sizeof address.sun_path, "%s", p.c_str());
             int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
             ::close(s);
         },
         kNotAFile, [](const std::string& p) { return fs::is_socket(p); }},
        {"dangling-link", [](const std::string& p) { fs::create_symlink("gone/nowhere.txt", p); }, kNotFound,
         [](const std::string& p) { return fs::is_symlink(p) && !fs::exists(p); }},
        {"link-chain",
         [this](const std::string& p) {
             fs::create_directory(dir / "real");
             Put(At("real/file.txt"), "old");
             ::chmod(At("real/file.txt").c_str(), 0640);
             fs::create_symlink("real/file.txt", At("middle"));
             fs::create_symlink("middle", p);
         },
         nullptr,
         [this, isRegularWith](const std::string& p) {
             struct stat st {};
             return fs::is_symlink(p) && fs::is_symlink(At("middle")) && isRegularWith("new")(At("real/file.txt")) &&
                    ::stat(p.c_str(), &st) == 0 && (st.st_mode & 0777) == 0640 &&
                    Entries(dir / "real") == std::vector<std::string>{"file.txt"};
         }},
        {"char-device", [](const std::string& p) { ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)); }, nullptr,
         [](const std::string& p) {
             struct stat st {};
             return ::lstat(p.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
         }},
        {"new-file", [](const std::string&) {}, nullptr,
         [](const std::string& p) {
             mode_t mask = ::umask(0);
             ::umask(mask);
             struct stat st {};
             return ::stat(p.c_str(), &st) == 0 && (st.st_mode & 0777) == (0666 & ~mask);
         }},
        {std::string(251, 'n'), [](const std::string& p) { Put(p, "old"); }, nullptr, isRegularWith("new")},
    };
    if (root) // root may write anything: only a file without any write bit is read-only to it
        cases.push_back({"root-no-write-bit", [](const std::string& p) { Put(p, "old"), ::chmod(p.c_str(), 0); },
                         kReadOnly, [](const std::string& p) { return fs::file_size(p) == 3; }});
    for (Case& c : cases) {
        std::string path = At(c.name);
        c.make(path);
        struct stat made {};
        if (c.name == "char-device" && ::lstat(path.c_str(), &made) != 0) { // not allowed to make one
            if (root)
                continue; // never risk /dev/null itself
            path = "/dev/null";
        }
        FileResult result = Save(path);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(result.ok, c.refusal == nullptr) << result.message;
        if (c.refusal) {
            EXPECT_EQ(result.message, Message(path, c.refusal));
        }
        EXPECT_TRUE(c.after(path));
        for (const std::string& name : Entries(dir))
            EXPECT_NE(name[0], '.') << "left behind: " << name;
    }
    // A block device, where the system lets us make one.
    std::string block = At("block");
    if (::mknod(block.c_str(), S_IFBLK | 0600, makedev(7, 200)) == 0) {
        EXPECT_EQ(Save(block).message, Message(block, kNotAFile));
        struct stat st {};
        EXPECT_TRUE(::lstat(block.c_str(), &st) == 0 && S_ISBLK(st.st_mode));
    }
}

TEST_F(SafeFile, RootKeepsTheOwnerGroupAndModeOfAnotherUsersFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    std::string path = At("theirs.kdl");
    Put(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(path.c_str(), 02640), 0);
    ASSERT_TRUE(Save(path).ok);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_EQ(Get(path), "new");
}

TEST_F(SafeFile, HardLinksKeepTheOldContentAfterTheAtomicSave) {
    std::string path = At("doc.kdl"), other = At("other-name.kdl");
    Put(path, "old");
    fs::create_hard_link(path, other);
    ASSERT_TRUE(Save(path).ok);
    EXPECT_EQ(Get(path), "new");
    EXPECT_EQ(Get(other), "old");
}

// A full disk, a quota or a failing sync at any point gives the disk-full text,
// keeps the old file and leaves no temporary file.
TEST_F(SafeFile, DiskFullAtAnyStepIsReportedAsSuch) {
    std::string path = At("doc.kdl");
    const std::string big(3000000, 'x'); // several output blocks, so a write fails mid-way
    struct Case {
        WriteFault fault;
    } cases[] = {{{WriteFault::Step::Write, 0, ENOSPC}},
                 {{WriteFault::Step::Write, 1500000, EDQUOT}},
                 {{WriteFault::Step::Sync, 0, ENOSPC}},
                 {{WriteFault::Step::Rename, 0, EDQUOT}}};
    for (const Case& c : cases) {
        Put(path, "old");
        SetWriteFaultForTesting(c.fault);
        FileResult result = Save(path, big);
        SetWriteFaultForTesting(std::nullopt);
        EXPECT_EQ(result.message, Message(path, kDiskFull));
        EXPECT_EQ(Get(path), "old");
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.kdl"});
    }
}

// The temporary file goes when a signal ends the process in the middle of a save.
TEST_F(SafeFile, SignalsDuringASaveRemoveTheTemporaryFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string path = At("doc.kdl");
    Put(path, "old");
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        for (WriteFault::Step step : {WriteFault::Step::Write, WriteFault::Step::Rename}) {
            EXPECT_EXIT(
                {
                    SetWriteFaultForTesting(WriteFault{step, 1500000, 0, sig});
                    Save(path, std::string(3000000, 'x'));
                    std::_Exit(0);
                },
                ::testing::KilledBySignal(sig), "");
            EXPECT_EQ(Entries(dir), std::vector<std::string>{"doc.kdl"});
            EXPECT_EQ(Get(path), "old");
        }
}

TEST_F(SafeFile, ReadsOnlyRegularFilesAndNoMoreThanTheirSize) {
    std::string fifo = At("fifo");
    ::mkfifo(fifo.c_str(), 0644);
    Put(At("plain"), "bytes");
    struct Case {
        std::string path;
        std::uint64_t limit;
        bool ok;
        std::string bytes;
    } cases[] = {
        {fifo, UINT64_MAX, false, ""},             // would block for a writer
        {"/dev/zero", UINT64_MAX, false, ""},      // would never end
        {dir.string(), UINT64_MAX, false, ""},     // a folder
        {At("plain"), UINT64_MAX, true, "bytes"},  //
        {At("plain"), 4, false, ""},               // larger than the caller takes
        {"/proc/self/stat", UINT64_MAX, true, ""}, // size 0 when opened: nothing beyond it is read
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        FileResult result = ReadWholeFile(c.path, bytes, c.limit);
        EXPECT_EQ(result.ok, c.ok) << c.path;
        EXPECT_EQ(bytes, c.bytes) << c.path;
        if (!c.ok) {
            EXPECT_NE(result.message.find(c.path), std::string::npos) << c.path;
        }
    }
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(fifo, bytes).message, Message(fifo, kNotAFile));
}

// Converting as the bytes come gives what converting the whole text gives,
// however the text is cut, valid or not.
TEST(Utf8Output, ChunkedConversionEqualsWholeConversion) {
    std::mt19937 random(12);
    const unsigned char alphabet[] = {'a',  ' ',  '\r', '\n', '\t', 0x40, 0x7F, 0x81, 0x82,
                                      0x9F, 0xA0, 0xA6, 0xE0, 0xFC, 0xFD, 0xFF, 0x85};
    for (int round = 0; round < 60; ++round) {
        std::string text(std::uniform_int_distribution<size_t>(0, 150000)(random), 'a');
        for (char& c : text)
            c = static_cast<char>(alphabet[random() % sizeof alphabet]);
        if (round % 4 == 0) // one long run of valid characters, no byte that ends a character for sure
            for (char& c : text)
                c = random() % 2 ? 'a' : '\x82';
        MemoryOutput whole;
        Utf8Output converter(whole);
        for (size_t at = 0; at < text.size();) {
            size_t step = std::min(text.size() - at, std::uniform_int_distribution<size_t>(0, 70000)(random));
            converter.Write(text.data() + at, step);
            at += step;
        }
        ASSERT_TRUE(converter.Finish());
        ASSERT_EQ(whole.bytes(), Cp932Codec::ToUtf8(text).text) << "round " << round;
    }
}
