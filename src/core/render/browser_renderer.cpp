#include "core/render/browser_renderer.h"

#include "core/project/url_rules.h"
#include "core/render/browser_process.h"
#include "core/render/devtools_pipe.h"
#include "core/render/read_links_script.h"
#include "core/util/url.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <deque>
#include <future>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tessaray {

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// A browser that leaves a command of its own (not a page's) unanswered this long is hung.
constexpr auto kBrowserAnswer = std::chrono::seconds(30);
// How long reading a loaded page may take; a page whose scripts keep it busy longer fails.
constexpr auto kReadTimeout = std::chrono::seconds(10);
// After the network has gone idle, so that what scripts do on a timer at load is done too (the
// browser's idle signal comes right when the last request ended).
constexpr auto kAfterIdle = std::chrono::milliseconds(1000);
// How many times a page's scripts may move it on to another document before it is read as it is.
constexpr int kMaxMoves = 5;
// The longest sleep of the engine; deadlines and wake-ups end it earlier.
constexpr auto kWaitLimit = std::chrono::milliseconds(1000);

std::string InSeconds(std::chrono::milliseconds time) {
    const auto tenths = time.count() / 100;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += "." + std::to_string(tenths % 10);
    }
    return text + " s";
}

// The switches of a browser that renders partner pages and nothing else: no window, no calls of
// its own to the vendor, no downloads, no throttling of the tabs in the background.
std::vector<std::string> BrowserArgs(const SRenderSettings& settings) {
    std::vector<std::string> args{
        "--headless",
        "--disable-gpu",
        "--disable-quic",
        "--no-first-run",
        "--no-default-browser-check",
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--disable-extensions",
        "--disable-default-apps",
        "--disable-breakpad",
        "--disable-crash-reporter",
        "--disable-domain-reliability",
        "--disable-client-side-phishing-detection",
        "--disable-background-timer-throttling",
        "--disable-backgrounding-occluded-windows",
        "--disable-renderer-backgrounding",
        "--disable-features=Translate,OptimizationHints,MediaRouter,InterestFeedContentSuggestions",
        "--metrics-recording-only",
        "--mute-audio",
        "--password-store=basic",
        "--use-mock-keychain",
        "--hide-scrollbars",
        "--window-size=1280,1024",
    };
    // Chromium refuses to run as root with its sandbox.
    if (::geteuid() == 0) {
        args.emplace_back("--no-sandbox");
    }
    if (!settings.strUserAgent.empty()) {
        args.push_back("--user-agent=" + settings.strUserAgent);
    }
    return args;
}

