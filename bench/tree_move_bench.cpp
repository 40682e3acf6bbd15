// Moving a subtree of k memos in a document of n memos (a copy to the new place
// followed by the deletion of the old records, with renumbering), next to one
// full pass over the memo array timed in the same run. The counter x_full_pass
// is the move's time over that pass (thread CPU time both): the goal is a small
// constant whatever k. BM_UndoMoveToTrash times the undo of that command beside
// the command itself: x_move is the undo's time over the move's.
#include "support/DocumentGenerator.h"

#include "core/base/Archive.h"
#include "core/shell/CommandRouter.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <map>
#include <memory>

namespace {
using namespace kardel;

// Thread CPU time: the machine is shared, and both sides of the ratio should
// count only this program's own work.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The generated document of n memos, shaped for the worst case of a move: the
// subtree to move has exactly k memos and its top comes as early in the memo
// array as possible, so the deletion renumbers nearly every memo. Where the
// generated outline has no such subtree, the earliest smaller one is filled up
// with plain memos appended as its last children. Returns the file's bytes and
// the top's memo index.
struct Prepared {
    std::string bytes;
    std::int32_t top = -1;
    size_t memoCount = 0;
};

const Prepared& Prepare(size_t memoCount, size_t k) {
    static std::map<std::pair<size_t, size_t>, Prepared> cache;
    auto key = std::make_pair(memoCount, k);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    HeadlessSession session;
    bench::GenerateDocument(session, memoCount);
    CKdTreeView& view = session.treeView();
    TreeControl& tree = view.Tree();
    std::vector<TreeItem*> order;
    tree.ForEachItem([&](TreeItem* item) { order.push_back(item); });
    std::map<TreeItem*, size_t> sizes;
    for (auto o = order.rbegin(); o != order.rend(); ++o) {
        size_t size = 1;
        for (int i = 0; i < (*o)->childCount(); ++i)
            size += sizes[(*o)->child(i)];
        sizes[*o] = size;
    }
    TreeItem* top = nullptr;
    for (TreeItem* item : order)
        if (item != tree.GetRoot() && !view.IsTrashOrInTrash(item) && sizes[item] <= k &&
            (!top || item->value() < top->value()))
            top = item;
    for (size_t size = sizes[top]; size < k; ++size) {
        CMemoItem* memo = session.doc().AppendMemo(std::make_unique<CMemoItem>(KindMemo));
        view.InsertMemoItem(top, TreeControl::Where::Last, nullptr, memo->m_strTitle, memo->m_nKind,
                            static_cast<std::int32_t>(session.doc().Memos().size() - 1));
    }
    MemoryOutput out;
    session.doc().StoreTo(out);
    Prepared prepared{out.take(), top->value(), session.doc().Memos().size()};
    return cache.emplace(key, std::move(prepared)).first->second;
}

double FullPassSeconds(CKardelDoc& doc) {
    double start = CpuSeconds();
    doc.ClearFoundMarks();
    benchmark::ClobberMemory();
    return CpuSeconds() - start;
}

// mode 0: the primitives (CopySubtree then DeleteSubtree); mode 1: the whole
// "move to the trash" command through the command router; mode 2: that command,
// then its undo.
void MoveBenchmark(benchmark::State& state, int mode) {
    const Prepared& prepared = Prepare(static_cast<size_t>(state.range(0)), static_cast<size_t>(state.range(1)));
    double moveSeconds = 0, passSeconds = 0, undoSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<HeadlessSession>();
        session->doc().LoadFromBytes(prepared.bytes);
        CommandRouter router(session->doc());
        CKdTreeView& view = session->treeView();
        TreeItem* source = session->doc().Memo(prepared.top)->m_hTreeItem;
        if (mode >= 1)
            view.Tree().Select(source);
        passSeconds += FullPassSeconds(session->doc());
        state.ResumeTiming();

        double start = CpuSeconds();
        if (mode == 0) {
            view.CopySubtree(source, view.Tree().GetRoot(), CKdTreeView::Position::First, false);
            view.DeleteSubtree(source);
        } else {
            router.Execute(ID_MEMO_TO_TRASH);
        }
        moveSeconds += CpuSeconds() - start;
        if (mode == 2) {
            start = CpuSeconds();
            router.Execute(ID_MEMO_UNDO);
            undoSeconds += CpuSeconds() - start;
            if (session->doc().Memo(prepared.top)->m_hTreeItem != view.Tree().GetCaret())
                state.SkipWithError("the undo did not put the subtree back");
        }

        state.PauseTiming();
        session.reset();
        state.ResumeTiming();
    }
    state.counters["memos"] = static_cast<double>(prepared.memoCount);
    state.counters["top_index"] = prepared.top;
    state.counters["pass_ms"] = passSeconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["x_full_pass"] = passSeconds > 0 ? moveSeconds / passSeconds : 0;
    if (mode == 2) {
        const auto n = static_cast<double>(state.iterations());
        state.counters["move_ms"] = moveSeconds * 1e3 / n;
        state.counters["undo_ms"] = undoSeconds * 1e3 / n;
        state.counters["x_move"] = moveSeconds > 0 ? undoSeconds / moveSeconds : 0;
    }
}

void BM_MoveSubtree(benchmark::State& state) {
    MoveBenchmark(state, 0);
}
void BM_MoveToTrashCommand(benchmark::State& state) {
    MoveBenchmark(state, 1);
}
void BM_UndoMoveToTrash(benchmark::State& state) {
    MoveBenchmark(state, 2);
}

// Each iteration reloads the document untimed, so few iterations are run.
void Sizes(benchmark::internal::Benchmark* b) {
    if (bench::SmokeRun()) {
        b->Args({2000, 10})->Args({2000, 1000})->Iterations(2);
        return;
    }
    for (std::int64_t n : {100000, 1000000})
        for (std::int64_t k : {10, 10000})
            b->Args({n, k});
    b->Iterations(5);
}

BENCHMARK(BM_MoveSubtree)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveToTrashCommand)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoMoveToTrash)->Apply(Sizes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
