#pragma once
#include "core/base/SettingsStore.h"

#include <QByteArray>
#include <QStringList>

namespace kardel::gui {

// The per-user settings of company "Velmora", application "Kardel". Every read opens the
// store afresh, so a value changed elsewhere is seen at once; nothing is cached.
class QtSettingsStore : public ISettingsStore {
public:
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override;
    void SetInt(const std::string& section, const std::string& name, int value) override;

    static QStringList RecentFiles();
    static void SetRecentFiles(const QStringList& paths);
    // "ToolBarState": the toolbars' places and visibility, and whether the status bar shows.
    struct BarState {
        QByteArray toolBars;
        bool statusBar = true;
    };
    static BarState ToolBarState();
    static void SetToolBarState(const BarState& state);
};

} // namespace kardel::gui
