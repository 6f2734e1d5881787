#include "core/render/page_renderer.h"

#include <cstdlib>
#include <unistd.h>

namespace tessaray {

std::string FindBrowser() {
    if (const char* named = std::getenv("TESSARAY_BROWSER"); named != nullptr && *named != '\0') {
        return ::access(named, X_OK) == 0 ? named : "";
    }
    for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (::access(path, X_OK) == 0) {
            return path;
        }
    }
    return {};
}

} // namespace tessaray
