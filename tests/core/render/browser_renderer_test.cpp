#include "core/render/browser_renderer.h"

#include "http_test_server.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace tessaray {
namespace {

using namespace std::chrono_literals;
using test::HttpTestServer;

constexpr const char* kDomain = "http://mysite.test";

// A renderer whose finished pages are collected as they are posted.
class Rendering {
public:
    explicit Rendering(SRenderSettings settings) {
        m_pRenderer = StartBrowserRenderer(
            std::move(settings),
            [this] {
                std::lock_guard lock(m_mutex);
                ++m_nPosts;
                m_changed.notify_all();
            },
            m_strError);
    }
    IPageRenderer* operator->() { return m_pRenderer.get(); }
    explicit operator bool() const { return m_pRenderer != nullptr; }
    const std::string& Error() const { return m_strError; }

    // Waits (bounded) for the pages ids; those that came.
    std::map<int, SRenderedPage> WaitFor(const std::vector<int>& ids,
                                         std::chrono::seconds limit = 60s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        std::map<int, SRenderedPage> pages;
        for (;;) {
            int nPosts = 0;
            {
                std::lock_guard lock(m_mutex);
                nPosts = m_nPosts;
            }
            for (auto& [nId, page] : m_pRenderer->TakeDone()) {
                pages[nId] = std::move(page);
            }
            if (pages.size() >= ids.size()) {
                return pages;
            }
            std::unique_lock lock(m_mutex);
            if (!m_changed.wait_until(lock, deadline, [&] { return m_nPosts != nPosts; })) {
                return pages;
            }
        }
    }

private:
    std::unique_ptr<IPageRenderer> m_pRenderer;
    std::string m_strError;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_nPosts = 0;
};

// The processes whose command line names folder (the browser and its helpers).
std::vector<pid_t> ProcessesOf(const std::string& folder) {
    std::vector<pid_t> pids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string cmdline((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        if (cmdline.find(folder) != std::string::npos) {
            pids.push_back(std::stoi(name));
        }
    }
    return pids;
}

// One browser and one local site for the suite: pages made of a body, a page that keeps the
// network busy, one that never finishes loading, and slow pages that count how many load at once.
class BrowserRendererTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The browser's profile folders land here, so the tests can find its processes.
        s_pTemp = new test::TempDir;
        if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir != nullptr) {
            s_strTmpdir = tmpdir;
        }
        ::setenv("TMPDIR", s_pTemp->Path().c_str(), 1);
        s_pServer = new HttpTestServer;
        httplib::Server& server = s_pServer->Server();
        // The browser keeps connections open, each holding a thread of the server.
        server.new_task_queue = [] { return new httplib::ThreadPool(64); };
        server.Get(R"(/page/(\d+))", [](const httplib::Request& request, httplib::Response& res) {
            std::lock_guard lock(s_mutex);
            s_userAgents.insert(request.get_header_value("User-Agent"));
            res.set_content(s_bodies.at(std::stoi(request.matches[1])), "text/html");
        });
        server.Get("/ping", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("1", "text/plain");
        });
        server.Get("/hang", [](const httplib::Request&, httplib::Response& res) {
            for (int n = 0; n < 400 && !s_bStopping; ++n) {
                std::this_thread::sleep_for(50ms);
            }
            res.set_content("", "image/gif");
        });
        server.Get(R"(/slow/(\d+))", [](const httplib::Request& request, httplib::Response& res) {
            const std::string host = request.get_header_value("Host");
            int nNow = 0;
            {
                std::lock_guard lock(s_mutex);
                nNow = ++s_slowBusy[host];
                s_slowMost[host] = std::max(s_slowMost[host], nNow);
                s_slowMostAll = std::max(s_slowMostAll, ++s_slowAll);
            }
            std::this_thread::sleep_for(800ms);
            {
                std::lock_guard lock(s_mutex);
                --s_slowBusy[host];
                --s_slowAll;
            }
            res.set_content("<a href='http://mysite.test/" + request.matches[1].str() + "'>x</a>",
                            "text/html");
        });
        s_pServer->Start();
        if (!FindBrowser().empty()) {
            SRenderSettings settings;
            settings.budget = 3s;
            settings.loadTimeout = 6s;
            settings.nPerSite = 4;
            settings.strUserAgent = "TessarayTest/1";
            s_pRendering = new Rendering(settings);
        }
    }
    static void TearDownTestSuite() {
        s_bStopping = true;
        delete s_pRendering;
        delete s_pServer;
        delete s_pTemp;
        if (s_strTmpdir) {
            ::setenv("TMPDIR", s_strTmpdir->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        s_pRendering = nullptr;
        s_pServer = nullptr;
        s_pTemp = nullptr;
    }
    void SetUp() override {
        if (FindBrowser().empty()) {
            GTEST_SKIP() << "no browser installed (scripts/install-deps.sh installs Chromium)";
        }
        ASSERT_TRUE(*s_pRendering) << s_pRendering->Error();
    }

    // A page with body; its URL.
    static std::string Page(const std::string& body) {
        std::lock_guard lock(s_mutex);
        s_bodies.push_back("<!doctype html><html><head><meta charset='utf-8'></head><body>" + body +
                           "</body></html>");
        return s_pServer->Url("/page/" + std::to_string(s_bodies.size() - 1));
    }

    static inline test::TempDir* s_pTemp = nullptr;
    static inline std::optional<std::string> s_strTmpdir;
    static inline HttpTestServer* s_pServer = nullptr;
    static inline Rendering* s_pRendering = nullptr;
    static inline std::atomic<bool> s_bStopping{false};
    static inline std::set<std::string> s_userAgents;
    static inline std::vector<std::string> s_bodies;
    static inline std::mutex s_mutex; // guards the pages and what the server saw
    static inline std::map<std::string, int> s_slowBusy;
    static inline std::map<std::string, int> s_slowMost;
    static inline int s_slowAll = 0;
    static inline int s_slowMostAll = 0;
};

TEST_F(BrowserRendererTest, NamesHowEachLinkIsHiddenAndKeepsWhatCanBeOpened) {
    struct SCase {
        const char* name;
        std::string body;
        std::string strHidden;
    };
    const std::string link = "href='http://mysite.test/'";
    const std::vector<SCase> cases{
        {"visible", "<a " + link + ">My Site</a>", ""},
        {"image with alt text", "<a " + link + "><img alt='M' width='88' height='31'></a>", ""},
        {"stylesheet class",
         "<style>.gone{display:none}</style><p class='gone'><a " + link + ">My Site</a></p>",
         "display-none"},
        {"visibility", "<a style='visibility:hidden' " + link + ">My Site</a>",
         "visibility-hidden"},
        {"opacity", "<div style='opacity:0'><a " + link + ">My Site</a></div>", "opacity-zero"},
        {"zero box",
         "<a style='display:block;width:0;height:0;overflow:hidden' " + link + ">My Site</a>",
         "zero-size"},
        {"far left", "<a style='position:absolute;left:-9999px' " + link + ">My Site</a>",
         "off-screen"},
        {"indented out",
         "<a style='display:block;width:200px;text-indent:-9999px;overflow:hidden' " + link +
             ">My Site</a>",
         "off-screen"},
        {"clipped", "<a style='position:absolute;clip:rect(0,0,0,0)' " + link + ">My Site</a>",
         "off-screen"},
        {"font 0", "<a style='font-size:0' " + link + ">My Site</a>", "tiny-font"},
        {"font 1px", "<a style='font-size:1px' " + link + ">My Site</a>", "tiny-font"},
        {"white on white",
         "<div style='background:#fff'><a style='color:#fff' " + link + ">My Site</a></div>",
         "same-colour"},
        {"nearly the background",
         "<body style='background:#123'><a style='color:#124' " + link + ">My Site</a>",
         "same-colour"},
        {"white on a dark panel behind",
         "<div style='position:relative;height:80px'><div "
         "style='position:absolute;inset:0;background:#000'></div><a style='position:relative;"
         "color:#fff' " +
             link + ">My Site</a></div>",
         ""},
        {"one character", "<a " + link + ">.</a>", "one-character"},
        {"closed details", "<details><summary>More</summary><a " + link + ">My Site</a></details>",
         ""},
        {"menu behind its button",
         "<button aria-expanded='false' aria-controls='m'>Menu</button>"
         "<ul id='m' style='display:none'><li><a " +
             link + ">My Site</a></li></ul>",
         ""},
        {"tab panel", "<div role='tabpanel' hidden><a " + link + ">My Site</a></div>", ""},
    };
    std::vector<int> ids;
    for (std::size_t n = 0; n < cases.size(); ++n) {
        (*s_pRendering)->Submit(static_cast<int>(n), Page(cases[n].body), kDomain);
        ids.push_back(static_cast<int>(n));
    }
    const auto pages = s_pRendering->WaitFor(ids);
    for (std::size_t n = 0; n < cases.size(); ++n) {
        SCOPED_TRACE(cases[n].name);
        ASSERT_TRUE(pages.contains(static_cast<int>(n)));
        const SRenderedPage& page = pages.at(static_cast<int>(n));
        ASSERT_TRUE(page.bRendered) << page.strError;
        ASSERT_EQ(page.links.size(), 1U);
        EXPECT_EQ(page.links[0].strHidden, cases[n].strHidden);
    }
}

TEST_F(BrowserRendererTest, ReadsTheLinksAndRobotsMetasAfterTheScriptsRan) {
    const std::string url = Page(
        "<a href='http://other.test/'>Other</a>"
        "<a href='//WWW.mysite.test/p' rel='Sponsored  nofollow'> My \n Site </a>"
        "<div id='late'></div><script>"
        "addEventListener('load', () => setTimeout(() => {"
        "  document.getElementById('late').innerHTML = \"<a href='http://mysite.test/s'>Made</a>\";"
        "  const m = document.createElement('meta'); m.name = 'googlebot'; m.content = 'noindex';"
        "  document.head.appendChild(m); }, 200));</script>");
    (*s_pRendering)->Submit(7, url, kDomain);
    const auto pages = s_pRendering->WaitFor({7});
    ASSERT_TRUE(pages.contains(7));
    const SRenderedPage& page = pages.at(7);
    ASSERT_TRUE(page.bRendered) << page.strError;
    EXPECT_EQ(page.strFinalUrl, url);
    ASSERT_EQ(page.links.size(), 2U);
    EXPECT_EQ(page.links[0].strUrl, "http://WWW.mysite.test/p");
    EXPECT_EQ(page.links[0].strText, "My Site");
    EXPECT_EQ(page.links[0].rel, (std::vector<std::string>{"sponsored", "nofollow"}));
    EXPECT_EQ(page.links[1].strUrl, "http://mysite.test/s");
    EXPECT_EQ(page.links[1].strText, "Made");
    EXPECT_EQ(page.robotsMetas, std::vector<std::string>{"noindex"});
    std::lock_guard lock(s_mutex);
    EXPECT_EQ(s_userAgents, std::set<std::string>{"TessarayTest/1"});
}

TEST_F(BrowserRendererTest, BusyPagesEndAtTheBudgetAndPagesThatNeverLoadFail) {
    (*s_pRendering)
        ->Submit(1,
                 Page("<a href='http://mysite.test/'>x</a><script>"
                      "alert('a dialog is dismissed');"
                      "setInterval(() => fetch('/ping?' + Math.random()), 100)"
                      "</script>"),
                 kDomain);
    (*s_pRendering)
        ->Submit(2, Page("<img src='/hang'><a href='http://mysite.test/'>x</a>"), kDomain);
    (*s_pRendering)->Submit(3, "file:///etc/passwd", kDomain);
    (*s_pRendering)
        ->Submit(4, "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/", kDomain);
    const auto pages = s_pRendering->WaitFor({1, 2, 3, 4});
    ASSERT_EQ(pages.size(), 4U);
    EXPECT_TRUE(pages.at(1).bRendered) << pages.at(1).strError;
    EXPECT_EQ(pages.at(1).links.size(), 1U);
    EXPECT_FALSE(pages.at(2).bRendered);
    EXPECT_EQ(pages.at(2).strError, "the page did not finish loading within 6 s");
    EXPECT_EQ(pages.at(3).strError, "only http and https pages are rendered");
    EXPECT_NE(pages.at(4).strError.find("ERR_CONNECTION_REFUSED"), std::string::npos)
        << pages.at(4).strError;
}

TEST_F(BrowserRendererTest, LoadsPagesInParallelWithinTheLimitPerSite) {
    const std::string hosts[] = {"127.0.0.1", "localhost"};
    std::vector<int> ids;
    for (int n = 0; n < 12; ++n) {
        const std::string url = "http://" + hosts[n % 2] + ":" + std::to_string(s_pServer->Port()) +
                                "/slow/" + std::to_string(n);
        (*s_pRendering)->Submit(100 + n, url, kDomain);
        ids.push_back(100 + n);
    }
    const auto pages = s_pRendering->WaitFor(ids);
    for (int nId : ids) {
        ASSERT_TRUE(pages.contains(nId));
        EXPECT_TRUE(pages.at(nId).bRendered) << pages.at(nId).strError;
    }
    std::lock_guard lock(s_mutex);
    for (const auto& [host, nMost] : s_slowMost) {
        EXPECT_LE(nMost, 4) << host;
    }
    EXPECT_GE(s_slowMostAll, 5);
}

TEST_F(BrowserRendererTest, ABrowserThatDiesFailsItsPagesAndCancelLeavesNoProcess) {
    for (const bool bKill : {true, false}) {
        SCOPED_TRACE(bKill ? "killed" : "cancelled");
        std::set<std::string> before;
        for (const auto& entry : std::filesystem::directory_iterator(s_pTemp->Path())) {
            before.insert(entry.path());
        }
        SRenderSettings settings;
        settings.loadTimeout = 30s;
        Rendering rendering(settings);
        ASSERT_TRUE(rendering) << rendering.Error();
        std::string profile;
        for (const auto& entry : std::filesystem::directory_iterator(s_pTemp->Path())) {
            if (!before.contains(entry.path()) &&
                entry.path().filename().string().starts_with("tessaray-browser-")) {
                profile = entry.path();
            }
        }
        ASSERT_FALSE(profile.empty());
        rendering->Submit(1, Page("<img src='/hang'>"), kDomain);
        std::this_thread::sleep_for(1s);
        ASSERT_FALSE(ProcessesOf(profile).empty());
        if (bKill) {
            for (pid_t pid : ProcessesOf(profile)) {
                ::kill(pid, SIGKILL);
            }
            const auto pages = rendering.WaitFor({1}, 20s);
            ASSERT_TRUE(pages.contains(1));
            EXPECT_NE(pages.at(1).strError.find("the browser"), std::string::npos)
                << pages.at(1).strError;
        }
        const auto start = std::chrono::steady_clock::now();
        rendering->Cancel();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
        EXPECT_TRUE(ProcessesOf(profile).empty());
        EXPECT_FALSE(std::filesystem::exists(profile));
    }
}

TEST(BrowserRendererStart, SaysWhenTheBrowserIsNotThereOrEndsAtOnce) {
    const std::pair<std::string, std::string> cases[] = {
        {"/nonexistent/chromium",
         "the browser /nonexistent/chromium is not there or cannot be run"},
        {"/bin/false", "the browser closed its connection"},
    };
    for (const auto& [browser, start] : cases) {
        SRenderSettings settings;
        settings.strBrowser = browser;
        std::string error;
        EXPECT_EQ(StartBrowserRenderer(settings, {}, error), nullptr);
        EXPECT_EQ(error.substr(0, start.size()), start) << error;
    }
}

} // namespace
} // namespace tessaray
