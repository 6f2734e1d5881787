#include "core/fetch/read_rank.h"

#include <gtest/gtest.h>

namespace tessaray {
namespace {

TEST(ReadRank, LastDigitOfAResponseWithTheRankMarker) {
    EXPECT_EQ(ReadRank("Rank_1:1:7\n"), 7);
    EXPECT_EQ(ReadRank("rank_1:1:0"), 0);
    EXPECT_EQ(ReadRank("<p>PAGE RANK_ is 4 of 10, really 9</p>"), 9);
    // Digits after the last one do not exist; letters after it do not matter.
    EXPECT_EQ(ReadRank("RANK_:5 points"), 5);
}

TEST(ReadRank, MinusOneWithoutMarkerOrDigitOrLength) {
    EXPECT_EQ(ReadRank(""), -1);
    EXPECT_EQ(ReadRank("Rank_1:7"), -1);  // 8 characters
    EXPECT_EQ(ReadRank("Rank_1:1:"), -1); // 9 characters
    EXPECT_EQ(ReadRank("Rank_1::7"), -1); // 9 characters
    EXPECT_EQ(ReadRank("Rank 1:1:7 here"), -1);
    EXPECT_EQ(ReadRank("RANK_ none at all"), -1);
    // The first character is never read as the rank.
    EXPECT_EQ(ReadRank("7 RANK_ and no other digit"), -1);
    EXPECT_EQ(ReadRank("77RANK_xxxxxx"), 7);
}

} // namespace
} // namespace tessaray
