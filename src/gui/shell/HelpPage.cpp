#include "gui/shell/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

// The resources live in the static GUI library; whoever uses them registers them.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace kardel::gui {

QUrl HelpPage::Url(const QString& section) {
    InitHelpResources();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/kardel");
    folder += QStringLiteral("/help");
    const QString path = folder + QStringLiteral("/index.html");
    QFile source(QStringLiteral(":/help/index.html"));
    if (!QDir().mkpath(folder) || !source.open(QIODevice::ReadOnly))
        return {};
    const QByteArray page = source.readAll();
    // Rewritten every time, so that a newer program never shows an older page.
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) || target.write(page) != page.size())
        return {};
    target.close();
    QUrl url = QUrl::fromLocalFile(path);
    if (!section.isEmpty())
        url.setFragment(section);
    return url;
}

} // namespace kardel::gui