// The page as read by the script, the links kept by the core's own rule for links to the domain.
SRenderedPage ReadPage(const json& value, const std::string& domain) {
    SRenderedPage page;
    page.bRendered = true;
    page.strFinalUrl = value.value("url", std::string());
    const std::string base = value.value("base", page.strFinalUrl);
    if (const auto robots = value.find("robots"); robots != value.end() && robots->is_array()) {
        for (const json& content : *robots) {
            if (content.is_string()) {
                page.robotsMetas.push_back(content.get<std::string>());
            }
        }
    }
    const SDomainSite site = DomainSiteOf(domain);
    const auto links = value.find("links");
    if (links == value.end() || !links->is_array()) {
        return page;
    }
    for (const json& link : *links) {
        if (!link.is_object()) {
            continue;
        }
        // Resolved as the core resolves the links of the raw page, so the two compare; the
        // browser's own reading decides when ours finds no link to the domain.
        std::string url = ResolveUrl(base, link.value("raw", std::string()));
        if (!IsLinkToSite(url, site)) {
            url = link.value("href", std::string());
            if (!IsLinkToSite(url, site)) {
                continue;
            }
        }
        SRenderedLink rendered;
        rendered.strUrl = std::move(url);
        rendered.strText = link.value("text", std::string());
        rendered.strHidden = link.value("hidden", std::string());
        const std::string rel = link.value("rel", std::string());
        std::size_t at = 0;
        while ((at = rel.find_first_not_of(" \t\n\f\r", at)) != std::string::npos) {
            const std::size_t end = std::min(rel.find_first_of(" \t\n\f\r", at), rel.size());
            std::string token = rel.substr(at, end - at);
            std::transform(token.begin(), token.end(), token.begin(),
                           [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
            rendered.rel.push_back(std::move(token));
            at = end;
        }
        page.links.push_back(std::move(rendered));
    }
    return page;
}

SRenderedPage Failed(std::string error) {
    SRenderedPage page;
    page.strError = std::move(error);
    return page;
}

class CBrowserRenderer final : public IPageRenderer {
public:
    CBrowserRenderer(SRenderSettings settings, PostCallback post)
        : m_settings(std::move(settings)), m_post(std::move(post)) {}
    ~CBrowserRenderer() override { Cancel(); }
    CBrowserRenderer(const CBrowserRenderer&) = delete;
    CBrowserRenderer& operator=(const CBrowserRenderer&) = delete;

    bool Start(std::string& error);
    void Submit(int nId, std::string url, std::string domain) override;
    std::vector<std::pair<int, SRenderedPage>> TakeDone() override;
    void Cancel() override;

private:
    struct SOrder {
        int nId = 0;
        std::string strUrl;
        std::string strDomain;
        std::string strSite; // scheme, host and port
    };
    enum class EStep { Create, Attach, Load, Settle, World, Read };
    struct SPage {
        SOrder order;
        EStep eStep = EStep::Create;
        int nWaitFor = 0; // the command whose answer moves the page on
        std::string strTarget;
        std::string strSession;
        std::string strLoader;            // of the navigation, once the browser answered it
        std::set<std::string> earlyLoads; // loaders whose load came before that answer
        std::set<std::string> earlyIdles;
        bool bLoaded = false;
        bool bIdle = false;
        int nMoves = 0; // documents the page's scripts went on to
        Clock::time_point deadline = Clock::time_point::max();
    };

    void Run();
    void Wake();
    void Begin();
    void Dispatch(const json& message);
    void Answered(SPage& page, const json& message);
    void Lifecycle(SPage& page, const json& params);
    void Loaded(SPage& page);
    void ReadLinks(SPage& page);
    void Finish(SPage& page, SRenderedPage result);
    void Done(int nId, SRenderedPage result);
    int BrowserCall(const std::string& method, json params);
    void CheckDeadlines();
    void Die(const std::string& why);
    void Answer(const std::string& startError);

    SRenderSettings m_settings;
    PostCallback m_post;
    CBrowserProcess m_process;
    CDevToolsPipe m_pipe;
    int m_wakeFd = -1;
    std::promise<std::string> m_started;
    bool m_bAnswered = false; // m_started has its value

    std::mutex m_mutex; // guards the three below
    bool m_bCancelled = false;
    std::deque<SOrder> m_orders;
    std::vector<std::pair<int, SRenderedPage>> m_done;
    std::thread m_engine;

    // The engine thread's own.
    std::string m_strDead; // why the browser is gone; "" while it runs
    int m_nStartId = 0;
    std::deque<SOrder> m_waiting;
    std::list<SPage> m_pages;
    std::map<int, SPage*> m_answerTo;                // command id -> its page; nullptr: gone
    std::map<std::string, SPage*> m_sessions;        // session id -> page
    std::map<int, Clock::time_point> m_browserCalls; // unanswered commands of the browser's
    std::map<std::string, int> m_siteBusy;
};

bool CBrowserRenderer::Start(std::string& error) {
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wakeFd < 0) {
        error = "cannot create the renderer's wake-up event";
        return false;
    }
    std::string program = m_settings.strBrowser.empty() ? FindBrowser() : m_settings.strBrowser;
    if (program.empty()) {
        error = "no browser is installed (Chromium is looked for in /usr/bin, or name one in "
                "TESSARAY_BROWSER)";
        return false;
    }
    if (::access(program.c_str(), X_OK) != 0) {
        error = "the browser " + program + " is not there or cannot be run";
        return false;
    }
    if (!m_process.Start(program, BrowserArgs(m_settings), error)) {
        return false;
    }
    m_pipe.Attach(m_process.ReadFd(), m_process.WriteFd());
    m_nStartId = BrowserCall("Browser.getVersion", json::object());
    // Popups are announced so they can be closed; downloads are refused.
    BrowserCall("Target.setDiscoverTargets", {{"discover", true}});
    BrowserCall("Browser.setDownloadBehavior", {{"behavior", "deny"}});
    std::future<std::string> started = m_started.get_future();
    m_engine = std::thread([this] { Run(); });
    // The engine's own deadline for the browser's answers bounds this wait.
    error = started.get();
    return error.empty();
}

void CBrowserRenderer::Submit(int nId, std::string url, std::string domain) {
    {
        std::lock_guard lock(m_mutex);
        if (m_bCancelled) {
            return;
        }
        std::string site = UrlOrigin(url);
        m_orders.push_back({nId, std::move(url), std::move(domain), std::move(site)});
    }
    Wake();
}

std::vector<std::pair<int, SRenderedPage>> CBrowserRenderer::TakeDone() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_done, {});
}

