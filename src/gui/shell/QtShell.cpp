#include "gui/shell/QtShell.h"

#include "gui/common/Cp932Text.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kardel::gui {

void QtShell::Open(const std::string& target) {
    // The text goes as it is; whether it opens is the desktop's business, and failure is ignored.
    QDesktopServices::openUrl(QUrl(FromCp932(target), QUrl::TolerantMode));
}

void QtShell::StartNewInstance() {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

} // namespace kardel::gui
