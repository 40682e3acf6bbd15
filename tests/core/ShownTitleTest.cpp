#include "core/model/ShownTitle.h"
#include "core/base/Cp932Codec.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/CMainFrame.h"
#include "core/shell/DocumentSession.h"

#include <gtest/gtest.h>

#include <random>

using namespace kardel;

// Characters as the lists count them: a lead byte with the byte after it is one, a lead
// byte at the very end is one too.
static size_t CountChars(const std::string& text) {
    size_t chars = 0;
    for (size_t at = 0; at < text.size(); ++chars)
        at += Cp932Codec::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    return chars;
}

TEST(ShownTitle, LongTitlesAreCutOnACharacterBoundaryWithAnEllipsis) {
    // Random mixes of single-byte and double-byte characters, of every length around the cut,
    // some ending in a lone lead byte.
    std::mt19937 rng(12);
    const std::string pieces[] = {"a", "\x82\xa0", "\x83\x41", "\xb1", " "};
    const std::string ellipsis = "\x81\x63";
    for (int round = 0; round < 2000; ++round) {
        std::string title;
        const size_t chars = rng() % (ShownTitle::kMaxChars * 2);
        for (size_t i = 0; i < chars; ++i)
            title += pieces[rng() % 5];
        if (rng() % 4 == 0)
            title += "\x81";
        const std::string shown = ShownTitle::Cut(title);
        if (CountChars(title) <= ShownTitle::kMaxChars) {
            EXPECT_EQ(shown, title);
            continue;
        }
        ASSERT_GT(shown.size(), ellipsis.size());
        const std::string kept = shown.substr(0, shown.size() - ellipsis.size());
        EXPECT_EQ(shown.substr(kept.size()), ellipsis);
        EXPECT_EQ(title.compare(0, kept.size(), kept), 0);
        EXPECT_EQ(CountChars(kept), ShownTitle::kMaxChars);
        EXPECT_EQ(Cp932Codec::CharBoundaryPrefix(title, kept.size()), kept.size());
    }
    EXPECT_EQ(ShownTitle::Cut(std::string(40u << 20, 'x')), std::string(ShownTitle::kMaxChars, 'x') + ellipsis);
}

TEST(ShownTitle, TheCaptionShowsTheDocumentTitleCut) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    s.doc().m_strTitle = std::string(1000, 'x');
    EXPECT_EQ(CMainFrame::Caption(s.doc()), std::string(ShownTitle::kMaxChars, 'x') + "\x81\x63 - Kardel");
}
