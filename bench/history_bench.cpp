// The run history at its intended scale: 10,000 partners, 100 runs in one database. Measures
// storing the hundredth run and the changes between the last two (both read from the file), and
// reports the size of the file.
#include "bench/bench_folder.h"
#include "core/history/history_db.h"
#include "core/history/run_changes.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace tessaray;
using tessaray::bench::BenchFolder;

constexpr int kPartners = 10000;
constexpr int kRuns = 100;

// Run number nRun of the project: every tenth partner has a second link; the byte counts move
// from run to run, and a few partners change their link's verdict, status or anchor text.
SStoredRun MakeRun(int nRun) {
    SStoredRun run;
    run.info.strStarted = "2026-12-08T10:00:00Z";
    run.info.strFinished = "2026-12-08T10:40:00Z";
    run.info.bCompleted = true;
    run.info.strSettings = R"({"domain": "http://shop.example", "language": "en"})";
    for (int i = 0; i < kPartners; ++i) {
        const bool bChanged = (i + nRun) % 500 == 0;
        for (int link = 0; link < (i % 10 == 0 ? 2 : 1); ++link) {
            SStoredRow& row = run.rows.emplace_back();
            auto& cells = row.cells;
            cells[kColNo] = std::to_string(run.rows.size());
            cells[kColPartnerUrl] = "http://partner" + std::to_string(i) + ".example/links.html";
            cells[kColStatusCode] = bChanged ? "404" : "200";
            cells[kColBytes] = std::to_string(20000 + (i * 7 + nRun * 13) % 5000);
            cells[kColIntLinks] = std::to_string(40 + i % 30);
            cells[kColExtLinks] = std::to_string(10 + i % 20);
            cells[kColYourUrl] = link == 0 ? "http://shop.example/" : "http://shop.example/tea";
            cells[kColAnchorText] = "Corner Tea Shop " + std::to_string(i % 100);
            cells[kColListed] = "Yes";
            cells[kColFollowMeta] = "NA";
            cells[kColFollowLink] = link == 0 ? "Follow" : "Nofollow";
            cells[kColRobotsAllow] = "Allow";
            cells[kColGoogle] = i % 3 == 0 ? "Yes" : "No";
            cells[kColComment] = "link swap since " + std::to_string(2000 + i % 25);
            cells[kColServerHeader] = "HTTP/1.1 200 OK\r\nServer: Apache/2.4.57\r\n"
                                      "Content-Type: text/html; charset=utf-8\r\n";
            row.eVerdict = link == 0 ? EVerdict::Counts : EVerdict::DoesNotCount;
            if (link == 1) {
                row.reasons = {{EReason::RelNofollow, ""}};
            }
            if (bChanged) {
                row.eVerdict = EVerdict::Unreachable;
                row.reasons = {{EReason::HttpStatus, "404"}};
            }
            row.eOutcome = ETransferOutcome::Complete;
        }
    }
    run.info.summary.nPartners = kPartners;
    run.info.nRows = static_cast<int>(run.rows.size());
    return run;
}

// One history of kRuns - 1 runs for all benchmarks, made once.
class HistoryFixture {
public:
    HistoryFixture() : m_strPath(m_folder.File("shop.tsrp-history")) {
        CHistoryDb history;
        static_cast<void>(history.Open(m_strPath, true));
        for (int run = 1; run < kRuns; ++run) {
            static_cast<void>(history.Store(MakeRun(run)));
        }
    }
    const std::string& Path() const { return m_strPath; }

private:
    BenchFolder m_folder;
    std::string m_strPath;
};

HistoryFixture& Fixture() {
    static HistoryFixture fixture;
    return fixture;
}

void BM_StoreRun(benchmark::State& state) {
    CHistoryDb history;
    if (const CHistoryResult opened = history.Open(Fixture().Path(), false); !opened) {
        state.SkipWithError(opened.GetError().detail.c_str());
        return;
    }
    const SStoredRun run = MakeRun(kRuns);
    for (auto _ : state) {
        if (const CStoreResult stored = history.Store(run); !stored.Ok()) {
            state.SkipWithError(stored.GetError().detail.c_str());
        }
    }
    state.counters["rows"] = static_cast<double>(run.rows.size());
    // The file with its write-ahead log, which holds what is not yet checkpointed.
    std::error_code error;
    const auto wal = std::filesystem::file_size(Fixture().Path() + "-wal", error);
    state.counters["db_MB"] =
        static_cast<double>(std::filesystem::file_size(Fixture().Path()) + (error ? 0 : wal)) / 1e6;
}
BENCHMARK(BM_StoreRun)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ChangesOfLastTwoRuns(benchmark::State& state) {
    CHistoryDb history;
    if (const CHistoryResult opened = history.Open(Fixture().Path(), false); !opened) {
        state.SkipWithError(opened.GetError().detail.c_str());
        return;
    }
    std::size_t nChanges = 0;
    for (auto _ : state) {
        const CRunListResult runs = history.ListRuns();
        if (!runs || runs.Value().size() < 2) {
            state.SkipWithError("cannot read the runs");
            break;
        }
        const CReadRunResult older = history.ReadRun(runs.Value()[runs.Value().size() - 2].nId);
        const CReadRunResult newer = history.ReadRun(runs.Value().back().nId);
        if (!older || !newer) {
            state.SkipWithError("cannot read the runs");
            break;
        }
        nChanges = CompareRuns(older.Value(), newer.Value()).size();
    }
    state.counters["changes"] = static_cast<double>(nChanges);
    state.counters["runs_in_db"] = kRuns;
}
BENCHMARK(BM_ChangesOfLastTwoRuns)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
