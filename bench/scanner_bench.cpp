// Throughput of the page scanner (charset, UTF-8 text, Load, signals, walking every link to the
// domain) per corpus page, in bytes per second.
#include "bench/corpus.h"

#include <benchmark/benchmark.h>

namespace {

void ScanCorpusPage(benchmark::State& state, const tessaray::bench::CorpusEntry& entry) {
    const std::string page = entry.make();
    // Each run scans a copy of the bytes, as the program hands each page over in a string of its
    // own.
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessaray::bench::ScanPage(page));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
    state.counters["page_bytes"] = static_cast<double>(page.size());
}

const bool kRegistered = [] {
    for (const auto& entry : tessaray::bench::Corpus()) {
        benchmark::RegisterBenchmark(("scan/" + std::string(entry.name)).c_str(), ScanCorpusPage,
                                     entry)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
