#include "core/model/CMemoItem.h"
#include "core/model/ShownTitle.h"
#include "gui/common/Cp932Text.h"
#include "gui/search/FindModel.h"
#include "gui/search/FindPane.h"
#include "gui/tree/TitleStrip.h"
#include "gui/tree/TreeModel.h"
#include "gui/tree/TreePane.h"
#include "support/WindowFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {

// A document written by the core: `depth` open folders each inside the previous, the deepest
// memo selected, and under the root a memo titled `title` when one is given.
QString WriteDocument(const QString& path, size_t depth, const std::string& title = {}) {
    HeadlessSession session;
    CKardelDoc& doc = session.doc();
    CKdTreeView& view = session.treeView();
    doc.OnNewDocument();
    auto add = [&](TreeItem* parent, std::int32_t kind, const std::string& text) {
        auto memo = std::make_unique<CMemoItem>(kind);
        memo->m_strTitle = text;
        doc.AppendMemo(std::move(memo));
        TreeItem* item = view.InsertMemoItem(parent, TreeControl::Where::First, nullptr, text, kind,
                                             static_cast<std::int32_t>(doc.Memos().size() - 1));
        view.Tree().Expand(parent, true);
        return item;
    };
    view.m_bNoParentRefreshOnInsert = true;
    TreeItem* deepest = view.Tree().GetRoot();
    for (size_t i = 0; i < depth; ++i)
        deepest = add(deepest, i + 1 < depth ? KindOpenFolder : KindMemo, "level " + std::to_string(i));
    if (!title.empty())
        add(view.Tree().GetRoot(), KindMemo, title);
    view.m_bNoParentRefreshOnInsert = false;
    view.Tree().Select(deepest);
    return doc.OnSaveDocument(path.toStdString()).ok ? path : QString();
}

} // namespace

// Documents nobody would write by hand open, show and keep what they hold.
class HostileDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void aDeepChainOfOpenFoldersOpensAndKeepsItsStates() {
        QTemporaryDir dir;
        const size_t depth = 50000; // far beyond what a recursive layout survives
        const QString path = WriteDocument(dir.filePath("chain.kdl"), depth);
        QVERIFY(!path.isEmpty());
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(path));
        QCoreApplication::processEvents();
        f.window->grab(); // lays out and paints everything shown

        TreePane* pane = f.window->treePane();
        TreeModel* model = f.window->treeModel();
        std::vector<TreeItem*> chain{f.window->session().m_treeView.Tree().GetRoot()};
        while (chain.back()->childCount() > 0)
            chain.push_back(chain.back()->child(0));
        QCOMPARE(chain.size(), depth + 1); // the root and the chain below it
        // The view opens as deep as it lays out; the core keeps every folder open.
        QVERIFY(pane->isExpanded(model->IndexOf(chain[TreePane::kMaxShownDepth - 1])));
        QVERIFY(!pane->isExpanded(model->IndexOf(chain[TreePane::kMaxShownDepth])));
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            QVERIFY2(chain[i]->expanded(), qPrintable(QString::number(i)));
        // The selected memo is the deepest; the view stands for it with its deepest shown ancestor.
        QCOMPARE(f.window->session().m_treeView.Tree().GetCaret(), chain.back());
        QCOMPARE(pane->currentIndex(), model->IndexOf(chain[TreePane::kMaxShownDepth]));

        // Opening a folder below that depth by hand leaves it closed in the view and open in the core;
        // opening and closing everything does not take the window down either.
        pane->expand(model->IndexOf(chain[TreePane::kMaxShownDepth]));
        QVERIFY(!pane->isExpanded(model->IndexOf(chain[TreePane::kMaxShownDepth])));
        QVERIFY(chain[TreePane::kMaxShownDepth]->expanded());
        f.window->ExecuteCommand(ID_COLLAPSE_ALL);
        f.window->ExecuteCommand(ID_EXPAND_ALL);
        f.window->grab();
        QVERIFY(pane->isExpanded(model->IndexOf(chain[TreePane::kMaxShownDepth - 1])));
    }

    void aHugeTitleIsCutWhereverItIsShownAndKeptWhole() {
        QTemporaryDir dir;
        std::string title;
        while (title.size() < (1u << 20))
            title += "\x82\xa0"
                     "abc"; // "あabc"
        const QString path = WriteDocument(dir.filePath("title.kdl"), 1, title);
        QVERIFY(!path.isEmpty());
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(path));
        TreeItem* item = f.window->session().m_treeView.Tree().GetRoot()->child(0);
        QCOMPARE(f.window->session().m_treeView.Tree().GetItemText(item).size(), title.size());
        const QString shown = FromCp932(ShownTitle::Cut(title));
        QCOMPARE(shown.size(), qsizetype(ShownTitle::kMaxChars + 1));
        QVERIFY(shown.endsWith(QChar(0x2026)));

        QCOMPARE(f.window->treeModel()->IndexOf(item).data().toString(), shown);
        f.window->treePane()->setCurrentIndex(f.window->treeModel()->IndexOf(item));
        QCOMPARE(f.window->titleStrip()->TitleText(), shown);
        f.dialogs.onFindSheet = [](CFindCondition& c, const CDocOptions&, bool) {
            c.ResetToAllMemos();
            return true;
        };
        f.window->ExecuteCommand(ID_FIND);
        auto* find = f.window->findChild<FindPane*>();
        QStringList cells;
        for (int row = 0; row < find->model()->rowCount(); ++row)
            cells << find->model()->index(row, 0).data().toString();
        QVERIFY2(cells.contains(shown), qPrintable(QString::number(cells.size())));
        f.window->grab();

        // Selecting away stores nothing into the memo: its title is whole.
        f.window->treePane()->setCurrentIndex(f.window->treeModel()->IndexOf(item->parent()));
        QCOMPARE(f.window->doc().Memo(item->value())->m_strTitle, title);
        QVERIFY(!f.window->doc().IsModified());
    }
};

QTEST_MAIN(HostileDocumentTest)
#include "HostileDocumentTest.moc"
