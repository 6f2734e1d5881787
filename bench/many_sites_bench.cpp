// The analysis of many partners on many sites through tessaray-cli, against a local server that
// plays every site with a set latency, and the same fetches by curl's parallel mode beside it.
//
// One cpp-httplib server listens on 127.0.0.1; the partner pages are
// http://siteNN.localhost:PORT/…, which libcurl resolves to the loopback without any resolver
// set-up (curl is told so with --resolve), and the server tells the sites apart by their Host
// header. It counts the requests in flight per site and in all and keeps the highest counts seen.
//
//   many_sites_bench [--partners 1000] [--sites 50] [--latency-ms 100] [--compare N]
//                    [--silent K] [--silent-budget-s 30] [--links-per-page L] [--endless]
//                    [--no-curl] [--rss-cap-mb 4096] [--cli-args "…"] [--cli PATH] [--curl PATH]
//
// Analyses --partners partners spread over --sites sites (each page answers after --latency-ms,
// robots.txt too) and prints the time, the CPU time and context switches of the program per
// partner, its peak resident memory and the highest counts in flight; then curl fetches the same
// robots.txt files and pages with the same window and the ratios are printed. The last line,
// "figures: name=value …", is for scripts.
//
// --silent K: K pages, spread evenly among the partners, never answer (the server holds the
// request past the client's budget); the run without them comes first, and the bound printed is
// the silent pages' own budget (--silent-budget-s, the fetch's low-speed time-out) plus 1.2 times
// that run. --links-per-page L: every page holds L links to the user's domain. --endless: every
// robots.txt and every page streams without end. The program is stopped when its resident memory
// passes --rss-cap-mb. --compare N: the first N partners of a varied web (slow, 404, 500, a closed
// connection, redirects on the same and to another site, a hanging page, a missing and a nofollow
// link) are analysed with --parallel 1, with the defaults and with --parallel 64 --per-site 8;
// CSV, HTML and JSON reports and the output log, with dates and times masked, must be identical.
#include "bench/bench_folder.h"
#include "core/history/history_db.h"
#include "core/project/project.h"
#include "core/run/analysis_run.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tessaray;
using Clock = std::chrono::steady_clock;

// The user's domain, and the address the partner pages link to.
constexpr const char* kDomain = "http://shop.example";
constexpr const char* kShop = "http://shop.example/";

struct SOptions {
    int nPartners = 1000;
    int nSites = 50;
    int nLatencyMs = 100;
    int nCompare = 0;
    int nSilent = 0;
    // The budget of a page that never answers: the fetch's low-speed time-out (nothing arrives
    // for 30 s); the command line has no option to shorten it.
    int nSilentBudgetS = 30;
    long nLinksPerPage = 0;
    bool bEndless = false;
    bool bCurl = true;
    long nRssCapMb = 4096;
    std::string strCliArgs;
    std::string strCli = TESSARAY_BIN_DIR "/tessaray-cli";
    std::string strCurl = "curl";
};

// A highest-value-seen counter of requests in flight.
class CInFlight {
public:
    void Enter() {
        const int now = ++m_nNow;
        int seen = m_nMax.load();
        while (now > seen && !m_nMax.compare_exchange_weak(seen, now)) {
        }
    }
    void Leave() { --m_nNow; }
    int Max() const { return m_nMax.load(); }
    void Reset() { m_nMax = 0; }

private:
    std::atomic<int> m_nNow{0};
    std::atomic<int> m_nMax{0};
};

// Counts a request in flight for as long as it lives.
class CInFlightScope {
public:
    CInFlightScope(CInFlight* site, CInFlight& all) : m_site(site), m_all(all) {
        m_site->Enter();
        m_all.Enter();
    }
    ~CInFlightScope() {
        m_all.Leave();
        m_site->Leave();
    }
    CInFlightScope(const CInFlightScope&) = delete;
    CInFlightScope& operator=(const CInFlightScope&) = delete;

private:
    CInFlight* m_site;
    CInFlight& m_all;
};

