#pragma once
// What the window benchmarks measure: from creating the main window to the first paint of
// its tree pane, with `path` open (none for an empty path), and a load of the same file
// without a window. The window is built and torn down outside the timing.
#include "core/shell/DocumentSession.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtSettingsStore.h"
#include "gui/tree/TreePane.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace kardel::bench {

// A folder for the generated files, removed at exit.
inline QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// What a measured window is built over: the real settings, and stand-ins for every
// dialog, which a benchmark must never wait on.
struct BenchWindowServices {
    gui::QtSettingsStore settings;
    HeadlessMessageBox messages;
    HeadlessFileDialogs fileDialogs;
    HeadlessShell shell;
    HeadlessDialogs dialogs;
    std::unique_ptr<gui::MainWindow> NewWindow() {
        return std::make_unique<gui::MainWindow>(gui::WindowServices{settings, messages, fileDialogs, shell, dialogs});
    }
};

inline void StartWindow(benchmark::State& state, const QString& path) {
    BenchWindowServices services;
    for (auto _ : state) {
        auto window = services.NewWindow();
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

inline void LoadOnly(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        HeadlessSession session;
        if (path.isEmpty() || !session.doc().OnOpenDocument(path.toStdString()).ok)
            state.SkipWithError("the file did not open");
        benchmark::DoNotOptimize(session.doc().Memos().size());
    }
}

} // namespace kardel::bench
