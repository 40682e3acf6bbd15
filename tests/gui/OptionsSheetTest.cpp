#include "gui/shell/OptionsSheet.h"
#include "core/base/Texts.h"
#include "core/model/BackupRotation.h"
#include "core/shell/DocumentSession.h"
#include "gui/common/CIconStatic.h"
#include "gui/search/FindSheet.h"
#include "gui/shell/QtDialogs.h"
#include "support/DialogDriver.h"
#include "support/SheetLookup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {
using namespace sheet_lookup;
int Setting(HeadlessSession& s, const char* name) {
    return AppSettings(s.m_settings).Get(name);
}

struct Fixture {
    // The document's platform shows its sheets through the Qt dialogs, as in the program.
    Fixture() {
        s.doc().OnNewDocument();
        s.m_dialogs.onFindSheet = [this](CFindCondition& target, const CDocOptions& options, bool restricted) {
            return dialogs.FindSheet(target, options, restricted);
        };
    }
    HeadlessSession s;
    QtDialogs dialogs;
    // The options command with `script` playing the user; true when the sheet ended with OK.
    bool Run(std::function<void(OptionsSheet*)> script) {
        WhenModal<OptionsSheet>(std::move(script));
        bool ok = false;
        s.m_dialogs.onOptionsSheet = [this, &ok](CKardelDoc& doc) { return ok = dialogs.OptionsSheet(doc); };
        s.doc().OnCmdMsg(ID_OPTIONS);
        return ok;
    }
};
} // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT
private slots:
    void okAtOnceMarksModifiedAndWritesTheApplicationPage() {
        Fixture f;
        AppSettings(f.s.m_settings).Set(AppSettings::kShowFirstFound, 1);
        QVERIFY(f.Run([](OptionsSheet* sheet) {
            QCOMPARE(sheet->windowTitle(), QString::fromUtf8("設定ダイアログ"));
            QTabWidget* tabs = Tabs(sheet);
            QCOMPARE(tabs->count(), 6);
            QCOMPARE(tabs->tabText(0), QString::fromUtf8("ｱﾌﾟﾘｹｰｼｮﾝ"));
            QCOMPARE(tabs->tabText(2), QString::fromUtf8("アイコンと定義"));
            QCOMPARE(tabs->tabText(4), QString::fromUtf8("選択項目"));
            QWidget* page = Page(sheet, "appliPage");
            QVERIFY(In<QCheckBox>(page, "showFirstFound")->isChecked()); // read from the store
            In<QCheckBox>(page, "autoSave")->click();
            QVERIFY(ApplyEnabled(sheet));
            Click(sheet, "ok");
        }));
        QVERIFY(f.s.doc().IsModified());
        QCOMPARE(Setting(f.s, AppSettings::kAutoSave), 1);
        QCOMPARE(Setting(f.s, AppSettings::kShowFirstFound), 1);
        QCOMPARE(Setting(f.s, AppSettings::kSelectModifies), 0);
        QCOMPARE(f.s.doc().m_options.m_nTabChoice, 1); // never shown, untouched
        QVERIFY(f.s.m_frame.m_definitionIcons.empty());

        Fixture nothing;
        QVERIFY(nothing.Run([](OptionsSheet* sheet) { Click(sheet, "ok"); }));
        QVERIFY(nothing.s.doc().IsModified());
    }

    void savePageSetsHowManyBackupsAreKept() {
        Fixture f;
        QCOMPARE(BackupRotation::CountSetting(f.s.m_settings), 5);
        QVERIFY(f.Run([](OptionsSheet* sheet) {
            QCOMPARE(Tabs(sheet)->tabText(5), QString::fromUtf8("保存"));
            Tabs(sheet)->setCurrentIndex(5);
            auto* count = In<QSpinBox>(Page(sheet, "savePage"), "backupCount");
            QCOMPARE(count->value(), 5);
            count->setValue(0);
            QVERIFY(ApplyEnabled(sheet));
            Click(sheet, "ok");
        }));
        QCOMPARE(BackupRotation::CountSetting(f.s.m_settings), 0);
    }

    void cancelChangesNothingButAppliedValuesStay() {
        Fixture f;
        QVERIFY(!f.Run([](OptionsSheet* sheet) {
            Tabs(sheet)->setCurrentIndex(3);
            In<QRadioButton>(Page(sheet, "memoViewPage"), "tab2")->click();
            Click(sheet, "apply");
            In<QRadioButton>(Page(sheet, "memoViewPage"), "tab0")->click();
            Click(sheet, "cancel");
        }));
        QCOMPARE(f.s.doc().m_options.m_nTabChoice, 2);
        QVERIFY(!f.s.doc().IsModified());
    }

    void clearingEveryTransitionBoxIsRefused() {
        Fixture f;
        int refusals = 0;
        QVERIFY(f.Run([&](OptionsSheet* sheet) {
            QTabWidget* tabs = Tabs(sheet);
            tabs->setCurrentIndex(2);
            QWidget* page = Page(sheet, "iconPage");
            for (int i = 0; i < 7; ++i)
                In<QCheckBox>(page, qPrintable(QStringLiteral("cycle%1").arg(i)))->click();
            Click(sheet, "ok");
            QVERIFY(sheet->isVisible());
            tabs->setCurrentIndex(3);
            QCOMPARE(tabs->currentIndex(), 2);
            refusals = int(f.s.m_messages.m_shown.size());
            In<QCheckBox>(page, "cycle6")->click(); // "完了"
            Click(sheet, "ok");
        }));
        QCOMPARE(refusals, 2);
        QCOMPARE(f.s.m_messages.m_shown[0], Sjis("ダブルクリック時に遷移する定義を１つ以上選択する必要があります。"));
        const auto& cycle = f.s.doc().m_options.m_bCycle;
        for (int i = 0; i < 7; ++i)
            QCOMPARE(cycle[i], i == 5 ? 1 : 0);
        QCOMPARE(f.s.m_frame.m_definitionIcons.size(), size_t(5)); // "未定義" for each: the built-in icons
    }

    void iconRowsBrowseAndRename() {
        Fixture f;
        f.s.m_fileDialogs.m_answers = {std::string("/nowhere/def3.ico")};
        QVERIFY(f.Run([](OptionsSheet* sheet) {
            Tabs(sheet)->setCurrentIndex(2);
            QWidget* page = Page(sheet, "iconPage");
            auto* path = In<QLineEdit>(page, "path2");
            QCOMPARE(path->text(), QString::fromUtf8("未定義"));
            QCOMPARE(In<CIconStatic>(page, "preview2")->ShownIndex(), 7);
            QVERIFY(!ApplyEnabled(sheet));
            Click(page, "browse2");
            QCOMPARE(path->text(), QStringLiteral("/nowhere/def3.ico"));
            QCOMPARE(In<CIconStatic>(page, "preview2")->ShownIndex(), 7); // unreadable: the current image
            QVERIFY(ApplyEnabled(sheet));
            QTest::keyClicks(In<QLineEdit>(page, "defName0"), QStringLiteral("X"));
            Click(sheet, "ok");
        }));
        const FileDialogRequest& request = f.s.m_fileDialogs.m_requests.at(0);
        QCOMPARE(request.defaultExtension, std::string("ico"));
        QCOMPARE(request.initialName, texts::Undefined());
        QCOMPARE(request.filter, std::string("Icon Files (*.ico)|*.ico|All Files (*.*)|*.*||"));
        QCOMPARE(f.s.doc().m_options.m_strIconFile[2], std::string("/nowhere/def3.ico"));
        QCOMPARE(f.s.doc().m_options.m_strDefName[0], Sjis("定義１") + "X");
    }

    void selectionItemsPage() {
        Fixture f;
        f.s.doc().m_options.m_arrSelItems = {"one"};
        QVERIFY(f.Run([&](OptionsSheet* sheet) {
            QTabWidget* tabs = Tabs(sheet);
            tabs->setCurrentIndex(4);
            QWidget* page = Page(sheet, "freePage");
            auto* list = In<QListWidget>(page, "items");
            auto* name = In<QLineEdit>(page, "itemName");
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(name->text(), QStringLiteral("one"));
            QVERIFY(!list->isEnabled());
            Click(page, "up"); // the first item: nothing, no change reported
            QVERIFY(!ApplyEnabled(sheet));
            In<QCheckBox>(page, "enabled")->click();
            QVERIFY(list->isEnabled());
            QCOMPARE(tabs->tabText(4), QString()); // the empty title at once
            tabs->setCurrentIndex(0);
            QCOMPARE(tabs->currentIndex(), 4); // refused
            QCOMPARE(f.s.m_messages.m_shown.back(), Sjis("タイトルを入力してください。"));
            QTest::keyClicks(In<QLineEdit>(page, "title"), QStringLiteral("Tag"));
            QCOMPARE(tabs->tabText(4), QStringLiteral("Tag"));
            name->setText(QStringLiteral("two"));
            Click(page, "add");
            QCOMPARE(list->currentRow(), 1);
            Click(page, "up");
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(list->item(0)->text(), QStringLiteral("two"));
            Click(page, "down");
            Click(page, "down"); // the last item: nothing
            QCOMPARE(list->currentRow(), 1);
            Click(page, "up");
            Click(sheet, "ok");
        }));
        QCOMPARE(f.s.doc().m_options.m_arrSelItems, (std::vector<std::string>{"two", "one"}));
        QCOMPARE(f.s.doc().m_options.m_strSelTitle, std::string("Tag"));
        QCOMPARE(f.s.doc().m_options.m_bSelEnabled, 1);
    }

    void editingAStandardSearch() {
        Fixture f;
        CFindCondition& stored = f.s.doc().m_options.m_stdFind[1];
        stored.m_selOn = 1;
        stored.m_arrSelItems = {"s"};
        f.s.doc().m_findCond.m_scope = 2;
        QVERIFY(f.Run([](OptionsSheet* sheet) {
            Tabs(sheet)->setCurrentIndex(1);
            QWidget* page = Page(sheet, "stdFindPage");
            QCOMPARE(In<QLineEdit>(page, "name1")->text(), QString::fromUtf8("未定義"));
            QVERIFY(In<QRadioButton>(page, "initial0")->isChecked());
            WhenModal<FindSheet>([](FindSheet* find) {
                QCOMPARE(Tabs(find)->count(), 4); // selection items are off
                QVERIFY(!find->findChild<QRadioButton*>(QStringLiteral("scope2"))->isEnabled());
                Tabs(find)->setCurrentIndex(3);
                QWidget* strings = Page(find, "stringPage");
                In<QCheckBox>(strings, "testOn")->click();
                QTest::keyClicks(In<QLineEdit>(strings, "searchText"), QStringLiteral("q"));
                Click(find, "ok");
            });
            Click(page, "condition1");
            QVERIFY(ApplyEnabled(sheet));
            // Applied and then cancelled: the current search keeps the applied values,
            // the standard search does not.
            WhenModal<FindSheet>([](FindSheet* find) {
                Tabs(find)->setCurrentIndex(1);
                QWidget* kinds = Page(find, "teigiPage");
                In<QCheckBox>(kinds, "testOn")->click();
                Click(find, "apply");
                Click(find, "cancel");
            });
            Click(page, "condition0");
            QTest::keyClicks(In<QLineEdit>(page, "name1"), QStringLiteral("!"));
            In<QRadioButton>(page, "initial6")->click();
            Click(sheet, "ok");
        }));
        const CDocOptions& o = f.s.doc().m_options;
        QCOMPARE(o.m_stdFind[1].m_stringOn, 1);
        QCOMPARE(o.m_stdFind[1].m_search, std::string("q"));
        QCOMPARE(o.m_stdFind[1].m_selOn, 0); // turned off while selection items are off
        QCOMPARE(o.m_stdFind[1].m_arrSelItems, std::vector<std::string>{"s"});
        QCOMPARE(o.m_strStdFindName[1], texts::Undefined() + "!");
        QCOMPARE(o.m_nInitialFind, 6);
        // The shown pages reached the current search too: the scope page and the string page.
        const CFindCondition& current = f.s.doc().m_findCond;
        QCOMPARE(current.m_scope, 0);
        QCOMPARE(current.m_search, std::string("q"));
        QCOMPARE(current.m_kindsOn, 1);
        QCOMPARE(o.m_stdFind[0].m_kindsOn, 0);
    }
};

QTEST_MAIN(OptionsSheetTest)
#include "OptionsSheetTest.moc"
