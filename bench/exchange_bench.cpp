// Markdown, OPML and HTML export and OPML import of generated documents, against
// the text export and the .kdl import of the same documents as baselines.
#include "support/DocumentGenerator.h"

#include "core/exchange/ImportReader.h"
#include "core/exchange/OutlineWriter.h"
#include "core/model/ImportSource.h"
#include "core/shell/CTextExporter.h"

using namespace kardel;
using namespace kardel::bench;

namespace {

// Counts the bytes and drops them, so the output costs nothing but the writing.
class CountingOutput : public IOutput {
public:
    bool Write(const char*, size_t size) override {
        m_bytes += size;
        return true;
    }
    size_t m_bytes = 0;
};

void Sizes(::benchmark::internal::Benchmark* b) {
    MemoCounts(b, {10000, 100000});
}

void BM_TextExport(benchmark::State& state) {
    HeadlessSession session;
    GenerateDocument(session, static_cast<size_t>(state.range(0)));
    CTextExporter exporter(session.doc(), &session.memoView(), &session.treeView());
    size_t bytes = 0;
    for (auto _ : state) {
        CountingOutput out;
        exporter.WriteSubtree(out, session.treeView().Tree().GetRoot());
        bytes = out.m_bytes;
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_Export(benchmark::State& state, ExchangeFormat format) {
    HeadlessSession session;
    GenerateDocument(session, static_cast<size_t>(state.range(0)));
    OutlineExportOptions options;
    options.withTrash = true;
    size_t bytes = 0;
    for (auto _ : state) {
        CountingOutput out;
        ExportOutline(format, session.doc(), session.treeView(), session.treeView().Tree().GetRoot(), options, out);
        bytes = out.m_bytes;
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ImportKdl(benchmark::State& state) {
    std::string bytes = GeneratedFileBytes(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        ImportSource source;
        size_t replaced = 0;
        benchmark::DoNotOptimize(ReadImportBytes(bytes, source, replaced).ok);
    }
}

void BM_ImportOpml(benchmark::State& state) {
    HeadlessSession session;
    GenerateDocument(session, static_cast<size_t>(state.range(0)));
    MemoryOutput out;
    OutlineExportOptions options;
    options.withTrash = true;
    ExportOutline(ExchangeFormat::Opml, session.doc(), session.treeView(), session.treeView().Tree().GetRoot(), options,
                  out);
    std::string bytes = out.take();
    for (auto _ : state) {
        ImportSource source;
        size_t replaced = 0;
        benchmark::DoNotOptimize(ReadImportBytes(bytes, source, replaced).ok);
    }
    state.counters["peakRssMB"] = static_cast<double>(PeakRss()) / (1 << 20);
}

} // namespace

BENCHMARK(BM_TextExport)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, markdown, ExchangeFormat::Markdown)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, opml, ExchangeFormat::Opml)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, html, ExchangeFormat::Html)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportKdl)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportOpml)->Apply(Sizes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
