#include "cli/progress_line.h"

#include <algorithm>
#include <cstdio>

namespace tessaray::cli {

namespace {

// Before this many partners are done, the pace says too little for an estimate.
constexpr int kPartnersForEstimate = 3;

} // namespace

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

std::string FormatProgress(const SProgress& progress, char chLanguage) {
    const bool bGerman = chLanguage == 'G';
    const std::string done = std::to_string(progress.nDone);
    const std::string count = std::to_string(progress.nCount);
    const std::string inFlight = std::to_string(progress.nInFlight);
    const std::string elapsed = FormatDuration(progress.elapsed);
    std::string text = bGerman ? done + " von " + count + " Partnern fertig, " + inFlight +
                                     " im Abruf, " + elapsed + " vergangen"
                               : done + " of " + count + " partners done, " + inFlight +
                                     " in flight, " + elapsed + " elapsed";
    if (progress.nDone >= kPartnersForEstimate && progress.nDone < progress.nCount) {
        const auto left = std::chrono::milliseconds(
            progress.elapsed.count() * (progress.nCount - progress.nDone) / progress.nDone);
        text += (bGerman ? ", noch etwa " : ", about ") + FormatDuration(left) +
                (bGerman ? "" : " left");
    }
    return text;
}

} // namespace tessaray::cli
