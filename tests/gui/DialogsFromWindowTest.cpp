#include "core/tree/TreeControl.h"
#include "gui/common/Cp932Text.h"
#include "gui/search/CStdFindDlg.h"
#include "gui/search/FindSheet.h"
#include "gui/shell/CExportFileDlg.h"
#include "gui/shell/OptionsSheet.h"
#include "gui/shell/QtDialogs.h"
#include "gui/tree/CMemoPropDlg.h"
#include "support/DialogDriver.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

namespace {

// The main window over the Qt dialogs: its commands open the real dialogs.
struct QtDialogsWindow : WindowFixture {
    QtDialogs qt;
    QtDialogsWindow() {
        qt.SetParent(window.get());
        dialogs.onMemoProperties = [this](MemoPropValues& v, const CDocOptions& o) { return qt.MemoProperties(v, o); };
        dialogs.onFindSheet = [this](CFindCondition& c, const CDocOptions& o, bool r) { return qt.FindSheet(c, o, r); };
        dialogs.onStdFindChoice = [this](const CDocOptions& o, int last) { return qt.StdFindChoice(o, last); };
        dialogs.onSubtreeExport = [this](const std::string& name, bool t, bool v) {
            return qt.SubtreeExport(name, t, v);
        };
        dialogs.onOptionsSheet = [this](CKardelDoc& doc) { return qt.OptionsSheet(doc); };
        window->show();
    }
    void Trigger(int id) {
        QAction* action = ActionOf(*window, id);
        QVERIFY2(action, qPrintable(QString::number(id)));
        window->RefreshActions();
        QVERIFY2(action->isEnabled(), qPrintable(QString::number(id)));
        action->trigger();
    }
    CMemoItem* Select(const QString& title) {
        CMemoItem* found = nullptr;
        for (auto& memo : window->doc().Memos())
            if (!found && FromCp932(memo->m_strTitle) == title)
                found = memo.get();
        if (found)
            window->session().m_treeView.Tree().Select(found->m_hTreeItem);
        return found;
    }
};

QTabWidget* Tabs(QWidget* sheet) {
    return sheet->findChild<QTabWidget*>(QStringLiteral("tabs"));
}

} // namespace

class DialogsFromWindowTest : public QObject {
    Q_OBJECT
private slots:
    void propertiesRenameAndAddTheTypedSelectionItem() {
        QtDialogsWindow f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        CMemoItem* memo = f.Select(Utf8("食料品"));
        QVERIFY(memo);
        WhenModal<CMemoPropDlg>([](CMemoPropDlg* d) {
            d->findChild<QLineEdit*>(QStringLiteral("title"))->setText(Utf8("野菜"));
            d->findChild<QComboBox*>(QStringLiteral("selItem"))->setEditText(Utf8("急ぎ"));
            d->findChild<QRadioButton*>(QStringLiteral("kind6"))->click();
            Click(d, "ok");
        });
        f.Trigger(ID_MEMO_PROPERTY);
        QCOMPARE(FromCp932(memo->m_strTitle), Utf8("野菜"));
        QCOMPARE(memo->m_nKind, std::int32_t(KindDone));
        QCOMPARE(f.window->doc().m_options.m_arrSelItems, std::vector<std::string>{ToCp932(Utf8("急ぎ"))});
        QVERIFY(f.window->doc().IsModified());
    }

