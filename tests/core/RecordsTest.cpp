#include "core/base/Archive.h"
#include "core/base/TextBlock.h"
#include "core/base/Texts.h"
#include "core/model/CDocOptions.h"
#include "core/model/CMemoItem.h"
#include "core/search/CFindCondition.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>
#include <set>
#include <thread>
#include <utility>
#include <vector>

using namespace kardel;

namespace {
template <typename T> std::string Store(T& record) {
    MemoryOutput out;
    CArchive ar(out);
    record.Serialize(ar);
    return out.bytes();
}
} // namespace

using MemoRecord = FixedNowTest;
using FindConditionRecord = FixedNowTest;
using OptionsRecord = FixedNowTest;

TEST_F(MemoRecord, CreationValuesFollowTheKind) {
    EXPECT_EQ(CMemoItem(KindClosedFolder).m_strTitle, "Data");
    EXPECT_EQ(CMemoItem(KindTrashEmpty).m_strTitle, texts::TrashTitle());
    CMemoItem memo(KindMemo);
    EXPECT_EQ(memo.m_strTitle, texts::NewMemoTitle());
    EXPECT_EQ(memo.m_timeCreated, 958000000);
    EXPECT_EQ(memo.m_timeUpdated, memo.m_timeCreated);
    EXPECT_EQ(memo.m_timeDue, memo.m_timeCreated);
    EXPECT_EQ(memo.m_timeDone, memo.m_timeCreated);
    EXPECT_EQ(memo.m_bHasDue, 0);
}

