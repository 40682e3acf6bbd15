// One step of what a user does in a window holding a huge document, each measured from
// the input event to the end of a full repaint of the window: scrolling the tree a page,
// moving the caret to the next memo (MemoView loads its body), expanding a folder of
// 100,000 children, and typing a character in MemoView. A step that takes longer than one
// frame (16 ms) is felt; each benchmark reports its mean, its first step and the worst of
// the others.
#include "../support/DocumentGenerator.h"
#include "WindowStart.h"

#include "core/base/OutputSink.h"
#include "gui/shell/MemoPane.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>

using namespace kardel;

namespace {

constexpr std::int64_t kMemos = 1000000;
constexpr std::int64_t kWideFolder = 100000;

// A generated document with one more closed folder of `wide` memos at the top of the root.
std::string FileWithWideFolder(std::int64_t memos, std::int64_t wide) {
    HeadlessSession session;
    bench::GenerateDocument(session, static_cast<size_t>(memos - wide - 1));
    CKardelDoc& doc = session.doc();
    CKdTreeView& view = session.treeView();
    TreeControl& tree = view.Tree();
    auto add = [&](TreeItem* parent, TreeControl::Where where, std::int32_t kind, const std::string& title) {
        auto memo = std::make_unique<CMemoItem>(kind);
        memo->m_strTitle = title;
        memo->m_strBody = "wide folder\r\nmemo " + title;
        doc.AppendMemo(std::move(memo));
        auto index = static_cast<std::int32_t>(doc.Memos().size() - 1);
        return view.InsertMemoItem(parent, where, nullptr, title, kind, index);
    };
    view.m_bNoParentRefreshOnInsert = true;
    TreeItem* folder = add(tree.GetRoot(), TreeControl::Where::First, KindClosedFolder, "wide");
    for (std::int64_t i = 0; i < wide; ++i)
        add(folder, TreeControl::Where::Last, KindMemo, "child " + std::to_string(i));
    view.m_bNoParentRefreshOnInsert = false;
    tree.Expand(folder, false);
    doc.SetModifiedFlag(false);

    const std::string path = bench::Folder().filePath(QStringLiteral("wide%1.kdl").arg(memos)).toStdString();
    MemoryOutput out;
    doc.StoreTo(out);
    std::ofstream(path, std::ios::binary).write(out.bytes().data(), std::streamsize(out.bytes().size()));
    return path;
}

// The one window every benchmark works in, opened once.
struct Window {
    bench::BenchWindowServices services;
    std::unique_ptr<gui::MainWindow> window;
    std::int64_t memos = 0;

    Window() {
        memos = bench::SmokeRun() ? 2000 : kMemos;
        const std::string path = FileWithWideFolder(memos, std::min(kWideFolder, memos / 2));
        window = services.NewWindow();
        window->resize(1000, 700);
        if (!window->OpenFile(QString::fromStdString(path)))
            std::abort();
        window->show();
        Settle();
    }
    void Settle() {
        QApplication::processEvents();
        window->repaint();
    }
    TreeItem* WideFolder() {
        TreeItem* root = window->doc().Memo(0)->m_hTreeItem;
        return root->child(0);
    }
};

std::unique_ptr<Window> g_window; // closed before the application ends

Window& TheWindow() {
    if (!g_window)
        g_window = std::make_unique<Window>();
    return *g_window;
}

void SendKey(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Times `step` followed by the events it posted and a full repaint; `prepare` runs untimed.
void MeasureSteps(benchmark::State& state, const std::function<void()>& prepare, const std::function<void()>& step) {
    Window& w = TheWindow();
    double first = -1, worst = 0;
    for (auto _ : state) {
        if (prepare)
            prepare();
        w.Settle();
        auto start = std::chrono::steady_clock::now();
        step();
        w.Settle();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (first < 0)
            first = seconds;
        else
            worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
    }
    // The first step apart: it may pay for laying out what the later ones reuse.
    state.counters["first_ms"] = first * 1e3;
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["memos"] = double(w.memos);
}

void BM_ScrollTreePage(benchmark::State& state) {
    Window& w = TheWindow();
    QScrollBar* bar = w.window->treePane()->verticalScrollBar();
    MeasureSteps(state, nullptr, [bar] {
        int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
    });
}

void BM_SelectNextMemo(benchmark::State& state) {
    Window& w = TheWindow();
    gui::TreePane* pane = w.window->treePane();
    pane->setFocus();
    MeasureSteps(state, nullptr, [pane] { SendKey(pane, Qt::Key_Down); });
}

void BM_ExpandWideFolder(benchmark::State& state) {
    Window& w = TheWindow();
    gui::TreePane* pane = w.window->treePane();
    TreeControl& tree = w.window->session().m_treeView.Tree();
    TreeItem* folder = w.WideFolder();
    MeasureSteps(
        state,
        [&] {
            pane->setFocus();
            tree.Select(folder);
            if (folder->expanded())
                SendKey(pane, Qt::Key_Left);
        },
        [pane] { SendKey(pane, Qt::Key_Right); });
    if (!folder->expanded() || !pane->isExpanded(pane->currentIndex()))
        state.SkipWithError("the folder did not expand");
    state.counters["children"] = double(folder->childCount());
}

void BM_TypeInMemoView(benchmark::State& state) {
    Window& w = TheWindow();
    gui::MemoPane* memo = w.window->memoPane();
    memo->setFocus();
    MeasureSteps(state, nullptr, [memo] { SendKey(memo, Qt::Key_A, QStringLiteral("a")); });
}

// A letter no label starts with: the search looks at every shown row and finds none.
void BM_TypeAheadMissInTree(benchmark::State& state) {
    Window& w = TheWindow();
    gui::TreePane* pane = w.window->treePane();
    pane->setFocus();
    MeasureSteps(state, nullptr, [pane] { SendKey(pane, Qt::Key_Q, QStringLiteral("q")); });
}

} // namespace

BENCHMARK(BM_ScrollTreePage)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectNextMemo)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandWideFolder)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInMemoView)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeAheadMissInTree)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
