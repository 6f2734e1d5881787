#include "core/fetch/partner_fetch.h"

#include <utility>

namespace tessaray {

SRobotsFetch RobotsOf(int nResult, int nStatus, ETransferOutcome eOutcome, std::string body,
                      std::size_t nBytes) {
    SRobotsFetch robots;
    robots.nStatus = nStatus;
    robots.nBytes = nBytes;
    if (nResult == kFetchOk && nBytes > 0) {
        if (eOutcome == ETransferOutcome::SizeCap) {
            const std::size_t end = body.find_last_of("\r\n");
            body.resize(end == std::string::npos ? 0 : end + 1);
        }
        robots.strText = std::move(body);
    }
    return robots;
}

SRobotsFetch FetchRobots(CPageFetcher& fetcher, const std::string& url) {
    std::string buffer;
    std::size_t nBytes = 0;
    const int result = fetcher.Fetch(url, buffer, nBytes, CPageFetcher::kRobotsRedirects,
                                     CPageFetcher::kRobotsBodyCap);
    return RobotsOf(result, fetcher.GetStatus(), fetcher.GetOutcome(), std::move(buffer), nBytes);
}

SPartnerFetch FetchPartner(CPageFetcher& fetcher, const std::string& pageUrl,
                           const std::string& robotsUrl) {
    SPartnerFetch done;
    done.strUrl = pageUrl;
    if (!robotsUrl.empty()) {
        SRobotsFetch robots = FetchRobots(fetcher, robotsUrl);
        done.strRobots = std::move(robots.strText);
        done.nRobotsStatus = robots.nStatus;
        done.nRobotsBytes = robots.nBytes;
    }
    std::string buffer;
    std::size_t nBytes = 0;
    const int result = fetcher.Fetch(pageUrl, buffer, nBytes);
    TakePage(done, fetcher, result, nBytes, std::move(buffer));
    return done;
}

} // namespace tessaray
