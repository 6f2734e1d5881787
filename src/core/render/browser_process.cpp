#include "core/render/browser_process.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ; // NOLINT(readability-redundant-declaration): POSIX declares it nowhere

namespace tessaray {

namespace {

// The descriptors the browser expects its DevTools pipe on.
constexpr int kBrowserIn = 3;
constexpr int kBrowserOut = 4;
// Our ends and the child's sources are moved above the descriptors the child is given, so that
// putting them in place cannot overwrite one another.
constexpr int kAbove = 10;

int MoveAbove(int fd) {
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, kAbove);
    ::close(fd);
    return moved;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

std::string TempRoot() {
    for (const char* name : {"TMPDIR", "TEMP", "TMP"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "/tmp";
}

} // namespace

CBrowserProcess::~CBrowserProcess() {
    Kill();
}

bool CBrowserProcess::Start(const std::string& program, const std::vector<std::string>& args,
                            std::string& error) {
    std::string pattern = TempRoot() + "/tessaray-browser-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        error =
            "cannot create a profile folder for the browser: " + std::string(std::strerror(errno));
        return false;
    }
    m_strProfile = pattern;
    m_strErrorLog = m_strProfile + "/browser-errors.log";

    std::array<int, 2> toBrowser{-1, -1};
    std::array<int, 2> fromBrowser{-1, -1};
    if (::pipe2(toBrowser.data(), O_CLOEXEC) != 0 || ::pipe2(fromBrowser.data(), O_CLOEXEC) != 0) {
        error = "cannot create the pipes to the browser: " + std::string(std::strerror(errno));
        for (int fd : toBrowser) {
            CloseFd(fd);
        }
        Kill();
        return false;
    }
    int childIn = MoveAbove(toBrowser[0]);
    m_writeFd = MoveAbove(toBrowser[1]);
    m_readFd = MoveAbove(fromBrowser[0]);
    int childOut = MoveAbove(fromBrowser[1]);

    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--user-data-dir=" + m_strProfile);
    argv.emplace_back("--remote-debugging-pipe");
    argv.emplace_back("about:blank");
    std::vector<char*> argp;
    argp.reserve(argv.size() + 1);
    for (std::string& arg : argv) {
        argp.push_back(arg.data());
    }
    argp.push_back(nullptr);

    // The browser's own temporary files go into the profile folder too, so they are removed
    // with it even when the browser is killed.
    std::string tmpdir = "TMPDIR=" + m_strProfile;
    std::vector<char*> envp{tmpdir.data()};
    for (char** each = environ; *each != nullptr; ++each) {
        if (std::strncmp(*each, "TMPDIR=", 7) != 0) {
            envp.push_back(*each);
        }
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_adddup2(&actions, childIn, kBrowserIn);
    posix_spawn_file_actions_adddup2(&actions, childOut, kBrowserOut);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, m_strErrorLog.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // Nothing else of ours (sockets of running fetches, files) leaks into the browser.
    posix_spawn_file_actions_addclosefrom_np(&actions, kBrowserOut + 1);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                        POSIX_SPAWN_SETSIGDEF);
    const int spawned =
        ::posix_spawn(&m_pid, program.c_str(), &actions, &attr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    CloseFd(childIn);
    CloseFd(childOut);
    if (spawned != 0) {
        m_pid = -1;
        error = "cannot start the browser " + program + ": " + std::strerror(spawned);
        Kill();
        return false;
    }
    ::fcntl(m_readFd, F_SETFL, ::fcntl(m_readFd, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_writeFd, F_SETFL, ::fcntl(m_writeFd, F_GETFL) | O_NONBLOCK);
    return true;
}

std::string CBrowserProcess::Kill() {
    std::string ended;
    if (m_pid > 0) {
        int status = 0;
        pid_t reaped = ::waitpid(m_pid, &status, WNOHANG);
        if (reaped == m_pid) {
            ended = WIFSIGNALED(status)
                        ? "ended by signal " + std::to_string(WTERMSIG(status))
                        : "ended with exit code " + std::to_string(WEXITSTATUS(status));
        }
        // The whole group: the browser's helper processes as well.
        ::kill(-m_pid, SIGKILL);
        while (reaped != m_pid && (reaped = ::waitpid(m_pid, &status, 0)) == -1 && errno == EINTR) {
        }
        m_pid = -1;
    }
    CloseFd(m_readFd);
    CloseFd(m_writeFd);
    if (!m_strProfile.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_strProfile, ignored);
        m_strProfile.clear();
    }
    return ended;
}

std::string CBrowserProcess::ErrorTail() const {
    std::ifstream in(m_strErrorLog, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr std::size_t kTail = 600;
    if (text.size() > kTail) {
        text.erase(0, text.size() - kTail);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

} // namespace tessaray
