#include "gui/search/FindSheet.h"
#include "core/model/CDocOptions.h"
#include "core/search/FindSheetModel.h"
#include "gui/shell/QtDialogs.h"
#include "support/DialogDriver.h"
#include "support/SheetLookup.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {
using namespace sheet_lookup;

CFindCondition Stored() {
    CFindCondition c;
    c.m_scope = 2;
    c.m_kindDef[0] = 1;
    c.m_kindsOn = 1;
    c.m_search = "old";
    c.m_arrSelItems = {"x"};
    c.m_selOn = 1;
    c.m_givenTime = 958000000;
    return c;
}
CDocOptions SelOptions(bool enabled) {
    CDocOptions o;
    o.m_bSelEnabled = enabled;
    o.m_strSelTitle = "Tag";
    o.m_arrSelItems = {"a", "b", "c"};
    return o;
}
} // namespace

class FindSheetTest : public QObject {
    Q_OBJECT
private slots:
    void fourTabsWithoutSelectionItemsAndOnlyTheFirstTabWritten() {
        QtDialogs dialogs;
        CFindCondition target = Stored();
        WhenModal<FindSheet>([](FindSheet* sheet) {
            QCOMPARE(sheet->windowTitle(), QString::fromUtf8("検索ダイアログ"));
            QTabWidget* tabs = Tabs(sheet);
            QCOMPARE(tabs->count(), 4);
            QCOMPARE(tabs->tabText(0), QString::fromUtf8("検索対象Memo"));
            QCOMPARE(tabs->tabText(3), QString::fromUtf8("文字列"));
            QVERIFY(!ApplyEnabled(sheet));
            QVERIFY(In<QRadioButton>(Page(sheet, "kindPage"), "scope2")->isChecked());
            In<QRadioButton>(Page(sheet, "kindPage"), "scope1")->click();
            QVERIFY(ApplyEnabled(sheet)); // the first change enables 適用
            Click(sheet, "ok");
        });
        QVERIFY(dialogs.FindSheet(target, SelOptions(false), false));
        CFindCondition expected = Stored();
        expected.m_scope = 1;
        QVERIFY(target == expected); // the other slices, selection items included, are untouched
    }

    void fifthTabCarriesTheTitleAndAddsOnlyNewEntries() {
        QtDialogs dialogs;
        CFindCondition target = Stored();
        WhenModal<FindSheet>([](FindSheet* sheet) {
            QTabWidget* tabs = Tabs(sheet);
            QCOMPARE(tabs->count(), 5);
            QCOMPARE(tabs->tabText(4), QStringLiteral("Tag"));
            tabs->setCurrentIndex(4);
            QWidget* page = Page(sheet, "freePage");
            auto* available = In<QListWidget>(page, "available");
            auto* chosen = In<QListWidget>(page, "chosen");
            QCOMPARE(available->count(), 3);
            QCOMPARE(available->currentRow(), 0);
            QCOMPARE(chosen->count(), 1);
            QVERIFY(In<QCheckBox>(page, "testOn")->isChecked());
            available->setCurrentRow(0);
            Click(page, "add");
            Click(page, "add"); // "a" is there already
            QCOMPARE(chosen->count(), 2);
            available->setCurrentRow(1);
            Click(page, "add");
            QCOMPARE(chosen->count(), 3);
            QCOMPARE(chosen->currentRow(), 2);
            Click(page, "delete"); // the last of three: the new last is selected
            QCOMPARE(chosen->count(), 2);
            QCOMPARE(chosen->currentRow(), 1);
            QCOMPARE(chosen->currentItem()->text(), QStringLiteral("a"));
            Click(sheet, "ok");
        });
        QVERIFY(dialogs.FindSheet(target, SelOptions(true), false));
        QCOMPARE(target.m_arrSelItems, (std::vector<std::string>{"x", "a"}));
        QCOMPARE(target.m_scope, 2);
    }

    void addingADuplicateDoesNotEnableApply() {
        CFindCondition source;
        source.m_arrSelItems = {"a"};
        FindSheetModel model(source, SelOptions(true), false);
        FindSheet sheet(model, SelOptions(true), nullptr);
        sheet.show();
        Tabs(&sheet)->setCurrentIndex(4);
        QWidget* page = Page(&sheet, "freePage");
        In<QListWidget>(page, "available")->setCurrentRow(0);
        Click(page, "add");
        QVERIFY(!ApplyEnabled(&sheet));
        QCOMPARE(In<QListWidget>(page, "chosen")->count(), 1);
    }

