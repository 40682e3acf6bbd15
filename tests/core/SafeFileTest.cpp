#include "model/SafeFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace kardel;

namespace {
std::string TempDir() {
    auto dir = std::filesystem::temp_directory_path() / ("kardel-safe-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string();
}
} // namespace

TEST(SafeFile, FailedProductionLeavesTheOldFileAndNoTemporary) {
    std::string dir = TempDir();
    std::string path = dir + "/doc.kdl";
    ASSERT_TRUE(WriteFileSafely(path, [](IOutput& o) { return o.Write("old", 3); }).ok);
    FileResult failed = WriteFileSafely(path, [](IOutput& o) {
        o.Write("new", 3);
        return false;
    });
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.message.empty());
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes).ok);
    EXPECT_EQ(bytes, "old");
    size_t entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
    std::filesystem::remove_all(dir);
}

TEST(SafeFile, MissingFolderAndMissingFileReportErrors) {
    EXPECT_FALSE(WriteFileSafely("/nonexistent-dir/x.kdl", [](IOutput&) { return true; }).ok);
    std::string bytes;
    FileResult r = ReadWholeFile("/nonexistent-dir/x.kdl", bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("x.kdl"), std::string::npos);
}
