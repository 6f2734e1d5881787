#include "core/fetch/fetch_job.h"
#include "core/util/posted_messages.h"

#include "http_test_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace tessaray {
namespace {

using namespace std::chrono_literals;
using test::HttpTestServer;
using test::RawTestServer;

// Collects the post callback's calls, as the owner's thread would receive them.
class PostBox {
public:
    CFetchJob::PostCallback Callback() {
        return [this](unsigned message, int result) {
            std::lock_guard lock(m_mutex);
            m_posts.push_back({message, result});
            m_changed.notify_all();
        };
    }
    // Waits (bounded) until count posts arrived; true when they did.
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 30s, [&] { return m_posts.size() >= count; });
    }
    std::vector<std::pair<unsigned, int>> Posts() {
        std::lock_guard lock(m_mutex);
        return m_posts;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<unsigned, int>> m_posts;
};

class FetchJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server.Server().Get(
            "/robots.txt", [this](const httplib::Request&, httplib::Response& response) {
                ++m_nRobotsRequests;
                response.set_content("User-agent: *\nDisallow: /private\n", "text/plain");
            });
        m_server.Server().Get(
            "/page.html", [](const httplib::Request&, httplib::Response& response) {
                response.set_header("X-Test", "yes");
                response.set_content("<a href=\"http://me.test/\">me</a>", "text/html");
            });
        m_server.Start();
        m_job.SetMessage(WM_PAGE_DONE);
        m_job.SetPostCallback(m_posts.Callback());
        CFetchSettings settings;
        settings.m_lowSpeedTime = 2s;
        m_job.SetSettings(settings);
    }

    // Runs one fetch pair up to its post and takes the texts over.
    void RunPair(const std::string& pageUrl, const std::string& robotsUrl) {
        const std::size_t before = m_posts.Posts().size();
        ASSERT_TRUE(m_job.Start(pageUrl, robotsUrl));
        ASSERT_TRUE(m_posts.WaitFor(before + 1));
        m_job.TakeResults(m_strPage, m_strRobots);
    }

    HttpTestServer m_server;
    std::atomic<int> m_nRobotsRequests{0};
    std::string m_strPage;
    std::string m_strRobots;
    PostBox m_posts;
    CFetchJob m_job;
};

TEST_F(FetchJobTest, FetchesRobotsThenPageAndPostsOnce) {
    ASSERT_NO_FATAL_FAILURE(RunPair(m_server.Url("/page.html"), m_server.Url("/robots.txt")));

    EXPECT_EQ(m_posts.Posts(), (std::vector<std::pair<unsigned, int>>{{WM_PAGE_DONE, 0}}));
    EXPECT_EQ(m_job.GetResult(), kFetchOk);
    EXPECT_EQ(m_job.GetUrl(), m_server.Url("/page.html"));
    EXPECT_EQ(m_strPage, "<a href=\"http://me.test/\">me</a>");
    EXPECT_EQ(m_strRobots, "User-agent: *\nDisallow: /private\n");
    EXPECT_EQ(m_job.GetPageStatus(), 200);
    EXPECT_EQ(m_job.GetRobotsStatus(), 200);
    EXPECT_EQ(m_job.GetPageByteCount(), m_strPage.size());
    EXPECT_NE(m_job.GetHeader().find("X-Test: yes\r\n"), std::string::npos);

    // The texts were moved out.
    m_job.TakeResults(m_strPage, m_strRobots);
    EXPECT_EQ(m_strPage, "");
    EXPECT_EQ(m_strRobots, "");
}

TEST_F(FetchJobTest, EmptyRobotsUrlSkipsTheRobotsFetch) {
    ASSERT_NO_FATAL_FAILURE(RunPair(m_server.Url("/page.html"), ""));
    EXPECT_EQ(m_nRobotsRequests, 0);
    EXPECT_EQ(m_job.GetRobotsStatus(), 0);
    EXPECT_EQ(m_strRobots, "");
    EXPECT_EQ(m_job.GetPageStatus(), 200);
}

