// tessaray-cli schedule: checks a project on a schedule through a systemd user timer, or prints
// the crontab line where no user manager runs.
#include "cli/commands.h"

#include "core/app/schedule.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace tessaray::cli {

namespace {

// The exit code when the units are written but no user manager took them (the crontab line is
// printed instead).
constexpr int kExitNotActive = 1;

struct SScheduleOptions {
    std::string strProject;
    std::string strDaily;
    std::vector<std::string> weekly;
    bool bOff = false;
    bool bList = false;
};

int Fail(const std::string& message, int exitCode) {
    std::fprintf(stderr, "tessaray-cli: %s\n", message.c_str());
    return exitCode;
}

std::string OwnPath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : "";
}

std::string Describe(const SScheduleTime& time) {
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", time.nHour, time.nMinute);
    return time.nWeekday < 0
               ? std::string("daily at ") + clock
               : "weekly on " + std::string(WeekdayName(time.nWeekday)) + " at " + clock;
}

void ReportNoManager(const SManagerState& manager) {
    std::fprintf(stderr,
                 "tessaray-cli: the systemd user manager cannot be reached or refused "
                 "(systemctl --user: %s)\n",
                 manager.strMessage.c_str());
}

std::string ScheduleErrorText(const CScheduleResult& result) {
    const std::string& detail = result.GetError().detail;
    switch (result.Code()) {
    case EScheduleError::NoUnitFolder:
        return "neither XDG_CONFIG_HOME nor HOME names a folder for the user's systemd units";
    case EScheduleError::BadProjectPath:
        return detail + ": a path with a line break or other control character cannot be "
                        "scheduled";
    case EScheduleError::WriteFailed:
        return detail + ": cannot be written";
    case EScheduleError::RemoveFailed:
        return detail + ": cannot be removed";
    case EScheduleError::None:
        break;
    }
    return detail;
}

// The time asked for; nothing, with the reason in error, when it is not one.
std::optional<SScheduleTime> TimeOf(const SScheduleOptions& options, std::string& error) {
    const bool weekly = !options.weekly.empty();
    const std::string& clock = weekly ? options.weekly[1] : options.strDaily;
    std::optional<SScheduleTime> time = ParseClockTime(clock);
    if (!time) {
        error = std::string(weekly ? "--weekly" : "--daily") + ": '" + clock +
                "' is not a time of day (HH:MM, 00:00 to 23:59)";
        return std::nullopt;
    }
    if (weekly) {
        const std::optional<int> day = ParseWeekday(options.weekly[0]);
        if (!day) {
            error = "--weekly: '" + options.weekly[0] +
                    "' is not a day of the week (Mon to Sun, or Monday to Sunday)";
            return std::nullopt;
        }
        time->nWeekday = *day;
    }
    return time;
}

int RunList(CScheduler& scheduler, const SScheduleOptions& options) {
    SManagerState manager;
    std::vector<SScheduleEntry> entries;
    if (options.strProject.empty()) {
        entries = scheduler.List(manager);
    } else if (auto entry = scheduler.Find(ScheduleProjectPath(options.strProject), manager)) {
        entries.push_back(std::move(*entry));
    }
    if (entries.empty()) {
        std::printf("No schedules in %s\n", scheduler.UnitFolder().c_str());
        return 0;
    }
    if (!manager.bReached) {
        ReportNoManager(manager);
    }
    std::printf("%-28s  %-30s  %s\n", "when", "next run", "project");
    for (const SScheduleEntry& entry : entries) {
        const std::string next = entry.strNextRun.empty() ? "-" : entry.strNextRun;
        std::printf("%-28s  %-30s  %s\n", Describe(entry.time).c_str(), next.c_str(),
                    entry.strProject.c_str());
    }
    return 0;
}

int RunOff(CScheduler& scheduler, const std::string& project) {
    SManagerState manager;
    bool wasScheduled = false;
    const CScheduleResult removed = scheduler.Remove(project, manager, wasScheduled);
    if (!removed) {
        return Fail(ScheduleErrorText(removed), 1);
    }
    if (!wasScheduled) {
        std::printf("No schedule for %s\n", project.c_str());
        return 0;
    }
    if (!manager.bReached) {
        ReportNoManager(manager);
    }
    std::printf("Schedule removed: %s\n", project.c_str());
    return 0;
}

