// Whole programs on generated documents, each figure beside its baseline in the same run:
// - BM_MappedWalk: every memo and tree record of the file walked through a memory map,
//   the least any reader of the file can spend;
// - BM_Check: `kardel-cli check` (the load every command pays), beside that walk;
// - BM_ExportRoot: the text export of the root's subtree to a file, beside `check` and
//   beside `check` followed by a synced copy of the exported text;
// - BM_WindowStart: the real `kardel` under an Xvfb server of the run's own, from the
//   process start to its main window being mapped, beside the start with a 1-memo file.
// Memory is each program's own peak resident size.
#include "support/DocumentGenerator.h"
#include "support/ProcessRun.h"

#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
using namespace kardel;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
constexpr double kMB = 1e6;

struct GeneratedFile {
    std::string path;
    double size = 0;
};

const GeneratedFile& FileFor(std::int64_t memos) {
    static std::map<std::int64_t, GeneratedFile> files;
    auto it = files.find(memos);
    if (it != files.end())
        return it->second;
    GeneratedFile file;
    file.path = bench::ScratchFolder() + "/doc" + std::to_string(memos) + ".kdl";
    std::string bytes = bench::GeneratedFileBytes(static_cast<size_t>(memos));
    std::ofstream(file.path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    file.size = double(bytes.size());
    return files.emplace(memos, file).first->second;
}

// ---- The memory-mapped walk ----

class Walker {
public:
    explicit Walker(std::string_view bytes) : m_bytes(bytes) {}
    bool Need(size_t count) const { return count <= m_bytes.size() - m_pos; }
    std::uint32_t Int() {
        if (!Need(4))
            throw 0;
        std::uint32_t value;
        std::memcpy(&value, m_bytes.data() + m_pos, 4);
        m_pos += 4;
        return value;
    }
    // A stored string: its length prefix, then its bytes, whose first and last are read.
    size_t String() {
        if (!Need(1))
            throw 0;
        size_t n = static_cast<unsigned char>(m_bytes[m_pos++]);
        if (n == 0xFF) {
            if (!Need(2))
                throw 0;
            n = static_cast<unsigned char>(m_bytes[m_pos]) | static_cast<unsigned char>(m_bytes[m_pos + 1]) << 8;
            m_pos += 2;
            if (n == 0xFFFF)
                n = Int();
        }
        if (!Need(n))
            throw 0;
        size_t sum =
            n ? static_cast<unsigned char>(m_bytes[m_pos]) + static_cast<unsigned char>(m_bytes[m_pos + n - 1]) : 0;
        m_pos += n;
        return sum;
    }
    void Skip(size_t n) {
        if (!Need(n))
            throw 0;
        m_pos += n;
    }

private:
    std::string_view m_bytes;
    size_t m_pos = 0;
};

// Maps the file and reads every memo record (title, kind, four times, due flag, body,
// selection item) and every tree record; returns the seconds taken, or -1.
double MappedWalkSeconds(const std::string& path) {
    auto start = Clock::now();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return -1;
    auto size = static_cast<size_t>(info.st_size);
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED)
        return -1;
    size_t sum = 0;
    bool ok = true;
    try {
        Walker walk(std::string_view(static_cast<const char*>(map), size));
        walk.Skip(11); // "Version005\0"
        std::uint32_t memos = walk.Int();
        for (std::uint32_t i = 0; i < memos; ++i) {
            sum += walk.String();
            for (int field = 0; field < 6; ++field)
                sum += walk.Int();
            sum += walk.String();
            sum += walk.String();
        }
        std::uint32_t items = walk.Int();
        for (std::uint32_t i = 0; i < items; ++i)
            for (int field = 0; field < 5; ++field)
                sum += walk.Int();
    } catch (int) {
        ok = false;
    }
    benchmark::DoNotOptimize(sum);
    ::munmap(map, size);
    return ok ? Seconds(Clock::now() - start).count() : -1;
}

void BM_MappedWalk(benchmark::State& state) {
    const GeneratedFile& file = FileFor(state.range(0));
    for (auto _ : state) {
        double seconds = MappedWalkSeconds(file.path);
        if (seconds < 0)
            state.SkipWithError("the walk failed");
        state.SetIterationTime(seconds);
    }
    state.counters["file_MB"] = file.size / kMB;
}

