#include "model/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kardel {

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileResult::Failure(FileErrorMessage(errno, path, false));
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return FileResult::Failure(FileErrorMessage(EISDIR, path, false));
    }
    bytes.clear();
    if (info.st_size > 0)
        bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            return FileResult::Failure(FileErrorMessage(error, path, false));
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return FileResult::Success();
}

AtomicFileWriter::AtomicFileWriter(std::string path) : m_path(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

FileResult AtomicFileWriter::Open() {
    std::string folder = ".";
    std::string name = m_path;
    if (auto slash = m_path.rfind('/'); slash != std::string::npos) {
        folder = slash == 0 ? "/" : m_path.substr(0, slash);
        name = m_path.substr(slash + 1);
    }
    std::string pattern = folder + "/." + name + ".XXXXXX";
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        return FileResult::Failure(FileErrorMessage(errno, m_path, true));
    m_tempPath = pattern;
    // Keep the permissions of a file we replace; a new file gets the usual 0666 & ~umask.
    struct stat info {};
    if (::stat(m_path.c_str(), &info) == 0) {
        ::fchmod(m_fd, info.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    return FileResult::Success();
}

bool AtomicFileWriter::Flush() {
    size_t done = 0;
    while (done < m_buffer.size()) {
        ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    m_buffer.clear();
    return true;
}

bool AtomicFileWriter::Write(const char* data, size_t size) {
    if (m_fd < 0 || m_error)
        return false;
    m_buffer.append(data, size);
    if (m_buffer.size() >= (1 << 20))
        return Flush();
    return true;
}

FileResult AtomicFileWriter::Commit() {
    if (m_fd < 0)
        return FileResult::Failure(FileErrorMessage(EBADF, m_path, true));
    if (!m_error)
        Flush();
    if (!m_error && ::fsync(m_fd) != 0)
        m_error = errno;
    if (::close(m_fd) != 0 && !m_error)
        m_error = errno;
    m_fd = -1;
    if (!m_error && ::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        m_error = errno;
    if (m_error)
        return FileResult::Failure(FileErrorMessage(m_error, m_path, true));
    m_committed = true;
    return FileResult::Success();
}

FileResult WriteFileSafely(const std::string& path, const std::function<bool(IOutput&)>& produce) {
    AtomicFileWriter writer(path);
    if (FileResult opened = writer.Open(); !opened.ok)
        return opened;
    if (!produce(writer))
        return FileResult::Failure(FileErrorMessage(EIO, path, true));
    return writer.Commit();
}

} // namespace kardel
