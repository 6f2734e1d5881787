#include "cli/progress_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace tessaray::cli {
namespace {

using std::chrono::milliseconds;

TEST(ProgressLine, CountsTimesAndTheEstimateOnceAFewPartnersAreDone) {
    struct SCase {
        SProgress progress;
        char chLanguage;
        const char* pszExpected;
    };
    const SCase cases[] = {
        {{0, 1000, 8, milliseconds(0)}, 'E', "0 of 1000 partners done, 8 in flight, 0:00 elapsed"},
        // Two partners say too little about the pace.
        {{2, 1000, 8, milliseconds(900)},
         'E',
         "2 of 1000 partners done, 8 in flight, 0:00 elapsed"},
        {{3, 9, 2, milliseconds(6000)},
         'E',
         "3 of 9 partners done, 2 in flight, 0:06 elapsed, about 0:12 left"},
        {{100, 1000, 8, milliseconds(125'999)},
         'E',
         "100 of 1000 partners done, 8 in flight, 2:05 elapsed, about 18:53 left"},
        // Hours; nothing is left once every partner is done.
        {{50, 100, 1, milliseconds(3'600'000)},
         'E',
         "50 of 100 partners done, 1 in flight, 1:00:00 elapsed, about 1:00:00 left"},
        {{100, 100, 0, milliseconds(61'000)},
         'E',
         "100 of 100 partners done, 0 in flight, 1:01 elapsed"},
        {{3, 9, 2, milliseconds(6000)},
         'G',
         "3 von 9 Partnern fertig, 2 im Abruf, 0:06 vergangen, noch etwa 0:12"},
    };
    for (const SCase& test : cases) {
        EXPECT_EQ(FormatProgress(test.progress, test.chLanguage), test.pszExpected);
    }
}

} // namespace
} // namespace tessaray::cli
