#pragma once
#include "core/shell/DocumentSession.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace kardel::bench {

// Builds a realistic document of `memoCount` memos (root and trash included, so
// at least 2) in the session, replacing whatever it held: Japanese titles, bodies
// of a few hundred bytes with CR LF line ends, folders nested several levels deep
// (some collapsed), memos of every kind (plain, the five definitions, done), some
// due dates, some selection items, and a few subtrees in the trash. The same
// count and seed always give the same document. The result is unmodified, with
// the root selected, exactly as if it had just been opened.
void GenerateDocument(HeadlessSession& session, size_t memoCount, unsigned seed = 1);

// The bytes that saving GenerateDocument(memoCount, seed) writes (a version 5 file).
std::string GeneratedFileBytes(size_t memoCount, unsigned seed = 1);

// Registers the memo counts a benchmark runs with. Under KARDEL_BENCH_SMOKE=1 (the
// brief CI run) only the smallest count is used, capped at 2000 memos.
void MemoCounts(::benchmark::internal::Benchmark* benchmark, std::initializer_list<std::int64_t> counts);
bool SmokeRun();

// Resident set size of this process now and at its peak so far, in bytes (Linux).
size_t CurrentRss();
size_t PeakRss();

} // namespace kardel::bench
