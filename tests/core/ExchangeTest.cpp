// Markdown, OPML and HTML: export, import through the .kdl import's merge, and
// what hostile input must not do.
#include "OutlineFixture.h"

#include "core/base/Cp932Codec.h"
#include "core/base/SafeFile.h"
#include "core/exchange/ImportReader.h"
#include "core/exchange/MarkdownExporter.h"
#include "core/exchange/OutlineWriter.h"
#include "core/model/ImportSource.h"

#include <fstream>
#include <random>

using namespace kardel;

namespace {

std::string U(const std::string& cp932) {
    return Cp932Codec::ToUtf8(cp932).text;
}

class Exchange : public OutlineFixture {
protected:
    std::string Export(ExchangeFormat format, TreeItem* top, OutlineExportOptions options = {}) {
        MemoryOutput out;
        EXPECT_TRUE(ExportOutline(format, doc(), view(), top, options, out));
        return out.take();
    }
    static std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = ::testing::TempDir() + "exchange-" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // A fresh document with `path` merged below its memo "T": per item in tree order
    // "depth:image:title|kind|dates|sel|body".
    static std::string MergedIntoNew(const std::string& path) {
        HeadlessSession target;
        target.doc().OnNewDocument();
        TreeControl& tree = target.treeView().Tree();
        tree.Select(tree.GetRoot());
        target.doc().CreateUntitledMemo();
        target.treeView().OnEndLabelEdit(tree.GetCaret(), "T");
        FileResult result = target.doc().ImportFile(path);
        EXPECT_TRUE(result.ok) << U(result.message);
        std::string items;
        tree.ForEachItem([&](TreeItem* item) {
            int depth = 0;
            for (TreeItem* p = item->parent(); p; p = p->parent())
                ++depth;
            const CMemoItem* m = target.treeView().MemoOf(item);
            items += std::to_string(depth) + ":" + std::to_string(item->image()) + ":" + m->m_strTitle.str() + "|" +
                     std::to_string(m->m_nKind) + "|" + std::to_string(m->m_timeCreated) + "," +
                     std::to_string(m->m_timeUpdated) + "," + std::to_string(m->m_bHasDue) + "," +
                     std::to_string(m->m_timeDue) + "," + std::to_string(m->m_timeDone) + "|" + m->m_strSelItem.str() +
                     "|" + m->m_strBody.str() + "\n";
        });
        return items;
    }

