#include "core/app/schedule.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessaray {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(Schedule, TimesAndDaysAreValidated) {
    struct Case {
        const char* text;
        std::optional<SScheduleTime> expected;
    };
    const Case clocks[] = {
        {"07:05", SScheduleTime{-1, 7, 5}},
        {"7:05", SScheduleTime{-1, 7, 5}},
        {"00:00", SScheduleTime{-1, 0, 0}},
        {"23:59", SScheduleTime{-1, 23, 59}},
        {"24:00", std::nullopt},
        {"12:60", std::nullopt},
        {"12:5", std::nullopt},
        {"123:00", std::nullopt},
        {":30", std::nullopt},
        {"12-30", std::nullopt},
        {"1a:30", std::nullopt},
        {"", std::nullopt},
        {"+1:30", std::nullopt},
        {"12:30 ", std::nullopt},
    };
    for (const Case& c : clocks) {
        EXPECT_EQ(ParseClockTime(c.text), c.expected) << c.text;
    }
    EXPECT_EQ(ParseWeekday("Mon"), 0);
    EXPECT_EQ(ParseWeekday("monday"), 0);
    EXPECT_EQ(ParseWeekday("SUN"), 6);
    EXPECT_EQ(ParseWeekday("Thursday"), 3);
    for (const char* bad : {"", "Mo", "Mond", "Fun", "Montag", "1"}) {
        EXPECT_EQ(ParseWeekday(bad), std::nullopt) << bad;
    }
}

TEST(Schedule, UnitNamesAreEscapedAsSystemdEscapeDoes) {
    // Expected values from "systemd-escape --path".
    EXPECT_EQ(SystemdPathEscape("/tmp/sx/my shop%$.tsrp"), "tmp-sx-my\\x20shop\\x25\\x24.tsrp");
    EXPECT_EQ(SystemdPathEscape("//home//u/.hidden/\xc3\xa4-x.tsrp/"),
              "home-u-.hidden-\\xc3\\xa4\\x2dx.tsrp");
    EXPECT_EQ(SystemdPathEscape("/.a/b"), "\\x2ea-b");
    EXPECT_EQ(SystemdPathEscape("/"), "-");
    EXPECT_EQ(ScheduleUnitName("/home/u/shop.tsrp"), "tessaray-home-u-shop.tsrp");

    // Long paths stay within systemd's limit, apart from each other and never cut an escape.
    const std::string deep = "/" + std::string(300, 'a') + "/";
    const std::string one = ScheduleUnitName(deep + "ä.tsrp");
    const std::string other = ScheduleUnitName(deep + "b.tsrp");
    EXPECT_LE(one.size() + sizeof(".service") - 1, 255u);
    EXPECT_NE(one, other);
    EXPECT_EQ(one, ScheduleUnitName(deep + "ä.tsrp"));
    const std::string escapes(200, '~');
    const std::string cut = ScheduleUnitName("/" + escapes);
    EXPECT_EQ((cut.find('-', 9) - 9) % 4, 0u) << cut;
}

TEST(Schedule, FoldersFollowXdgConfigHome) {
    EXPECT_EQ(UserUnitFolder("/x/cfg", "/home/u"), "/x/cfg/systemd/user");
    EXPECT_EQ(UserUnitFolder(nullptr, "/home/u"), "/home/u/.config/systemd/user");
    EXPECT_EQ(UserUnitFolder("relative", "/home/u"), "/home/u/.config/systemd/user");
    EXPECT_EQ(UserUnitFolder(nullptr, nullptr), "");
}

// A user manager that answers as systemctl does, or not at all; it records every call.
struct FakeManager {
    bool bRuns = true;
    std::vector<std::string> calls;
    SCommandOutput operator()(const std::vector<std::string>& argv) {
        std::string call;
        for (std::size_t i = 2; i < argv.size(); ++i) {
            call += (i > 2 ? " " : "") + argv[i];
        }
        calls.push_back(call);
        if (!bRuns) {
            return {1, "Failed to connect to bus: No medium found\n"};
        }
        if (argv[2] == "show" && argv[3] == "-p" && argv[4] == "NextElapseUSecRealtime") {
            return {0, "Mon 2030-01-07 07:05:00 CET\n"};
        }
        if (argv[2] == "show") {
            std::string blocks;
            for (std::size_t i = 7; i < argv.size(); ++i) {
                blocks += (i > 7 ? "\n" : "") + std::string("Id=") + argv[i] +
                          "\nNextElapseUSecRealtime=Mon 2030-01-07 07:05:00 CET\n";
            }
            return {0, blocks};
        }
        return {0, ""};
    }
};

