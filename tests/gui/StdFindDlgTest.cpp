#include "core/model/CDocOptions.h"
#include "gui/search/CStdFindDlg.h"
#include "gui/shell/QtDialogs.h"
#include "support/DialogDriver.h"

#include <QTreeWidget>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {
CDocOptions Named() {
    CDocOptions options;
    for (int i = 0; i < 5; ++i)
        options.m_strStdFindName[i] = "search " + std::to_string(i + 1);
    return options;
}
} // namespace

class StdFindDlgTest : public QObject {
    Q_OBJECT
private slots:
    void rowsAndPreselection() {
        CStdFindDlg dialog(Named(), 3);
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("標準検索選択ダイアログ"));
        QTreeWidget* list = dialog.List();
        QCOMPARE(list->headerItem()->text(0), QString::fromUtf8("番号"));
        QCOMPARE(list->headerItem()->text(1), QString::fromUtf8("検索名称"));
        QCOMPARE(list->topLevelItemCount(), 5);
        QCOMPARE(list->topLevelItem(4)->text(0), QStringLiteral("5"));
        QCOMPARE(list->topLevelItem(4)->text(1), QStringLiteral("search 5"));
        QCOMPARE(dialog.ChosenNumber(), 3);
        CStdFindDlg none(Named(), 0);
        QCOMPARE(none.ChosenNumber(), 0);
    }

    void keysOfTheMainKeyboardAcceptAtOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("expected"); // -1: still open
        QTest::newRow("3") << int(Qt::Key_3) << false << 3;
        QTest::newRow("1") << int(Qt::Key_1) << false << 1;
        QTest::newRow("5") << int(Qt::Key_5) << false << 5;
        QTest::newRow("keypad 3") << int(Qt::Key_3) << true << -1;
        QTest::newRow("6") << int(Qt::Key_6) << false << -1;
        QTest::newRow("0") << int(Qt::Key_0) << false << -1;
    }
    void keysOfTheMainKeyboardAcceptAtOnce() {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(int, expected);
        QtDialogs dialogs;
        bool stillOpen = false;
        WhenModal<CStdFindDlg>([&](CStdFindDlg* d) {
            QTest::keyClick(d->List(), Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
            stillOpen = d->isVisible();
            if (stillOpen)
                Click(d, "cancel");
        });
        std::optional<int> chosen = dialogs.StdFindChoice(Named(), 2);
        if (expected < 0) {
            QVERIFY(stillOpen);
            QVERIFY(!chosen);
        } else {
            QCOMPARE(chosen, std::optional<int>(expected));
        }
    }

    void okWithoutARowGivesZeroAndCancelGivesNothing() {
        QtDialogs dialogs;
        WhenModal<CStdFindDlg>([](CStdFindDlg* d) {
            d->List()->clearSelection();
            Click(d, "ok");
        });
        QCOMPARE(dialogs.StdFindChoice(Named(), 4), std::optional<int>(0));
        WhenModal<CStdFindDlg>([](CStdFindDlg* d) { Click(d, "cancel"); });
        QCOMPARE(dialogs.StdFindChoice(Named(), 4), std::nullopt);
    }

    void doubleClickOnARowAccepts() {
        QtDialogs dialogs;
        WhenModal<CStdFindDlg>([](CStdFindDlg* d) {
            QTreeWidgetItem* row = d->List()->topLevelItem(1);
            d->List()->setCurrentItem(row);
            emit d->List()->itemDoubleClicked(row, 0);
        });
        QCOMPARE(dialogs.StdFindChoice(Named(), 5), std::optional<int>(2));
    }
};

QTEST_MAIN(StdFindDlgTest)
#include "StdFindDlgTest.moc"
