#include "http_test_server.h"
#include "program_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

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
    server.Server().Get("/locked",
                        [](const httplib::Request& request, httplib::Response& response) {
                            if (request.get_header_value("Authorization") != "Basic dTpw") { // u:p
                                response.status = 401;
                                response.set_header("WWW-Authenticate", "Basic realm=\"x\"");
                                return;
                            }
                            response.set_content("page text", "text/html");
                        });
    server.Start();
    test::TempDir dir;

    const CliRun run = RunFetch(server.Url("/locked") + " --robots " + server.Url("/robots.txt") +
                                " --user u --password p --body " + dir.File("body.txt"));
    ASSERT_EQ(run.nExit, 0);
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
}

} // namespace
} // namespace tessaray