void CBrowserRenderer::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_bCancelled = true;
        m_orders.clear();
    }
    Wake();
    if (m_engine.joinable() && m_engine.get_id() != std::this_thread::get_id()) {
        m_engine.join();
    }
    m_process.Kill();
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
}

void CBrowserRenderer::Wake() {
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }
}

void CBrowserRenderer::Run() {
    // A browser that dies makes a write fail with EPIPE instead of ending the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_bCancelled) {
                break;
            }
            for (SOrder& order : m_orders) {
                m_waiting.push_back(std::move(order));
            }
            m_orders.clear();
        }
        Begin();
        std::string error;
        if (m_strDead.empty() && !m_pipe.Write(error)) {
            Die(error);
        }
        auto next = Clock::now() + kWaitLimit;
        for (const SPage& page : m_pages) {
            next = std::min(next, page.deadline);
        }
        for (const auto& call : m_browserCalls) {
            next = std::min(next, call.second + kBrowserAnswer);
        }
        const auto wait =
            std::chrono::ceil<std::chrono::milliseconds>(std::max(next - Clock::now(), {}));
        std::vector<pollfd> fds{{m_wakeFd, POLLIN, 0}};
        if (m_strDead.empty()) {
            fds.push_back({m_process.ReadFd(), POLLIN, 0});
            if (m_pipe.WantsWrite()) {
                fds.push_back({m_process.WriteFd(), POLLOUT, 0});
            }
        }
        if (::poll(fds.data(), fds.size(), static_cast<int>(wait.count())) < 0 && errno != EINTR) {
            Die("the renderer cannot wait for the browser");
        }
        std::uint64_t wakes = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &wakes, sizeof wakes);
        if (m_strDead.empty() && fds[1].revents != 0) {
            std::vector<json> messages;
            const bool bOpen = m_pipe.Read(messages, error);
            for (const json& message : messages) {
                try {
                    Dispatch(message);
                } catch (const json::exception&) {
                    // A message of an unexpected shape is skipped; the deadlines end what
                    // waited for it.
                }
            }
            if (!bOpen && m_strDead.empty()) {
                Die(error);
            }
        }
        CheckDeadlines();
    }
    m_process.Kill();
    Answer("the renderer was cancelled before the browser answered");
}

void CBrowserRenderer::Answer(const std::string& startError) {
    if (!m_bAnswered) {
        m_bAnswered = true;
        m_started.set_value(startError);
    }
}

int CBrowserRenderer::BrowserCall(const std::string& method, json params) {
    const int nId = m_pipe.Send(method, std::move(params));
    m_browserCalls.emplace(nId, Clock::now());
    return nId;
}

