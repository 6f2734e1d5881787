#pragma once

#include "core/partner/partner_result.h"
#include "core/project/agreement.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// Whether a link URL goes to the agreed target: the same page (scheme, "www." and the host's case
// alike, the root's "/" and a fragment ignored; path and query as written), or, for a target
// ending in "*", a page whose address begins with the rest. An empty target takes any URL.
bool MatchesAgreedTarget(std::string_view target, std::string_view url);
// Whether a link text is the agreed anchor: the same text, or containing it when the anchor is
// written between two "*", without regard to case (ASCII and Latin-1 letters) and with runs of
// white space (also no-break spaces) read as one blank. An empty anchor takes any text.
bool MatchesAgreedAnchor(std::string_view anchor, std::string_view text);

// How a link differs from the agreement: wrong-target and wrong-anchor with what was agreed,
// wrong-rel with the rel token that keeps it from being followed. Empty when it matches.
std::vector<SReason> AgreementMismatches(const SAgreement& agreement, const SLinkResult& link);

// Days from today to the agreement's last day (0: it ends today, negative: it ended), with both
// dates "YYYY-MM-DD"; std::nullopt without a valid end date or today.
std::optional<int> AgreementDaysLeft(const SAgreement& agreement, std::string_view today);
// The warning about the agreement's end: ended, or ending within kAgreementWarningDays.
inline constexpr int kAgreementWarningDays = 30;
std::optional<SReason> AgreementEndWarning(const SAgreement& agreement, int nDaysLeft);

// Today's date on this computer, "YYYY-MM-DD": agreements end on the user's calendar day.
std::string LocalDate();

} // namespace tessaray
