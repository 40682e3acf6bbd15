#include "core/base/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace kardel {

std::string FileNameOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string XdgUserFolder(const char* variable, const char* fallback, const std::string& sub) {
    const char* base = std::getenv(variable);
    if (base && base[0] == '/')
        return std::string(base) + "/" + sub;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + fallback + "/" + sub;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool MakeFolders(const std::string& folder, unsigned mode) {
    if (folder.empty())
        return errno = ENOENT, false;
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? true : (errno = ENOTDIR, false);
    if (auto slash = folder.rfind('/'); slash != std::string::npos && slash > 0)
        if (!MakeFolders(folder.substr(0, slash), mode))
            return false;
    return ::mkdir(folder.c_str(), mode) == 0 || errno == EEXIST;
}

ssize_t ReadFull(int fd, char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

void ScopedDescriptor::Close() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace kardel
