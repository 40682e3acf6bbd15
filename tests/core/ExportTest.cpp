#include "core/base/FileOutput.h"
#include "core/search/FindViewExport.h"
#include "core/shell/CTextExporter.h"
#include "core/shell/CommandRouter.h"

#include "SearchFixture.h"

#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace kardel;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

int FieldCount(const std::string& line) {
    return static_cast<int>(std::count(line.begin(), line.end(), '\t')) + 1;
}

} // namespace

class Export : public SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        // A (body x) with the children B (empty body) and C (p, an empty line, q).
        // Bodies are set last: selecting a memo stores the edit control's text into the one left.
        top = Add(root(), "A");
        c = Add(top, "C");
        b = Add(top, "B");
        top->m_strBody = "x";
        c->m_strBody = "p\r\n\r\nq";
    }
    std::string Subtree(bool titleOnly, bool viewOnly, CMemoItem* from) {
        CTextExporter exporter(doc(), &s->memoView(), &s->treeView());
        exporter.m_titleOnly = titleOnly;
        exporter.m_viewOnly = viewOnly;
        return exporter.SubtreeText(from->m_hTreeItem);
    }
    bool Run(CommandId id) { return CommandRouter(doc()).Execute(id); }
    std::string Temp(const char* name) { return ::testing::TempDir() + name; }

    CMemoItem* top = nullptr;
    CMemoItem* b = nullptr;
    CMemoItem* c = nullptr;
};

TEST_F(Export, SubtreeOutlineLineForLine) {
    EXPECT_EQ(Subtree(false, false, top), Lines({"A", "", "\tx", "", "\tB", "", "\tC", "", "\t\tp", "", "\t\tq", ""}));
    EXPECT_EQ(Subtree(true, false, top), Lines({"A", "", "\tB", "", "\tC", ""}));
}

TEST_F(Export, BodiesKeepTheirLinesAndEndInOneEmptyLine) {
    struct Case {
        std::string body, expected;
    } cases[] = {
        {"", Lines({"B", ""})},
        {"p\r\n", Lines({"B", "", "\tp", ""})}, // a final line break adds no line
        {"p\r\n\r\n", Lines({"B", "", "\tp", "", ""})},
        {"a\nb", Lines({"B", "", "\ta", "b", ""})}, // a bare line feed becomes CR LF, as text mode writes it
        {"a\n\r\nb", Lines({"B", "", "\ta", "", "\tb", ""})},
        {"\r\nx\r", Lines({"B", "", "", "\tx\r", ""})}, // an empty line gets no indent; a bare CR stays
    };
    for (const Case& k : cases) {
        b->m_strBody = k.body;
        EXPECT_EQ(Subtree(false, false, b), k.expected) << k.body;
        EXPECT_EQ(Subtree(true, false, b), Lines({"B", ""}));
    }
}

TEST_F(Export, ViewOnlyStopsAtCollapsedItems) {
    CMemoItem* grandchild = Add(c, "G");
    (void)grandchild;
    EXPECT_EQ(Subtree(true, true, b), Lines({"B", ""})); // no children: as without the option
    tree().Expand(top->m_hTreeItem, true);
    tree().Expand(c->m_hTreeItem, false);
    EXPECT_EQ(Subtree(true, true, top), Lines({"A", "", "\tB", "", "\tC", ""}));
    EXPECT_EQ(Subtree(true, false, top), Lines({"A", "", "\tB", "", "\tC", "", "\t\tG", ""}));
    tree().Expand(top->m_hTreeItem, false);
    EXPECT_EQ(Subtree(true, true, top), Lines({"A", ""}));
}

TEST_F(Export, SubtreeCommandRemembersItsChoicesOnlyOnOk) {
    AppSettings settings(s->m_settings);
    std::string proposed;
    bool shownTitleOnly = true;
    s->m_dialogs.onSubtreeExport = [&](const std::string& name, bool titleOnly, bool) {
        proposed = name;
        shownTitleOnly = titleOnly;
        return std::optional<SubtreeExportChoice>(); // ticked both, then cancelled
    };
    tree().Select(c->m_hTreeItem);
    Run(ID_EXPORT_SUBTREE);
    EXPECT_EQ(proposed, "Data"); // the first top-level item, whichever memo is selected
    EXPECT_FALSE(shownTitleOnly);
    EXPECT_EQ(settings.Get(AppSettings::kExportTitleOnly), 0);

    std::string path = Temp("subtree.txt");
    s->m_dialogs.onSubtreeExport = [&](const std::string&, bool, bool) {
        return std::optional<SubtreeExportChoice>(SubtreeExportChoice{path, true, false});
    };
    tree().Select(top->m_hTreeItem);
    Run(ID_EXPORT_SUBTREE);
    EXPECT_EQ(settings.Get(AppSettings::kExportTitleOnly), 1);
    EXPECT_EQ(settings.Get(AppSettings::kExportViewOnly), 0);
    EXPECT_EQ(ReadFile(path), Lines({"A", "", "\tB", "", "\tC", ""}));
    std::remove(path.c_str());
}

