#include "core/fetch/fetch_pool.h"

#include "core/fetch/body_budget.h"
#include "core/fetch/curl_handle.h"
#include "core/fetch/fetch_task.h"
#include "core/util/url.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <system_error>
#include <utility>

namespace tessaray {

struct CFetchPool::CEngine {
    // One fetch in progress: a partner's page or a site's robots.txt.
    struct SFetch {
        std::unique_ptr<CFetchTask> pTask;
        CCurlEasy easy; // while a transfer runs
        bool bRobots = false;
        bool bSecondView = false;              // a page fetch with the second user agent
        const SRobotsFetch* pRobots = nullptr; // of its site, for the page fetch after it
        std::string strRobotsUrl;              // of a robots.txt fetch
        SPartnerFetch partner;                 // of a page fetch: what is known so far
        std::size_t nHeld = 0;                 // budget bytes its body has taken
        std::string strHost;                   // the origin of the running or waiting request
        std::chrono::steady_clock::time_point waitingSince; // for a connection to its host
    };
    struct SSite {
        bool bDone = false;
        SRobotsFetch robots;
        std::vector<SOrder> waiting; // the partners that wait for the robots.txt
    };

    explicit CEngine(CFetchPool& pool) : m_pool(pool), m_multi(curl_multi_init()) {}
    ~CEngine();
    CEngine(const CEngine&) = delete;
    CEngine& operator=(const CEngine&) = delete;

    void Run();
    // Begins the delayed orders that are due; the milliseconds until the next one is (at most
    // kWaitLimitMs).
    int BeginDue();
    void Begin(SOrder order);
    void StartPage(SOrder order, const SRobotsFetch* pRobots,
                   std::chrono::steady_clock::time_point deadline);
    SFetch& Add(std::unique_ptr<SFetch> pFetch);
    // Carries out what the task asks for next.
    void Go(SFetch& fetch, CFetchTask::EStep step);
    // Adds the set-up transfer to the multi handle.
    void Launch(SFetch& fetch);
    void Transferred(SFetch& fetch, CURLcode code);
    void Answered(const SPrompt& prompt);
    void Finished(SFetch& fetch);
    bool Gate(SFetch& fetch, std::size_t nBytes);
    void ResumePaused();
    CCurlEasy TakeEasy();
    void GiveEasy(SFetch& fetch);