// Raises the backlog of the socket listening on 127.0.0.1:port to 1,024. The server accepts on one
// thread, and Debian's cpp-httplib library listens with a backlog of 5: a burst of connections (a
// window of 64 opening at once) overflows it, and each dropped SYN is sent again only after the
// kernel's one-second retransmission time-out, which the benchmark would measure as the client's
// stall. On Linux listen() on a listening socket sets its backlog anew.
bool WidenBacklog(int port) {
    for (int fd = 0; fd < 1024; ++fd) {
        int listening = 0;
        socklen_t size = sizeof listening;
        sockaddr_in address{};
        socklen_t addressSize = sizeof address;
        if (::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) == 0 && listening != 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &addressSize) == 0 &&
            address.sin_family == AF_INET && ntohs(address.sin_port) == port) {
            return ::listen(fd, 1024) == 0;
        }
    }
    return false;
}

// A body of prefix, unit repeated nRepeat times (or without end when nRepeat < 0) and suffix,
// written in blocks of one buffer of whole units, so a page of any size costs no memory.
httplib::ContentProviderWithoutLength Repeated(std::string prefix, const std::string& unit,
                                               long nRepeat, std::string suffix,
                                               const std::atomic<bool>& bStopping) {
    struct SBody {
        std::string prefix;
        std::string block;
        std::string suffix;
        long nPerBlock = 0;
        long nLeft = 0; // units still to write; negative without end
    };
    auto body = std::make_shared<SBody>();
    body->prefix = std::move(prefix);
    body->suffix = std::move(suffix);
    body->nPerBlock = std::max<long>(1, 65536 / static_cast<long>(unit.size()));
    body->nLeft = nRepeat;
    for (long i = 0; i < body->nPerBlock; ++i) {
        body->block.append(unit);
    }
    return [body, unitSize = unit.size(), &bStopping](std::size_t offset, httplib::DataSink& sink) {
        if (bStopping) {
            return false;
        }
        if (offset == 0 && !sink.write(body->prefix.data(), body->prefix.size())) {
            return false;
        }
        if (body->nLeft == 0) {
            sink.write(body->suffix.data(), body->suffix.size());
            sink.done();
            return true;
        }
        const long nUnits =
            body->nLeft < 0 ? body->nPerBlock : std::min(body->nLeft, body->nPerBlock);
        if (body->nLeft > 0) {
            body->nLeft -= nUnits;
        }
        return sink.write(body->block.data(), unitSize * static_cast<std::size_t>(nUnits));
    };
}

// What a partner page of the varied web does, by its number.
enum class EKind {
    Plain,
    Slow,
    NotFound,
    ServerError,
    Closed,
    MovedHere,
    MovedAway,
    Hanging,
    NoLink,
    Nofollow
};

EKind VariedKind(int nPartner) {
    if (nPartner == 9) {
        return EKind::Hanging;
    }
    static constexpr EKind kCycle[] = {
        EKind::Plain,     EKind::Slow,      EKind::NotFound, EKind::ServerError, EKind::Closed,
        EKind::MovedHere, EKind::MovedAway, EKind::NoLink,   EKind::Nofollow,    EKind::Plain};
    return kCycle[nPartner % 10];
}

std::string PageWith(const std::string& anchor) {
    return "<html><head><title>Partner</title></head><body><a href=\"/about.html\">About</a> " +
           anchor + "</body></html>";
}

const std::string& PlainPage() {
    static const std::string page = PageWith(std::string("<a href=\"") + kShop + "\">The shop</a>");
    return page;
}

