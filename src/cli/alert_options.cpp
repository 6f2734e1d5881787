// The alerts of the command line: their options, their delivery after analyze, the waiter that
// opens the project when the desktop notice is clicked, and 'project alerts'.
#include "cli/alert_options.h"

#include "cli/commands.h"

#include "core/alert/alert.h"
#include "core/alert/alert_delivery.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace tessaray::cli {

namespace {

// How long the waiter keeps listening for a click on the notice.
constexpr int kNoticeWaitSeconds = 3600;

std::string ProgramPath() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

// Starts 'tessaray-cli notice-wait ID PROJECT' in a session of its own, its output to /dev/null,
// so that this run ends at once while the notice stays clickable.
void StartNoticeWaiter(std::uint32_t nNoticeId, const std::string& strProjectPath) {
    std::vector<std::string> args{ProgramPath(), "notice-wait", std::to_string(nNoticeId),
                                  strProjectPath};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {0, 1, 2}) {
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) {
        std::fprintf(stderr, "tessaray-cli: the notice cannot open the project when clicked: "
                             "no waiter could be started\n");
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
}

// Runs the desktop program on the project: the one beside this program, else the one on PATH.
int OpenInDesktopProgram(const std::string& strProjectPath) {
    const std::string beside = std::filesystem::path(ProgramPath()).parent_path() / "tessaray";
    if (::access(beside.c_str(), X_OK) == 0) {
        ::execl(beside.c_str(), beside.c_str(), strProjectPath.c_str(), nullptr);
    }
    ::execlp("tessaray", "tessaray", strProjectPath.c_str(), nullptr);
    return 1;
}

void PrintSettings(const SAlertSettings& settings) {
    const auto line = [](const char* pszName, const std::string& value) {
        std::printf("%-20s %s\n", pszName, value.empty() ? "-" : value.c_str());
    };
    line("Mail to:", settings.strMailTo);
    line("SMTP server:", settings.strSmtpUrl);
    line("SMTP user:", settings.strSmtpUser);
    line("SMTP password file:", settings.strPasswordFile);
    line("Webhook:", settings.strWebhookUrl);
    line("Desktop notice:", settings.bDesktopNotice ? "on" : "off");
}

struct SProjectAlertsOptions {
    std::string strProject;
    SAlertOptions alerts;
    bool bClear = false;
};

int RunProjectAlerts(const SProjectAlertsOptions& options) {
    std::error_code error;
    const std::string path = std::filesystem::absolute(options.strProject, error).string();
    CProject project;
    if (const CProjectResult loaded = project.Load(path); !loaded.Ok()) {
        std::fprintf(stderr, "tessaray-cli: %s\n", ProjectErrorText(loaded.GetError()).c_str());
        return kExitUsage;
    }
    const SAlertSettings settings = ApplyAlertOptions(
        options.bClear ? SAlertSettings{} : project.GetAlertSettings(), options.alerts);
    if (const std::string problem = CheckAlertSettings(settings); !problem.empty()) {
        std::fprintf(stderr, "tessaray-cli: %s\n", problem.c_str());
        return kExitUsage;
    }
    project.SetAlertSettings(settings);
    if (project.IsModified()) {
        if (const CProjectResult saved = project.Save(path); !saved.Ok()) {
            std::fprintf(stderr, "tessaray-cli: cannot save the project: %s\n",
                         ProjectErrorText(saved.GetError()).c_str());
            return 1;
        }
    }
    PrintSettings(settings);
    return 0;
}

} // namespace

