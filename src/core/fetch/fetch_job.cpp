#include "core/fetch/fetch_job.h"

#include <system_error>

namespace tessaray {

CFetchJob::~CFetchJob() {
    {
        std::lock_guard lock(m_postMutex);
        m_bDestroying = true;
        if (m_pFetcher) {
            m_pFetcher->Cancel();
        }
    }
    Join();
}

bool CFetchJob::Start(const std::string& pageUrl, const std::string& robotsUrl) {
    if (m_nMessage == 0 || m_bRunning) {
        return false;
    }
    Join(); // the previous worker has posted and is about to end
    m_strPageUrl = pageUrl;
    m_strRobotsUrl = robotsUrl;
    m_pFetcher = std::make_unique<CPageFetcher>(m_settings);
    m_pFetcher->SetAuthCallback(m_authCallback);
    m_fetch = {};

    m_bRunning = true;
    try {
        m_worker = std::thread(&CFetchJob::Run, this);
    } catch (const std::system_error&) {
        m_bRunning = false;
        m_pFetcher.reset();
        return false;
    }
    return true;
}

void CFetchJob::TakeResults(std::string& pageText, std::string& robotsText) {
    Join();
    pageText = std::move(m_fetch.strPage);
    robotsText = std::move(m_fetch.strRobots);
    m_fetch.strPage.clear();
    m_fetch.strRobots.clear();
    m_pFetcher.reset();
}

void CFetchJob::Run() {
    m_fetch = FetchPartner(*m_pFetcher, m_strPageUrl, m_strRobotsUrl);
    const int result = m_fetch.nResult;
    // Posting under the lock: once the destructor has set m_bDestroying, no post can begin.
    std::lock_guard lock(m_postMutex);
    m_bRunning = false;
    if (!m_bDestroying && m_postCallback) {
        m_postCallback(m_nMessage, result);
    }
}

void CFetchJob::Join() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

} // namespace tessaray
