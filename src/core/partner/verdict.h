#pragma once

#include "core/fetch/transfer_outcome.h"
#include "core/page/page_signals.h"
#include "core/partner/cells.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaray {

// Does a partner's link count for search engines? Ordered from best to worst.
enum class EVerdict {
    Counts,       // the link is there and nothing stops it from passing value
    DoesNotCount, // the link is there, but something stops it
    Missing,      // the page arrived whole and carries no link to the domain
    Unreachable,  // the page could not be read whole and the link was not found
};

// Why. The first seven make a link not count, the next four make a page unreachable, the next
// five are warnings that change no verdict (Incomplete is one too when the link was found). New
// codes go at the end (kLastReason): the history keeps them by their codes. Blocked makes a page
// unreachable too; the codes after it say on each line what they do.
enum class EReason {
    RelNofollow,
    RelSponsored,
    RelUgc,
    MetaNofollow,
    HeaderNofollow,
    RobotsTxtDisallowed,
    Noindex,
    HttpStatus,
    Incomplete,
    FetchFailed,
    Undecodable,
    Redirected,
    CanonicalElsewhere,
    InNoscript,
    RobotsRuleDiffers,
    LinksNotListed, // the page links to the domain more often than a result lists
    Blocked,        // a bot protection answered instead of the page; the detail names its rule
    Cloaked,        // the page shows Googlebot other links to the domain (a warning)
    // The agreement with the partner: a link that differs from what was agreed does not count
    // (the detail names what was agreed); the end of the agreement is a warning (its date).
    WrongTarget,       // the link goes to another page of the user's site than agreed
    WrongAnchor,       // its text is not the agreed one
    WrongRel,          // agreed followed, found with the rel token of the detail
    AgreementEndsSoon, // within 30 days (a warning)
    AgreementEnded,    // (a warning)
    // Reciprocity (warnings; the detail is the user's page that links to the partner, if any).
    OneSided,         // the partner's link does not count while the user's link to it is followed
    YouDoNotLinkBack, // the partner's link counts, but none of the user's pages links to it
    // The page as a browser renders it.
    ScriptInserted,  // the link is only in the rendered page, made by a script (a warning)
    RemovedByScript, // a script removes the link of the raw page: it does not count
    Hidden,          // people cannot see the link: it does not count; the detail is the technique
};
inline constexpr EReason kLastReason = EReason::Hidden;

struct SReason {
    EReason eCode = EReason::RelNofollow;
    // The status code, the transfer outcome, "meta"/"header" of a noindex, a URL, or how many
    // links were not listed.
    std::string strDetail;
    bool operator==(const SReason&) const = default;
};

struct SVerdict {
    EVerdict eVerdict = EVerdict::Missing;
    std::vector<SReason> reasons;
};

// "counts", "does-not-count", "missing", "unreachable"; "rel-nofollow", ... "blocked".
std::string_view VerdictCode(EVerdict eVerdict);
std::string_view ReasonCode(EReason eReason);
// For people, in the language of chLanguage ('G' German, else English).
std::string VerdictText(EVerdict eVerdict, char chLanguage);
std::string ReasonText(const SReason& reason, char chLanguage);

// How many partners of a run got each verdict.
struct SRunSummary {
    int nPartners = 0;
    int nCounts = 0;
    int nDoesNotCount = 0;
    int nMissing = 0;
    int nUnreachable = 0;
    // Whether the run read the user's link pages, and how many partners were one-sided then.
    bool bReciprocity = false;
    int nOneSided = 0;
};

// "10 partners: 5 count, 3 do not count, 1 missing, 1 unreachable" (or German).
std::string SummaryText(const SRunSummary& summary, char chLanguage);
// "3 partners take without giving" (or German): the one-sided partners.
std::string TakeWithoutGivingText(int nOneSided, char chLanguage);

// The current time in UTC as "2026-12-08T10:00:00Z".
std::string UtcTimestamp();

} // namespace tessaray
