#include "core/base/Texts.h"
#include "core/model/CDocOptions.h"
#include "gui/common/IconList.h"
#include "gui/shell/QtDialogs.h"
#include "gui/tree/CMemoPropDlg.h"
#include "support/DialogDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {
MemoPropValues Memo(int kindIndex) {
    MemoPropValues v;
    v.m_strTitle = "Title";
    v.m_nKindIndex = kindIndex;
    v.m_strCreated = "2000/05/11";
    v.m_strUpdated = "2000/05/12";
    v.m_bHasDue = 1;
    v.m_timeDue = 958000000;
    v.m_timeDone = 958100000;
    v.m_strSelItem = "old";
    return v;
}
template <typename T> T* Find(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QLatin1String(name));
}
} // namespace

class MemoPropDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheValuesAndNames() {
        CDocOptions options;
        options.m_strDefName[1] = Sjis("仕事");
        options.m_arrSelItems = {"a", "b"};
        options.m_bSelEnabled = 1;
        options.m_strSelTitle = Sjis("担当");
        CMemoPropDlg dialog(Memo(2), options, IconList::Instance());
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("ﾒﾓのﾌﾟﾛﾊﾟﾃｨ"));
        QCOMPARE(Find<QRadioButton>(&dialog, "kind0")->text(), QString::fromUtf8("ﾒﾓ"));
        QCOMPARE(Find<QRadioButton>(&dialog, "kind2")->text(), QString::fromUtf8("仕事"));
        QCOMPARE(Find<QRadioButton>(&dialog, "kind6")->text(), QString::fromUtf8("完了"));
        QVERIFY(Find<QRadioButton>(&dialog, "kind2")->isChecked());
        QCOMPARE(Find<QLineEdit>(&dialog, "created")->text(), QStringLiteral("2000/05/11"));
        QVERIFY(Find<QLineEdit>(&dialog, "updated")->isReadOnly());
        QVERIFY(Find<QDateTimeEdit>(&dialog, "due")->isEnabled());
        QVERIFY(!Find<QDateTimeEdit>(&dialog, "done")->isEnabled());
        QCOMPARE(Find<QGroupBox>(&dialog, "selGroup")->title(), QString::fromUtf8("担当"));
        auto* combo = Find<QComboBox>(&dialog, "selItem");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("b"));
        QCOMPARE(combo->currentText(), QStringLiteral("old"));
        QVERIFY(combo->isEnabled());
    }

    void doneClearsTheDueBoxAndOkReadsEverything() {
        QtDialogs dialogs;
        MemoPropValues values = Memo(0);
        WhenModal<CMemoPropDlg>([](CMemoPropDlg* d) {
            Find<QLineEdit>(d, "title")->setText(QString());
            Find<QRadioButton>(d, "kind6")->click();
            QVERIFY(!Find<QCheckBox>(d, "hasDue")->isChecked());
            QVERIFY(!Find<QDateTimeEdit>(d, "due")->isEnabled());
            QVERIFY(Find<QDateTimeEdit>(d, "done")->isEnabled());
            Find<QRadioButton>(d, "kind1")->click(); // does not tick the due box again
            QVERIFY(!Find<QCheckBox>(d, "hasDue")->isChecked());
            QVERIFY(!Find<QDateTimeEdit>(d, "done")->isEnabled());
            Find<QRadioButton>(d, "kind6")->click();
            Find<QComboBox>(d, "selItem")->setEditText(QString::fromUtf8("新しい"));
            Click(d, "ok");
        });
        QVERIFY(dialogs.MemoProperties(values, CDocOptions()));
        QCOMPARE(values.m_strTitle, std::string()); // an empty title is accepted
        QCOMPARE(values.m_nKindIndex, 6);
        QCOMPARE(values.m_bHasDue, 0);
        QCOMPARE(values.m_timeDone, 958100000);
        QCOMPARE(values.m_timeDue, 958000000);
        QCOMPARE(values.m_strSelItem, Sjis("新しい")); // typed even while selection items are off
    }

    void dueBoxFollowsTheClick() {
        MemoPropValues values = Memo(0);
        values.m_bHasDue = 0;
        CMemoPropDlg dialog(values, CDocOptions(), IconList::Instance());
        auto* due = Find<QDateTimeEdit>(&dialog, "due");
        QVERIFY(!due->isEnabled());
        Find<QCheckBox>(&dialog, "hasDue")->click();
        QVERIFY(due->isEnabled());
        due->setDate(QDate(2001, 2, 3));
        MemoPropValues read = dialog.Values();
        QCOMPARE(read.m_bHasDue, 1);
        QCOMPARE(QDateTime::fromSecsSinceEpoch(read.m_timeDue).date(), QDate(2001, 2, 3));
        // The time of day the picker was given stays.
        QCOMPARE(QDateTime::fromSecsSinceEpoch(read.m_timeDue).time(), QDateTime::fromSecsSinceEpoch(958000000).time());
    }

    void folderChangesOnlyItsTitle() {
        for (int folderIndex : {-2, -1}) {
            CDocOptions options;
            options.m_bSelEnabled = 1;
            options.m_strSelTitle = "T";
            CMemoPropDlg dialog(Memo(folderIndex), options, IconList::Instance());
            for (int i = 0; i < 7; ++i) {
                auto* radio = Find<QRadioButton>(&dialog, qPrintable(QStringLiteral("kind%1").arg(i)));
                QVERIFY(!radio->isEnabled());
                QVERIFY(!radio->isChecked());
            }
            QVERIFY(!Find<QCheckBox>(&dialog, "hasDue")->isEnabled());
            QVERIFY(!Find<QDateTimeEdit>(&dialog, "due")->isEnabled());
            QVERIFY(!Find<QComboBox>(&dialog, "selItem")->isEnabled());
            QVERIFY(Find<QLineEdit>(&dialog, "title")->isEnabled());
            Find<QLineEdit>(&dialog, "title")->setText(QStringLiteral("Folder"));
            MemoPropValues read = dialog.Values();
            QCOMPARE(read.m_nKindIndex, folderIndex);
            QCOMPARE(read.m_strTitle, std::string("Folder"));
        }
    }

    void disabledComboKeepsItsText() {
        CDocOptions options; // selection items off
        QtDialogs dialogs;
        MemoPropValues values = Memo(0);
        WhenModal<CMemoPropDlg>([](CMemoPropDlg* d) {
            QCOMPARE(Find<QGroupBox>(d, "selGroup")->title(), QString::fromUtf8("選択項目"));
            QVERIFY(!Find<QComboBox>(d, "selItem")->isEnabled());
            Click(d, "ok");
        });
        QVERIFY(dialogs.MemoProperties(values, options));
        QCOMPARE(values.m_strSelItem, std::string("old"));
    }

    void cancelLeavesTheValues() {
        QtDialogs dialogs;
        MemoPropValues values = Memo(3);
        WhenModal<CMemoPropDlg>([](CMemoPropDlg* d) {
            Find<QLineEdit>(d, "title")->setText(QStringLiteral("changed"));
            Click(d, "cancel");
        });
        QVERIFY(!dialogs.MemoProperties(values, CDocOptions()));
        QCOMPARE(values.m_strTitle, std::string("Title"));
        QCOMPARE(values.m_nKindIndex, 3);
    }
};

QTEST_MAIN(MemoPropDlgTest)
#include "MemoPropDlgTest.moc"
