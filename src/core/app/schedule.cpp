#include "core/app/schedule.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tessaray {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr std::string_view kUnitPrefix = "tessaray-";
constexpr std::string_view kProjectKey = "X-Tessaray-Project=";
constexpr std::string_view kCalendarKey = "OnCalendar=";
// systemd refuses unit names longer than this (with the suffix).
constexpr std::size_t kUnitNameMax = 255;
constexpr std::size_t kLongestSuffix = sizeof(".service") - 1;
// A systemctl call that takes longer than this is given up.
constexpr std::chrono::seconds kCommandTimeout{60};

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A word of a unit file's command line or value in double quotes: '\' and '"' escaped, '%'
// doubled against specifiers and '$' doubled against variable expansion.
std::string UnitQuote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        } else if (c == '%' || c == '$') {
            quoted += c;
        }
        quoted += c;
    }
    return quoted + '"';
}

// The reverse of UnitQuote; nothing when text is not one quoted word.
std::optional<std::string> UnitUnquote(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return std::nullopt;
    }
    text = text.substr(1, text.size() - 2);
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const bool escapes = c == '\\' ? next == '\\' || next == '"' : next == c;
        if (c == '\\' || c == '%' || c == '$') {
            if (!escapes) {
                return std::nullopt;
            }
            ++i;
        } else if (c == '"') {
            return std::nullopt;
        }
        plain += text[i];
    }
    return plain;
}

// A word for the shell, in single quotes unless it is plain.
std::string ShellQuote(std::string_view text) {
    if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   std::string_view("-_./:=").find(c) != std::string_view::npos;
        })) {
        return std::string(text);
    }
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string_view("'\\''") : std::string_view(&c, 1);
    }
    return quoted + '\'';
}

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

std::string Describe(const std::string& projectPath) {
    std::string description = "Tessaray: check the partner links of " + projectPath;
    std::string escaped;
    for (const char c : description) {
        escaped += c;
        if (c == '%') {
            escaped += '%';
        }
    }
    return escaped;
}

bool WriteTextFile(const fs::path& path, const std::string& text) {
    const fs::path temporary = path.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) {
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

std::string ReadTextFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::optional<SScheduleTime> ParseClockTime(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    int values[2] = {0, 0};
    const std::string_view parts[2] = {text.substr(0, colon), text.substr(colon + 1)};
    for (int i = 0; i < 2; ++i) {
        for (const char c : parts[i]) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            values[i] = values[i] * 10 + (c - '0');
        }
    }
    if (values[0] > 23 || values[1] > 59) {
        return std::nullopt;
    }
    SScheduleTime time;
    time.nHour = values[0];
    time.nMinute = values[1];
    return time;
}

std::optional<int> ParseWeekday(std::string_view text) {
    for (int day = 0; day < 7; ++day) {
        const std::string_view name = kWeekdays[static_cast<std::size_t>(day)];
        if (EqualsNoCase(text, name) || EqualsNoCase(text, name.substr(0, 3))) {
            return day;
        }
    }
    return std::nullopt;
}

std::string_view WeekdayName(int weekday) {
    return weekday >= 0 && weekday < 7 ? kWeekdays[static_cast<std::size_t>(weekday)] : "";
}

std::string SystemdPathEscape(std::string_view path) {
    while (!path.empty() && path.front() == '/') {
        path.remove_prefix(1);
    }
    while (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    if (path.empty()) {
        return "-";
    }
    std::string escaped;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '/') {
            if (path[i - 1] != '/') {
                escaped += '-';
            }
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == ':' || c == '_' || (c == '.' && i > 0)) {
            escaped += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            escaped += hex;
        }
    }
    return escaped;
}