void CBrowserRenderer::Begin() {
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (!m_strDead.empty() || it->strSite.empty()) {
            const int nId = it->nId;
            const bool bBadUrl = m_strDead.empty();
            it = m_waiting.erase(it);
            Done(nId, Failed(bBadUrl ? "only http and https pages are rendered" : m_strDead));
            continue;
        }
        if (static_cast<int>(m_pages.size()) >= std::max(1, m_settings.nParallel)) {
            return;
        }
        int& nBusy = m_siteBusy[it->strSite];
        if (nBusy >= std::max(1, m_settings.nPerSite)) {
            ++it;
            continue;
        }
        ++nBusy;
        SPage& page = m_pages.emplace_back();
        page.order = std::move(*it);
        it = m_waiting.erase(it);
        page.nWaitFor = BrowserCall("Target.createTarget", {{"url", "about:blank"}});
        m_answerTo[page.nWaitFor] = &page;
    }
}

void CBrowserRenderer::Dispatch(const json& message) {
    if (const auto id = message.find("id"); id != message.end() && id->is_number_integer()) {
        const int nId = id->get<int>();
        m_browserCalls.erase(nId);
        if (nId == m_nStartId) {
            Answer(message.contains("error") ? "the browser refused its first command" : "");
            return;
        }
        const auto waiting = m_answerTo.find(nId);
        if (waiting == m_answerTo.end()) {
            return;
        }
        SPage* pPage = waiting->second;
        m_answerTo.erase(waiting);
        if (pPage != nullptr && pPage->nWaitFor == nId) {
            Answered(*pPage, message);
        } else if (const json* result = message.contains("result") ? &message["result"] : nullptr;
                   result != nullptr && result->contains("targetId")) {
            // A tab made for a page that ended meanwhile.
            BrowserCall("Target.closeTarget", {{"targetId", (*result)["targetId"]}});
        }
        return;
    }
    const std::string method = message.value("method", std::string());
    const json params = message.value("params", json::object());
    const std::string session = message.value("sessionId", std::string());
    if (session.empty()) {
        if (method == "Target.targetCreated") {
            // A popup a page opened: closed at once.
            const json info = params.value("targetInfo", json::object());
            if (info.value("type", std::string()) == "page" &&
                !info.value("openerId", std::string()).empty()) {
                BrowserCall("Target.closeTarget", {{"targetId", info.value("targetId", "")}});
            }
        } else if (method == "Target.detachedFromTarget") {
            if (const auto it = m_sessions.find(params.value("sessionId", std::string()));
                it != m_sessions.end()) {
                Finish(*it->second, Failed("the browser closed the page's tab"));
            }
        }
        return;
    }
    const auto it = m_sessions.find(session);
    if (it == m_sessions.end()) {
        return;
    }
    SPage& page = *it->second;
    if (method == "Page.lifecycleEvent") {
        Lifecycle(page, params);
    } else if (method == "Page.javascriptDialogOpening") {
        m_pipe.Send("Page.handleJavaScriptDialog", {{"accept", false}}, page.strSession);
    } else if (method == "Inspector.targetCrashed") {
        Finish(page, Failed("the browser's tab crashed while showing the page"));
    }
}

