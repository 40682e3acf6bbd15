#include "core/shell/FramePlacement.h"
#include "gui/common/Cp932Text.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/MemoPane.h"
#include "gui/tree/TreeModel.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

// What the window remembers and restores: the recent files, the bars, its place on the
// screens; the prompts of greyed menu items; the printed page.
class WindowStateTest : public QObject {
    Q_OBJECT
private:
    static QAction* Recent(MainWindow& w, int i) {
        return w.findChild<QAction*>(ActionRegistry::ObjectName(QStringLiteral("action"), ID_FILE_MRU_FILE1 + i));
    }

private slots:
    void theRecentMenuOpensWhatItShowsAndTheOpenFileOnlyComesForward() {
        const QString demo = DemoPath();
        QTemporaryDir dir;
        const QString other = dir.filePath("dir.kdl");
        QVERIFY(QFile::copy(demo, other));
        QtSettingsStore::SetRecentFiles({QString(), demo, QString(), demo, other});
        WindowFixture f;
        QCOMPARE(Recent(*f.window, 0)->text(), QStringLiteral("&1 demo.kdl"));
        QCOMPARE(Recent(*f.window, 0)->statusTip(), demo);
        QCOMPARE(Recent(*f.window, 1)->text(), QStringLiteral("&2 dir.kdl"));
        QCOMPARE(Recent(*f.window, 1)->statusTip(), other);
        QVERIFY(Recent(*f.window, 1)->isVisible());
        QVERIFY(!Recent(*f.window, 2)->isVisible());
        Recent(*f.window, 1)->trigger();
        QCOMPARE(QString::fromStdString(f.window->doc().m_strPathName), other);

        // dir.kdl is now entry 1; choosing it again keeps what was typed and asks nothing.
        f.window->memoPane()->insertPlainText(QStringLiteral("typed"));
        f.messages.m_asked.clear();
        QCOMPARE(Recent(*f.window, 0)->statusTip(), other);
        Recent(*f.window, 0)->trigger();
        QVERIFY(f.messages.m_asked.empty());
        QVERIFY(f.window->memoPane()->toPlainText().contains(QStringLiteral("typed")));
        QtSettingsStore::SetRecentFiles({});
    }

