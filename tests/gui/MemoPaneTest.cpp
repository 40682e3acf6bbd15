#include "gui/shell/MemoPane.h"
#include "gui/common/Cp932Text.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/SingleInstance.h"
#include "gui/tree/TreePane.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

class MemoPaneTest : public QObject {
    Q_OBJECT
private slots:
    void loadingLeavesNothingToUndoAndKeepsTheBytes() {
        MemoPane pane;
        // A lone LF and bytes that are not valid Shift-JIS survive a load and a store untouched.
        const std::string body = std::string("a\nb\r\nc\x81", 6);
        pane.LoadText(body);
        QVERIFY(!pane.CanUndo());
        QCOMPARE(pane.GetText(), body);
        pane.insertPlainText("x");
        QVERIFY(pane.CanUndo());
        QCOMPARE(pane.GetText().substr(0, 1), std::string("x"));
        pane.LoadText("line1\r\nline2");
        QCOMPARE(pane.toPlainText(), QStringLiteral("line1\nline2"));
        pane.selectAll();
        QCOMPARE(pane.GetSelectedText(), std::string("line1\r\nline2"));
    }

    void droppedFilesBecomeReferences() {
        WindowFixture f;
        MemoPane* pane = f.window->memoPane();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/tmp/a b.txt"), QUrl::fromLocalFile(Utf8("/tmp/メモ.txt"))});
        QDragEnterEvent enterMemo(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pane->viewport(), &enterMemo);
        QVERIFY(enterMemo.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pane->viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(pane->toPlainText(), Utf8("file:///tmp/a b.txt file:///tmp/メモ.txt"));
        pane->undo();
        QCOMPARE(pane->toPlainText(), QStringLiteral("file:///tmp/a b.txt"));

        // The tree ignores dropped files.
        const size_t count = f.window->doc().Memos().size();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.window->treePane()->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
        QCOMPARE(f.window->doc().Memos().size(), count);
    }

    void contextMenuGraysOnlyUrlAndMail() {
        WindowFixture f;
        MemoPane* pane = f.window->memoPane();
        pane->setPlainText("see http://example.org/ now");
        QMenu* menu = f.window->memoViewContextMenu();
        auto find = [&](int id) { return f.window->findChild<QAction*>(ActionRegistry::ObjectName(QStringLiteral("memoView"), id)); };
        QTextCursor cursor = pane->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(23, QTextCursor::KeepAnchor);
        pane->setTextCursor(cursor);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), pane->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(pane->viewport(), &event);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(find(ID_OPEN_URL)->isEnabled());
        QVERIFY(!find(ID_SEND_MAIL)->isEnabled());
        QVERIFY(find(ID_EDIT_UNDO)->isEnabled()); // not updated: stays enabled
        find(ID_OPEN_URL)->trigger();
        QCOMPARE(f.shell.m_opened, std::vector<std::string>{"http://example.org/"});
        menu->hide();
    }

    // A printer's file never replaces the document, and a file that cannot be written is
    // reported, not taken for printed.
    void printingToAFileThatCannotTakeItSaysSo() {
        const QString path = DemoPath();
        QTemporaryDir dir;
        WindowFixture f;
        QVERIFY(f.window->OpenFile(path));
        const QByteArray before = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        for (const QString& target : {path, dir.filePath("no-such-folder/memo.pdf")}) {
            printer.setOutputFileName(target);
            f.window->memoPane()->PrintOrReport(printer);
        }
        QCOMPARE(f.messages.m_shown.size(), size_t(2));
        QVERIFY(FromCp932(f.messages.m_shown[0]).contains(Utf8("出力元のﾄﾞｷｭﾒﾝﾄ自身")));
        QVERIFY(FromCp932(f.messages.m_shown[1]).endsWith(Utf8("memo.pdf に印刷できませんでした。")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void printsTheHeaderOnEveryPage() {
        WindowFixture f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        QString text;
        for (int i = 0; i < 120; ++i)
            text += QStringLiteral("line %1\n").arg(i);
        f.window->memoPane()->setPlainText(text);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("memo.pdf"));
        f.window->memoPane()->PrintTo(printer);
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", dir.filePath("memo.pdf"), "-"});
        QVERIFY(pdftotext.waitForFinished(20000));
        const QString out = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // The layout spreads the header's blanks; the exact text is the core's to test.
        QVERIFY2(out.simplified().contains(Utf8("Title = はじめに File = demo.kdl Page = 1")),
                 qPrintable(out.left(300)));
        QVERIFY(out.contains(Utf8("Page = 2")));
        QVERIFY(out.contains(QStringLiteral("line 119")));
    }

    void printHeaderOfANewDocumentNamesUntitled() {
        WindowFixture f;
        QCOMPARE(FromCp932(f.window->session().m_memoView.PrintHeader(1)), Utf8("Title = Data  File = 無題  Page = 1"));
    }

    void aSecondInstanceHandsOverAFileTheFirstHolds() {
        // The holder answers on a thread of its own, as another process would.
        QThread thread;
        auto* holder = new SingleInstance;
        holder->moveToThread(&thread);
        thread.start();
        bool listening = false;
        QMetaObject::invokeMethod(
            holder,
            [holder, &listening] {
                listening = holder->Listen([](const QString& path) { return path == "/docs/held.kdl"; });
            },
            Qt::BlockingQueuedConnection);
        QVERIFY(listening);
        SingleInstance asker;
        QVERIFY(asker.OfferToOthers("/docs/held.kdl"));
        QVERIFY(!asker.OfferToOthers("/docs/HELD.kdl")); // letter case counts
        QVERIFY(!asker.OfferToOthers("/docs/other.kdl"));
        QMetaObject::invokeMethod(
            holder, [holder] { delete holder; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        QVERIFY(!asker.OfferToOthers("/docs/held.kdl"));
    }
};

QTEST_MAIN(MemoPaneTest)
#include "MemoPaneTest.moc"
