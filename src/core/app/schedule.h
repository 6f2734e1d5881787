#pragma once
// Scheduled checks without scripts: a systemd user timer and service per project that run
// "tessaray-cli analyze" on it, and the crontab line to use where no user manager runs.

#include "core/util/result.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// When a scheduled check runs: every day, or on one day of the week, at a local time.
struct SScheduleTime {
    int nWeekday = -1; // 0 Monday … 6 Sunday; -1 every day
    int nHour = 0;
    int nMinute = 0;

    bool operator==(const SScheduleTime&) const = default;
};

// "HH:MM" (or "H:MM"), 00:00 … 23:59; nothing otherwise.
std::optional<SScheduleTime> ParseClockTime(std::string_view text);
// Mon … Sun or Monday … Sunday, any case, as 0 (Monday) … 6; nothing otherwise.
std::optional<int> ParseWeekday(std::string_view text);
// The English day name of 0 … 6 ("Monday").
std::string_view WeekdayName(int weekday);

// A path escaped as "systemd-escape --path" does: outer slashes dropped, inner runs of '/' made
// one '-', every byte outside [A-Za-z0-9:_.] (and a leading '.') written as \xHH.
std::string SystemdPathEscape(std::string_view path);
// The stable unit name (without ".timer" / ".service") of a project's schedule:
// "tessaray-" and its escaped absolute path, shortened with a hash of the path when the name
// would exceed systemd's length limit.
std::string ScheduleUnitName(const std::string& projectPath);
// The absolute path, with symbolic links of its existing part resolved, that names a project's
// schedule (so "shop.tsrp" and "./links/../shop.tsrp" are the same schedule).
std::string ScheduleProjectPath(const std::string& path);

// The OnCalendar= value of a schedule ("Mon *-*-* 07:00:00").
std::string CalendarExpression(const SScheduleTime& time);
// The arguments after the program that a scheduled check runs: analyze, the project, quiet,
// with the changes, alerting only on news.
std::vector<std::string> ScheduledAnalyzeArguments(const std::string& projectPath);
// The unit files' texts. cliPath and projectPath are absolute.
std::string TimerUnitText(const std::string& projectPath, const SScheduleTime& time);
std::string ServiceUnitText(const std::string& cliPath, const std::string& projectPath);
// The crontab line for the same schedule (shell-quoted; '%' escaped as cron needs it).
std::string CronLine(const std::string& cliPath, const std::string& projectPath,
                     const SScheduleTime& time);

// What a timer file written by TimerUnitText says: its project and its time; nothing for a file
// written by someone else.
struct SScheduleEntry {
    std::string strUnit; // the timer's unit name, "tessaray-….timer"
    std::string strProject;
    SScheduleTime time;
    std::string strNextRun; // from the user manager; "" when it has none or none runs
};
std::optional<SScheduleEntry> ReadTimerUnit(std::string_view text);
// Fills strNextRun of the entries from "systemctl show -p Id -p NextElapseUSecRealtime" output
// (blocks of Key=value lines, one block per unit, separated by empty lines).
void TakeNextRunTimes(std::string_view showOutput, std::vector<SScheduleEntry>& entries);

// The folder of the user's unit files: $XDG_CONFIG_HOME/systemd/user, or ~/.config/systemd/user
// when XDG_CONFIG_HOME is unset or not absolute; "" when neither gives a folder.
std::string UserUnitFolder(const char* xdgConfigHome, const char* home);

// Runs a program (argv[0] looked up in PATH) and gives its exit code and its stdout and stderr
// together; -1 when it could not start or did not end in time.
struct SCommandOutput {
    int nExit = -1;
    std::string strOutput;
};
using CommandRunner = std::function<SCommandOutput(const std::vector<std::string>& argv)>;
SCommandOutput RunCommand(const std::vector<std::string>& argv);

enum class EScheduleError { None, NoUnitFolder, BadProjectPath, WriteFailed, RemoveFailed };
// The error's detail: the path concerned and the system's reason.
using CScheduleResult = CResult<void, EScheduleError>;

// What happened with the user manager: it took the change (and gave the next run time), or
// "systemctl --user" failed, with its message (most often: no user manager runs, e.g. no D-Bus
// session).
struct SManagerState {
    bool bReached = false;
    std::string strMessage; // systemctl's output when it failed
};

// Writes, activates, lists and removes the schedules of projects in one unit folder. The user
// manager is reached through the command runner (systemctl --user), so tests can do without one.
class CScheduler {
public:
    CScheduler(std::string unitFolder, CommandRunner runner);

    // Writes the timer and service of the project (replacing an earlier schedule), reloads the
    // manager and enables and starts the timer; nextRun: the manager's next run time.
    CScheduleResult Schedule(const std::string& cliPath, const std::string& projectPath,
                             const SScheduleTime& time, SManagerState& manager,
                             std::string& nextRun);
    // Stops and disables the timer and removes both files; wasScheduled: false when there were
    // none.
    CScheduleResult Remove(const std::string& projectPath, SManagerState& manager,
                           bool& wasScheduled);
    // Every Tessaray schedule in the folder, with its next run time when the manager runs.
    std::vector<SScheduleEntry> List(SManagerState& manager);
    // The project's schedule, if it has one.
    std::optional<SScheduleEntry> Find(const std::string& projectPath, SManagerState& manager);

    const std::string& UnitFolder() const { return m_strFolder; }

private:
    SManagerState Systemctl(std::vector<std::string> args, std::string* output = nullptr);
    void ReadNextRuns(std::vector<SScheduleEntry>& entries, SManagerState& manager);

    std::string m_strFolder;
    CommandRunner m_runner;
};

} // namespace tessaray
