// Saving and loading whole documents, next to a plain read of the same file.
// Each load also reports how much memory it needed against the file's size.
#include "support/DocumentGenerator.h"
#include "support/ProcessRun.h"

#include "core/base/ForkedProducer.h"
#include "core/base/SafeFile.h"
#include "core/shell/CrashRecovery.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

// Live and peak bytes on the heap, counted by the program's own operator new
// while a measurement asks for it (counting costs time, so timed runs go without).
namespace {
std::atomic<bool> g_counting{false};
std::atomic<size_t> g_liveBytes{0};
std::atomic<size_t> g_peakBytes{0};

void* CountedAlloc(size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    if (g_counting.load(std::memory_order_relaxed)) {
        size_t live = g_liveBytes.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
        if (live > g_peakBytes.load())
            g_peakBytes = live;
    }
    return p;
}
void CountedFree(void* p) noexcept {
    if (!p)
        return;
    if (g_counting.load(std::memory_order_relaxed)) {
        size_t usable = malloc_usable_size(p);
        // Blocks from before counting began may be freed; never let the count wrap.
        size_t live = g_liveBytes.load();
        g_liveBytes = live > usable ? live - usable : 0;
    }
    std::free(p);
}
} // namespace

void* operator new(size_t size) {
    return CountedAlloc(size);
}
void* operator new[](size_t size) {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
    CountedFree(p);
}