    CFetchPool& m_pool;
    CCurlMulti m_multi;
    std::vector<CCurlEasy> m_idle; // easy handles kept for reuse
    std::map<SFetch*, std::unique_ptr<SFetch>> m_fetches;
    std::map<std::string, SSite> m_sites;                                   // by robots.txt URL
    std::multimap<std::chrono::steady_clock::time_point, SOrder> m_delayed; // by due time
    std::vector<SFetch*> m_paused;  // waiting for body memory
    SFetch* m_pRunner = nullptr;    // the one transfer that goes on past the budget
    std::uint64_t m_nResumedAt = 0; // the budget's generation at the last resume
    // Transfers per host: at most m_nPerHost run, the others wait their turn without spending
    // their partner's budget.
    int m_nPerHost = 1;
    std::map<std::string, int> m_hostBusy;
    std::map<std::string, std::deque<SFetch*>> m_hostWaiting;
};

struct CFetchPool::SPrompt {
    CEngine::SFetch* pFetch = nullptr; // the fetch that asks
    SAuthChallenge challenge;
    bool bAnswered = false;
    std::string strUser;
    std::string strPassword;
};

namespace {
// The longest wait without any event; libcurl's own time-outs and wake-ups end it earlier.
constexpr int kWaitLimitMs = 60'000;
// Idle connections kept for reuse, of all sites together (libcurl keeps only a few by default).
constexpr long kIdleConnections = 256;
} // namespace

CFetchPool::CEngine::~CEngine() {
    for (auto& entry : m_fetches) {
        if (entry.second->easy) {
            curl_multi_remove_handle(m_multi.Get(), entry.second->easy.Get());
        }
    }
}

void CFetchPool::CEngine::Run() {
    for (;;) {
        std::deque<SOrder> orders;
        std::vector<std::shared_ptr<SPrompt>> answers;
        {
            std::lock_guard lock(m_pool.m_mutex);
            if (m_pool.m_bCancelled) {
                return;
            }
            orders.swap(m_pool.m_orders);
            answers.swap(m_pool.m_answers);
        }
        const auto now = std::chrono::steady_clock::now();
        for (SOrder& order : orders) {
            if (order.notBefore > now) {
                m_delayed.emplace(order.notBefore, std::move(order));
            } else {
                Begin(std::move(order));
            }
        }
        const int nWaitMs = BeginDue();
        for (const std::shared_ptr<SPrompt>& answer : answers) {
            Answered(*answer);
        }
        int running = 0;
        curl_multi_perform(m_multi.Get(), &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(m_multi.Get(), &queued)) {
            if (message->msg != CURLMSG_DONE) {
                continue;
            }
            CURL* easy = message->easy_handle;
            const CURLcode code = message->data.result;
            void* fetch = nullptr;
            curl_easy_getinfo(easy, CURLINFO_PRIVATE, &fetch);
            Transferred(*static_cast<SFetch*>(fetch), code);
        }
        // After the transfers that ended: a runner among them leaves the paused ones waiting.
        ResumePaused();
        curl_multi_poll(m_multi.Get(), nullptr, 0, nWaitMs, nullptr);
    }
}

int CFetchPool::CEngine::BeginDue() {
    const auto now = std::chrono::steady_clock::now();
    while (!m_delayed.empty() && m_delayed.begin()->first <= now) {
        SOrder order = std::move(m_delayed.begin()->second);
        m_delayed.erase(m_delayed.begin());
        Begin(std::move(order));
    }
    if (m_delayed.empty()) {
        return kWaitLimitMs;
    }
    // Rounded up, so the wake-up does not come a moment too early and spin.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(m_delayed.begin()->first - now);
    return static_cast<int>(std::min<std::int64_t>(wait.count(), kWaitLimitMs));
}

void CFetchPool::CEngine::Begin(SOrder order) {
    const auto now = std::chrono::steady_clock::now();
    const auto deadline = now + m_pool.m_settings.m_totalTimeout;
    if (order.strRobotsUrl.empty()) {
        StartPage(std::move(order), nullptr, deadline);
        return;
    }
    auto [it, bNew] = m_sites.try_emplace(order.strRobotsUrl);
    SSite& site = it->second;
    if (site.bDone) {
        StartPage(std::move(order), &site.robots, deadline);
        return;
    }
    site.waiting.push_back(std::move(order));
    if (!bNew) {
        return; // another partner of the site fetches it; the budget starts when it is there
    }
    auto pFetch = std::make_unique<SFetch>();
    pFetch->bRobots = true;
    pFetch->strRobotsUrl = it->first;
    pFetch->pTask = std::make_unique<CFetchTask>(
        m_pool.m_settings, it->first, CPageFetcher::kRobotsRedirects,
        std::min(CPageFetcher::kRobotsBodyCap, m_pool.m_settings.m_nBodyCap), deadline);
    SFetch& fetch = Add(std::move(pFetch));
    Go(fetch, fetch.pTask->Start(fetch.easy.Get()));
}

void CFetchPool::CEngine::StartPage(SOrder order, const SRobotsFetch* pRobots,
                                    std::chrono::steady_clock::time_point deadline) {
    auto pFetch = std::make_unique<SFetch>();
    SPartnerFetch& partner = pFetch->partner;
    partner.nId = order.nId;
    partner.strUrl = order.strPageUrl;
    partner.secondView = std::move(order.secondView);
    if (pRobots != nullptr) {
        partner.strRobots = pRobots->strText;
        partner.nRobotsStatus = pRobots->nStatus;
        partner.nRobotsBytes = pRobots->nBytes;
    }
    pFetch->bSecondView = order.bSecondView;
    pFetch->pRobots = pRobots;
    CFetchSettings settings = m_pool.m_settings;
    if (order.bSecondView) {
        settings.m_strUserAgent = m_pool.m_strSecondAgent;
    }
    pFetch->pTask = std::make_unique<CFetchTask>(settings, std::move(order.strPageUrl), 1,
                                                 m_pool.m_settings.m_nBodyCap, deadline);
    SFetch& fetch = Add(std::move(pFetch));
    fetch.pTask->SetBodyGate([this, &fetch](std::size_t nBytes) { return Gate(fetch, nBytes); });
    Go(fetch, fetch.pTask->Start(fetch.easy.Get()));
}

CFetchPool::CEngine::SFetch& CFetchPool::CEngine::Add(std::unique_ptr<SFetch> pFetch) {
    SFetch& fetch = *pFetch;
    m_fetches.emplace(&fetch, std::move(pFetch));
    fetch.easy = TakeEasy();
    return fetch;
}

void CFetchPool::CEngine::Go(SFetch& fetch, CFetchTask::EStep step) {
    switch (step) {
    case CFetchTask::EStep::Transfer: {
        fetch.strHost = UrlOrigin(fetch.pTask->GetRequestUrl());
        int& nBusy = m_hostBusy[fetch.strHost];
        if (nBusy >= m_nPerHost) {
            fetch.waitingSince = std::chrono::steady_clock::now();
            m_hostWaiting[fetch.strHost].push_back(&fetch);
            return;
        }
        ++nBusy;
        Launch(fetch);
        return;
    }
    case CFetchTask::EStep::Prompt: {
        GiveEasy(fetch);
        if (!m_pool.m_auth) {
            Go(fetch, fetch.pTask->Answer(false, {}, {}, nullptr));
            return;
        }
        auto pPrompt = std::make_shared<SPrompt>();
        pPrompt->pFetch = &fetch;
        pPrompt->challenge = fetch.pTask->GetChallenge();
        {
            std::lock_guard lock(m_pool.m_mutex);
            m_pool.m_prompts.push_back(std::move(pPrompt));
        }
        m_pool.m_promptChanged.notify_one();
        return;
    }
    case CFetchTask::EStep::Done:
        GiveEasy(fetch);
        Finished(fetch);
        return;
    }
}

void CFetchPool::CEngine::Launch(SFetch& fetch) {
    curl_easy_setopt(fetch.easy.Get(), CURLOPT_PRIVATE, &fetch);
    if (curl_multi_add_handle(m_multi.Get(), fetch.easy.Get()) != CURLM_OK) {
        Transferred(fetch, CURLE_FAILED_INIT);
    }
}

void CFetchPool::CEngine::Transferred(SFetch& fetch, CURLcode code) {
    curl_multi_remove_handle(m_multi.Get(), fetch.easy.Get());
    std::erase(m_paused, &fetch);
    if (m_pRunner == &fetch) {
        m_pRunner = nullptr;
    }
    // The host's next waiting transfer takes the place.
    const auto waiting = m_hostWaiting.find(fetch.strHost);
    if (waiting == m_hostWaiting.end()) {
        if (--m_hostBusy[fetch.strHost] == 0) {
            m_hostBusy.erase(fetch.strHost);
        }
    } else {
        SFetch& next = *waiting->second.front();
        waiting->second.pop_front();
        if (waiting->second.empty()) {
            m_hostWaiting.erase(waiting);
        }
        next.pTask->Postpone(std::chrono::steady_clock::now() - next.waitingSince, next.easy.Get());
        Launch(next);
    }
    Go(fetch, fetch.pTask->Finish(code, fetch.easy.Get()));
}

void CFetchPool::CEngine::Answered(const SPrompt& prompt) {
    const auto it = m_fetches.find(prompt.pFetch);
    if (it == m_fetches.end()) {
        return;
    }
    SFetch& fetch = *it->second;
    fetch.easy = TakeEasy();
    Go(fetch,
       fetch.pTask->Answer(prompt.bAnswered, prompt.strUser, prompt.strPassword, fetch.easy.Get()));
}

void CFetchPool::CEngine::Finished(SFetch& fetch) {
    CFetchTask& task = *fetch.pTask;
    const std::unique_ptr<SFetch> pOwned = std::move(m_fetches.at(&fetch));
    m_fetches.erase(&fetch);
    if (fetch.bRobots) {
        SSite& site = m_sites[fetch.strRobotsUrl];
        site.robots = RobotsOf(task.GetResult(), task.GetStatus(), task.GetOutcome(),
                               task.TakeBody(), task.GetByteCount());
        site.bDone = true;
        std::vector<SOrder> waiting = std::move(site.waiting);
        // The partner that fetched it goes on within its own budget; the others start theirs.
        const auto now = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            StartPage(std::move(waiting[i]), &site.robots,
                      i == 0 ? task.GetDeadline() : now + m_pool.m_settings.m_totalTimeout);
        }
        return;
    }
    SPartnerFetch done = std::move(fetch.partner);
    TakePage(done, task, task.GetResult(), task.GetByteCount(), task.TakeBody());
    if (fetch.bSecondView) {
        // Read and dropped before the page itself is fetched, which then has a budget of its own.
        SOrder page;
        page.nId = done.nId;
        page.strPageUrl = done.strUrl;
        if (done.nPageStatus == 200 && !IsBrokenTransfer(done.ePageOutcome)) {
            page.secondView = m_pool.m_secondDigest(std::move(done));
        }
        m_pool.m_pBudget->Give(fetch.nHeld);
        StartPage(std::move(page), fetch.pRobots,
                  std::chrono::steady_clock::now() + m_pool.m_settings.m_totalTimeout);
        return;
    }
    // The memory of a body not kept (a failed fetch, an interim response) goes back at once.
    const std::size_t nKept = std::min(fetch.nHeld, done.strPage.capacity());
    if (fetch.nHeld > nKept) {
        m_pool.m_pBudget->Give(fetch.nHeld - nKept);
    }
    done.bodyLease = CBodyLease(m_pool.m_pBudget, nKept);
    std::lock_guard lock(m_pool.m_mutex);
    if (m_pool.m_bCancelled) {
        return;
    }
    m_pool.m_done.push_back(std::move(done));
    // Posting under the lock: once Cancel has run, no post can begin.
    if (m_pool.m_post) {
        m_pool.m_post();
    }
}

