#pragma once

#include <string>
#include <string_view>

namespace tessaray {

// Platform identifiers of the Windows version query.
inline constexpr int kPlatformWin9x = 1;
inline constexpr int kPlatformWinNT = 2;

// The system name of a Windows version ("WinXP 5.1", "Windows Vista 6.1", ...). For Windows 9x
// versions other than 95, 98 and ME out stays unchanged.
void GetOsNameFromVersion(int platformId, int major, int minor, std::string& out);

// The system name of a Linux system: the PRETTY_NAME of its os-release text (quotes removed), then
// the kernel name and release, e.g. "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64". Without
// a PRETTY_NAME only the kernel part.
std::string DescribeLinuxSystem(std::string_view osReleaseText, std::string_view kernelName,
                                std::string_view kernelRelease);

// The running system's name for the support request: DescribeLinuxSystem over /etc/os-release (or
// /usr/lib/os-release) and uname. out stays unchanged when the kernel cannot be queried.
void GetOsName(std::string& out);

} // namespace tessaray