std::string ScheduleUnitName(const std::string& projectPath) {
    std::string name = std::string(kUnitPrefix) + SystemdPathEscape(projectPath);
    if (name.size() + kLongestSuffix <= kUnitNameMax) {
        return name;
    }
    // FNV-1a of the whole path keeps long names apart; the cut never splits an escape.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : projectPath) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char tail[24];
    std::snprintf(tail, sizeof tail, "-%016llx", static_cast<unsigned long long>(hash));
    std::size_t keep = kUnitNameMax - kLongestSuffix - std::strlen(tail);
    const std::size_t escape = name.rfind('\\', keep);
    if (escape != std::string::npos && escape + 4 > keep) {
        keep = escape;
    }
    return name.substr(0, keep) + tail;
}

std::string ScheduleProjectPath(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error) {
        absolute = fs::absolute(path, error).lexically_normal();
    }
    return absolute.string();
}

std::string CalendarExpression(const SScheduleTime& time) {
    std::string expression;
    if (time.nWeekday >= 0) {
        expression = std::string(WeekdayName(time.nWeekday).substr(0, 3)) + ' ';
    }
    return expression + "*-*-* " + TwoDigits(time.nHour) + ':' + TwoDigits(time.nMinute) + ":00";
}

std::vector<std::string> ScheduledAnalyzeArguments(const std::string& projectPath) {
    return {"analyze", projectPath, "--quiet", "--changes", "--alert-on-change-only"};
}

std::string TimerUnitText(const std::string& projectPath, const SScheduleTime& time) {
    return "# Written by tessaray-cli schedule; change or remove it with that command.\n"
           "[Unit]\n"
           "Description=" +
           Describe(projectPath) + "\n" + std::string(kProjectKey) + UnitQuote(projectPath) +
           "\n\n[Timer]\n" + std::string(kCalendarKey) + CalendarExpression(time) +
           "\n"
           "Persistent=true\n\n"
           "[Install]\n"
           "WantedBy=timers.target\n";
}

std::string ServiceUnitText(const std::string& cliPath, const std::string& projectPath) {
    std::string command = UnitQuote(cliPath);
    for (const std::string& argument : ScheduledAnalyzeArguments(projectPath)) {
        command += ' ' + UnitQuote(argument);
    }
    // 3, 4 and 5 are findings about the partners, not failures of the check. KillMode=process keeps
    // the waiter for a click on the desktop notice alive after the run has ended.
    return "# Written by tessaray-cli schedule; change or remove it with that command.\n"
           "[Unit]\n"
           "Description=" +
           Describe(projectPath) +
           "\n\n"
           "[Service]\n"
           "Type=oneshot\n"
           "ExecStart=" +
           command +
           "\n"
           "SuccessExitStatus=3 4 5\n"
           "KillMode=process\n";
}

std::string CronLine(const std::string& cliPath, const std::string& projectPath,
                     const SScheduleTime& time) {
    std::string line = std::to_string(time.nMinute) + ' ' + std::to_string(time.nHour) + " * * " +
                       (time.nWeekday >= 0 ? std::to_string((time.nWeekday + 1) % 7) : "*") + ' ' +
                       ShellQuote(cliPath);
    for (const std::string& argument : ScheduledAnalyzeArguments(projectPath)) {
        line += ' ' + ShellQuote(argument);
    }
    // cron turns an unescaped '%' into a new line.
    std::string escaped;
    for (const char c : line) {
        if (c == '%') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::optional<SScheduleEntry> ReadTimerUnit(std::string_view text) {
    std::optional<std::string> project;
    std::optional<SScheduleTime> time;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(kProjectKey)) {
            project = UnitUnquote(std::string_view(line).substr(kProjectKey.size()));
        } else if (line.starts_with(kCalendarKey)) {
            // "[Day ]*-*-* HH:MM:00" as CalendarExpression writes it.
            std::string_view value = std::string_view(line).substr(kCalendarKey.size());
            int weekday = -1;
            if (value.size() > 4 && value[3] == ' ' && value[0] != '*') {
                const std::optional<int> day = ParseWeekday(value.substr(0, 3));
                weekday = day.value_or(-2);
                value.remove_prefix(4);
            }
            if (weekday != -2 && value.starts_with("*-*-* ") && value.ends_with(":00") &&
                value.size() == 14) {
                time = ParseClockTime(value.substr(6, 5));
                if (time) {
                    time->nWeekday = weekday;
                }
            }
        }
    }
    if (!project || !time) {
        return std::nullopt;
    }
    return SScheduleEntry{"", *project, *time, ""};
}