bool CFetchPool::CEngine::Gate(SFetch& fetch, std::size_t nBytes) {
    CBodyBudget& budget = *m_pool.m_pBudget;
    // One transfer always goes on past the budget: the memory it waits for may be held by pages
    // that the run evaluates only after this one.
    const bool bRunner = m_pRunner == nullptr || m_pRunner == &fetch;
    if (!budget.Take(nBytes, false)) {
        if (!bRunner) {
            m_paused.push_back(&fetch);
            return false;
        }
        m_pRunner = &fetch;
        budget.Take(nBytes, true);
    }
    fetch.nHeld += nBytes;
    return true;
}

void CFetchPool::CEngine::ResumePaused() {
    const std::uint64_t nGeneration = m_pool.m_pBudget->Generation();
    if (m_paused.empty() || (m_pRunner != nullptr && nGeneration == m_nResumedAt)) {
        return;
    }
    m_nResumedAt = nGeneration;
    std::vector<SFetch*> paused = std::exchange(m_paused, {});
    // The run evaluates in partner order: the earliest partner gets the memory first.
    std::sort(paused.begin(), paused.end(),
              [](const SFetch* a, const SFetch* b) { return a->partner.nId < b->partner.nId; });
    for (SFetch* fetch : paused) {
        // May hand over the held-back bytes at once, and pause again.
        curl_easy_pause(fetch->easy.Get(), CURLPAUSE_CONT);
    }
}

