// How the panes take keys, clicks and drags: accelerators, FindView's list, MemoView's tab
// stops, file dialog filters, the tree's double click and drag, the options sheet's pages.
#include "core/search/CKdListView.h"
#include "gui/common/CPropertySheet.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"
#include "gui/search/FindPane.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/MemoPane.h"
#include "gui/shell/QtFileDialogs.h"
#include "gui/tree/TitleStrip.h"
#include "gui/tree/TreeModel.h"
#include "gui/tree/TreePane.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {

TreeControl& Tree(MainWindow& w) {
    return w.session().m_treeView.Tree();
}

// Counts the key presses that reach a widget, modifiers aside.
struct KeyCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt)
                ++presses;
        }
        return false;
    }
};

void ShowOpenDemo(WindowFixture& f) {
    f.window->resize(900, 700);
    f.window->show();
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QVERIFY(f.window->OpenFile(DemoPath()));
}

void SearchAll(WindowFixture& f) {
    f.dialogs.onFindSheet = [](CFindCondition& c, const CDocOptions&, bool) {
        c.ResetToAllMemos();
        return true;
    };
    ActionOf(*f.window, ID_FIND)->trigger();
}

// A point on the item's icon, in the tree's viewport.
QPoint OnIcon(TreePane* pane, TreeItem* item) {
    pane->scrollTo(pane->model()->index(0, 0)); // nothing below relies on scrolling
    const QRect rect = pane->visualRect(static_cast<TreeModel*>(pane->model())->IndexOf(item));
    return QPoint(rect.left() + 10, rect.center().y());
}

} // namespace

