#pragma once
// The alert options of analyze and 'project alerts': where the alert of a run whose partners'
// links got worse goes.

#include "core/history/run_changes.h"
#include "core/project/alert_settings.h"
#include "core/project/project.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <string>

namespace tessaray::cli {

struct SAlertOptions {
    std::optional<std::string> mailTo;
    std::optional<std::string> smtpUrl;
    std::optional<std::string> smtpUser;
    std::optional<std::string> passwordFile;
    std::optional<std::string> webhookUrl;
    bool bNotify = false;
    bool bNoNotify = false;
};

// Adds --mail-to, --smtp, --smtp-user, --smtp-password-file, --webhook and --notify/--no-notify.
void AddAlertOptions(CLI::App& command, SAlertOptions& options);

// settings with the options given put over them.
SAlertSettings ApplyAlertOptions(SAlertSettings settings, const SAlertOptions& options);

// Sends the alert of the recorded run's changes for the worse where settings say, says every
// failure on stderr and stores every delivery in the history. Nothing when nothing got worse.
// reportJson gives the run's JSON report for the mail; it is asked only when a mail goes out.
// A desktop notice leaves a waiter behind that opens the project when the notice is clicked.
void SendAlerts(const SAlertSettings& settings, const std::string& strProjectPath,
                const CProject& project, const SHistoryRecord& history, const SRunInfo& newer,
                const std::function<std::string()>& reportJson, char chLanguage);

// The hidden command 'notice-wait ID PROJECT' of that waiter, and 'project alerts'.
void RegisterNoticeWaiter(CLI::App& app, int& exitCode);
void RegisterProjectAlerts(CLI::App& project, int& exitCode);

} // namespace tessaray::cli
