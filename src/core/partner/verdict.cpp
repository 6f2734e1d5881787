#include "core/partner/verdict.h"

#include "core/util/core_texts.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace tessaray {

namespace {

bool Has(const std::vector<std::string>& tokens, std::string_view token) {
    return std::find(tokens.begin(), tokens.end(), token) != tokens.end();
}

// The reasons that keep a found link from counting.
void AddBlockingReasons(const CellRow& cells, const std::vector<std::string>& rel,
                        const SPartnerFacts& partner, std::vector<SReason>& reasons) {
    const SPageSignals& pageSignals = partner.pageSignals;
    const bool relNofollow = Has(rel, "nofollow");
    if (relNofollow ||
        (cells[kColFollowLink] == kCellNofollow && !Has(rel, "sponsored") && !Has(rel, "ugc"))) {
        reasons.push_back({EReason::RelNofollow, {}});
    }
    if (Has(rel, "sponsored")) {
        reasons.push_back({EReason::RelSponsored, {}});
    }
    if (Has(rel, "ugc")) {
        reasons.push_back({EReason::RelUgc, {}});
    }
    if (pageSignals.bMetaNofollow || cells[kColFollowMeta] == kCellNofollow) {
        reasons.push_back({EReason::MetaNofollow, {}});
    }
    if (pageSignals.bHeaderNofollow) {
        reasons.push_back({EReason::HeaderNofollow, {}});
    }
    if (!partner.bGooglebotAllowed) {
        // A robots.txt that could not be read (no answer, 429, 5xx) closes the whole site: the
        // detail names its status instead of blaming a rule.
        const bool bRead = partner.nRobotsStatus >= 200 && partner.nRobotsStatus < 300;
        reasons.push_back(
            {EReason::RobotsTxtDisallowed, bRead ? "" : std::to_string(partner.nRobotsStatus)});
    }
    if (pageSignals.bMetaNoindex || pageSignals.bHeaderNoindex) {
        const std::string where = pageSignals.bMetaNoindex && pageSignals.bHeaderNoindex
                                      ? "meta, header"
                                  : pageSignals.bMetaNoindex ? "meta"
                                                             : "header";
        reasons.push_back({EReason::Noindex, where});
    }
}

struct SWords {
    std::string_view english;
    std::string_view german;
};

std::string_view Pick(const SWords& words, char chLanguage) {
    return chLanguage == 'G' ? words.german : words.english;
}

// Both languages' texts of id.
SWords Words(ETextId id) {
    return {CoreText(id, 'E'), CoreText(id, 'G')};
}

// The sentence of a reason; "%1" stands for its detail.
SWords ReasonWords(const SReason& reason) {
    switch (reason.eCode) {
    case EReason::RelNofollow:
        return Words(ETextId::ReasonRelNofollow);
    case EReason::RelSponsored:
        return Words(ETextId::ReasonRelSponsored);
    case EReason::RelUgc:
        return Words(ETextId::ReasonRelUgc);
    case EReason::MetaNofollow:
        return Words(ETextId::ReasonMetaNofollow);
    case EReason::HeaderNofollow:
        return Words(ETextId::ReasonHeaderNofollow);
    case EReason::RobotsTxtDisallowed:
        if (reason.strDetail == "0") {
            return Words(ETextId::ReasonRobotsTxtUnreadable);
        }
        if (!reason.strDetail.empty()) {
            return Words(ETextId::ReasonRobotsTxtStatus);
        }
        return Words(ETextId::ReasonRobotsTxtDisallowed);
    case EReason::Noindex:
        return Words(ETextId::ReasonNoindex);
    case EReason::HttpStatus:
        return Words(ETextId::ReasonHttpStatus);
    case EReason::Incomplete:
        return Words(ETextId::ReasonIncomplete);
    case EReason::FetchFailed:
        return Words(ETextId::ReasonFetchFailed);
    case EReason::Undecodable:
        return Words(ETextId::ReasonUndecodable);
    case EReason::Redirected:
        return Words(ETextId::ReasonRedirected);
    case EReason::CanonicalElsewhere:
        return Words(ETextId::ReasonCanonicalElsewhere);
    case EReason::InNoscript:
        return Words(ETextId::ReasonInNoscript);
    case EReason::RobotsRuleDiffers:
        return Words(ETextId::ReasonRobotsRuleDiffers);
    }
    return {};
}

} // namespace