TEST_F(MemoRecord, StoredLayoutPutsTheDueFlagAfterTheFourTimes) {
    CMemoItem memo(KindMemo);
    memo.m_strTitle.clear();
    memo.m_strBody = std::string(300, 'b');
    memo.m_bHasDue = 1;
    std::string bytes = Store(memo);
    ASSERT_EQ(bytes.size(), 1u + 4 + 16 + 4 + 3 + 300 + 1);
    EXPECT_EQ(bytes[0], '\0');
    EXPECT_EQ(bytes.substr(21, 4), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(bytes.substr(25, 3), std::string("\xFF\x2C\x01", 3));
    EXPECT_EQ(bytes.back(), '\0'); // empty selection item
}

// Both text fields are read from the bytes at hand; a wide one is converted first.
TEST_F(MemoRecord, WideAndNarrowTextFieldsLoad) {
    std::string bytes("\x01T", 2);
    for (int i = 0; i < 6; ++i)
        bytes += std::string("\x05\x00\x00\x00", 4);
    bytes += std::string("\xFF\xFE\xFF\x02\x54\x30\x7F\x30", 8); // body, UTF-16
    bytes += std::string("\x02"
                         "ab",
                         3); // selection item
    CArchive in(bytes);
    CMemoItem memo = CMemoItem::ForLoading();
    memo.Serialize(in);
    EXPECT_EQ(memo.m_strBody, std::string("\x82\xB2\x82\xDD"));
    EXPECT_EQ(memo.m_strSelItem, "ab");
    EXPECT_EQ(in.Remaining(), 0u);
}

// The compact text of the memo's fields behaves as a string through every change.
TEST(CompactStringTest, KeepsItsTextThroughCopiesMovesAndAppends) {
    CompactString text("abc");
    text = text.view().substr(1); // from its own bytes
    EXPECT_EQ(text, "bc");
    text += text.view();
    EXPECT_EQ(text, "bcbc");
    CompactString copy(text);
    CompactString moved(std::move(text));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(copy, moved);
    moved = std::move(copy);
    copy = std::string("x");
    EXPECT_EQ(moved.str() + copy.str(), "bcbcx");
    moved.clear();
    EXPECT_EQ(moved, "");
    EXPECT_EQ(moved.data()[0], '\0');
}

// Short text lives in the object, long text on the heap or, when a load placed it, in a
// shared block: random edits across every form keep the same text as a std::string given
// the same edits, and the blocks go with the last text placed in them, writer or not.
// Copies (or moves) slot j of a string type under test into slot i, and the same in the
// std::string model beside it; a moved-from string is emptied before its next use.
template <class Text>
void CopyOrMove(std::vector<Text>& texts, std::vector<std::string>& expected, size_t i, size_t j, bool move) {
    if (!move) {
        texts[i] = texts[j];
        expected[i] = expected[j];
    } else if (i != j) {
        texts[i] = std::move(texts[j]);
        texts[j].clear();
        expected[i] = std::exchange(expected[j], std::string());
    }
}

TEST(CompactStringTest, MatchesStdStringInEveryFormAndFreesItsBlocks) {
    const size_t blocksBefore = TextBlock::Live();
    {
        std::mt19937 random(7);
        auto writer = std::make_unique<TextBlockWriter>();
        std::vector<CompactString> texts(4);
        std::vector<std::string> expected(4);
        bool shared = false;
        for (int step = 0; step < 4000; ++step) {
            const size_t i = random() % 4, j = random() % 4;
            const size_t length = step % 20 == 0 ? 30000 + random() % 40000 : random() % 20;
            const std::string piece(length, static_cast<char>('a' + step % 26));
            switch (random() % 8) {
            case 0:
                texts[i] = piece;
                expected[i] = piece;
                break;
            case 1:
                texts[i] += piece;
                expected[i] += piece;
                break;
            case 2:
            case 3:
                CopyOrMove(texts, expected, i, j, step % 2 == 0);
                break;
            case 4:
                texts[i] = texts[i].view().substr(texts[i].size() / 3);
                expected[i] = expected[i].substr(expected[i].size() / 3);
                break;
            case 5:
                texts[i] += texts[i].view();
                expected[i] += std::string(expected[i]);
                break;
            case 6:
                texts[i].AssignShared(piece, *writer);
                expected[i] = piece;
                break;
            case 7: // from its own bytes, with a new writer now and then
                if (step % 3 == 0)
                    writer = std::make_unique<TextBlockWriter>();
                texts[i].AssignShared(texts[i].view().substr(texts[i].empty() ? 0 : 1), *writer);
                expected[i] = expected[i].empty() ? std::string() : expected[i].substr(1);
                break;
            }
            ASSERT_EQ(texts[i].view(), expected[i]) << "step " << step;
            ASSERT_EQ(texts[j].view(), expected[j]) << "step " << step;
            shared = shared || TextBlock::Live() > blocksBefore;
        }
        EXPECT_TRUE(shared);
        writer.reset();
        for (size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].view(), expected[i]);
    }
    EXPECT_EQ(TextBlock::Live(), blocksBefore);
}

TEST(InternedStringTest, MatchesStdStringAndKeepsEachTextOnceWhileHeld) {
    const size_t textsBefore = InternedString::Live();
    {
        std::mt19937 random(11);
        const std::string choices[] = {"", "A", "B", std::string(40, 'x'), "\x8f\x64\x97\x76"};
        std::vector<InternedString> texts(6);
        std::vector<std::string> expected(6);
        for (int step = 0; step < 3000; ++step) {
            const size_t i = random() % 6, j = random() % 6;
            switch (random() % 5) {
            case 0: {
                const std::string& choice = choices[random() % 5];
                texts[i] = choice;
                expected[i] = choice;
                break;
            }
            case 1:
            case 2:
                CopyOrMove(texts, expected, i, j, step % 2 == 0);
                break;
            case 3:
                texts[i] = texts[i].view(); // from its own text
                break;
            case 4:
                texts[i] = InternedString(texts[j]);
                expected[i] = expected[j];
                break;
            }
            ASSERT_EQ(texts[i].view(), expected[i]) << "step " << step;
            ASSERT_EQ(texts[j].view(), expected[j]) << "step " << step;
            ASSERT_EQ(texts[i] == texts[j], expected[i] == expected[j]) << "step " << step;
            const std::set<std::string> distinct(expected.begin(), expected.end());
            ASSERT_EQ(InternedString::Live() - textsBefore, distinct.size() - distinct.count("")) << "step " << step;
        }
    }
    EXPECT_EQ(InternedString::Live(), textsBefore);
}

