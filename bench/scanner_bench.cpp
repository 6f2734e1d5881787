// Throughput of the page scanner (comment removal, Load, walking every link to the domain) per
// corpus page, in bytes per second.
#include "bench/corpus.h"

#include <benchmark/benchmark.h>

namespace {

void ScanCorpusPage(benchmark::State& state, const tessaray::bench::CorpusEntry& entry) {
    const std::string page = entry.make();
    // Comments are removed in place, so each run scans a copy. The copy goes to the same buffer
    // every time, as the program reads each page into a string of its own: a fresh 5 MB string
    // per run would also time the kernel handing out new memory pages.
    std::string text;
    for (auto _ : state) {
        text.assign(page);
        benchmark::DoNotOptimize(tessaray::bench::ScanPage(text));
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