    // Another program leaves the open file unreadable and the user asks to read it again:
    // the error is shown and the window keeps the outline, unsaved.
    void aFileThatNoLongerReadsLeavesTheOutlineInTheWindow() {
        const QString path = DemoPath();
        WindowFixture f;
        QVERIFY(f.window->OpenFile(path));
        const size_t memos = f.window->doc().Memos().size();
        const QModelIndex root = f.window->treeModel()->index(0, 0);
        const int shownBelowRoot = f.window->treeModel()->rowCount(root);
        QVERIFY(memos > 2 && shownBelowRoot > 0);
        f.messages.m_answer = IMessageBox::Answer::Yes;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("written elsewhere");
        }
        QTRY_COMPARE(f.messages.m_shown.size(), size_t(1));
        QCOMPARE(f.messages.m_asked.size(), size_t(1));
        QCOMPARE(f.window->doc().Memos().size(), memos);
        QCOMPARE(f.window->treeModel()->rowCount(f.window->treeModel()->index(0, 0)), shownBelowRoot);
        QCOMPARE(QString::fromStdString(f.window->doc().m_strPathName), path);
        QVERIFY(f.window->doc().IsModified());
    }

    // The open file deleted by another program: said once, and the window's outline is unsaved.
    void aFileDeletedElsewhereLeavesTheWindowUnsaved() {
        const QString path = DemoPath();
        WindowFixture f;
        QVERIFY(f.window->OpenFile(path));
        QVERIFY(!f.window->doc().IsModified());
        QVERIFY(QFile::remove(path));
        QTRY_COMPARE(f.messages.m_shown.size(), size_t(1));
        QVERIFY(f.window->doc().IsModified());
    }

    void theStatusBarComesBackAsItWasLeft() {
        for (bool shown : {false, true}) {
            {
                WindowFixture f;
                if (f.window->IsStatusBarVisible() != shown)
                    f.window->ExecuteCommand(ID_VIEW_STATUS_BAR);
                QCOMPARE(f.window->IsStatusBarVisible(), shown);
                QVERIFY(f.window->fileCommands().SaveModified()); // saves the bars' state
            }
            WindowFixture g;
            g.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(g.window.get()));
            QCOMPARE(g.window->statusBar()->isVisible(), shown);
            g.window->RefreshActions();
            QCOMPARE(g.window->actions().Action(ID_VIEW_STATUS_BAR)->isChecked(), shown);
        }
    }

    void aStoredPlaceOffEveryScreenIsMadeReachable() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        struct Row {
            QPoint topLeft;
            int treeWidth;
        } rows[] = {
            {{-5000, -5000}, -40},
            {{screen.right() - 100, screen.top() + 10}, 5000},
            {{screen.left() + 5, screen.top() + 5}, 120},
        };
        for (const Row& row : rows) {
            FrameGeometry p;
            p.left = row.topLeft.x();
            p.top = row.topLeft.y();
            p.right = p.left + 400;
            p.bottom = p.top + 300;
            p.treeWidth = row.treeWidth;
            f.window->ApplyPlacement(p);
            const QRect g = f.window->geometry();
            QCOMPARE(g.size(), QSize(400, 300));
            QVERIFY2(screen.contains(QRect(g.topLeft(), QSize(200, 30))), qPrintable(QString::number(p.left)));
            // Both sides of the splitter keep a share (the exact widths are the core's to test).
            QTRY_VERIFY(f.window->TreeWidth() > 0);
            QVERIFY(f.window->TreeWidth() <= 400 - FramePlacement::kMinMemoWidth);
            QVERIFY(f.window->outerSplitter()->sizes().value(1) > 0);
        }
    }

    void aGreyedMenuItemShowsItsPromptWhenHighlighted() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QAction* paste = f.window->actions().Action(ID_MEMO_PASTE);
        QMenu* menu = nullptr;
        for (QMenu* m : f.window->findChildren<QMenu*>())
            if (m->objectName().startsWith(QStringLiteral("menu")) && m->actions().contains(paste))
                menu = m;
        QVERIFY(menu);
        f.window->menuBar()->setActiveAction(menu->menuAction()); // opened from the menu bar
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!paste->isEnabled()); // the memo clipboard is empty
        const QPoint target = menu->actionGeometry(paste).center();
        for (int i = 0; i < 8; ++i) // a menu takes the pointer only once it has moved
            QTest::mouseMove(menu, target + QPoint(i % 2, 0));
        QTRY_COMPARE(menu->activeAction(), paste);
        QCOMPARE(f.window->statusBar()->currentMessage(), FromCp932(CommandTable::Find(ID_MEMO_PASTE)->Prompt()));
        menu->hide();
    }

    void printingInsetsAThirdOfAnInchAndLosesNothing() {
        WindowFixture f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        const QString wide = QStringLiteral("W123456789").repeated(9); // 90 characters
        QString text;
        for (int i = 0; i < 150; ++i)
            text += QStringLiteral("line %1\n").arg(i, 3, 10, QLatin1Char('0'));
        text += wide + QLatin1Char('\n');
        f.window->memoPane()->setPlainText(text);
        QTemporaryDir dir;
        QPrinter& printer = f.window->printer(); // the one the print dialog and page set-up use
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("memo.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        f.window->memoPane()->PrintTo(printer);

        auto run = [](const QStringList& args) {
            QProcess process;
            process.start(QStringLiteral("pdftotext"), args);
            process.waitForFinished(20000);
            return QString::fromUtf8(process.readAllStandardOutput());
        };
        const QString out = run({"-layout", dir.filePath("memo.pdf"), "-"});
        const QStringList pages = out.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
        for (int page = 0; page < pages.size(); ++page)
            QVERIFY2(pages[page].simplified().startsWith(
                         FromCp932(f.window->session().m_memoView.PrintHeader(page + 1)).simplified()),
                     qPrintable(pages[page].left(200)));
        QVERIFY(pages[0].contains(QStringLiteral("File = demo.kdl")));
        // Every line once, the wide one unbroken.
        QRegularExpression numbered(QStringLiteral("line (\\d{3})"));
        QList<int> seen;
        for (auto it = numbered.globalMatch(out); it.hasNext();)
            seen << it.next().captured(1).toInt();
        QCOMPARE(seen.size(), 150);
        for (int i = 0; i < 150; ++i)
            QCOMPARE(seen[i], i);
        QVERIFY2(out.contains(wide), qPrintable(out.right(400)));

        // The text column starts a third of an inch (24 points) inside the printable area.
        const QString boxes = run({"-bbox", dir.filePath("memo.pdf"), "-"});
        QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\"[^>]*>line</word>"));
        QRegularExpressionMatch first = word.match(boxes);
        QVERIFY(first.hasMatch());
        const double left = printer.pageLayout().paintRect(QPageLayout::Point).left();
        QVERIFY2(std::abs(first.captured(1).toDouble() - (left + 24)) < 2, qPrintable(first.captured(1)));
    }
};

QTEST_MAIN(WindowStateTest)
#include "WindowStateTest.moc"
