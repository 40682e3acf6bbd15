#include "core/base/FileOutput.h"

#include "core/base/FileSystem.h"

#include <atomic>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <sys/vfs.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kardel {
namespace {

constexpr size_t kBufferSize = OutputBlock::kSize;
// A temporary file hands its written bytes to the disk in steps of this size while the
// rest is still being made, so that the sync at the end waits only for the last step.
constexpr std::uint64_t kWritebackStep = std::uint64_t(4) << 20;

// ---- removal of temporary files when a signal ends the process ----------------

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = 3;
constexpr int kSlots = 32;

std::atomic<const char*> g_tempPaths[kSlots];
struct sigaction g_previous[kSignalCount];
bool g_installed[kSignalCount];
std::mutex g_cleanupMutex;
int g_registered = 0;

void RemoveTemporariesOnSignal(int sig, siginfo_t* info, void* context) {
    for (auto& slot : g_tempPaths)
        if (const char* path = slot.exchange(nullptr))
            ::unlink(path);
    for (int i = 0; i < kSignalCount; ++i) {
        if (kSignals[i] != sig)
            continue;
        const struct sigaction& previous = g_previous[i];
        if (previous.sa_flags & SA_SIGINFO) {
            previous.sa_sigaction(sig, info, context);
        } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
            previous.sa_handler(sig);
        } else {
            // Die of the signal as the process would have without us: it stays
            // blocked until this handler returns.
            ::sigaction(sig, &previous, nullptr);
            ::raise(sig);
        }
    }
}

// Keeps the three signals away while a temporary file comes or goes, so that it
// is always either registered or not there.
class SignalBlock {
public:
    SignalBlock() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kSignals)
            sigaddset(&set, sig);
        pthread_sigmask(SIG_BLOCK, &set, &m_old);
    }
    ~SignalBlock() { pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }

private:
    sigset_t m_old;
};

int RegisterTemporary(const char* path) {
    std::lock_guard<std::mutex> lock(g_cleanupMutex);
    for (int slot = 0; slot < kSlots; ++slot) {
        const char* empty = nullptr;
        if (!g_tempPaths[slot].compare_exchange_strong(empty, path))
            continue;
        if (g_registered++ == 0) {
            for (int i = 0; i < kSignalCount; ++i) {
                struct sigaction current {};
                ::sigaction(kSignals[i], nullptr, &current);
                // An ignored signal (nohup) does not end the process: nothing to clean.
                g_installed[i] = !(current.sa_handler == SIG_IGN && !(current.sa_flags & SA_SIGINFO));
                if (!g_installed[i])
                    continue;
                struct sigaction ours {};
                ours.sa_sigaction = RemoveTemporariesOnSignal;
                ours.sa_flags = SA_SIGINFO | SA_RESTART;
                sigemptyset(&ours.sa_mask);
                ::sigaction(kSignals[i], &ours, &g_previous[i]);
            }
        }
        return slot;
    }
    return -1; // more saves at once than slots: this one is only removed by its owner
}

void UnregisterTemporary(int slot) {
    if (slot < 0)
        return;
    std::lock_guard<std::mutex> lock(g_cleanupMutex);
    g_tempPaths[slot].store(nullptr);
    if (--g_registered == 0)
        for (int i = 0; i < kSignalCount; ++i)
            if (g_installed[i])
                ::sigaction(kSignals[i], &g_previous[i], nullptr);
}

// ---- the test hook ----------------------------------------------------------

std::mutex g_faultMutex;
std::optional<WriteFault> g_fault;

std::optional<WriteFault> FaultAt(WriteFault::Step step) {
    std::lock_guard<std::mutex> lock(g_faultMutex);
    if (g_fault && g_fault->step == step)
        return g_fault;
    return std::nullopt;
}

// Fails with the fault's error, or ends the process with its signal.
int Trip(const WriteFault& fault) {
    if (fault.signal != 0)
        ::raise(fault.signal);
    return fault.error;
}

// ---- the file a save replaces ----------------------------------------------

