// Searching and rebuilding FindView on generated documents. Each search is
// measured beside a plain memmem scan over the same titles and bodies in the same
// run (counter x_memmem: the search's best time over the scan's best time); the
// rebuild and sort of FindView beside one plain pass over the memo array
// (counter x_pass).
//
// The documents are loaded from a generated file, as a large document reaches the
// program: a load lays its memos and items out in file order on memory advised for
// huge pages. BM_StringSearchRareBuiltHere searches a document built by edits in this
// process instead, whose records lie on ordinary small pages.
#include "support/DocumentGenerator.h"

#include "core/base/Texts.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace {
using namespace kardel;
using Clock = std::chrono::steady_clock;

// One generated document per size and way of making it for the whole run.
HeadlessSession& SessionFor(size_t memoCount, bool builtHere = false) {
    static std::map<std::pair<size_t, bool>, std::unique_ptr<HeadlessSession>> sessions;
    auto& slot = sessions[{memoCount, builtHere}];
    if (!slot) {
        slot = std::make_unique<HeadlessSession>();
        if (builtHere)
            bench::GenerateDocument(*slot, memoCount);
        else if (!slot->doc().LoadFromBytes(bench::GeneratedFileBytes(memoCount)).ok)
            std::abort(); // the generator's own file must load
    }
    return *slot;
}

template <class Work> double BestSeconds(int runs, Work&& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// The plain scan: memmem over every title and every body, nothing else.
double MemmemSeconds(const CKardelDoc& doc, const std::string& needle) {
    return BestSeconds(5, [&] {
        size_t hits = 0;
        for (const auto& memo : doc.Memos()) {
            hits += ::memmem(memo->m_strTitle.data(), memo->m_strTitle.size(), needle.data(), needle.size()) != nullptr;
            hits += ::memmem(memo->m_strBody.data(), memo->m_strBody.size(), needle.data(), needle.size()) != nullptr;
        }
        benchmark::DoNotOptimize(hits);
    });
}

// The whole search command (flags, tree walk, FindView rebuilt and sorted), or
// with walkOnly the tree walk that tests the memos.
void RunSearchBench(benchmark::State& state, const CFindCondition& condition, bool walkOnly = false,
                    bool builtHere = false) {
    HeadlessSession& session = SessionFor(static_cast<size_t>(state.range(0)), builtHere);
    CKardelDoc& doc = session.doc();
    doc.m_findCond = condition;
    double best = 1e30;
    for (auto _ : state) {
        auto start = Clock::now();
        if (walkOnly)
            session.treeView().MarkMatches(doc.m_findCond);
        else
            doc.RunSearch();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (walkOnly)
        doc.UpdateAllViews(nullptr, HintResultsChanged); // for the found count below
    // The needle the scan looks for is the string searched, or a text that is never there.
    std::string needle = condition.m_stringOn ? condition.m_search : Sjis("見つからない言葉");
    double scan = MemmemSeconds(doc, needle);
    state.counters["found"] = session.findView().RowCount();
    state.counters["memmem_ms"] = scan * 1e3;
    state.counters["x_memmem"] = best / scan;
}

CFindCondition StringCondition(const std::string& text) {
    CFindCondition c;
    c.m_stringOn = c.m_searchTitle = c.m_searchBody = 1;
    c.m_search = text;
    return c;
}

void BM_StringSearchRare(benchmark::State& state) {
    RunSearchBench(state, StringCondition(Sjis("見つからない言葉"))); // read every byte of every memo
}

void BM_StringSearchRareBuiltHere(benchmark::State& state) {
    RunSearchBench(state, StringCondition(Sjis("見つからない言葉")), false, true);
}

void BM_StringSearchCommon(benchmark::State& state) {
    RunSearchBench(state, StringCondition(Sjis("見積もり"))); // found in many bodies
}

void BM_StringWalkOnlyCommon(benchmark::State& state) {
    RunSearchBench(state, StringCondition(Sjis("見積もり")), true);
}

void BM_StringSearchTrailByte(benchmark::State& state) {
    // "c" appears as the trail byte of many double-byte characters (ツ and others),
    // so candidates are refused and the boundary walk does real work.
    RunSearchBench(state, StringCondition("cA"));
}

void BM_KindSearch(benchmark::State& state) {
    CFindCondition c;
    c.m_kindsOn = 1;
    c.m_kindDef[1] = c.m_kindDone = 1;
    RunSearchBench(state, c);
}

void BM_DateSearch(benchmark::State& state) {
    CFindCondition c;
    c.m_dateOn = 1;
    c.m_dateField = CFindCondition::Updated;
    c.m_dateRelation = CFindCondition::OnOrAfter;
    c.m_dateSource = CFindCondition::GivenDate;
    c.m_givenTime = 1262304000 + 300000000;
    RunSearchBench(state, c);
}

// FindView rebuilt and sorted with 100,000 found rows: every memo of the
// 100,000-memo document, every tenth of the million-memo one.
void BM_RebuildAndSort(benchmark::State& state) {
    HeadlessSession& session = SessionFor(static_cast<size_t>(state.range(0)));
    CKardelDoc& doc = session.doc();
    size_t step = std::max<size_t>(1, doc.Memos().size() / 100000);
    for (size_t i = 0; i < doc.Memos().size(); ++i)
        doc.Memos()[i]->m_bFound = i >= 2 && i % step == 0;
    double best = 1e30;
    for (auto _ : state) {
        auto start = Clock::now();
        doc.UpdateAllViews(nullptr, HintResultsChanged);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    double pass = BestSeconds(5, [&] {
        std::int64_t sum = 0;
        for (const auto& memo : doc.Memos())
            sum += memo->m_nKind + memo->m_bFound;
        benchmark::DoNotOptimize(sum);
    });
    state.counters["rows"] = session.findView().RowCount();
    state.counters["pass_ms"] = pass * 1e3;
    state.counters["x_pass"] = best / pass;
}

// Header clicks on the slower columns, with the rows of the rebuild above.
void BM_SortByColumn(benchmark::State& state) {
    HeadlessSession& session = SessionFor(bench::SmokeRun() ? 2000 : 100000);
    CKardelDoc& doc = session.doc();
    for (size_t i = 0; i < doc.Memos().size(); ++i)
        doc.Memos()[i]->m_bFound = i >= 2;
    doc.UpdateAllViews(nullptr, HintResultsChanged);
    for (auto _ : state)
        session.findView().OnHeaderClick(static_cast<int>(state.range(0)));
    state.counters["rows"] = session.findView().RowCount();
}

void Sizes(benchmark::internal::Benchmark* b) {
    bench::MemoCounts(b, {100000, 1000000});
}

BENCHMARK(BM_StringSearchRare)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringSearchRareBuiltHere)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringSearchCommon)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringWalkOnlyCommon)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringSearchTrailByte)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KindSearch)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DateSearch)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildAndSort)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
