#pragma once

#include <string>

namespace tessaray {

// The version code the application holds before start-up has read the real one.
inline constexpr const char* kInitialVersionCode = "010000";

// The six-digit version code ("%02d%02d%02d" of major, minor and build) of a FileVersion text such
// as "1, 1, 2, 0" (gives "010102"). Each of the three numbers needs a comma after it, so "1, 1, 2"
// gives "010100" and "10" gives "000000"; the fourth field is never used. A null text stands for a
// program without version information and gives "".
std::string MakeVersionCode(const char* fileVersionText);

// The version code of this build, from the FileVersion text the build hands in.
std::string BuiltVersionCode();

// The line "--version" prints: the program name and the dotted version of this build
// ("tessaray-cli 1.1.2").
std::string VersionLine(const char* programName);

} // namespace tessaray
