#include "core/fetch/fetch_pool.h"

#include "http_test_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessaray {
namespace {

using namespace std::chrono_literals;
using test::HttpTestServer;
using test::RawTestServer;

CFetchSettings TestSettings() {
    CFetchSettings settings;
    settings.m_connectTimeout = 5s;
    settings.m_lowSpeedTime = 30s;
    settings.m_totalTimeout = 30s;
    return settings;
}

// A pool whose posts are counted; the fetches taken are kept (with their memory leases) until
// the test drops them.
class PoolUnderTest {
public:
    explicit PoolUnderTest(const CFetchSettings& settings, AuthCallback auth = {}, int nPerHost = 8)
        : m_pool(settings, std::move(auth), [this] {
              std::lock_guard lock(m_mutex);
              ++m_nPosts;
              m_changed.notify_all();
          }) {
        EXPECT_TRUE(m_pool.Start(64, nPerHost));
    }

    CFetchPool& Pool() { return m_pool; }
    // Waits (bounded) until the partners ids are all fetched; true when they are.
    bool WaitFor(const std::vector<int>& ids, std::chrono::seconds limit = 20s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const int nPosts = Posts();
            for (SPartnerFetch& done : m_pool.TakeDone()) {
                m_fetched.emplace(done.nId, std::move(done));
            }
            if (std::all_of(ids.begin(), ids.end(),
                            [&](int id) { return m_fetched.contains(id); })) {
                return true;
            }
            std::unique_lock lock(m_mutex);
            if (!m_changed.wait_until(lock, deadline, [&] { return m_nPosts != nPosts; })) {
                return false;
            }
        }
    }
    std::map<int, SPartnerFetch>& Fetched() { return m_fetched; }
    int Posts() {
        std::lock_guard lock(m_mutex);
        return m_nPosts;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_nPosts = 0;
    CFetchPool m_pool;
    std::map<int, SPartnerFetch> m_fetched;
};

// A log-in prompt that stays open until the test answers it.
class HeldPrompt {
public:
    AuthCallback Callback() {
        return [this](const SAuthChallenge&, std::string& user, std::string& password) {
            std::unique_lock lock(m_mutex);
            m_bAsked = true;
            m_changed.notify_all();
            m_changed.wait_for(lock, 30s, [this] { return m_bAnswered; });
            user = "user";
            password = "secret";
            return true;
        };
    }
    bool WaitUntilAsked() {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 20s, [this] { return m_bAsked; });
    }
    void Answer() {
        std::lock_guard lock(m_mutex);
        m_bAnswered = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bAsked = false;
    bool m_bAnswered = false;
};

class FetchPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server.Server().Get(
            "/robots.txt", [this](const httplib::Request&, httplib::Response& response) {
                ++m_nRobotsRequests;
                response.set_content("User-agent: *\nDisallow: /private\n", "text/plain");
            });
        m_server.Server().Get("/page", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<a href=\"http://me.test/\">me</a>", "text/html");
        });
        m_server.Server().Get(
            "/big", [](const httplib::Request& request, httplib::Response& response) {
                response.set_content(std::string(kBigBody, request.get_param_value("c").at(0)),
                                     "text/html");
            });
        m_server.Server().Get(
            "/members", [](const httplib::Request& request, httplib::Response& response) {
                if (request.get_header_value("Authorization") == "Basic dXNlcjpzZWNyZXQ=") {
                    response.set_content("welcome", "text/html");
                    return;
                }
                response.status = 401;
                response.set_header("WWW-Authenticate", "Basic realm=\"Members\"");
            });
        m_server.Start();
    }

    static constexpr std::size_t kBigBody = 300'000;
    HttpTestServer m_server;
    std::atomic<int> m_nRobotsRequests{0};
    // Answers nothing until the test ends.
    RawTestServer m_silent{[](RawTestServer::Connection& connection) {
        connection.ReadRequest();
        connection.WaitUntilStopped();
    }};
};

TEST_F(FetchPoolTest, SilentPartnersDoNotHoldTheOthersBack) {
    PoolUnderTest pool(TestSettings());
    std::vector<int> fast;
    for (int id = 0; id < 24; ++id) {
        if (id % 3 == 0) {
            pool.Pool().Submit(id, m_silent.Url("/hang"), {});
        } else {
            pool.Pool().Submit(id, m_server.Url("/page"), {});
            fast.push_back(id);
        }
    }
    // Well within the silent partners' 30 s budget.
    ASSERT_TRUE(pool.WaitFor(fast));
    EXPECT_EQ(pool.Fetched().size(), fast.size());
    EXPECT_EQ(pool.Fetched().at(1).nPageStatus, 200);
}