TEST_F(Export, MemoViewTextAsTheControlHoldsIt) {
    tree().Select(c->m_hTreeItem);
    s->m_edit.m_text = "typed\r\nnot stored"; // typed, not yet stored into the memo
    std::string path = Temp("memoview.txt");
    s->m_fileDialogs.m_answers = {path};
    Run(ID_EXPORT_MEMOVIEW);
    ASSERT_EQ(s->m_fileDialogs.m_requests.size(), 1u);
    const FileDialogRequest& request = s->m_fileDialogs.m_requests[0];
    EXPECT_TRUE(request.save && request.confirmOverwrite);
    EXPECT_EQ(request.initialName, "C");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(ReadFile(path), "typed\r\nnot stored");
    std::remove(path.c_str());
}

TEST_F(Export, FindViewTabSeparatedFields) {
    doc().m_options.m_strSelTitle = Sjis("担当");
    c->m_timeCreated = c->m_timeUpdated = kMay10;
    c->m_strSelItem = "S";
    b->m_timeCreated = b->m_timeUpdated = kMay11;
    b->m_bHasDue = 1;
    b->m_timeDue = kMay11;
    doc().RunSearch(); // every test off: only the header
    EXPECT_EQ(FindViewExportText(list(), doc()), Sjis("タイトル\t定義\t作成日\t更新日\t期日\t完了日\r\n"));

    doc().m_findCond.ResetToAllMemos();
    doc().RunSearch();
    list().OnHeaderClick(0); // rows in the order of the last sort: A, B, C
    std::string six = FindViewExportText(list(), doc());
    EXPECT_EQ(six, Sjis("タイトル\t定義\t作成日\t更新日\t期日\t完了日\r\n") +
                       Sjis("A\tﾌｫﾙﾀﾞ\t2000/05/11\t2000/05/11\t\t\r\n") +
                       Sjis("B\tﾒﾓ\t2000/05/11\t2000/05/11\t2000/05/11\t\r\n") +
                       Sjis("C\tﾒﾓ\t2000/05/10\t2000/05/10\t\t\r\n"));

    doc().m_options.m_bSelEnabled = 1;
    std::string seven = FindViewExportText(list(), doc());
    std::istringstream lines(seven);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(FieldCount(line), 7) << line;
        ++count;
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(seven.substr(0, seven.find('\r')), Sjis("タイトル\t定義\t担当\t作成日\t更新日\t期日\t完了日"));
    EXPECT_NE(seven.find("C\t" + Sjis("ﾒﾓ") + "\tS\t"), std::string::npos);
}

TEST_F(Export, FindViewCommandWritesTheFile) {
    std::string path = Temp("findview.txt");
    s->m_fileDialogs.m_answers = {path};
    Run(ID_EXPORT_FINDVIEW);
    EXPECT_EQ(s->m_fileDialogs.m_requests.at(0).initialName, "*.txt");
    EXPECT_EQ(ReadFile(path), FindViewExportText(list(), doc()));
    std::remove(path.c_str());
}

