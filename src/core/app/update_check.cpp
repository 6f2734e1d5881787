#include "core/app/update_check.h"

namespace tessaray {

long long VersionCodeValue(std::string_view code) {
    long long value = 0;
    // A version code has six digits; more would only risk overflow.
    for (std::size_t i = 0; i < code.size() && i < 18 && code[i] >= '0' && code[i] <= '9'; ++i) {
        value = value * 10 + (code[i] - '0');
    }
    return value;
}

bool IsNewerVersionOffered(std::string_view pageText, std::string_view installedVersionCode) {
    const auto marker = pageText.find(kUpdateVersionMarker);
    if (marker == std::string_view::npos) {
        return false;
    }
    const std::string_view remote = pageText.substr(marker + kUpdateVersionMarker.size(), 6);
    return VersionCodeValue(remote) > VersionCodeValue(installedVersionCode);
}

} // namespace tessaray