class PaneInputTest : public QObject {
    Q_OBJECT
private slots:
    void disabledAcceleratorsGoNowhereInAnyPane() {
        WindowFixture f;
        ShowOpenDemo(f);
        SearchAll(f);
        MainWindow& w = *f.window;
        // A first child inside a folder that is not first: Ctrl+Up is off for it, on for its parent.
        TreeItem* first = nullptr;
        Tree(w).ForEachItem([&](TreeItem* item) {
            TreeItem* parent = item->parent();
            if (!first && item->row() == 0 && parent && parent->row() > 0 && parent->parent())
                first = item;
        });
        QVERIFY(first);
        TreeItem* parent = first->parent();
        Tree(w).Select(first);
        const size_t count = w.doc().Memos().size();
        w.treePane()->setFocus();
        for (int i = 0; i < 3; ++i) // held down
            QTest::keyClick(w.treePane(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(Tree(w).GetCaret(), first);
        QCOMPARE(first->parent(), parent);
        QCOMPARE(w.doc().Memos().size(), count);

        // Every key of the table, in every pane: while its command is off, no pane sees it.
        const bool modified = w.doc().IsModified();
        for (QWidget* pane : {static_cast<QWidget*>(w.treePane()), w.findPane(), static_cast<QWidget*>(w.memoPane()),
                              static_cast<QWidget*>(w.titleStrip())}) {
            pane->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), pane);
            KeyCounter counter;
            pane->installEventFilter(&counter);
            int tried = 0;
            for (const CommandInfo& info : CommandTable::Commands()) {
                QAction* action = ActionOf(w, info.id);
                w.RefreshActions();
                if (action->isEnabled())
                    continue;
                for (const QKeySequence& key : action->shortcuts()) {
                    QTest::keySequence(pane, key);
                    ++tried;
                    QVERIFY2(counter.presses == 0, qPrintable(pane->objectName() + " " + key.toString()));
                }
            }
            QVERIFY(tried > 5);
            QCOMPARE(w.doc().Memos().size(), count);
            QCOMPARE(w.doc().IsModified(), modified);
        }

        // An enabled accelerator wins over the edit control's own use of the key.
        Tree(w).Select(first);
        w.memoPane()->setFocus();
        QTRY_VERIFY(ActionOf(w, ID_MEMO_LEVEL_UP)->isEnabled());
        QTest::keyClick(w.memoPane(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(Tree(w).GetCaret()->parent(), parent->parent());
    }

    void findViewFollowsTheMemoAcrossASortAndAClickReachesIt() {
        WindowFixture f;
        ShowOpenDemo(f);
        SearchAll(f);
        MainWindow& w = *f.window;
        auto* pane = static_cast<FindPane*>(w.findPane());
        CKdListView& list = w.session().m_findView;
        QVERIFY(list.RowCount() > 4);
        pane->selectionModel()->setCurrentIndex(pane->model()->index(2, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        CMemoItem* memo = list.RowMemo(2);
        QCOMPARE(Tree(w).GetCaret(), memo->m_hTreeItem);

        for (int column : {0, 0, 3}) {
            QHeaderView* header = pane->header();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
            const QModelIndexList rows = pane->selectionModel()->selectedRows();
            QCOMPARE(rows.size(), 1);
            QCOMPARE(list.RowMemo(rows[0].row()), memo);
            QCOMPARE(list.RowMemo(pane->currentIndex().row()), memo);
        }
        // The tree moves on; clicking the highlighted row brings its memo back.
        Tree(w).Select(Tree(w).GetRoot());
        const QRect row = pane->visualRect(pane->currentIndex());
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(Tree(w).GetCaret(), memo->m_hTreeItem);
    }

    void findViewRowsKeepTheirIconsDrawGridsAndHoldWholeDates() {
        WindowFixture f;
        ShowOpenDemo(f);
        SearchAll(f);
        MainWindow& w = *f.window;
        auto* pane = static_cast<FindPane*>(w.findPane());
        CKdListView& list = w.session().m_findView;
        // A listed folder stays closed in the list when the user opens it in the tree.
        int folderRow = -1;
        for (int row = 0; row < list.RowCount() && folderRow < 0; ++row)
            if (list.RowIcon(row) == KindClosedFolder && list.RowMemo(row)->m_hTreeItem->childCount() > 0)
                folderRow = row;
        QVERIFY(folderRow >= 0);
        CMemoItem* folder = list.RowMemo(folderRow);
        w.treePane()->setExpanded(w.treeModel()->IndexOf(folder->m_hTreeItem), false);
        w.treePane()->setExpanded(w.treeModel()->IndexOf(folder->m_hTreeItem), true);
        QCOMPARE(folder->m_nKind, KindOpenFolder);
        QCOMPARE(list.RowIcon(folder->m_nFindRow), KindClosedFolder);
        QTest::mouseClick(pane->header()->viewport(), Qt::LeftButton, {},
                          QPoint(pane->header()->sectionViewportPosition(0) + 5, pane->header()->height() / 2));
        QCOMPARE(list.RowIcon(folder->m_nFindRow), KindClosedFolder);

        // Grid lines between the columns and under each row.
        pane->selectionModel()->clear();
        const QRect cell = pane->visualRect(pane->model()->index(0, 1));
        QVERIFY(!cell.isEmpty());
        const QImage image = pane->viewport()->grab().toImage();
        const QColor grid = FindPane::GridColour(pane->palette());
        QCOMPARE(image.pixel(cell.right(), cell.center().y()), grid.rgb());
        QCOMPARE(image.pixel(cell.center().x(), cell.bottom()), grid.rgb());

        // At the default width a date column holds a whole date.
        const int margin = pane->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, pane) + 1;
        QVERIFY(pane->fontMetrics().horizontalAdvance(QStringLiteral("2025/01/01")) + 2 * margin <= 75);
        WindowFixture fresh;
        for (int column = 3; column <= 6; ++column)
            QCOMPARE(static_cast<FindPane*>(fresh.window->findPane())->columnWidth(column), 75);
    }

    void memoViewTabStopsCountHalfWidthColumns() {
        MemoPane pane;
        const QFontMetricsF metrics(pane.font());
        for (auto [units, columns] : {std::pair{8, "ab"}, std::pair{16, "abcd"}, std::pair{32, "abcdefgh"}}) {
            pane.SetTabStops(units);
            QCOMPARE(qRound(pane.tabStopDistance()), qRound(metrics.horizontalAdvance(QLatin1String(columns))));
        }
    }

    void fileDialogFiltersAreDecoded() {
        WindowFixture f;
        f.fileDialogs.m_answers = {std::nullopt, std::nullopt};
        ActionOf(*f.window, ID_FILE_OPEN)->trigger();
        ActionOf(*f.window, ID_FILE_SAVE_AS)->trigger();
        QCOMPARE(f.fileDialogs.m_requests.size(), size_t(2));
        for (const FileDialogRequest& request : f.fileDialogs.m_requests)
            QCOMPARE(QtFileDialogs::NameFilters(request.filter),
                     (QStringList{Utf8("Kardel ﾌｧｲﾙ (*.kdl)"), Utf8("すべてのﾌｧｲﾙ (*)")}));
    }

    void treeKeysWalkTheShownRowsAndMarksOpenAndCloseFolders() {
        WindowFixture f;
        ShowOpenDemo(f);
        MainWindow& w = *f.window;
        w.resize(900, 260); // fewer rows fit than there are: walking them scrolls
        TreePane* pane = w.treePane();
        TreeControl& tree = Tree(w);
        pane->setFocus();
        tree.Select(tree.GetRoot());
        std::vector<TreeItem*> shown;
        for (TreeItem* item = tree.GetRoot(); item; item = tree.GetNextVisible(item))
            shown.push_back(item);
        QVERIFY(shown.size() * pane->visualRect(pane->currentIndex()).height() > size_t(pane->viewport()->height()));
        auto onScreen = [pane] {
            const QRect row = pane->visualRect(pane->currentIndex());
            return row.top() >= 0 && row.bottom() < pane->viewport()->height();
        };
        for (size_t i = 1; i <= shown.size(); ++i) {
            QTest::keyClick(pane, Qt::Key_Down);
            QCOMPARE(tree.GetCaret(), shown[std::min(i, shown.size() - 1)]);
            QVERIFY(onScreen());
        }
        // At the end the last row sits at the bottom and the view scrolls no further.
        QCOMPARE(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
        QCOMPARE(pane->visualRect(pane->currentIndex()).bottom(), pane->viewport()->height() - 1);
        QTest::keyClick(pane, Qt::Key_Home);
        QCOMPARE(tree.GetCaret(), tree.GetRoot());
        QVERIFY(onScreen());

        // Left closes an open folder, then goes up; Right opens a closed one, then goes in.
        TreeItem* folder = *std::find_if(shown.begin() + 1, shown.end(),
                                         [](TreeItem* item) { return item->expanded() && item->childCount() > 0; });
        tree.Select(folder);
        QTest::keyClick(pane, Qt::Key_Left);
        QVERIFY(!folder->expanded());
        QCOMPARE(tree.GetCaret(), folder);
        QTest::keyClick(pane, Qt::Key_Left);
        QCOMPARE(tree.GetCaret(), folder->parent());
        tree.Select(folder);
        QTest::keyClick(pane, Qt::Key_Right);
        QVERIFY(folder->expanded());
        QTest::keyClick(pane, Qt::Key_Right);
        QCOMPARE(tree.GetCaret(), folder->child(0));
        // Closed over the current item, the folder stands for it.
        pane->collapse(w.treeModel()->IndexOf(folder));
        QTest::keyClick(pane, Qt::Key_Down);
        QCOMPARE(tree.GetCaret(), tree.GetNextVisible(folder));

        // Typing a label's first letters goes to the next row that starts with them.
        QTest::qWait(QApplication::keyboardInputInterval() + 1);
        for (const QChar c : Utf8("ごみ")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(pane, &press);
        }
        QCOMPARE(ItemLabel(w, tree.GetCaret()), Utf8("ごみ箱"));

        // A click on a folder's mark opens and closes it and selects nothing.
        tree.Select(tree.GetRoot());
        pane->scrollTo(w.treeModel()->IndexOf(folder));
        const QRect row = pane->visualRect(w.treeModel()->IndexOf(folder));
        const QPoint mark(row.left() - pane->indentation() / 2, row.center().y());
        QVERIFY(!folder->expanded());
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, mark);
        QVERIFY(folder->expanded());
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, mark);
        QVERIFY(!folder->expanded());
        QCOMPARE(tree.GetCaret(), tree.GetRoot());
    }

    void doubleClickCyclesOnlyOnTheIconOrLabel() {
        WindowFixture f;
        ShowOpenDemo(f);
        MainWindow& w = *f.window;
        TreePane* pane = w.treePane();
        // The plain memo below the top level with the shortest label: its row has blank space.
        TreeItem* memo = nullptr;
        Tree(w).ForEachItem([&](TreeItem* item) {
            if (item->image() == KindMemo && item->parent() && item->parent()->parent() &&
                (!memo || Tree(w).GetItemText(item).size() < Tree(w).GetItemText(memo).size()))
                memo = item;
        });
        QVERIFY(memo);
        Tree(w).Select(memo);
        const QRect rect = pane->visualRect(w.treeModel()->IndexOf(memo));
        const int labelEnd =
            rect.left() + 30 + pane->fontMetrics().horizontalAdvance(FromCp932(Tree(w).GetItemText(memo)));
        QVERIFY(labelEnd + 10 < rect.right());
        for (QPoint blank : {QPoint(labelEnd + 10, rect.center().y()), QPoint(rect.left() - 4, rect.center().y())}) {
            QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, blank);
            QCOMPARE(memo->image(), KindMemo);
        }
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, OnIcon(pane, memo));
        QVERIFY(memo->image() != KindMemo);
    }