TEST_F(Export, AFailedExportIsReportedAndLeavesNoFile) {
    std::string missing = Temp("no-such-folder/out.txt");
    s->m_fileDialogs.m_answers = {missing, missing};
    Run(ID_EXPORT_FINDVIEW);
    Run(ID_EXPORT_MEMOVIEW);
    ASSERT_EQ(s->m_messages.m_shown.size(), 2u);
    EXPECT_EQ(s->m_messages.m_shown[0], missing + Sjis(" が見つかりません。"));
    EXPECT_FALSE(Exists(missing));

    // A folder in the way: the rename fails and the folder stays as it was.
    std::string folder = Temp("export-folder");
    ::mkdir(folder.c_str(), 0755);
    s->m_dialogs.onSubtreeExport = [&](const std::string&, bool, bool) {
        return std::optional<SubtreeExportChoice>(SubtreeExportChoice{folder, false, false});
    };
    Run(ID_EXPORT_SUBTREE);
    ASSERT_EQ(s->m_messages.m_shown.size(), 3u);
    EXPECT_NE(s->m_messages.m_shown[2].find(folder), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    ::rmdir(folder.c_str());

    s->m_fileDialogs.m_answers = {};
    Run(ID_EXPORT_FINDVIEW); // cancelled: no message, nothing written
    EXPECT_EQ(s->m_messages.m_shown.size(), 3u);
}

// An export aimed at the open document's own file, by any of its names, would replace
// the outline with text: it is refused and the file stays as it was.
TEST_F(Export, NoExportReplacesTheDocumentItComesFrom) {
    const std::string path = Temp("export-source.kdl");
    const std::string link = Temp("export-source-link.kdl");
    const std::string hardLink = Temp("export-source-hard.kdl");
    ASSERT_TRUE(doc().OnSaveDocument(path).ok);
    const std::string saved = ReadFile(path);
    std::remove(link.c_str());
    std::remove(hardLink.c_str());
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    ASSERT_EQ(::link(path.c_str(), hardLink.c_str()), 0);
    s->m_fileDialogs.m_answers = {path, link};
    Run(ID_EXPORT_FINDVIEW);
    Run(ID_EXPORT_MEMOVIEW);
    s->m_dialogs.onSubtreeExport = [&](const std::string&, bool, bool) {
        return std::optional<SubtreeExportChoice>(SubtreeExportChoice{hardLink, false, false});
    };
    Run(ID_EXPORT_SUBTREE);
    ASSERT_EQ(s->m_messages.m_shown.size(), 3u);
    EXPECT_EQ(s->m_messages.m_shown[0], path + Sjis(" は出力元のﾄﾞｷｭﾒﾝﾄ自身のため、書き込めません。"));
    EXPECT_EQ(s->m_messages.m_shown[2], hardLink + Sjis(" は出力元のﾄﾞｷｭﾒﾝﾄ自身のため、書き込めません。"));
    EXPECT_EQ(ReadFile(path), saved);

    // Its name is refused even while another program has taken the file away.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    s->m_fileDialogs.m_answers = {path};
    Run(ID_EXPORT_MEMOVIEW);
    ASSERT_EQ(s->m_messages.m_shown.size(), 4u);
    EXPECT_FALSE(Exists(path));

    // Another file is no concern of the check.
    const std::string other = Temp("export-other.txt");
    s->m_fileDialogs.m_answers = {other};
    Run(ID_EXPORT_FINDVIEW);
    EXPECT_EQ(s->m_messages.m_shown.size(), 4u);
    EXPECT_TRUE(Exists(other));
    for (const std::string& name : {path, link, hardLink, other})
        std::remove(name.c_str());
}

// Every writer reports a full disk or quota with the disk-full text, whether it
// shows mid-way or at the sync, and leaves the file it would replace as it was.
TEST_F(Export, EveryWriterReportsAFullDiskAndKeepsTheOldFile) {
    const std::string big(400000, 'x'); // more than the output buffers hold
    top->m_strTitle = big;
    top->m_strBody = big;
    doc().m_findCond.ResetToAllMemos();
    doc().RunSearch();
    std::string folder = Temp("full-disk");
    ::mkdir(folder.c_str(), 0755);
    std::string path = folder + "/out.txt";
    s->m_dialogs.onSubtreeExport = [&](const std::string&, bool, bool) {
        return std::optional<SubtreeExportChoice>(SubtreeExportChoice{path, false, false});
    };
    auto shown = [this] { return s->m_messages.m_shown.empty() ? std::string() : s->m_messages.m_shown.back(); };
    struct Case {
        const char* name;
        std::function<std::string()> run;
    } cases[] = {
        {"save", [&] { return doc().OnSaveDocument(path).message; }},
        {"subtree",
         [&] {
             tree().Select(top->m_hTreeItem);
             Run(ID_EXPORT_SUBTREE);
             return shown();
         }},
        {"memoview",
         [&] {
             s->m_edit.m_text = big;
             s->m_fileDialogs.m_answers = {path};
             Run(ID_EXPORT_MEMOVIEW);
             return shown();
         }},
        {"findview",
         [&] {
             s->m_fileDialogs.m_answers = {path};
             Run(ID_EXPORT_FINDVIEW);
             return shown();
         }},
    };
    const WriteFault faults[] = {{WriteFault::Step::Write, 0, ENOSPC},
                                 {WriteFault::Step::Write, 300000, EDQUOT},
                                 {WriteFault::Step::Sync, 0, ENOSPC}};
    for (const Case& c : cases)
        for (const WriteFault& fault : faults) {
            std::ofstream(path, std::ios::binary) << "old";
            s->m_messages.m_shown.clear();
            SetWriteFaultForTesting(fault);
            std::string message = c.run();
            SetWriteFaultForTesting(std::nullopt);
            EXPECT_EQ(message, path + Sjis(" へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。")) << c.name;
            EXPECT_EQ(ReadFile(path), "old") << c.name;
        }
    std::remove(path.c_str());
    EXPECT_EQ(::rmdir(folder.c_str()), 0) << "a temporary file was left behind";
}
