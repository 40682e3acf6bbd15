#include "core/search/SjisText.h"
#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"

#include <gtest/gtest.h>

#include <vector>

using kardel::Sjis;
using kardel::SjisText;

TEST(SjisText, ComparesCharactersByValue) {
    struct Case {
        std::string a, b;
        int expected;
    } cases[] = {
        {"", "", 0},
        {"", "a", -1},
        {"abc", "abd", -1},
        {"ab", "abc", -1},           // a prefix is smaller
        {"B", "a", -1},              // case is kept: 'B' 0x42 < 'a' 0x61
        {"z", Sjis("ア"), -1},       // any single byte is below any double-byte character
        {Sjis("ｱ"), Sjis("ア"), -1}, // half-width 0xB1 against full-width 0x8341
        {Sjis("ツA"), Sjis("ツB"), -1},
        {"\x83\x41", "\x83\x40", 1}, // trail bytes decide within one lead
        {std::string("\x83"), std::string("\x83\x40"), -1},
        {Sjis("完了"), Sjis("完了"), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SjisText::Compare(c.a, c.b), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(SjisText::Compare(c.b, c.a), -c.expected) << c.b << " / " << c.a;
    }
}

TEST(SjisText, StartsWithFoldingOnlyLettersCase) {
    struct Case {
        std::string text, prefix;
        bool expected;
    } cases[] = {
        {"Apple", "aP", true},
        {"apple", "", true},
        {"", "a", false},
        {"ab", "abc", false},
        {Sjis("Ｍｅｍｏ"), Sjis("ｍＥ"), true}, // full-width letters fold too
        {Sjis("日本"), Sjis("日"), true},
        {Sjis("ｱｲ"), Sjis("ｱ"), true},
        {"A", "a", false}, // a trail byte is no letter
        {"A", "", false},  // a lone lead byte is a character of its own
        {std::string(""), "A", false},
        {"AA", "aA", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SjisText::StartsWithFoldingCase(c.text, c.prefix), c.expected) << c.text << " / " << c.prefix;
}

TEST(SjisText, FindsOnlyAtCharacterBoundaries) {
    struct Case {
        std::string text, needle;
        size_t expected;
    } cases[] = {
        {Sjis("ツA"), "cA", std::string::npos}, // 0x83 0x63 0x41 holds "cA" at a trail byte
        {Sjis("ツcA"), "cA", 2},
        {Sjis("ツAcA"), "cA", 3}, // the first candidate is refused, the next one taken
        {Sjis("ツツツ") + "c", "c", 6},
        {"Word", "word", std::string::npos}, // case-sensitive
        {"word", "word", 0},
        {"ab", "abc", std::string::npos}, // must lie wholly inside the text
        {"abc", "", 0},                   // an empty string occurs in every non-empty text
        {"", "", std::string::npos},      // and in no empty one
        {Sjis("表示"), "\x95\x5c", 0},
        {"x" + Sjis("表"), "\x5c", std::string::npos}, // 0x5C as the trail byte of 表
    };
    for (const Case& c : cases)
        EXPECT_EQ(SjisText::Find(c.text, c.needle), c.expected) << c.text << " / " << c.needle;
}

TEST(SjisText, ReplacesArrowsOnly) {
    EXPECT_EQ(SjisText::ReplaceAll(Sjis("定義 ↓↓"), Sjis("↓"), Sjis("↑")), Sjis("定義 ↑↑"));
    EXPECT_EQ(SjisText::ReplaceAll("abc", "x", "y"), "abc");
}

// Against the plain definition: try every character boundary in turn.
TEST(SjisText, FindAgreesWithTheCharacterByCharacterDefinition) {
    auto reference = [](const std::string& text, const std::string& needle) -> size_t {
        if (needle.empty())
            return text.empty() ? std::string::npos : 0;
        for (size_t pos = 0; pos < text.size();) {
            if (text.compare(pos, needle.size(), needle) == 0 && pos + needle.size() <= text.size())
                return pos;
            pos += kardel::Cp932Codec::IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        }
        return std::string::npos;
    };
    // Bytes that are lead bytes, trail bytes or both, and plain letters.
    const char alphabet[] = {'\x41', '\x63', '\x82', '\x83', '\xE9', '\x5C', '\x9F'};
    unsigned state = 12345;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 20000; ++round) {
        std::string text, needle;
        for (size_t n = next() % 24; n > 0; --n)
            text.push_back(alphabet[next() % sizeof alphabet]);
        for (size_t n = 1 + next() % 3; n > 0; --n)
            needle.push_back(alphabet[next() % sizeof alphabet]);
        ASSERT_EQ(SjisText::Find(text, needle), reference(text, needle)) << round;
    }
}

// Against the plain definition: decode both texts character by character.
TEST(SjisText, CompareAgreesWithTheCharacterByCharacterDefinition) {
    auto chars = [](const std::string& text) {
        std::vector<unsigned> values;
        for (size_t pos = 0; pos < text.size();) {
            auto lead = static_cast<unsigned char>(text[pos]);
            if (kardel::Cp932Codec::IsLeadByte(lead) && pos + 1 < text.size()) {
                values.push_back(lead * 256u + static_cast<unsigned char>(text[pos + 1]));
                pos += 2;
            } else {
                values.push_back(lead);
                pos += 1;
            }
        }
        return values;
    };
    auto reference = [&](const std::string& a, const std::string& b) {
        auto ca = chars(a), cb = chars(b);
        return ca < cb ? -1 : (cb < ca ? 1 : 0);
    };
    const char alphabet[] = {'\x41', '\x63', '\x82', '\x83', '\xE9', '\xB1', '\x9F'};
    unsigned state = 99;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 50000; ++round) {
        std::string a, b;
        for (size_t n = next() % 8; n > 0; --n)
            a.push_back(alphabet[next() % sizeof alphabet]);
        b = a.substr(0, next() % (a.size() + 1)); // often a shared prefix
        for (size_t n = next() % 4; n > 0; --n)
            b.push_back(alphabet[next() % sizeof alphabet]);
        ASSERT_EQ(SjisText::Compare(a, b), reference(a, b)) << round;
        ASSERT_EQ(SjisText::Compare(b, a), reference(b, a)) << round;
    }
}
