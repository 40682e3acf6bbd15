#include "core/model/RecoveryStore.h"

#include "core/base/FileSystem.h"
#include "core/base/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kardel {
namespace {

constexpr const char* kInfoHeader = "Kardel recovery 1";

// A path may hold any byte but NUL; the info file keeps it on one line.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// An open, exclusively locked lock file, or -1 when another process holds the lock.
int LockOrFail(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string RecoveryStore::DefaultFolder() {
    return XdgUserFolder("XDG_STATE_HOME", ".local/state", "Kardel/recovery");
}

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {
    if (MakeFolders(m_folder, 0700))
        ::chmod(m_folder.c_str(), 0700);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    char id[64];
    std::snprintf(id, sizeof id, "%ld-%lx%08lx", static_cast<long>(::getpid()), static_cast<unsigned long>(now.tv_sec),
                  static_cast<unsigned long>(now.tv_nsec));
    m_id = id;
    // The lock file appears already locked: a scan in another instance starting at the
    // same moment must never take it for the record of a dead one.
    const std::string hidden = m_folder + "/." + m_id + ".lock";
    m_lockFd = LockOrFail(hidden);
    if (m_lockFd >= 0 && ::rename(hidden.c_str(), PathOf(m_id, ".lock").c_str()) != 0) {
        ::unlink(hidden.c_str());
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    m_pendingInfo = true;
    m_worker = std::thread([this] { Run(); });
}

RecoveryStore::~RecoveryStore() {
    {
        std::unique_lock lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
    for (auto& [id, fd] : m_claimed)
        ::close(fd);
    if (!m_hasCopy) {
        ::unlink(PathOf(m_id, ".info").c_str());
        ::unlink(PathOf(m_id, ".lock").c_str());
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

std::string RecoveryStore::PathOf(const std::string& id, const char* extension) const {
    return m_folder + "/" + id + extension;
}

void RecoveryStore::WriteCopyLater(CopyBytes bytes, const std::string& originalPath, const FileIdentity& identity) {
    {
        std::unique_lock lock(m_mutex);
        m_info.path = originalPath;
        m_info.identity = identity;
        m_info.writtenAt = Clock::Now();
        m_pendingCopy = std::move(bytes);
        m_pendingRemove = false;
        m_pendingInfo = true;
        m_hasCopy = true;
    }
    m_wake.notify_all();
}

void RecoveryStore::RemoveCopyLater() {
    {
        std::unique_lock lock(m_mutex);
        if (!m_hasCopy && !m_pendingCopy)
            return;
        m_pendingCopy.reset();
        m_pendingRemove = true;
        m_hasCopy = false;
    }
    m_wake.notify_all();
}

void RecoveryStore::SetHeldPath(const std::string& path) {
    {
        std::unique_lock lock(m_mutex);
        if (m_info.path == path)
            return;
        m_info.path = path;
        m_pendingInfo = true;
    }
    m_wake.notify_all();
}

void RecoveryStore::Flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_busy && !m_pendingCopy && !m_pendingRemove && !m_pendingInfo; });
}

std::optional<std::string> RecoveryStore::TakeError() {
    std::unique_lock lock(m_mutex);
    return std::exchange(m_error, std::nullopt);
}

bool RecoveryStore::HasCopy() const {
    std::unique_lock lock(m_mutex);
    return m_hasCopy;
}

void RecoveryStore::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_pendingCopy || m_pendingRemove || m_pendingInfo; });
        if (!m_pendingCopy && !m_pendingRemove && !m_pendingInfo)
            return; // stopping with nothing left to do
        std::optional<CopyBytes> copy = std::exchange(m_pendingCopy, std::nullopt);
        bool remove = std::exchange(m_pendingRemove, false);
        bool info = std::exchange(m_pendingInfo, false);
        Info snapshot = m_info;
        m_busy = true;
        lock.unlock();

        std::optional<std::string> error;
        const std::string copyPath = PathOf(m_id, ".kdl");
        if (remove)
            ::unlink(copyPath.c_str());
        if (copy) {
            FileResult written = WriteFileSafely(copyPath, [this, &copy](IOutput& out) {
                if (ForkedProducer* producer = std::get_if<ForkedProducer>(&*copy)) {
                    if (producer->WriteTo(out))
                        return true;
                    m_forkedCopyFailed = true;
                    return false;
                }
                const PageBuffer& bytes = std::get<PageBuffer>(*copy);
                return out.Write(bytes.data(), bytes.size());
            });
            if (!written.ok)
                error = written.message;
        }
        if (info)
            WriteInfo(snapshot);

