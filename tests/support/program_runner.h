#pragma once
// Runs the built programs (tessaray-cli, the demo site) as child processes for end-to-end tests.

#include "temp_dir.h"

#include <string>
#include <vector>

#include <sys/types.h>

namespace tessaray::test {

struct ProgramResult {
    int nExit = -1; // exit code; -1 when the program did not end normally
    std::string strOut;
    std::string strErr;
};

// Starts argv[0] in dir with stdout and stderr going to files there; -1 when it cannot start.
pid_t Spawn(const TempDir& dir, std::vector<std::string> argv);
// Spawn for tessaray-cli with the given arguments.
pid_t SpawnCli(const TempDir& dir, const std::vector<std::string>& args);
// Waits (at most a minute, then kills it) for the program to end and collects its exit code and
// output.
ProgramResult Finish(const TempDir& dir, pid_t pid);
// Runs tessaray-cli with args in dir to its end.
ProgramResult RunCli(const TempDir& dir, const std::vector<std::string>& args);

} // namespace tessaray::test
