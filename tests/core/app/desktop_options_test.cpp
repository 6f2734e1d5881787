#include "core/app/desktop_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

using EAction = SDesktopOptions::EAction;

TEST(DesktopOptionsTest, ActionsAndProject) {
    struct SCase {
        std::vector<std::string> args;
        EAction eAction;
        std::string strProject;
        std::string strTextPart;
    };
    const SCase cases[] = {
        {{}, EAction::Run, "", ""},
        {{"shop.tsrp"}, EAction::Run, "shop.tsrp", ""},
        {{"--help"}, EAction::Help, "", "Usage: tessaray"},
        {{"shop.tsrp", "-h"}, EAction::Help, "", "--version"},
        {{"--version"}, EAction::Version, "", "tessaray "},
        {{"--verbose", "--version"}, EAction::Version, "", "tessaray "},
        {{"--open", "shop.tsrp"}, EAction::Error, "", "unknown option '--open'"},
        {{"a.tsrp", "b.tsrp"}, EAction::Error, "", "only one project"},
        {{"--screenshot"}, EAction::Error, "", "needs a file name"},
        {{"--", "--help"}, EAction::Run, "--help", ""},
        {{"-"}, EAction::Run, "-", ""},
    };
    for (const SCase& c : cases) {
        const SDesktopOptions options = ParseDesktopOptions(c.args);
        const std::string name = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(options.eAction, c.eAction) << name;
        EXPECT_EQ(options.strProject, c.strProject) << name;
        EXPECT_NE(options.strText.find(c.strTextPart), std::string::npos) << name;
    }
}

TEST(DesktopOptionsTest, ScreenshotTakesTheFileAfterIt) {
    const SDesktopOptions options =
        ParseDesktopOptions({"--verdict-screenshot", "out.png", "demo.tsrp"});
    EXPECT_EQ(options.eAction, EAction::Run);
    EXPECT_EQ(options.strScreenshot, "out.png");
    EXPECT_TRUE(options.bVerdictScreenshot);
    EXPECT_EQ(options.strProject, "demo.tsrp");
    EXPECT_TRUE(
        ParseDesktopOptions({"--print-preview-screenshot", "p.png"}).bPrintPreviewScreenshot);
    EXPECT_TRUE(
        ParseDesktopOptions({"--history-screenshot", "h.png", "demo.tsrp"}).bHistoryScreenshot);
}

} // namespace
} // namespace tessaray
