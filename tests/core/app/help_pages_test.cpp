// Checks the shipped help document: every page exists in English and German, and every link
// between the pages (and every #anchor) leads somewhere.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include <gtest/gtest.h>

namespace tessaray {
namespace {

namespace fs = std::filesystem;

const fs::path kHelpRoot = fs::path(TESSARAY_SOURCE_DIR) / "res" / "help" / "public";

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> PageNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".htm") {
            names.insert(entry.path().filename().string());
        }
    }
    return names;
}

TEST(HelpPages, EveryPageInBothLanguages) {
    const std::set<std::string> english = PageNames(kHelpRoot);
    EXPECT_EQ(english, PageNames(kHelpRoot / "de"));
    EXPECT_EQ(english.count("index.htm"), 1u);
    EXPECT_GE(english.size(), 5u);
}

TEST(HelpPages, LinksAndAnchorsResolve) {
    const std::regex link("<a href=\"([^\"#]*)(#([^\"]*))?\"");
    for (const auto& entry : fs::recursive_directory_iterator(kHelpRoot)) {
        if (entry.path().extension() != ".htm") {
            continue;
        }
        const std::string text = ReadText(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            const std::string file = (*it)[1];
            const std::string anchor = (*it)[3];
            const fs::path target = file.empty() ? entry.path() : entry.path().parent_path() / file;
            ASSERT_TRUE(fs::exists(target)) << entry.path() << " links to " << file;
            if (!anchor.empty()) {
                EXPECT_NE(ReadText(target).find("id=\"" + anchor + "\""), std::string::npos)
                    << entry.path() << " links to " << file << "#" << anchor;
            }
        }
    }
}

} // namespace
} // namespace tessaray
