#pragma once

#include "core/fetch/page_fetcher.h"
#include "core/fetch/partner_fetch.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tessaray {

class CBodyBudget;

// Fetches partners (robots.txt, then the page) on one engine thread that drives all transfers on
// one libcurl multi handle, so connections and host names are shared and reused as in curl's own
// parallel mode. Every site's robots.txt is fetched once: the first partner of the site fetches
// it, later ones wait for it and use the same text and status. Each partner has the total
// time-out as its budget for robots.txt and page together (waiting for another partner's
// robots.txt or for a log-in prompt is not counted). Log-in prompts are asked one at a time on a
// thread of their own while the other transfers go on. The page bodies held at once, in flight
// or handed over and not yet dropped, stay within the settings' body budget: a transfer that
// would pass it waits until memory is given back, except one, so the engine never stalls.
class CFetchPool {
public:
    // Called on the engine thread after a partner's fetch is done and can be taken; never once
    // Cancel or destruction has begun. Must not block on the owner's thread.
    using PostCallback = std::function<void()>;
    // Reads a page that is not kept, on the engine thread: what of it a partner needs.
    using BodyDigest = std::function<std::string(SPartnerFetch&& page)>;

    CFetchPool(CFetchSettings settings, AuthCallback auth, PostCallback post);
    // Cancels and joins the engine (and the prompt thread, once its open prompt is answered).
    ~CFetchPool();
    CFetchPool(const CFetchPool&) = delete;
    CFetchPool& operator=(const CFetchPool&) = delete;

    // Starts the engine: nParallel transfers are expected at once, nPerHost at most to one host,
    // a redirect target's host included. False (with nothing running) when it cannot start.
    bool Start(int nParallel, int nPerHost);
    // Before Start: every partner's page is fetched a second time, first, with userAgent (within
    // the same per-host limit); digest reads that answer when it is a whole 200 page and its body
    // is dropped at once, so a partner never holds two bodies. The digest goes to
    // SPartnerFetch::secondView.
    void SetSecondView(std::string userAgent, BodyDigest digest);
    // Queues a partner; robotsUrl empty fetches no robots.txt. A delay makes the engine start it
    // only then (its robots.txt, once fetched, is used again); meanwhile it holds no transfer.
    void Submit(int nId, std::string pageUrl, std::string robotsUrl,
                std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    // The partners fetched since the last call, in the order they were done.
    std::vector<SPartnerFetch> TakeDone();
    // Every transfer stops at once, queued partners are dropped and nothing more is posted.
    void Cancel();

private:
    struct SOrder {
        int nId = 0;
        std::string strPageUrl;
        std::string strRobotsUrl;
        std::chrono::steady_clock::time_point notBefore{};
        bool bSecondView = false; // its page is fetched with the second user agent next
        std::optional<std::string> secondView; // the digest of that fetch, once done
    };
    struct SPrompt;
    struct CEngine; // the engine thread's own state: multi handle, transfers, sites

    void Prompt();
    void Wake();

    CFetchSettings m_settings;
    AuthCallback m_auth;
    PostCallback m_post;
    std::string m_strSecondAgent;
    BodyDigest m_secondDigest;
    std::shared_ptr<CBodyBudget> m_pBudget;
    std::unique_ptr<CEngine> m_pEngine;

    std::mutex m_mutex; // guards everything below
    std::condition_variable m_promptChanged;
    bool m_bCancelled = false;
    std::deque<SOrder> m_orders;
    std::vector<SPartnerFetch> m_done;
    std::deque<std::shared_ptr<SPrompt>> m_prompts;  // waiting for the prompt thread
    std::vector<std::shared_ptr<SPrompt>> m_answers; // answered, for the engine
    std::thread m_engine;
    std::thread m_prompter;
};

} // namespace tessaray
