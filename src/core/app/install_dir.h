#pragma once

#include <functional>
#include <string>

namespace tessaray {

// Tells whether something exists at a path (the program uses FileExists; tests inject their own).
using ExistsCheck = std::function<bool(const std::string& path)>;

// Finds the installation folder (without trailing '/'), "" when none is found:
// 1. When the program file exists at modulePath, the folder part of modulePath ("" when its only
//    '/' is the first character).
// 2. Otherwise, when modulePath is an absolute path "/top/rest", the program may have been moved
//    into the system's program folder: when "/opt/" + rest exists, the folder part of modulePath
//    (still the folder of modulePath, not the one under /opt).
// 3. Otherwise the stored INSTALLDIR setting, one trailing '/' removed, when something exists
// there.
std::string FindInstallDir(const std::string& modulePath, const ExistsCheck& exists,
                           const std::string& storedInstallDir);

// The folder of the runtime files (report.html, tips.txt, help/, Tessaray_en.qm) for the folder
// FindInstallDir found. Files beside the program win (a portable folder, the build); otherwise a
// package layout, programs in <prefix>/bin and files in <prefix>/share/tessaray, is used when that
// folder exists; otherwise installDir itself.
std::string FindRuntimeFolder(const std::string& installDir, const ExistsCheck& exists);

} // namespace tessaray
