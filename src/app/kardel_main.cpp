// kardel [FILE]: the window.
#include "core/model/BackupRotation.h"
#include "core/model/RecoveryStore.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtDialogs.h"
#include "gui/shell/QtFileDialogs.h"
#include "gui/shell/QtMessageBox.h"
#include "gui/shell/QtSettingsStore.h"
#include "gui/shell/QtShell.h"
#include "gui/shell/SingleInstance.h"

#include "core/base/Cp932Codec.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace {

// The command line's help; the manual page kardel(1) is made from it by help2man.
const char kHelp[] = R"(Usage: kardel [FILE.kdl]
  or:  kardel --help | --version
Opens the window of Kardel, an outliner for short notes ("memos") with a Japanese
interface, on FILE.kdl, or on a new document when no file is given.

A document is one outline: a root, a trash bin and any number of nested memos,
each with a title, a plain-text body, a kind with its icon, dates and a selection
item. The window shows the tree, the body of the selected memo, its title strip and
the memos found by the last search. When another Kardel window already holds
FILE.kdl, that window comes to the front and the new one exits.

Exit status:
  0                 the window was closed, or the file came forward in another window
  1                 the system cannot convert CP932 (Shift-JIS) text
  2                 bad usage

Options:
  -h, --help        show this help and exit
  -V, --version     show the program's name and version and exit
The window also takes the options of Qt, such as -platform NAME and -style NAME.
)";

// --help and --version are answered before any window exists, so that they work
// without a display. Returns the exit code, or -1 when the window should open.
int AnswerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
        } else if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-V") == 0) {
            std::printf("kardel %s\n", KARDEL_VERSION);
        } else {
            continue;
        }
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (int code = AnswerWithoutWindow(argc, argv); code >= 0)
        return code;
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
        std::fprintf(stderr, "Usage: kardel [FILE.kdl]\nTry 'kardel --help' for more information.\n");
        return 2;
    }

    kardel::gui::QtSettingsStore settings;
    kardel::gui::QtMessageBox messages;
    kardel::gui::QtFileDialogs fileDialogs;
    kardel::gui::QtShell shell;
    kardel::gui::QtDialogs dialogs;
    kardel::gui::SingleInstance instance;
    kardel::RecoveryStore recovery(kardel::RecoveryStore::DefaultFolder());
    kardel::gui::MainWindow window({settings, messages, fileDialogs, shell, dialogs}, &instance);
    messages.SetParent(&window);
    fileDialogs.SetParent(&window);
    dialogs.SetParent(&window);
    window.EnableRecovery(recovery);
    window.SetBackupFolder(kardel::BackupRotation::DefaultFolder());

    if (!args.isEmpty()) {
        const QString path = QFileInfo(args[0]).absoluteFilePath();
        if (!window.OpenFile(path) && window.fileCommands().HandedOver())
            return 0; // the instance holding the file has come forward
    }
    window.show();
    const bool measuring =
        qEnvironmentVariableIsSet("KARDEL_STARTUP_PROBE") || qEnvironmentVariableIsSet("KARDEL_SCREENSHOT");
    if (!measuring) // what an earlier instance left behind, once the window is up
        QTimer::singleShot(0, &window, [&window] { window.OfferRecoveredCopies(); });
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