// ---- kardel-cli ----

bench::MeasuredRun Check(const std::string& path) {
    return bench::RunMeasured({bench::KardelCliPath(), "check", path});
}

// check, with the mapped walk of the same file timed beside it. Counters: x_mapped_walk,
// check's time over the walk's; peak_MB and peak_x_file, check's peak resident memory.
void BM_Check(benchmark::State& state) {
    const GeneratedFile& file = FileFor(state.range(0));
    double checkSeconds = 0, walkSeconds = 0, peak = 0;
    for (auto _ : state) {
        walkSeconds += MappedWalkSeconds(file.path);
        bench::MeasuredRun run = Check(file.path);
        if (!run.ok)
            state.SkipWithError("check failed");
        checkSeconds += run.seconds;
        peak = std::max(peak, run.peakBytes);
        state.SetIterationTime(run.seconds);
    }
    state.counters["file_MB"] = file.size / kMB;
    state.counters["x_mapped_walk"] = walkSeconds > 0 ? checkSeconds / walkSeconds : 0;
    state.counters["peak_MB"] = peak / kMB;
    state.counters["peak_x_file"] = peak / file.size;
}

// The root's subtree in the text format to a file, with check of the same file beside it.
// Counters: x_check, the export's time over check's; x_check_then_synced_copy, over check
// followed by a copy of the export's output synced to disk (`dd conv=fsync`), what an export
// that loads and then makes its text durable cannot beat without overlapping the two;
// peak_MB, and peak_over_check_MB, how much more the export's peak is than check's.
void BM_ExportRoot(benchmark::State& state) {
    const GeneratedFile& file = FileFor(state.range(0));
    const std::string out = bench::ScratchFolder() + "/export.txt";
    const std::string copy = out + ".dd";
    double exportSeconds = 0, checkSeconds = 0, syncedSeconds = 0, peak = 0, checkPeak = 0;
    for (auto _ : state) {
        bench::MeasuredRun check = Check(file.path);
        // A new file each time, as the synced copy makes: replacing the last run's file would
        // add the file system's freeing of its blocks, hundreds of milliseconds at 1M.
        ::unlink(out.c_str());
        bench::MeasuredRun run =
            bench::RunMeasured({bench::KardelCliPath(), "export", file.path, "--memo", "0", "-o", out});
        bench::MeasuredRun synced =
            bench::RunMeasured({"/bin/dd", "if=" + out, "of=" + copy, "bs=1M", "conv=fsync", "status=none"});
        ::unlink(copy.c_str());
        if (!run.ok || !check.ok || !synced.ok)
            state.SkipWithError("the export failed");
        exportSeconds += run.seconds;
        checkSeconds += check.seconds;
        syncedSeconds += synced.seconds;
        peak = std::max(peak, run.peakBytes);
        checkPeak = std::max(checkPeak, check.peakBytes);
        state.SetIterationTime(run.seconds);
    }
    ::unlink(out.c_str());
    state.counters["x_check"] = checkSeconds > 0 ? exportSeconds / checkSeconds : 0;
    state.counters["x_check_then_synced_copy"] =
        checkSeconds + syncedSeconds > 0 ? exportSeconds / (checkSeconds + syncedSeconds) : 0;
    state.counters["peak_MB"] = peak / kMB;
    state.counters["peak_over_check_MB"] = (peak - checkPeak) / kMB;
}

// ---- The window under Xvfb ----