CCurlEasy CFetchPool::CEngine::TakeEasy() {
    if (m_idle.empty()) {
        return CCurlEasy(curl_easy_init());
    }
    CCurlEasy easy = std::move(m_idle.back());
    m_idle.pop_back();
    return easy;
}

void CFetchPool::CEngine::GiveEasy(SFetch& fetch) {
    if (fetch.easy) {
        m_idle.push_back(std::move(fetch.easy));
    }
}

CFetchPool::CFetchPool(CFetchSettings settings, AuthCallback auth, PostCallback post)
    : m_settings(std::move(settings)), m_auth(std::move(auth)), m_post(std::move(post)),
      m_pBudget(std::make_shared<CBodyBudget>(m_settings.m_nBodyBudget)) {
    EnsureCurlInitialised();
}

CFetchPool::~CFetchPool() {
    Cancel();
    if (m_engine.joinable()) {
        m_engine.join();
    }
    if (m_prompter.joinable()) {
        m_prompter.join(); // after an open prompt is answered
    }
    m_pBudget->SetWake({});
    m_pEngine.reset();
}

bool CFetchPool::Start(int nParallel, int nPerHost) {
    m_pEngine = std::make_unique<CEngine>(*this);
    CURLM* multi = m_pEngine->m_multi.Get();
    if (multi == nullptr) {
        return false;
    }
    // Per host, as the run limits per site, so that a redirect to another host counts there too.
    // The engine keeps to it itself (a waiting transfer's time is not counted), libcurl as well.
    m_pEngine->m_nPerHost = std::max(1, nPerHost);
    curl_multi_setopt(multi, CURLMOPT_MAX_HOST_CONNECTIONS, static_cast<long>(nPerHost));
    curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS,
                      std::max(kIdleConnections, 2L * static_cast<long>(nParallel)));
    m_pBudget->SetWake([this] { Wake(); });
    try {
        m_engine = std::thread(&CEngine::Run, m_pEngine.get());
        if (m_auth) {
            m_prompter = std::thread(&CFetchPool::Prompt, this);
        }
    } catch (const std::system_error&) {
        Cancel();
        return false;
    }
    return true;
}

