#include "core/fetch/fetch_pool.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace tessaray {

CFetchPool::CFetchPool(CFetchSettings settings, AuthCallback auth, PostCallback post)
    : m_settings(std::move(settings)), m_auth(std::move(auth)), m_post(std::move(post)),
      m_pShare(std::make_shared<CConnectionShare>()) {}

CFetchPool::~CFetchPool() {
    Cancel();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
}

bool CFetchPool::Start(int nWorkers) {
    try {
        for (int i = 0; i < nWorkers; ++i) {
            m_workers.emplace_back(&CFetchPool::Work, this);
        }
    } catch (const std::system_error&) {
        Cancel();
        return false;
    }
    return true;
}

void CFetchPool::Submit(int nId, std::string pageUrl, std::string robotsUrl) {
    {
        std::lock_guard lock(m_mutex);
        m_orders.push_back({nId, std::move(pageUrl), std::move(robotsUrl)});
    }
    m_changed.notify_all();
}

std::vector<SPartnerFetch> CFetchPool::TakeDone() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_done, {});
}

void CFetchPool::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_bCancelled = true;
        m_orders.clear();
        for (CPageFetcher* fetcher : m_active) {
            fetcher->Cancel();
        }
    }
    m_changed.notify_all();
}

void CFetchPool::Work() {
    for (;;) {
        SOrder order;
        CPageFetcher fetcher(m_settings);
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_bCancelled || !m_orders.empty(); });
            if (m_bCancelled) {
                return;
            }
            order = std::move(m_orders.front());
            m_orders.pop_front();
            m_active.push_back(&fetcher);
        }
        fetcher.SetShare(m_pShare);
        if (m_auth) {
            fetcher.SetAuthCallback(
                [this](const SAuthChallenge& challenge, std::string& user, std::string& password) {
                    std::lock_guard prompt(m_authMutex);
                    return m_auth(challenge, user, password);
                });
        }
        SPartnerFetch done = Fetch(order, fetcher);
        {
            std::lock_guard lock(m_mutex);
            m_active.erase(std::find(m_active.begin(), m_active.end(), &fetcher));
            if (m_bCancelled) {
                return;
            }
            m_done.push_back(std::move(done));
            // Posting under the lock: once Cancel has run, no post can begin.
            if (m_post) {
                m_post();
            }
        }
    }
}

SPartnerFetch CFetchPool::Fetch(const SOrder& order, CPageFetcher& fetcher) {
    SPartnerFetch done;
    done.nId = order.nId;
    done.strUrl = order.strPageUrl;
    fetcher.BeginBudget();
    if (!order.strRobotsUrl.empty()) {
        SRobots robots;
        if (!GetRobots(order.strRobotsUrl, fetcher, robots)) {
            return done;
        }
        done.strRobots = std::move(robots.strText);
        done.nRobotsStatus = robots.nStatus;
    }

    std::string buffer;
    std::size_t byteCount = 0;
    done.nResult = fetcher.Fetch(order.strPageUrl, buffer, byteCount);
    done.strHeader = fetcher.GetHeader();
    done.nPageStatus = fetcher.GetStatus();
    done.nPageBytes = byteCount;
    done.ePageOutcome = fetcher.GetOutcome();
    done.strFinalUrl = fetcher.GetFinalUrl();
    done.strFinalHeader = fetcher.GetFinalHeader();
    if (done.nResult == kFetchOk && byteCount > 0) {
        done.strPage = std::move(buffer);
    }
    return done;
}

bool CFetchPool::GetRobots(const std::string& url, CPageFetcher& fetcher, SRobots& out) {
    {
        std::unique_lock lock(m_mutex);
        const auto inserted = m_robots.try_emplace(url);
        if (!inserted.second) {
            const SRobots& entry = inserted.first->second;
            // Another partner of the site fetches it: wait for that, then start the own budget.
            m_changed.wait(lock, [&] { return m_bCancelled || entry.bDone; });
            if (m_bCancelled) {
                return false;
            }
            out = entry;
            lock.unlock();
            fetcher.BeginBudget();
            return true;
        }
    }
    SRobots robots;
    std::string buffer;
    std::size_t byteCount = 0;
    const int result = fetcher.Fetch(url, buffer, byteCount, CPageFetcher::kRobotsRedirects);
    robots.nStatus = fetcher.GetStatus();
    if (result == kFetchOk && byteCount > 0) {
        robots.strText = std::move(buffer);
    }
    robots.bDone = true;
    {
        std::lock_guard lock(m_mutex);
        m_robots[url] = robots;
    }
    m_changed.notify_all();
    out = std::move(robots);
    return true;
}

} // namespace tessaray
