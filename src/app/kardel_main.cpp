// kardel [FILE]: the window.
#include "dialogs/QtDialogs.h"
#include "dialogs/QtFileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/QtMessageBox.h"
#include "shell/QtSettingsStore.h"
#include "shell/QtShell.h"
#include "shell/SingleInstance.h"

#include "model/Cp932Codec.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Kardel"));
    QApplication::setApplicationVersion(QStringLiteral(KARDEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kardel"));

    // The toolkit's own texts (buttons, file dialogs) in Japanese.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // Every text the program holds is cp932: without the converter nothing can be shown.
    if (!kardel::Cp932Codec::IsAvailable()) {
        std::fprintf(stderr, "kardel: %s\n", kardel::Cp932Codec::MissingMessageUtf8());
        QMessageBox::critical(nullptr, QStringLiteral("Kardel"),
                              QString::fromUtf8(kardel::Cp932Codec::MissingMessageUtf8()));
        return 1;
    }

    const QStringList args = app.arguments().mid(1);
    if (args.size() > 1 || (!args.isEmpty() && args[0].startsWith(QLatin1Char('-')))) {
        std::fprintf(stderr, "usage: kardel [FILE.kdl]\n");
        return 2;
    }

    kardel::gui::QtSettingsStore settings;
    kardel::gui::QtMessageBox messages;
    kardel::gui::QtFileDialogs fileDialogs;
    kardel::gui::QtShell shell;
    kardel::gui::QtDialogs dialogs;
    kardel::gui::SingleInstance instance;
    kardel::gui::MainWindow window({settings, messages, fileDialogs, shell, dialogs}, &instance);
    messages.SetParent(&window);
    fileDialogs.SetParent(&window);
    dialogs.SetParent(&window);

    if (!args.isEmpty()) {
        const QString path = QFileInfo(args[0]).absoluteFilePath();
        if (!window.OpenFile(path) && window.fileCommands().HandedOver())
            return 0; // the instance holding the file has come forward
    }
    window.show();
    if (qEnvironmentVariableIsSet("KARDEL_STARTUP_PROBE")) {
        // Start-up measurement: quit once the first paint has happened.
        QTimer::singleShot(0, &app, [&app] { app.quit(); });
    }
    const QString screenshot = qEnvironmentVariable("KARDEL_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        // Documentation pictures: the window as a user sees it, then quit.
        QTimer::singleShot(800, &app, [&app, &window, screenshot] {
            window.grab().save(screenshot);
            app.quit();
        });
    }
    return app.exec();
}
