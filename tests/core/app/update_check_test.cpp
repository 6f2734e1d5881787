#include "core/app/update_check.h"

#include <gtest/gtest.h>

namespace tessaray {
namespace {

TEST(UpdateCheck, NewerMarkerOffersTheDownload) {
    const std::string page = "<html><body><!--VERSION:010103--> Download</body></html>";
    EXPECT_TRUE(IsNewerVersionOffered(page, "010102"));
    EXPECT_FALSE(IsNewerVersionOffered(page, "010103"));
    EXPECT_FALSE(IsNewerVersionOffered(page, "020000"));
    // Only six characters count: "0101039" is 010103, not 101039.
    EXPECT_FALSE(IsNewerVersionOffered("<!--VERSION:0101039", "010200"));
    // An installed version without code ("" or "000000") is older than any version on the page.
    EXPECT_TRUE(IsNewerVersionOffered(page, ""));
    EXPECT_TRUE(IsNewerVersionOffered(page, "000000"));
}

TEST(UpdateCheck, ShortOrMissingMarkerTextComparesWhatIsThere) {
    // Fewer than six characters: the value of those that are there.
    EXPECT_TRUE(IsNewerVersionOffered("<!--VERSION:0102", "000101"));
    EXPECT_FALSE(IsNewerVersionOffered("<!--VERSION:0102", "010102"));
    EXPECT_FALSE(IsNewerVersionOffered("<!--VERSION:", "010102"));
    // Leading digits only; none gives 0.
    EXPECT_TRUE(IsNewerVersionOffered("<!--VERSION:02x999", "000001"));
    EXPECT_FALSE(IsNewerVersionOffered("<!--VERSION: 20000", "010102"));
    // No marker, or a marker in another case: nothing is offered.
    EXPECT_FALSE(IsNewerVersionOffered("version 99.0 is out", "010102"));
    EXPECT_FALSE(IsNewerVersionOffered("<!--version:999999", "010102"));
    EXPECT_FALSE(IsNewerVersionOffered("", "010102"));
    // The first marker counts.
    EXPECT_FALSE(IsNewerVersionOffered("<!--VERSION:010100--><!--VERSION:990000", "010102"));
}

TEST(UpdateCheck, VersionCodeValue) {
    EXPECT_EQ(VersionCodeValue("010102"), 10102);
    EXPECT_EQ(VersionCodeValue(""), 0);
    EXPECT_EQ(VersionCodeValue("x1"), 0);
    EXPECT_GT(VersionCodeValue("99999999999999999999999999"), 0);
}

} // namespace
} // namespace tessaray