TEST_F(FetchPoolTest, BodiesBeyondTheMemoryBudgetAllArriveWholeWhileTheirMemoryIsHeld) {
    CFetchSettings settings = TestSettings();
    settings.m_nBodyBudget = 100'000; // a third of one body
    PoolUnderTest pool(settings);
    std::vector<int> ids;
    for (int id = 0; id < 6; ++id) {
        pool.Pool().Submit(id, m_server.Url("/big?c=") + static_cast<char>('a' + id), {});
        ids.push_back(id);
    }
    // Nothing taken is dropped: one transfer at a time goes on past the budget.
    ASSERT_TRUE(pool.WaitFor(ids));
    for (int id : ids) {
        const SPartnerFetch& done = pool.Fetched().at(id);
        EXPECT_EQ(done.ePageOutcome, ETransferOutcome::Complete) << id;
        EXPECT_EQ(done.strPage, std::string(kBigBody, static_cast<char>('a' + id))) << id;
    }
}

TEST_F(FetchPoolTest, RedirectTargetsCountAgainstTheirHostsLimitWithoutSpendingTheWait) {
    std::atomic<int> nAtTarget{0};
    std::atomic<int> nMostAtTarget{0};
    HttpTestServer target;
    target.Server().Get("/page", [&](const httplib::Request&, httplib::Response& response) {
        const int now = ++nAtTarget;
        int most = nMostAtTarget;
        while (now > most && !nMostAtTarget.compare_exchange_weak(most, now)) {
        }
        std::this_thread::sleep_for(300ms);
        --nAtTarget;
        response.set_content("target", "text/html");
    });
    target.Start();
    HttpTestServer otherSite;
    for (HttpTestServer* site : {&m_server, &otherSite}) {
        site->Server().Get("/moved", [&](const httplib::Request&, httplib::Response& response) {
            response.set_redirect(target.Url("/page"));
        });
    }
    otherSite.Start();

    // Six turns of 300 ms at the target, one at a time: the waiting for a turn is not counted.
    CFetchSettings settings = TestSettings();
    settings.m_totalTimeout = 1s;
    PoolUnderTest pool(settings, {}, 1);
    std::vector<int> ids;
    for (int id = 0; id < 6; ++id) {
        pool.Pool().Submit(id, (id % 2 == 0 ? m_server : otherSite).Url("/moved"), {});
        ids.push_back(id);
    }
    ASSERT_TRUE(pool.WaitFor(ids));
    for (int id : ids) {
        EXPECT_EQ(pool.Fetched().at(id).strPage, "target") << id;
    }
    EXPECT_EQ(nMostAtTarget, 1);
}

TEST_F(FetchPoolTest, OthersCompleteWhileALogInPromptIsOpen) {
    HeldPrompt prompt;
    CFetchSettings settings = TestSettings();
    settings.m_totalTimeout = 1s;
    PoolUnderTest pool(settings, prompt.Callback());
    pool.Pool().Submit(0, m_server.Url("/members"), {});
    ASSERT_TRUE(prompt.WaitUntilAsked());
    const auto asked = std::chrono::steady_clock::now();
    pool.Pool().Submit(1, m_server.Url("/page"), m_server.Url("/robots.txt"));
    pool.Pool().Submit(2, m_server.Url("/page"), m_server.Url("/robots.txt"));
    EXPECT_TRUE(pool.WaitFor({1, 2}));
    EXPECT_FALSE(pool.Fetched().contains(0));
    // The user's time is not counted against the partner's budget.
    std::this_thread::sleep_until(asked + 1200ms);
    prompt.Answer();
    ASSERT_TRUE(pool.WaitFor({0}));
    EXPECT_EQ(pool.Fetched().at(0).strPage, "welcome");
    // The site's robots.txt once, for both partners.
    EXPECT_EQ(m_nRobotsRequests, 1);
    EXPECT_EQ(pool.Fetched().at(2).strRobots, "User-agent: *\nDisallow: /private\n");
}

TEST_F(FetchPoolTest, CancelEndsAtOnceWhileAPromptIsOpenOrATransferPaused) {
    // Headers and the start of a long body, then silence: this transfer keeps going past the
    // budget, the other big bodies wait for memory.
    RawTestServer stalled([](RawTestServer::Connection& connection) {
        connection.ReadRequest();
        connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n" +
                        std::string(50'000, 's'));
        connection.WaitUntilStopped();
    });
    HeldPrompt prompt;
    CFetchSettings settings = TestSettings();
    settings.m_nBodyBudget = 1;
    auto pool = std::make_unique<PoolUnderTest>(settings, prompt.Callback());
    pool->Pool().Submit(0, m_server.Url("/members"), {});
    ASSERT_TRUE(prompt.WaitUntilAsked());
    pool->Pool().Submit(1, stalled.Url("/"), {});
    pool->Pool().Submit(2, m_server.Url("/big?c=x"), {});
    pool->Pool().Submit(3, m_server.Url("/big?c=y"), {});
    pool->Pool().Submit(4, m_silent.Url("/hang"), {});
    std::this_thread::sleep_for(200ms);
    pool->Pool().Cancel();
    prompt.Answer(); // a prompt cannot be taken back: the prompt thread ends once it is answered
    auto destroyed = std::async(std::launch::async, [&] { pool.reset(); });
    // Well within the transfers' 30 s budget.
    EXPECT_EQ(destroyed.wait_for(10s), std::future_status::ready);
    destroyed.wait();
    EXPECT_GE(stalled.ConnectionCount(), 1);
}

} // namespace
} // namespace tessaray
