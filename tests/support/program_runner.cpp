#include "program_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tessaray::test {

pid_t Spawn(const TempDir& dir, std::vector<std::string> argv) {
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.Path().c_str());
    posix_spawn_file_actions_addopen(&actions, 1, dir.File("out.txt").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, dir.File("err.txt").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

pid_t SpawnCli(const TempDir& dir, const std::vector<std::string>& args) {
    std::vector<std::string> argv{TESSARAY_BIN_DIR "/tessaray-cli"};
    argv.insert(argv.end(), args.begin(), args.end());
    return Spawn(dir, std::move(argv));
}

ProgramResult Finish(const TempDir& dir, pid_t pid) {
    ProgramResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << "the program did not end within a minute";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    result.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.strOut = ReadAll(dir.File("out.txt"));
    result.strErr = ReadAll(dir.File("err.txt"));
    return result;
}

ProgramResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    const pid_t pid = SpawnCli(dir, args);
    EXPECT_GT(pid, 0) << "tessaray-cli did not start";
    return pid > 0 ? Finish(dir, pid) : ProgramResult{};
}

} // namespace tessaray::test
