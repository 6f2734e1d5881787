// tessaray-cli schedule against a temporary XDG_CONFIG_HOME and no reachable user manager, so the
// user's own units are never touched.
#include "program_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace tessaray {
namespace {

using test::RunCli;
using test::TempDir;

class ScheduleCommand : public testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
        // No session bus and a runtime folder without one: systemctl --user finds no manager.
        setenv("XDG_RUNTIME_DIR", m_config.Path().c_str(), 1);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    std::string UnitFolder() const { return m_config.File("systemd/user"); }

    TempDir m_config;
    TempDir m_dir;
};

TEST_F(ScheduleCommand, WithoutUserManagerWritesListsAndRemovesTheUnits) {
    const std::string project = m_dir.Write("shop.tsrp", "[YOURDOMAIN]\r\nURL=shop.example\r\n");
    const test::ProgramResult scheduled =
        RunCli(m_dir, {"schedule", "shop.tsrp", "--weekly", "monday", "7:30"});
    EXPECT_EQ(scheduled.nExit, 1) << scheduled.strErr;
    EXPECT_NE(scheduled.strErr.find("user manager"), std::string::npos) << scheduled.strErr;
    EXPECT_NE(scheduled.strErr.find("crontab"), std::string::npos) << scheduled.strErr;
    EXPECT_EQ(scheduled.strOut, "30 7 * * 1 " TESSARAY_BIN_DIR "/tessaray-cli analyze " + project +
                                    " --quiet --changes --alert-on-change-only\n");
    const auto files = std::distance(std::filesystem::directory_iterator(UnitFolder()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 2); // the timer and its service

    const test::ProgramResult listed = RunCli(m_dir, {"schedule", "--list"});
    EXPECT_EQ(listed.nExit, 0) << listed.strErr;
    EXPECT_NE(listed.strOut.find("weekly on Monday at 07:30"), std::string::npos) << listed.strOut;
    EXPECT_NE(listed.strOut.find(project), std::string::npos) << listed.strOut;

    const test::ProgramResult removed = RunCli(m_dir, {"schedule", project, "--off"});
    EXPECT_EQ(removed.nExit, 0) << removed.strErr;
    EXPECT_EQ(removed.strOut, "Schedule removed: " + project + "\n");
    EXPECT_TRUE(std::filesystem::is_empty(UnitFolder()));
    EXPECT_EQ(RunCli(m_dir, {"schedule", "--list"}).strOut,
              "No schedules in " + UnitFolder() + "\n");
}

TEST_F(ScheduleCommand, BadInputIsRefusedWithoutWritingAnything) {
    m_dir.Write("shop.tsrp", "");
    const std::vector<std::vector<std::string>> cases = {
        {"shop.tsrp", "--daily", "24:00"},          {"shop.tsrp", "--daily", "7"},
        {"shop.tsrp", "--weekly", "Fun", "07:00"},  {"shop.tsrp", "--weekly", "Mon"},
        {"missing.tsrp", "--daily", "07:00"},       {"shop.tsrp"},
        {"shop.tsrp", "--daily", "07:00", "--off"}, {"--daily", "07:00"},
    };
    for (std::vector<std::string> args : cases) {
        args.insert(args.begin(), "schedule");
        const test::ProgramResult result = RunCli(m_dir, args);
        EXPECT_EQ(result.nExit, 2) << args[1] << " " << args.back();
        EXPECT_NE(result.strErr, "") << args.back();
    }
    EXPECT_FALSE(std::filesystem::exists(UnitFolder()));
}

} // namespace
} // namespace tessaray
