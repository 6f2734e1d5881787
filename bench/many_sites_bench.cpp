// The analysis of many partners on many sites through tessaray-cli, against a local server that
// plays every site with a set latency.
//
// One cpp-httplib server listens on 127.0.0.1; the partner pages are
// http://siteNN.localhost:PORT/…, which libcurl resolves to the loopback without any resolver
// set-up, and the server tells the sites apart by their Host header. It counts the requests in
// flight per site and in all and keeps the highest counts seen.
//
//   many_sites_bench [--partners 1000] [--sites 50] [--latency-ms 100] [--compare 60]
//                    [--cli-args "…"] [--cli PATH]
//
// Analyses --partners partners spread over --sites sites (each page answers after --latency-ms,
// robots.txt too) with the command line's defaults, and prints the time, the program's peak
// resident memory and the highest counts in flight. With --compare N it then analyses the first
// N partners with --parallel 1 and with the defaults and says whether the CSV reports are the same.
#include "bench/bench_folder.h"
#include "core/project/project.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tessaray;
using Clock = std::chrono::steady_clock;

struct SOptions {
    int nPartners = 1000;
    int nSites = 50;
    int nLatencyMs = 100;
    int nCompare = 0;
    std::string strCliArgs;
    std::string strCli = TESSARAY_BIN_DIR "/tessaray-cli";
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

// The sites: each partner page links to the shop, robots.txt allows everything; every answer
// comes after the latency.
class CSiteServer {
public:
    CSiteServer(int nSites, int nLatencyMs) : m_sites(static_cast<std::size_t>(nSites)) {
        // A thread per connection: keep-alive connections of every site plus the requests
        // waiting out the latency.
        m_server.new_task_queue = [] { return new httplib::ThreadPool(256); };
        // Answers go out at once, as from a production server: without it Nagle holds the body
        // of a reused connection until the client acknowledges the header.
        m_server.set_tcp_nodelay(true);
        m_server.Get(
            ".*", [this, nLatencyMs](const httplib::Request& request, httplib::Response& response) {
                CInFlight* site = Site(request.get_header_value("Host"));
                if (site == nullptr) {
                    response.status = 404;
                    return;
                }
                site->Enter();
                m_all.Enter();
                std::this_thread::sleep_for(std::chrono::milliseconds(nLatencyMs));
                if (request.path == "/robots.txt") {
                    response.set_content("User-agent: *\nAllow: /\n", "text/plain");
                } else {
                    response.set_content("<html><head><title>Partner</title></head><body>"
                                         "<a href=\"/about.html\">About</a> "
                                         "<a href=\"http://shop.example/\">The shop</a>"
                                         "</body></html>",
                                         "text/html");
                }
                m_all.Leave();
                site->Leave();
            });
        // Listening from here on: connections wait in the backlog until the thread serves them.
        m_nPort = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~CSiteServer() {
        m_server.stop();
        m_thread.join();
    }
    CSiteServer(const CSiteServer&) = delete;
    CSiteServer& operator=(const CSiteServer&) = delete;

    std::string PartnerUrl(int nPartner) const {
        return "http://" + SiteName(nPartner % static_cast<int>(m_sites.size())) + ":" +
               std::to_string(m_nPort) + "/p" + std::to_string(nPartner) + ".html";
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
    static std::string SiteName(int nSite) {
        char name[32];
        std::snprintf(name, sizeof name, "site%02d.localhost", nSite);
        return name;
    }
    CInFlight* Site(const std::string& host) {
        const std::string name = host.substr(0, host.find(':'));
        for (std::size_t i = 0; i < m_sites.size(); ++i) {
            if (name == SiteName(static_cast<int>(i))) {
                return &m_sites[i];
            }
        }
        return nullptr;
    }

    httplib::Server m_server;
    std::vector<CInFlight> m_sites;
    CInFlight m_all;
    std::thread m_thread;
    int m_nPort = 0;
};

struct SRunResult {
    int nExit = -1;
    double seconds = 0;
    long nPeakRssKb = 0;
};

// Runs the command line with args, stdout and stderr into files of the folder; ends it after
// ten minutes at most.
SRunResult RunCli(const SOptions& options, const std::vector<std::string>& args,
                  const bench::BenchFolder& folder) {
    std::vector<std::string> argv = {options.strCli};
    argv.insert(argv.end(), args.begin(), args.end());
    std::istringstream extra(options.strCliArgs);
    for (std::string word; extra >> word;) {
        argv.push_back(word);
    }
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);

    const auto started = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(folder.File("out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(folder.File("err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    SRunResult result;
    int status = 0;
    rusage usage{};
    const auto deadline = started + std::chrono::minutes(10);
    while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    result.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.nPeakRssKb = usage.ru_maxrss;
    return result;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool MakeProject(const CSiteServer& server, int nPartners, const std::string& path) {
    CProject project;
    project.StartNew("http://shop.example");
    for (int i = 0; i < nPartners; ++i) {
        project.AddPartnerUrl(server.PartnerUrl(i));
    }
    return project.Save(path).Ok();
}

bool ParseOptions(int argc, char** argv, SOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--partners") {
            options.nPartners = std::atoi(value.c_str());
        } else if (name == "--sites") {
            options.nSites = std::atoi(value.c_str());
        } else if (name == "--latency-ms") {
            options.nLatencyMs = std::atoi(value.c_str());
        } else if (name == "--compare") {
            options.nCompare = std::atoi(value.c_str());
        } else if (name == "--cli-args") {
            options.strCliArgs = value;
        } else if (name == "--cli") {
            options.strCli = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.nPartners > 0 && options.nSites > 0 &&
           options.nLatencyMs >= 0 && options.nCompare >= 0;
}

} // namespace

int main(int argc, char** argv) {
    SOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: many_sites_bench [--partners N] [--sites N] [--latency-ms MS] "
                             "[--compare N] [--cli-args \"ARGS\"] [--cli PATH]\n");
        return 2;
    }
    const bench::BenchFolder folder;
    CSiteServer server(options.nSites, options.nLatencyMs);

    if (!MakeProject(server, options.nPartners, folder.File("many.tsrp"))) {
        std::fprintf(stderr, "cannot write the project\n");
        return 1;
    }
    const SRunResult run = RunCli(
        options, {"analyze", folder.File("many.tsrp"), "--csv", folder.File("many.csv"), "--quiet"},
        folder);
    std::printf("%d partners on %d sites at %d ms: exit %d, %.2f s, peak RSS %.1f MB, "
                "in flight at most %d per site and %d in all\n",
                options.nPartners, options.nSites, options.nLatencyMs, run.nExit, run.seconds,
                static_cast<double>(run.nPeakRssKb) / 1024.0, server.MaxPerSite(),
                server.MaxInAll());
    // 4: some link does not count (no imported Google links); anything else is a failure.
    if (run.nExit != 0 && run.nExit != 4) {
        std::fprintf(stderr, "%s", ReadFile(folder.File("err.txt")).c_str());
        return 1;
    }
    if (options.nCompare == 0) {
        return 0;
    }

    if (!MakeProject(server, std::min(options.nCompare, options.nPartners),
                     folder.File("few.tsrp"))) {
        std::fprintf(stderr, "cannot write the project\n");
        return 1;
    }
    const SRunResult one = RunCli(options,
                                  {"analyze", folder.File("few.tsrp"), "--csv",
                                   folder.File("one.csv"), "--quiet", "--parallel", "1"},
                                  folder);
    server.ResetCounts();
    const SRunResult window =
        RunCli(options,
               {"analyze", folder.File("few.tsrp"), "--csv", folder.File("window.csv"), "--quiet"},
               folder);
    const bool bSame = one.nExit == run.nExit && window.nExit == run.nExit &&
                       ReadFile(folder.File("one.csv")) == ReadFile(folder.File("window.csv"));
    std::printf("%d partners: --parallel 1 %.2f s, defaults %.2f s; CSV reports %s\n",
                options.nCompare, one.seconds, window.seconds, bSame ? "identical" : "DIFFERENT");
    return bSame ? 0 : 1;
}
