// Start-up of the window: from creating the main window to its first paint, for a new
// document and for generated documents of 10,000 and 100,000 memos, beside the time that
// reading the same files takes without a window.
#include "../support/DocumentGenerator.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtSettingsStore.h"
#include "gui/tree/TreePane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>

using namespace kardel;

namespace {

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// The generated file for a memo count, written once.
QString FileFor(std::int64_t memos) {
    static std::map<std::int64_t, QString> files;
    auto it = files.find(memos);
    if (it != files.end())
        return it->second;
    const QString path = Folder().filePath(QStringLiteral("doc%1.kdl").arg(memos));
    std::string bytes = bench::GeneratedFileBytes(static_cast<size_t>(memos));
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    files[memos] = path;
    return path;
}

// Waits until the tree pane has painted once.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void StartWindow(benchmark::State& state, const QString& path) {
    gui::QtSettingsStore settings;
    HeadlessMessageBox messages;
    HeadlessFileDialogs fileDialogs;
    HeadlessShell shell;
    HeadlessDialogs dialogs;
    for (auto _ : state) {
        auto window =
            std::make_unique<gui::MainWindow>(gui::WindowServices{settings, messages, fileDialogs, shell, dialogs});
        FirstPaint probe;
        window->treePane()->viewport()->installEventFilter(&probe);
        if (!path.isEmpty() && !window->OpenFile(path))
            state.SkipWithError("the file did not open");
        window->show();
        while (!probe.painted)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        window->treePane()->viewport()->removeEventFilter(&probe);
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_StartEmpty(benchmark::State& state) {
    StartWindow(state, {});
}

void BM_StartWithDocument(benchmark::State& state) {
    const QString path = FileFor(state.range(0));
    StartWindow(state, path);
    state.counters["memos"] = double(state.range(0));
}

// Reading the same file with no window: the load time the start-up goal allows for.
void BM_LoadOnly(benchmark::State& state) {
    const std::string path = FileFor(state.range(0)).toStdString();
    for (auto _ : state) {
        HeadlessSession session;
        if (!session.doc().OnOpenDocument(path).ok)
            state.SkipWithError("the file did not open");
        benchmark::DoNotOptimize(session.doc().Memos().size());
    }
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