// Threads interning, copying and reading at once, past the first chunk of the table.
TEST(InternedStringTest, ThreadsShareTheTable) {
    const size_t textsBefore = InternedString::Live();
    std::atomic<int> wrong{0};
    auto work = [&wrong](unsigned seed) {
        std::mt19937 random(seed);
        std::vector<InternedString> held;
        for (int step = 0; step < 20000; ++step) {
            const std::string text = "t" + std::to_string(random() % 6000);
            InternedString interned(text);
            InternedString copy = interned;
            if (copy.view() != text)
                ++wrong;
            if (held.size() < 1500)
                held.push_back(std::move(copy));
            else
                held[random() % held.size()] = std::move(copy);
        }
    };
    std::vector<std::thread> threads;
    for (unsigned seed = 1; seed <= 4; ++seed)
        threads.emplace_back(work, seed);
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(InternedString::Live(), textsBefore);
}

TEST_F(MemoRecord, Version3RecordsHaveNoSelectionItem) {
    CMemoItem memo(KindMemo);
    memo.m_strSelItem = "A";
    std::string bytes = Store(memo);
    bytes.pop_back();
    bytes.pop_back(); // drop "A" with its prefix: a version 3 record
    CArchive in(bytes);
    in.SetFileVersion(3);
    CMemoItem loaded = CMemoItem::ForLoading();
    loaded.m_strSelItem = "stale";
    loaded.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded.m_strSelItem, "");
    EXPECT_EQ(Store(loaded).back(), '\0');
}

TEST_F(MemoRecord, DueStatusComparesLocalDays) {
    CMemoItem memo(KindMemo);
    memo.m_timeDue = 958000000 + 3600 * 10; // later the same day
    EXPECT_EQ(memo.DueStatus(), 3);         // no due flag
    memo.m_bHasDue = 1;
    EXPECT_EQ(memo.DueStatus(), 0);
    memo.m_timeDue = 958000000 - 86400;
    EXPECT_EQ(memo.DueStatus(), 1);
    memo.m_timeDue = 958000000 + 86400;
    EXPECT_EQ(memo.DueStatus(), 2);
}

TEST_F(MemoRecord, DialogKindIndexMapsBothWays) {
    EXPECT_EQ(CMemoItem::KindToDialogIndex(0), -2);
    EXPECT_EQ(CMemoItem::KindToDialogIndex(1), -1);
    EXPECT_EQ(CMemoItem::KindToDialogIndex(4), 0);
    EXPECT_EQ(CMemoItem::KindToDialogIndex(10), 6);
    CMemoItem folder(KindOpenFolder);
    MemoPropValues v = folder.ToDialog();
    v.m_strTitle = "T";
    folder.FromDialog(v);
    EXPECT_EQ(folder.m_nKind, KindOpenFolder);
    EXPECT_EQ(folder.m_strTitle, "T");
    CMemoItem memo(KindMemo);
    v = memo.ToDialog();
    v.m_nKindIndex = 6;
    memo.FromDialog(v);
    EXPECT_EQ(memo.m_nKind, KindDone);
}

TEST_F(FindConditionRecord, ConstructedConditionIs81BytesAndRoundTrips) {
    CFindCondition condition;
    std::string bytes = Store(condition);
    EXPECT_EQ(bytes.size(), 81u);
    EXPECT_EQ(bytes.substr(40, 4), Store(condition).substr(40, 4));
    CFindCondition loaded;
    loaded.m_search = "x";
    loaded.m_arrSelItems = {"y"};
    CArchive in(bytes);
    loaded.Serialize(in);
    EXPECT_EQ(loaded, condition);
}