// The sites. Plain partner pages /pN.html link to the shop, robots.txt allows everything; every
// answer comes after the latency. The pages of the varied web are /vN.html (see VariedKind),
// their redirects' targets /moved/vN.html.
class CSiteServer {
public:
    explicit CSiteServer(const SOptions& options)
        : m_options(options), m_sites(static_cast<std::size_t>(options.nSites)) {
        // A thread per connection: keep-alive connections of every site, the requests waiting
        // out the latency and the silent ones, held for the client's budget.
        m_server.new_task_queue = [] { return new httplib::ThreadPool(512); };
        // Answers go out at once, as from a production server: without it Nagle holds the body
        // of a reused connection until the client acknowledges the header.
        m_server.set_tcp_nodelay(true);
        m_server.set_keep_alive_max_count(1000);
        m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            Serve(request, response);
        });
        // Listening from here on: connections wait in the backlog until the thread serves them.
        m_nPort = m_server.bind_to_any_port("127.0.0.1");
        if (!WidenBacklog(m_nPort)) {
            std::fprintf(stderr, "cannot raise the server's listen backlog\n");
        }
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~CSiteServer() {
        m_bStopping = true;
        m_server.stop();
        m_thread.join();
    }
    CSiteServer(const CSiteServer&) = delete;
    CSiteServer& operator=(const CSiteServer&) = delete;

    int Port() const { return m_nPort; }
    int Sites() const { return static_cast<int>(m_sites.size()); }
    std::string SiteUrl(int nSite) const {
        return "http://" + SiteName(nSite % Sites()) + ":" + std::to_string(m_nPort);
    }
    static std::string SiteName(int nSite) {
        char name[32];
        std::snprintf(name, sizeof name, "site%02d.localhost", nSite);
        return name;
    }
    std::string PartnerUrl(int nPartner) const {
        return SiteUrl(nPartner) + "/p" + std::to_string(nPartner) + ".html";
    }
    std::string VariedUrl(int nPartner) const {
        return SiteUrl(nPartner) + "/v" + std::to_string(nPartner) + ".html";
    }
    // The plain pages given that never answer.
    void SetSilent(std::set<int> partners) {
        std::lock_guard lock(m_mutex);
        m_silent = std::move(partners);
    }
    int MaxPerSite() const {
        int result = 0;
        for (const CInFlight& site : m_sites) {
            result = std::max(result, site.Max());
        }
        return result;
    }
    int MaxInAll() const { return m_all.Max(); }
    void ResetCounts() {
        for (CInFlight& site : m_sites) {
            site.Reset();
        }
        m_all.Reset();
    }

