#include "core/model/BackupRotation.h"

#include "core/base/FileIdentity.h"
#include "core/base/FileSystem.h"
#include "core/base/SafeFile.h"
#include "core/base/SettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kardel {
namespace {

// Cuts a UTF-8 name to at most `limit` bytes without splitting a character.
std::string CutName(std::string name, size_t limit) {
    if (name.size() <= limit)
        return name;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    name.resize(end);
    return name;
}

} // namespace

int BackupRotation::CountSetting(const ISettingsStore& store) {
    int count = store.GetInt(AppSettings::kSection, AppSettings::kBackupCount, kDefaultCount);
    return std::clamp(count, 0, kMaxCount);
}

std::string BackupRotation::DefaultFolder() {
    return XdgUserFolder("XDG_DATA_HOME", ".local/share", "Kardel/backups");
}

std::string BackupRotation::Prefix(const std::string& documentPath) const {
    std::string name = FileNameOf(documentPath);
    if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    char tag[16];
    std::snprintf(tag, sizeof tag, "%08x",
                  static_cast<unsigned>(ContentHasher::Of(CanonicalPath(documentPath)) & 0xFFFFFFFFu));
    return CutName(name, 160) + "_" + tag + "_";
}

std::vector<std::string> BackupRotation::BackupsOf(const std::string& documentPath) const {
    struct Entry {
        std::int64_t mtimeNs;
        std::string path;
    };
    std::vector<Entry> found;
    const std::string prefix = Prefix(documentPath);
    if (DIR* dir = ::opendir(m_folder.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
                name.compare(name.size() - 4, 4, ".kdl") != 0)
                continue;
            std::string path = m_folder + "/" + name;
            if (std::optional<FileIdentity> info = FileIdentity::Stat(path))
                found.push_back({info->mtimeNs, path});
        }
        ::closedir(dir);
    }
    // Written order: a backup's own time stamp is the moment it was made; the name breaks ties.
    std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
        return a.mtimeNs != b.mtimeNs ? a.mtimeNs < b.mtimeNs : a.path < b.path;
    });
    std::vector<std::string> paths;
    for (Entry& entry : found)
        paths.push_back(std::move(entry.path));
    return paths;
}

namespace {

// Whether the files hold the same bytes, read a piece at a time from their offsets;
// a file that cannot be read is taken as different.
bool SameBytes(int a, int b) {
    constexpr size_t kPiece = 1 << 18;
    std::string left(kPiece, '\0'), right(kPiece, '\0');
    for (;;) {
        ssize_t n = ReadFull(a, left.data(), kPiece), m = ReadFull(b, right.data(), kPiece);
        if (n < 0 || n != m || std::memcmp(left.data(), right.data(), static_cast<size_t>(n)) != 0)
            return false;
        if (n == 0)
            return true;
    }
}

} // namespace

FileResult BackupRotation::Keep(const std::string& documentPath, time32 now) {
    if (m_keep <= 0 || !FileIdentity::Stat(documentPath))
        return FileResult::Success();
    // The version is streamed from the file: however large, it is never held in memory.
    FileResult opened;
    ScopedDescriptor source{OpenRegularFile(documentPath, opened)};
    if (source.fd < 0)
        return opened;
    struct stat info {};
    if (::fstat(source.fd, &info) != 0)
        return FileResult::Failure(FileErrorMessage(errno, documentPath, false));
    if (!MakeFolders(m_folder, 0700))
        return FileResult::Failure(FileErrorMessage(errno, m_folder, true));
    std::vector<std::string> existing = BackupsOf(documentPath);
    if (!existing.empty()) {
        std::optional<FileIdentity> newest = FileIdentity::Stat(existing.back());
        if (newest && newest->size == static_cast<std::int64_t>(info.st_size)) {
            FileResult ignored;
            ScopedDescriptor backup{OpenRegularFile(existing.back(), ignored)};
            bool same = backup.fd >= 0 && SameBytes(source.fd, backup.fd);
            if (same)
                return FileResult::Success(); // saved again unchanged: older versions stay
            if (::lseek(source.fd, 0, SEEK_SET) != 0)
                return FileResult::Failure(FileErrorMessage(errno, documentPath, false));
        }
    }
    const std::string base = m_folder + "/" + Prefix(documentPath) + FormatLocalTime(now, "%Y%m%d-%H%M%S");
    std::string target = base + ".kdl";
    for (int n = 2; FileIdentity::Stat(target); ++n)
        target = base + "_" + std::to_string(n) + ".kdl";
    FileOutput output(target);
    if (FileResult status = output.Open(); !status.ok)
        return status;
    if (!output.CopyFrom(source.fd)) {
        FileResult status = output.Status();
        return status.ok ? FileResult::Failure(FileErrorMessage(EIO, target, true)) : status;
    }
    if (FileResult written = output.Commit(); !written.ok)
        return written;
    existing.push_back(target); // the newest
    for (size_t i = 0; i + static_cast<size_t>(m_keep) < existing.size(); ++i)
        ::unlink(existing[i].c_str());
    return FileResult::Success();
}

} // namespace kardel
