#include "OutlineFixture.h"

#include "core/base/SafeFile.h"

#include <fstream>

using namespace kardel;

namespace {

class Import : public OutlineFixture {
protected:
    // Data(A(A1),B,#(X)) in this document.
    void Build() {
        AddChildren(root(), {"A", "B"});
        Add(Find("A"), "A1");
        Add(trash(), "X");
        tree().Select(root());
    }
    // Saves a source document built by `build` and returns its path.
    std::string Source(const std::string& name, const std::function<void(HeadlessSession&)>& build) {
        HeadlessSession source;
        source.doc().OnNewDocument();
        build(source);
        std::string path = ::testing::TempDir() + "import-" + name + ".kdl";
        EXPECT_TRUE(source.doc().OnSaveDocument(path).ok);
        return path;
    }
    static TreeItem* AddTo(HeadlessSession& source, TreeItem* parent, const std::string& title) {
        source.treeView().Tree().Select(parent);
        source.doc().CreateUntitledMemo();
        TreeItem* item = source.treeView().Tree().GetCaret();
        source.treeView().OnEndLabelEdit(item, title);
        return item;
    }
    std::string Bytes() {
        MemoryOutput out;
        EXPECT_TRUE(doc().StoreTo(out));
        return out.take();
    }
};

TEST_F(Import, AnEmptyFileOnlyExpandsTheTarget) {
    Build();
    std::string path = Source("empty", [](HeadlessSession&) {});
    tree().UserExpand(Find("A"), false);
    tree().Select(Find("A"));
    size_t count = doc().Memos().size();
    ASSERT_TRUE(doc().ImportFile(path).ok);
    EXPECT_EQ(doc().Memos().size(), count);
    EXPECT_TRUE(Find("A")->expanded());
    EXPECT_EQ(Find("A")->image(), KindOpenFolder);
    tree().Select(Find("B"));
    ASSERT_TRUE(doc().ImportFile(path).ok);
    EXPECT_EQ(memo(Find("B"))->m_nKind, KindMemo);
    EXPECT_EQ(Find("B")->image(), KindMemo);
    EXPECT_EQ(Outline(), "Data(A(A1),B,#(X))");
    CheckBinding();
}

TEST_F(Import, ImportedMemosFollowTheExistingChildrenWithTheirOwnDates) {
    Build();
    std::string path = Source("memos", [](HeadlessSession& src) {
        TreeItem* srcRoot = src.treeView().Tree().GetRoot();
        TreeItem* p = AddTo(src, srcRoot, "P");
        TreeItem* q = AddTo(src, srcRoot, "Q"); // Q before P
        AddTo(src, p, "P1");
        src.doc().Memo(q->value())->m_strSelItem = "red";
        src.doc().Memo(p->value())->m_timeCreated = 11;
        src.doc().Memo(p->value())->m_timeUpdated = 12;
        src.doc().Memo(p->value())->m_strBody = "p body";
    });
    doc().m_options.m_arrSelItems = {"blue"};
    tree().Select(Find("A"));
    size_t base = doc().Memos().size();
    s.session().m_app.m_nFileVersion = 2;
    ASSERT_TRUE(doc().ImportFile(path).ok);
    EXPECT_EQ(Outline(), "Data(A(A1,Q,P(P1)),B,#(X))");
    EXPECT_EQ(s.session().m_app.m_nFileVersion, 5);
    CMemoItem* p = memo(Find("P"));
    EXPECT_EQ(p->m_timeCreated, 11);
    EXPECT_EQ(p->m_timeUpdated, 12);
    EXPECT_EQ(p->m_strBody, "p body");
    EXPECT_EQ(Find("P")->image(), KindClosedFolder); // open folders arrive closed
    // Source memos 2, 3, 4 (P, Q, P1) keep their order at base + k - 2.
    EXPECT_EQ(Find("P")->value(), static_cast<std::int32_t>(base));
    EXPECT_EQ(Find("Q")->value(), static_cast<std::int32_t>(base + 1));
    EXPECT_EQ(Find("P1")->value(), static_cast<std::int32_t>(base + 2));
    EXPECT_EQ(doc().m_options.m_arrSelItems, (std::vector<std::string>{"blue", "red"}));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(tree().GetCaret(), Find("A"));
    CheckBinding();
}

TEST_F(Import, TheImportedTrashContentsGoToTheEndOfOurTrash) {
    Build();
    std::string path = Source("trash", [](HeadlessSession& src) {
        TreeItem* t = src.treeView().m_hTrash;
        AddTo(src, src.treeView().Tree().GetRoot(), "Kept");
        TreeItem* y = AddTo(src, t, "Y");
        AddTo(src, y, "Y1");
    });
    tree().Select(Find("B"));
    ASSERT_TRUE(doc().ImportFile(path).ok);
    EXPECT_EQ(Outline(), "Data(A(A1),B(Kept),#(X,Y(Y1)))");
    EXPECT_EQ(trash()->image(), KindTrashFull);
    EXPECT_EQ(memo(Find("B"))->m_nKind, KindOpenFolder);
    size_t n = doc().Memos().size();
    EXPECT_EQ(Find("Y")->value(), static_cast<std::int32_t>(n - 2));
    EXPECT_EQ(Find("Y1")->value(), static_cast<std::int32_t>(n - 1));
    CheckBinding();
}

TEST_F(Import, ImportingIntoTheTrashShowsItHoldingMemos) {
    Build();
    std::string path =
        Source("into-trash", [](HeadlessSession& src) { AddTo(src, src.treeView().Tree().GetRoot(), "Z"); });
    tree().Select(trash());
    ASSERT_TRUE(doc().ImportFile(path).ok);
    EXPECT_EQ(Outline(), "Data(A(A1),B,#(X,Z))");
    EXPECT_EQ(memo(trash())->m_nKind, KindTrashFull);
    CheckBinding();
}

TEST_F(Import, ABadOrShortFileChangesNothing) {
    Build();
    std::string good = Source("good", [](HeadlessSession& src) {
        TreeItem* a = AddTo(src, src.treeView().Tree().GetRoot(), "P");
        AddTo(src, a, "P1");
        AddTo(src, src.treeView().m_hTrash, "Y");
    });
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(good, bytes).ok);
    tree().Select(Find("A"));
    doc().SetModifiedFlag(false);
    s.session().m_app.m_nFileVersion = 4;
    std::string before = Bytes();
    std::string bad = ::testing::TempDir() + "import-bad.kdl";
    // Every cut inside the sections an import reads, and a tree naming a memo twice.
    CArchive reader(bytes);
    reader.ReadBytes(11);
    for (size_t n = reader.ReadCount(1); n > 0; --n) {
        CMemoItem record = CMemoItem::ForLoading();
        record.Serialize(reader);
    }
    reader.ReadBytes(28);
    reader.ReadBytes(static_cast<size_t>(reader.ReadInt32()));
    reader.ReadBytes(20 * static_cast<size_t>(reader.ReadInt32()));
    size_t treeEnd = reader.Position(); // an import reads no further
    std::vector<std::string> variants;
    for (size_t cut = 0; cut < treeEnd; cut += 3)
        variants.push_back(bytes.substr(0, cut));
    std::string twice = bytes;
    twice[treeEnd - 20 + 4] = 2; // the last tree record names memo 2 again
    variants.push_back(twice);
    for (const std::string& variant : variants) {
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << variant;
        FileResult result = doc().ImportFile(bad);
        ASSERT_FALSE(result.ok) << variant.size();
        EXPECT_EQ(result.message, texts::BadFileFormat());
        ASSERT_EQ(Bytes(), before) << variant.size();
        EXPECT_FALSE(doc().IsModified());
        EXPECT_EQ(s.session().m_app.m_nFileVersion, 4);
    }
    EXPECT_FALSE(doc().ImportFile(::testing::TempDir() + "import-missing.kdl").ok);
    EXPECT_EQ(Bytes(), before);
    CheckBinding();
}

