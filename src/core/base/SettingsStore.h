#pragma once
#include <map>
#include <string>

namespace kardel {

// The per-user settings store (company "Velmora", application "Kardel").
// Section and value names are UTF-8. A missing value reads as its default.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual int GetInt(const std::string& section, const std::string& name, int defaultValue) const = 0;
    virtual void SetInt(const std::string& section, const std::string& name, int value) = 0;
};

// Every value the program keeps in the store, read at the moment it is needed.
class AppSettings {
public:
    static constexpr const char* kSection = "Settings";
    static constexpr const char* kCloseOtherFolders = "ﾌｫﾙﾀﾞ";
    static constexpr const char* kShowFirstFound = "FindViewをｱｸﾃｨﾌﾞに";
    static constexpr const char* kAutoSave = "自動保存";
    static constexpr const char* kSelectModifies = "Memo選択";
    static constexpr const char* kExportViewOnly = "Export-ViewOnly";
    static constexpr const char* kExportTitleOnly = "Export-TitleOnly";
    // How many earlier versions a save keeps (default 5, 0 off); read through BackupRotation.
    static constexpr const char* kBackupCount = "ﾊﾞｯｸｱｯﾌﾟ数";

    explicit AppSettings(ISettingsStore& store) : m_store(store) {}

    int Get(const char* name) const { return m_store.GetInt(kSection, name, 0); }
    void Set(const char* name, int value) { m_store.SetInt(kSection, name, value); }
    ISettingsStore& store() const { return m_store; }

private:
    ISettingsStore& m_store;
};

// In memory: the CLI's store and the tests'.
class MemorySettingsStore : public ISettingsStore {
public:
    int GetInt(const std::string& section, const std::string& name, int defaultValue) const override {
        auto it = m_values.find(section + "\n" + name);
        return it == m_values.end() ? defaultValue : it->second;
    }
    void SetInt(const std::string& section, const std::string& name, int value) override {
        m_values[section + "\n" + name] = value;
    }

private:
    std::map<std::string, int> m_values;
};

} // namespace kardel
