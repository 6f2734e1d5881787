#pragma once

#include "core/fetch/page_fetcher.h"
#include "core/fetch/partner_fetch.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace tessaray {

// Fetches a site's robots.txt and then a page on a worker thread of its own and tells its owner
// through the post callback when both are done. One fetch pair at a time: the owner starts the
// next pair only after the callback for the previous one arrived.
class CFetchJob {
public:
    // Called once per fetch pair, from the worker thread, with the message number and the page
    // fetch's result code. The owner re-posts it to its own thread and reads the out fields
    // there; the callback must neither block on the owner's thread nor start or destroy the job.
    using PostCallback = std::function<void(unsigned message, int result)>;

    CFetchJob() = default;
    // Cancels a running transfer and joins the worker (within about a second); the post callback
    // is never called once destruction has begun.
    ~CFetchJob();
    CFetchJob(const CFetchJob&) = delete;
    CFetchJob& operator=(const CFetchJob&) = delete;

    // Message number handed to the post callback; Start fails while it is 0.
    void SetMessage(unsigned message) { m_nMessage = message; }
    unsigned GetMessage() const { return m_nMessage; }
    void SetPostCallback(PostCallback callback) { m_postCallback = std::move(callback); }
    // Optional; without it a 401 answer counts as refused. Called on the worker thread.
    void SetAuthCallback(AuthCallback callback) { m_authCallback = std::move(callback); }
    // Time limits, body cap and trusted authorities of the fetches started afterwards.
    void SetSettings(const CFetchSettings& settings) { m_settings = settings; }
    const CFetchSettings& GetSettings() const { return m_settings; }

    // Starts the worker: robots.txt first unless robotsUrl is empty, then the page. False, with
    // nothing started, when the message number is 0, a pair is still running or no thread could
    // be started.
    bool Start(const std::string& pageUrl, const std::string& robotsUrl);

    // Moves the page and robots texts to the caller and empties them in the job; deletes the
    // fetcher. Waits for the worker to end (it has, once the post callback came).
    void TakeResults(std::string& pageText, std::string& robotsText);

    // Out fields, valid once the post callback came.
    const std::string& GetUrl() const { return m_strPageUrl; }
    const std::string& GetHeader() const { return m_fetch.strHeader; }
    int GetPageStatus() const { return m_fetch.nPageStatus; }
    int GetRobotsStatus() const { return m_fetch.nRobotsStatus; }
    int GetResult() const { return m_fetch.nResult; }
    // Whether the page arrived whole, and the URL it came from (the redirect target, if any).
    ETransferOutcome GetPageOutcome() const { return m_fetch.ePageOutcome; }
    const std::string& GetFinalUrl() const { return m_fetch.strFinalUrl; }
    // The header block of the response the page text came from.
    const std::string& GetFinalHeader() const { return m_fetch.strFinalHeader; }
    // Body bytes received (before the NUL rule shortened the text).
    std::size_t GetPageByteCount() const { return m_fetch.nPageBytes; }
    std::size_t GetRobotsByteCount() const { return m_fetch.nRobotsBytes; }

private:
    void Run();
    void Join();

    unsigned m_nMessage = 0;
    PostCallback m_postCallback;
    AuthCallback m_authCallback;
    CFetchSettings m_settings;

    std::string m_strPageUrl;
    std::string m_strRobotsUrl;
    SPartnerFetch m_fetch; // the pair's results

    std::unique_ptr<CPageFetcher> m_pFetcher;
    std::thread m_worker;
    std::mutex m_postMutex; // orders the final post against destruction
    bool m_bDestroying = false;
    std::atomic<bool> m_bRunning{false}; // a pair was started and its post has not happened yet
};

} // namespace tessaray