// An X server of the run's own, started on first use and ended at exit.
class OwnXServer {
public:
    ~OwnXServer() {
        if (m_display)
            XCloseDisplay(m_display);
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    Display* Get() {
        if (m_display || m_tried)
            return m_display;
        m_tried = true;
        int n = 90;
        while (::access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0 ||
               ::access(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), F_OK) == 0)
            ++n;
        m_name = ":" + std::to_string(n);
        std::vector<std::string> argv{"Xvfb", m_name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"};
        std::vector<char*> args;
        for (std::string& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        int spawned = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            m_pid = 0;
            return nullptr;
        }
        for (int i = 0; i < 200 && !m_display; ++i) {
            ::usleep(50000);
            m_display = XOpenDisplay(m_name.c_str());
        }
        return m_display;
    }
    const std::string& Name() const { return m_name; }

private:
    Display* m_display = nullptr;
    std::string m_name;
    pid_t m_pid = 0;
    bool m_tried = false;
};
OwnXServer g_x;

// The environment of a started window: the run's X server and folders of its own for
// settings, backups, recovery copies and the single-instance socket.
std::vector<std::string> WindowEnvironment() {
    const std::string home = bench::ScratchFolder();
    std::map<std::string, std::string> values;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        auto eq = entry.find('=');
        if (eq != std::string::npos)
            values[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const char* sub : {"/config", "/data", "/runtime"})
        ::mkdir((home + sub).c_str(), 0700);
    values["DISPLAY"] = g_x.Name();
    values["QT_QPA_PLATFORM"] = "xcb";
    values["XDG_CONFIG_HOME"] = home + "/config";
    values["XDG_DATA_HOME"] = home + "/data";
    values["XDG_RUNTIME_DIR"] = home + "/runtime";
    std::vector<std::string> env;
    for (auto& [key, value] : values)
        env.push_back(key + "=" + value);
    return env;
}

double VmHwmBytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmHWM:") == 0)
            return double(std::strtoull(line.c_str() + 6, nullptr, 10)) * 1024.0;
    return 0;
}

struct WindowStart {
    double seconds = -1;
    double peakBytes = 0;
};

// Starts `kardel FILE`, waits for its first top-level window to be mapped, takes its
// peak resident memory so far and ends it.
WindowStart StartWindow(Display* display, const std::string& path) {
    WindowStart result;
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // drops what earlier windows left
    std::vector<std::string> env = WindowEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = bench::KardelPath();
    std::string file = path;
    char* argv[] = {program.data(), file.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    auto start = Clock::now();
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    const int fd = ConnectionNumber(display);
    bool mapped = false;
    while (!mapped && Seconds(Clock::now() - start).count() < 120) {
        while (!mapped && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            mapped = event.type == MapNotify && !event.xmap.override_redirect;
        }
        if (mapped)
            break;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval wait{0, 2000};
        ::select(fd + 1, &fds, nullptr, nullptr, &wait);
    }
    if (mapped) {
        result.seconds = Seconds(Clock::now() - start).count();
        result.peakBytes = VmHwmBytes(pid);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    XSync(display, True);
    return result;
}

// Counters: x_1memo, the start's time over the start with a 1-memo file timed beside it;
// peak_MB and peak_1memo_MB; mem_x_goal, the peak over 1.3 times the file plus the
// 1-memo start's peak (at most 1 meets the memory goal).
void BM_WindowStart(benchmark::State& state) {
    Display* display = g_x.Get();
    if (!display || !*bench::KardelPath()) {
        state.SkipWithError("no Xvfb or no window program");
        for (auto _ : state) {
        }
        return;
    }
    const GeneratedFile& small = FileFor(1);
    const GeneratedFile& file = FileFor(state.range(0));
    double seconds = 0, smallSeconds = 0, peak = 0, smallPeak = 0;
    for (auto _ : state) {
        WindowStart one = StartWindow(display, small.path);
        WindowStart run = StartWindow(display, file.path);
        if (run.seconds < 0 || one.seconds < 0) {
            state.SkipWithError("the window did not show");
            break;
        }
        seconds += run.seconds;
        smallSeconds += one.seconds;
        peak = std::max(peak, run.peakBytes);
        smallPeak = std::max(smallPeak, one.peakBytes);
        state.SetIterationTime(run.seconds);
    }
    state.counters["file_MB"] = file.size / kMB;
    state.counters["x_1memo"] = smallSeconds > 0 ? seconds / smallSeconds : 0;
    state.counters["peak_MB"] = peak / kMB;
    state.counters["peak_1memo_MB"] = smallPeak / kMB;
    state.counters["mem_x_goal"] = peak / (1.3 * file.size + smallPeak);
}

void Sizes(benchmark::internal::Benchmark* b) {
    bench::MemoCounts(b, {100000, 1000000});
}

} // namespace

BENCHMARK(BM_MappedWalk)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportRoot)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowStart)->Apply([](auto* b) {
                             bench::MemoCounts(b, {1, 100000, 1000000});
                         }) -> UseManualTime() -> Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
