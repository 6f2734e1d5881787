// tessaray-cli fetch: runs one fetch job (robots.txt, then the page) and prints what it got.
#include "cli/auth_options.h"
#include "cli/commands.h"

#include "core/fetch/fetch_job.h"
#include "core/util/file_util.h"
#include "core/util/posted_messages.h"

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace tessaray::cli {

namespace {

struct FetchOptions {
    std::string strUrl;
    std::string strRobotsUrl;
    SAuthOptions auth;
    std::string strBodyFile;
    std::string strUserAgent{CFetchSettings::kUserAgent};
};

int RunFetch(const FetchOptions& options) {
    std::mutex mutex;
    std::condition_variable posted;
    bool done = false;

    CFetchJob job;
    job.SetMessage(WM_PAGE_DONE);
    job.SetPostCallback([&](unsigned, int) {
        std::lock_guard lock(mutex);
        done = true;
        posted.notify_one();
    });
    AuthCallback authCallback;
    if (std::string error; !MakeAuthCallback(options.auth, authCallback, error)) {
        std::fprintf(stderr, "tessaray-cli: %s\n", error.c_str());
        return kExitUsage;
    }
    job.SetAuthCallback(authCallback);
    CFetchSettings settings;
    settings.m_strUserAgent = options.strUserAgent;
    job.SetSettings(settings);
    std::fprintf(stderr, "fetching %s ...\n", options.strUrl.c_str());
    if (!job.Start(options.strUrl, options.strRobotsUrl)) {
        std::fprintf(stderr, "tessaray-cli: the fetch could not be started\n");
        return 1;
    }
    {
        // The job bounds every fetch by its own time limits, so this wait ends.
        std::unique_lock lock(mutex);
        posted.wait(lock, [&] { return done; });
    }
    std::string page;
    std::string robots;
    job.TakeResults(page, robots);

    std::printf("result: %d\n", job.GetResult());
    std::printf("robots status: %d\n", job.GetRobotsStatus());
    std::printf("page status: %d\n", job.GetPageStatus());
    std::printf("robots bytes: %zu (text %zu)\n", job.GetRobotsByteCount(), robots.size());
    std::printf("page bytes: %zu (text %zu)\n", job.GetPageByteCount(), page.size());
    std::printf("header:\n");
    std::fwrite(job.GetHeader().data(), 1, job.GetHeader().size(), stdout);

    if (!options.strBodyFile.empty() && !WriteStringToFile(options.strBodyFile, page)) {
        std::fprintf(stderr, "tessaray-cli: cannot write %s\n", options.strBodyFile.c_str());
        return 1;
    }
    return 0;
}

} // namespace

void RegisterFetch(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<FetchOptions>();
    CLI::App* fetch = app.add_subcommand(
        "fetch", "Fetch a page (and a robots.txt first) and print status, sizes and header");
    fetch->add_option("URL", options->strUrl, "page to fetch")->required();
    fetch->add_option("--robots", options->strRobotsUrl, "robots.txt to fetch first");
    AddAuthOptions(*fetch, options->auth);
    fetch->add_option("--body", options->strBodyFile, "write the page text to this file");
    AddUserAgentOption(*fetch, options->strUserAgent);
    fetch->callback([options, &exitCode] { exitCode = RunFetch(*options); });
}

} // namespace tessaray::cli
