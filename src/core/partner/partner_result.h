#pragma once

#include "core/fetch/transfer_outcome.h"
#include "core/page/page_signals.h"
#include "core/partner/verdict.h"
#include "core/project/agreement.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaray {

// What a result row shows: the partner (its index in the run) and its link (the index within the
// partner; -1 for the row of a partner without link). Rows are joined to their facts by it.
struct SRowKey {
    int nPartner = -1;
    int nLink = -1;
    auto operator<=>(const SRowKey&) const = default;
};

// Whether the partner page is among the imported external links (the Google list).
enum class EGoogleListed { NotApplicable, Yes, No };

// One link of a partner page to the user's domain.
struct SLinkResult {
    int nId = 0;        // its index within the partner, from 0
    int nPosition = -1; // the index of its anchor among the page's links
    std::string strUrl;
    std::string strText;
    std::vector<std::string> rel; // lower-case rel tokens
    bool bNofollow = false;       // rel holds nofollow, ugc or sponsored
    bool bInNoscript = false;
    // Whether it is what was agreed with the partner (true without agreement).
    bool bMatchesAgreement = true;
    // Rendered in a browser: made by a script (not in the raw HTML), and how it is hidden from
    // people ("display-none", "off-screen", ...; "" when it can be seen or was not checked).
    bool bScriptInserted = false;
    std::string strHidden;
    // In the raw HTML, but no longer in the rendered page: a script removed it.
    bool bRemovedByScript = false;
    SVerdict verdict;
};

// Whether the user's own link pages link to a partner's site.
enum class EYouLink {
    Unknown,  // no link page of the user's could be read
    None,     // they were read and none links to the partner's site
    Nofollow, // one does, but no link of them is followed
    Followed, // one does with a followed link
};

// The other direction of the exchange: the user's link to the partner.
struct SReciprocal {
    EYouLink eYouLink = EYouLink::Unknown;
    std::string strFrom; // the user's page with the (best) link to the partner; "" for none
};

// "unknown", "none", "nofollow", "followed"; for people in the language of chLanguage.
std::string_view YouLinkCode(EYouLink eYouLink);
std::string YouLinkText(EYouLink eYouLink, char chLanguage);

// Whether the partner's page was rendered in a browser.
enum class ERendered { No, Yes, Failed };

// "no", "yes", "failed", as the reports and the history write it.
constexpr std::string_view RenderedCode(ERendered eRendered) {
    return eRendered == ERendered::Yes ? "yes" : eRendered == ERendered::Failed ? "failed" : "no";
}

// Everything a run learnt about one partner: the fetch, the robots.txt answers, the page, its
// links to the domain and the verdicts. The result cells are derived from it (CellsOf); every
// output reads it.
struct SPartnerResult {
    int nId = 0;       // the partner's index in the run
    int nFirstRow = 0; // the number (No.) of its first result row, from 1
    std::string strUrl;
    std::string strComment;

    // The fetch: how the page arrived, its status (0 without answer), the size of the page text,
    // the body bytes received, where it came from (user info removed) and the first response's
    // header block, shared by the partner's rows.
    ETransferOutcome eOutcome = ETransferOutcome::Other;
    int nStatus = 0;
    std::size_t nPageSize = 0;
    std::size_t nBytes = 0;
    std::string strFinalUrl;
    std::shared_ptr<const std::string> pHeader = std::make_shared<const std::string>();

    // robots.txt: its status, the literal exact-path rule of the Robots-Allow cell and the rules
    // search engines use, asked for Googlebot.
    int nRobotsStatus = 0;
    bool bRobotsAllow = true;
    bool bGooglebotAllowed = true;

    // The page: whether its robots meta tags hold a "follow" word (for the Follow(Meta) cell;
    // nofollow is one of the signals), the signals to search engines, why its bytes could not be
    // read as text ("" when they could), its internal and external link counts.
    bool bMetaFollow = false;
    SPageSignals pageSignals;
    std::string strUndecodable;
    // The rule of the bot protection that answered instead of the page; "" when none did.
    std::string strBlockedBy;
    // Fetched as Googlebot too, the page showed other links to the domain (URL or rel).
    bool bCloaked = false;
    int nInternalLinks = 0;
    int nExternalLinks = 0;
    // Its links to the domain past those listed in links (CPageAnalyzer::kMaxListedLinks).
    int nLinksNotListed = 0;
    EGoogleListed eGoogle = EGoogleListed::NotApplicable;

    // What was agreed with the partner; std::nullopt without agreement.
    std::optional<SAgreement> agreement;
    // Days from the run's day to the agreement's last day (negative: it ended); std::nullopt
    // without agreement or end date.
    std::optional<int> agreementDaysLeft;
    // The user's link back; std::nullopt when the project names no link pages of the user's.
    std::optional<SReciprocal> reciprocal;
    // The page as a browser rendered it, and why rendering failed ("" when it did not).
    ERendered eRendered = ERendered::No;
    std::string strRenderError;

    std::vector<SLinkResult> links;
    // The best of its links' verdicts, or the verdict of the page without link.
    SVerdict verdict;

    // A result worse than the last completed run's is fetched once more after a pause; the
    // second answer stands and this keeps what the first one was.
    struct SFirstAnswer {
        int nStatus = 0;
        ETransferOutcome eOutcome = ETransferOutcome::Other;
        SVerdict verdict;
    };
    std::optional<SFirstAnswer> confirmed;

    // Roughly how many bytes it holds: its strings and vectors, without allocator overhead.
    std::size_t ApproximateBytes() const;

    // The key of its i-th result row.
    SRowKey KeyOfRow(int nRow) const { return {nId, links.empty() ? -1 : nRow}; }
    // Its result rows: one per link, one without link.
    int RowCount() const { return links.empty() ? 1 : static_cast<int>(links.size()); }
    // Whether some link of it is what was agreed; std::nullopt without agreement, and when its
    // page could not be read, which says nothing of its links.
    std::optional<bool> AgreementMet() const;
};

// The partners of one run, in the order they were evaluated, with the run's times.
class CRunVerdicts {
public:
    using SSummary = SRunSummary;

    void Clear();
    void Add(SPartnerResult result);
    // Sets the verdict of a row of the partner added last (rows read back from the history,
    // which keeps verdicts but no facts).
    void SetVerdict(SRowKey key, SVerdict verdict);

    const std::vector<SPartnerResult>& Partners() const { return m_partners; }
    // The partner of that id, or nullptr when it was not evaluated.
    const SPartnerResult* FindPartner(int nId) const;
    // The verdict of the row of that key, or nullptr.
    const SVerdict* FindVerdict(SRowKey key) const;
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
    std::vector<SPartnerResult> m_partners; // ascending ids
};

// The summary of a run; a stopped run's says so: "... 0 unreachable (stopped after 10 of 12
// partners)".
std::string SummaryText(const CRunVerdicts& verdicts, char chLanguage);

} // namespace tessaray
