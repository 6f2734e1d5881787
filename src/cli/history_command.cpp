// tessaray-cli history: the runs stored beside a project and what changed between two of them.
#include "cli/commands.h"

#include "core/history/history_db.h"
#include "core/history/run_changes.h"
#include "core/results/json_report.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace tessaray::cli {

namespace {

struct SHistoryOptions {
    std::string strProject;
    std::vector<std::int64_t> runs;
    bool bChanges = false;
    bool bJson = false;
};

void PrintRuns(const std::vector<SRunInfo>& runs) {
    std::printf("%4s  %-20s  %-20s  %-9s  %8s  %6s  %14s  %7s  %11s\n", "run", "started",
                "finished", "end", "partners", "counts", "does not count", "missing",
                "unreachable");
    for (const SRunInfo& run : runs) {
        std::printf("%4lld  %-20s  %-20s  %-9s  %8d  %6d  %14d  %7d  %11d\n",
                    static_cast<long long>(run.nId), run.strStarted.c_str(),
                    run.strFinished.c_str(), run.bCompleted ? "completed" : "stopped",
                    run.summary.nPartners, run.summary.nCounts, run.summary.nDoesNotCount,
                    run.summary.nMissing, run.summary.nUnreachable);
    }
}

// The alerts sent after the runs, under the runs; nothing when none were.
void PrintDeliveries(const std::vector<SDelivery>& deliveries) {
    if (deliveries.empty()) {
        return;
    }
    std::printf("\nAlerts:\n%4s  %-8s  %-6s  %s\n", "run", "channel", "sent", "target: message");
    for (const SDelivery& delivery : deliveries) {
        std::printf("%4lld  %-8s  %-6s  %s: %s\n", static_cast<long long>(delivery.nRunId),
                    delivery.strChannel.c_str(), delivery.bOk ? "yes" : "failed",
                    delivery.strTarget.c_str(), delivery.strMessage.c_str());
    }
}

void PrintRunsJson(const std::vector<SRunInfo>& runs, const std::vector<SDelivery>& deliveries) {
    std::cout << "{\"runs\": [";
    const char* separator = "\n  ";
    for (const SRunInfo& run : runs) {
        std::cout << separator << "{\"id\": " << run.nId;
        WriteRunTimesJson(std::cout, run.strStarted, run.strFinished, run.bCompleted);
        std::cout << ", \"rows\": " << run.nRows
                  << ", \"settings\": " << (run.strSettings.empty() ? "{}" : run.strSettings)
                  << ", \"summary\": ";
        WriteSummaryJson(std::cout, run.summary);
        std::cout << "}";
        separator = ",\n  ";
    }
    std::cout << "],\n \"alerts\": [";
    separator = "\n  ";
    for (const SDelivery& delivery : deliveries) {
        std::cout << separator << "{\"run\": " << delivery.nRunId
                  << ", \"channel\": " << JsonString(delivery.strChannel)
                  << ", \"target\": " << JsonString(delivery.strTarget)
                  << ", \"sent\": " << (delivery.bOk ? "true" : "false")
                  << ", \"message\": " << JsonString(delivery.strMessage) << "}";
        separator = ",\n  ";
    }
    std::cout << "]}\n";
}

int Fail(const std::string& message, int exitCode) {
    std::fprintf(stderr, "tessaray-cli: %s\n", message.c_str());
    return exitCode;
}

void PrintConfirmations(const SStoredRun& run);

int RunHistory(const SHistoryOptions& options) {
    std::error_code error;
    const std::string projectPath = std::filesystem::absolute(options.strProject, error).string();
    const std::string path = HistoryPathOf(projectPath);
    if (error || !std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return Fail("no runs are stored for " + options.strProject + " (no " + path + ")",
                    kExitUsage);
    }
    CHistoryDb history;
    if (const CHistoryResult opened = history.Open(path, false); !opened) {
        return Fail(path + ": " + opened.GetError().detail, 1);
    }
    const CRunListResult listed = history.ListRuns();
    if (!listed) {
        return Fail(path + ": " + listed.GetError().detail, 1);
    }
    const std::vector<SRunInfo>& runs = listed.Value();
    if (!options.bChanges) {
        const CDeliveryListResult deliveries = history.ListDeliveries();
        if (!deliveries) {
            return Fail(path + ": " + deliveries.GetError().detail, 1);
        }
        if (options.bJson) {
            PrintRunsJson(runs, deliveries.Value());
        } else {
            PrintRuns(runs);
            PrintDeliveries(deliveries.Value());
        }
        return 0;
    }
    if (options.runs.size() == 1) {
        return Fail("--changes takes two runs or none", kExitUsage);
    }
    // Without named runs the last two completed ones: a stopped run never reached some partners.
    std::vector<std::int64_t> compared = options.runs;
    for (auto run = runs.rbegin(); compared.size() < 2 && run != runs.rend(); ++run) {
        if (run->bCompleted) {
            compared.insert(compared.begin(), run->nId);
        }
    }
    if (compared.size() < 2) {
        return Fail("fewer than two completed runs are stored for " + options.strProject,
                    kExitUsage);
    }
    const std::int64_t nOld = compared[0];
    const std::int64_t nNew = compared[1];
    const CReadRunResult older = history.ReadRun(nOld);
    if (!older) {
        return Fail(older.GetError().detail, kExitUsage);
    }
    const CReadRunResult newer = history.ReadRun(nNew);
    if (!newer) {
        return Fail(newer.GetError().detail, kExitUsage);
    }
    const std::vector<SRunChange> changes = CompareRuns(older.Value(), newer.Value());
    if (options.bJson) {
        WriteChangesJson(std::cout, older.Value().info, newer.Value().info, changes);
    } else {
        PrintChanges(older.Value().info, newer.Value().info, changes);
        PrintConfirmations(newer.Value());
    }
    return 0;
}

// The partners the newer run fetched once more before it believed a worse answer, with what
// the first answer was.
void PrintConfirmations(const SStoredRun& run) {
    if (run.confirmations.empty()) {
        return;
    }
    std::printf("Confirmed by a second fetch in run %lld: %zu\n",
                static_cast<long long>(run.info.nId), run.confirmations.size());
    for (const SConfirmation& confirmation : run.confirmations) {
        std::printf(
            "  %s  first answer: status %d, %s\n", confirmation.strPartnerUrl.c_str(),
            confirmation.nFirstStatus,
            VerdictWithReasons(confirmation.eFirstVerdict, confirmation.firstReasons).c_str());
    }
}

} // namespace

