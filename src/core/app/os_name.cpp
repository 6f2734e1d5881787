#include "core/app/os_name.h"

#include "core/util/file_util.h"

#include <cstdio>
#include <sys/utsname.h>

namespace tessaray {

namespace {

std::string FormatVersion(const char* format, int major, int minor) {
    char text[64];
    std::snprintf(text, sizeof text, format, major, minor);
    return text;
}

// The value of a KEY=value line of an os-release text: shell-style quotes removed and backslash
// escapes resolved; "" when the key is missing.
std::string OsReleaseValue(std::string_view text, std::string_view key) {
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        auto lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.size() <= key.size() || line.substr(0, key.size()) != key ||
            line[key.size()] != '=') {
            continue;
        }
        line.remove_prefix(key.size() + 1);
        std::string value;
        char quote = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quote == 0 && (c == '"' || c == '\'')) {
                quote = c;
            } else if (c == quote) {
                quote = 0;
            } else if (c == '\\' && quote != '\'' && i + 1 < line.size()) {
                value += line[++i];
            } else if (c != '\r') {
                value += c;
            }
        }
        return value;
    }
    return "";
}

} // namespace

void GetOsNameFromVersion(int platformId, int major, int minor, std::string& out) {
    if (platformId == kPlatformWin9x) {
        if (minor == 0) {
            out = "Win95";
        } else if (minor == 10) {
            out = "Win98";
        } else if (minor == 90) {
            out = "WinME";
        }
        return;
    }
    if (platformId == kPlatformWinNT) {
        if (major == 3) {
            out = "NT 3.51";
            return;
        }
        if (major == 4) {
            out = "NT 4.0";
            return;
        }
        if (major == 5 && minor == 0) {
            out = "Win2000 5.0";
            return;
        }
        if (major == 5 && minor == 1) {
            out = "WinXP 5.1";
            return;
        }
        if (major == 6) {
            out = FormatVersion("Windows Vista %d.%d", major, minor);
            return;
        }
    }
    out = FormatVersion("Windows %d.%d", major, minor);
}

std::string DescribeLinuxSystem(std::string_view osReleaseText, std::string_view kernelName,
                                std::string_view kernelRelease) {
    std::string kernel(kernelName);
    if (!kernelRelease.empty()) {
        if (!kernel.empty()) {
            kernel += ' ';
        }
        kernel += kernelRelease;
    }
    std::string name = OsReleaseValue(osReleaseText, "PRETTY_NAME");
    if (name.empty()) {
        return kernel;
    }
    if (!kernel.empty()) {
        name += ", ";
        name += kernel;
    }
    return name;
}

void GetOsName(std::string& out) {
    struct utsname system {};
    if (::uname(&system) != 0) {
        return;
    }
    std::string osRelease;
    if (!ReadFileToString("/etc/os-release", osRelease, false)) {
        ReadFileToString("/usr/lib/os-release", osRelease, false);
    }
    out = DescribeLinuxSystem(osRelease, system.sysname, system.release);
}

} // namespace tessaray
