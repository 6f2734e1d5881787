// The one-line progress display of a run on a terminal.
#pragma once

#include "core/run/run_progress.h"

#include <chrono>
#include <string>

namespace tessaray::cli {

struct SProgress {
    int nDone = 0;     // partners evaluated
    int nCount = 0;    // partners of the run
    int nInFlight = 0; // partner fetches under way
    std::chrono::milliseconds elapsed{0};
};

// "12 of 300 partners done, 8 in flight, 0:07 elapsed, about 2:48 left" ('G': German). The time
// left is estimated from the pace so far and shown once a few partners are done.
std::string FormatProgress(const SProgress& progress, char chLanguage);

} // namespace tessaray::cli
