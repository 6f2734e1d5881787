#pragma once

#include "core/fetch/body_budget.h"
#include "core/fetch/page_fetcher.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

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
    // With a second view (CFetchPool::SetSecondView): what its digest made of the page fetched
    // with the second user agent; none when that answer was no whole 200 page.
    std::optional<std::string> secondView;
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

// The fetch pair: robots.txt first unless robotsUrl is empty, then the page.
SPartnerFetch FetchPartner(CPageFetcher& fetcher, const std::string& pageUrl,
                           const std::string& robotsUrl);

// Fills the page fields of done from a finished page fetch: a CPageFetcher or the pool's task,
// which answer the same questions.
template <typename TFetch>
void TakePage(SPartnerFetch& done, const TFetch& fetch, int nResult, std::size_t nBytes,
              std::string body) {
    done.nResult = nResult;
    done.nPageBytes = nBytes;
    done.strHeader = fetch.GetHeader();
    done.nPageStatus = fetch.GetStatus();
    done.ePageOutcome = fetch.GetOutcome();
    done.strFinalUrl = fetch.GetFinalUrl();
    done.strFinalHeader = fetch.GetFinalHeader();
    if (nResult == kFetchOk && nBytes > 0) {
        done.strPage = std::move(body);
    }
}

} // namespace tessaray