private:
    using Scope = std::shared_ptr<CInFlightScope>;

    // A body written after the handler returned: the request stays in flight until it is.
    static void Stream(httplib::Response& response, const Scope& scope, const char* type,
                       httplib::ContentProviderWithoutLength provider) {
        response.set_chunked_content_provider(type, std::move(provider), [scope](bool) {});
    }

    void Serve(const httplib::Request& request, httplib::Response& response) {
        const std::optional<int> site = SiteOf(request.get_header_value("Host"));
        if (!site) {
            response.status = 404;
            return;
        }
        const auto scope =
            std::make_shared<CInFlightScope>(&m_sites[static_cast<std::size_t>(*site)], m_all);
        Sleep(m_options.nLatencyMs);
        if (request.path == "/robots.txt") {
            if (m_options.bEndless) {
                Stream(
                    response, scope, "text/plain",
                    Repeated("User-agent: *\nAllow: /\n", "Disallow: /x/\n", -1, {}, m_bStopping));
            } else {
                response.set_content("User-agent: *\nAllow: /\n", "text/plain");
            }
            return;
        }
        int nPartner = 0;
        if (std::sscanf(request.path.c_str(), "/p%d.html", &nPartner) == 1) {
            ServePlain(nPartner, response, scope);
        } else if (std::sscanf(request.path.c_str(), "/v%d.html", &nPartner) == 1) {
            ServeVaried(nPartner, response, scope);
        } else if (request.path.rfind("/moved/", 0) == 0) {
            response.set_content(PlainPage(), "text/html");
        } else {
            response.status = 404;
        }
    }

    void ServePlain(int nPartner, httplib::Response& response, const Scope& scope) {
        bool bSilent = false;
        {
            std::lock_guard lock(m_mutex);
            bSilent = m_silent.count(nPartner) != 0;
        }
        if (bSilent) {
            // Nothing is sent. This version of the server cannot see the client leave, so the
            // request is held for the client's budget and a few seconds more (or until the
            // server stops), which keeps the counts in flight right after the client gave up.
            HoldSilent();
            response.status = 204;
        } else if (m_options.bEndless) {
            Stream(response, scope, "text/html",
                   Repeated("<html><head><title>Partner</title></head><body>\n",
                            "<p>" + std::string(960, 'x') + " <a href=\"" + kShop +
                                "\">shop</a></p>\n",
                            -1, {}, m_bStopping));
        } else if (m_options.nLinksPerPage > 0) {
            Stream(response, scope, "text/html",
                   Repeated("<html><head><title>Partner</title></head><body>\n",
                            std::string("<a href=\"") + kShop + "\">s</a>\n",
                            m_options.nLinksPerPage, "</body></html>\n", m_bStopping));
        } else {
            response.set_content(PlainPage(), "text/html");
        }
    }

    void ServeVaried(int nPartner, httplib::Response& response, const Scope& scope) {
        const std::string moved = "/moved/v" + std::to_string(nPartner) + ".html";
        switch (VariedKind(nPartner)) {
        case EKind::Plain:
            response.set_content(PlainPage(), "text/html");
            break;
        case EKind::Slow:
            Sleep(400);
            response.set_content(PlainPage(), "text/html");
            break;
        case EKind::NotFound:
            response.status = 404;
            response.set_content("not found", "text/plain");
            break;
        case EKind::ServerError:
            response.status = 500;
            response.set_content("server error", "text/plain");
            break;
        case EKind::Closed:
            // The header promises a body; the connection closes before it.
            response.set_content_provider(
                1000, "text/html",
                [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            break;
        case EKind::MovedHere:
            response.set_redirect(moved, 301);
            break;
        case EKind::MovedAway:
            response.set_redirect(SiteUrl(nPartner + 1) + moved, 302);
            break;
        case EKind::Hanging:
            // Half a page, then nothing until the client gave up (or the server stops); then the
            // connection closes.
            Stream(response, scope, "text/html",
                   [this](std::size_t offset, httplib::DataSink& sink) {
                       if (offset == 0) {
                           const std::string half = PlainPage().substr(0, 40);
                           return sink.write(half.data(), half.size());
                       }
                       HoldSilent();
                       return false;
                   });
            break;
        case EKind::NoLink:
            response.set_content(PageWith("no link here"), "text/html");
            break;
        case EKind::Nofollow:
            response.set_content(
                PageWith(std::string("<a rel=\"nofollow\" href=\"") + kShop + "\">The shop</a>"),
                "text/html");
            break;
        }
    }

    // Waits out the client's budget for a silent page and five seconds more, or until the
    // server stops.
    void HoldSilent() const {
        const auto until = Clock::now() + std::chrono::seconds(m_options.nSilentBudgetS + 5);
        while (!m_bStopping && Clock::now() < until) {
            Sleep(50);
        }
    }

    static void Sleep(int nMs) { std::this_thread::sleep_for(std::chrono::milliseconds(nMs)); }

    std::optional<int> SiteOf(const std::string& host) const {
        int nSite = -1;
        char rest[32] = {};
        if (std::sscanf(host.c_str(), "site%d.%31[^:]", &nSite, rest) != 2 ||
            std::string(rest) != "localhost" || nSite < 0 || nSite >= Sites()) {
            return std::nullopt;
        }
        return nSite;
    }

    const SOptions& m_options;
    httplib::Server m_server;
    std::vector<CInFlight> m_sites;
    CInFlight m_all;
    std::atomic<bool> m_bStopping{false};
    std::mutex m_mutex;
    std::set<int> m_silent;
    std::thread m_thread;
    int m_nPort = 0;
};

struct SRunResult {
    int nExit = -1;
    double seconds = 0;
    double cpuSeconds = 0; // user and system
    long nSwitches = 0;    // voluntary and involuntary context switches
    long nPeakRssKb = 0;
    bool bOverCap = false; // stopped when its memory passed the cap
    bool bTimedOut = false;
};

long ResidentKb(pid_t pid) {
    std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Runs argv with stdout and stderr into the files; ends it after ten minutes at most, or when its
// resident memory passes the cap.
SRunResult RunChild(const std::vector<std::string>& argv, const std::string& outPath,
                    const std::string& errPath, long nRssCapMb) {
    std::vector<std::string> args = argv;
    std::vector<char*> pointers;
    for (std::string& arg : args) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);

    const auto started = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execvp(pointers[0], pointers.data());
        ::_exit(127);
    }
    SRunResult result;
    if (pid < 0) {
        return result;
    }
    int status = 0;
    rusage usage{};
    const auto deadline = started + std::chrono::minutes(10);
    bool bKilled = false;
    while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (!bKilled && Clock::now() > deadline) {
            result.bTimedOut = bKilled = ::kill(pid, SIGKILL) == 0;
        } else if (!bKilled && ResidentKb(pid) > nRssCapMb * 1024) {
            result.bOverCap = bKilled = ::kill(pid, SIGKILL) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    result.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    result.nSwitches = usage.ru_nvcsw + usage.ru_nivcsw;
    result.nPeakRssKb = usage.ru_maxrss;
    return result;
}

// The command line with args ("analyze", the project, …) and the extra --cli-args.
SRunResult RunCli(const SOptions& options, const std::vector<std::string>& args,
                  const bench::BenchFolder& folder, const std::string& name) {
    std::vector<std::string> argv = {options.strCli};
    argv.insert(argv.end(), args.begin(), args.end());
    std::istringstream extra(options.strCliArgs);
    for (std::string word; extra >> word;) {
        argv.push_back(word);
    }
    // Each run starts without history, so none is compared with the one before (exit code 3).
    std::error_code ignored;
    std::filesystem::remove(HistoryPathOf(args.at(1)), ignored);
    return RunChild(argv, folder.File(name + ".out"), folder.File(name + ".err"),
                    options.nRssCapMb);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool MakeProject(const std::vector<std::string>& urls, const std::string& path) {
    CProject project;
    project.StartNew(kDomain);
    for (const std::string& url : urls) {
        project.AddPartnerUrl(url);
    }
    return project.Save(path).Ok();
}

// The window the command line runs with: its --parallel from --cli-args, else its default.
int WindowOf(const SOptions& options) {
    std::istringstream args(options.strCliArgs);
    int nWindow = SFetchWindow::kDefaultParallel;
    for (std::string word; args >> word;) {
        if (word == "--parallel") {
            args >> nWindow;
        }
    }
    return nWindow;
}

// What curl is given: every site's robots.txt before its first page, then the pages, all into
// /dev/null, each *.localhost name resolved to the loopback without asking a resolver. The
// silent pages get the same low-speed and total time-outs as the command line's fetches.
std::string CurlConfig(const CSiteServer& server, int nPartners) {
    std::string config;
    for (int site = 0; site < std::min(server.Sites(), nPartners); ++site) {
        config += "resolve = \"" + CSiteServer::SiteName(site) + ":" +
                  std::to_string(server.Port()) + ":127.0.0.1\"\n";
    }
    std::vector<bool> robotsAsked(static_cast<std::size_t>(server.Sites()));
    for (int i = 0; i < nPartners; ++i) {
        const auto site = static_cast<std::size_t>(i % server.Sites());
        if (!robotsAsked[site]) {
            robotsAsked[site] = true;
            config += "url = \"" + server.SiteUrl(i) + "/robots.txt\"\noutput = \"/dev/null\"\n";
        }
        config += "url = \"" + server.PartnerUrl(i) + "\"\noutput = \"/dev/null\"\n";
    }
    return config;
}

SRunResult RunCurl(const SOptions& options, const CSiteServer& server,
                   const bench::BenchFolder& folder, int nWindow) {
    std::ofstream(folder.File("curl.config")) << CurlConfig(server, options.nPartners);
    return RunChild({options.strCurl, "--silent", "--show-error", "--noproxy", "*", "--parallel",
                     "--parallel-immediate", "--parallel-max", std::to_string(nWindow),
                     "--speed-limit", "1", "--speed-time", std::to_string(options.nSilentBudgetS),
                     "--max-time", "120", "--config", folder.File("curl.config")},
                    folder.File("curl.out"), folder.File("curl.err"), options.nRssCapMb);
}

double PerPartnerMs(double seconds, int nPartners) {
    return seconds * 1000.0 / nPartners;
}

void PrintRun(const char* name, const SRunResult& run, int nPartners) {
    std::printf("%s: exit %d%s, %.2f s, CPU %.2f s (%.3f ms per partner), %.1f context switches "
                "per partner, peak RSS %.1f MB\n",
                name, run.nExit,
                run.bOverCap    ? " (stopped: memory over the cap)"
                : run.bTimedOut ? " (stopped after ten minutes)"
                                : "",
                run.seconds, run.cpuSeconds, PerPartnerMs(run.cpuSeconds, nPartners),
                static_cast<double>(run.nSwitches) / nPartners,
                static_cast<double>(run.nPeakRssKb) / 1024.0);
}

std::string Figures(const char* prefix, const SRunResult& run, int nPartners) {
    char text[256];
    std::snprintf(text, sizeof text,
                  " %s_exit=%d %s_s=%.2f %s_cpu_ms=%.3f %s_cs=%.1f %s_rss_mb=%.1f", prefix,
                  run.bOverCap ? -9 : run.nExit, prefix, run.seconds, prefix,
                  PerPartnerMs(run.cpuSeconds, nPartners), prefix,
                  static_cast<double>(run.nSwitches) / nPartners, prefix,
                  static_cast<double>(run.nPeakRssKb) / 1024.0);
    return text;
}

// A finished analysis: 0 every link counts, 4 some does not (no imported Google links), 5 some
// partner unreachable; anything else is a failure.
bool Finished(const SRunResult& run) {
    return run.nExit == 0 || run.nExit == 4 || run.nExit == 5;
}

// The silent pages: K spread evenly among the partners.
std::set<int> SilentPartners(int nSilent, int nPartners) {
    std::set<int> partners;
    for (int i = 0; i < nSilent; ++i) {
        partners.insert(static_cast<int>((2L * i + 1) * nPartners / (2L * nSilent)));
    }
    return partners;
}

// A report or log with its dates and times (run start and end, durations) masked.
std::string Masked(const std::string& text) {
    static const std::regex date("[0-9]{4}-[0-9]{2}-[0-9]{2}|[0-9]{1,2}/[0-9]{1,2}/[0-9]{2,4}|"
                                 "[0-9]{1,2}\\.[0-9]{1,2}\\.[0-9]{4}");
    static const std::regex time("[0-9]{1,2}:[0-9]{2}(:[0-9]{2})?");
    return std::regex_replace(std::regex_replace(text, date, "DATE"), time, "TIME");
}

// The first line where a and b differ, or empty.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::istringstream left(a);
    std::istringstream right(b);
    std::string lineA;
    std::string lineB;
    for (int line = 1;; ++line) {
        const bool bA = static_cast<bool>(std::getline(left, lineA));
        const bool bB = static_cast<bool>(std::getline(right, lineB));
        if (!bA && !bB) {
            return {};
        }
        if (!bA || !bB || lineA != lineB) {
            return "line " + std::to_string(line) + ": \"" + lineA.substr(0, 200) + "\" / \"" +
                   lineB.substr(0, 200) + "\"";
        }
    }
}

// The varied web analysed with three windows; true when every run finished and the reports and
// logs are identical. The times go into figures as varied_s=ONE/DEFAULTS/WIDE.
bool CompareWindows(const SOptions& options, CSiteServer& server, const bench::BenchFolder& folder,
                    std::string& figures) {
    std::vector<std::string> urls;
    for (int i = 0; i < options.nCompare; ++i) {
        urls.push_back(server.VariedUrl(i));
    }
    const std::string project = folder.File("varied.tsrp");
    if (!MakeProject(urls, project)) {
        std::fprintf(stderr, "cannot write the project\n");
        return false;
    }
    struct SWindow {
        const char* name;
        std::vector<std::string> args;
    };
    const SWindow windows[] = {
        {"--parallel 1", {"--parallel", "1"}},
        {"defaults", {}},
        {"--parallel 64 --per-site 8", {"--parallel", "64", "--per-site", "8"}}};
    std::string reference;
    std::string firstDifference;
    std::string timesText;
    figures += " varied_s=";
    for (const SWindow& window : windows) {
        std::vector<std::string> args = {"analyze", project,
                                         "--csv",   folder.File("varied.csv"),
                                         "--html",  folder.File("varied.html"),
                                         "--json",  folder.File("varied.json")};
        args.insert(args.end(), window.args.begin(), window.args.end());
        const SRunResult run = RunCli(options, args, folder, "varied");
        std::string text = "exit " + std::to_string(run.nExit) + "\n";
        for (const char* file : {"varied.csv", "varied.html", "varied.json", "varied.err"}) {
            text += std::string("== ") + file + "\n" + Masked(ReadFile(folder.File(file)));
        }
        char seconds[96];
        std::snprintf(seconds, sizeof seconds, "%s%s %.2f s", timesText.empty() ? "" : ", ",
                      window.name, run.seconds);
        timesText += seconds;
        std::snprintf(seconds, sizeof seconds, "%s%.2f", figures.back() == '=' ? "" : "/",
                      run.seconds);
        figures += seconds;
        if (!Finished(run) && firstDifference.empty()) {
            firstDifference = std::string(window.name) + " failed: exit " +
                              std::to_string(run.nExit) + (run.bTimedOut ? " (ten minutes)" : "");
        } else if (reference.empty()) {
            reference = text;
        } else if (firstDifference.empty() && text != reference) {
            firstDifference = std::string(window.name) + " against --parallel 1, " +
                              FirstDifference(reference, text);
        }
    }
    std::printf("varied web of %d partners: %s; reports and log %s%s\n", options.nCompare,
                timesText.c_str(),
                firstDifference.empty() ? "identical" : "DIFFERENT: ", firstDifference.c_str());
    return firstDifference.empty();
}

bool ParseOptions(int argc, char** argv, SOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--endless") {
            options.bEndless = true;
            continue;
        }
        if (name == "--no-curl") {
            options.bCurl = false;
            continue;
        }
        if (i + 1 == argc) {
            return false;
        }
        const std::string value = argv[++i];
        if (name == "--partners") {
            options.nPartners = std::atoi(value.c_str());
        } else if (name == "--sites") {
            options.nSites = std::atoi(value.c_str());
        } else if (name == "--latency-ms") {
            options.nLatencyMs = std::atoi(value.c_str());
        } else if (name == "--compare") {
            options.nCompare = std::atoi(value.c_str());
        } else if (name == "--silent") {
            options.nSilent = std::atoi(value.c_str());
        } else if (name == "--silent-budget-s") {
            options.nSilentBudgetS = std::atoi(value.c_str());
        } else if (name == "--links-per-page") {
            options.nLinksPerPage = std::atol(value.c_str());
        } else if (name == "--rss-cap-mb") {
            options.nRssCapMb = std::atol(value.c_str());
        } else if (name == "--cli-args") {
            options.strCliArgs = value;
        } else if (name == "--cli") {
            options.strCli = value;
        } else if (name == "--curl") {
            options.strCurl = value;
        } else {
            return false;
        }
    }
    return options.nPartners > 0 && options.nSites > 0 && options.nLatencyMs >= 0 &&
           options.nCompare >= 0 && options.nSilent >= 0 && options.nSilent <= options.nPartners &&
           options.nSilentBudgetS > 0 && options.nLinksPerPage >= 0 && options.nRssCapMb > 0;
}

} // namespace

