#include "core/search/CKdListView.h"
#include "gui/common/Cp932Text.h"
#include "gui/search/FindPane.h"
#include "gui/tree/TitleStrip.h"
#include "gui/tree/TreeModel.h"
#include "gui/tree/TreePane.h"
#include "support/WindowFixture.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QtTest>

#include <random>

using namespace kardel;
using namespace kardel::gui;

class PanesTest : public QObject {
    Q_OBJECT
private slots:
    void titleStripDrawsTheDueTitleInRedAndGrowsForSelectionItems() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        f.window->treePane()->setCurrentIndex(
            f.window->treeModel()->IndexOf(ItemTitled(*f.window, Utf8("締め切り間近"))));
        QImage strip = f.window->titleStrip()->grab().toImage();
        auto count = [&](QColor colour) {
            int n = 0;
            for (int y = 0; y < strip.height(); ++y)
                for (int x = 60; x < 300 && x < strip.width(); ++x)
                    n += strip.pixelColor(x, y) == colour;
            return n;
        };
        QVERIFY(count(QColor(255, 0, 0)) > 10);
        QCOMPARE(count(QColor(0, 0, 255)), 0);

        // Selection items on: the strip is 50 pixels high and shows the third line.
        QCOMPARE(f.window->lowerSplitter()->sizes().value(0), 35);
        f.window->doc().m_options.m_bSelEnabled = 1;
        f.window->doc().UpdateAllViews(nullptr, HintIconsReloaded, nullptr);
        QCOMPARE(f.window->lowerSplitter()->sizes().value(0), 50);
        // Its bar cannot be dragged; the other two can.
        QVERIFY(!f.window->lowerSplitter()->handle(1)->isEnabled());
        QVERIFY(f.window->outerSplitter()->handle(1)->isEnabled());
        QVERIFY(f.window->rightSplitter()->handle(1)->isEnabled());
    }

    void titleStripDoubleClickOpensTheProperties() {
        WindowFixture f;
        f.window->show();
        QVERIFY(f.window->OpenFile(DemoPath()));
        int opened = 0;
        f.dialogs.onMemoProperties = [&opened](MemoPropValues&, const CDocOptions&) {
            ++opened;
            return false;
        };
        QTest::mouseDClick(f.window->titleStrip(), Qt::LeftButton, {}, QPoint(100, 10));
        QCOMPARE(opened, 1);
        // Not for the root.
        f.window->treePane()->setCurrentIndex(f.window->treeModel()->IndexOf(ItemTitled(*f.window, "demo")));
        QTest::mouseDClick(f.window->titleStrip(), Qt::LeftButton, {}, QPoint(100, 10));
        QCOMPARE(opened, 1);
    }

    void findViewRowsSelectInTheTreeAndRightClickOpensTheMemoMenu() {
        WindowFixture f;
        f.window->resize(900, 700);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        auto* pane = f.window->findChild<FindPane*>();
        QAbstractItemModelTester tester(pane->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        f.dialogs.onFindSheet = [](CFindCondition& c, const CDocOptions&, bool) {
            c.ResetToAllMemos();
            return true;
        };
        f.window->ExecuteCommand(ID_FIND);
        QVERIFY(pane->model()->rowCount() > 3);
        QCOMPARE(pane->selectionMode(), QAbstractItemView::ExtendedSelection);

        const QModelIndex row2 = pane->model()->index(2, 0);
        pane->setCurrentIndex(row2);
        const QString title = row2.data().toString();
        QCOMPARE(ItemLabel(*f.window, f.window->session().m_treeView.Tree().GetCaret()), title);

        QRect rect = pane->visualRect(pane->model()->index(1, 0));
        QTest::mousePress(pane->viewport(), Qt::RightButton, {}, rect.center());
        QTRY_VERIFY(f.window->memoContextMenu()->isVisible());
        f.window->memoContextMenu()->hide();
        QCOMPARE(ItemLabel(*f.window, f.window->session().m_treeView.Tree().GetCaret()),
                 pane->model()->index(1, 0).data().toString());

        // A resized column is what the file keeps.
        pane->header()->resizeSection(0, 260);
        QCOMPARE(f.window->session().m_findView.ColumnWidth(0), 260);
    }

    void rightClickOnEmptyTreeSpaceShowsNoMenu() {
        WindowFixture f;
        f.window->resize(700, 700);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        TreeItem* caret = f.window->session().m_treeView.Tree().GetCaret();
        QWidget* viewport = f.window->treePane()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(10, viewport->height() - 5));
        QTest::qWait(50);
        QVERIFY(!f.window->memoContextMenu()->isVisible());
        QCOMPARE(f.window->session().m_treeView.Tree().GetCaret(), caret);
        // On an item: selected, and the memo menu opens.
        TreeItem* item = ItemTitled(*f.window, Utf8("会議メモ 1/20"));
        QRect rect = f.window->treePane()->visualRect(f.window->treeModel()->IndexOf(item));
        QTest::mousePress(viewport, Qt::RightButton, {}, rect.center());
        QTRY_VERIFY(f.window->memoContextMenu()->isVisible());
        QCOMPARE(f.window->session().m_treeView.Tree().GetCaret(), item);
        f.window->memoContextMenu()->hide();
    }

    void renamingInPlaceGoesThroughTheCore() {
        WindowFixture f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        TreeModel* model = f.window->treeModel();
        TreeItem* item = ItemTitled(*f.window, Utf8("はじめに"));
        QVERIFY(model->setData(model->IndexOf(item), Utf8("まえがき"), Qt::EditRole));
        QCOMPARE(FromCp932(f.window->doc().Memo(item->value())->m_strTitle), Utf8("まえがき"));
        QCOMPARE(model->IndexOf(item).data().toString(), Utf8("まえがき"));
        // The root and the trash keep their names; an empty name changes nothing.
        TreeItem* root = ItemTitled(*f.window, "demo");
        model->setData(model->IndexOf(root), QStringLiteral("x"), Qt::EditRole);
        model->setData(model->IndexOf(item), QString(), Qt::EditRole);
        QCOMPARE(ItemLabel(*f.window, root), QStringLiteral("demo"));
        QCOMPARE(ItemLabel(*f.window, item), Utf8("まえがき"));

        // F2 opens an editor over the row's label; Enter hands the text to the core.
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        TreePane* pane = f.window->treePane();
        f.window->session().m_treeView.Tree().Select(item);
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_F2);
        auto* editor = pane->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        const QRect row = pane->visualRect(model->IndexOf(item));
        QVERIFY(editor->geometry().intersects(row));
        QVERIFY(editor->geometry().left() >= row.left() - 1);
        QCOMPARE(editor->text(), Utf8("まえがき"));
        editor->setText(Utf8("序文"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(ItemLabel(*f.window, item), Utf8("序文"));
    }

    // A childless memo tells the view it has no children; once it has one, the view shows
    // the child and opens and closes the memo like any folder.
    void aChildlessMemoGivenAChildShowsItAndOpens() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        TreePane* pane = f.window->treePane();
        TreeModel* model = f.window->treeModel();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        TreeControl& tree = f.window->session().m_treeView.Tree();
        TreeItem* leaf = tree.GetNextVisible(tree.GetRoot());
        while (leaf && leaf->childCount() > 0)
            leaf = tree.GetNextVisible(leaf);
        QVERIFY(leaf);
        const QModelIndex index = model->IndexOf(leaf);
        QVERIFY(model->flags(index) & Qt::ItemNeverHasChildren);
        f.window->grab();

        tree.Select(leaf);
        f.window->ExecuteCommand(ID_MEMO_CREATE_UNTITLED); // the new memo goes below the caret
        QCOMPARE(leaf->childCount(), 1);
        QVERIFY(!(model->flags(index) & Qt::ItemNeverHasChildren));
        f.window->grab();
        QVERIFY(pane->isExpanded(index));
        QVERIFY(pane->visualRect(model->IndexOf(leaf->child(0))).isValid());
        pane->collapse(index);
        QVERIFY(!leaf->expanded());
        pane->expand(index);
        QVERIFY(leaf->expanded());
        f.window->grab();
        QVERIFY(pane->visualRect(model->IndexOf(leaf->child(0))).isValid());
    }

    void theTreeShowsExactlyTheCoresVisibleItemsThroughRandomEdits() {
        WindowFixture f;
        f.window->resize(700, 300);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        f.messages.m_answer = IMessageBox::Answer::Yes; // deletions go ahead
        TreePane* pane = f.window->treePane();
        TreeModel* model = f.window->treeModel();
        TreeControl& tree = f.window->session().m_treeView.Tree();
        const int commands[] = {ID_MEMO_CREATE_UNTITLED,
                                ID_MEMO_DUPLICATE,
                                ID_MEMO_TO_TRASH,
                                ID_MEMO_UP,
                                ID_MEMO_DOWN,
                                ID_MEMO_LEVEL_UP,
                                ID_MEMO_LEVEL_DOWN,
                                ID_MEMO_CUT,
                                ID_MEMO_PASTE,
                                ID_MEMO_UNDO,
                                ID_MEMO_REDO,
                                ID_MEMO_EMPTY_TRASH,
                                ID_EXPAND_ALL,
                                ID_COLLAPSE_ALL};
        std::mt19937 random(15);
        for (int step = 0; step < 400; ++step) {
            std::vector<TreeItem*> items;
            tree.ForEachItem([&](TreeItem* item) { items.push_back(item); });
            TreeItem* some = items[random() % items.size()];
            const QPoint point(int(random() % 300), int(random() % 300));
            switch (random() % 8) {
            case 0:
                tree.Select(some);
                break;
            case 1:
                pane->setExpanded(model->IndexOf(some), !pane->isExpanded(model->IndexOf(some)));
                break;
            case 2: {
                const Qt::Key keys[] = {Qt::Key_Up,   Qt::Key_Down,  Qt::Key_Left,     Qt::Key_Right,
                                        Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp,   Qt::Key_PageDown,
                                        Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Asterisk, Qt::Key_A};
                pane->setFocus();
                QTest::keyClick(pane, keys[random() % std::size(keys)]);
                break;
            }
            case 3:
                if (random() % 2)
                    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, point);
                else
                    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, point);
                break;
            case 4:
                pane->verticalScrollBar()->setValue(int(random() % 1000));
                pane->horizontalScrollBar()->setValue(int(random() % 200));
                break;
            case 5:
                if (pane->onBeginDrag(some)) {
                    TreeItem* target = items[random() % items.size()];
                    pane->onDragOver(target);
                    pane->onDrop(target, random() % 2);
                }
                break;
            default:
                f.window->ExecuteCommand(commands[random() % std::size(commands)]);
            }
            if (QWidget* editor = QApplication::focusWidget(); editor && pane->isAncestorOf(editor))
                QTest::keyClick(editor, Qt::Key_Escape); // a click began renaming
            if (step % 3 == 0)
                f.window->grab(); // paints in between, as the event loop would
            // Row by row, the pane shows what the core calls visible, and nothing else.
            int rows = 0;
            const int height = pane->visualRect(model->IndexOf(tree.GetRoot())).height();
            for (TreeItem* item = tree.GetRoot(); item; item = tree.GetNextVisible(item), ++rows)
                QCOMPARE(pane->visualRect(model->IndexOf(item)).top() + pane->verticalScrollBar()->value(),
                         rows * height);
            int shown = 0;
            tree.ForEachItem([&](TreeItem* item) { shown += pane->visualRect(model->IndexOf(item)).isValid(); });
            QCOMPARE(shown, rows);
        }
        f.messages.m_answer = IMessageBox::Answer::No;
    }

    void aScreenReaderSeesTheShownRowsAndFollowsChanges() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        TreePane* pane = f.window->treePane();
        TreeControl& tree = f.window->session().m_treeView.Tree();
        QAccessibleInterface* outline = QAccessible::queryAccessibleInterface(pane);
        QVERIFY(outline);
        QCOMPARE(outline->role(), QAccessible::Tree);
        auto check = [&] {
            int row = 0;
            for (TreeItem* item = tree.GetRoot(); item; item = tree.GetNextVisible(item), ++row) {
                QAccessibleInterface* child = outline->child(row);
                QCOMPARE(child->text(QAccessible::Name), ItemLabel(*f.window, item));
                QCOMPARE(outline->indexOfChild(child), row);
                QCOMPARE(child->state().expanded, item->childCount() > 0 && item->expanded());
                QCOMPARE(child->state().selected, item == tree.GetCaret());
            }
            QCOMPARE(outline->childCount(), row);
        };
        check();
        // A memo moved to the trash and a folder closed: the rows are those of now.
        tree.Select(ItemTitled(*f.window, Utf8("食料品")));
        f.messages.m_answer = IMessageBox::Answer::Yes;
        f.window->ExecuteCommand(ID_MEMO_TO_TRASH);
        f.messages.m_answer = IMessageBox::Answer::No;
        pane->collapse(f.window->treeModel()->IndexOf(tree.GetRoot()->child(1)));
        check();
    }

    void doubleClickStepsTheKind() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QVERIFY(f.window->OpenFile(DemoPath()));
        TreeItem* item = ItemTitled(*f.window, Utf8("会議メモ 1/20"));
        QRect rect = f.window->treePane()->visualRect(f.window->treeModel()->IndexOf(item));
        QTest::mouseDClick(f.window->treePane()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(item->image(), int(KindDef1));
        QVERIFY(f.window->doc().IsModified());
    }
};

QTEST_MAIN(PanesTest)
#include "PanesTest.moc"