void AddAlertOptions(CLI::App& command, SAlertOptions& options) {
    command.add_option("--mail-to", options.mailTo, "mail the alert to ADDR")->type_name("ADDR");
    command
        .add_option("--smtp", options.smtpUrl,
                    "through the SMTP server URL: smtp://HOST[:PORT] (STARTTLS required) or "
                    "smtps://HOST[:PORT]")
        ->type_name("URL");
    command.add_option("--smtp-user", options.smtpUser, "log in to the SMTP server as USER")
        ->type_name("USER");
    command
        .add_option("--smtp-password-file", options.passwordFile,
                    "with the password on the first line of FILE (never stored in the project)")
        ->type_name("FILE");
    command.add_option("--webhook", options.webhookUrl, "POST the changes as JSON to URL")
        ->type_name("URL");
    CLI::Option* notify =
        command.add_flag("--notify", options.bNotify, "show the alert as a desktop notice");
    command.add_flag("--no-notify", options.bNoNotify, "show no desktop notice")->excludes(notify);
}

SAlertSettings ApplyAlertOptions(SAlertSettings settings, const SAlertOptions& options) {
    const auto apply = [](const std::optional<std::string>& option, std::string& value) {
        if (option) {
            value = *option;
        }
    };
    apply(options.mailTo, settings.strMailTo);
    apply(options.smtpUrl, settings.strSmtpUrl);
    apply(options.smtpUser, settings.strSmtpUser);
    apply(options.passwordFile, settings.strPasswordFile);
    apply(options.webhookUrl, settings.strWebhookUrl);
    if (options.bNotify || options.bNoNotify) {
        settings.bDesktopNotice = options.bNotify;
    }
    return settings;
}

void SendAlerts(const SAlertSettings& settings, const std::string& strProjectPath,
                const CProject& project, const SHistoryRecord& history, const SRunInfo& newer,
                const std::function<std::string()>& reportJson, char chLanguage) {
    const std::vector<SRunChange> changes = AlertChanges(history);
    if (changes.empty() || settings.IsEmpty()) {
        return;
    }
    const SAlert alert =
        MakeAlert(changes, history.previous, newer, project.GetDomain(), chLanguage);
    std::uint32_t nNoticeId = 0;
    const std::vector<SDelivery> deliveries =
        DeliverAlert(settings, alert, settings.strMailTo.empty() ? std::string() : reportJson(),
                     chLanguage, {}, &nNoticeId);
    for (const SDelivery& delivery : deliveries) {
        if (!delivery.bOk) {
            std::fprintf(stderr,
                         "tessaray-cli: the alert by %s to %s failed: %s (the run's result "
                         "stands)\n",
                         delivery.strChannel.c_str(), delivery.strTarget.c_str(),
                         delivery.strMessage.c_str());
        }
    }
    if (nNoticeId != 0) {
        StartNoticeWaiter(nNoticeId, strProjectPath);
    }
    if (const std::string error = RecordDeliveries(strProjectPath, history.nRunId, deliveries);
        !error.empty()) {
        std::fprintf(stderr, "tessaray-cli: the alerts sent are not in the history: %s\n",
                     error.c_str());
    }
}

void RegisterNoticeWaiter(CLI::App& app, int& exitCode) {
    auto id = std::make_shared<std::uint32_t>(0);
    auto project = std::make_shared<std::string>();
    // Hidden (no group): started by analyze beside a desktop notice.
    CLI::App* command = app.add_subcommand("notice-wait", "")->group("");
    command->add_option("id", *id)->required();
    command->add_option("project", *project)->required();
    command->callback([id, project, &exitCode] {
        exitCode = WaitForNoticeClick(*id, kNoticeWaitSeconds) ? OpenInDesktopProgram(*project) : 0;
    });
}

void RegisterProjectAlerts(CLI::App& project, int& exitCode) {
    auto options = std::make_shared<SProjectAlertsOptions>();
    CLI::App* command = project.add_subcommand(
        "alerts", "Show or store where a project's alerts go (every analyze uses them; its own "
                  "alert options override them for that run)");
    command->add_option("FILE", options->strProject, "Project file (.tsrp)")->required();
    AddAlertOptions(*command, options->alerts);
    command->add_flag("--clear", options->bClear, "start from no alerts");
    command->callback([options, &exitCode] { exitCode = RunProjectAlerts(*options); });
}

} // namespace tessaray::cli
