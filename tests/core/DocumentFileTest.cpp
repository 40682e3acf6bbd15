#include "model/Archive.h"
#include "model/Texts.h"
#include "shell/DocumentSession.h"

#include <gtest/gtest.h>

using namespace kardel;

namespace {
class DocumentFile : public ::testing::Test {
protected:
    void SetUp() override { Clock::Set(&m_clock); }
    void TearDown() override { Clock::Set(nullptr); }
    std::string Save(CKardelDoc& doc) {
        MemoryOutput out;
        EXPECT_TRUE(doc.StoreTo(out));
        return out.take();
    }
    FixedClock m_clock{958000000};
};
std::string I32(std::int32_t v) {
    MemoryOutput out;
    CArchive(out).WriteInt32(v);
    return out.bytes();
}
} // namespace

TEST_F(DocumentFile, NewDocumentBuildsRootAndTrashUnmodified) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    ASSERT_EQ(s.doc().m_arrMemos.size(), 2u);
    EXPECT_EQ(s.doc().m_arrMemos[0]->m_strTitle, "Data");
    EXPECT_EQ(s.doc().m_arrMemos[0]->m_nKind, KindOpenFolder);
    EXPECT_EQ(s.doc().m_arrMemos[1]->m_nKind, KindTrashEmpty);
    EXPECT_EQ(s.doc().m_nCurMemo, 0);
    EXPECT_FALSE(s.doc().IsModified());
    TreeControl& tree = s.session().m_treeView.Tree();
    EXPECT_EQ(tree.GetCaret(), tree.GetRoot());
    EXPECT_EQ(s.session().m_treeView.m_hTrash, tree.GetChild(tree.GetRoot()));
}

TEST_F(DocumentFile, NewDocumentSavedAtOnceHasTheExpectedSections) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    std::string bytes = Save(s.doc());
    std::string expected = std::string("Version005\0", 11) + I32(2);
    MemoryOutput memos;
    CArchive mw(memos);
    s.doc().m_arrMemos[0]->Serialize(mw);
    s.doc().m_arrMemos[1]->Serialize(mw);
    expected += memos.bytes();
    for (int w : {200, 80, 0, 75, 75, 75, 75}) // the hidden selection-item column is stored as 0
        expected += I32(w);
    expected += I32(0); // MemoView text
    expected += I32(2);
    for (int v : {0, 0, 0, 1, 1, 2, 1, 1, 0, 0})
        expected += I32(v);
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(bytes.substr(0, expected.size()), expected);
    // current search (81 bytes), options, window section (5 integers) close the file
    EXPECT_EQ(bytes.substr(bytes.size() - 20), I32(0) + I32(0) + I32(0) + I32(0) + I32(145));
}

TEST_F(DocumentFile, SavedFileLoadsBackToTheSameBytes) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    s.doc().m_arrMemos[1]->m_strBody = "x";
    std::string bytes = Save(s.doc());
    HeadlessSession t;
    ASSERT_TRUE(t.doc().LoadFromBytes(bytes).ok);
    EXPECT_EQ(Save(t.doc()), bytes);
}

TEST_F(DocumentFile, EveryTruncationFailsCleanlyWithANewDocument) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    std::string bytes = Save(s.doc());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        HeadlessSession t;
        FileResult r = t.doc().LoadFromBytes(std::string_view(bytes).substr(0, cut));
        ASSERT_FALSE(r.ok) << cut;
        EXPECT_EQ(r.message, texts::BadFileFormat());
        ASSERT_EQ(t.doc().m_arrMemos.size(), 2u);
        EXPECT_EQ(t.doc().m_strTitle, texts::Untitled());
    }
}

TEST_F(DocumentFile, OverlongMemoViewTextIsCutAtACharacterBoundary) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    s.m_edit.m_text = "a" + std::string(0x100000, '\x82'); // one byte then double-byte lead/trail pairs
    std::string bytes = Save(s.doc());
    CArchive in(bytes);
    in.ReadBytes(11);
    in.ReadInt32();
    for (int i = 0; i < 2; ++i) {
        CMemoItem memo = CMemoItem::ForLoading();
        memo.Serialize(in);
    }
    for (int i = 0; i < 7; ++i)
        in.ReadInt32();
    std::int32_t length = in.ReadInt32();
    EXPECT_EQ(length, 0xFFFFF); // 'a' and whole pairs only: the odd byte count ends on a pair
    HeadlessSession t;
    EXPECT_TRUE(t.doc().LoadFromBytes(bytes).ok);
}