    void cancelAfterApplyKeepsTheAppliedValues() {
        QtDialogs dialogs;
        CFindCondition target = Stored();
        WhenModal<FindSheet>([](FindSheet* sheet) {
            Tabs(sheet)->setCurrentIndex(3);
            QWidget* page = Page(sheet, "stringPage");
            auto* text = In<QLineEdit>(page, "searchText");
            QCOMPARE(text->text(), QStringLiteral("old"));
            QVERIFY(!text->isEnabled()); // the string test is off
            In<QCheckBox>(page, "testOn")->click();
            QVERIFY(text->isEnabled());
            QTest::keyClicks(text, QStringLiteral("er"));
            Click(sheet, "apply");
            QVERIFY(!ApplyEnabled(sheet));
            QTest::keyClicks(text, QStringLiteral("!!"));
            Click(sheet, "cancel");
        });
        QVERIFY(!dialogs.FindSheet(target, SelOptions(false), false));
        QCOMPARE(target.m_search, std::string("older"));
        QCOMPARE(target.m_stringOn, 1);
    }

    void datePickerFollowsTheSourceAndKeepsItsDate() {
        QtDialogs dialogs;
        CFindCondition target = Stored();
        target.m_dateOn = 1;
        WhenModal<FindSheet>([](FindSheet* sheet) {
            Tabs(sheet)->setCurrentIndex(2);
            QWidget* page = Page(sheet, "datePage");
            auto* given = In<QDateTimeEdit>(page, "given");
            QVERIFY(In<QRadioButton>(page, "source0")->isChecked());
            QVERIFY(!given->isEnabled());
            In<QRadioButton>(page, "source1")->click();
            QVERIFY(given->isEnabled());
            given->setDate(QDate(2010, 1, 2));
            In<QRadioButton>(page, "source0")->click();
            QVERIFY(!given->isEnabled());
            In<QRadioButton>(page, "relation2")->click();
            In<QRadioButton>(page, "field3")->click();
            In<QCheckBox>(page, "testOn")->click();
            QVERIFY(!In<QRadioButton>(page, "field0")->isEnabled());
            Click(sheet, "ok");
        });
        QVERIFY(dialogs.FindSheet(target, SelOptions(false), false));
        QCOMPARE(target.m_dateOn, 0);
        QCOMPARE(target.m_dateSource, 0);
        QCOMPARE(target.m_dateRelation, 2);
        QCOMPARE(target.m_dateField, 3);
        QCOMPARE(QDateTime::fromSecsSinceEpoch(target.m_givenTime).date(), QDate(2010, 1, 2));
    }

    void kindsPageNamesTheDefinitionsAndFollowsItsSwitch() {
        CDocOptions options;
        options.m_strDefName[4] = "Fifth";
        CFindCondition source;
        FindSheetModel model(source, options, true);
        FindSheet sheet(model, options, nullptr);
        sheet.show();
        QWidget* kind = Page(&sheet, "kindPage");
        QVERIFY(In<QRadioButton>(kind, "scope0")->isEnabled());
        QVERIFY(!In<QRadioButton>(kind, "scope1")->isEnabled()); // restricted scope
        QVERIFY(!In<QRadioButton>(kind, "scope2")->isEnabled());
        Tabs(&sheet)->setCurrentIndex(1);
        QWidget* page = Page(&sheet, "teigiPage");
        QCOMPARE(In<QCheckBox>(page, "kind7")->text(), QStringLiteral("Fifth"));
        QVERIFY(!In<QCheckBox>(page, "kind0")->isEnabled());
        QVERIFY(In<QWidget>(page, "icon0")->isEnabled());
        In<QCheckBox>(page, "testOn")->click();
        In<QCheckBox>(page, "kind0")->click();
        In<QCheckBox>(page, "kind7")->click();
        CFindCondition target;
        Click(&sheet, "apply");
        model.ApplyShown(target);
        QCOMPARE(target.m_kindsOn, 1);
        QCOMPARE(target.m_kindFolder, 1);
        QCOMPARE(target.m_kindDef[4], 1);
        QCOMPARE(target.m_kindMemo, 0);
    }
};

QTEST_MAIN(FindSheetTest)
#include "FindSheetTest.moc"
