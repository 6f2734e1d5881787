#include "core/fetch/fetch_pool.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace tessaray {

CFetchPool::CFetchPool(CFetchSettings settings, AuthCallback auth, PostCallback post)
    : m_settings(std::move(settings)), m_auth(std::move(auth)), m_post(std::move(post)) {}

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
    fetcher.BeginBudget();
    SPartnerFetch done =
        FetchPartner(fetcher, order.strPageUrl, order.strRobotsUrl,
                     [&](const std::string& url) { return GetRobots(url, fetcher); });
    done.nId = order.nId;
    return done;
}

std::optional<SRobotsFetch> CFetchPool::GetRobots(const std::string& url, CPageFetcher& fetcher) {
    {
        std::unique_lock lock(m_mutex);
        const auto inserted = m_robots.try_emplace(url);
        if (!inserted.second) {
            const SRobots& entry = inserted.first->second;
            // Another partner of the site fetches it: wait for that, then start the own budget.
            m_changed.wait(lock, [&] { return m_bCancelled || entry.bDone; });
            if (m_bCancelled) {
                return std::nullopt;
            }
            SRobotsFetch shared = entry.fetched;
            lock.unlock();
            fetcher.BeginBudget();
            return shared;
        }
    }
    SRobotsFetch robots = FetchRobots(fetcher, url);
    {
        std::lock_guard lock(m_mutex);
        m_robots[url] = {true, robots};
    }
    m_changed.notify_all();
    return robots;
}

} // namespace tessaray
