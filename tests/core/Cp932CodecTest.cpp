#include "core/base/Cp932Codec.h"

#include <gtest/gtest.h>

using namespace kardel;

TEST(Cp932Codec, RoundTripsJapaneseIncludingHalfWidthKatakana) {
    const std::string utf8 = "ごみ箱 ﾌｫﾙﾀﾞ 名称未決定";
    ConversionResult sjis = Cp932Codec::FromUtf8(utf8);
    EXPECT_FALSE(sjis.lossy);
    EXPECT_EQ(sjis.text.substr(0, 6), std::string("\x82\xB2\x82\xDD\x94\xA0"));
    ConversionResult back = Cp932Codec::ToUtf8(sjis.text);
    EXPECT_FALSE(back.lossy);
    EXPECT_EQ(back.text, utf8);
}

TEST(Cp932Codec, UnrepresentableCharactersBecomeQuestionMarksAndAreReported) {
    ConversionResult r = Cp932Codec::FromUtf8("a\xF0\x9F\x98\x80"
                                              "b"); // an emoji between a and b
    EXPECT_TRUE(r.lossy);
    EXPECT_EQ(r.text, "a?b");
    ConversionResult bad = Cp932Codec::FromUtf8("x\xC3"); // truncated UTF-8
    EXPECT_TRUE(bad.lossy);
    EXPECT_EQ(bad.text, "x?");
}

TEST(Cp932Codec, InvalidCp932BytesNeverCrashAndAreReported) {
    ConversionResult r = Cp932Codec::ToUtf8(std::string("A\x82", 2)); // lead byte without trail
    EXPECT_TRUE(r.lossy);
    EXPECT_EQ(r.text.substr(0, 1), "A");
    for (int b = 0; b < 256; ++b)
        Cp932Codec::ToUtf8(std::string(1, static_cast<char>(b)) + "\xFF\x80");
}

TEST(Cp932Codec, Utf16LeIsConvertedToCp932) {
    std::string utf16("\x54\x30\x7F\x30", 4); // ごみ (U+3054 U+307F)
    EXPECT_EQ(Cp932Codec::FromUtf16Le(utf16).text, std::string("\x82\xB2\x82\xDD"));
}

TEST(Cp932Codec, CharBoundaryPrefixNeverSplitsADoubleByteCharacter) {
    std::string text = "a\x82\xB2"
                       "b";
    EXPECT_EQ(Cp932Codec::CharBoundaryPrefix(text, 2), 1u);
    EXPECT_EQ(Cp932Codec::CharBoundaryPrefix(text, 3), 3u);
    EXPECT_EQ(Cp932Codec::CharBoundaryPrefix(text, 10), 4u);
}

// Run with the converter taken away (the test core.cp932_converter_missing preloads
// a module that refuses CP932); skipped where the system has it.
TEST(Cp932CodecMissing, ConversionsKeepAsciiAndReplaceTheRestWithoutThrowing) {
    if (Cp932Codec::IsAvailable())
        GTEST_SKIP() << "the system converts CP932";
    ConversionResult toUtf8 = Cp932Codec::ToUtf8("ab\x82\xB2"
                                                 "c\x82");
    EXPECT_TRUE(toUtf8.lossy);
    EXPECT_EQ(toUtf8.text, "ab\xEF\xBF\xBD"
                           "c\xEF\xBF\xBD");
    ConversionResult fromUtf8 = Cp932Codec::FromUtf8("aごみb");
    EXPECT_TRUE(fromUtf8.lossy);
    EXPECT_EQ(fromUtf8.text, "a??b");
    ConversionResult fromUtf16 = Cp932Codec::FromUtf16Le(std::string("A\0\x54\x30", 4));
    EXPECT_TRUE(fromUtf16.lossy);
    EXPECT_EQ(fromUtf16.text, "A?");
    EXPECT_FALSE(Cp932Codec::ToUtf8("plain").lossy);
}
