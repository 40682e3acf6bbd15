#pragma once
#include "core/base/OutputSink.h"

#include <functional>
#include <optional>
#include <sys/types.h>

namespace kardel {

// Bytes made by a forked copy of this process. The copy sees the memory exactly as it was
// at the fork, however this process changes it afterwards, so a large structure can be
// written out as it stood at one moment without holding up the thread that owns it for
// longer than the fork. The bytes come back over a pipe and are read by whoever holds
// the producer, on any thread.
//
// The forked copy has only the forking thread: `produce` must not wait for anything another
// thread might have held at the fork, and must not start threads. It runs with the default
// actions for SIGTERM, SIGINT, SIGHUP and SIGPIPE, and ends when this process does.
class ForkedProducer {
public:
    // Forks; the copy runs `produce` and exits. Nothing when no copy could be started.
    static std::optional<ForkedProducer> Start(const std::function<bool(IOutput&)>& produce);

    ForkedProducer(ForkedProducer&& other) noexcept;
    ForkedProducer& operator=(ForkedProducer&& other) noexcept;
    ForkedProducer(const ForkedProducer&) = delete;
    ForkedProducer& operator=(const ForkedProducer&) = delete;
    // A copy whose bytes were not read is ended.
    ~ForkedProducer();

    // Passes the bytes to `out` as they come. True when the copy made all of them (its
    // `produce` succeeded) and `out` took them; the copy has ended either way.
    bool WriteTo(IOutput& out);

private:
    ForkedProducer(pid_t pid, int fd) : m_pid(pid), m_fd(fd) {}
    void End();

    pid_t m_pid = -1;
    int m_fd = -1;
};

} // namespace kardel
