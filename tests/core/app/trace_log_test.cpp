#include "core/app/trace_log.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace tessaray {
namespace {

using test::ReadAll;
using test::TempDir;

constexpr const char* kGoodSwitch = "[APPLICATION]\r\nNAME=TSRAY\r\nVERSION=1\r\n"
                                    "INTERNET=http://x.example\r\n"
                                    "COPYRIGHT=(c) 2009 Dalvero Works\r\n"
                                    "[SETTINGS]\r\nTRACE=1\r\n";

// A trace base folder with TSRAY/TSRAY.ini holding the given switch text.
struct TraceFolder {
    TempDir dir;
    std::string folder = dir.File("TSRAY");
    explicit TraceFolder(const std::string& switchText) {
        std::filesystem::create_directory(folder);
        if (!switchText.empty()) {
            dir.Write("TSRAY/TSRAY.ini", switchText);
        }
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

bool InitWith(const std::string& switchText) {
    TraceFolder trace(switchText);
    CTraceLog log(trace.dir.Path());
    log.SetName("TSRAY");
    return log.Init();
}

TEST(TraceLog, SwitchFileDecides) {
    EXPECT_TRUE(InitWith(kGoodSwitch));
    std::string two = kGoodSwitch;
    two.replace(two.find("TRACE=1"), 7, "TRACE=2");
    EXPECT_FALSE(InitWith(two));
    std::string otherMaker = kGoodSwitch;
    otherMaker.replace(otherMaker.find("Dalvero Works"), 13, "dalvero works");
    EXPECT_FALSE(InitWith(otherMaker));
    EXPECT_FALSE(InitWith("")); // no switch file
    EXPECT_TRUE(InitWith("[application]\ncopyright = \"Dalvero Works\"\n[settings]\ntrace= 1x\n"));

    TraceFolder trace(kGoodSwitch);
    CTraceLog unnamed(trace.dir.Path());
    EXPECT_FALSE(unnamed.Init());
}

TEST(TraceLog, PathsFollowTheName) {
    CTraceLog log("/base");
    EXPECT_EQ(log.GetFolder(), "/base");
    log.SetName("TSRAY");
    log.Init();
    EXPECT_EQ(log.GetFolder(), "/base/TSRAY");
    EXPECT_EQ(log.GetSwitchFile(), "/base/TSRAY/TSRAY.ini");
    EXPECT_EQ(log.GetTraceFile(), "/base/TSRAY/TSRAY_TRACE.txt");
    EXPECT_NE(CTraceLog::DefaultBaseFolder().find("/Dalvero/TRACE"), std::string::npos);
}

TEST(TraceLog, TwoRunsKeepOnlyTheSecondWithItsHeader) {
    TraceFolder trace(kGoodSwitch);
    CTraceLog log(trace.dir.Path());
    log.SetName("TSRAY");
    ASSERT_TRUE(log.Init());
    TraceBegin(log, "010102");
    log.Line("first run");
    log.End();
    TraceBegin(log, "010102");
    log.Line("second run");
    log.End();
    const std::string header = "Version=010102\r\n" + std::string(80, '#') + "\r\n \r\n";
    EXPECT_EQ(ReadAll(log.GetTraceFile()), header + "second run\r\n");

    // A run that is never ended leaves no trace file.
    TraceBegin(log, "010102");
    log.Line("unfinished");
    EXPECT_FALSE(std::filesystem::exists(log.GetTraceFile()));
}

TEST(TraceLog, PagesAreWrittenAsTheyAreAndNoFoldersAreMade) {
    TraceFolder trace(kGoodSwitch);
    CTraceLog log(trace.dir.Path());
    log.SetName("TSRAY");
    ASSERT_TRUE(log.Init());
    log.Page("page1.htm", std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadAll(trace.folder + "/page1.htm"), std::string("a\0b\r\n", 5));
    log.Page("page1.htm", "shorter");
    EXPECT_EQ(ReadAll(trace.folder + "/page1.htm"), "shorter");
    log.Page("sub/page2.htm", "x");
    log.Page("sub\\page3.htm", "x");
    EXPECT_EQ(trace.Files(), (std::vector<std::string>{"TSRAY.ini", "page1.htm"}));
    std::filesystem::create_directory(trace.folder + "/sub");
    log.Page("sub\\page3.htm", "x");
    EXPECT_EQ(ReadAll(trace.folder + "/sub/page3.htm"), "x");
}

TEST(TraceLog, OffTouchesNoFiles) {
    std::string off = kGoodSwitch;
    off.replace(off.find("TRACE=1"), 7, "TRACE=0");
    TraceFolder trace(off);
    trace.dir.Write("TSRAY/TSRAY_TRACE.txt", "old trace");
    CTraceLog log(trace.dir.Path());
    log.SetName("TSRAY");
    ASSERT_FALSE(log.Init());
    TraceBegin(log, "010102");
    log.Line("x");
    log.Page("page.htm", "x");
    log.End();
    EXPECT_EQ(trace.Files(), (std::vector<std::string>{"TSRAY.ini", "TSRAY_TRACE.txt"}));
    EXPECT_EQ(ReadAll(trace.folder + "/TSRAY_TRACE.txt"), "old trace");
}

} // namespace
} // namespace tessaray