TEST_F(FindConditionRecord, OldLayoutNormalisesOnlyTheMarkedFlags) {
    MemoryOutput out;
    CArchive ar(out);
    ar.WriteInt32(7); // date test on
    ar.WriteInt32(7); // kind folder keeps 7
    for (int i = 0; i < 14; ++i)
        ar.WriteInt32(0);
    ar.WriteBytes(std::string(12, '\0'));
    ar.WriteString("abc");
    ar.WriteInt32(1); // date source, from version 1 on
    for (int version : {0, 3}) {
        CFindCondition c;
        c.m_dateSource = 9;
        CArchive in(out.bytes());
        in.SetFileVersion(version);
        c.Serialize(in);
        EXPECT_EQ(c.m_dateOn, 1);
        EXPECT_EQ(c.m_kindFolder, 7);
        EXPECT_EQ(c.m_search, "abc");
        EXPECT_EQ(c.m_dateSource, version == 0 ? 9 : 1);
        EXPECT_EQ(in.Remaining(), version == 0 ? 4u : 0u);
    }
}

TEST_F(FindConditionRecord, ResetToAllMemosTurnsOnEveryKind) {
    CFindCondition c;
    c.m_dateOn = c.m_stringOn = c.m_selOn = 1;
    c.m_scope = 2;
    c.ResetToAllMemos();
    EXPECT_EQ(c.m_scope, 0);
    EXPECT_EQ(c.m_kindsOn, 1);
    EXPECT_EQ(c.m_kindFolder + c.m_kindMemo + c.m_kindDone, 3);
    EXPECT_EQ(c.m_dateOn + c.m_stringOn + c.m_selOn, 0);
}

TEST_F(OptionsRecord, DefaultsAndRoundTrip) {
    CDocOptions options;
    EXPECT_EQ(options.m_strDefName[0], Sjis("定義１"));
    EXPECT_EQ(options.m_strStdFindName[4], texts::Undefined());
    EXPECT_EQ(options.m_nTabChoice, 1);
    options.m_arrSelItems = {"A", "B"};
    options.m_bSelEnabled = 1;
    std::string bytes = Store(options);
    CDocOptions loaded;
    CArchive in(bytes);
    loaded.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded.m_arrSelItems, options.m_arrSelItems);
    EXPECT_EQ(Store(loaded), bytes);
}

TEST_F(OptionsRecord, OldVersionsConvertTheInitialSearch) {
    struct Case {
        int version;
        std::int32_t x, stored, expected;
    } cases[] = {{1, 0, 1, 0}, {1, 1, 1, 6}, {2, 1, 0, 1}, {3, 5, 2, 6}};
    for (const auto& c : cases) {
        MemoryOutput out;
        CArchive ar(out);
        ar.SetFileVersion(c.version);
        CFindCondition().Serialize(ar); // written in the current layout...
        std::string condition = out.bytes();
        MemoryOutput old;
        CArchive w(old);
        // ...but an old file holds the old layout: 16 integers, 12 bytes, a string, the source.
        for (int i = 0; i < 16; ++i)
            w.WriteInt32(1);
        w.WriteBytes(std::string(12, '\0'));
        w.WriteString("");
        w.WriteInt32(0);
        w.WriteInt32(c.x);
        w.WriteInt32(c.stored);
        if (c.version <= 1)
            w.WriteInt32(0);
        for (int i = 0; i < 5; ++i)
            w.WriteString("d");
        w.WriteInt32(2);
        if (c.version == 3) {
            for (int i = 0; i < 5; ++i)
                w.WriteInt32(0);
            for (int i = 0; i < 5; ++i)
                w.WriteString("i.ico");
        }
        CDocOptions o;
        o.m_stdFind[2].m_kindsOn = 1;
        CArchive in(old.bytes());
        in.SetFileVersion(c.version);
        o.Serialize(in);
        EXPECT_EQ(in.Remaining(), 0u) << c.version;
        EXPECT_EQ(o.m_nInitialFind, c.expected) << c.version;
        EXPECT_EQ(o.m_stdFind[2].m_kindsOn, 0);
        EXPECT_EQ(o.m_stdFind[0].m_kindsOn, 1);
        EXPECT_EQ(o.m_nTabChoice, 2);
        EXPECT_EQ(o.m_strIconFile[0], c.version == 3 ? "i.ico" : texts::Undefined());
    }
}
