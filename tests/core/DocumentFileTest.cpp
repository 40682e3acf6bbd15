#include "core/base/Archive.h"
#include "core/base/FileIdentity.h"
#include "core/base/Texts.h"
#include "core/shell/DocumentSession.h"

#include "FixedNowTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace kardel;

namespace {
class DocumentFile : public FixedNowTest {
protected:
    std::string Save(CKardelDoc& doc) {
        MemoryOutput out;
        EXPECT_TRUE(doc.StoreTo(out));
        return out.take();
    }
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
    ASSERT_EQ(s.doc().Memos().size(), 2u);
    EXPECT_EQ(s.doc().Memos()[0]->m_strTitle, "Data");
    EXPECT_EQ(s.doc().Memos()[0]->m_nKind, KindOpenFolder);
    EXPECT_EQ(s.doc().Memos()[1]->m_nKind, KindTrashEmpty);
    EXPECT_EQ(s.doc().CurMemo(), 0);
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
    s.doc().Memos()[0]->Serialize(mw);
    s.doc().Memos()[1]->Serialize(mw);
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
    s.doc().Memos()[1]->m_strBody = "x";
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
        ASSERT_EQ(t.doc().Memos().size(), 2u);
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

namespace {
// An old file as the earlier versions wrote it: root and trash, no selection
// items, no FindView widths, the old condition and options layouts, no window.
std::string OldFile(int version) {
    MemoryOutput out;
    CArchive w(out);
    if (version > 0)
        w.WriteBytes(std::string("Version00") + char('0' + version) + std::string(1, '\0'));
    w.WriteInt32(2);
    for (auto [title, kind] : {std::pair<const char*, int>{"Data", 0}, {"T", 2}}) {
        w.WriteString(title);
        w.WriteInt32(kind);
        for (int i = 0; i < 5; ++i)
            w.WriteInt32(0);
        w.WriteString("");
    }
    w.WriteInt32(3); // MemoView text
    w.WriteBytes("abc");
    w.WriteInt32(2);
    for (int v : {0, 0, 0, 1, 0, 2, 1, 1, 0, 1})
        w.WriteInt32(v);
    auto oldCondition = [&] {
        for (int i = 0; i < 16; ++i)
            w.WriteInt32(0);
        w.WriteBytes(std::string(12, '\0'));
        w.WriteString("s");
        if (version >= 1)
            w.WriteInt32(0);
    };
    oldCondition();  // the current search
    oldCondition();  // standard search 1
    w.WriteInt32(1); // X: an initial search was chosen
    w.WriteInt32(1); // ... of every memo
    if (version <= 1)
        w.WriteInt32(0);
    for (int i = 0; i < 5; ++i)
        w.WriteString("d");
    w.WriteInt32(2);
    if (version == 3) {
        for (int i = 0; i < 5; ++i)
            w.WriteInt32(0);
        for (int i = 0; i < 5; ++i)
            w.WriteString("");
    }
    return out.take();
}
} // namespace

TEST_F(DocumentFile, OlderVersionsLoadWithDefaultsAndSaveAsVersion5) {
    for (int version : {0, 1, 2, 3}) {
        HeadlessSession s;
        s.m_frame.m_placement.left = 33; // the window stays where it is
        CKdListView::Widths earlier;
        earlier.fill(1); // held from an earlier document
        s.session().m_findView.SetColumnWidths(earlier);
        s.doc().m_options.m_arrSelItems = {"old"};
        s.doc().m_options.m_bSelEnabled = 1;
        FileResult r = s.doc().LoadFromBytes(OldFile(version));
        ASSERT_TRUE(r.ok) << version;
        EXPECT_EQ(s.session().m_app.m_nFileVersion, version);
        EXPECT_EQ(s.doc().Memos()[1]->m_strSelItem, "");
        EXPECT_TRUE(s.doc().m_options.m_arrSelItems.empty());
        EXPECT_EQ(s.doc().m_options.m_bSelEnabled, 0);
        const CKdListView::Widths& widths = s.session().m_findView.ColumnWidths();
        EXPECT_EQ(widths, (CKdListView::Widths{200, 80, 80, 75, 75, 75, 75}));
        EXPECT_EQ(s.m_frame.m_placement.left, 33);
        EXPECT_EQ(s.doc().CurMemo(), 1);
        EXPECT_EQ(s.doc().m_options.m_nInitialFind, 6);
        EXPECT_EQ(s.doc().m_findCond.m_search, "s");
        std::string saved = Save(s.doc());
        EXPECT_EQ(saved.substr(0, 11), std::string("Version005\0", 11));
        HeadlessSession t;
        EXPECT_TRUE(t.doc().LoadFromBytes(saved).ok);
    }
}

TEST_F(DocumentFile, TreeSectionsThatBreakTheOutlineAreRefused) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    s.doc().CreateUntitledMemo(); // Data(memo 2, trash)
    std::string good = Save(s.doc());
    size_t treeAt = good.find(I32(3) + I32(0) + I32(0) + I32(0) + I32(1) + I32(0));
    ASSERT_NE(treeAt, std::string::npos);
    struct Case {
        const char* what; // nullptr: the section must load
        std::vector<int> records;
    } cases[] = {
        {nullptr, {0, 0, 0, 1, 0, 4, 2, 1, 0, 1, 2, 1, 1, 0, 0}},       // the records as written
        {nullptr, {0, 0, 0, 1, 0, 2, 1, 1, 0, 0, 4, 2, 1, 0, 1}},       // the trash before another child
        {nullptr, {0, 0, 0, 1, 0, 0x10004, 2, 1, 0, 1, 2, 1, 1, 0, 0}}, // an image no kind has, kept
        {"memo index outside the array", {0, 0, 0, 1, 0, 4, 5, 1, 0, 1, 2, 1, 1, 0, 0}},
        {"memo used twice", {0, 0, 0, 1, 0, 4, 0, 1, 0, 1, 2, 1, 1, 0, 0}},
        {"parent not yet read", {0, 0, 0, 1, 0, 4, 2, 3, 0, 1, 2, 1, 1, 0, 0}},
        {"two roots", {0, 0, 0, 1, 0, 4, 2, 0, 0, 1, 2, 1, 1, 0, 0}},
        {"trash without a trash image", {0, 0, 0, 1, 0, 4, 2, 1, 0, 1, 4, 1, 1, 0, 0}},
        {"trash below another memo", {0, 0, 0, 1, 0, 0, 2, 1, 1, 1, 2, 1, 2, 0, 0}},
        {"a second trash", {0, 0, 0, 1, 0, 2, 2, 1, 0, 1, 2, 1, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        std::string tree = I32(3);
        for (int v : c.records)
            tree += I32(v);
        bytes.replace(treeAt, tree.size(), tree);
        HeadlessSession t;
        const bool valid = c.what == nullptr;
        EXPECT_EQ(t.doc().LoadFromBytes(bytes).ok, valid) << (valid ? "valid" : c.what);
        EXPECT_EQ(t.doc().Memos().size(), valid ? 3u : 2u);
        // Records read before the bad one leave no items behind.
        EXPECT_EQ(t.session().m_treeView.Tree().GetCount(), valid ? 3u : 2u) << (valid ? "valid" : c.what);
        if (valid) {
            EXPECT_EQ(Save(t.doc()), bytes); // and it saves back as it was read
        }
    }
}

TEST_F(DocumentFile, OpeningAndSavingRetitleTheRootAfterTheFileName) {
    std::string dir = ::testing::TempDir();
    HeadlessSession s;
    s.doc().OnNewDocument();
    ASSERT_TRUE(s.doc().OnSaveDocument(dir + "/work.kdl").ok);
    EXPECT_EQ(s.doc().Memos()[0]->m_strTitle, "work");
    EXPECT_EQ(s.doc().m_strTitle, "work.kdl");
    EXPECT_FALSE(s.doc().IsModified());
    HeadlessSession t;
    ASSERT_TRUE(t.doc().OnOpenDocument(dir + "/work.kdl").ok);
    EXPECT_EQ(t.doc().Memos()[0]->m_strTitle, "work");
    EXPECT_EQ(t.session().m_treeView.Tree().GetItemText(t.session().m_treeView.Tree().GetRoot()), "work");
    EXPECT_FALSE(t.doc().IsModified());
    ASSERT_TRUE(t.doc().OnSaveDocument(dir + "/plan.kdl").ok);
    EXPECT_EQ(t.doc().Memos()[0]->m_strTitle, "plan");
    EXPECT_FALSE(t.doc().OnSaveDocument("/nonexistent-dir/x.kdl").ok);
}

namespace {
class FailingOutput : public IOutput {
public:
    explicit FailingOutput(size_t limit) : m_limit(limit) {}
    bool Write(const char*, size_t size) override {
        if (m_written + size > m_limit)
            return false;
        m_written += size;
        return true;
    }

private:
    size_t m_limit;
    size_t m_written = 0;
};
} // namespace

TEST_F(DocumentFile, AWriteThatFailsAnywhereIsReported) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    size_t total = Save(s.doc()).size();
    for (size_t limit = 0; limit < total; limit += 7) {
        FailingOutput out(limit);
        EXPECT_FALSE(s.doc().StoreTo(out)) << limit;
    }
    FailingOutput enough(total);
    EXPECT_TRUE(s.doc().StoreTo(enough));
}

namespace {
// Root, a folder with a child, a done memo with a selection item, a memo in the
// trash, changed options and search, the selection-item column shown.
// A document large enough that opening it reads into memory advised for huge pages
// and prepares the heap: it opens from disk to the same bytes.
TEST_F(DocumentFile, ALargeFileOpensToTheSameBytes) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    CKdTreeView& view = s.treeView();
    TreeItem* folder = view.Tree().GetRoot();
    for (int i = 0; i < 20000; ++i) {
        auto memo = std::make_unique<CMemoItem>(KindMemo);
        memo->m_strTitle = "memo " + std::to_string(i);
        memo->m_strBody = std::string(900 + i % 200, static_cast<char>('a' + i % 26));
        s.doc().AppendMemo(std::move(memo));
        auto index = static_cast<std::int32_t>(s.doc().Memos().size() - 1);
        TreeItem* item = view.InsertMemoItem(folder, TreeControl::Where::First, nullptr, "memo", KindMemo, index);
        if (i % 100 == 0)
            folder = item;
    }
    const std::string path = ::testing::TempDir() + "large.kdl";
    ASSERT_TRUE(s.doc().OnSaveDocument(path).ok);
    std::string bytes = Save(s.doc());
    ASSERT_GT(bytes.size(), size_t(16) << 20);
    HeadlessSession t;
    ASSERT_TRUE(t.doc().OnOpenDocument(path).ok);
    EXPECT_EQ(Save(t.doc()), bytes);
    EXPECT_EQ(t.doc().m_fileIdentity.hash, ContentHasher::Of(bytes));
    std::remove(path.c_str());
}

std::string RicherFile() {
    HeadlessSession s;
    s.doc().OnNewDocument();
    CKdTreeView& view = s.treeView();
    auto add = [&](TreeItem* parent, TreeControl::Where where, const char* title, int kind) {
        auto memo = std::make_unique<CMemoItem>(kind);
        memo->m_strTitle = title;
        memo->m_strBody = std::string(300, 'b');
        s.doc().AppendMemo(std::move(memo));
        auto index = static_cast<std::int32_t>(s.doc().Memos().size() - 1);
        return view.InsertMemoItem(parent, where, nullptr, title, kind, index);
    };
    TreeItem* folder = add(view.Tree().GetRoot(), TreeControl::Where::First, "F", KindMemo);
    add(folder, TreeControl::Where::Last, "C", KindDef1);
    TreeItem* done = add(view.Tree().GetRoot(), TreeControl::Where::First, "D", KindDone);
    s.doc().Memo(done->value())->m_strSelItem = "S";
    add(view.m_hTrash, TreeControl::Where::Last, "T", KindMemo);
    view.Tree().Select(done);
    s.doc().m_options.m_arrSelItems = {"S"};
    s.doc().m_options.m_bSelEnabled = 1;
    s.doc().m_options.m_strDefName[2] = "X";
    s.doc().m_findCond.ResetToAllMemos();
    s.session().m_findView.m_selColumnShown = true;
    s.m_frame.m_placement = {1, 2, 3, 4, 5};
    MemoryOutput out;
    EXPECT_TRUE(s.doc().StoreTo(out));
    return out.take();
}

std::string OptionsBytes(const CDocOptions& options) {
    MemoryOutput out;
    CArchive ar(out);
    const_cast<CDocOptions&>(options).Serialize(ar);
    return out.take();
}
} // namespace

// A cut anywhere, in any layout, leaves a new untitled document with nothing of
// the partly read file: no memos, no options, no search, no FindView widths.
TEST_F(DocumentFile, EveryTruncationOfEveryLayoutLeavesNothingOfTheFile) {
    const std::string defaultOptions = OptionsBytes(CDocOptions());
    for (const std::string& bytes : {RicherFile(), OldFile(0), OldFile(3)}) {
        HeadlessSession whole;
        ASSERT_TRUE(whole.doc().LoadFromBytes(bytes).ok);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            HeadlessSession t;
            CKdListView::Widths widths = t.session().m_findView.ColumnWidths();
            widths[3] = 99;
            t.session().m_findView.SetColumnWidths(widths);
            FileResult r = t.doc().LoadFromBytes(std::string_view(bytes).substr(0, cut));
            ASSERT_FALSE(r.ok) << cut;
            EXPECT_EQ(r.message, texts::BadFileFormat());
            ASSERT_EQ(t.doc().Memos().size(), 2u) << cut;
            EXPECT_EQ(t.doc().m_strTitle, texts::Untitled());
            EXPECT_EQ(t.doc().CurMemo(), 0);
            EXPECT_EQ(t.session().m_treeView.Tree().GetCount(), 2u);
            EXPECT_EQ(OptionsBytes(t.doc().m_options), defaultOptions) << cut;
            EXPECT_TRUE(t.doc().m_findCond == CFindCondition()) << cut;
            EXPECT_EQ(t.session().m_findView.ColumnWidths()[3], 99) << cut;
            EXPECT_EQ(t.session().m_findView.ColumnWidths()[2], 80) << cut;
            EXPECT_EQ(t.m_frame.m_placement.treeWidth, 145) << cut;
        }
    }
}

