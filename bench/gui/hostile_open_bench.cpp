// Opening hostile documents in the window, beside reading the same files without one: a chain
// of open folders each inside the previous (1,000,000 deep), and one memo whose title is 40 MB.
// Run each benchmark on its own (--benchmark_filter) to read its peak memory.
#include "../support/DocumentGenerator.h"
#include "WindowStart.h"
#include "core/model/CMemoItem.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <map>

using namespace kardel;

namespace {

// KARDEL_BENCH_CHAIN overrides the chain's length (to find where an older build gives up).
size_t DeepChainLength() {
    if (qEnvironmentVariableIsSet("KARDEL_BENCH_CHAIN"))
        return size_t(qEnvironmentVariableIntValue("KARDEL_BENCH_CHAIN"));
    return bench::SmokeRun() ? 2000 : 1000000;
}
size_t LongTitleBytes() {
    return bench::SmokeRun() ? (1u << 20) : 40u * 1000 * 1000;
}

// Memo i + 1 is an open folder inside memo i, down to a plain memo at the bottom; the
// deepest memo is the one selected.
QString DeepChainFile() {
    static QString path;
    if (!path.isEmpty())
        return path;
    HeadlessSession session;
    CKardelDoc& doc = session.doc();
    CKdTreeView& view = session.treeView();
    doc.OnNewDocument();
    TreeItem* parent = view.Tree().GetRoot();
    const size_t length = DeepChainLength();
    view.m_bNoParentRefreshOnInsert = true;
    for (size_t i = 0; i < length; ++i) {
        const std::int32_t kind = i + 1 < length ? KindOpenFolder : KindMemo;
        auto memo = std::make_unique<CMemoItem>(kind);
        memo->m_strTitle = "level " + std::to_string(i);
        const std::string title = memo->m_strTitle.str();
        doc.AppendMemo(std::move(memo));
        TreeItem* item = view.InsertMemoItem(parent, TreeControl::Where::First, nullptr, title, kind,
                                             static_cast<std::int32_t>(doc.Memos().size() - 1));
        view.Tree().Expand(parent, true);
        parent = item;
    }
    view.m_bNoParentRefreshOnInsert = false;
    view.Tree().Select(parent);
    path = bench::Folder().filePath("chain.kdl");
    if (!doc.OnSaveDocument(path.toStdString()).ok)
        path.clear();
    return path;
}

QString LongTitleFile() {
    static QString path;
    if (!path.isEmpty())
        return path;
    HeadlessSession session;
    CKardelDoc& doc = session.doc();
    CKdTreeView& view = session.treeView();
    doc.OnNewDocument();
    auto memo = std::make_unique<CMemoItem>(KindMemo);
    std::string title;
    while (title.size() < LongTitleBytes())
        title += "\x82\xa0\x82\xa2 long title "; // "あい long title "
    memo->m_strTitle = title;
    doc.AppendMemo(std::move(memo));
    TreeItem* item = view.InsertMemoItem(view.Tree().GetRoot(), TreeControl::Where::First, nullptr, title, KindMemo,
                                         static_cast<std::int32_t>(doc.Memos().size() - 1));
    view.Tree().Select(item);
    path = bench::Folder().filePath("title.kdl");
    if (!doc.OnSaveDocument(path.toStdString()).ok)
        path.clear();
    return path;
}

// From creating the window to its first paint with the file open.
void OpenInWindow(benchmark::State& state, const QString& path) {
    if (path.isEmpty())
        state.SkipWithError("the file was not written");
    bench::StartWindow(state, path);
    state.counters["peakMB"] = double(bench::PeakRss()) / 1e6;
}

void LoadOnly(benchmark::State& state, const QString& path) {
    bench::LoadOnly(state, path);
    state.counters["peakMB"] = double(bench::PeakRss()) / 1e6;
}

void BM_DeepChainWindow(benchmark::State& state) {
    OpenInWindow(state, DeepChainFile());
}
void BM_DeepChainLoadOnly(benchmark::State& state) {
    LoadOnly(state, DeepChainFile());
}
void BM_LongTitleWindow(benchmark::State& state) {
    OpenInWindow(state, LongTitleFile());
}
void BM_LongTitleLoadOnly(benchmark::State& state) {
    LoadOnly(state, LongTitleFile());
}

} // namespace

BENCHMARK(BM_DeepChainWindow)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DeepChainLoadOnly)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LongTitleWindow)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LongTitleLoadOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