    // A random outline below the root and in the trash: titles and bodies mix
    // Japanese, markup characters, tabs, leading and trailing spaces.
    void Generate(unsigned seed, int count) {
        std::mt19937 rng(seed);
        static const char* const pieces[] = {"abc", "日本語", "ﾒﾓ",     "<b>",    "&amp;",  "\"q\"",
                                             "'s",  "a]]>b",  "\t",     "x*y_z",  "[l](u)", "#1",
                                             "- d", "1. n",   "  lead", "tail  ", "\\",     "`c`"};
        auto text = [&](int maxPieces) {
            std::string utf8;
            for (int n = std::uniform_int_distribution<int>(0, maxPieces)(rng); n > 0; --n)
                utf8 += pieces[rng() % std::size(pieces)];
            return Cp932Codec::FromUtf8(utf8).text;
        };
        std::vector<TreeItem*> items{root()};
        for (int i = 0; i < count; ++i) {
            TreeItem* parent = i % 9 == 8 ? trash() : items[rng() % items.size()];
            TreeItem* item = Add(parent, "t");
            items.push_back(item);
            CMemoItem* m = memo(item);
            std::string title = text(3);
            view().OnEndLabelEdit(item, title.empty() ? std::string("e") : title);
            for (int line = std::uniform_int_distribution<int>(0, 4)(rng); line > 0; --line)
                m->m_strBody += text(3) + (line > 1 ? "\r\n" : "");
            if (rng() % 4 == 0)
                m->m_strBody += "\r\n";
            m->m_nKind = m->m_nKind == KindMemo ? std::uniform_int_distribution<int>(4, 10)(rng) : m->m_nKind;
            tree().SetImage(item, m->m_nKind);
            m->m_timeCreated = static_cast<time32>(rng());
            m->m_timeUpdated = static_cast<time32>(rng());
            m->m_timeDue = static_cast<time32>(rng());
            m->m_timeDone = static_cast<time32>(rng());
            m->m_bHasDue = rng() % 2;
            m->m_strSelItem = rng() % 3 ? std::string() : text(1);
        }
    }
    // The body as Markdown keeps it: no empty line at either end, none twice in a row.
    static std::string ParagraphLines(const std::string& body) {
        std::string out, pendingBreak;
        size_t start = 0;
        while (start <= body.size()) {
            size_t end = body.find("\r\n", start);
            std::string line = body.substr(start, end == std::string::npos ? std::string::npos : end - start);
            start = end == std::string::npos ? body.size() + 1 : end + 2;
            if (line.empty()) {
                if (!out.empty())
                    pendingBreak = "\r\n\r\n";
                continue;
            }
            out += (out.empty() ? "" : pendingBreak.empty() ? "\r\n" : pendingBreak) + line;
            pendingBreak.clear();
        }
        return out;
    }
    void SaveAs(const std::string& path) { ASSERT_TRUE(doc().OnSaveDocument(path).ok); }
};

TEST_F(Exchange, OpmlRoundTripGivesBackEveryMemoAsTheDocumentImportDoes) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        doc().OnNewDocument();
        Generate(seed, 60);
        std::string kdl = ::testing::TempDir() + "exchange-source.kdl";
        SaveAs(kdl);
        OutlineExportOptions options;
        options.withTrash = true;
        std::string opml = Write("round.opml", Export(ExchangeFormat::Opml, root(), options));
        EXPECT_EQ(MergedIntoNew(opml), MergedIntoNew(kdl)) << seed;
    }
}

TEST_F(Exchange, DemoDocumentSurvivesOpmlRoundTrip) {
    std::string demo = std::string(KARDEL_SOURCE_DIR) + "/res/demo/demo.kdl";
    ASSERT_TRUE(doc().OnOpenDocument(demo).ok);
    std::string opml = Write("demo.opml", Export(ExchangeFormat::Opml, root(), {.withTrash = true}));
    EXPECT_GT(doc().Memos().size(), 10u);
    EXPECT_EQ(MergedIntoNew(opml), MergedIntoNew(demo));
}

TEST_F(Exchange, MarkdownRoundTripKeepsTitlesBodiesKindsDatesAndShape) {
    for (unsigned seed = 11; seed <= 14; ++seed) {
        doc().OnNewDocument();
        Generate(seed, 50);
        // Markdown joins runs of empty lines and keeps no selection item or due flag without a due date.
        for (auto& m : doc().Memos()) {
            m->m_strSelItem.clear();
            if (!m->m_bHasDue)
                m->m_timeDue = m_clock.Now();
            if (m->m_nKind != KindDone)
                m->m_timeDone = m_clock.Now();
            m->m_strBody = ParagraphLines(m->m_strBody.str());
        }
        std::string kdl = ::testing::TempDir() + "exchange-md-source.kdl";
        SaveAs(kdl);
        std::string md = Write("round.md", Export(ExchangeFormat::Markdown, root(), {.withTrash = true}));
        EXPECT_EQ(MergedIntoNew(md), MergedIntoNew(kdl)) << seed << "\n" << md;
    }
}