int main(int argc, char** argv) {
    SOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: many_sites_bench [--partners N] [--sites N] [--latency-ms MS] "
                     "[--compare N] [--silent K] [--silent-budget-s S] [--links-per-page L] "
                     "[--endless] [--no-curl] [--rss-cap-mb MB] [--cli-args \"ARGS\"] "
                     "[--cli PATH] [--curl PATH]\n");
        return 2;
    }
    // Only the local server is ever asked: no proxy from the environment.
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
        ::unsetenv(name);
    }
    ::signal(SIGPIPE, SIG_IGN);
    // Each line as it is printed, also into a pipe or file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const bench::BenchFolder folder;
    CSiteServer server(options);
    std::vector<std::string> urls;
    for (int i = 0; i < options.nPartners; ++i) {
        urls.push_back(server.PartnerUrl(i));
    }
    if (!MakeProject(urls, folder.File("many.tsrp"))) {
        std::fprintf(stderr, "cannot write the project\n");
        return 1;
    }
    const std::vector<std::string> analyze = {"analyze", folder.File("many.tsrp"), "--csv",
                                              folder.File("many.csv"), "--quiet"};
    const int nWindow = WindowOf(options);
    std::printf("%d partners on %d sites at %d ms, window %d%s%s%s\n", options.nPartners,
                options.nSites, options.nLatencyMs, nWindow,
                options.strCliArgs.empty() ? "" : (", " + options.strCliArgs).c_str(),
                options.bEndless ? ", endless robots.txt and pages" : "",
                options.nLinksPerPage > 0
                    ? (", " + std::to_string(options.nLinksPerPage) + " links per page").c_str()
                    : "");
    std::string figures = "figures:";
    bool bOk = true;
    if (options.nSilent > 0) {
        const SRunResult without = RunCli(options, analyze, folder, "without");
        PrintRun("tessaray without silent pages", without, options.nPartners);
        figures += Figures("without", without, options.nPartners);
        bOk = Finished(without);
        server.SetSilent(SilentPartners(options.nSilent, options.nPartners));
        server.ResetCounts();
        // The run below must end within this.
        const double bound = options.nSilentBudgetS + 1.2 * without.seconds;
        char text[64];
        std::snprintf(text, sizeof text, " bound_s=%.2f", bound);
        figures += text;
        std::printf("%d silent pages: bound %d s budget + 1.2 x %.2f s = %.2f s\n", options.nSilent,
                    options.nSilentBudgetS, without.seconds, bound);
    }
    const SRunResult run = RunCli(options, analyze, folder, "many");
    PrintRun("tessaray", run, options.nPartners);
    std::printf("  in flight at most %d per site and %d in all\n", server.MaxPerSite(),
                server.MaxInAll());
    figures += Figures("tessaray", run, options.nPartners);
    if (!Finished(run)) {
        std::fprintf(stderr, "%s", ReadFile(folder.File("many.err")).c_str());
        bOk = false;
    }
    if (options.bCurl && options.bEndless) {
        std::printf("curl: not run (it would stream the endless pages until its time-out)\n");
    } else if (options.bCurl) {
        server.ResetCounts();
        const SRunResult curl = RunCurl(options, server, folder, nWindow);
        const std::string name = "curl --parallel-max " + std::to_string(nWindow);
        PrintRun(name.c_str(), curl, options.nPartners);
        std::printf("  in flight at most %d per site and %d in all\n", server.MaxPerSite(),
                    server.MaxInAll());
        const double timeRatio = run.seconds / std::max(curl.seconds, 1e-3);
        const double cpuRatio = run.cpuSeconds / std::max(curl.cpuSeconds, 1e-3);
        std::printf("tessaray / curl: time %.2fx, CPU %.2fx\n", timeRatio, cpuRatio);
        char text[96];
        std::snprintf(text, sizeof text, " time_ratio=%.2f cpu_ratio=%.2f", timeRatio, cpuRatio);
        figures += Figures("curl", curl, options.nPartners) + text;
        // With silent pages curl ends with 28, their time-out.
        if (curl.nExit != 0 && options.nSilent == 0) {
            std::fprintf(stderr, "curl: exit %d\n%s", curl.nExit,
                         ReadFile(folder.File("curl.err")).c_str());
            bOk = false;
        }
    }
    if (options.nCompare > 0) {
        server.SetSilent({});
        const bool bSame = CompareWindows(options, server, folder, figures);
        figures += bSame ? " compare=identical" : " compare=different";
        bOk = bOk && bSame;
    }
    std::printf("%s\n", figures.c_str());
    return bOk ? 0 : 1;
}
