#include "shell/QtSettingsStore.h"

#include <QSettings>

namespace kardel::gui {
namespace {

QString Key(const std::string& section, const std::string& name) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

QSettings Store() {
    return QSettings(QStringLiteral("Velmora"), QStringLiteral("Kardel"));
}

} // namespace

int QtSettingsStore::GetInt(const std::string& section, const std::string& name, int defaultValue) const {
    bool ok = false;
    int value = Store().value(Key(section, name), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void QtSettingsStore::SetInt(const std::string& section, const std::string& name, int value) {
    Store().setValue(Key(section, name), value);
}

QStringList QtSettingsStore::RecentFiles() {
    return Store().value("Recent File List/Files").toStringList();
}

void QtSettingsStore::SetRecentFiles(const QStringList& paths) {
    Store().setValue("Recent File List/Files", paths);
}

QByteArray QtSettingsStore::ToolBarState() {
    return Store().value("ToolBarState").toByteArray();
}

void QtSettingsStore::SetToolBarState(const QByteArray& state) {
    Store().setValue("ToolBarState", state);
}

} // namespace kardel::gui
