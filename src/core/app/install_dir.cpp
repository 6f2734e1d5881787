#include "core/app/install_dir.h"

#include "core/util/file_util.h"

#include <string_view>

namespace tessaray {

namespace {

// The system's folder of separately installed programs.
constexpr char kProgramFolder[] = "/opt/";

// Below the installation prefix, where a package puts the runtime files.
constexpr std::string_view kPackageDataFolder = "/share/tessaray";

} // namespace

std::string FindInstallDir(const std::string& modulePath, const ExistsCheck& exists,
                           const std::string& storedInstallDir) {
    std::string result;
    if (!modulePath.empty()) {
        if (exists(modulePath)) {
            GetFolderPart(modulePath, result);
            return result;
        }
        // "/top/rest": the first folder below the root is dropped, rest is looked up below /opt.
        const auto separator = modulePath.find(kPathSeparator, 1);
        if (modulePath[0] == kPathSeparator && separator != std::string::npos && separator > 1 &&
            exists(kProgramFolder + modulePath.substr(separator + 1))) {
            GetFolderPart(modulePath, result);
            return result;
        }
    }
    std::string stored = storedInstallDir;
    if (!stored.empty() && stored.back() == kPathSeparator) {
        stored.pop_back();
    }
    if (exists(stored)) {
        result = stored;
    }
    return result;
}

std::string FindRuntimeFolder(const std::string& installDir, const ExistsCheck& exists) {
    if (installDir.empty() || exists(installDir + "/report.html")) {
        return installDir;
    }
    std::string prefix; // "/usr/bin" gives "/usr", "/bin" the root ""
    GetFolderPart(installDir, prefix);
    const std::string data = prefix + std::string(kPackageDataFolder);
    return exists(data) ? data : installDir;
}

} // namespace tessaray