void CBrowserRenderer::Answered(SPage& page, const json& message) {
    const json result = message.value("result", json::object());
    if (message.contains("error")) {
        const std::string why = message["error"].value("message", std::string("an error"));
        Finish(page, Failed(page.eStep >= EStep::World ? "reading the page failed: " + why
                                                       : "the browser refused the page: " + why));
        return;
    }
    switch (page.eStep) {
    case EStep::Create:
        page.strTarget = result.value("targetId", std::string());
        page.eStep = EStep::Attach;
        page.nWaitFor =
            BrowserCall("Target.attachToTarget", {{"targetId", page.strTarget}, {"flatten", true}});
        m_answerTo[page.nWaitFor] = &page;
        return;
    case EStep::Attach:
        page.strSession = result.value("sessionId", std::string());
        m_sessions[page.strSession] = &page;
        page.eStep = EStep::Load;
        m_pipe.Send("Page.enable", json::object(), page.strSession);
        m_pipe.Send("Page.setLifecycleEventsEnabled", {{"enabled", true}}, page.strSession);
        page.nWaitFor = m_pipe.Send("Page.navigate", {{"url", page.order.strUrl}}, page.strSession);
        m_answerTo[page.nWaitFor] = &page;
        page.deadline = Clock::now() + m_settings.loadTimeout;
        return;
    case EStep::Load:
        if (const std::string error = result.value("errorText", std::string()); !error.empty()) {
            Finish(page, Failed("the browser could not load the page: " + error));
            return;
        }
        page.strLoader = result.value("loaderId", std::string());
        page.bIdle = page.earlyIdles.count(page.strLoader) != 0;
        if (page.earlyLoads.count(page.strLoader) != 0) {
            Loaded(page);
        }
        return;
    case EStep::Settle:
        return;
    case EStep::World: {
        // The script runs in a world of its own: it sees the page's document, but none of the
        // page's scripts can change the functions it calls and so what it reports.
        page.eStep = EStep::Read;
        // Only anchors that may go to the domain are looked at in the page (a superset of the
        // core's rule, which then decides), so a page of many links stays cheap to read.
        const std::string hint = DomainSiteOf(page.order.strDomain).strSite;
        const std::string expression =
            std::string("(") + kReadLinksScript + ")(" +
            json(hint).dump(-1, ' ', false, json::error_handler_t::replace) + ")";
        page.nWaitFor = m_pipe.Send("Runtime.evaluate",
                                    {{"expression", expression},
                                     {"contextId", result.value("executionContextId", 0)},
                                     {"returnByValue", true}},
                                    page.strSession);
        m_answerTo[page.nWaitFor] = &page;
        return;
    }
    case EStep::Read: {
        if (const auto details = result.find("exceptionDetails"); details != result.end()) {
            std::string why = details->value("text", std::string("an exception"));
            if (const auto exception = details->find("exception"); exception != details->end()) {
                why += " " + exception->value("description", std::string());
            }
            Finish(page, Failed("reading the page failed: " + why));
            return;
        }
        const json value = result.value("result", json::object()).value("value", json::object());
        if (!value.is_object()) {
            Finish(page, Failed("reading the page gave no answer"));
            return;
        }
        SRenderedPage rendered;
        try {
            rendered = ReadPage(value, page.order.strDomain);
        } catch (const json::exception&) {
            rendered = Failed("reading the page gave an answer that cannot be read");
        }
        Finish(page, std::move(rendered));
        return;
    }
    }
}

void CBrowserRenderer::Lifecycle(SPage& page, const json& params) {
    if (params.value("frameId", std::string()) != page.strTarget || page.eStep < EStep::Load) {
        return;
    }
    const std::string name = params.value("name", std::string());
    const std::string loader = params.value("loaderId", std::string());
    if (name == "init" && !page.strLoader.empty() && loader != page.strLoader &&
        page.nMoves < kMaxMoves) {
        // The page's script (or a refresh) went on to another document: that one is read, once
        // it has loaded, within the load time-out again.
        ++page.nMoves;
        page.strLoader = loader;
        page.bLoaded = false;
        page.bIdle = false;
        page.eStep = EStep::Load;
        page.nWaitFor = 0;
        page.deadline = Clock::now() + m_settings.loadTimeout;
        return;
    }
    if (page.eStep > EStep::Settle) {
        return;
    }
    if (page.strLoader.empty()) {
        // Before the browser answered the navigation: kept until its loader is known.
        if (name == "load") {
            page.earlyLoads.insert(loader);
        } else if (name == "networkIdle") {
            page.earlyIdles.insert(loader);
        }
        return;
    }
    if (loader != page.strLoader) {
        return;
    }
    if (name == "load" && !page.bLoaded) {
        Loaded(page);
    } else if (name == "networkIdle") {
        page.bIdle = true;
        if (page.bLoaded) {
            page.deadline = std::min(page.deadline, Clock::now() + kAfterIdle);
        }
    }
}

