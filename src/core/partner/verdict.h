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

// Why. The first seven make a link not count, the next four make a page unreachable, the last
// four are warnings that change no verdict (Incomplete is one too when the link was found).
// RobotsRuleDiffers stays last: the history reads stored reason codes up to it.
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
};

struct SReason {
    EReason eCode = EReason::RelNofollow;
    // The status code, the transfer outcome, "meta"/"header" of a noindex, or a URL.
    std::string strDetail;
    bool operator==(const SReason&) const = default;
};

struct SVerdict {
    EVerdict eVerdict = EVerdict::Missing;
    std::vector<SReason> reasons;
};

// What the run learnt about a partner page besides its cells.
struct SPartnerFacts {
    std::string strUrl;
    int nStatus = 0;
    std::size_t nBytes = 0;
    ETransferOutcome eOutcome = ETransferOutcome::Other;
    std::string strFinalUrl;
    int nRobotsStatus = 0;
    bool bGooglebotAllowed = true; // robots.txt read by the rules of today, for Googlebot
    SPageSignals pageSignals;
    // Why the page's bytes could not be read as text ("Content-Encoding: gzip", "charset X"), or
    // "" (see UndecodableReason).
    std::string strUndecodable;
};

// The verdict of one result row from its cells, the rel tokens of its link (none for a row
// without link), whether that link stands inside a <noscript> element and what is known of its
// partner page.
SVerdict JudgeRow(const CellRow& cells, const std::vector<std::string>& rel,
                  const SPartnerFacts& partner, bool bInNoscript = false);

// "counts", "does-not-count", "missing", "unreachable"; "rel-nofollow", ... "robots-rule-differs".
std::string_view VerdictCode(EVerdict eVerdict);
std::string_view ReasonCode(EReason eReason);
// For people, in the language of chLanguage ('G' German, else English).
std::string VerdictText(EVerdict eVerdict, char chLanguage);
std::string ReasonText(const SReason& reason, char chLanguage);

// The verdicts of one run, kept beside the result table. Rows are known by their number (the
// No. cell), so sorting the table does not separate a row from its verdict.
class CRunVerdicts {
public:
    struct SRow {
        int nPartner = 0; // index into Partners()
        std::vector<std::string> rel;
        SVerdict verdict;
    };
    struct SPartner {
        SPartnerFacts facts;
        std::vector<int> rowNumbers; // its rows' numbers; empty rows of a partner without link
        bool bHasLink = false;
        SVerdict verdict; // the best of its links', or its one row's
    };
    struct SSummary {
        int nPartners = 0;
        int nCounts = 0;
        int nDoesNotCount = 0;
        int nMissing = 0;
        int nUnreachable = 0;
    };

    void Clear();
    // A partner's facts, then its rows (with the verdicts JudgeRow gave).
    void AddPartner(SPartnerFacts facts);
    void AddRow(int nRowNumber, std::vector<std::string> rel, SVerdict verdict, bool bHasLink);

    // The row of that number (from 1), or nullptr.
    const SRow* FindRow(int nRowNumber) const;
    const std::vector<SPartner>& Partners() const { return m_partners; }
    SSummary Summary() const;

    // When the run started and ended, as "2026-12-08T10:00:00Z".
    void SetStarted(std::string stamp) { m_strStarted = std::move(stamp); }
    void SetFinished(std::string stamp) { m_strFinished = std::move(stamp); }
    const std::string& GetStarted() const { return m_strStarted; }
    const std::string& GetFinished() const { return m_strFinished; }

    // The run ended before every one of its nPartnerCount partners was evaluated.
    void SetStopped(int nPartnerCount) {
        m_bStopped = true;
        m_nPartnerCount = nPartnerCount;
    }
    bool IsStopped() const { return m_bStopped; }
    int GetPartnerCount() const { return m_nPartnerCount; }

private:
    std::string m_strStarted;
    std::string m_strFinished;
    bool m_bStopped = false;
    int m_nPartnerCount = 0;
    std::vector<SPartner> m_partners;
    std::vector<SRow> m_rows;  // by row number - 1
    std::vector<bool> m_known; // a row of that number was added
};

// "10 partners: 5 count, 3 do not count, 1 missing, 1 unreachable" (or German).
std::string SummaryText(const CRunVerdicts::SSummary& summary, char chLanguage);
// The summary of a run; a stopped run's says so: "... 0 unreachable (stopped after 10 of 12
// partners)".
std::string SummaryText(const CRunVerdicts& verdicts, char chLanguage);

// The current time in UTC as "2026-12-08T10:00:00Z".
std::string UtcTimestamp();

} // namespace tessaray