// Read from a file a piece at a time, whatever the piece, a file loads as its bytes do,
// cut anywhere, whole or with bytes after its end, and the hash is the whole file's.
TEST_F(DocumentFile, ReadingAFileInPiecesLoadsAsItsBytesDo) {
    const std::string path = ::testing::TempDir() + "pieces.kdl";
    std::mt19937 random(5);
    for (const std::string& bytes : {RicherFile(), OldFile(3), RicherFile() + "after the end"}) {
        std::vector<size_t> cuts{bytes.size(), 0};
        for (int i = 0; i < 30; ++i)
            cuts.push_back(random() % bytes.size());
        for (size_t cut : cuts) {
            const std::string file = bytes.substr(0, cut);
            std::ofstream(path, std::ios::binary | std::ios::trunc).write(file.data(), std::streamsize(file.size()));
            HeadlessSession whole;
            FileResult expected = whole.doc().LoadFromBytes(file);
            for (size_t piece : {size_t(1), size_t(7), size_t(1) << 20}) {
                HeadlessSession t;
                std::uint64_t hash = 0;
                FileResult r = t.doc().ReadFromFile(path, &hash, piece);
                ASSERT_EQ(r.ok, expected.ok) << cut << " " << piece;
                EXPECT_EQ(r.message, expected.message);
                EXPECT_EQ(Save(t.doc()), Save(whole.doc())) << cut << " " << piece;
                if (r.ok) {
                    EXPECT_EQ(hash, ContentHasher::Of(file));
                }
            }
        }
    }
    std::remove(path.c_str());
}

