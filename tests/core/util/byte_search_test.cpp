#include "core/util/byte_search.h"

#include "core/util/ascii.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tessaray {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The vector loops against plain searches, on texts of every length around the block size, with
// hits at every offset and needles of the lengths the scanners use.
TEST(ByteSearchTest, AgreesWithPlainSearches) {
    std::mt19937 rng(7);
    const std::string alphabet = "<aA/-!>\" \xC1";
    const char* needles[] = {"<", "a", "</a", "<!--", "-->", "<body", "</script", "aa"};
    for (int round = 0; round < 4000; ++round) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 70)(rng), ' ');
        for (char& c : text) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        }
        const std::string lower = ToLowerAscii(text);
        const std::string_view needle = needles[round % std::size(needles)];
        const std::size_t from = std::uniform_int_distribution<std::size_t>(0, text.size())(rng);
        ASSERT_EQ(FindFast(text, needle, from), text.find(needle, from)) << text;
        ASSERT_EQ(FindNoCase(text, needle, from), lower.find(needle, from)) << text;
    }
    EXPECT_EQ(FindNoCase("x", "", 1), 1u);
    EXPECT_EQ(FindNoCase("x", "", 2), npos);
    // Only ASCII letters fold: 0xC1 is no "A".
    EXPECT_EQ(FindNoCase("<\xC1 <A ", "<a "), 3u);
}

} // namespace
} // namespace tessaray