void PrintChanges(const SRunInfo& older, const SRunInfo& newer,
                  const std::vector<SRunChange>& changes) {
    std::printf("Changes from run %lld (%s) to run %lld (%s): %zu\n",
                static_cast<long long>(older.nId), older.strStarted.c_str(),
                static_cast<long long>(newer.nId), newer.strStarted.c_str(), changes.size());
    for (const SRunChange& change : changes) {
        std::string what(ChangeKindCode(change.eKind));
        if (IsTextChange(change.eKind)) {
            what += " \"" + change.strOld + "\" -> \"" + change.strNew + "\"";
        } else {
            what += ": " + VerdictWithReasons(change.eOldVerdict, change.oldReasons) + " -> " +
                    VerdictWithReasons(change.eNewVerdict, change.newReasons);
        }
        std::string where = change.strPartnerUrl;
        if (!change.strLinkUrl.empty()) {
            where += " -> " + change.strLinkUrl;
        }
        std::printf("  %-12s  %s  %s\n", std::string(ChangeClassCode(change.eClass)).c_str(),
                    where.c_str(), what.c_str());
    }
}

void RegisterHistory(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<SHistoryOptions>();
    CLI::App* command = app.add_subcommand(
        "history", "List the runs stored beside a project, or show what changed between two");
    command->add_option("project", options->strProject, "the project file (.tsrp)")->required();
    command->add_option("runs", options->runs,
                        "with --changes: the older and the newer run (default: the last two "
                        "completed runs)");
    command->add_flag("--changes", options->bChanges, "show the changes between two runs");
    command->add_flag("--json", options->bJson, "write JSON");
    command->callback([options, &exitCode] { exitCode = RunHistory(*options); });
}

} // namespace tessaray::cli
