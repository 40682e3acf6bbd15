#include "gui/shell/QtSettingsStore.h"

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

QtSettingsStore::BarState QtSettingsStore::ToolBarState() {
    QSettings store = Store();
    BarState state;
    if (store.contains("ToolBarState/ToolBars")) {
        state.toolBars = store.value("ToolBarState/ToolBars").toByteArray();
        state.statusBar = store.value("ToolBarState/StatusBar", true).toBool();
    } else {
        state.toolBars = store.value("ToolBarState").toByteArray(); // as older versions kept it
    }
    return state;
}

void QtSettingsStore::SetToolBarState(const BarState& state) {
    QSettings store = Store();
    store.remove("ToolBarState");
    store.setValue("ToolBarState/ToolBars", state.toolBars);
    store.setValue("ToolBarState/StatusBar", state.statusBar);
}

} // namespace kardel::gui