    void dragHoldsTheSelectionShowsIconAndLabelAndEscapeDropsNothing() {
        WindowFixture f;
        ShowOpenDemo(f);
        MainWindow& w = *f.window;
        TreePane* pane = w.treePane();
        QWidget* vp = pane->viewport();
        // Two siblings below a folder; the first stays selected throughout.
        TreeItem* selected = nullptr;
        Tree(w).ForEachItem([&](TreeItem* item) {
            if (!selected && item->parent() && item->parent()->parent() && item->parent()->childCount() >= 2 &&
                item->row() == 0)
                selected = item;
        });
        QVERIFY(selected);
        TreeItem* folder = selected->parent();
        Tree(w).Select(selected);
        TreeItem* dragged = folder->child(1);
        TreeItem* other =
            Tree(w).GetRoot()->child(0) == folder ? Tree(w).GetRoot()->child(1) : Tree(w).GetRoot()->child(0);
        // A selection change would now mark the document modified.
        AppSettings(f.settings).Set(AppSettings::kSelectModifies, 1);
        QVERIFY(!w.doc().IsModified());
        const size_t children = folder->childCount();

        auto start = [&] {
            QTest::mousePress(vp, Qt::LeftButton, {}, OnIcon(pane, dragged));
            QCOMPARE(Tree(w).GetCaret(), selected);
            QTest::mouseMove(vp, OnIcon(pane, dragged) + QPoint(0, 30));
            QVERIFY(pane->IsDragging());
            QCOMPARE(Tree(w).GetCaret(), selected);
        };
        // A move onto its own parent is refused: nothing at all changes.
        start();
        auto* image = pane->findChild<QLabel*>("treeDragImage");
        QVERIFY(image && image->isVisible());
        QCOMPARE(image->pixmap().toImage(), pane->DragImage(dragged).toImage());
        QVERIFY(image->pixmap().deviceIndependentSize().width() >=
                IconList::kSize + pane->fontMetrics().horizontalAdvance(FromCp932(Tree(w).GetItemText(dragged))));
        QTest::mouseMove(vp, OnIcon(pane, folder));
        QCOMPARE(Tree(w).GetDropHighlight(), folder);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, OnIcon(pane, folder));
        QVERIFY(!pane->IsDragging());
        QVERIFY(!image->isVisible());
        QCOMPARE(Tree(w).GetCaret(), selected);
        QCOMPARE(pane->currentIndex(), w.treeModel()->IndexOf(selected));
        QCOMPARE(Tree(w).GetDropHighlight(), nullptr);
        QCOMPARE(size_t(folder->childCount()), children);
        QVERIFY(!w.doc().IsModified());

