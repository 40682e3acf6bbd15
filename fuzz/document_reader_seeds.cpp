// Writes the fuzzer's seeds: documents as the program saves them (a new one, one
// with nested, collapsed, trashed and due memos) and the older layouts it reads.
#include "DocumentInvariants.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace kardel;

namespace {

std::string Save(HeadlessSession& session) {
    MemoryOutput out;
    session.doc().StoreTo(out);
    return out.take();
}

TreeItem* Add(HeadlessSession& s, TreeItem* parent, const char* utf8Title, std::int32_t kind, const std::string& body) {
    auto memo = std::make_unique<CMemoItem>(kind);
    memo->m_strTitle = Cp932Codec::FromUtf8(utf8Title).text;
    memo->m_strBody = body;
    std::string title = memo->m_strTitle.str();
    s.doc().AppendMemo(std::move(memo));
    auto index = static_cast<std::int32_t>(s.doc().Memos().size() - 1);
    TreeControl& tree = s.treeView().Tree();
    // The trash stays the root's last child.
    TreeItem* after = parent == tree.GetRoot() ? tree.GetPrevSibling(s.treeView().m_hTrash) : nullptr;
    TreeControl::Where where = parent != tree.GetRoot() ? TreeControl::Where::Last
                               : after                  ? TreeControl::Where::After
                                                        : TreeControl::Where::First;
    return s.treeView().InsertMemoItem(parent, where, after, title, kind, index);
}

std::string MemosDocument(bool dueMarkImage) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    TreeControl& tree = s.treeView().Tree();
    std::string body = Cp932Codec::FromUtf8("一行目\r\n二行目 ﾊﾝｶｸ\r\n").text;
    TreeItem* folder = Add(s, tree.GetRoot(), "仕事", KindMemo, body);
    TreeItem* inner = Add(s, folder, "会議", KindMemo, std::string(300, 'x'));
    Add(s, inner, "議事録", KindDef1 + 2, body);
    TreeItem* done = Add(s, folder, "完了", KindDone, "");
    s.doc().Memo(done->value())->m_bHasDue = 1;
    s.doc().Memo(done->value())->m_strSelItem = Cp932Codec::FromUtf8("重要").text;
    Add(s, s.treeView().m_hTrash, "捨てた", KindMemo, body);
    tree.Expand(inner, true);
    tree.UserExpand(inner, false); // a collapsed folder
    tree.Select(done);
    s.doc().m_options.m_arrSelItems = {Cp932Codec::FromUtf8("重要").text};
    s.doc().m_options.m_bSelEnabled = 1;
    s.doc().m_findCond.ResetToAllMemos();
    s.doc().m_findCond.m_search = "abc";
    s.findView().m_selColumnShown = true;
    if (dueMarkImage) // a record with the due-mark image, which loads with its memo's kind
        tree.SetImage(done, kDueMarkImage);
    return Save(s);
}

// Root, trash and one memo in the layout of versions 0 to 3.
std::string OldDocument(int version) {
    MemoryOutput out;
    CArchive w(out);
    if (version > 0)
        w.WriteBytes(std::string("Version00") + char('0' + version) + std::string(1, '\0'));
    w.WriteInt32(3);
    for (auto [title, kind] : {std::pair<const char*, int>{"Data", 0}, {"T", 3}, {"M", 4}}) {
        w.WriteString(title);
        w.WriteInt32(kind);
        for (int i = 0; i < 5; ++i)
            w.WriteInt32(958000000);
        w.WriteString("body");
    }
    w.WriteInt32(4);
    w.WriteBytes("body");
    w.WriteInt32(3);
    for (int v : {0, 0, 0, 1, 1, 3, 1, 1, 1, 0, 4, 2, 2, 0, 0})
        w.WriteInt32(v);
    for (int condition = 0; condition < 2; ++condition) {
        for (int i = 0; i < 16; ++i)
            w.WriteInt32(i % 3);
        w.WriteBytes(std::string(12, '\0'));
        w.WriteString("s");
        if (version >= 1)
            w.WriteInt32(1);
    }
    w.WriteInt32(1);
    w.WriteInt32(0);
    if (version <= 1)
        w.WriteInt32(0);
    for (int i = 0; i < 5; ++i)
        w.WriteString("d");
    w.WriteInt32(1);
    if (version == 3) {
        for (int i = 0; i < 5; ++i)
            w.WriteInt32(0);
        for (int i = 0; i < 5; ++i)
            w.WriteString("icon");
    }
    return out.take();
}

bool Write(const std::string& dir, const char* name, const std::string& bytes) {
    HeadlessSession check;
    if (!check.doc().LoadFromBytes(bytes).ok || !fuzz::CheckDocumentInvariants(check).empty()) {
        std::fprintf(stderr, "seed %s does not load soundly\n", name);
        return false;
    }
    std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: document_reader_seeds DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    HeadlessSession fresh;
    fresh.doc().OnNewDocument();
    std::string memos = MemosDocument(false);
    // A title stored as a wide string.
    std::string wide = memos;
    size_t title = wide.find(Cp932Codec::FromUtf8("仕事").text);
    wide.replace(title - 1, 5, std::string("\xFF\xFE\xFF\x02\xD5\x4E\x8B\x4E", 8));
    bool ok = Write(dir, "new.kdl", Save(fresh)) && Write(dir, "memos.kdl", memos) && Write(dir, "wide.kdl", wide) &&
              Write(dir, "due-mark.kdl", MemosDocument(true));
    // A merge below the root: memos after the trash.
    HeadlessSession merged;
    merged.doc().OnNewDocument();
    merged.doc().AppendMemo(std::make_unique<CMemoItem>(KindMemo));
    merged.treeView().InsertMemoItem(merged.treeView().Tree().GetRoot(), TreeControl::Where::Last, nullptr, "M",
                                     KindMemo, 2);
    ok = Write(dir, "merged.kdl", Save(merged)) && ok;
    for (int version = 0; version <= 3; ++version)
        ok = Write(dir, ("v" + std::to_string(version) + ".kdl").c_str(), OldDocument(version)) && ok;
    return ok ? 0 : 1;
}