void CFetchPool::SetSecondView(std::string userAgent, BodyDigest digest) {
    m_strSecondAgent = std::move(userAgent);
    m_secondDigest = std::move(digest);
}

void CFetchPool::Submit(int nId, std::string pageUrl, std::string robotsUrl,
                        std::chrono::milliseconds delay) {
    bool bWasEmpty = false;
    {
        std::lock_guard lock(m_mutex);
        bWasEmpty = m_orders.empty();
        SOrder& order = m_orders.emplace_back();
        order.nId = nId;
        order.strPageUrl = std::move(pageUrl);
        order.strRobotsUrl = std::move(robotsUrl);
        order.notBefore = std::chrono::steady_clock::now() + delay;
        order.bSecondView = static_cast<bool>(m_secondDigest);
    }
    if (bWasEmpty) { // otherwise the engine has not yet taken the earlier ones and will see it
        Wake();
    }
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
        m_prompts.clear();
    }
    m_promptChanged.notify_all();
    Wake();
}

void CFetchPool::Wake() {
    if (m_pEngine && m_pEngine->m_multi) {
        curl_multi_wakeup(m_pEngine->m_multi.Get());
    }
}

void CFetchPool::Prompt() {
    for (;;) {
        std::shared_ptr<SPrompt> pPrompt;
        {
            std::unique_lock lock(m_mutex);
            m_promptChanged.wait(lock, [this] { return m_bCancelled || !m_prompts.empty(); });
            if (m_bCancelled) {
                return;
            }
            pPrompt = std::move(m_prompts.front());
            m_prompts.pop_front();
        }
        pPrompt->bAnswered = m_auth(pPrompt->challenge, pPrompt->strUser, pPrompt->strPassword);
        {
            std::lock_guard lock(m_mutex);
            if (m_bCancelled) {
                return;
            }
            m_answers.push_back(std::move(pPrompt));
        }
        Wake();
    }
}

} // namespace tessaray
