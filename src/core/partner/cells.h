#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tessaray {

// The eighteen columns of a result row, by index. The analysis writes by index and the reports
// read by index, so these numbers never change.
inline constexpr int kColumnCount = 18;
inline constexpr int kColNo = 0;
inline constexpr int kColPartnerUrl = 1;
inline constexpr int kColR1 = 2;
inline constexpr int kColStatusCode = 3;
inline constexpr int kColBytes = 4;
inline constexpr int kColIntLinks = 5;
inline constexpr int kColExtLinks = 6;
inline constexpr int kColYourUrl = 7;
inline constexpr int kColR2 = 8;
inline constexpr int kColAnchorText = 9;
inline constexpr int kColListed = 10;
inline constexpr int kColFollowMeta = 11;
inline constexpr int kColFollowLink = 12;
inline constexpr int kColRobotsAllow = 13;
inline constexpr int kColR3 = 14;
inline constexpr int kColGoogle = 15;
inline constexpr int kColComment = 16;
inline constexpr int kColServerHeader = 17;

// The words the run writes into the result cells (Listed, Google, Follow(Meta), Follow(Link),
// Robots-Allow).
inline constexpr std::string_view kCellYes = "Yes";
inline constexpr std::string_view kCellNo = "No";
inline constexpr std::string_view kCellNotApplicable = "N/A"; // Google without imported links
inline constexpr std::string_view kCellNoFollowWord = "NA";   // Follow(Meta) without "follow"
inline constexpr std::string_view kCellFollow = "Follow";
inline constexpr std::string_view kCellNofollow = "Nofollow";
inline constexpr std::string_view kCellAllow = "Allow";
inline constexpr std::string_view kCellDisallow = "Disallow";

// The eighteen cells of one result row.
using CellRow = std::array<std::string, kColumnCount>;

} // namespace tessaray
