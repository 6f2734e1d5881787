#include "core/app/os_name.h"

#include <gtest/gtest.h>

namespace tessaray {
namespace {

std::string OsName(int platform, int major, int minor) {
    std::string out = "unchanged";
    GetOsNameFromVersion(platform, major, minor, out);
    return out;
}

TEST(OsName, WindowsVersionTable) {
    EXPECT_EQ(OsName(kPlatformWin9x, 4, 0), "Win95");
    EXPECT_EQ(OsName(kPlatformWin9x, 4, 10), "Win98");
    EXPECT_EQ(OsName(kPlatformWin9x, 4, 90), "WinME");
    EXPECT_EQ(OsName(kPlatformWin9x, 4, 3), "unchanged");
    EXPECT_EQ(OsName(kPlatformWinNT, 3, 51), "NT 3.51");
    EXPECT_EQ(OsName(kPlatformWinNT, 4, 0), "NT 4.0");
    EXPECT_EQ(OsName(kPlatformWinNT, 5, 0), "Win2000 5.0");
    EXPECT_EQ(OsName(kPlatformWinNT, 5, 1), "WinXP 5.1");
    EXPECT_EQ(OsName(kPlatformWinNT, 5, 2), "Windows 5.2");
    EXPECT_EQ(OsName(kPlatformWinNT, 6, 1), "Windows Vista 6.1");
    EXPECT_EQ(OsName(kPlatformWinNT, 6, 0), "Windows Vista 6.0");
    EXPECT_EQ(OsName(kPlatformWinNT, 10, 0), "Windows 10.0");
    EXPECT_EQ(OsName(0, 3, 11), "Windows 3.11");
}

TEST(OsName, LinuxDistributionAndKernel) {
    const char* osRelease = "NAME=\"Debian GNU/Linux\"\n"
                            "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                            "VERSION_ID=\"12\"\n";
    EXPECT_EQ(DescribeLinuxSystem(osRelease, "Linux", "6.1.0-18-amd64"),
              "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
    // Single quotes, escapes, CR LF lines and a key that only starts like PRETTY_NAME.
    EXPECT_EQ(
        DescribeLinuxSystem("PRETTY_NAMES=x\r\nPRETTY_NAME='Arch \"Linux\"'\r\n", "Linux", "6.6"),
        "Arch \"Linux\", Linux 6.6");
    EXPECT_EQ(DescribeLinuxSystem("PRETTY_NAME=\"Say \\\"hi\\\"\"", "Linux", "6.6"),
              "Say \"hi\", Linux 6.6");
    // Without os-release only the kernel is named.
    EXPECT_EQ(DescribeLinuxSystem("", "Linux", "6.1.0"), "Linux 6.1.0");
    EXPECT_EQ(DescribeLinuxSystem("NAME=x\n", "Linux", ""), "Linux");
}

TEST(OsName, RunningSystemNamesItsKernel) {
    std::string out;
    GetOsName(out);
    EXPECT_NE(out.find("Linux"), std::string::npos) << out;
}

} // namespace
} // namespace tessaray