void TakeNextRunTimes(std::string_view showOutput, std::vector<SScheduleEntry>& entries) {
    std::string id;
    std::istringstream lines{std::string(showOutput)};
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Id=")) {
            id = line.substr(3);
        } else if (line.starts_with("NextElapseUSecRealtime=")) {
            for (SScheduleEntry& entry : entries) {
                if (entry.strUnit == id) {
                    entry.strNextRun = line.substr(sizeof("NextElapseUSecRealtime=") - 1);
                }
            }
        } else if (line.empty()) {
            id.clear();
        }
    }
}

std::string UserUnitFolder(const char* xdgConfigHome, const char* home) {
    fs::path config;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        config = xdgConfigHome;
    } else if (home != nullptr && home[0] == '/') {
        config = fs::path(home) / ".config";
    } else {
        return "";
    }
    return (config / "systemd" / "user").string();
}

SCommandOutput RunCommand(const std::vector<std::string>& argv) {
    SCommandOutput result;
    int pipeEnds[2];
    if (argv.empty() || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return result;
    }
    std::vector<std::string> arguments = argv;
    std::vector<char*> pointers;
    pointers.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    const int spawned =
        posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        result.strOutput = std::strerror(spawned);
        return result;
    }
    // Read until the pipe closes, bounded so a hanging systemctl cannot hang the caller.
    const auto deadline = std::chrono::steady_clock::now() + kCommandTimeout;
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        char buffer[4096];
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        result.strOutput.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (timedOut) {
        kill(pid, SIGKILL);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.nExit = !timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

CScheduler::CScheduler(std::string unitFolder, CommandRunner runner)
    : m_strFolder(std::move(unitFolder)), m_runner(std::move(runner)) {}

SManagerState CScheduler::Systemctl(std::vector<std::string> args, std::string* output) {
    args.insert(args.begin(), {"systemctl", "--user"});
    const SCommandOutput ran = m_runner(args);
    if (output != nullptr) {
        *output = ran.strOutput;
    }
    SManagerState state;
    state.bReached = ran.nExit == 0;
    if (!state.bReached) {
        state.strMessage = ran.strOutput;
        while (!state.strMessage.empty() &&
               std::isspace(static_cast<unsigned char>(state.strMessage.back()))) {
            state.strMessage.pop_back();
        }
        if (state.strMessage.empty()) {
            state.strMessage = "systemctl --user ended with " + std::to_string(ran.nExit);
        }
    }
    return state;
}

CScheduleResult CScheduler::Schedule(const std::string& cliPath, const std::string& projectPath,
                                     const SScheduleTime& time, SManagerState& manager,
                                     std::string& nextRun) {
    if (m_strFolder.empty()) {
        return CScheduleResult::Error{EScheduleError::NoUnitFolder, ""};
    }
    // A line break would end the unit file's line early; systemd has no way to write one.
    if (HasControlCharacter(projectPath) || HasControlCharacter(cliPath) ||
        !projectPath.starts_with('/') || !cliPath.starts_with('/')) {
        return CScheduleResult::Error{EScheduleError::BadProjectPath, projectPath};
    }
    const fs::path folder = m_strFolder;
    std::error_code error;
    fs::create_directories(folder, error);
    const std::string unit = ScheduleUnitName(projectPath);
    const fs::path service = folder / (unit + ".service");
    const fs::path timer = folder / (unit + ".timer");
    if (error || !WriteTextFile(service, ServiceUnitText(cliPath, projectPath))) {
        return CScheduleResult::Error{EScheduleError::WriteFailed, service.string()};
    }
    if (!WriteTextFile(timer, TimerUnitText(projectPath, time))) {
        return CScheduleResult::Error{EScheduleError::WriteFailed, timer.string()};
    }
    nextRun.clear();
    manager = Systemctl({"daemon-reload"});
    if (manager.bReached) {
        manager = Systemctl({"enable", "--now", unit + ".timer"});
    }
    if (manager.bReached) {
        // An unchanged timer keeps its old elapse time until it is restarted.
        manager = Systemctl({"restart", unit + ".timer"});
    }
    if (manager.bReached) {
        std::string output;
        if (Systemctl({"show", "-p", "NextElapseUSecRealtime", "--value", unit + ".timer"}, &output)
                .bReached) {
            nextRun = output.substr(0, output.find('\n'));
        }
    }
    return {};
}

CScheduleResult CScheduler::Remove(const std::string& projectPath, SManagerState& manager,
                                   bool& wasScheduled) {
    const fs::path folder = m_strFolder;
    const std::string unit = ScheduleUnitName(projectPath);
    const fs::path timer = folder / (unit + ".timer");
    std::error_code error;
    wasScheduled = !m_strFolder.empty() && fs::exists(timer, error);
    if (!wasScheduled) {
        manager.bReached = true;
        return {};
    }
    manager = Systemctl({"disable", "--now", unit + ".timer"});
    // Without a user manager "disable" cannot remove the link that "enable" made; do it here.
    fs::remove(folder / "timers.target.wants" / (unit + ".timer"), error);
    for (const fs::path& file : {timer, folder / (unit + ".service")}) {
        if (!fs::remove(file, error) && error) {
            return CScheduleResult::Error{EScheduleError::RemoveFailed,
                                          file.string() + ": " + error.message()};
        }
    }
    if (manager.bReached) {
        manager = Systemctl({"daemon-reload"});
    }
    return {};
}

std::vector<SScheduleEntry> CScheduler::List(SManagerState& manager) {
    std::vector<SScheduleEntry> entries;
    std::error_code error;
    if (!m_strFolder.empty()) {
        for (fs::directory_iterator it(m_strFolder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (!name.starts_with(kUnitPrefix) || !name.ends_with(".timer")) {
                continue;
            }
            if (std::optional<SScheduleEntry> entry = ReadTimerUnit(ReadTextFile(it->path()))) {
                entry->strUnit = name;
                entries.push_back(std::move(*entry));
            }
        }
    }
    std::sort(entries.begin(), entries.end(), [](const SScheduleEntry& a, const SScheduleEntry& b) {
        return a.strProject < b.strProject;
    });
    ReadNextRuns(entries, manager);
    return entries;
}

std::optional<SScheduleEntry> CScheduler::Find(const std::string& projectPath,
                                               SManagerState& manager) {
    const std::string unit = ScheduleUnitName(projectPath) + ".timer";
    std::optional<SScheduleEntry> entry =
        m_strFolder.empty() ? std::nullopt
                            : ReadTimerUnit(ReadTextFile(fs::path(m_strFolder) / unit));
    if (!entry) {
        manager.bReached = true;
        return std::nullopt;
    }
    entry->strUnit = unit;
    std::vector<SScheduleEntry> entries{std::move(*entry)};
    ReadNextRuns(entries, manager);
    return std::move(entries.front());
}

void CScheduler::ReadNextRuns(std::vector<SScheduleEntry>& entries, SManagerState& manager) {
    if (entries.empty()) {
        manager.bReached = true;
        return;
    }
    std::vector<std::string> args{"show", "-p", "Id", "-p", "NextElapseUSecRealtime"};
    for (const SScheduleEntry& entry : entries) {
        args.push_back(entry.strUnit);
    }
    std::string output;
    manager = Systemctl(std::move(args), &output);
    if (manager.bReached) {
        TakeNextRunTimes(output, entries);
    }
}

} // namespace tessaray
