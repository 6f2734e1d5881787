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
    m_strUrl = pageUrl;
    m_strPageUrl = pageUrl;
    m_strRobotsUrl = robotsUrl;
    m_pFetcher = std::make_unique<CPageFetcher>(m_settings);
    m_pFetcher->SetAuthCallback(m_authCallback);
    m_nResult = 0;
    m_nPageStatus = 0;
    m_nRobotsStatus = 0;
    m_nPageBytes = 0;
    m_nRobotsBytes = 0;
    m_strRobotsText.clear();
    m_strHeader.clear();
    m_ePageOutcome = ETransferOutcome::Other;
    m_strFinalUrl.clear();
    m_strFinalHeader.clear();

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
    pageText = std::move(m_strPageText);
    robotsText = std::move(m_strRobotsText);
    m_strPageText.clear();
    m_strRobotsText.clear();
    m_pFetcher.reset();
}

void CFetchJob::Run() {
    m_strRobotsText.clear();
    m_strPageText.clear();
    std::string buffer;
    std::size_t byteCount = 0;

    if (!m_strRobotsUrl.empty()) {
        const int result =
            m_pFetcher->Fetch(m_strRobotsUrl, buffer, byteCount, CPageFetcher::kRobotsRedirects);
        m_nRobotsStatus = m_pFetcher->GetStatus();
        m_nRobotsBytes = byteCount;
        if (result == kFetchOk && byteCount > 0) {
            m_strRobotsText = std::move(buffer);
        }
    }

    const int result = m_pFetcher->Fetch(m_strPageUrl, buffer, byteCount);
    m_strHeader = m_pFetcher->GetHeader();
    m_nPageStatus = m_pFetcher->GetStatus();
    m_nPageBytes = byteCount;
    m_ePageOutcome = m_pFetcher->GetOutcome();
    m_strFinalUrl = m_pFetcher->GetFinalUrl();
    m_strFinalHeader = m_pFetcher->GetFinalHeader();
    if (result == kFetchOk && byteCount > 0) {
        m_strPageText = std::move(buffer);
    }
    m_nResult = result;

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