SVerdict JudgeRow(const CellRow& cells, const std::vector<std::string>& rel,
                  const SPartnerFacts& partner, bool bInNoscript) {
    SVerdict verdict;
    if (cells[kColListed] == kCellYes) {
        AddBlockingReasons(cells, rel, partner, verdict.reasons);
        verdict.eVerdict = verdict.reasons.empty() ? EVerdict::Counts : EVerdict::DoesNotCount;
        // The link is there, but the page around it is not all there: what is missing may hold
        // what keeps the link from counting.
        if (IsBrokenTransfer(partner.eOutcome)) {
            verdict.reasons.push_back(
                {EReason::Incomplete, std::string(OutcomeCode(partner.eOutcome))});
        }
    } else if (partner.nStatus == 0) {
        verdict.eVerdict = EVerdict::Unreachable;
        verdict.reasons.push_back(
            {EReason::FetchFailed, std::string(OutcomeCode(partner.eOutcome))});
    } else if (partner.nStatus != 200) {
        verdict.eVerdict = EVerdict::Unreachable;
        verdict.reasons.push_back({EReason::HttpStatus, std::to_string(partner.nStatus)});
    } else if (IsBrokenTransfer(partner.eOutcome)) {
        verdict.eVerdict = EVerdict::Unreachable;
        verdict.reasons.push_back(
            {EReason::Incomplete, std::string(OutcomeCode(partner.eOutcome))});
    } else if (!partner.strUndecodable.empty()) {
        // Bytes that cannot be read as text hide any link: not proof that it is gone.
        verdict.eVerdict = EVerdict::Unreachable;
        verdict.reasons.push_back({EReason::Undecodable, partner.strUndecodable});
    } else {
        verdict.eVerdict = EVerdict::Missing;
    }

    const SPageSignals& pageSignals = partner.pageSignals;
    if (!pageSignals.strRedirectTo.empty()) {
        verdict.reasons.push_back({EReason::Redirected, pageSignals.strRedirectTo});
    }
    const std::string& pageUrl = partner.strFinalUrl.empty() ? partner.strUrl : partner.strFinalUrl;
    if (!pageSignals.strCanonical.empty() && !IsSamePage(pageSignals.strCanonical, pageUrl)) {
        verdict.reasons.push_back({EReason::CanonicalElsewhere, pageSignals.strCanonical});
    }
    if (bInNoscript) {
        verdict.reasons.push_back({EReason::InNoscript, {}});
    }
    const std::string& literal = cells[kColRobotsAllow];
    if (!literal.empty() && (literal == kCellAllow) != partner.bGooglebotAllowed) {
        verdict.reasons.push_back({EReason::RobotsRuleDiffers, {}});
    }
    return verdict;
}

std::string_view VerdictCode(EVerdict eVerdict) {
    switch (eVerdict) {
    case EVerdict::Counts:
        return "counts";
    case EVerdict::DoesNotCount:
        return "does-not-count";
    case EVerdict::Missing:
        return "missing";
    case EVerdict::Unreachable:
        break;
    }
    return "unreachable";
}

std::string_view ReasonCode(EReason eReason) {
    static constexpr std::array<std::string_view, 15> kCodes = {"rel-nofollow",
                                                                "rel-sponsored",
                                                                "rel-ugc",
                                                                "meta-nofollow",
                                                                "header-nofollow",
                                                                "robots-txt-disallowed",
                                                                "noindex",
                                                                "http-status",
                                                                "incomplete",
                                                                "fetch-failed",
                                                                "undecodable",
                                                                "redirected",
                                                                "canonical-elsewhere",
                                                                "in-noscript",
                                                                "robots-rule-differs"};
    return kCodes.at(static_cast<std::size_t>(eReason));
}

std::string VerdictText(EVerdict eVerdict, char chLanguage) {
    static constexpr std::array<ETextId, 4> kWords = {
        ETextId::VerdictCounts, ETextId::VerdictDoesNotCount, ETextId::VerdictMissing,
        ETextId::VerdictUnreachable};
    return std::string(CoreText(kWords.at(static_cast<std::size_t>(eVerdict)), chLanguage));
}