// Freeing a large file's blocks takes a while (tens of milliseconds for hundreds of
// megabytes), and a rename over the file's last name does it before returning. Holding the
// file open across the rename leaves that to the last close, done here on a thread of its
// own, so the save returns without waiting for it. Not on a network file system: a file
// held open there while it loses its name is kept under a hidden stand-in name instead.
class ReplacedFileRelease {
public:
    explicit ReplacedFileRelease(const std::string& path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct ::stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_size >= kWorthALater &&
            IsLocal(fd))
            m_fd = fd;
        else
            ::close(fd);
    }
    ~ReplacedFileRelease() {
        if (m_fd < 0)
            return;
        try {
            std::thread([fd = m_fd] { ::close(fd); }).detach();
        } catch (const std::system_error&) {
            ::close(m_fd);
        }
    }
    ReplacedFileRelease(const ReplacedFileRelease&) = delete;
    ReplacedFileRelease& operator=(const ReplacedFileRelease&) = delete;

private:
    static bool IsLocal(int fd) {
        struct ::statfs where {};
        if (::fstatfs(fd, &where) != 0)
            return false;
        switch (static_cast<unsigned long>(where.f_type)) {
        case 0x6969:     // NFS
        case 0x517B:     // SMB
        case 0xFF534D42: // CIFS
        case 0xFE534D42: // SMB2
        case 0x65735546: // FUSE (sshfs and the like)
            return false;
        default:
            return true;
        }
    }

    static constexpr off_t kWorthALater = off_t(32) << 20;
    int m_fd = -1;
};

// ---- paths ------------------------------------------------------------------

// ".name.XXXXXX", the name shortened (at a UTF-8 character boundary) so that the
// whole fits the longest name the folder's file system takes.
std::string TemporaryPattern(const std::string& folder, const std::string& name) {
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    size_t keep = std::min(name.size(), static_cast<size_t>(std::max(0L, longest - 8)));
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    return (folder == "/" ? "" : folder) + "/." + name.substr(0, keep) + ".XXXXXX";
}

// Whether saving may replace the existing regular file: the user must be allowed
// to write it; root, who always is, only when the file has a write bit at all.
int WriteRefusal(const std::string& path, const struct ::stat& info) {
    if (::geteuid() == 0)
        return (info.st_mode & 0222) ? 0 : EROFS;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return 0;
    return errno == EACCES ? EROFS : errno;
}

// 0666 less the umask, read without setting it: the window has other threads.
mode_t NewFileMode() {
    mode_t mask = 022;
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned value = 0;
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                break;
            }
        std::fclose(status);
    }
    return 0666 & ~mask;
}

} // namespace

// Writes blocks while the owner fills the next: the owner hands a full block over and
// gets an emptied one back, waiting only when several blocks are still to be written.
// Making bytes and writing them take about as long, and either now and then stalls
// for a moment: a few blocks in hand keep the other going meanwhile.
class FileOutput::WriteBehind {
public:
    explicit WriteBehind(FileOutput& output) : m_output(output), m_thread([this] { Run(); }) {}
    ~WriteBehind() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // Takes `block` and leaves an empty one there (with no room when none is free yet);
    // the first failure so far, or 0.
    int Hand(OutputBlock& block) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_queue.size() < kDepth; });
        if (m_error)
            return m_error;
        m_queue.push_back(std::move(block));
        block = OutputBlock();
        if (!m_free.empty()) {
            block = std::move(m_free.back());
            m_free.pop_back();
        }
        m_changed.notify_all();
        return 0;
    }
    int Drain() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_queue.empty() && !m_writing; });
        return m_error;
    }

private:
    static constexpr size_t kDepth = 4;

    void Run() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return !m_queue.empty() || m_stop; });
            if (m_queue.empty())
                return;
            OutputBlock block = std::move(m_queue.front());
            m_queue.pop_front();
            m_writing = true;
            const bool failed = m_error != 0;
            lock.unlock();
            int error = failed ? 0 : m_output.WriteOut(block.data.get(), block.size);
            lock.lock();
            if (error)
                m_error = error;
            block.size = 0;
            m_free.push_back(std::move(block));
            m_writing = false;
            m_changed.notify_all();
        }
    }

    FileOutput& m_output;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<OutputBlock> m_queue; // in the order they go into the file
    std::vector<OutputBlock> m_free;
    bool m_writing = false;
    bool m_stop = false;
    int m_error = 0;
    std::thread m_thread; // last: it starts once the rest is there
};