        lock.lock();
        m_busy = false;
        if (error)
            m_error = error;
        m_idle.notify_all();
    }
}

void RecoveryStore::WriteInfo(const Info& info) {
    std::ostringstream text;
    text << kInfoHeader << "\npath=" << Escape(info.path) << "\nidentity=" << info.identity.ToText()
         << "\nwritten=" << info.writtenAt << "\n";
    const std::string bytes = text.str();
    WriteFileSafely(PathOf(m_id, ".info"), [&bytes](IOutput& out) { return out.Write(bytes.data(), bytes.size()); });
}

std::optional<RecoveryStore::Info> RecoveryStore::ReadInfo(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok)
        return std::nullopt;
    std::istringstream in(bytes);
    std::string line;
    if (!std::getline(in, line) || line != kInfoHeader)
        return std::nullopt;
    Info info;
    while (std::getline(in, line)) {
        if (line.rfind("path=", 0) == 0)
            info.path = Unescape(line.substr(5));
        else if (line.rfind("identity=", 0) == 0)
            info.identity = FileIdentity::FromText(line.substr(9));
        else if (line.rfind("written=", 0) == 0)
            info.writtenAt = static_cast<time32>(std::strtol(line.c_str() + 8, nullptr, 10));
    }
    return info;
}

std::vector<RecoveryCopy> RecoveryStore::ClaimOrphans() {
    std::set<std::string> ids;
    std::set<std::string> withCopy;
    if (DIR* dir = ::opendir(m_folder.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name.empty() || name[0] == '.') // "." "..", and a writer's temporary files
                continue;
            for (const char* extension : {".kdl", ".info", ".lock"}) {
                if (!EndsWith(name, extension))
                    continue;
                std::string id = name.substr(0, name.size() - std::char_traits<char>::length(extension));
                if (id != m_id && !m_claimed.count(id)) {
                    ids.insert(id);
                    if (std::string(extension) == ".kdl")
                        withCopy.insert(id);
                }
            }
        }
        ::closedir(dir);
    }
    std::set<std::string> held;
    std::vector<RecoveryCopy> copies;
    for (const std::string& id : ids) {
        int fd = LockOrFail(PathOf(id, ".lock"));
        if (fd < 0) {
            // A running instance: what it holds is not for us to restore.
            if (std::optional<Info> info = ReadInfo(PathOf(id, ".info")); info && !info->path.empty())
                held.insert(CanonicalPath(info->path));
            continue;
        }
        if (!withCopy.count(id)) {
            // Gone without unsaved changes: nothing of it is worth keeping.
            ::unlink(PathOf(id, ".info").c_str());
            ::unlink(PathOf(id, ".lock").c_str());
            ::close(fd);
            continue;
        }
        RecoveryCopy copy;
        copy.id = id;
        copy.copyPath = PathOf(id, ".kdl");
        if (std::optional<Info> info = ReadInfo(PathOf(id, ".info"))) {
            copy.originalPath = info->path;
            copy.identity = info->identity;
            copy.writtenAt = info->writtenAt;
        }
        m_claimed[id] = fd;
        copies.push_back(std::move(copy));
    }
    std::vector<RecoveryCopy> offered;
    for (RecoveryCopy& copy : copies) {
        if (!copy.originalPath.empty() && held.count(CanonicalPath(copy.originalPath)))
            Release(copy);
        else
            offered.push_back(std::move(copy));
    }
    std::stable_sort(offered.begin(), offered.end(),
                     [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.writtenAt < b.writtenAt; });
    return offered;
}

FileResult RecoveryStore::Read(const RecoveryCopy& copy, std::string& bytes) const {
    return ReadWholeFile(copy.copyPath, bytes);
}

void RecoveryStore::Discard(const RecoveryCopy& copy) {
    ::unlink(PathOf(copy.id, ".kdl").c_str());
    ::unlink(PathOf(copy.id, ".info").c_str());
    ::unlink(PathOf(copy.id, ".lock").c_str());
    Release(copy);
}

void RecoveryStore::Release(const RecoveryCopy& copy) {
    if (auto it = m_claimed.find(copy.id); it != m_claimed.end()) {
        ::close(it->second);
        m_claimed.erase(it);
    }
}

} // namespace kardel
