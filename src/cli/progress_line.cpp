#include "cli/progress_line.h"

#include "core/run/run_progress.h"

namespace tessaray::cli {

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
    if (const auto left = EstimateTimeLeft(progress.elapsed, progress.nDone, progress.nCount)) {
        text += (bGerman ? ", noch etwa " : ", about ") + FormatDuration(*left) +
                (bGerman ? "" : " left");
    }
    return text;
}

} // namespace tessaray::cli