void SetWriteFaultForTesting(std::optional<WriteFault> fault) {
    std::lock_guard<std::mutex> lock(g_faultMutex);
    g_fault = fault;
}

FileOutput::FileOutput(std::string path) : m_path(std::move(path)) {}

FileOutput::~FileOutput() {
    Discard();
}

void FileOutput::Discard() {
    m_behind.reset();
    if (m_fd >= 0 && m_ownsFd)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty()) {
        SignalBlock block;
        ::unlink(m_tempPath.c_str());
        UnregisterTemporary(m_cleanupSlot);
        m_cleanupSlot = -1;
        m_tempPath.clear();
    }
}

FileResult FileOutput::Fail(int error) {
    if (!m_error)
        m_error = error;
    return Status();
}

FileResult FileOutput::Status() const {
    if (!m_error)
        return FileResult::Success();
    return FileResult::Failure(FileErrorMessage(m_error, m_path, true));
}

FileResult FileOutput::Open() {
    m_target = m_path;
    struct ::stat info {};
    if (::lstat(m_path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char* resolved = ::realpath(m_path.c_str(), nullptr);
        if (!resolved) // dangling, or a loop
            return Fail(errno);
        m_target = resolved;
        std::free(resolved);
    }
    if (::stat(m_target.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return Fail(errno);
        m_target = m_path;
        return OpenTemporary(nullptr);
    }
    if (S_ISCHR(info.st_mode)) {
        m_target.clear();
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (m_fd < 0)
            return Fail(errno);
        m_ownsFd = true;
        return FileResult::Success();
    }
    if (!S_ISREG(info.st_mode))
        return Fail(EISDIR); // a folder, FIFO, socket or block device is not a file to write
    if (int refusal = WriteRefusal(m_target, info))
        return Fail(refusal);
    return OpenTemporary(&info);
}

FileResult FileOutput::OpenTemporary(const struct ::stat* existing) {
    std::string pattern = TemporaryPattern(FolderOf(m_target), FileNameOf(m_target));
    {
        SignalBlock block;
        m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (m_fd < 0)
            return Fail(errno);
        m_ownsFd = true;
        m_tempPath = pattern;
        m_cleanupSlot = RegisterTemporary(m_tempPath.c_str());
    }
    if (existing) {
        // Owner and group first: changing them clears the set-id bits the mode brings back.
        if (::fchown(m_fd, existing->st_uid, existing->st_gid) != 0)
            (void)!::fchown(m_fd, static_cast<uid_t>(-1), existing->st_gid);
        ::fchmod(m_fd, existing->st_mode & 07777);
    } else {
        ::fchmod(m_fd, NewFileMode());
    }
    return FileResult::Success();
}

FileResult FileOutput::OpenDescriptor(int fd) {
    m_fd = fd;
    m_ownsFd = false;
    m_target.clear();
    return FileResult::Success();
}

int FileOutput::WriteOut(const char* data, size_t size) {
    if (std::optional<WriteFault> fault = FaultAt(WriteFault::Step::Write)) {
        if (m_written + size > fault->afterBytes) {
            size_t allowed = fault->afterBytes > m_written ? static_cast<size_t>(fault->afterBytes - m_written) : 0;
            if (int error = WriteAll(data, allowed))
                return error;
            return Trip(*fault);
        }
    }
    return WriteAll(data, size);
}

int FileOutput::WriteAll(const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(m_fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
        m_written += static_cast<std::uint64_t>(n);
    }
    StartWriteback();
    return 0;
}

void FileOutput::StartWriteback() {
    if (m_tempPath.empty() || m_written - m_handedToDisk < kWritebackStep)
        return;
    // Only a start: it does not wait, and a failure here is the final sync's to report.
    ::sync_file_range(m_fd, static_cast<off_t>(m_handedToDisk), static_cast<off_t>(m_written - m_handedToDisk),
                      SYNC_FILE_RANGE_WRITE);
    m_handedToDisk = m_written;
}

bool FileOutput::Flush() {
    if (m_error)
        return false;
    if (m_buffer.empty())
        return true;
    if (!m_behind && m_buffer.size >= kBufferSize && !m_tempPath.empty())
        m_behind = std::make_unique<WriteBehind>(*this);
    if (m_behind) {
        m_error = m_behind->Hand(m_buffer);
    } else {
        m_error = WriteOut(m_buffer.data.get(), m_buffer.size);
        m_buffer.size = 0;
    }
    return !m_error;
}

bool FileOutput::Drain() {
    if (m_behind && !m_error)
        m_error = m_behind->Drain();
    return !m_error;
}

bool FileOutput::Write(const char* data, size_t size) {
    if (m_fd < 0 || m_error)
        return false;
    if (size >= kBufferSize && m_tempPath.empty()) { // a device: nothing gained by a copy
        if (Flush())
            m_error = WriteOut(data, size);
        return !m_error;
    }
    while (size > 0) {
        if (m_buffer.size >= kBufferSize && !Flush())
            return false;
        if (m_buffer.capacity < kBufferSize) // the writing thread's first block was empty
            m_buffer = OutputBlock(kBufferSize);
        size_t step = std::min(size, kBufferSize - m_buffer.size);
        std::memcpy(m_buffer.data.get() + m_buffer.size, data, step);
        m_buffer.size += step;
        data += step;
        size -= step;
    }
    return true;
}

bool FileOutput::WriteBlock(OutputBlock& block) {
    // Only a block that fills most of one of ours is worth a thread; anything before it
    // that is still held must go first.
    if (m_fd < 0 || m_error || m_tempPath.empty() || !m_buffer.empty() || block.capacity != kBufferSize ||
        block.size < kBufferSize / 2)
        return IOutput::WriteBlock(block);
    m_buffer.swap(block);
    if (block.capacity != kBufferSize) // ours had no room yet: the writer gets a fresh block
        block = OutputBlock(kBufferSize);
    block.size = 0;
    if (!m_behind)
        m_behind = std::make_unique<WriteBehind>(*this);
    return Flush();
}

bool FileOutput::CopyFrom(int source) {
    if (m_fd < 0 || m_error || !Flush() || !Drain())
        return false;
    // A fault set for a test counts the bytes as they pass through WriteOut.
    while (!FaultAt(WriteFault::Step::Write)) {
        ssize_t n = ::copy_file_range(source, nullptr, m_fd, nullptr, size_t(1) << 30, 0);
        if (n > 0) {
            m_written += static_cast<std::uint64_t>(n);
            StartWriteback();
            continue;
        }
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
            m_error = errno;
            return false;
        }
        break; // not between these files: the offsets stand where the copy stopped
    }
    std::string chunk(kBufferSize, '\0');
    for (;;) {
        ssize_t n = ReadFull(source, chunk.data(), chunk.size());
        if (n < 0) {
            m_error = errno;
            return false;
        }
        if (n == 0)
            return true;
        if ((m_error = WriteOut(chunk.data(), static_cast<size_t>(n))))
            return false;
    }
}

FileResult FileOutput::Commit() {
    if (m_fd < 0)
        return Fail(m_error ? m_error : EBADF);
    Flush();
    Drain();
    m_behind.reset();
    if (m_tempPath.empty()) { // a device or descriptor: the bytes are there already
        if (m_ownsFd && ::close(m_fd) != 0 && !m_error)
            m_error = errno;
        m_fd = -1;
        return Status();
    }
    if (!m_error) {
        if (std::optional<WriteFault> fault = FaultAt(WriteFault::Step::Sync))
            m_error = Trip(*fault);
        else if (::fsync(m_fd) != 0)
            m_error = errno;
    }
    if (::close(m_fd) != 0 && !m_error)
        m_error = errno;
    m_fd = -1;
    if (!m_error) {
        ReplacedFileRelease replaced(m_target);
        SignalBlock block;
        std::optional<WriteFault> fault = FaultAt(WriteFault::Step::Rename);
        if (fault)
            m_error = Trip(*fault);
        else if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
            m_error = errno;
        if (!m_error) {
            UnregisterTemporary(m_cleanupSlot);
            m_cleanupSlot = -1;
            m_tempPath.clear();
        }
    }
    if (m_error) {
        Discard();
        return Status();
    }
    // The rename itself survives a power cut only once the folder is synced.
    int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return FileResult::Success();
}

} // namespace kardel
