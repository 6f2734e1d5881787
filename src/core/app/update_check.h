#pragma once

#include <string_view>

namespace tessaray {

// The marker on the download page that the latest version code follows (case-sensitive).
inline constexpr std::string_view kUpdateVersionMarker = "<!--VERSION:";

// The value of a version code: its leading decimal digits, 0 when there are none.
long long VersionCodeValue(std::string_view code);

// Evaluates the downloaded page of the automatic update check: true when the page holds the marker
// and the (at most) six characters after it give a greater value than the installed version code.
bool IsNewerVersionOffered(std::string_view pageText, std::string_view installedVersionCode);

} // namespace tessaray
