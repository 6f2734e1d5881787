#include "core/partner/my_link_pages.h"

#include "core/page/bot_challenge.h"
#include "core/page/page_charset.h"
#include "core/page/page_signals.h"
#include "core/page/scanned_page.h"
#include "core/project/url_rules.h"
#include "core/util/ascii.h"

#include <optional>
#include <utility>

namespace tessaray {

namespace {

int Earlier(int nKnown, int nPage) {
    return nKnown < 0 || nPage < nKnown ? nPage : nKnown;
}

} // namespace

CMyLinkPages::CMyLinkPages(std::vector<std::string> pages)
    : m_pages(std::move(pages)), m_read(m_pages.size(), false),
      m_nUnread(static_cast<int>(m_pages.size())) {}

void CMyLinkPages::AddPage(int nPage, SPartnerFetch&& fetched) {
    if (nPage < 0 || nPage >= GetPageCount() || m_read[static_cast<std::size_t>(nPage)]) {
        return;
    }
    std::string page = std::move(fetched.strPage);
    const std::string& header =
        fetched.strFinalHeader.empty() ? fetched.strHeader : fetched.strFinalHeader;
    if (fetched.nPageStatus != 200 || IsBrokenTransfer(fetched.ePageOutcome) ||
        !BotChallengeRule(fetched.nPageStatus, header, page).empty()) {
        return;
    }
    const std::string charset = SniffCharset(header, page);
    if (!UndecodableReason(header, page, charset).empty()) {
        return;
    }
    const std::string& finalUrl =
        fetched.strFinalUrl.empty() ? fetched.strUrl : fetched.strFinalUrl;
    // Every link is kept (no domain to list), so the scan stays linear in the page.
    const SScannedPage scanned =
        ScanPageBytes(std::move(page), header, charset, SiteUrlOf(finalUrl));
    const SPageSignals signals = ReadPageSignals(fetched.strUrl, fetched.strFinalUrl,
                                                 scanned.analyzer, fetched.strFinalHeader);
    // The page's own nofollow (meta robots or X-Robots-Tag) makes every link of it nofollow.
    const bool bPageNofollow = signals.bMetaNofollow || signals.bHeaderNofollow;
    for (const CLinkInfo& link : scanned.analyzer.GetLinks()) {
        const std::string site = ToLowerAscii(SiteOfUrl(link.m_strUrl));
        if (site.empty()) {
            continue;
        }
        SSiteLinks& links = m_sites[site];
        if (bPageNofollow || link.m_nNofollow != 0) {
            links.nNofollow = Earlier(links.nNofollow, nPage);
        } else {
            links.nFollowed = Earlier(links.nFollowed, nPage);
        }
    }
    m_read[static_cast<std::size_t>(nPage)] = true;
    --m_nUnread;
}

SReciprocal CMyLinkPages::AnswerFor(std::string_view partnerUrl) const {
    SSiteLinks links;
    if (const auto found = m_sites.find(ToLowerAscii(SiteOfUrl(partnerUrl)));
        found != m_sites.end()) {
        links = found->second;
    }
    if (links.nFollowed >= 0) {
        return {EYouLink::Followed, GetPage(links.nFollowed)};
    }
    if (m_nUnread > 0) {
        return {EYouLink::Unknown, {}};
    }
    if (links.nNofollow >= 0) {
        return {EYouLink::Nofollow, GetPage(links.nNofollow)};
    }
    return {EYouLink::None, {}};
}

void AddReciprocityReasons(SPartnerResult& result) {
    if (!result.reciprocal) {
        return;
    }
    const SReciprocal& you = *result.reciprocal;
    const EVerdict eVerdict = result.verdict.eVerdict;
    std::optional<SReason> reason;
    if (you.eYouLink == EYouLink::Followed &&
        (eVerdict == EVerdict::DoesNotCount || eVerdict == EVerdict::Missing)) {
        reason = SReason{EReason::OneSided, you.strFrom};
    } else if (you.eYouLink == EYouLink::None && eVerdict == EVerdict::Counts) {
        reason = SReason{EReason::YouDoNotLinkBack, {}};
    }
    if (!reason) {
        return;
    }
    result.verdict.reasons.push_back(*reason);
    for (SLinkResult& link : result.links) {
        link.verdict.reasons.push_back(*reason);
    }
}

} // namespace tessaray
