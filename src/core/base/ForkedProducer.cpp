#include "core/base/ForkedProducer.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace kardel {
namespace {

// The forked copy's end of the pipe. A failed write ends the copy on the spot: unwinding
// an exception there could wait on a lock of the loader's that another thread held.
class PipeOutput : public IOutput {
public:
    explicit PipeOutput(int fd) : m_fd(fd) {}
    bool Write(const char* data, size_t size) override {
        if (size >= sizeof m_buffer - m_used) {
            Flush();
            if (size >= sizeof m_buffer) {
                WriteAll(data, size);
                return true;
            }
        }
        std::memcpy(m_buffer + m_used, data, size);
        m_used += size;
        return true;
    }
    void Flush() {
        WriteAll(m_buffer, m_used);
        m_used = 0;
    }

private:
    void WriteAll(const char* data, size_t size) {
        while (size > 0) {
            ssize_t n = ::write(m_fd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                ::_exit(2);
            data += n;
            size -= static_cast<size_t>(n);
        }
    }

    int m_fd;
    size_t m_used = 0;
    char m_buffer[1 << 16];
};

[[noreturn]] void RunInChild(int fd, pid_t parent, const sigset_t& mask, const std::function<bool(IOutput&)>& produce) {
    // The parent's handlers (removing its temporary files, say) are not the copy's.
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
        ::signal(sig, SIG_DFL);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) // the parent died before the line above
        ::_exit(3);
    ::pthread_sigmask(SIG_SETMASK, &mask, nullptr);
    PipeOutput out(fd);
    const bool ok = produce(out);
    out.Flush();
    ::_exit(ok ? 0 : 1);
}

} // namespace

std::optional<ForkedProducer> ForkedProducer::Start(const std::function<bool(IOutput&)>& produce) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    // A pipe of 64 KiB switches between the two processes at every 64 KiB; a failure
    // here only keeps the small pipe.
    ::fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    // No signal handler may run in the copy before it has put the default ones back.
    sigset_t all, previous;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        RunInChild(fds[1], parent, previous, produce);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return std::nullopt;
    }
    return ForkedProducer(pid, fds[0]);
}

ForkedProducer::ForkedProducer(ForkedProducer&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1)), m_fd(std::exchange(other.m_fd, -1)) {}

ForkedProducer& ForkedProducer::operator=(ForkedProducer&& other) noexcept {
    if (this != &other) {
        End();
        m_pid = std::exchange(other.m_pid, -1);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

ForkedProducer::~ForkedProducer() {
    End();
}

void ForkedProducer::End() {
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
}

bool ForkedProducer::WriteTo(IOutput& out) {
    if (m_pid <= 0)
        return false;
    bool taken = true;
    std::string chunk(size_t(1) << 20, '\0');
    for (;;) {
        ssize_t n = ::read(m_fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            taken = taken && n == 0;
            break;
        }
        if (!out.Write(chunk.data(), static_cast<size_t>(n))) {
            taken = false;
            break;
        }
    }
    ::close(std::exchange(m_fd, -1));
    if (!taken)
        ::kill(m_pid, SIGKILL);
    int status = 0;
    pid_t waited;
    while ((waited = ::waitpid(m_pid, &status, 0)) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    // Without its status (children reaped elsewhere) the copy is not known to have finished.
    return taken && waited > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace kardel