void CBrowserRenderer::Loaded(SPage& page) {
    page.bLoaded = true;
    page.eStep = EStep::Settle;
    const auto now = Clock::now();
    page.deadline =
        now + (page.bIdle ? std::min<std::chrono::milliseconds>(m_settings.budget, kAfterIdle)
                          : m_settings.budget);
}

void CBrowserRenderer::ReadLinks(SPage& page) {
    page.eStep = EStep::World;
    page.deadline = Clock::now() + kReadTimeout;
    page.nWaitFor =
        m_pipe.Send("Page.createIsolatedWorld",
                    {{"frameId", page.strTarget}, {"worldName", "tessaray"}}, page.strSession);
    m_answerTo[page.nWaitFor] = &page;
}

void CBrowserRenderer::Finish(SPage& page, SRenderedPage result) {
    for (auto& answer : m_answerTo) {
        if (answer.second == &page) {
            answer.second = nullptr;
        }
    }
    m_sessions.erase(page.strSession);
    if (!page.strTarget.empty() && m_strDead.empty()) {
        BrowserCall("Target.closeTarget", {{"targetId", page.strTarget}});
    }
    --m_siteBusy[page.order.strSite];
    const int nId = page.order.nId;
    m_pages.remove_if([&page](const SPage& each) { return &each == &page; });
    Done(nId, std::move(result));
}

void CBrowserRenderer::Done(int nId, SRenderedPage result) {
    {
        std::lock_guard lock(m_mutex);
        if (m_bCancelled) {
            return;
        }
        m_done.emplace_back(nId, std::move(result));
    }
    if (m_post) {
        m_post();
    }
}

void CBrowserRenderer::CheckDeadlines() {
    const auto now = Clock::now();
    for (const auto& call : m_browserCalls) {
        if (now - call.second >= kBrowserAnswer) {
            Die("the browser stopped answering");
            return;
        }
    }
    for (auto it = m_pages.begin(); it != m_pages.end();) {
        SPage& page = *it++; // Finish removes the page
        if (page.deadline > now) {
            continue;
        }
        switch (page.eStep) {
        case EStep::Settle:
            ReadLinks(page); // the network is idle, or the budget is spent: read what is there
            break;
        case EStep::World:
        case EStep::Read:
            Finish(page, Failed("the page did not answer within " + InSeconds(kReadTimeout) +
                                " after loading (its scripts kept it busy)"));
            break;
        default:
            Finish(page, Failed("the page did not finish loading within " +
                                InSeconds(m_settings.loadTimeout)));
            break;
        }
    }
}

void CBrowserRenderer::Die(const std::string& why) {
    const std::string tail = m_process.ErrorTail();
    const std::string ended = m_process.Kill();
    m_strDead = why + (ended.empty() ? "" : " (" + ended + ")");
    Answer(tail.empty() ? m_strDead : m_strDead + ": " + tail);
    m_answerTo.clear();
    m_sessions.clear();
    m_browserCalls.clear();
    while (!m_pages.empty()) {
        const int nId = m_pages.front().order.nId;
        m_pages.pop_front();
        Done(nId, Failed(m_strDead));
    }
    m_siteBusy.clear();
}

} // namespace

std::unique_ptr<IPageRenderer> StartBrowserRenderer(SRenderSettings settings,
                                                    IPageRenderer::PostCallback post,
                                                    std::string& error) {
    auto pRenderer = std::make_unique<CBrowserRenderer>(std::move(settings), std::move(post));
    if (!pRenderer->Start(error)) {
        return nullptr;
    }
    return pRenderer;
}

RendererFactory BrowserRendererFactory(SRenderSettings settings) {
    return [settings = std::move(settings)](IPageRenderer::PostCallback post, std::string& error) {
        return StartBrowserRenderer(settings, std::move(post), error);
    };
}

} // namespace tessaray
