#include "core/run/run_progress.h"

#include <algorithm>
#include <cstdio>

namespace tessaray {

std::optional<std::chrono::milliseconds> EstimateTimeLeft(std::chrono::milliseconds elapsed,
                                                          int nDone, int nCount) {
    if (nDone < kPartnersForEstimate || nDone >= nCount) {
        return std::nullopt;
    }
    // The partners left take as long as those done took on average.
    return std::chrono::milliseconds(elapsed.count() * (nCount - nDone) / nDone);
}

std::string FormatDuration(std::chrono::milliseconds duration) {
    const long long total = std::max<long long>(0, duration.count() / 1000);
    char text[32];
    if (total >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                      total % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    }
    return text;
}

} // namespace tessaray
