// Rendering many local partner pages in one headless browser: the time and the peak memory of the
// browser with all its processes (the sum of their proportional set sizes, sampled) and of this
// program.
//
//   render_bench [--pages 100] [--sites 10] [--parallel 8] [--per-site 2] [--latency-ms 50]
//
// One cpp-httplib server on 127.0.0.1 plays --sites sites (siteNN.localhost, which the browser
// sends to the loopback); every page answers after --latency-ms and holds ten links, one of them
// made by a script after load and one hidden by a stylesheet. The last line, "figures: …", is for
// scripts.
#include "bench/bench_folder.h"
#include "core/render/browser_renderer.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include <sys/resource.h>

namespace {

using namespace std::chrono_literals;

// The proportional set size in KiB of the processes whose command line names folder.
long PssOf(const std::string& folder) {
    long nTotal = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream cmd(entry.path() / "cmdline", std::ios::binary);
        const std::string cmdline((std::istreambuf_iterator<char>(cmd)),
                                  std::istreambuf_iterator<char>());
        if (cmdline.find(folder) == std::string::npos) {
            continue;
        }
        std::ifstream rollup(entry.path() / "smaps_rollup");
        for (std::string line; std::getline(rollup, line);) {
            if (line.rfind("Pss:", 0) == 0) {
                nTotal += std::atol(line.c_str() + 4);
            }
        }
    }
    return nTotal;
}

} // namespace

int main(int argc, char** argv) {
    int nPages = 100;
    int nSites = 10;
    int nLatencyMs = 50;
    tessaray::SRenderSettings settings;
    for (int n = 1; n + 1 < argc; n += 2) {
        const int value = std::atoi(argv[n + 1]);
        if (std::strcmp(argv[n], "--pages") == 0) {
            nPages = value;
        } else if (std::strcmp(argv[n], "--sites") == 0) {
            nSites = value;
        } else if (std::strcmp(argv[n], "--parallel") == 0) {
            settings.nParallel = value;
        } else if (std::strcmp(argv[n], "--per-site") == 0) {
            settings.nPerSite = value;
        } else if (std::strcmp(argv[n], "--latency-ms") == 0) {
            nLatencyMs = value;
        }
    }
    // The browser's profile lands here, so its processes can be found.
    tessaray::bench::BenchFolder folder;
    const std::string root = std::filesystem::path(folder.File("x")).parent_path().string();
    ::setenv("TMPDIR", root.c_str(), 1);

    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.Get(R"(/page/(\d+))", [&](const httplib::Request& request, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::milliseconds(nLatencyMs));
        std::string body = "<!doctype html><style>.gone{display:none}</style><h1>Partners</h1>";
        for (int n = 0; n < 8; ++n) {
            body += "<p><a href='http://other" + std::to_string(n) + ".test/'>Other</a></p>";
        }
        body += "<p class='gone'><a href='http://mysite.test/hidden'>My Site</a></p><div id='x'>"
                "</div><script>addEventListener('load', () => setTimeout(() => "
                "{document.getElementById('x').innerHTML = \"<a href='http://mysite.test/" +
                request.matches[1].str() + "'>My Site</a>\"}, 100))</script>";
        res.set_content(body, "text/html");
    });
    const int nPort = server.bind_to_any_port("127.0.0.1");
    std::thread listener([&] { server.listen_after_bind(); });

    std::mutex mutex;
    std::condition_variable changed;
    int nPosts = 0;
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    auto pRenderer = tessaray::StartBrowserRenderer(
        settings,
        [&] {
            std::lock_guard lock(mutex);
            ++nPosts;
            changed.notify_all();
        },
        error);
    if (!pRenderer) {
        std::fprintf(stderr, "render_bench: %s\n", error.c_str());
        server.stop();
        listener.join();
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    for (int n = 0; n < nPages; ++n) {
        pRenderer->Submit(n,
                          "http://site" + std::to_string(n % nSites) +
                              ".localhost:" + std::to_string(nPort) + "/page/" + std::to_string(n),
                          "mysite.test");
    }
    int nDone = 0;
    int nFailed = 0;
    int nLinks = 0;
    long nPeakKb = 0;
    while (nDone < nPages) {
        {
            std::unique_lock lock(mutex);
            changed.wait_for(lock, 200ms);
        }
        nPeakKb = std::max(nPeakKb, PssOf(root));
        for (auto& [nId, page] : pRenderer->TakeDone()) {
            ++nDone;
            nFailed += page.bRendered ? 0 : 1;
            nLinks += static_cast<int>(page.links.size());
        }
        if (std::chrono::steady_clock::now() - started > 600s) {
            std::fprintf(stderr, "render_bench: gave up after 600 s\n");
            break;
        }
    }
    const auto finished = std::chrono::steady_clock::now();
    pRenderer.reset();
    server.stop();
    listener.join();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](auto d) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
    };
    std::printf("%d pages (%d failed, %d links) in %lld ms (browser start %lld ms), browser peak "
                "PSS %ld MiB, this program's peak RSS %ld MiB\n",
                nPages, nFailed, nLinks, static_cast<long long>(ms(finished - started)),
                static_cast<long long>(ms(started - start)), nPeakKb / 1024,
                usage.ru_maxrss / 1024);
    std::printf("figures: pages=%d failed=%d ms=%lld start_ms=%lld browser_pss_mib=%ld "
                "rss_mib=%ld\n",
                nPages, nFailed, static_cast<long long>(ms(finished - started)),
                static_cast<long long>(ms(started - start)), nPeakKb / 1024,
                usage.ru_maxrss / 1024);
    return nFailed == 0 ? 0 : 1;
}
