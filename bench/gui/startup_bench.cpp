// Start-up of the window: from creating the main window to its first paint, for a new
// document and for generated documents of 10,000 and 100,000 memos, beside the time that
// reading the same files takes without a window.
#include "../support/DocumentGenerator.h"
#include "WindowStart.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>

using namespace kardel;

namespace {

// The generated file for a memo count, written once.
QString FileFor(std::int64_t memos) {
    static std::map<std::int64_t, QString> files;
    auto it = files.find(memos);
    if (it != files.end())
        return it->second;
    const QString path = bench::Folder().filePath(QStringLiteral("doc%1.kdl").arg(memos));
    std::string bytes = bench::GeneratedFileBytes(static_cast<size_t>(memos));
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    files[memos] = path;
    return path;
}

void BM_StartEmpty(benchmark::State& state) {
    bench::StartWindow(state, {});
}

void BM_StartWithDocument(benchmark::State& state) {
    const QString path = FileFor(state.range(0));
    bench::StartWindow(state, path);
    state.counters["memos"] = double(state.range(0));
}

// Reading the same file with no window: the load time the start-up goal allows for.
void BM_LoadOnly(benchmark::State& state) {
    bench::LoadOnly(state, FileFor(state.range(0)));
    state.counters["memos"] = double(state.range(0));
}

} // namespace

BENCHMARK(BM_StartEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartWithDocument)->Apply([](auto* b) {
                                   bench::MemoCounts(b, {10000, 100000});
                               }) -> Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOnly)->Apply([](auto* b) { bench::MemoCounts(b, {10000, 100000}); }) -> Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
