#pragma once

#include "core/fetch/page_fetcher.h"
#include "core/fetch/partner_fetch.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tessaray {

// Fetches partners (robots.txt, then the page) on a fixed set of worker threads that share their
// connections and host names. Every site's robots.txt is fetched once: the first partner of the
// site fetches it, later ones wait for it and use the same text and status. Each partner has the
// total time-out as its budget for robots.txt and page together (waiting for another partner's
// robots.txt is not counted). Log-in prompts are asked one at a time; while one is open, the
// other workers go on with their transfers.
class CFetchPool {
public:
    // Called on a worker thread after a partner's fetch is done and can be taken; never once
    // Cancel or destruction has begun. Must not block on the owner's thread.
    using PostCallback = std::function<void()>;

    CFetchPool(CFetchSettings settings, AuthCallback auth, PostCallback post);
    // Cancels and joins the workers.
    ~CFetchPool();
    CFetchPool(const CFetchPool&) = delete;
    CFetchPool& operator=(const CFetchPool&) = delete;

    // Starts nWorkers threads; false (with none left running) when a thread cannot be started.
    bool Start(int nWorkers);
    // Queues a partner; robotsUrl empty fetches no robots.txt.
    void Submit(int nId, std::string pageUrl, std::string robotsUrl);
    // The partners fetched since the last call, in the order they were done.
    std::vector<SPartnerFetch> TakeDone();
    // Every transfer stops at once, queued partners are dropped and nothing more is posted.
    void Cancel();

private:
    struct SOrder {
        int nId = 0;
        std::string strPageUrl;
        std::string strRobotsUrl;
    };
    struct SRobots {
        bool bDone = false;
        SRobotsFetch fetched;
    };

    void Work();
    SPartnerFetch Fetch(const SOrder& order, CPageFetcher& fetcher);
    // The robots.txt of a site, fetched by the first asker; std::nullopt when cancelled meanwhile.
    std::optional<SRobotsFetch> GetRobots(const std::string& url, CPageFetcher& fetcher);

    CFetchSettings m_settings;
    AuthCallback m_auth;
    PostCallback m_post;

    std::mutex m_mutex; // guards everything below
    std::condition_variable m_changed;
    bool m_bCancelled = false;
    std::deque<SOrder> m_orders;
    std::vector<SPartnerFetch> m_done;
    std::map<std::string, SRobots> m_robots;
    std::vector<CPageFetcher*> m_active; // the workers' fetchers, for Cancel
    std::mutex m_authMutex;              // one log-in prompt at a time
    std::vector<std::thread> m_workers;
};

} // namespace tessaray