TEST_F(Exchange, SamplesOfEachFormat) {
    AddChildren(root(), {"A & B", "C"});
    TreeItem* a1 = Add(Find("A & B"), "<a1>");
    Add(trash(), "gone");
    memo(a1)->m_strBody = "x < y\r\n  *z*\r\n\r\nend";
    memo(root())->m_strTitle = "doc";
    EXPECT_EQ(Export(ExchangeFormat::Markdown, root()),
              "# A \\& B\n<!-- kardel: kind=0 created=2000-05-10T23:06:40Z updated=2000-05-10T23:06:40Z -->\n\n"
              "## \\<a1\\>\n<!-- kardel: kind=4 created=2000-05-10T23:06:40Z updated=2000-05-10T23:06:40Z -->\n\n"
              "x \\< y\\\n&#32;&#32;\\*z\\*\n\nend\n\n"
              "# C\n<!-- kardel: kind=4 created=2000-05-10T23:06:40Z updated=2000-05-10T23:06:40Z -->\n\n");
    std::string opml = Export(ExchangeFormat::Opml, Find("A & B"));
    EXPECT_NE(opml.find("<title>A &amp; B</title>"), std::string::npos) << opml;
    EXPECT_NE(opml.find("<outline text=\"&lt;a1&gt;\" _note=\"x &lt; y&#10;  *z*&#10;&#10;end\" kardel:kind=\"4\" "
                        "kardel:created=\"2000-05-10T23:06:40Z\""),
              std::string::npos)
        << opml;
    std::string html = Export(ExchangeFormat::Html, root());
    EXPECT_NE(html.find("<title>doc</title>"), std::string::npos);
    EXPECT_NE(html.find("<div class=\"body\">x &lt; y\n  *z*\n\nend</div>"), std::string::npos) << html;
    EXPECT_EQ(html.find("gone"), std::string::npos);
    EXPECT_NE(Export(ExchangeFormat::Html, root(), {.withTrash = true}).find("gone"), std::string::npos);
    EXPECT_NE(Export(ExchangeFormat::Html, trash()).find("gone"), std::string::npos);
}

TEST_F(Exchange, ForeignMarkdownBecomesAnOutline) {
    std::string md = Write("foreign.md", "Intro line\n\n# One\nText *em* [l](http://x)\n\n```sh\ncode\n```\n"
                                         "- item\n  - sub item\n\n    sub body\n- other\n### Three\n## Two\n"
                                         "para &amp; &#x263A;\n");
    const std::string now = "|958000000,958000000,0,958000000,958000000||";
    EXPECT_EQ(MergedIntoNew(md), "0:0:Data|0" + now + "\n1:0:T|0" + now + "\n2:4:" + Sjis("名称未決定") + "|4" + now +
                                     "Intro line\n2:1:One|1" + now +
                                     "Text *em* [l](http://x)\r\n\r\n```sh\r\ncode\r\n```\n"
                                     "3:1:item|1" +
                                     now + "\n4:4:sub item|4" + now + "sub body\n3:4:other|4" + now + "\n3:4:Three|4" +
                                     now + "\n3:4:Two|4" + now + "para & ?\n1:2:" + Sjis("ごみ箱") + "|2" + now + "\n");
}

TEST_F(Exchange, CharactersCp932CannotHoldAreCountedAndShown) {
    std::string path = Write("wide.opml", "<opml version=\"2.0\"><body><outline text=\"caf\xC3\xA9\" "
                                          "_note=\"\xF0\x9F\x98\x80 \xE6\x97\xA5\"/></body></opml>");
    tree().Select(Add(root(), "T"));
    s.m_fileDialogs.m_answers = {path};
    doc().OnImport();
    EXPECT_EQ(doc().m_lastImportReplaced, 2u);
    ASSERT_EQ(s.m_messages.m_shown.size(), 1u);
    EXPECT_EQ(U(s.m_messages.m_shown[0]), "Shift-JISで表せない文字2個を「?」に置き換えました。");
    EXPECT_EQ(Outline(), "Data(T(caf?),#)");
    EXPECT_EQ(memo(Find("caf?"))->m_strBody, "? " + Sjis("日"));
}

