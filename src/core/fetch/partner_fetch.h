#pragma once

#include "core/fetch/body_budget.h"
#include "core/fetch/page_fetcher.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tessaray {

// What one fetch pair delivers for a partner: its site's robots.txt and its page.
struct SPartnerFetch {
    int nId = 0; // the number the order was given
    std::string strUrl;
    std::string strPage;
    std::string strRobots;
    int nPageStatus = 0;
    int nRobotsStatus = 0;
    int nResult = 0; // the page fetch's result code
    // The first response's header block, the page's outcome and body bytes received, the URL
    // and header block the page text came from.
    std::string strHeader;
    ETransferOutcome ePageOutcome = ETransferOutcome::Other;
    std::size_t nPageBytes = 0;
    std::size_t nRobotsBytes = 0;
    std::string strFinalUrl;
    std::string strFinalHeader;
    // The page body's share of the pool's memory budget, given back when this is dropped.
    CBodyLease bodyLease;
};

// A site's robots.txt as a fetch pair uses it.
struct SRobotsFetch {
    std::string strText; // "" unless a response with a body came
    int nStatus = 0;
    std::size_t nBytes = 0;
};

// Fetches a robots.txt, through up to CPageFetcher::kRobotsRedirects redirects, its first
// CPageFetcher::kRobotsBodyCap bytes only.
SRobotsFetch FetchRobots(CPageFetcher& fetcher, const std::string& url);

// The robots.txt of a finished fetch. A file cut at the cap keeps only its whole lines: a rule
// cut in the middle ("Disallow: /pr" of "Disallow: /private/") would say something else.
SRobotsFetch RobotsOf(int nResult, int nStatus, ETransferOutcome eOutcome, std::string body,
                      std::size_t nBytes);

// Where a fetch pair gets its robots.txt from, when not from its own fetcher (a pool shares one
// per site); std::nullopt when the fetch was cancelled meanwhile.
using RobotsSource = std::function<std::optional<SRobotsFetch>(const std::string& url)>;

// The fetch pair: robots.txt first unless robotsUrl is empty (from robotsSource when given, else
// fetched), then the page. A cancelled robots.txt ends the pair with only strUrl set.
SPartnerFetch FetchPartner(CPageFetcher& fetcher, const std::string& pageUrl,
                           const std::string& robotsUrl, const RobotsSource& robotsSource = {});

} // namespace tessaray
