#include "core/base/Archive.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {
std::string Stored(const std::string& text) {
    MemoryOutput out;
    CArchive ar(out);
    ar.WriteString(text);
    return out.bytes();
}
} // namespace

TEST(Archive, StringPrefixesHaveOneThreeOrSevenBytes) {
    struct Case {
        size_t length;
        std::string prefix;
    } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {300, std::string("\xFF\x2C\x01", 3)},
        {65533, std::string("\xFF\xFD\xFF", 3)},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    };
    for (const auto& c : cases) {
        std::string bytes = Stored(std::string(c.length, 'x'));
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        CArchive in(bytes);
        EXPECT_EQ(in.ReadString().size(), c.length);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, IntegersAreLittleEndianTwosComplement) {
    MemoryOutput out;
    CArchive ar(out);
    ar.WriteInt32(-2);
    ar.WriteInt32(0x01020304);
    EXPECT_EQ(out.bytes(), std::string("\xFE\xFF\xFF\xFF\x04\x03\x02\x01", 8));
    CArchive in(out.bytes());
    EXPECT_EQ(in.ReadInt32(), -2);
    EXPECT_EQ(in.ReadInt32(), 0x01020304);
}

TEST(Archive, WideStringsAreReadAsCp932) {
    std::string bytes("\xFF\xFE\xFF\x02\x54\x30\x7F\x30", 8);
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), std::string("\x82\xB2\x82\xDD"));
}

TEST(Archive, ReadsPastTheEndFailWithoutAllocating) {
    const std::string shortInt("\x01\x02", 2);
    EXPECT_THROW(CArchive(shortInt).ReadInt32(), ArchiveError);
    const std::string hugeString("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7);
    EXPECT_THROW(CArchive(hugeString).ReadString(), ArchiveError);
    const std::string hugeCount("\xFF\xFF\xFF\x7F", 4);
    EXPECT_THROW(CArchive(hugeCount).ReadCount(1), ArchiveError);
    const std::string negativeCount("\xFF\xFF\xFF\xFF", 4);
    EXPECT_THROW(CArchive(negativeCount).ReadCount(1), ArchiveError);
}