TEST_F(Exchange, HostileInputFailsClearlyOrGivesABoundedResult) {
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE opml [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "]><opml><body><outline text=\"&c;&c;&c;&c;&c;&c;&c;&c;\"/></body></opml>";
    const std::string external = "<?xml version=\"1.0\"?><!DOCTYPE opml [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                                 "<opml><body><outline text=\"&x;\"/></body></opml>";
    std::string huge = "<opml><body><outline _note=\"" + std::string(17u << 20, 'n') + "\"/></body></opml>";
    struct Case {
        const char* name;
        std::string bytes;
        const char* error; // UTF-8 part of the message; nullptr: read
    };
    const Case cases[] = {
        {"unclosed", "<opml><body><outline text=\"a\"></body></opml>",
         "OPMLﾌｧｲﾙを読み込めません(1行目: mismatched tag)"},
        {"not xml", "<?xml version=\"1.0\"?>\n<opml><body><outline text=\"a&\"/>", "2行目"},
        {"billion laughs", laughs, "DOCTYPE宣言のあるﾌｧｲﾙは読み込めません"},
        {"external entity", external, "DOCTYPE宣言のあるﾌｧｲﾙは読み込めません"},
        {"other root", "<?xml version=\"1.0\"?><html><outline text=\"a\"/></html>", "opml要素がありません"},
        {"huge element", huge, "要素が大きすぎます"},
        {"truncated", "<opml><body><outline text=\"a\">", "no element found"},
        {"empty body", "<?xml version=\"1.0\"?><opml><body/></opml>", nullptr},
    };
    for (const Case& c : cases) {
        ImportSource source;
        size_t replaced = 0;
        FileResult result = ReadImportBytes(c.bytes, source, replaced);
        EXPECT_EQ(result.ok, c.error == nullptr) << c.name;
        if (c.error) {
            EXPECT_NE(U(result.message).find(c.error), std::string::npos) << c.name << ": " << U(result.message);
        }
        EXPECT_TRUE(c.error == nullptr || source.m_arrMemos.empty()) << c.name;
    }
}

TEST_F(Exchange, DeepNestingImportsAsDeepOutlines) {
    constexpr int depth = 100000;
    std::string opml = "<opml><body>";
    for (int i = 0; i < depth; ++i)
        opml += "<outline text=\"d\">";
    for (int i = 0; i < depth; ++i)
        opml += "</outline>";
    opml += "</body></opml>";
    std::string markdown;
    for (int i = 0; i < depth; ++i)
        markdown += "- ";
    markdown += "leaf\n";
    for (const std::string& bytes : {opml, markdown}) {
        doc().OnNewDocument();
        TreeItem* item = Add(root(), "T");
        ASSERT_TRUE(doc().ImportFile(Write("deep", bytes)).ok);
        int levels = 0;
        while (item->childCount() > 0) {
            item = item->child(0);
            ++levels;
        }
        EXPECT_GE(levels, 1000);
        EXPECT_EQ(doc().Memos().size(), static_cast<size_t>(levels) + 3);
        CheckBinding();
    }
}

TEST(ImportSniffing, ContentDecidesTheFormat) {
    const std::pair<std::string, ImportFormat> cases[] = {
        {"Version005\r", ImportFormat::Kdl},
        {"Versi", ImportFormat::Kdl},
        {"Version notes\n", ImportFormat::Markdown},
        {std::string("\x03\0\0\0", 4), ImportFormat::Kdl},
        {"", ImportFormat::Kdl},
        {"\x82\xA0\x82\xA2", ImportFormat::Kdl},
        {"<?xml version=\"1.0\"?><opml/>", ImportFormat::Opml},
        {"\xEF\xBB\xBF\n  <opml version=\"2.0\">", ImportFormat::Opml},
        {"<!-- c --><opml>", ImportFormat::Opml},
        {"# Title\n", ImportFormat::Markdown},
        {"<!-- note -->\nplain", ImportFormat::Markdown},
        {"\xE6\x97\xA5\xE6", ImportFormat::Markdown}, // cut inside a character
    };
    for (const auto& [head, format] : cases)
        EXPECT_EQ(SniffImportFormat(head), format) << head;
}

} // namespace