TEST(Schedule, WrittenUnitsPassSystemdVerificationAndReadBack) {
    TempDir dir;
    const std::string folder = dir.File("systemd/user");
    const std::string project = dir.Write("shop \"100%\" $HOME\\x.tsrp", "");
    const std::string cli = "/usr/bin/true"; // verify wants a program that exists
    FakeManager fake;
    CScheduler scheduler(folder, [&fake](const auto& argv) { return fake(argv); });
    SManagerState manager;
    std::string next;
    const SScheduleTime weekly{1, 7, 5};
    ASSERT_TRUE(scheduler.Schedule(cli, project, weekly, manager, next));
    EXPECT_TRUE(manager.bReached);
    EXPECT_EQ(next, "Mon 2030-01-07 07:05:00 CET");
    const std::string unit = ScheduleUnitName(project);
    EXPECT_EQ(fake.calls,
              (std::vector<std::string>{
                  "daemon-reload", "enable --now " + unit + ".timer", "restart " + unit + ".timer",
                  "show -p NextElapseUSecRealtime --value " + unit + ".timer"}));

    const std::vector<SScheduleEntry> listed = scheduler.List(manager);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].strUnit, unit + ".timer");
    EXPECT_EQ(listed[0].strProject, project);
    EXPECT_EQ(listed[0].time, weekly);
    EXPECT_EQ(listed[0].strNextRun, "Mon 2030-01-07 07:05:00 CET");

    if (std::system("systemd-analyze --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "systemd-analyze is missing (Debian package systemd): the unit files are "
                        "not verified";
    }
    // The system manager's "verify" works offline on the files, with no manager running.
    const std::string verify = "systemd-analyze verify '" + folder + "/" + unit + ".timer' '" +
                               folder + "/" + unit + ".service' 2>&1";
    EXPECT_EQ(std::system(verify.c_str()), 0) << verify;
}

TEST(Schedule, WithoutUserManagerFilesAreStillWrittenAndRemoved) {
    TempDir dir;
    const std::string folder = dir.File("units");
    const std::string project = dir.Write("a.tsrp", "");
    FakeManager fake;
    fake.bRuns = false;
    CScheduler scheduler(folder, [&fake](const auto& argv) { return fake(argv); });
    SManagerState manager;
    std::string next;
    ASSERT_TRUE(scheduler.Schedule("/usr/bin/tessaray-cli", project, {-1, 6, 0}, manager, next));
    EXPECT_FALSE(manager.bReached);
    EXPECT_EQ(manager.strMessage, "Failed to connect to bus: No medium found");
    EXPECT_EQ(next, "");
    const std::string unit = ScheduleUnitName(project);
    EXPECT_TRUE(fs::exists(folder + "/" + unit + ".service"));
    // A link "enable" made while a manager ran goes with the schedule.
    fs::create_directories(folder + "/timers.target.wants");
    fs::create_symlink("../" + unit + ".timer", folder + "/timers.target.wants/" + unit + ".timer");

    const std::optional<SScheduleEntry> found = scheduler.Find(project, manager);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->strNextRun, "");
    EXPECT_FALSE(manager.bReached);

    bool wasScheduled = false;
    ASSERT_TRUE(scheduler.Remove(project, manager, wasScheduled));
    EXPECT_TRUE(wasScheduled);
    EXPECT_TRUE(fs::is_empty(folder + "/timers.target.wants"));
    EXPECT_EQ(scheduler.List(manager).size(), 0u);
    ASSERT_TRUE(scheduler.Remove(project, manager, wasScheduled));
    EXPECT_FALSE(wasScheduled);

    EXPECT_EQ(
        scheduler.Schedule("/usr/bin/tessaray-cli", dir.Path() + "/a\nb.tsrp", {}, manager, next)
            .Code(),
        EScheduleError::BadProjectPath);
}

TEST(Schedule, CronLineQuotesForTheShellAndCron) {
    EXPECT_EQ(CronLine("/usr/bin/tessaray-cli", "/home/u/it's 100%.tsrp", {0, 7, 5}),
              "5 7 * * 1 /usr/bin/tessaray-cli analyze '/home/u/it'\\''s 100\\%.tsrp' --quiet "
              "--changes --alert-on-change-only");
    EXPECT_EQ(CronLine("/opt/t/tessaray-cli", "/p.tsrp", {6, 23, 59}).substr(0, 12),
              "59 23 * * 0 ");
    EXPECT_EQ(CronLine("/opt/t/tessaray-cli", "/p.tsrp", {-1, 0, 0}).substr(0, 10), "0 0 * * * ");
}

} // namespace
} // namespace tessaray
