#include "http_test_server.h"
#include "program_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace tessaray {
namespace {

using CliRun = test::ProgramResult;

// Runs "tessaray-cli fetch" with blank-separated arguments that need no quoting.
CliRun RunFetch(const std::string& arguments) {
    std::vector<std::string> args{"fetch"};
    std::istringstream words(arguments);
    for (std::string word; words >> word;) {
        args.push_back(word);
    }
    const test::TempDir dir;
    return test::RunCli(dir, args);
}

TEST(FetchCommand, PrintsStatusesSizesAndHeaderAndWritesTheBody) {
    test::HttpTestServer server;
    server.Server().Get("/robots.txt", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("User-agent: *\n", "text/plain");
    });
    std::atomic<bool> ownAgent{false};
    server.Server().Get("/locked",
                        [&ownAgent](const httplib::Request& request, httplib::Response& response) {
                            ownAgent = request.get_header_value("User-Agent") == "Tessaray/1.0";
                            if (request.get_header_value("Authorization") != "Basic dTpw") { // u:p
                                response.status = 401;
                                response.set_header("WWW-Authenticate", "Basic realm=\"x\"");
                                return;
                            }
                            response.set_content("page text", "text/html");
                        });
    server.Start();
    test::TempDir dir;

    const CliRun run =
        RunFetch(server.Url("/locked") + " --robots " + server.Url("/robots.txt") + " --auth " +
                 server.Url() + " --user u --password p --allow-insecure-auth --body " +
                 dir.File("body.txt") + " --user-agent Tessaray/1.0");
    ASSERT_EQ(run.nExit, 0);
    EXPECT_TRUE(ownAgent);
    EXPECT_NE(run.strErr.find("--password can be read by other users"), std::string::npos);
    EXPECT_TRUE(run.strOut.starts_with("result: 0\nrobots status: 200\npage status: 200\n"
                                       "robots bytes: 14 (text 14)\npage bytes: 9 (text 9)\n"
                                       "header:\nHTTP/1.1 200 OK\r\n"))
        << run.strOut;
    EXPECT_TRUE(run.strOut.ends_with("\r\n\r\n"));
    EXPECT_EQ(test::ReadAll(dir.File("body.txt")), "page text");

    // Without credentials the page counts as refused; the job still ran.
    const CliRun refused = RunFetch(server.Url("/locked"));
    EXPECT_EQ(refused.nExit, 0);
    EXPECT_TRUE(refused.strOut.starts_with("result: 1\n")) << refused.strOut;
}

TEST(FetchCommand, BadUsageExitsWithTwo) {
    EXPECT_EQ(RunFetch("").nExit, 2);
    EXPECT_EQ(RunFetch("http://127.0.0.1:1/ --password p").nExit, 2);
    // Credentials always name the one site they are for.
    EXPECT_EQ(RunFetch("http://127.0.0.1:1/ --user u --password p").nExit, 2);
    EXPECT_EQ(RunFetch("http://127.0.0.1:1/ --auth ftp://x --user u --password p").nExit, 2);
    // A user agent that would end the header line.
    const test::TempDir dir;
    EXPECT_EQ(
        test::RunCli(dir, {"fetch", "http://127.0.0.1:1/", "--user-agent", "a\r\nX: y"}).nExit, 2);
}

// Sets an environment variable for the life of the object (children inherit it).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { ::unsetenv(m_name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
};

// The site the credentials are for, and another one that asks for a log-in too; both note every
// Authorization header they receive.
class FetchCredentialsTest : public ::testing::Test {
protected:
    static constexpr const char* kPassword = "s3cret-Pw";

    void SetUp() override {
        const auto lockedOn = [](std::atomic<int>& seen) {
            return [&seen](const httplib::Request& request, httplib::Response& response) {
                if (request.has_header("Authorization")) {
                    ++seen;
                }
                if (request.get_header_value("Authorization") == "Basic dTpzM2NyZXQtUHc=") {
                    response.set_content("page text", "text/html"); // u:s3cret-Pw
                    return;
                }
                response.status = 401;
                response.set_header("WWW-Authenticate", "Basic realm=\"x\"");
            };
        };
        m_other.Server().Get(".*", lockedOn(m_nOtherSaw));
        m_other.Start();
        m_site.Server().Get("/locked", lockedOn(m_nSiteSaw));
        m_site.Server().Get("/away", [this](const httplib::Request&, httplib::Response& response) {
            response.status = 302;
            response.set_header("Location", m_other.Url("/locked"));
        });
        m_site.Start();
    }

    // fetch URL --robots <the other site's robots.txt> --auth <site> --user u extra...
    CliRun Fetch(const std::string& url, const std::string& extra) {
        return RunFetch(url + " --robots " + m_other.Url("/robots.txt") + " --auth " +
                        m_site.Url() + " --user u " + extra);
    }

    test::HttpTestServer m_site;
    test::HttpTestServer m_other;
    std::atomic<int> m_nSiteSaw{0};
    std::atomic<int> m_nOtherSaw{0};
};

TEST_F(FetchCredentialsTest, OnlyTheNamedSiteGetsThem) {
    const ScopedEnv password("TESSARAY_PASSWORD", kPassword);
    const CliRun run = Fetch(m_site.Url("/locked"), "--allow-insecure-auth");
    EXPECT_TRUE(run.strOut.starts_with("result: 0\nrobots status: 401\npage status: 200\n"))
        << run.strOut;
    EXPECT_NE(run.strErr.find("asks for a log-in; the credentials are for http://127.0.0.1:" +
                              std::to_string(m_site.Port()) + " only"),
              std::string::npos)
        << run.strErr;
    // Not along a redirect to another site either: its 401 is final.
    const CliRun redirected = Fetch(m_site.Url("/away"), "--allow-insecure-auth");
    EXPECT_NE(redirected.strOut.find("page status: 401\n"), std::string::npos) << redirected.strOut;
    EXPECT_EQ(m_nOtherSaw, 0);
    EXPECT_EQ(m_nSiteSaw, 1);
    EXPECT_EQ(run.strErr.find(kPassword), std::string::npos);
    EXPECT_EQ(run.strOut.find(kPassword), std::string::npos);
}

TEST_F(FetchCredentialsTest, BasicOverPlainHttpOnlyWhenAllowed) {
    const ScopedEnv password("TESSARAY_PASSWORD", kPassword);
    const CliRun refused = Fetch(m_site.Url("/locked"), "");
    EXPECT_TRUE(refused.strOut.starts_with("result: 1\n")) << refused.strOut;
    EXPECT_NE(refused.strErr.find("Basic authentication over plain http"), std::string::npos)
        << refused.strErr;
    EXPECT_EQ(m_nSiteSaw, 0);
}

TEST_F(FetchCredentialsTest, PasswordFromAFile) {
    test::TempDir dir;
    const std::string file = dir.Write("pw", std::string(kPassword) + "\n");
    const CliRun run =
        Fetch(m_site.Url("/locked"), "--allow-insecure-auth --password-file " + file);
    EXPECT_TRUE(run.strOut.starts_with("result: 0\n")) << run.strOut << run.strErr;
    EXPECT_EQ(run.strErr.find("warning"), std::string::npos);
    // A password file that is no file is named as such.
    const CliRun folder = Fetch(m_site.Url("/locked"), "--password-file " + dir.Path());
    EXPECT_EQ(folder.nExit, 2);
    EXPECT_NE(folder.strErr.find("is a folder, not a file"), std::string::npos) << folder.strErr;
}

} // namespace
} // namespace tessaray
