#include "core/app/tips_reader.h"

#include "temp_dir.h"

#include <cstdlib>
#include <optional>
#include <regex>

#include <gtest/gtest.h>

namespace tessaray {
namespace {

using test::TempDir;

// Tip settings kept in memory; a missing value is an empty optional.
struct MemoryTipSettings : ITipSettings {
    std::optional<int> startUp;
    std::optional<std::int64_t> filePos;
    std::optional<std::string> timeStamp;

    int ReadStartUp() override { return startUp.value_or(0); }
    std::int64_t ReadFilePos() override { return filePos.value_or(0); }
    std::string ReadTimeStamp() override { return timeStamp.value_or(""); }
    void WriteStartUp(int value) override { startUp = value; }
    void WriteFilePos(std::int64_t value) override { filePos = value; }
    void WriteTimeStamp(const std::string& value) override { timeStamp = value; }
};

// The tips a reader gives, the first one from construction and count - 1 more.
std::vector<std::string> Tips(CTipsReader& reader, int count) {
    std::vector<std::string> tips{reader.GetTip()};
    std::string tip;
    for (int i = 1; i < count && reader.GetNextTip(tip); ++i) {
        tips.push_back(tip);
    }
    return tips;
}

TEST(TipsReader, SkipsCommentsBlankLinesAndIndentedLinesAndWrapsAround) {
    TempDir dir;
    dir.Write("tips.txt", "; comment\n"
                          " indented\n"
                          "\tafter a tab\n"
                          "\n"
                          "First tip\n"
                          "Second tip\r\n"
                          "\r\n"
                          ";x\n"
                          "Third tip, no line end");
    MemoryTipSettings settings;
    CTipsReader reader(dir.Path(), settings);
    EXPECT_EQ(reader.GetState(), CTipsReader::State::Ready);
    EXPECT_TRUE(reader.IsShowAtStartup());
    EXPECT_EQ(Tips(reader, 5),
              (std::vector<std::string>{"First tip\n", "Second tip\n", "Third tip, no line end",
                                        "First tip\n", "Second tip\n"}));
}

TEST(TipsReader, LongLinesComeInPiecesOf999Characters) {
    TempDir dir;
    const std::string longTip(2500, 'a');
    // The second piece of the next line starts with a blank and is skipped like a line would be.
    dir.Write("tips.txt", longTip + "\n" + std::string(999, 'b') + " rest\n");
    MemoryTipSettings settings;
    CTipsReader reader(dir.Path(), settings);
    EXPECT_EQ(Tips(reader, 5),
              (std::vector<std::string>{std::string(999, 'a'), std::string(999, 'a'),
                                        std::string(502, 'a') + "\n", std::string(999, 'b'),
                                        std::string(999, 'a')}));
}

TEST(TipsReader, FileWithoutTipsEndsAfterOnePass) {
    TempDir dir;
    for (const char* text : {"; only\n  comments\n\n\tand blanks\n", ""}) {
        dir.Write("tips.txt", text);
        MemoryTipSettings settings;
        for (const std::int64_t start : {0, 7}) { // also when the search starts further down
            settings.filePos = start;
            CTipsReader reader(dir.Path(), settings);
            EXPECT_EQ(reader.GetState(), CTipsReader::State::NoTips);
            EXPECT_EQ(reader.GetTip(), "");
            std::string tip = "kept";
            EXPECT_FALSE(reader.GetNextTip(tip));
            EXPECT_EQ(tip, "kept");
            EXPECT_EQ(reader.GetState(), CTipsReader::State::NoTips);
        }
    }
}

TEST(TipsReader, PositionIsKeptBetweenShowingsOfTheSameFile) {
    TempDir dir;
    dir.Write("tips.txt", "One\nTwo\nThree\n");
    MemoryTipSettings settings;
    {
        CTipsReader reader(dir.Path(), settings);
        EXPECT_EQ(Tips(reader, 2), (std::vector<std::string>{"One\n", "Two\n"}));
    }
    ASSERT_TRUE(settings.filePos.has_value());
    EXPECT_EQ(*settings.filePos, 8); // after "One\nTwo\n"
    ASSERT_TRUE(settings.timeStamp.has_value());
    EXPECT_FALSE(settings.timeStamp->empty());
    {
        CTipsReader reader(dir.Path(), settings);
        EXPECT_EQ(Tips(reader, 2), (std::vector<std::string>{"Three\n", "One\n"}));
        EXPECT_EQ(reader.GetPosition(), 4);
        // A position past the end starts again at the top.
        ASSERT_TRUE(reader.Seek(1000));
        std::string tip;
        ASSERT_TRUE(reader.GetNextTip(tip));
        EXPECT_EQ(tip, "One\n");
    }
}

TEST(TipsReader, NewCreationTimeRestartsAtTheTop) {
    TempDir dir;
    dir.Write("tips.txt", "One\nTwo\nThree\n");
    MemoryTipSettings settings;
    settings.filePos = 8;
    settings.timeStamp = "Thu Jan  1 00:00:00 1970"; // the stamp of a replaced file
    CTipsReader reader(dir.Path(), settings);
    EXPECT_EQ(reader.GetTip(), "One\n");
    EXPECT_NE(settings.timeStamp, "Thu Jan  1 00:00:00 1970");
}

TEST(TipsReader, MissingFileAndFailedSeek) {
    TempDir dir;
    MemoryTipSettings settings;
    {
        CTipsReader reader(dir.Path(), settings);
        EXPECT_FALSE(reader.HasFile());
        EXPECT_EQ(reader.GetState(), CTipsReader::State::NoFile);
        std::string tip;
        EXPECT_FALSE(reader.GetNextTip(tip));
    }
    // Nothing is written for a missing file.
    EXPECT_FALSE(settings.filePos.has_value());
    EXPECT_FALSE(settings.timeStamp.has_value());

    dir.Write("tips.txt", "One\nTwo\n");
    {
        CTipsReader first(dir.Path(), settings); // stores the stamp
    }
    settings.filePos = -1;
    CTipsReader reader(dir.Path(), settings);
    EXPECT_EQ(reader.GetState(), CTipsReader::State::ReadTrouble);
    EXPECT_EQ(reader.GetTip(), "");
    // The file stays open: the next tip can still be read.
    std::string tip;
    EXPECT_TRUE(reader.GetNextTip(tip));
    EXPECT_EQ(tip, "One\n");
}

TEST(TipsReader, ShowAtStartupSetting) {
    TempDir dir;
    MemoryTipSettings settings;
    settings.startUp = 1;
    CTipsReader reader(dir.Path(), settings);
    EXPECT_FALSE(reader.IsShowAtStartup());
    reader.WriteShowAtStartup(true);
    EXPECT_EQ(settings.startUp, 0);
    reader.WriteShowAtStartup(false);
    EXPECT_EQ(settings.startUp, 1);
}

TEST(TipsReader, ShippedTipsFileHoldsTipsAndWrapsAround) {
    MemoryTipSettings settings;
    CTipsReader reader(std::string(TESSARAY_SOURCE_DIR) + "/res", settings);
    ASSERT_EQ(reader.GetState(), CTipsReader::State::Ready);
    const std::string first = reader.GetTip();
    std::vector<std::string> tips{first};
    std::string tip;
    for (int i = 0; i < 1000 && reader.GetNextTip(tip) && tip != first; ++i) {
        EXPECT_LT(tip.size(), CTipsReader::kMaxPiece) << "a tip longer than one piece: " << tip;
        tips.push_back(tip);
    }
    EXPECT_EQ(tip, first);
    EXPECT_GE(tips.size(), 15u);
}

TEST(TipsReader, StampsInCtimeForm) {
    const char* oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz != nullptr ? oldTz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(FormatCtime(0), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(FormatCtime(1700000000), "Tue Nov 14 22:13:20 2023");
    if (oldTz != nullptr) {
        ::setenv("TZ", savedTz.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();

    TempDir dir;
    std::FILE* file = std::fopen(dir.Write("tips.txt", "x\n").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    const std::string stamp = GetFileCreationStamp(file);
    std::fclose(file);
    EXPECT_TRUE(std::regex_match(
        stamp, std::regex("(Sun|Mon|Tue|Wed|Thu|Fri|Sat) [A-Z][a-z]{2} [ 1-3][0-9] "
                          "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}")))
        << stamp;
}

} // namespace
} // namespace tessaray
