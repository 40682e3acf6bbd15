#include "core/model/RecoveryStore.h"
#include "core/search/CKdListView.h"
#include "gui/common/Cp932Text.h"
#include "gui/search/FindModel.h"
#include "gui/search/FindPane.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/MemoPane.h"
#include "gui/tree/TitleStrip.h"
#include "gui/tree/TreeModel.h"
#include "gui/tree/TreePane.h"
#include "support/WindowFixture.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "core/base/FileOutput.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace kardel;
using namespace kardel::gui;

namespace {

void Select(MainWindow& w, const QString& title) {
    TreeItem* item = ItemTitled(w, title);
    QVERIFY2(item, qPrintable(title));
    w.treePane()->setCurrentIndex(w.treeModel()->IndexOf(item));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void everyCommandHasAnActionFromTheTable() {
        WindowFixture f;
        for (const CommandInfo& info : CommandTable::Commands()) {
            QAction* action = ActionOf(*f.window, info.id);
            QVERIFY2(action, qPrintable(QString::number(info.id)));
            if (info.id == ID_FILE_MRU_FILE1)
                continue; // shows the recent file instead
            if (info.menuText)
                QCOMPARE(action->text(), FromCp932(info.MenuText()));
            QCOMPARE(action->statusTip(), FromCp932(info.Prompt()));
            QCOMPARE(action->shortcuts().size(), qsizetype(info.keys.size()));
        }
        QCOMPARE(ActionOf(*f.window, ID_MEMO_UP)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Up));
        QStringList menus;
        for (QAction* a : f.window->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{Utf8("ﾌｧｲﾙ(&F)"), Utf8("編集(&E)"), Utf8("表示(&V)"), Utf8("Memo(&M)"),
                                     Utf8("ﾍﾙﾌﾟ(&H)")}));
        QCOMPARE(f.window->windowTitle(), Utf8("無題 - Kardel"));
        QCOMPARE(f.window->findChild<QToolBar*>("mainToolBar")->windowTitle(), Utf8("メイン"));
        QCOMPARE(f.window->findChild<QToolBar*>("treeToolBar")->windowTitle(), QStringLiteral("TreeView"));
        QCOMPARE(f.window->toolBarArea(f.window->findChild<QToolBar*>("treeToolBar")), Qt::LeftToolBarArea);
        QCOMPARE(f.window->findChild<QLabel*>("readyLabel")->text(), Utf8("ﾚﾃﾞｨ"));
        QCOMPARE(f.window->findChild<QAction*>("memoContextMemoEmptyTrash")->text(), Utf8("ごみ箱を空に"));
    }

    void keysReachTheCoreAndDisabledKeysDoNothing() {
        WindowFixture f;
        f.window->show();
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        const size_t count = f.window->doc().Memos().size();

        // The root cannot go to the trash: the key is ignored, whatever pane has the focus.
        Select(*f.window, "demo");
        f.window->treePane()->setFocus();
        QTRY_VERIFY(!ActionOf(*f.window, ID_MEMO_TO_TRASH)->isEnabled());
        QTest::keyClick(f.window->treePane(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.window->doc().Memos().size(), count);

        // Copy and paste a subtree with the keys.
        Select(*f.window, Utf8("買い物"));
        QTest::keyClick(f.window->treePane(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.window->doc().Clip().size(), size_t(3));
        Select(*f.window, Utf8("アイデア"));
        QTRY_VERIFY(ActionOf(*f.window, ID_MEMO_PASTE)->isEnabled());
        QTest::keyClick(f.window->treePane(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.window->doc().Memos().size(), count + 3);
        QVERIFY(f.window->doc().IsModified());

        // Printing is off outside MemoView, so Ctrl+P opens nothing from the tree.
        QVERIFY(!ActionOf(*f.window, ID_FILE_PRINT)->isEnabled());

        // Ctrl+Tab: TreeView to MemoView and back.
        QTest::keyClick(f.window->treePane(), Qt::Key_Tab, Qt::ControlModifier);
        QTRY_COMPARE(f.window->ActivePane(), IMainFrame::Pane::MemoView);
        QTRY_VERIFY(ActionOf(*f.window, ID_FILE_PRINT)->isEnabled());
        QTRY_VERIFY(ActionOf(*f.window, ID_INSERT_DATE)->isEnabled());
        ActionOf(*f.window, ID_PANE_SWITCH)->trigger();
        QTRY_COMPARE(f.window->ActivePane(), IMainFrame::Pane::TreeView);
    }

    void undoAndRedoOfMemoOperationsByMenuAndKeys() {
        WindowFixture f;
        f.window->show();
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        QAction* undo = ActionOf(*f.window, ID_MEMO_UNDO);
        QAction* redo = ActionOf(*f.window, ID_MEMO_REDO);
        QVERIFY(f.window->findChild<QMenu*>("menu1")->actions().contains(undo));
        QVERIFY(f.window->findChild<QMenu*>("menu1")->actions().contains(redo));
        QVERIFY(f.window->findChild<QMenu*>("memoContextPopup")->actions().contains(undo));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), Utf8("元に戻す\tCtrl+Z"));

        Select(*f.window, Utf8("買い物"));
        TreeItem* trash = f.window->session().m_treeView.m_hTrash;
        f.window->treePane()->setFocus();
        QTest::keyClick(f.window->treePane(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(ItemTitled(*f.window, Utf8("買い物"))->parent(), trash);
        QTRY_VERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), Utf8("元に戻す: ごみ箱へ移動\tCtrl+Z"));
        QCOMPARE(undo->statusTip(), Utf8("元に戻す: ごみ箱へ移動"));
        QVERIFY(!redo->isEnabled());

        QTest::keyClick(f.window->treePane(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(ItemTitled(*f.window, Utf8("買い物"))->parent() != trash);
        QVERIFY(!f.window->doc().IsModified()); // back where it was opened
        QTRY_VERIFY(redo->isEnabled());
        QCOMPARE(redo->text(), Utf8("やり直し: ごみ箱へ移動\tCtrl+Y"));
        QTest::keyClick(f.window->treePane(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ItemTitled(*f.window, Utf8("買い物"))->parent(), trash);
        QVERIFY(f.window->doc().IsModified());
        QTest::keyClick(f.window->treePane(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(f.window->treePane(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ItemTitled(*f.window, Utf8("買い物"))->parent(), trash);

        // MemoView keeps Ctrl+Z for its text.
        MemoPane* memo = f.window->memoPane();
        memo->setFocus();
        QTRY_COMPARE(f.window->ActivePane(), IMainFrame::Pane::MemoView);
        QTest::keyClicks(memo, QStringLiteral("xyz"));
        QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!memo->toPlainText().contains(QStringLiteral("xyz")));
        QCOMPARE(ItemTitled(*f.window, Utf8("買い物"))->parent(), trash);
        QVERIFY(undo->isEnabled()); // the menu item still undoes the memo operation
        undo->trigger();
        QVERIFY(ItemTitled(*f.window, Utf8("買い物"))->parent() != trash);
    }

    void selectingAMemoLoadsMemoViewAndTheTitleStrip() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("demo.kdl - Kardel"));
        Select(*f.window, Utf8("食料品"));
        QCOMPARE(f.window->memoPane()->toPlainText(), Utf8("牛乳\n卵\nパン\nりんご\n"));
        QCOMPARE(FromCp932(f.window->session().m_titleView.m_strTitle), Utf8("食料品"));
        QCOMPARE(FromCp932(f.window->session().m_titleView.m_strKind), Utf8("メモ"));
        QVERIFY(!f.window->memoPane()->document()->isUndoAvailable());

        // An overdue memo: red title and the due mark over its tree icon.
        Select(*f.window, Utf8("締め切り間近"));
        QCOMPARE(f.window->session().m_titleView.m_bDueAlert, 1);
        TreeItem* item = ItemTitled(*f.window, Utf8("締め切り間近"));
        QVERIFY(f.window->treeModel()->IndexOf(item).data(TreeModel::DueMarkRole).toBool());

        // Selecting away without a change leaves the document unmodified.
        Select(*f.window, Utf8("食料品"));
        QVERIFY(!f.window->doc().IsModified());
        QCOMPARE(f.window->lowerSplitter()->sizes().value(0), CTitleView::kShortHeight);
    }

    void searchShowsFindViewAtTheRequestedHeightAndHeadersSort() {
        WindowFixture f;
        f.window->resize(900, 700);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        QCOMPARE(f.window->rightSplitter()->sizes().value(0), 0);
        f.dialogs.onFindSheet = [](CFindCondition& c, const CDocOptions&, bool) {
            c.ResetToAllMemos();
            return true;
        };
        ActionOf(*f.window, ID_FIND)->trigger();
        CKdListView& list = f.window->session().m_findView;
        QVERIFY(list.RowCount() > 3);
        const int rowHeight = f.window->findChild<FindPane*>()->sizeHintForRow(0);
        const int expected = std::min(rowHeight * (list.RowCount() + 2), f.window->TreeClientHeight() / 4);
        QTRY_COMPARE(f.window->rightSplitter()->sizes().value(0), expected);
        QVERIFY(!ActionOf(*f.window, ID_VIEW_NORMAL)->isEnabled());

        // Header click on the title column sorts by title.
        auto* pane = f.window->findChild<FindPane*>();
        QHeaderView* header = pane->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        QStringList titles;
        for (int row = 0; row < pane->model()->rowCount(); ++row)
            titles << pane->model()->index(row, 0).data().toString();
        QStringList sorted = titles;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return ToCp932(a) < ToCp932(b); });
        QVERIFY(titles == sorted || titles == QStringList(sorted.rbegin(), sorted.rend()));

        // Memo only, then normal: FindView comes back at its height.
        ActionOf(*f.window, ID_VIEW_MEMO_ONLY)->trigger();
        QCOMPARE(f.window->TreeWidth(), 0);
        QCOMPARE(f.window->FindHeight(), 0);
        ActionOf(*f.window, ID_VIEW_NORMAL)->trigger();
        QCOMPARE(f.window->FindHeight(), expected);
        QVERIFY(f.window->TreeWidth() > 0);
    }

    void draggingAMemoOntoAnotherMovesOrCopies() {
        WindowFixture f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        TreePane* pane = f.window->treePane();
        const size_t count = f.window->doc().Memos().size();
        auto drag = [&](const QString& from, const QString& to, bool copy) {
            TreeItem* source = ItemTitled(*f.window, from);
            TreeItem* target = ItemTitled(*f.window, to);
            pane->onBeginDrag(source);
            pane->onDragOver(target);
            pane->onDrop(target, copy);
        };
        drag(Utf8("食料品"), Utf8("旅行の計画"), true);
        QCOMPARE(f.window->doc().Memos().size(), count + 1);
        QVERIFY(ItemTitled(*f.window, Utf8("食料品")));
        TreeItem* trip = ItemTitled(*f.window, Utf8("旅行の計画"));
        QCOMPARE(trip->childCount(), 1);

        drag(Utf8("文房具"), Utf8("旅行の計画"), false);
        QCOMPARE(f.window->doc().Memos().size(), count + 1);
        trip = ItemTitled(*f.window, Utf8("旅行の計画"));
        QCOMPARE(trip->childCount(), 2);
        QCOMPARE(ItemTitled(*f.window, Utf8("買い物"))->childCount(), 1);

        // Released outside the tree before any item was under the cursor: nothing changes.
        pane->onBeginDrag(ItemTitled(*f.window, Utf8("週次報告")));
        pane->onDragEndedOutside(false);
        QCOMPARE(ItemTitled(*f.window, Utf8("仕事"))->childCount(), 3);
        // After hovering an item, releasing over another pane drops onto that item.
        pane->onBeginDrag(ItemTitled(*f.window, Utf8("週次報告")));
        pane->onDragOver(ItemTitled(*f.window, Utf8("読みたい本")));
        pane->onDragOver(nullptr);
        pane->onDragEndedOutside(false);
        QCOMPARE(ItemTitled(*f.window, Utf8("仕事"))->childCount(), 2);
        QCOMPARE(ItemTitled(*f.window, Utf8("読みたい本"))->childCount(), 1);
        QCOMPARE(f.window->doc().Memos().size(), count + 1);
    }

    void openEditSaveReopen() {
        QTemporaryDir dir;
        const QString path = dir.filePath("saved.kdl");
        {
            WindowFixture f;
            QVERIFY(f.window->OpenFile(DemoPath()));
            Select(*f.window, Utf8("食料品"));
            f.window->memoPane()->selectAll();
            f.window->memoPane()->insertPlainText(Utf8("バター")); // typed
            f.fileDialogs.m_answers = {path.toStdString()};
            ActionOf(*f.window, ID_FILE_SAVE_AS)->trigger();
            QVERIFY(QFile::exists(path));
            QCOMPARE(f.window->windowTitle(), QStringLiteral("saved.kdl - Kardel"));
            QVERIFY(!f.window->doc().IsModified());
        }
        WindowFixture g;
        QVERIFY(g.window->OpenFile(path));
        Select(*g.window, Utf8("食料品"));
        QCOMPARE(g.window->memoPane()->toPlainText(), Utf8("バター"));
        QCOMPARE(FromCp932(g.window->doc().Memo(0)->m_strTitle), QStringLiteral("saved"));
    }

    void aDocumentsOwnIconsDoNotLayTheTreeOutTwice() {
        QTemporaryDir dir;
        const QString path = dir.filePath("icons.kdl");
        {
            WindowFixture f;
            QVERIFY(f.window->OpenFile(DemoPath()));
            f.window->doc().m_options.m_strIconFile[0] = "/nowhere/def1.ico";
            f.fileDialogs.m_answers = {path.toStdString()};
            ActionOf(*f.window, ID_FILE_SAVE_AS)->trigger();
        }
        WindowFixture g;
        int resets = 0;
        int layouts = 0;
        connect(g.window->treeModel(), &QAbstractItemModel::modelReset, this, [&] { ++resets; });
        connect(g.window->treeModel(), &QAbstractItemModel::layoutChanged, this, [&] { ++layouts; });
        QVERIFY(g.window->OpenFile(path));
        QCOMPARE(g.window->doc().m_options.m_strIconFile[0], std::string("/nowhere/def1.ico"));
        // The icons are in place when the reset shows the rows; a layout change on top
        // would lay a large outline out a second time.
        QCOMPARE(resets, 1);
        QCOMPARE(layouts, 0);
    }

    void recoveryCopyFollowsEditsAndChangesOutsideAreNoticed() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("recovery");
        RecoveryStore store(folder.toStdString());
        auto copies = [&] { return QDir(folder).entryList({QStringLiteral("*.kdl")}, QDir::Files).size(); };
        qputenv("KARDEL_RECOVERY_DELAY_MS", "50");
        WindowFixture f;
        f.window->EnableRecovery(store);
        const QString path = DemoPath();
        QVERIFY(f.window->OpenFile(path));
        const size_t memos = f.window->doc().Memos().size();
        Select(*f.window, Utf8("食料品"));
        f.window->memoPane()->insertPlainText(QStringLiteral("typed"));
        QTRY_COMPARE(copies(), 1);

        auto touch = [&path] {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("x");
        };
        touch(); // with typed text unsaved: told once, nothing replaced
        QTRY_COMPARE(f.messages.m_shown.size(), size_t(1));
        QVERIFY(f.messages.m_asked.empty());
        f.messages.m_answer = IMessageBox::Answer::Yes; // overwrite
        ActionOf(*f.window, ID_FILE_SAVE)->trigger();
        QCOMPARE(f.messages.m_asked.size(), size_t(1));
        QVERIFY(!f.window->doc().IsModified());
        QTRY_COMPARE(copies(), 0);

        QFile::remove(path);
        QVERIFY(QFile::copy(QStringLiteral(KARDEL_SOURCE_DIR "/res/demo/demo.kdl"), path));
        QTRY_COMPARE(f.messages.m_asked.size(), size_t(2)); // unchanged here: read it again?
        QCOMPARE(f.window->doc().Memos().size(), memos);
        TreeItem* item = ItemTitled(*f.window, Utf8("食料品"));
        QVERIFY(f.window->doc().Memo(item->value())->m_strBody.find("typed") == std::string::npos);
        QVERIFY(!f.window->doc().IsModified());
        QCOMPARE(f.messages.m_shown.size(), size_t(1));
        f.messages.m_answer = IMessageBox::Answer::No;
        qunsetenv("KARDEL_RECOVERY_DELAY_MS");
    }

    // A save the file system refuses is said in a message box and replaces nothing;
    // a save ended by a signal leaves no temporary file beside the document.
    void refusedAndInterruptedSavesLeaveTheFilesAsTheyWere() {
        QTemporaryDir dir;
        const QString readOnly = dir.filePath("ro.kdl"), fresh = dir.filePath("fresh.kdl");
        QFile::copy(DemoPath(), readOnly);
        auto bytesOf = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
        };
        const QByteArray before = bytesOf(readOnly);
        // Root writes anything with a write bit: only a file without any is read-only to it.
        QFile::setPermissions(readOnly, ::geteuid() == 0 ? QFile::Permissions() : QFile::ReadOwner);
        WindowFixture f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        f.window->doc().SetModifiedFlag(true);
        auto saveAs = [&](const QString& path) {
            f.messages.m_shown.clear();
            f.fileDialogs.m_answers = {path.toStdString()};
            ActionOf(*f.window, ID_FILE_SAVE_AS)->trigger();
            return f.messages.m_shown.empty() ? QString() : FromCp932(f.messages.m_shown.back());
        };
        QCOMPARE(saveAs(readOnly), readOnly + Utf8(" は使用中または読み取り専用のため、書き込めません。"));
        QFile::setPermissions(readOnly, QFile::ReadOwner);
        QCOMPARE(bytesOf(readOnly), before);
        SetWriteFaultForTesting(WriteFault{WriteFault::Step::Write, 0, ENOSPC});
        QCOMPARE(saveAs(fresh), fresh + Utf8(" へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"));
        SetWriteFaultForTesting(std::nullopt);
        QVERIFY(f.window->doc().IsModified());

        for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
            pid_t child = ::fork();
            if (child == 0) {
                ::alarm(10);
                for (int other : {SIGTERM, SIGINT, SIGHUP})
                    ::signal(other, SIG_DFL); // as in the window: QtTest's own handler is not there

                SetWriteFaultForTesting(WriteFault{WriteFault::Step::Write, 100, 0, sig});
                saveAs(fresh);
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
            QCOMPARE(WTERMSIG(status), sig);
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList{QStringLiteral("ro.kdl")});
        }
    }

    void textOutsideShiftJisIsStoredAsQuestionMarksAndSaid() {
        WindowFixture f;
        f.window->show();
        f.window->memoPane()->setPlainText(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                             "b\nc"));
        f.window->doc().UpdateAllViews(nullptr, HintStoreText, nullptr);
        QCOMPARE(f.window->doc().Memo(0)->m_strBody, std::string("a?b\r\nc"));
        QVERIFY(f.window->statusBar()->currentMessage().contains(QStringLiteral("?")));
    }

    void treeModelStaysConsistentThroughEdits() {
        WindowFixture f;
        QAbstractItemModelTester tester(f.window->treeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(f.window->OpenFile(DemoPath()));
        Select(*f.window, Utf8("仕事"));
        for (int id : {ID_MEMO_DUPLICATE, ID_MEMO_DOWN, ID_MEMO_UP, ID_MEMO_LEVEL_DOWN, ID_MEMO_LEVEL_UP, ID_MEMO_COPY,
                       ID_MEMO_PASTE, ID_MEMO_TO_TRASH, ID_EXPAND_ALL, ID_COLLAPSE_ALL})
            f.window->ExecuteCommand(id);
        // Undo and redo replay the edits through the same model notifications.
        while (f.window->doc().History().CanUndo())
            f.window->ExecuteCommand(ID_MEMO_UNDO);
        while (f.window->doc().History().CanRedo())
            f.window->ExecuteCommand(ID_MEMO_REDO);
        f.messages.m_answer = IMessageBox::Answer::Yes;
        f.window->ExecuteCommand(ID_MEMO_EMPTY_TRASH);
        QCOMPARE(f.window->session().m_treeView.m_hTrash->childCount(), 0);
        f.messages.m_answer = IMessageBox::Answer::No; // do not save the edits
        QVERIFY(f.window->OpenFile(DemoPath()));
        QCOMPARE(f.window->treeModel()->rowCount(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