std::string ReasonText(const SReason& reason, char chLanguage) {
    return FormatText(Pick(ReasonWords(reason), chLanguage), {reason.strDetail});
}

void CRunVerdicts::Clear() {
    m_partners.clear();
    m_rows.clear();
    m_known.clear();
    m_strStarted.clear();
    m_strFinished.clear();
    m_bStopped = false;
    m_nPartnerCount = 0;
}

void CRunVerdicts::AddPartner(SPartnerFacts facts) {
    SPartner partner;
    partner.facts = std::move(facts);
    m_partners.push_back(std::move(partner));
}

void CRunVerdicts::AddRow(int nRowNumber, std::vector<std::string> rel, SVerdict verdict,
                          bool bHasLink) {
    if (m_partners.empty() || nRowNumber < 1) {
        return;
    }
    SPartner& partner = m_partners.back();
    // The partner's verdict is the best of its rows'; the first row of that verdict gives the
    // reasons.
    if (partner.rowNumbers.empty() || verdict.eVerdict < partner.verdict.eVerdict) {
        partner.verdict = verdict;
    }
    partner.rowNumbers.push_back(nRowNumber);
    partner.bHasLink = partner.bHasLink || bHasLink;

    const auto index = static_cast<std::size_t>(nRowNumber - 1);
    if (m_rows.size() <= index) {
        m_rows.resize(index + 1);
        m_known.resize(index + 1, false);
    }
    m_rows[index] = {static_cast<int>(m_partners.size()) - 1, std::move(rel), std::move(verdict)};
    m_known[index] = true;
}

const CRunVerdicts::SRow* CRunVerdicts::FindRow(int nRowNumber) const {
    const auto index = static_cast<std::size_t>(nRowNumber - 1);
    if (nRowNumber < 1 || index >= m_rows.size() || !m_known[index]) {
        return nullptr;
    }
    return &m_rows[index];
}

CRunVerdicts::SSummary CRunVerdicts::Summary() const {
    SSummary summary;
    for (const SPartner& partner : m_partners) {
        if (partner.rowNumbers.empty()) {
            continue; // its page is still being fetched
        }
        ++summary.nPartners;
        switch (partner.verdict.eVerdict) {
        case EVerdict::Counts:
            ++summary.nCounts;
            break;
        case EVerdict::DoesNotCount:
            ++summary.nDoesNotCount;
            break;
        case EVerdict::Missing:
            ++summary.nMissing;
            break;
        case EVerdict::Unreachable:
            ++summary.nUnreachable;
            break;
        }
    }
    return summary;
}

std::string SummaryText(const CRunVerdicts::SSummary& summary, char chLanguage) {
    const auto count = [chLanguage](int n, ETextId one, ETextId many) {
        return std::to_string(n) + " " + std::string(CoreText(n == 1 ? one : many, chLanguage));
    };
    using Id = ETextId;
    return count(summary.nPartners, Id::SummaryPartnerOne, Id::SummaryPartnerMany) + ": " +
           count(summary.nCounts, Id::SummaryCountsOne, Id::SummaryCountsMany) + ", " +
           count(summary.nDoesNotCount, Id::SummaryDoesNotCountOne, Id::SummaryDoesNotCountMany) +
           ", " + count(summary.nMissing, Id::SummaryMissingOne, Id::SummaryMissingMany) + ", " +
           count(summary.nUnreachable, Id::SummaryUnreachableOne, Id::SummaryUnreachableMany);
}

std::string SummaryText(const CRunVerdicts& verdicts, char chLanguage) {
    const CRunVerdicts::SSummary summary = verdicts.Summary();
    std::string text = SummaryText(summary, chLanguage);
    if (verdicts.IsStopped()) {
        const int count = verdicts.GetPartnerCount();
        const ETextId id = count == 1 ? ETextId::SummaryStoppedOne : ETextId::SummaryStoppedMany;
        text += FormatText(CoreText(id, chLanguage),
                           {std::to_string(summary.nPartners), std::to_string(count)});
    }
    return text;
}

std::string UtcTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof(buffer), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buffer;
}

} // namespace tessaray