    void findSheetSearchesAndStandardSearchByKey() {
        QtDialogsWindow f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        WhenModal<FindSheet>([](FindSheet* sheet) {
            Tabs(sheet)->setCurrentIndex(1);
            QWidget* page = sheet->findChild<QWidget*>(QStringLiteral("teigiPage"));
            page->findChild<QCheckBox*>(QStringLiteral("testOn"))->click();
            page->findChild<QCheckBox*>(QStringLiteral("kind2"))->click(); // done
            Click(sheet, "ok");
        });
        f.Trigger(ID_FIND);
        QCOMPARE(f.window->doc().m_findCond.m_kindDone, 1);
        QCOMPARE(f.window->session().m_findView.RowCount(), 1); // "見積書の送付"

        f.window->doc().m_options.m_stdFind[1].ResetToAllMemos();
        WhenModal<CStdFindDlg>([](CStdFindDlg* d) { QTest::keyClick(d->List(), Qt::Key_2); });
        f.Trigger(ID_FIND_STANDARD);
        QCOMPARE(f.window->doc().m_nStdFind, 2);
        QVERIFY(f.window->session().m_findView.RowCount() > 5);
    }

    void optionsAboutAndExportFromTheirCommands() {
        QtDialogsWindow f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        WhenModal<OptionsSheet>([](OptionsSheet* sheet) {
            sheet->findChild<QCheckBox*>(QStringLiteral("selectModifies"))->click();
            Click(sheet, "ok");
        });
        f.Trigger(ID_OPTIONS);
        QVERIFY(f.window->doc().IsModified());
        QCOMPARE(f.settings.GetInt("Settings", AppSettings::kSelectModifies, 0), 1);
        f.settings.SetInt("Settings", AppSettings::kSelectModifies, 0);

        // The scripted dialogs have no hook for the About box; they count it.
        f.Trigger(ID_APP_ABOUT);
        QCOMPARE(f.dialogs.m_aboutShown, 1);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("subtree.txt"));
        f.Select(Utf8("買い物"));
        WhenModal<CExportFileDlg>([&](CExportFileDlg* d) {
            d->TitleOnlyBox()->click();
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
        f.Trigger(ID_EXPORT_SUBTREE);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ToCp932(Utf8("買い物\r\n\r\n\t食料品\r\n\r\n\t文房具\r\n\r\n")).c_str());
        QCOMPARE(f.settings.GetInt("Settings", AppSettings::kExportTitleOnly, 0), 1);
        f.settings.SetInt("Settings", AppSettings::kExportTitleOnly, 0);
    }

    void exchangeFormatsFromTheExportMenuAndBackThroughImport() {
        QtDialogsWindow f;
        QVERIFY(f.window->OpenFile(DemoPath()));
        QMenu* exportMenu = nullptr;
        for (QMenu* menu : f.window->menuBar()->findChildren<QMenu*>())
            if (menu->title() == Utf8("ｴｸｽﾎﾟｰﾄ(&E)"))
                exportMenu = menu;
        QVERIFY(exportMenu);
        QStringList names;
        for (QAction* action : exportMenu->actions())
            names << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(names.mid(4), (QStringList{QStringLiteral("-"), Utf8("選択中のMemo以下をMarkdownで書き出す..."),
                                            Utf8("選択中のMemo以下をOPMLで書き出す..."),
                                            Utf8("選択中のMemo以下をHTMLで書き出す...")}));

        QTemporaryDir dir;
        const std::string opml = dir.filePath(QStringLiteral("shop.opml")).toStdString();
        f.Select(Utf8("買い物"));
        const size_t before = f.window->doc().Memos().size();
        f.fileDialogs.m_answers = {opml};
        f.Trigger(ID_EXPORT_OPML);
        QCOMPARE(f.fileDialogs.m_requests.back().defaultExtension, std::string("opml"));
        QCOMPARE(FromCp932(f.fileDialogs.m_requests.back().initialName), Utf8("買い物"));
        QFile file(QString::fromStdString(opml));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(Utf8("<outline text=\"食料品\"").toUtf8()));

        f.Select(Utf8("食料品"));
        f.fileDialogs.m_answers = {opml};
        f.Trigger(ID_IMPORT);
        QCOMPARE(f.window->doc().Memos().size(), before + 3); // 買い物 with its two children
        QVERIFY(f.messages.m_shown.empty());
    }
};

QTEST_MAIN(DialogsFromWindowTest)
#include "DialogsFromWindowTest.moc"
