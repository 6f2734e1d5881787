#pragma once

#include <cstdint>
#include <string_view>

namespace tessaray {

// One stored setting of the desktop program: its key ("Section/Name") and the value it has while
// nothing is stored.
template <typename T> struct SSetting {
    std::string_view strKey;
    T defaultValue;
};

// Every setting the desktop program stores, declared once; the program reads and writes them by
// these names only.
namespace setting {

// Written at every start: where the program's files are, its version and its language.
inline constexpr SSetting<std::string_view> kInstallDir{"SETTINGS/INSTALLDIR", ""};
inline constexpr SSetting<std::string_view> kFileVersion{"SETTINGS/FILEVERSION", ""};
inline constexpr SSetting<std::string_view> kLanguage{"SETTINGS/LANGUAGE", ""};

// The tip of the day: 0 shows it at start-up, 1 does not; where the next tip begins in the tips
// file, and the time stamp of the tips file that position belongs to.
inline constexpr SSetting<int> kTipStartUp{"Tip/StartUp", 0};
inline constexpr SSetting<std::int64_t> kTipFilePos{"Tip/FilePos", 0};
inline constexpr SSetting<std::string_view> kTipTimeStamp{"Tip/TimeStamp", ""};

// How many partner fetches a run keeps in flight: in all, and per site.
inline constexpr SSetting<int> kAnalysisParallel{"Analysis/Parallel", 64};
inline constexpr SSetting<int> kAnalysisPerSite{"Analysis/PerSite", 2};
// What the requests of a run say they are: the fetch's default user agent while none is stored.
inline constexpr SSetting<std::string_view> kAnalysisUserAgent{"Analysis/UserAgent", "Mozilla/4.0"};
// 1: every page is fetched once more as Googlebot, to warn of pages that show it other links.
inline constexpr SSetting<int> kAnalysisAsGooglebot{"Analysis/AsGooglebot", 0};
// The seconds a run waits before it fetches a partner worse than in the last completed run once
// more (0: not at all).
inline constexpr SSetting<int> kAnalysisConfirmDelay{"Analysis/ConfirmDelay", 60};

// The options of the program as a whole. The interface language: "" follows the system, "en"
// English, "de" German (read at start-up). The automatic update check: -1 not asked yet, 0 off,
// 1 on; nothing is fetched before the user said yes.
inline constexpr SSetting<std::string_view> kInterfaceLanguage{"Options/Language", ""};
inline constexpr SSetting<int> kUpdateCheck{"Options/UpdateCheck", -1};

// Numbered keys: the recent files ("Recent File List/File1" newest, up to kRecentFileCount) and
// each window's geometry ("Window/" and the window's name).
inline constexpr std::string_view kRecentFilePrefix = "Recent File List/File";
inline constexpr int kRecentFileCount = 8;
inline constexpr std::string_view kWindowGeometryPrefix = "Window/";

} // namespace setting

} // namespace tessaray
