// One URL asked of a hostile robots.txt: half a mebibyte of Disallow rules built to make pattern
// matching slow, against a path of 2,000 letters that none of them matches. The cost of a check
// should grow with the file plus rules times path, not with their product.
#include "core/robots/robots_rfc_rules.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using tessaray::CRobotsRfcRules;

// The pattern after "Disallow: /" of each kind of hostile rule.
std::string HostilePattern(int nKind) {
    switch (nKind) {
    case 0: // a long run of stars
        return std::string(1000, '*') + "b";
    case 1: { // many one-letter pieces
        std::string pattern;
        for (int i = 0; i < 500; ++i) {
            pattern += "a*";
        }
        return pattern + "b";
    }
    default: // one long piece that almost matches everywhere
        return "*" + std::string(1000, 'a') + "b";
    }
}

void BM_RobotsRfcHostileCheck(benchmark::State& state) {
    const std::string line =
        "Disallow: /" + HostilePattern(static_cast<int>(state.range(0))) + "\n";
    std::string robots = "User-agent: *\n";
    while (robots.size() + line.size() <= CRobotsRfcRules::kMaxBytes) {
        robots += line;
    }
    CRobotsRfcRules rules;
    rules.Parse(robots);
    const std::string url = "http://partner.example/" + std::string(2000, 'a');
    for (auto _ : state) {
        benchmark::DoNotOptimize(rules.IsAllowed("Googlebot", url));
    }
}
BENCHMARK(BM_RobotsRfcHostileCheck)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
