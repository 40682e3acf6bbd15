#include "core/base/SafeFile.h"

#include "core/base/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace kardel {

int OpenRegularFile(const std::string& path, FileResult& result) {
    auto failure = [&](int error) {
        result = FileResult::Failure(FileErrorMessage(error, path, false));
        return -1;
    };
    // Looked at before opening: opening a device or FIFO can block or act.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return failure(errno);
    if (!S_ISREG(info.st_mode))
        return failure(EISDIR);
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failure(errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) { // replaced in between
        ::close(fd);
        return failure(EISDIR);
    }
    result = FileResult::Success();
    return fd;
}

namespace {

// Opens a regular file no larger than maxBytes, makes room for it with `allocate(size)`
// (which returns where the bytes go, or nullptr when there is no memory) and reads it;
// returns the bytes read, as many as the file had when it was opened, or fewer when it
// shrank since.
template <typename Allocate>
FileResult ReadRegularFile(const std::string& path, std::uint64_t maxBytes, Allocate allocate, size_t& done) {
    done = 0;
    auto failure = [&path](int error) { return FileResult::Failure(FileErrorMessage(error, path, false)); };
    FileResult opened;
    int fd = OpenRegularFile(path, opened);
    if (fd < 0)
        return opened;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        int error = errno;
        ::close(fd);
        return failure(error);
    }
    auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) {
        ::close(fd);
        return failure(EFBIG);
    }
    char* data = allocate(static_cast<size_t>(size));
    if (!data && size > 0) {
        ::close(fd);
        return failure(ENOMEM);
    }
    // Fewer bytes than the size when the file shrank since it was opened.
    ssize_t n = ReadFull(fd, data, static_cast<size_t>(size));
    if (n < 0) {
        int error = errno;
        ::close(fd);
        return failure(error);
    }
    done = static_cast<size_t>(n);
    ::close(fd);
    return FileResult::Success();
}

} // namespace

FileResult ReadWholeFile(const std::string& path, std::string& bytes, std::uint64_t maxBytes) {
    bytes.clear();
    size_t done = 0;
    FileResult result = ReadRegularFile(
        path, maxBytes,
        [&bytes](size_t size) -> char* {
            try {
                bytes.resize(size);
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
            return bytes.data();
        },
        done);
    bytes.resize(done);
    return result;
}

FileResult WriteFileSafely(const std::string& path, const std::function<bool(IOutput&)>& produce) {
    FileOutput output(path);
    if (FileResult opened = output.Open(); !opened.ok)
        return opened;
    if (!produce(output)) {
        FileResult status = output.Status();
        return status.ok ? FileResult::Failure(FileErrorMessage(EIO, path, true)) : status;
    }
    return output.Commit();
}

} // namespace kardel
