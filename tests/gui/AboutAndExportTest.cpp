#include "gui/shell/CAboutDlg.h"
#include "gui/shell/CExportFileDlg.h"
#include "gui/shell/HelpPage.h"
#include "gui/shell/LinkLabel.h"
#include "gui/shell/QtDialogs.h"
#include "gui/shell/QtFileDialogs.h"
#include "support/DialogDriver.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace kardel;
using namespace kardel::gui;

class AboutAndExportTest : public QObject {
    Q_OBJECT
private slots:
    void aboutBoxShowsTheVersionAndOpensTheHelpPage() {
        QList<QUrl> opened;
        CAboutDlg::UrlOpener() = [&](const QUrl& url) { opened << url; };
        QtDialogs dialogs;
        WhenModal<CAboutDlg>([&](CAboutDlg* about) {
            QCOMPARE(about->windowTitle(), QString::fromUtf8("Kardelのﾊﾞｰｼﾞｮﾝ情報"));
            QLabel* version = about->VersionLabel();
            QCOMPARE(version->text(), QStringLiteral("Kardel Version 1.15")); // program version 1.1.5.0
            QVERIFY(version->font().bold());
            QCOMPARE(version->font().pixelSize(), 18);
            QCOMPARE(version->palette().color(QPalette::WindowText), QColor(Qt::red));
            for (const char* name : {"webLink", "mailLink"}) {
                auto* link = about->findChild<LinkLabel*>(QLatin1String(name));
                QVERIFY(link->font().underline());
                QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
                QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
                QTest::mouseClick(link, Qt::LeftButton);
            }
            Click(about, "ok");
        });
        dialogs.AboutBox();
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened[0].isLocalFile());
        QCOMPARE(opened[1].fragment(), QStringLiteral("contact"));
        QFile page(opened[0].toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        QVERIFY(html.contains(QString::fromUtf8("Kardel ヘルプ")));
        QVERIFY(html.contains(QStringLiteral("id=\"contact\"")));
        QCOMPARE(HelpPage::Url().toLocalFile(), opened[0].toLocalFile());
    }

    void subtreeExportReturnsThePathAndBothBoxes() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        QtDialogs dialogs;
        WhenModal<CExportFileDlg>([&](CExportFileDlg* d) {
            QCOMPARE(d->TitleOnlyBox()->text(), QString::fromUtf8("タイトルのみ書き出す"));
            QCOMPARE(d->ViewOnlyBox()->text(), QString::fromUtf8("表示しているMemoのみを書き出す"));
            QVERIFY(d->TitleOnlyBox()->isChecked());
            QVERIFY(!d->ViewOnlyBox()->isChecked());
            QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(d->defaultSuffix(), QStringLiteral("txt"));
            d->ViewOnlyBox()->click();
            d->TitleOnlyBox()->click();
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept(); // as the dialog's own button does
        });
        std::optional<SubtreeExportChoice> choice = dialogs.SubtreeExport("Data", true, false);
        QVERIFY(choice);
        QCOMPARE(QString::fromStdString(choice->path), path);
        QVERIFY(!choice->titleOnly);
        QVERIFY(choice->viewOnly);

        WhenModal<CExportFileDlg>([](CExportFileDlg* d) {
            d->ViewOnlyBox()->click();
            d->reject();
        });
        QVERIFY(!dialogs.SubtreeExport("Data", false, false));
    }

    void importAsksForAnExistingKardelFile() {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("other.kdl"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QtFileDialogs dialogs;
        FileDialogRequest import;
        import.defaultExtension = "kdl";
        import.filter = "Kardel Files (*.kdl)|*.kdl|All Files (*.*)|*.*||";
        WhenModal<QFileDialog>([&](QFileDialog* d) {
            QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(d->nameFilters().size(), 2);
            d->selectFile(existing);
            static_cast<QDialog*>(d)->accept(); // as the dialog's own button does
        });
        QCOMPARE(dialogs.Run(import), std::optional<std::string>(existing.toStdString()));
        WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QCOMPARE(dialogs.Run(import), std::nullopt);
    }
};

QTEST_MAIN(AboutAndExportTest)
#include "AboutAndExportTest.moc"
