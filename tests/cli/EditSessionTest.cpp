#include "app/cli/EditSession.h"

#include "core/base/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kardel;
using namespace kardel::cli;

namespace {

std::string Bytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes).ok);
    return bytes;
}

// Writing OUT = IN must not throw away what another program wrote there after the session read it;
// written back unchanged, it saves as before.
TEST(EditSession, SavingOverAnInputChangedMeanwhileWritesNothing) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kardel-edit-session";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string in = (folder / "t.kdl").string();
    const std::string other = (folder / "other.kdl").string();
    {
        EditSession s;
        s.session().doc().OnNewDocument();
        ASSERT_TRUE(s.Save(in));
        ASSERT_EQ(s.Command(ID_MEMO_CREATE_UNTITLED, "new-untitled"), 0);
        ASSERT_TRUE(s.Save(other));
    }

    EditSession session;
    ASSERT_TRUE(session.Open(in));
    ASSERT_EQ(session.Command(ID_MEMO_CREATE_UNTITLED, "new-untitled"), 0);
    std::filesystem::copy_file(other, in, std::filesystem::copy_options::overwrite_existing);
    const std::string changed = Bytes(in);
    EXPECT_FALSE(session.Save(in));
    EXPECT_EQ(Bytes(in), changed);

    EditSession unchanged;
    ASSERT_TRUE(unchanged.Open(in));
    EXPECT_TRUE(unchanged.Save((folder / "." / "t.kdl").string()));
    std::filesystem::remove_all(folder);
}

} // namespace
