#pragma once

#include "core/history/run_changes.h"

#include <CLI/CLI.hpp>

#include <vector>

namespace tessaray::cli {

// Exit code for bad usage or bad input (missing file, invalid option value).
inline constexpr int kExitUsage = 2;

// Each sub-command adds itself to the application; its callback runs the command and stores the
// process exit code in exitCode.
// Register<Name>(CLI::App& app, int& exitCode) functions are declared here, one per command file.
void RegisterAnalyze(CLI::App& app, int& exitCode);
void RegisterProject(CLI::App& app, int& exitCode);
void RegisterFetch(CLI::App& app, int& exitCode);
void RegisterScan(CLI::App& app, int& exitCode);
void RegisterHistory(CLI::App& app, int& exitCode);
void RegisterSchedule(CLI::App& app, int& exitCode);

// Prints the changes between two runs on stdout, one line each: its class, the partner and link,
// and what changed.
void PrintChanges(const SRunInfo& older, const SRunInfo& newer,
                  const std::vector<SRunChange>& changes);

} // namespace tessaray::cli
