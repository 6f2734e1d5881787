#include "core/app/install_dir.h"

#include "core/util/file_util.h"

namespace tessaray {

namespace {

constexpr char kRootPrefix[] = "/";
constexpr char kProgramFolder[] = "/opt/";

} // namespace

std::string FindInstallDir(const std::string& modulePath, const ExistsCheck& exists,
                           const std::string& storedInstallDir) {
    std::string result;
    if (!modulePath.empty()) {
        if (exists(modulePath)) {
            GetFolderPart(modulePath, result);
            return result;
        }
        const std::string root = kRootPrefix;
        if (modulePath.compare(0, root.size(), root) == 0) {
            std::string rest = modulePath.substr(root.size());
            const auto separator = rest.find(kPathSeparator);
            if (separator != std::string::npos && separator > 0) {
                rest.erase(0, separator + 1);
                if (exists(kProgramFolder + rest)) {
                    GetFolderPart(modulePath, result);
                    return result;
                }
            }
        }
    }
    std::string stored = storedInstallDir;
    if (!stored.empty() && stored.back() == kPathSeparator)
        stored.pop_back();
    if (exists(stored))
        result = stored;
    return result;
}

} // namespace tessaray
