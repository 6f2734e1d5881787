// What progress displays of a run say about time.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tessaray {

// Partners done before the pace of a run says enough to estimate the time left.
inline constexpr int kPartnersForEstimate = 3;

// The time the partners left will take at the pace so far (elapsed for nDone of nCount partners);
// none before kPartnersForEstimate partners are done, or once all are.
std::optional<std::chrono::milliseconds> EstimateTimeLeft(std::chrono::milliseconds elapsed,
                                                          int nDone, int nCount);

// m:ss, or h:mm:ss from an hour on (whole seconds, rounded down).
std::string FormatDuration(std::chrono::milliseconds duration);

} // namespace tessaray
