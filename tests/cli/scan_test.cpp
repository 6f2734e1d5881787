#include "program_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace tessaray {
namespace {

using CliRun = test::ProgramResult;

// Runs "tessaray-cli scan" with blank-separated arguments; '' stands for an empty argument.
CliRun RunScan(const std::string& arguments) {
    std::vector<std::string> args{"scan"};
    std::istringstream words(arguments);
    for (std::string word; words >> word;) {
        args.push_back(word == "''" ? std::string() : word);
    }
    const test::TempDir dir;
    return test::RunCli(dir, args);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ScanCommand, ScansTheDemoPage) {
    const CliRun run = RunScan(TESSARAY_SOURCE_DIR "/res/demo/partner-page.html"
                                                   " --base http://blog.partner-one.example"
                                                   " --domain http://shop.example");
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    EXPECT_EQ(run.strErr, "");
    EXPECT_TRUE(Contains(run.strOut, "Meta robots      index: yes  noindex: no  follow: yes  "
                                     "nofollow: no\n"))
        << run.strOut;
    EXPECT_TRUE(Contains(run.strOut, "Internal links   7\nExternal links   7\n"
                                     "Links to domain  3\n"))
        << run.strOut;
    // One aligned line per link; the shop link inside the head comment is gone.
    EXPECT_TRUE(Contains(run.strOut, "1    no        http://shop.example/                "
                                     "Shop Example - fresh roasted coffee\n"))
        << run.strOut;
    EXPECT_TRUE(Contains(run.strOut, "2    yes       https://www.shop.example/grinders   "))
        << run.strOut;
    EXPECT_TRUE(Contains(run.strOut, "3    yes       https://shop.example/offers/spring  "
                                     "Spring offer at Shop Example\n"))
        << run.strOut;
    EXPECT_FALSE(Contains(run.strOut, "old-offer"));
}

TEST(ScanCommand, PageWithoutMetaTagOrLinksToTheDomain) {
    test::TempDir dir;
    const std::string page =
        dir.Write("page.html", std::string("<body><a href=\"/x\">x</a>\0<!-- open", 34));
    const CliRun run = RunScan(page + " --base http://p.example --domain http://my.example");
    ASSERT_EQ(run.nExit, 0) << run.strErr;
    EXPECT_TRUE(Contains(run.strOut, "(34 bytes, 25 without comments)")) << run.strOut;
    EXPECT_TRUE(Contains(run.strOut, "Meta robots      none\n")) << run.strOut;
    EXPECT_TRUE(run.strOut.ends_with("Links to domain  0\n")) << run.strOut;
}

TEST(ScanCommand, CharsetAndJson) {
    test::TempDir dir;
    // windows-1252 bytes, found as such because they are no valid UTF-8, unless told otherwise.
    const std::string page = dir.Write(
        "page.html", "<a href=\"http://my.example/\" rel=nofollow>Gr\xFCner \"Tee\"\\</a>");
    const CliRun sniffed = RunScan(page + " --base http://p.example --domain my.example --json");
    ASSERT_EQ(sniffed.nExit, 0) << sniffed.strErr;
    EXPECT_TRUE(Contains(sniffed.strOut, "\"bytes\": 59, \"charset\": \"WINDOWS-1252\""))
        << sniffed.strOut;
    EXPECT_TRUE(Contains(sniffed.strOut, "\"meta\": {\"robots\": false, \"index\": false"));
    EXPECT_TRUE(Contains(sniffed.strOut, "\"internal_links\": 0, \"external_links\": 1,"));
    EXPECT_TRUE(Contains(sniffed.strOut,
                         "  {\"url\": \"http://my.example/\", \"text\": "
                         "\"Gr\xC3\xBCner \\\"Tee\\\"\\\\\", \"nofollow\": true}\n ]}\n"))
        << sniffed.strOut;
    const CliRun cyrillic =
        RunScan(page + " --base http://p.example --domain my.example --charset ISO-8859-5");
    EXPECT_TRUE(Contains(cyrillic.strOut, "Gr\xD1\x9Cner")) << cyrillic.strOut;
}

TEST(ScanCommand, BadInputGivesOneLineOnStderrAndExitCode2) {
    test::TempDir dir;
    const std::string page = dir.Write("page.html", "<a href=/x>x</a>");
    const std::string arguments[] = {
        dir.File("missing.html") + " --base http://p.example --domain http://my.example",
        page + " --base http://p.example",
        page + " --domain http://my.example",
        "--base http://p.example --domain http://my.example",
        page + " --base http://p.example --domain ''",
    };
    for (const std::string& argument : arguments) {
        const CliRun run = RunScan(argument);
        EXPECT_EQ(run.nExit, 2) << argument;
        EXPECT_EQ(run.strOut, "") << argument;
        EXPECT_TRUE(run.strErr.starts_with("tessaray-cli: ")) << argument << ": " << run.strErr;
        EXPECT_EQ(std::count(run.strErr.begin(), run.strErr.end(), '\n'), 1) << run.strErr;
    }
}

} // namespace
} // namespace tessaray