TEST_F(Import, AFileWithASecondTrashIsRefused) {
    Build();
    std::string path = Source("second-trash", [](HeadlessSession& src) {
        TreeItem* p = AddTo(src, src.treeView().Tree().GetRoot(), "P");
        src.doc().Memo(p->value())->m_nKind = KindTrashFull; // would shift every later index
    });
    size_t count = doc().Memos().size();
    EXPECT_FALSE(doc().ImportFile(path).ok);
    EXPECT_EQ(doc().Memos().size(), count);
}

TEST_F(Import, TheCommandAsksForAFileAndReportsFailures) {
    Build();
    std::string path =
        Source("command", [](HeadlessSession& src) { AddTo(src, src.treeView().Tree().GetRoot(), "P"); });
    tree().Select(Find("B"));
    ASSERT_TRUE(Run(ID_IMPORT)); // cancelled
    ASSERT_EQ(s.m_fileDialogs.m_requests.size(), 1u);
    const FileDialogRequest& request = s.m_fileDialogs.m_requests[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.defaultExtension, "kdl");
    EXPECT_EQ(request.initialName, "");
    EXPECT_EQ(request.filter, "Kardel Files (*.kdl)|*.kdl|All Files (*.*)|*.*||");
    EXPECT_EQ(Outline(), "Data(A(A1),B,#(X))");
    s.m_fileDialogs.m_answers = {path, ::testing::TempDir() + "import-nowhere.kdl"};
    ASSERT_TRUE(Run(ID_IMPORT));
    EXPECT_EQ(Outline(), "Data(A(A1),B(P),#(X))");
    EXPECT_TRUE(s.m_messages.m_shown.empty());
    ASSERT_TRUE(Run(ID_IMPORT));
    EXPECT_EQ(s.m_messages.m_shown.size(), 1u);
    EXPECT_EQ(Outline(), "Data(A(A1),B(P),#(X))");
}

} // namespace