TEST_F(FetchJobTest, MissingRobotsAndMissingPage) {
    ASSERT_NO_FATAL_FAILURE(RunPair(m_server.Url("/page.html"), m_server.Url("/none/robots.txt")));
    EXPECT_EQ(m_job.GetRobotsStatus(), 404);
    EXPECT_EQ(m_strRobots, "");
    EXPECT_EQ(m_job.GetPageStatus(), 200);
    EXPECT_FALSE(m_strPage.empty());

    // The same job runs the next pair; its out fields start afresh.
    ASSERT_NO_FATAL_FAILURE(RunPair(m_server.Url("/gone.html"), m_server.Url("/robots.txt")));
    EXPECT_EQ(m_posts.Posts().back(), (std::pair<unsigned, int>{WM_PAGE_DONE, kFetchNotFound}));
    EXPECT_EQ(m_job.GetResult(), kFetchNotFound);
    EXPECT_EQ(m_job.GetPageStatus(), 404);
    EXPECT_EQ(m_job.GetRobotsStatus(), 200);
    EXPECT_EQ(m_strPage, "");
    EXPECT_FALSE(m_strRobots.empty());
}

TEST_F(FetchJobTest, StartRefusesWithoutMessageOrWhileRunning) {
    CFetchJob idle;
    EXPECT_FALSE(idle.Start(m_server.Url("/page.html"), ""));

    RawTestServer mute(
        [](RawTestServer::Connection& connection) { connection.WaitUntilStopped(); });
    ASSERT_TRUE(m_job.Start(mute.Url(), ""));
    EXPECT_FALSE(m_job.Start(m_server.Url("/page.html"), ""));
}

TEST_F(FetchJobTest, AuthenticationCallbackReachesTheFetcher) {
    HttpTestServer locked;
    locked.Server().Get("/", [](const httplib::Request& request, httplib::Response& response) {
        if (request.has_header("Authorization")) {
            response.set_content("open", "text/plain");
            return;
        }
        response.status = 401;
        response.set_header("WWW-Authenticate", "Basic realm=\"r\"");
    });
    locked.Start();
    m_job.SetAuthCallback([](const SAuthChallenge&, std::string& user, std::string& password) {
        user = "u";
        password = "p";
        return true;
    });
    ASSERT_NO_FATAL_FAILURE(RunPair(locked.Url(), ""));
    EXPECT_EQ(m_strPage, "open");
}

TEST(FetchJobShutdownTest, DestroyingARunningJobCancelsItsTransfer) {
    // The body trickles for about 30 s. A job that cancels on destruction closes the connection
    // while the server is still sending; one that waited for the transfer would let it finish.
    enum EOutcome { Sending, ClientLeft, AllSent };
    auto outcome = std::make_shared<std::atomic<int>>(Sending);
    RawTestServer slow([outcome](RawTestServer::Connection& connection) {
        connection.ReadRequest();
        connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        // A trickle, fast enough never to trip the low-speed limit.
        for (int i = 0; i < 600 && !connection.IsStopping(); ++i) {
            if (!connection.Send("x")) {
                *outcome = ClientLeft;
                return;
            }
            std::this_thread::sleep_for(50ms);
        }
        *outcome = AllSent;
    });
    auto posts = std::make_shared<std::atomic<int>>(0);
    auto job = std::make_unique<CFetchJob>();
    job->SetMessage(WM_PAGE_DONE);
    job->SetPostCallback([posts](unsigned, int) { ++*posts; });
    ASSERT_TRUE(job->Start(slow.Url("/page"), slow.Url("/robots.txt")));

    // Bounds on the waits below only stop a hang; they measure nothing.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (slow.ConnectionCount() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_EQ(slow.ConnectionCount(), 1);
    std::this_thread::sleep_for(200ms); // inside the robots body now

    job.reset();
    const auto sessionDeadline = std::chrono::steady_clock::now() + 10s;
    while (*outcome == Sending && std::chrono::steady_clock::now() < sessionDeadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(*outcome, ClientLeft);
    EXPECT_EQ(*posts, 0);
    EXPECT_EQ(slow.ConnectionCount(), 1); // the page fetch never started
}

} // namespace
} // namespace tessaray
