#include "cli/progress_line.h"

#include "core/run/run_progress.h"
#include "core/util/core_texts.h"

namespace tessaray::cli {

std::string FormatProgress(const SProgress& progress, char chLanguage) {
    std::string text =
        FormatText(CoreText(ETextId::RunProgress, chLanguage),
                   {std::to_string(progress.nDone), std::to_string(progress.nCount),
                    std::to_string(progress.nInFlight), FormatDuration(progress.elapsed)});
    if (const auto left = EstimateTimeLeft(progress.elapsed, progress.nDone, progress.nCount)) {
        text += FormatText(CoreText(ETextId::RunProgressLeft, chLanguage), {FormatDuration(*left)});
    }
    return text;
}

} // namespace tessaray::cli