// The header's three digits are read as the C library reads a number; anything
// from 5 up reads the current layout, and saving always writes version 5.
TEST_F(DocumentFile, HeaderVersionsFromFiveUpReadTheCurrentLayout) {
    std::string v5 = RicherFile();
    for (const char* digits : {"005", "006", "010", "999"}) {
        std::string bytes = v5;
        bytes.replace(7, 3, digits);
        HeadlessSession s;
        ASSERT_TRUE(s.doc().LoadFromBytes(bytes).ok) << digits;
        EXPECT_EQ(s.session().m_app.m_nFileVersion, std::atoi(digits));
        EXPECT_EQ(s.doc().Memos().size(), 6u);
        EXPECT_EQ(s.doc().Memos()[s.doc().CurMemo()]->m_strSelItem, "S");
        EXPECT_EQ(s.m_frame.m_placement.treeWidth, 5);
        MemoryOutput out;
        ASSERT_TRUE(s.doc().StoreTo(out));
        EXPECT_EQ(out.bytes().substr(0, 11), std::string("Version005\0", 11));
    }
    // Not "Version" in the first seven bytes: no header, version 0 from offset 0.
    std::string bytes = v5;
    bytes.replace(0, 7, "Versio_");
    HeadlessSession s;
    EXPECT_FALSE(s.doc().LoadFromBytes(bytes).ok);
    EXPECT_EQ(s.session().m_app.m_nFileVersion, 0);
}
