#pragma once

#include "core/fetch/fetch_pool.h"
#include "core/partner/partner_result.h"
#include "core/render/page_renderer.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// What the evaluation of a partner needs to know of the run besides the fetch.
struct SPartnerContext {
    int nId = 0; // the partner's index in the run
    std::string strDomain;
    std::string strComment;
    // The imported external links (the Google list), sorted; nullptr without a list.
    const std::vector<std::string>* pSortedExternalLinks = nullptr;
    // What was agreed with the partner (nullptr without agreement), and the run's day,
    // "YYYY-MM-DD", against which its end is told.
    const SAgreement* pAgreement = nullptr;
    std::string strToday{};
};

// Reads a fetched partner page and its robots.txt into the partner's record: the page's signals
// and its links to the domain, the robots answers, the Google-list answer and the verdicts.
SPartnerResult EvaluatePartner(const SPartnerFetch& fetched, const SPartnerContext& context);
// The same, taking the page's text out of fetched instead of copying it.
SPartnerResult EvaluatePartner(SPartnerFetch&& fetched, const SPartnerContext& context);

// Googlebot's user agent, as Google documents it for its desktop crawler.
inline constexpr std::string_view kGooglebotUserAgent =
    "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)";

// The links to domain of a fetched page (URL and rel), in a form that compares equal for the same
// links in any order; the page's text is dropped. For comparing two answers of one page.
std::string DomainLinksDigest(SPartnerFetch&& fetched, const std::string& domain);

// The verdict of a partner's row: of its link, or of the page when link is nullptr.
SVerdict JudgeLink(const SPartnerResult& partner, const SLinkResult* link);

// Takes what a browser made of the partner's page into its record and judges it again. Raw and
// rendered links are paired by URL, in order: a raw link without a rendered one was removed by a
// script, a rendered one without a raw one was made by a script (a new link, after the raw
// ones); the browser's reading of visibility replaces the HTML's, and robots metas that scripts
// add apply. A page that could not be rendered changes no verdict: the raw reading stands and the
// record says rendering failed, and why.
void ApplyRenderedPage(SPartnerResult& partner, const SRenderedPage& page);

// Whether any link of the partner counts (then the automatic mode renders nothing).
bool HasCountingLink(const SPartnerResult& partner);

} // namespace tessaray