namespace {
using namespace kardel;
using Seconds = std::chrono::duration<double>;

// One generated file per size for the whole run, removed at exit.
class GeneratedFiles {
public:
    ~GeneratedFiles() {
        for (auto& [count, path] : m_paths)
            std::remove(path.c_str());
    }
    const std::string& PathFor(size_t memoCount) {
        auto it = m_paths.find(memoCount);
        if (it != m_paths.end())
            return it->second;
        std::string path = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/kardel-bench-") +
                           std::to_string(getpid()) + "-" + std::to_string(memoCount) + ".kdl";
        std::string bytes = bench::GeneratedFileBytes(memoCount);
        WriteFileSafely(path, [&bytes](IOutput& out) { return out.Write(bytes.data(), bytes.size()); });
        return m_paths.emplace(memoCount, path).first->second;
    }

private:
    std::map<size_t, std::string> m_paths;
};
GeneratedFiles g_files;

double PlainReadSeconds(const std::string& path, size_t& size) {
    std::string bytes;
    auto start = std::chrono::steady_clock::now();
    ReadWholeFile(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
    size = bytes.size();
    return Seconds(std::chrono::steady_clock::now() - start).count();
}

void BM_PlainRead(benchmark::State& state) {
    const std::string& path = g_files.PathFor(static_cast<size_t>(state.range(0)));
    size_t size = 0;
    for (auto _ : state)
        PlainReadSeconds(path, size);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The most heap one open holds at once (the file buffer included), in bytes.
size_t HeapPeakOfOpen(const std::string& path) {
    auto session = std::make_unique<HeadlessSession>();
    g_liveBytes = 0;
    g_peakBytes = 0;
    g_counting = true;
    session->doc().OnOpenDocument(path);
    g_counting = false;
    return g_peakBytes.load();
}

// Opening a file: reading it, checking and building memos and tree. Counters:
// x_plain_read, the load's time over a plain read of the same file timed beside
// it; heap_x_file, the most heap an open holds at once (file buffer included)
// over the file size.
void BM_Load(benchmark::State& state) {
    const std::string& path = g_files.PathFor(static_cast<size_t>(state.range(0)));
    double loadSeconds = 0, readSeconds = 0;
    size_t fileSize = 0;
    for (auto _ : state) {
        state.PauseTiming();
        readSeconds += PlainReadSeconds(path, fileSize);
        auto session = std::make_unique<HeadlessSession>();
        state.ResumeTiming();

        auto start = std::chrono::steady_clock::now();
        FileResult result = session->doc().OnOpenDocument(path);
        loadSeconds += Seconds(std::chrono::steady_clock::now() - start).count();

        state.PauseTiming();
        if (!result.ok)
            state.SkipWithError("the generated file did not load");
        session.reset();
        state.ResumeTiming();
    }
    size_t heapPeak = HeapPeakOfOpen(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize));
    state.counters["file_MB"] = static_cast<double>(fileSize) / 1e6;
    state.counters["x_plain_read"] = readSeconds > 0 ? loadSeconds / readSeconds : 0;
    state.counters["heap_x_file"] = static_cast<double>(heapPeak) / static_cast<double>(fileSize);
}

// Saving: the document's own writer through the safe file writer (temporary
// file, sync, rename). Counter x_cp: the save's time over `cp` of the saved file
// timed beside it; x_synced_copy: over a copy that is synced to disk as the save is
// (`dd conv=fsync`), the same promise that the bytes are on the disk.
void BM_Save(benchmark::State& state) {
    HeadlessSession session;
    bench::GenerateDocument(session, static_cast<size_t>(state.range(0)));
    std::string dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    std::string path = dir + "/kardel-bench-save-" + std::to_string(getpid()) + ".kdl";
    // The fastest of each: on a VM the first write into memory never touched before can
    // take several times the next, whichever program makes it.
    double saveSeconds = 1e9, copySeconds = 1e9, syncedSeconds = 1e9;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        FileResult result = session.doc().OnSaveDocument(path);
        saveSeconds = std::min(saveSeconds, Seconds(std::chrono::steady_clock::now() - start).count());
        if (!result.ok)
            state.SkipWithError("saving failed");
        state.PauseTiming();
        auto timeCopy = [&](const std::vector<std::string>& argv, double& seconds) {
            bench::MeasuredRun copy = bench::RunMeasured(argv);
            if (!copy.ok)
                state.SkipWithError((argv[0] + " failed").c_str());
            seconds = std::min(seconds, copy.seconds);
            std::remove((path + ".cp").c_str());
        };
        timeCopy({"/bin/cp", path, path + ".cp"}, copySeconds);
        timeCopy({"/bin/dd", "if=" + path, "of=" + path + ".cp", "bs=1M", "conv=fsync", "status=none"}, syncedSeconds);
        state.ResumeTiming();
    }
    std::string bytes;
    ReadWholeFile(path, bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["x_cp"] = saveSeconds / copySeconds;
    state.counters["x_synced_copy"] = saveSeconds / syncedSeconds;
    std::remove(path.c_str());
}

void BM_StoreToMemory(benchmark::State& state) {
    HeadlessSession session;
    bench::GenerateDocument(session, static_cast<size_t>(state.range(0)));
    size_t size = 0;
    for (auto _ : state) {
        MemoryOutput out;
        session.doc().StoreTo(out);
        size = out.bytes().size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// What the window's thread spends on a recovery copy: the snapshot of the bytes (the copy
// is written on a worker thread). Compare with BM_StoreToMemory of the same size.
void BM_RecoverySnapshot(benchmark::State& state) {
    HeadlessSession session;
    bench::GenerateDocument(session, static_cast<size_t>(state.range(0)));
    size_t size = 0;
    for (auto _ : state)
        size = CrashRecovery::Snapshot(session.doc(), size).size(); // each after the first as the window takes it
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The window's part of the recovery copy of a large document: forking the process that
// writes it (compare BM_RecoverySnapshot of the same size). Counter written_ms: from the
// fork until the copy's last byte was read from it.
void BM_ForkedRecoveryCopy(benchmark::State& state) {
    HeadlessSession session;
    bench::GenerateDocument(session, static_cast<size_t>(state.range(0)));
    double writtenSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        std::optional<ForkedProducer> producer =
            ForkedProducer::Start([&session](IOutput& out) { return session.doc().StoreTo(out); });
        state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start).count());
        CountingOutput bytes;
        if (!producer || !producer->WriteTo(bytes))
            state.SkipWithError("the forked copy failed");
        writtenSeconds += Seconds(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["written_ms"] = 1000 * writtenSeconds / static_cast<double>(state.iterations());
}

// Saving with a backup of the version it replaces (5 kept, each save a new version),
// beside BM_Save of the same size.
void BM_SaveWithBackup(benchmark::State& state) {
    HeadlessSession session;
    bench::GenerateDocument(session, static_cast<size_t>(state.range(0)));
    std::string dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    std::string path = dir + "/kardel-bench-backup-" + std::to_string(getpid()) + ".kdl";
    session.doc().m_backupFolder = path + ".backups";
    session.doc().OnSaveDocument(path);
    bool flip = false;
    for (auto _ : state) {
        session.doc().Memos()[0]->m_strTitle = (flip = !flip) ? "a" : "b";
        if (!session.doc().OnSaveDocument(path).ok)
            state.SkipWithError("saving failed");
    }
    std::remove(path.c_str());
    if (std::system(("rm -rf '" + session.doc().m_backupFolder + "'").c_str()) != 0)
        state.SkipWithError("the backups stayed");
}

void Sizes(benchmark::internal::Benchmark* b) {
    bench::MemoCounts(b, {10000, 100000, 1000000});
}

BENCHMARK(BM_PlainRead)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreToMemory)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoverySnapshot)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForkedRecoveryCopy)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWithBackup)->Apply(Sizes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
