#include "core/partner/evaluate_partner.h"

#include "core/partner/agreement_match.h"

#include "core/page/bot_challenge.h"
#include "core/page/page_analyzer.h"
#include "core/page/page_charset.h"
#include "core/page/page_signals.h"
#include "core/page/scanned_page.h"
#include "core/project/url_rules.h"
#include "core/robots/robots_rfc_rules.h"
#include "core/robots/robots_rules.h"
#include "core/util/ascii.h"
#include "core/util/url.h"

#include <algorithm>
#include <deque>
#include <map>

namespace tessaray {

namespace {

bool Has(const std::vector<std::string>& tokens, std::string_view token) {
    return std::find(tokens.begin(), tokens.end(), token) != tokens.end();
}

// Whether the partner page is on the Google list: some imported link begins with its URL.
EGoogleListed LookUpGoogle(const std::vector<std::string>* pSortedLinks, const std::string& url) {
    if (pSortedLinks == nullptr) {
        return EGoogleListed::NotApplicable;
    }
    // The links that begin with the URL sort directly from the URL itself on.
    const std::string prefix = ToLowerAscii(url);
    const auto it = std::lower_bound(pSortedLinks->begin(), pSortedLinks->end(), prefix);
    return it != pSortedLinks->end() && it->starts_with(prefix) ? EGoogleListed::Yes
                                                                : EGoogleListed::No;
}

// The reasons that keep a found link from counting.
void AddBlockingReasons(const SPartnerResult& partner, const SLinkResult& link,
                        std::vector<SReason>& reasons) {
    const SPageSignals& pageSignals = partner.pageSignals;
    const std::vector<std::string>& rel = link.rel;
    if (Has(rel, "nofollow") || (link.bNofollow && !Has(rel, "sponsored") && !Has(rel, "ugc"))) {
        reasons.push_back({EReason::RelNofollow, {}});
    }
    if (Has(rel, "sponsored")) {
        reasons.push_back({EReason::RelSponsored, {}});
    }
    if (Has(rel, "ugc")) {
        reasons.push_back({EReason::RelUgc, {}});
    }
    if (pageSignals.bMetaNofollow) {
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
    if (link.bRemovedByScript) {
        reasons.push_back({EReason::RemovedByScript, {}});
    }
    if (!link.strHidden.empty()) {
        reasons.push_back({EReason::Hidden, link.strHidden});
    }
}

// Judges every link of the partner and the partner itself: the best of its links' verdicts,
// the first link of that verdict giving the reasons.
void JudgeAll(SPartnerResult& result) {
    if (result.links.empty()) {
        result.verdict = JudgeLink(result, nullptr);
    }
    for (SLinkResult& link : result.links) {
        link.verdict = JudgeLink(result, &link);
        if (link.nId == 0 || link.verdict.eVerdict < result.verdict.eVerdict) {
            result.verdict = link.verdict;
        }
    }
}

// A link's URL as raw and rendered readings of it compare equal: resolved against the page (as
// the browser resolves and percent-encodes it), lower case, without fragment and trailing "/".
std::string LinkKey(const std::string& pageUrl, const std::string& url) {
    std::string key = ResolveUrl(pageUrl, url);
    if (key.empty()) {
        key = url;
    }
    key = ToLowerAscii(key.substr(0, key.find('#')));
    if (key.ends_with('/')) {
        key.pop_back();
    }
    return key;
}

// The page's text and what it says: its charset step and the scanner's one pass, which keeps the
// links to the domain only.
struct SReadPage {
    CPageAnalyzer analyzer;
    std::string strUndecodable;
};

// The header block of the response the page came with, not of a redirect before it.
const std::string& PageHeaderOf(const SPartnerFetch& fetched) {
    return fetched.strFinalHeader.empty() ? fetched.strHeader : fetched.strFinalHeader;
}

// page is the fetched page's text, handed over so a large page is not copied.
SReadPage ReadPage(const SPartnerFetch& fetched, std::string page, std::string_view domain) {
    SReadPage read;
    // URL and text cells are UTF-8 whatever the page's charset; the Bytes cell stays as received.
    const std::string& pageHeader = PageHeaderOf(fetched);
    const std::string charset = SniffCharset(pageHeader, page);
    read.strUndecodable = UndecodableReason(pageHeader, page, charset);
    read.analyzer =
        ScanPageBytes(std::move(page), pageHeader, charset, SiteUrlOf(fetched.strUrl), domain)
            .analyzer;
    return read;
}

// The page's links to the domain, in page order, with their rel tokens.
std::vector<SLinkResult> LinksToDomain(CPageAnalyzer& analyzer, const std::string& domain) {
    std::vector<SLinkResult> links;
    std::string url;
    std::string text;
    int nofollow = 0;
    analyzer.ResetLinkCursor();
    while (analyzer.NextLinkToDomain(domain, url, text, nofollow)) {
        SLinkResult& link = links.emplace_back();
        const std::size_t index = analyzer.GetLastLinkIndex();
        CLinkInfo info = analyzer.GetLink(index);
        link.nId = static_cast<int>(links.size()) - 1;
        link.nPosition = static_cast<int>(analyzer.GetLastLinkPosition());
        link.rel = std::move(info.m_rel);
        link.bInNoscript = info.m_nInNoscript != 0;
        link.strHidden = std::move(info.m_strHidden);
        link.strUrl = std::move(url);
        link.strText = std::move(text);
        link.bNofollow = nofollow != 0;
    }
    return links;
}

// The links as lines of URL and rel tokens, sorted: equal for the same links in any order.
std::string LinksDigest(const std::vector<SLinkResult>& links) {
    std::vector<std::string> lines;
    lines.reserve(links.size());
    for (const SLinkResult& link : links) {
        std::string& line = lines.emplace_back(link.strUrl);
        for (const std::string& token : link.rel) {
            line += ' ';
            line += token;
        }
        line += '\n';
    }
    std::sort(lines.begin(), lines.end());
    std::string digest;
    for (const std::string& line : lines) {
        digest += line;
    }
    return digest;
}

SPartnerResult Evaluate(const SPartnerFetch& fetched, std::string page,
                        const SPartnerContext& context) {
    SPartnerResult result;
    result.nId = context.nId;
    result.strUrl = fetched.strUrl;
    result.strComment = context.strComment;
    result.eOutcome = fetched.ePageOutcome;
    result.nStatus = fetched.nPageStatus;
    result.nPageSize = page.size();
    result.nBytes = fetched.nPageBytes;
    result.strFinalUrl =
        WithoutUserInfo(fetched.strFinalUrl.empty() ? fetched.strUrl : fetched.strFinalUrl);
    result.pHeader = std::make_shared<const std::string>(fetched.strHeader);

    CRobotsRules robotsRules;
    robotsRules.Parse(fetched.strRobots);
    CRobotsRfcRules rfcRules;
    rfcRules.Load(fetched.nRobotsStatus, fetched.strRobots);
    result.nRobotsStatus = fetched.nRobotsStatus;
    result.bRobotsAllow = robotsRules.IsAllowed(fetched.strUrl);
    result.bGooglebotAllowed = rfcRules.IsAllowed("Googlebot", fetched.strUrl);

    result.strBlockedBy = BotChallengeRule(fetched.nPageStatus, PageHeaderOf(fetched), page);
    SReadPage read = ReadPage(fetched, std::move(page), context.strDomain);
    int robots = 0;
    int index = 0;
    int noindex = 0;
    int follow = 0;
    int nofollow = 0;
    read.analyzer.GetMetaFlags(robots, index, noindex, follow, nofollow);
    result.bMetaFollow = follow != 0;
    result.pageSignals =
        ReadPageSignals(fetched.strUrl, fetched.strFinalUrl, read.analyzer, fetched.strFinalHeader);
    result.strUndecodable = std::move(read.strUndecodable);
    result.nInternalLinks = read.analyzer.GetInternalCount();
    result.nExternalLinks = read.analyzer.GetExternalCount();
    result.eGoogle = LookUpGoogle(context.pSortedExternalLinks, fetched.strUrl);
    result.links = LinksToDomain(read.analyzer, context.strDomain);
    result.nLinksNotListed = read.analyzer.GetLinksNotListed();
    // Compared only when both answers are the page.
    result.bCloaked = fetched.secondView && result.nStatus == 200 &&
                      !IsBrokenTransfer(result.eOutcome) && result.strBlockedBy.empty() &&
                      *fetched.secondView != LinksDigest(result.links);

    if (context.pAgreement != nullptr) {
        result.agreement = *context.pAgreement;
        result.agreementDaysLeft = AgreementDaysLeft(*context.pAgreement, context.strToday);
        for (SLinkResult& link : result.links) {
            link.bMatchesAgreement = AgreementMismatches(*context.pAgreement, link).empty();
        }
    }

    JudgeAll(result);
    return result;
}

} // namespace

SPartnerResult EvaluatePartner(const SPartnerFetch& fetched, const SPartnerContext& context) {
    return Evaluate(fetched, fetched.strPage, context);
}

SPartnerResult EvaluatePartner(SPartnerFetch&& fetched, const SPartnerContext& context) {
    std::string page = std::move(fetched.strPage);
    return Evaluate(fetched, std::move(page), context);
}

std::string DomainLinksDigest(SPartnerFetch&& fetched, const std::string& domain) {
    std::string page = std::move(fetched.strPage);
    SReadPage read = ReadPage(fetched, std::move(page), domain);
    return LinksDigest(LinksToDomain(read.analyzer, domain));
}

SVerdict JudgeLink(const SPartnerResult& partner, const SLinkResult* link) {
    SVerdict verdict;
    if (link != nullptr) {
        AddBlockingReasons(partner, *link, verdict.reasons);
        if (partner.agreement) {
            std::vector<SReason> mismatches = AgreementMismatches(*partner.agreement, *link);
            verdict.reasons.insert(verdict.reasons.end(), mismatches.begin(), mismatches.end());
        }
        verdict.eVerdict = verdict.reasons.empty() ? EVerdict::Counts : EVerdict::DoesNotCount;
        // The link is there, but the page around it is not all there: what is missing may hold
        // what keeps the link from counting.
        if (IsBrokenTransfer(partner.eOutcome)) {
            verdict.reasons.push_back(
                {EReason::Incomplete, std::string(OutcomeCode(partner.eOutcome))});
        }
    } else if (!partner.strBlockedBy.empty()) {
        // A wall instead of the page says nothing of the link: open it in a browser.
        verdict.eVerdict = EVerdict::Unreachable;
        verdict.reasons.push_back({EReason::Blocked, partner.strBlockedBy});
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
    if (link != nullptr && link->bInNoscript) {
        verdict.reasons.push_back({EReason::InNoscript, {}});
    }
    if (link != nullptr && link->bScriptInserted) {
        verdict.reasons.push_back({EReason::ScriptInserted, {}});
    }
    // The literal rule is shown (and compared) for the rows with a link only.
    if (link != nullptr && partner.bRobotsAllow != partner.bGooglebotAllowed) {
        verdict.reasons.push_back({EReason::RobotsRuleDiffers, {}});
    }
    if (partner.bCloaked) {
        verdict.reasons.push_back({EReason::Cloaked, {}});
    }
    if (link != nullptr && partner.nLinksNotListed > 0) {
        verdict.reasons.push_back(
            {EReason::LinksNotListed, std::to_string(partner.nLinksNotListed)});
    }
    if (partner.agreement && partner.agreementDaysLeft) {
        if (std::optional<SReason> warning =
                AgreementEndWarning(*partner.agreement, *partner.agreementDaysLeft)) {
            verdict.reasons.push_back(std::move(*warning));
        }
    }
    return verdict;
}

void ApplyRenderedPage(SPartnerResult& partner, const SRenderedPage& page) {
    if (!page.bRendered) {
        partner.eRendered = ERendered::Failed;
        partner.strRenderError = page.strError;
        return;
    }
    partner.eRendered = ERendered::Yes;
    partner.strRenderError.clear();
    const std::string& pageUrl = partner.strFinalUrl.empty() ? partner.strUrl : partner.strFinalUrl;

    // The raw links of each URL, in page order; each rendered link takes the first one left.
    std::map<std::string, std::deque<std::size_t>> rawByKey;
    for (std::size_t i = 0; i < partner.links.size(); ++i) {
        rawByKey[LinkKey(pageUrl, partner.links[i].strUrl)].push_back(i);
    }
    std::vector<bool> rendered(partner.links.size(), false);
    std::vector<SLinkResult> inserted;
    for (const SRenderedLink& renderedLink : page.links) {
        const auto it = rawByKey.find(LinkKey(pageUrl, renderedLink.strUrl));
        if (it != rawByKey.end() && !it->second.empty()) {
            const std::size_t index = it->second.front();
            it->second.pop_front();
            rendered[index] = true;
            partner.links[index].strHidden = renderedLink.strHidden; // the browser knows better
            continue;
        }
        // Past the links a result lists, the raw page's own links are not known one by one:
        // a rendered link may be one of them.
        if (partner.nLinksNotListed > 0 ||
            partner.links.size() + inserted.size() >=
                static_cast<std::size_t>(CPageAnalyzer::kMaxListedLinks)) {
            continue;
        }
        SLinkResult& link = inserted.emplace_back();
        link.strUrl = ToLowerAscii(renderedLink.strUrl);
        link.strText = renderedLink.strText;
        link.rel = renderedLink.rel;
        link.bNofollow =
            Has(link.rel, "nofollow") || Has(link.rel, "ugc") || Has(link.rel, "sponsored");
        link.bScriptInserted = true;
        link.strHidden = renderedLink.strHidden;
    }
    for (std::size_t i = 0; i < partner.links.size(); ++i) {
        partner.links[i].bRemovedByScript = !rendered[i];
    }
    for (SLinkResult& link : inserted) {
        link.nId = static_cast<int>(partner.links.size());
        link.bMatchesAgreement =
            !partner.agreement || AgreementMismatches(*partner.agreement, link).empty();
        partner.links.push_back(std::move(link));
    }

    // Robots metas that scripts add count as the page's own; what they drop does not unsay it.
    for (const std::string& content : page.robotsMetas) {
        std::string lower = ToLowerAscii(content);
        std::replace(lower.begin(), lower.end(), ',', ' ');
        for (std::size_t at = 0; at < lower.size();) {
            const std::size_t end = std::min(lower.find(' ', at), lower.size());
            const std::string_view token = std::string_view(lower).substr(at, end - at);
            partner.pageSignals.bMetaNoindex |= token == "noindex" || token == "none";
            partner.pageSignals.bMetaNofollow |= token == "nofollow" || token == "none";
            at = end + 1;
        }
        if (std::find(partner.pageSignals.metaContents.begin(),
                      partner.pageSignals.metaContents.end(),
                      content) == partner.pageSignals.metaContents.end()) {
            partner.pageSignals.metaContents.push_back(content);
        }
    }
    JudgeAll(partner);
}

bool HasCountingLink(const SPartnerResult& partner) {
    return std::any_of(partner.links.begin(), partner.links.end(), [](const SLinkResult& link) {
        return link.verdict.eVerdict == EVerdict::Counts;
    });
}

} // namespace tessaray
