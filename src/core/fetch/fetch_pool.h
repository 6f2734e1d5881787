#pragma once

#include "core/fetch/page_fetcher.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessaray {

// What the pool delivers for one partner: its robots.txt and its page.
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
    std::string strFinalUrl;
    std::string strFinalHeader;
};

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
        std::string strText;
        int nStatus = 0;
    };

    void Work();
    SPartnerFetch Fetch(const SOrder& order, CPageFetcher& fetcher);
    // The robots.txt of a site, fetched by the first asker; false when cancelled meanwhile.
    bool GetRobots(const std::string& url, CPageFetcher& fetcher, SRobots& out);

    CFetchSettings m_settings;
    AuthCallback m_auth;
    PostCallback m_post;
    std::shared_ptr<CConnectionShare> m_pShare;

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
