#pragma once
#include "core/base/Clock.h"
#include "core/base/FileResult.h"

#include <string>
#include <vector>

namespace kardel {

class ISettingsStore;

// Keeps the last versions a save replaces, in one per-user folder: each document's
// backups are named after the document (its file name and a tag of its full path, so
// that two "memo.kdl" in different folders keep separate rotations) and the local time
// of the save, and only the newest `keep` of them stay.
class BackupRotation {
public:
    static constexpr int kDefaultCount = 5;
    static constexpr int kMaxCount = 99;

    BackupRotation(std::string folder, int keep) : m_folder(std::move(folder)), m_keep(keep) {}

    // How many versions the settings store asks for (0 is off).
    static int CountSetting(const ISettingsStore& store);
    // $XDG_DATA_HOME/Kardel/backups, or ~/.local/share/Kardel/backups.
    static std::string DefaultFolder();

    // Copies the file at `documentPath` into the folder as its newest backup, then removes
    // its oldest beyond the count. Does nothing when the count is 0, the file does not exist
    // or it holds what the newest backup already holds. The message of a failure is cp932.
    FileResult Keep(const std::string& documentPath, time32 now);

    // The backups of `documentPath`, oldest first (full paths).
    std::vector<std::string> BackupsOf(const std::string& documentPath) const;

private:
    std::string Prefix(const std::string& documentPath) const;

    std::string m_folder;
    int m_keep;
};

} // namespace kardel
