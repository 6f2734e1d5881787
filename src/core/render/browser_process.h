#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tessaray {

// A browser process started with its DevTools protocol on two pipes (it reads commands on its fd 3
// and writes answers on its fd 4), in a process group of its own so that its helper processes
// end with it, and with a fresh profile folder that is removed when it ends.
class CBrowserProcess {
public:
    CBrowserProcess() = default;
    // Kills what is still running.
    ~CBrowserProcess();
    CBrowserProcess(const CBrowserProcess&) = delete;
    CBrowserProcess& operator=(const CBrowserProcess&) = delete;

    // Starts program with args (the pipe and profile switches are added). False, with a
    // sentence in error, when it cannot be started.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               std::string& error);
    pid_t Pid() const { return m_pid; }
    int ReadFd() const { return m_readFd; }   // non-blocking
    int WriteFd() const { return m_writeFd; } // non-blocking
    // Kills the process group, reaps the browser and removes the profile folder. Says how the
    // browser ended when it had ended by itself ("" when it was killed here or never ran).
    std::string Kill();
    // The last lines the browser wrote to its error output, for a message when it fails.
    std::string ErrorTail() const;

private:
    pid_t m_pid = -1;
    int m_readFd = -1;
    int m_writeFd = -1;
    std::string m_strProfile;
    std::string m_strErrorLog;
};

} // namespace tessaray