        // Escape after hovering another folder: the drag ends there and drops nothing.
        const int otherChildren = other->childCount();
        start();
        QTest::mouseMove(vp, OnIcon(pane, other));
        QCOMPARE(Tree(w).GetDropHighlight(), other);
        QTest::keyClick(pane, Qt::Key_Escape);
        QVERIFY(!pane->IsDragging());
        QCOMPARE(Tree(w).GetDropHighlight(), nullptr);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, OnIcon(pane, other));
        QCOMPARE(other->childCount(), otherChildren);
        QCOMPARE(size_t(folder->childCount()), children);
        QCOMPARE(Tree(w).GetCaret(), selected);
        QVERIFY(!w.doc().IsModified());

        // A real drop still works: the memo moves under the other folder and is selected.
        const QString title = FromCp932(Tree(w).GetItemText(dragged));
        start();
        QTest::mouseMove(vp, OnIcon(pane, other));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, OnIcon(pane, other));
        QCOMPARE(size_t(folder->childCount()), children - 1);
        QCOMPARE(FromCp932(Tree(w).GetItemText(Tree(w).GetCaret())), title);
        QCOMPARE(Tree(w).GetCaret()->parent(), other);
        QVERIFY(w.doc().IsModified());

        // A plain click still selects, when the button goes up.
        QTest::mousePress(vp, Qt::LeftButton, {}, OnIcon(pane, selected));
        QVERIFY(Tree(w).GetCaret() != selected);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, OnIcon(pane, selected));
        QCOMPARE(Tree(w).GetCaret(), selected);
        AppSettings(f.settings).Set(AppSettings::kSelectModifies, 0);
    }

    void leavingAPageKeepsItOnScreenWhileItIsChecked() {
        CPropertySheet sheet(QStringLiteral("sheet"), nullptr);
        QWidget* pages[2] = {new QWidget, new QWidget};
        sheet.AddPage(pages[0], QStringLiteral("one"));
        sheet.AddPage(pages[1], QStringLiteral("two"));
        QList<int> firstShown;
        sheet.onFirstShown = [&](int index) { firstShown << index; };
        bool allow = false;
        int checks = 0;
        sheet.onLeave = [&](int index) {
            ++checks;
            // While the message would be up: the page being left is the one on screen.
            [&] {
                QCOMPARE(index, 0);
                QCOMPARE(sheet.Tabs()->currentWidget(), pages[0]);
                QVERIFY(pages[0]->isVisible());
                QVERIFY(!pages[1]->isVisible());
            }();
            return allow;
        };
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QCOMPARE(firstShown, QList<int>{0});
        sheet.Tabs()->setCurrentIndex(1);
        QCOMPARE(checks, 1);
        QCOMPARE(sheet.Tabs()->currentIndex(), 0);
        QVERIFY(!pages[1]->isVisible());
        QCOMPARE(firstShown, QList<int>{0});
        allow = true;
        sheet.Tabs()->setCurrentIndex(1);
        QCOMPARE(checks, 2);
        QCOMPARE(sheet.Tabs()->currentIndex(), 1);
        QVERIFY(pages[1]->isVisible());
        QCOMPARE(firstShown, (QList<int>{0, 1}));
    }
};

QTEST_MAIN(PaneInputTest)
#include "PaneInputTest.moc"