int RunSchedule(const SScheduleOptions& options) {
    const int modes = (options.strDaily.empty() ? 0 : 1) + (options.weekly.empty() ? 0 : 1) +
                      (options.bOff ? 1 : 0) + (options.bList ? 1 : 0);
    if (modes != 1) {
        return Fail("schedule: choose one of --daily, --weekly, --off and --list", kExitUsage);
    }
    if (options.strProject.empty() && !options.bList) {
        return Fail("schedule: the project file is missing", kExitUsage);
    }
    CScheduler scheduler(UserUnitFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
                         RunCommand);
    if (scheduler.UnitFolder().empty()) {
        return Fail(ScheduleErrorText(CScheduleResult::Error{EScheduleError::NoUnitFolder, ""}), 1);
    }
    if (options.bList) {
        return RunList(scheduler, options);
    }
    const std::string project = ScheduleProjectPath(options.strProject);
    if (options.bOff) {
        return RunOff(scheduler, project);
    }
    std::string invalid;
    const std::optional<SScheduleTime> time = TimeOf(options, invalid);
    if (!time) {
        return Fail(invalid, kExitUsage);
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(project, error)) {
        return Fail(options.strProject + ": no such project file", kExitUsage);
    }
    const std::string cli = OwnPath();
    SManagerState manager;
    std::string nextRun;
    const CScheduleResult scheduled = scheduler.Schedule(cli, project, *time, manager, nextRun);
    if (!scheduled) {
        return Fail(ScheduleErrorText(scheduled),
                    scheduled.Code() == EScheduleError::BadProjectPath ? kExitUsage : 1);
    }
    const std::string unit = ScheduleUnitName(project) + ".timer";
    if (!manager.bReached) {
        ReportNoManager(manager);
        std::fprintf(stderr,
                     "tessaray-cli: the schedule is written to %s but not active; once a user "
                     "manager runs: systemctl --user enable --now '%s'\n"
                     "Or check with cron instead: add this line to your crontab (crontab -e):\n",
                     scheduler.UnitFolder().c_str(), unit.c_str());
        std::printf("%s\n", CronLine(cli, project, *time).c_str());
        return kExitNotActive;
    }
    std::printf("Scheduled: %s, %s (%s)\n", project.c_str(), Describe(*time).c_str(), unit.c_str());
    std::printf("Next run: %s\n", nextRun.empty() ? "unknown" : nextRun.c_str());
    return 0;
}

} // namespace

void RegisterSchedule(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<SScheduleOptions>();
    CLI::App* command = app.add_subcommand(
        "schedule", "Check a project automatically, daily or weekly, through a systemd user timer "
                    "(and show or remove such schedules)");
    command->add_option("project", options->strProject, "the project file (.tsrp)");
    command->add_option("--daily", options->strDaily, "check every day at HH:MM (local time)")
        ->type_name("HH:MM");
    command
        ->add_option("--weekly", options->weekly,
                     "check once a week on DAY (Mon to Sun) at HH:MM (local time)")
        ->expected(2)
        ->type_name("DAY HH:MM");
    command->add_flag("--off", options->bOff, "remove the project's schedule");
    command->add_flag("--list", options->bList,
                      "show every schedule (or the project's) with its next run time");
    command->footer(
        "The timer and service are written to $XDG_CONFIG_HOME/systemd/user (default "
        "~/.config/systemd/user); each run is 'tessaray-cli analyze PROJECT --quiet --changes "
        "--alert-on-change-only', stored in the project's history, and a run missed while the "
        "computer was off happens at the next start.\n"
        "Exit codes: 0 done; 1 the units could not be written, or no systemd user manager runs "
        "(the units are written but not active, and the crontab line for the same schedule is "
        "printed on stdout); 2 bad input.");
    command->callback([options, &exitCode] { exitCode = RunSchedule(*options); });
}

} // namespace tessaray::cli
