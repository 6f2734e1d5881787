#include "core/fetch/partner_fetch.h"

#include <utility>

namespace tessaray {

SRobotsFetch FetchRobots(CPageFetcher& fetcher, const std::string& url) {
    SRobotsFetch robots;
    std::string buffer;
    const int result = fetcher.Fetch(url, buffer, robots.nBytes, CPageFetcher::kRobotsRedirects);
    robots.nStatus = fetcher.GetStatus();
    if (result == kFetchOk && robots.nBytes > 0) {
        robots.strText = std::move(buffer);
    }
    return robots;
}

SPartnerFetch FetchPartner(CPageFetcher& fetcher, const std::string& pageUrl,
                           const std::string& robotsUrl, const RobotsSource& robotsSource) {
    SPartnerFetch done;
    done.strUrl = pageUrl;
    if (!robotsUrl.empty()) {
        std::optional<SRobotsFetch> robots =
            robotsSource ? robotsSource(robotsUrl) : FetchRobots(fetcher, robotsUrl);
        if (!robots) {
            return done;
        }
        done.strRobots = std::move(robots->strText);
        done.nRobotsStatus = robots->nStatus;
        done.nRobotsBytes = robots->nBytes;
    }

    std::string buffer;
    done.nResult = fetcher.Fetch(pageUrl, buffer, done.nPageBytes);
    done.strHeader = fetcher.GetHeader();
    done.nPageStatus = fetcher.GetStatus();
    done.ePageOutcome = fetcher.GetOutcome();
    done.strFinalUrl = fetcher.GetFinalUrl();
    done.strFinalHeader = fetcher.GetFinalHeader();
    if (done.nResult == kFetchOk && done.nPageBytes > 0) {
        done.strPage = std::move(buffer);
    }
    return done;
}

} // namespace tessaray
