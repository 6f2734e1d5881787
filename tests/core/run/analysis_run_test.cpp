#include "core/run/analysis_run.h"

#include "core/app/trace_log.h"
#include "core/project/project.h"
#include "core/results/json_report.h"
#include "core/results/report_text.h"
#include "core/results/result_table.h"
#include "core/util/file_util.h"
#include "http_test_server.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace tessaray {
namespace {

using Row = std::vector<std::string>;

// The output log as a list of lines.
class CListLog final : public IOutputLog {
public:
    void Clear() override { m_lines.clear(); }
    void AddLine(const std::string& text) override { m_lines.push_back(text); }
    void AppendToLastLine(const std::string& text) override {
        if (m_lines.empty()) {
            m_lines.push_back(text);
        } else {
            m_lines.back() += text;
        }
    }
    std::vector<std::string> m_lines;
};

const SOutputWords kWords{"analyzing ready", "loading", "analyzing", "ready",
                          "cannot start the fetch"};

constexpr const char* kDomain = "http://shop.example";

// A page of a partner with the given links (their tags written out in full).
std::string Page(const std::string& links, const std::string& head = "") {
    return "<html><head><title>t</title>" + head + "</head><body>" + links + "</body></html>";
}

class AnalysisRunTest : public ::testing::Test {
protected:
    AnalysisRunTest() : m_trace(m_traceBase.Path()) {
        m_server.Server().Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            const auto delay = m_delays.find(req.path);
            if (delay != m_delays.end()) {
                std::this_thread::sleep_for(delay->second);
            }
            const auto it = m_pages.find(req.path);
            if (it == m_pages.end()) {
                res.status = 404;
                return;
            }
            const auto type = m_contentTypes.find(req.path);
            res.set_content(it->second,
                            type == m_contentTypes.end() ? "text/html" : type->second.c_str());
            const auto header = m_headers.find(req.path);
            if (header != m_headers.end()) {
                res.set_header(header->second.first, header->second.second);
            }
        });
        m_server.Start();
        m_run.SetOutputWords(kWords);
        m_run.SetPostCallback([this](unsigned, int) { m_completions.Post(); });
    }

    // Serves body at path.
    void Serve(const std::string& path, const std::string& body,
               const std::string& contentType = "") {
        m_pages[path] = body;
        if (!contentType.empty()) {
            m_contentTypes[path] = contentType;
        }
    }

    // Makes a project of the partner entries and, when given, the external links.
    void MakeProject(const std::vector<std::string>& entries,
                     const std::vector<std::string>& externalLinks = {}) {
        m_project.StartNew(kDomain);
        for (const std::string& entry : entries) {
            m_project.AddPartnerUrl(entry);
        }
        CLineList links;
        for (const std::string& link : externalLinks) {
            links.Add(link);
        }
        m_project.SetExternalLinks(links);
        ASSERT_TRUE(m_project.Save(m_projectDir.File("p.tsrp")));
    }

    // Feeds completions to the run until it ends (bounded); beforeEach runs before each one.
    void RunToEnd(const std::function<void()>& beforeEach = {}) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (m_run.IsRunning() && std::chrono::steady_clock::now() < deadline) {
            if (m_completions.Take(std::chrono::milliseconds(100))) {
                if (beforeEach) {
                    beforeEach();
                }
                m_run.PageFetched();
            }
        }
        ASSERT_FALSE(m_run.IsRunning()) << "the run did not end within a minute";
    }

    // The verdict of the table's row.
    const SVerdict* VerdictAt(int row) const {
        return m_run.GetVerdicts().FindVerdict(m_table.GetRowKey(row));
    }
    // The eighteen cells of a row.
    Row RowAt(int row) const {
        Row cells;
        for (int col = 0; col < kColumnCount; ++col) {
            std::string text;
            EXPECT_TRUE(m_table.GetCellText(row, col, text));
            cells.push_back(text);
        }
        return cells;
    }

    // Switches tracing on through the switch file in the test's trace folder.
    bool SwitchTraceOn() {
        const std::string folder = m_traceBase.Path() + "/TSRAY";
        std::filesystem::create_directories(folder);
        WriteStringToFile(folder + "/TSRAY.ini", "[APPLICATION]\r\nCOPYRIGHT=Copyright (c) "
                                                 "Dalvero Works\r\n[SETTINGS]\r\nTRACE=1\r\n");
        m_trace.SetName("TSRAY");
        const bool on = m_trace.Init();
        m_run.SetTrace(on, "010102");
        return on;
    }

    std::string Url(const std::string& path) const { return m_server.Url(path); }

    // The pages outlive the server that serves them.
    std::map<std::string, std::string> m_pages;
    std::map<std::string, std::string> m_contentTypes;
    std::map<std::string, std::pair<std::string, std::string>> m_headers; // one more, by path
    std::map<std::string, std::chrono::milliseconds> m_delays;            // answers that come late
    test::HttpTestServer m_server;
    test::TempDir m_projectDir;
    test::TempDir m_traceBase;
    CProject m_project;
    CResultTable m_table;
    CListLog m_log;
    CTraceLog m_trace;
    CCompletionQueue m_completions;
    CAnalysisRun m_run{m_project, m_table, m_log, m_trace};
};

// The cells of a row with a link to the domain; the Server Header is left empty for comparison.
Row LinkRow(int row, const std::string& partner, const std::string& bytes, const std::string& in,
            const std::string& ex, const std::string& link, const std::string& text,
            const std::string& meta, const std::string& follow, const std::string& robots,
            const std::string& r3, const std::string& google, const std::string& comment = "") {
    return {std::to_string(row + 1),
            partner,
            "",
            "200",
            bytes,
            in,
            ex,
            link,
            "",
            text,
            "Yes",
            meta,
            follow,
            robots,
            r3,
            google,
            comment,
            ""};
}

// A row's cells with the Server Header cleared after checking that it is the raw header block.
Row WithoutHeader(Row cells) {
    EXPECT_EQ(cells[kColServerHeader].rfind("HTTP/1.1 ", 0), 0u) << cells[kColServerHeader];
    cells[kColServerHeader].clear();
    return cells;
}

TEST_F(AnalysisRunTest, EveryFurtherLinkGetsARowAtTheEndAndTheNextPartnerFollows) {
    const std::string three =
        Page("<a href=\"http://shop.example/\">Shop</a>"
             "<a href=\"/local.html\">here</a>"
             "<a href=\"http://shop.example/tea.html\" rel=\"nofollow\">Tea</a>"
             "<a href=\"https://www.shop.example/cups\">Cups</a>");
    const std::string one = Page("<a href=\"http://shop.example\">Our shop</a>");
    Serve("/one.html", one);
    Serve("/three.html", three);
    Serve("/last.html", Page("<a href=\"http://shop.example/x\">X</a>"));
    MakeProject(
        {Url("/one.html") + " - first", Url("/three.html") + " - three links", Url("/last.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    const std::string size = std::to_string(three.size());
    ASSERT_EQ(m_table.GetRowCount(), 5);
    EXPECT_EQ(WithoutHeader(RowAt(0)), LinkRow(0, Url("/one.html"), std::to_string(one.size()), "0",
                                               "1", "http://shop.example", "Our shop", "NA",
                                               "Follow", "Allow", "", "N/A", "first"));
    // The partner's three links: rows n, n+1 and n+2 with the same page figures.
    EXPECT_EQ(WithoutHeader(RowAt(1)),
              LinkRow(1, Url("/three.html"), size, "1", "3", "http://shop.example/", "Shop", "NA",
                      "Follow", "Allow", "", "N/A", "three links"));
    EXPECT_EQ(WithoutHeader(RowAt(2)),
              LinkRow(2, Url("/three.html"), size, "1", "3", "http://shop.example/tea.html", "Tea",
                      "NA", "Nofollow", "Allow", "0", "N/A"));
    EXPECT_EQ(WithoutHeader(RowAt(3)),
              LinkRow(3, Url("/three.html"), size, "1", "3", "https://www.shop.example/cups",
                      "Cups", "NA", "Follow", "Allow", "", "N/A"));
    EXPECT_EQ(RowAt(4)[kColNo], "5");
    EXPECT_EQ(RowAt(4)[kColPartnerUrl], Url("/last.html"));
    EXPECT_EQ(RowAt(4)[kColYourUrl], "http://shop.example/x");
}

TEST_F(AnalysisRunTest, PageWithoutTheLinkIsNotListedAndLeavesTheVerdictsEmpty) {
    Serve("/none.html", Page("<a href=\"http://other.example/\">Other</a>",
                             "<meta name=\"robots\" content=\"nofollow\">"));
    MakeProject({Url("/none.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    ASSERT_EQ(m_table.GetRowCount(), 1);
    const Row row = WithoutHeader(RowAt(0));
    const std::string bytes = std::to_string(m_pages["/none.html"].size());
    EXPECT_EQ(row, (Row{"1", Url("/none.html"), "", "200", bytes, "0", "1", "", "", "", "No", "",
                        "", "", "0", "N/A", "", ""}));
}

TEST_F(AnalysisRunTest, CellsAreUtf8WhateverThePageCharset) {
    // The header's charset wins over the page's own <meta>; the Bytes cell counts bytes as sent.
    const std::string latin1 =
        Page("<a href=\"http://shop.example/\">Gr\xFCner Tee</a>", "<meta charset=\"utf-8\">");
    Serve("/latin1.html", latin1, "text/html; charset=ISO-8859-1");
    Serve("/meta.html", Page("<a href=\"http://shop.example/\">M\xFCller</a>",
                             "<meta http-equiv=Content-Type content='text/html; charset=cp1252'>"));
    Serve("/utf8.html", Page("<a href=\"http://shop.example/\">Dom\xC3\xA1\x63\xC3\xAD</a>"));
    MakeProject({Url("/latin1.html"), Url("/meta.html"), Url("/utf8.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    ASSERT_EQ(m_table.GetRowCount(), 3);
    EXPECT_EQ(RowAt(0)[kColAnchorText], "Gr\xC3\xBCner Tee");
    EXPECT_EQ(RowAt(0)[kColBytes], std::to_string(latin1.size()));
    EXPECT_EQ(RowAt(1)[kColAnchorText], "M\xC3\xBCller");
    EXPECT_EQ(RowAt(2)[kColAnchorText], "Dom\xC3\xA1\x63\xC3\xAD");
}

TEST_F(AnalysisRunTest, FailedFetchesStillGetTheirRows) {
    const int closed = test::UnusedPort();
    const std::string unreachable = "http://localhost:" + std::to_string(closed) + "/links.html";
    MakeProject({Url("/missing.html"), unreachable});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    ASSERT_EQ(m_table.GetRowCount(), 2);
    const Row missing = RowAt(0);
    EXPECT_EQ(missing[kColStatusCode], "404");
    EXPECT_EQ(missing[kColBytes], "0");
    EXPECT_EQ(missing[kColListed], "No");
    EXPECT_EQ(missing[kColServerHeader].rfind("HTTP/1.1 404", 0), 0u);
    EXPECT_EQ(RowAt(1), (Row{"2", unreachable, "", "0", "0", "0", "0", "", "", "", "No", "", "", "",
                             "0", "N/A", "", ""}));
    EXPECT_EQ(m_log.m_lines.back(), "analyzing ready");
}

TEST_F(AnalysisRunTest, OutputLogOfATwoPartnerRun) {
    Serve("/", Page(""));
    Serve("/x.html", Page(""));
    MakeProject({Url("/"), Url("/x.html")});
    m_log.AddLine("left over from before");

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    // The partner URL "http://127.0.0.1:PORT/" is stored without its trailing slash.
    const std::string first = Url("/").substr(0, Url("/").size() - 1);
    EXPECT_EQ(m_log.m_lines, (std::vector<std::string>{
                                 first + " - loading... ready;  analyzing ... ready",
                                 Url("/x.html") + " - loading... ready;  analyzing ... ready",
                                 "analyzing ready"}));
}

TEST_F(AnalysisRunTest, OutputWordsComeFromTheCaller) {
    Serve("/x.html", Page(""));
    MakeProject({Url("/x.html")});
    m_run.SetOutputWords({"analysieren fertig", "laden", "analysieren", "fertig", "-"});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    EXPECT_EQ(m_log.m_lines, (std::vector<std::string>{
                                 Url("/x.html") + " - laden... fertig;  analysieren ... fertig",
                                 "analysieren fertig"}));
}

TEST_F(AnalysisRunTest, GoogleColumnFollowsTheImportedList) {
    Serve("/A.html", Page(""));
    Serve("/b.html", Page(""));
    // An external link counts when it begins with the partner URL, without regard to case (the
    // list is stored in lower case, partners as written).
    MakeProject({Url("/A.html"), Url("/b.html")},
                {"http://elsewhere.example/page.html", Url("/a.html") + "?from=google"});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();
    EXPECT_EQ(RowAt(0)[kColGoogle], "Yes");
    EXPECT_EQ(RowAt(1)[kColGoogle], "No");
    // The page is fetched as written: a lower-cased path is a 404 on a case-sensitive server.
    EXPECT_EQ(RowAt(0)[kColStatusCode], "200");

    MakeProject({Url("/A.html")});
    ASSERT_TRUE(m_run.Start());
    RunToEnd();
    ASSERT_EQ(m_table.GetRowCount(), 1);
    EXPECT_EQ(RowAt(0)[kColGoogle], "N/A");
}

TEST_F(AnalysisRunTest, VerdictsOfMetaRobotsAndRobotsTxt) {
    const std::string link = "<a href=\"http://shop.example/\">Shop</a>";
    Serve("/robots.txt", "User-agent: *\nDisallow: /hidden.html");
    Serve("/hidden.html", Page(link));
    Serve("/meta.html", Page(link, "<meta name=\"robots\" content=\"index,nofollow\">"));
    Serve("/follow.html", Page(link, "<meta name=\"robots\" content=\"noindex,follow\">"));
    Serve("/about.html",
          Page(link, "<meta name=\"description\" content=\"How robots treat nofollow links\">"));
    MakeProject({Url("/hidden.html"), Url("/meta.html"), Url("/follow.html"), Url("/about.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    ASSERT_EQ(m_table.GetRowCount(), 4);
    // The last Disallow line has no line end and still counts.
    EXPECT_EQ(RowAt(0)[kColRobotsAllow], "Disallow");
    EXPECT_EQ(RowAt(0)[kColR3], "0");
    EXPECT_EQ(RowAt(1)[kColFollowMeta], "Nofollow");
    EXPECT_EQ(RowAt(1)[kColRobotsAllow], "Allow");
    EXPECT_EQ(RowAt(1)[kColR3], "0");
    EXPECT_EQ(RowAt(2)[kColFollowMeta], "Follow");
    EXPECT_EQ(RowAt(2)[kColR3], "");
    // A description that speaks of robots and nofollow is no robots meta tag (was "Nofollow").
    EXPECT_EQ(RowAt(3)[kColFollowMeta], "NA");
    EXPECT_EQ(VerdictAt(3)->eVerdict, EVerdict::Counts);
}

TEST_F(AnalysisRunTest, RobotsTxtBehindFiveRedirectsCountsAndA429ClosesTheSite) {
    const std::string page = Page("<a href=\"http://shop.example/\">Shop</a>");
    test::HttpTestServer moved;
    for (int hop = 0; hop < 5; ++hop) {
        const std::string from = hop == 0 ? "/robots.txt" : "/r" + std::to_string(hop);
        const std::string to = hop == 4 ? "/real-robots.txt" : "/r" + std::to_string(hop + 1);
        moved.Server().Get(from, [to](const httplib::Request&, httplib::Response& res) {
            res.set_redirect(to, 301);
        });
    }
    moved.Server().Get("/real-robots.txt", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("User-agent: *\nDisallow: /links.html\n", "text/plain");
    });
    test::HttpTestServer busy;
    for (auto* site : {&moved, &busy}) {
        site->Server().Get("/links.html", [&page](const httplib::Request&, httplib::Response& res) {
            res.set_content(page, "text/html");
        });
    }
    busy.Server().Get("/robots.txt",
                      [](const httplib::Request&, httplib::Response& res) { res.status = 429; });
    moved.Start();
    busy.Start();
    MakeProject({moved.Url("/links.html"), busy.Url("/links.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    ASSERT_EQ(m_table.GetRowCount(), 2);
    for (int number : {1, 2}) {
        const SVerdict* verdict = VerdictAt(number - 1);
        ASSERT_NE(verdict, nullptr);
        EXPECT_EQ(verdict->eVerdict, EVerdict::DoesNotCount);
        ASSERT_FALSE(verdict->reasons.empty());
        EXPECT_EQ(verdict->reasons[0],
                  (SReason{EReason::RobotsTxtDisallowed, number == 1 ? "" : "429"}));
    }
}

TEST_F(AnalysisRunTest, EveryRowGetsItsVerdictBesideItsCells) {
    const std::string link = "<a href=\"http://shop.example/\">Shop</a>";
    Serve("/robots.txt", "User-agent: Googlebot\nDisallow: /private/\n");
    Serve("/private/links.html", Page(link));
    Serve("/ugc.html", Page("<a rel=ugc href=\"http://shop.example/a\">A</a>" + link));
    Serve("/noindex.html", Page(link));
    m_headers["/noindex.html"] = {"X-Robots-Tag", "noindex"};
    // NUL bytes are data (they cut the page); compressed bytes nobody asked for hide the link.
    Serve("/nul.html", Page(std::string("<p>\0</p>", 8) + link));
    Serve("/gzip.html", std::string("\x1F\x8B\x08\0", 4));
    m_headers["/gzip.html"] = {"Content-Encoding", "gzip"};
    // A relative link goes where <base href> sends it (it was missing); a link only inside
    // <noscript> counts with a warning.
    Serve("/base.html", Page("<a href=\"/p\">P</a>", "<base href=\"http://shop.example/\">"));
    Serve("/noscript.html", Page("<noscript>" + link + "</noscript>"));
    Serve("/none.html", Page("<a href=\"http://other.test/\">x</a>"));
    // A server that goes silent in the middle of the body (libcurl averages the speed over a few
    // seconds, so the abandoned page costs some seconds).
    test::RawTestServer silent([](test::RawTestServer::Connection& connection) {
        if (connection.ReadRequest().starts_with("GET /robots.txt")) {
            connection.Send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n<html><body>");
        connection.WaitUntilStopped();
    });
    CFetchSettings settings;
    settings.m_lowSpeedTime = std::chrono::seconds(1);
    m_run.SetFetchSettings(settings);
    MakeProject({Url("/private/links.html"), Url("/ugc.html"), Url("/noindex.html"),
                 Url("/none.html"), silent.Url("/links.html"), Url("/nul.html"), Url("/gzip.html"),
                 Url("/base.html"), Url("/noscript.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    ASSERT_EQ(m_table.GetRowCount(), 10);
    const CRunVerdicts& verdicts = m_run.GetVerdicts();
    const auto codes = [&](int number) {
        std::vector<std::string> found;
        const SVerdict* verdict = VerdictAt(number - 1);
        if (verdict != nullptr) {
            found.emplace_back(VerdictCode(verdict->eVerdict));
            for (const SReason& reason : verdict->reasons) {
                found.emplace_back(ReasonCode(reason.eCode));
            }
        }
        return found;
    };
    // The literal cell keeps its exact-path rule; the verdict reads robots.txt as Googlebot does.
    EXPECT_EQ(RowAt(0)[kColRobotsAllow], "Allow");
    EXPECT_EQ(codes(1), (std::vector<std::string>{"does-not-count", "robots-txt-disallowed",
                                                  "robots-rule-differs"}));
    EXPECT_EQ(codes(2), (std::vector<std::string>{"does-not-count", "rel-ugc"}));
    EXPECT_EQ(codes(3), (std::vector<std::string>{"counts"})); // the second link of ugc.html
    EXPECT_EQ(codes(4), (std::vector<std::string>{"does-not-count", "noindex"}));
    EXPECT_EQ(codes(5), (std::vector<std::string>{"missing"}));
    EXPECT_EQ(codes(6), (std::vector<std::string>{"unreachable", "incomplete"}));
    EXPECT_EQ(RowAt(5)[kColListed], "No");
    EXPECT_EQ(codes(7), (std::vector<std::string>{"counts"}));
    EXPECT_EQ(codes(8), (std::vector<std::string>{"unreachable", "undecodable"}));
    EXPECT_EQ(RowAt(8)[kColYourUrl], "http://shop.example/p");
    EXPECT_EQ(codes(9), (std::vector<std::string>{"counts"}));
    EXPECT_EQ(codes(10), (std::vector<std::string>{"counts", "in-noscript"}));
    EXPECT_EQ(m_log.m_lines[4], silent.Url("/links.html") +
                                    " - loading... broken off after 12 bytes (server went silent);"
                                    "  analyzing ... ready");

    ASSERT_EQ(verdicts.Partners().size(), 9u);
    EXPECT_EQ(verdicts.Partners()[1].verdict.eVerdict, EVerdict::Counts);
    EXPECT_EQ(verdicts.Partners()[1].nFirstRow, 2);
    EXPECT_EQ(verdicts.Partners()[1].RowCount(), 2);
    EXPECT_EQ(SummaryText(verdicts.Summary(), 'E'),
              "9 partners: 4 count, 2 do not count, 1 missing, 2 unreachable");
}

TEST_F(AnalysisRunTest, LinkPagesAnswerWhetherYouLinkBack) {
    // Every *.localhost name is the loopback address; the server answers by path. The partners'
    // sites are spelt with and without "www.", the user's links with the other scheme and spelling,
    // another path and a trailing "/".
    const std::string port = std::to_string(m_server.Port());
    const auto site = [&port](const std::string& host) { return host + ".localhost:" + port; };
    const std::string link = "<a href=\"http://shop.example/\">Shop</a>";
    Serve("/a.html", Page(link));
    Serve("/b.html", Page(""));
    Serve("/c.html", Page(link));
    Serve("/d.html", Page(link));
    Serve("/e.html", Page("<a rel=nofollow href=\"http://shop.example/\">Shop</a>"));
    Serve("/mine1.html", Page("<a href=\"https://www." + site("a") + "/\">A</a>" +
                              "<a href=\"http://" + site("b") + "/other/\">B</a>" +
                              "<a rel=nofollow href=\"http://" + site("e") + "\">E</a>"));
    Serve("/mine2.html", Page("<a rel=\"sponsored\" href=\"//" + site("c") + "/c.html\">C</a>" +
                              "<a href=\"http://" + site("e") + "/x\">E</a>"));
    MakeProject({"http://" + site("a") + "/a.html", "http://www." + site("b") + "/b.html",
                 "http://" + site("c") + "/c.html", "http://" + site("d") + "/d.html",
                 "http://www." + site("e") + "/e.html"});
    const std::string mine1 = "http://" + site("shop") + "/mine1.html";
    const std::string mine2 = "http://" + site("shop") + "/mine2.html";

    struct SCase {
        std::vector<std::string> pages;
        // Per partner: the answer, its page and the warning it adds.
        std::vector<std::tuple<EYouLink, std::string, std::string>> answers;
        int nOneSided;
    };
    const std::string none;
    const std::vector<SCase> cases = {
        {{mine1, mine2},
         {{EYouLink::Followed, mine1, none},
          {EYouLink::Followed, mine1, "one-sided"},
          {EYouLink::Nofollow, mine2, none},
          {EYouLink::None, none, "you-do-not-link-back"},
          {EYouLink::Followed, mine2, "one-sided"}},
         2},
        // A page that cannot be read leaves every answer but a followed link open.
        {{mine1, "http://" + site("shop") + "/gone.html"},
         {{EYouLink::Followed, mine1, none},
          {EYouLink::Followed, mine1, "one-sided"},
          {EYouLink::Unknown, none, none},
          {EYouLink::Unknown, none, none},
          {EYouLink::Unknown, none, none}},
         1},
    };
    // The answers do not depend on the window: no partner is shown before the link pages are in.
    for (const auto& [test, window] :
         {std::pair(cases[0], SFetchWindow{1, 1}), std::pair(cases[0], SFetchWindow{8, 2}),
          std::pair(cases[1], SFetchWindow{8, 2})}) {
        SCOPED_TRACE(test.pages.back() + " " + std::to_string(window.nParallel));
        m_project.SetMyLinkPages(test.pages);
        ASSERT_TRUE(m_project.Save(m_projectDir.File("p.tsrp")));
        m_run.SetFetchWindow(window);
        ASSERT_TRUE(m_run.Start());
        RunToEnd();
        const CRunVerdicts& verdicts = m_run.GetVerdicts();
        ASSERT_EQ(verdicts.Partners().size(), 5u);
        ASSERT_EQ(m_table.GetRowCount(), 5); // the link pages make no rows
        for (std::size_t i = 0; i < 5; ++i) {
            const SPartnerResult& partner = verdicts.Partners()[i];
            const auto& [eYouLink, from, warning] = test.answers[i];
            SCOPED_TRACE(partner.strUrl);
            ASSERT_TRUE(partner.reciprocal);
            EXPECT_EQ(partner.reciprocal->eYouLink, eYouLink);
            EXPECT_EQ(partner.reciprocal->strFrom, from);
            std::vector<SReason> expected;
            if (!warning.empty()) {
                expected.push_back(
                    {warning == "one-sided" ? EReason::OneSided : EReason::YouDoNotLinkBack,
                     warning == "one-sided" ? from : none});
            }
            std::vector<SReason> found;
            for (const SReason& reason : VerdictAt(static_cast<int>(i))->reasons) {
                if (reason.eCode == EReason::OneSided ||
                    reason.eCode == EReason::YouDoNotLinkBack) {
                    found.push_back(reason);
                }
            }
            EXPECT_EQ(found, expected);
        }
        // Neither warning changes a verdict.
        EXPECT_EQ(SummaryText(verdicts.Summary(), 'E'),
                  "5 partners: 3 count, 1 does not count, 1 missing, 0 unreachable");
        EXPECT_EQ(verdicts.Summary().nOneSided, test.nOneSided);
    }
    EXPECT_EQ(TakeWithoutGivingText(1, 'E'), "1 partner takes without giving");
    EXPECT_EQ(TakeWithoutGivingText(3, 'G'), "3 Partner nehmen, ohne zu geben");
}

TEST_F(AnalysisRunTest, StopDuringTheThirdFetchCompletesItsRowAndLeavesNoTraceFile) {
    ASSERT_TRUE(SwitchTraceOn());
    for (const char* path : {"/1.html", "/2.html", "/3.html", "/4.html"}) {
        Serve(path, Page("<a href=\"http://shop.example/\">Shop</a>"));
    }
    // The fourth page is fetched while the third is slow: Stop keeps its row too; the fifth is
    // never asked for.
    m_delays["/3.html"] = std::chrono::milliseconds(300);
    MakeProject({Url("/1.html"), Url("/2.html"), Url("/3.html"), Url("/4.html"), Url("/5.html")});
    // A trace file of an earlier run goes at the start of this one.
    WriteStringToFile(m_trace.GetTraceFile(), "old");

    ASSERT_TRUE(m_run.Start());
    RunToEnd([this] {
        if (m_run.GetPartnerNumber() == 3) {
            m_run.Stop();
        }
    });

    EXPECT_EQ(m_run.GetRunEnd(), ERunEnd::Stopped);
    ASSERT_EQ(m_table.GetRowCount(), 4);
    EXPECT_EQ(RowAt(2)[kColPartnerUrl], Url("/3.html"));
    EXPECT_EQ(RowAt(2)[kColListed], "Yes");
    EXPECT_EQ(RowAt(2)[kColR3], "");
    EXPECT_EQ(RowAt(3)[kColPartnerUrl], Url("/4.html"));
    EXPECT_EQ(RowAt(3)[kColListed], "Yes");
    ASSERT_EQ(m_log.m_lines.size(), 5u);
    EXPECT_EQ(m_log.m_lines[2], Url("/3.html") + " - loading... ready;  analyzing ... ready");
    EXPECT_EQ(m_log.m_lines[4], "analyzing ready");
    EXPECT_FALSE(FileExists(m_trace.GetTraceFile()));
    EXPECT_EQ(SummaryText(m_run.GetVerdicts(), 'E'),
              "4 partners: 4 count, 0 do not count, 0 missing, 0 unreachable (stopped after 4 of "
              "5 partners)");

    // The next run starts afresh although Stop was pressed before; a Stop while the last
    // partner is fetched leaves a completed run.
    ASSERT_TRUE(m_run.Start());
    RunToEnd([this] {
        if (m_run.GetPartnerNumber() == 5) {
            m_run.Stop();
        }
    });
    EXPECT_EQ(m_run.GetRunEnd(), ERunEnd::Completed);
    EXPECT_FALSE(m_run.GetVerdicts().IsStopped());
    EXPECT_EQ(m_table.GetRowCount(), 5);
    EXPECT_TRUE(FileExists(m_trace.GetTraceFile()));
}

// A partner the check finds worse is fetched again after the pause, which holds no place in the
// window; Stop does not wait for it: the first answer stands, unconfirmed.
TEST_F(AnalysisRunTest, ConfirmationPauseHoldsNoPlaceAndStopDoesNotWaitForIt) {
    Serve("/1.html", Page("<a href=\"http://other.example/\">x</a>"));
    Serve("/2.html", Page("<a href=\"http://shop.example/\">Shop</a>"));
    MakeProject({Url("/1.html"), Url("/2.html")});
    const auto missing = [](const SPartnerResult& result) {
        return result.verdict.eVerdict == EVerdict::Missing;
    };
    m_run.SetConfirmation(std::chrono::minutes(1), missing);
    ASSERT_TRUE(m_run.Start());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (m_run.GetFetchesInFlight() > 0 && std::chrono::steady_clock::now() < deadline) {
        if (m_completions.Take(std::chrono::milliseconds(100))) {
            m_run.PageFetched();
        }
    }
    ASSERT_EQ(m_run.GetFetchesInFlight(), 0);
    EXPECT_EQ(m_run.GetPartnersDone(), 0); // the first partner waits for its second answer
    m_run.Stop();
    EXPECT_FALSE(m_run.IsRunning());
    ASSERT_EQ(m_table.GetRowCount(), 2);
    EXPECT_EQ(VerdictAt(0)->eVerdict, EVerdict::Missing);
    EXPECT_FALSE(m_run.GetVerdicts().FindPartner(0)->confirmed);

    m_run.SetConfirmation(std::chrono::milliseconds(100), missing);
    ASSERT_TRUE(m_run.Start());
    RunToEnd();
    ASSERT_EQ(m_table.GetRowCount(), 2);
    ASSERT_TRUE(m_run.GetVerdicts().FindPartner(0)->confirmed);
    EXPECT_EQ(m_run.GetVerdicts().FindPartner(0)->confirmed->verdict.eVerdict, EVerdict::Missing);
    EXPECT_FALSE(m_run.GetVerdicts().FindPartner(1)->confirmed);
}

TEST_F(AnalysisRunTest, TraceFileAndPageDumps) {
    ASSERT_TRUE(SwitchTraceOn());
    const std::string page = Page("<a href=\"http://shop.example/\">Shop</a>");
    Serve("/x.html", page);
    MakeProject({Url("/x.html"), Url("/missing.html")});
    // The dump of http://127.0.0.1:PORT/x.html goes to the sub-folder 127_0_0_1:PORT, which
    // the program does not create; the second page's dump lands there too.
    const std::string host = "127_0_0_1:" + std::to_string(m_server.Port());
    std::filesystem::create_directories(m_trace.GetFolder() + "/" + host);

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    EXPECT_EQ(test::ReadAll(m_trace.GetFolder() + "/" + host + "/x_html.htm"), page);
    EXPECT_TRUE(FileExists(m_trace.GetFolder() + "/" + host + "/missing_html.htm"));
    const std::string equals(80, '=');
    const std::string dashes(80, '-');
    const std::string expected = "Version=010102\r\n" + std::string(80, '#') + "\r\n \r\n" +
                                 equals + "\r\n" + "Line=0; PartnerUrl=" + Url("/x.html") + "\r\n" +
                                 "b1=1, b2=1, b3=1, b4=1, csText=Allow\r\n" +
                                 "Inheritance: Line=0 PR=0 ExtLinks=1 IntLinks=0 Inheritance=\r\n" +
                                 dashes + "\r\n" + equals + "\r\n" +
                                 "Line=1; PartnerUrl=" + Url("/missing.html") + "\r\n" +
                                 "b1=0, b2=0, b3=0, b4=0, csText=\r\n" + dashes + "\r\n";
    EXPECT_EQ(test::ReadAll(m_trace.GetTraceFile()), expected);
}

TEST_F(AnalysisRunTest, PageDumpNames) {
    EXPECT_EQ(CAnalysisRun::PageDumpName("http://a.test/x.html"), "a_test/x_html.htm");
    EXPECT_EQ(CAnalysisRun::PageDumpName("http://a.test"), "a_test.htm");
    EXPECT_EQ(CAnalysisRun::PageDumpName("https://a.test/p.html"), "a_test/p_html.htm");
    // Every scheme is removed, also one inside the URL; no ".." can be formed.
    EXPECT_EQ(CAnalysisRun::PageDumpName("http://a.test/go?u=http://b.test/../x"),
              "a_test/go?u=b_test/__/x.htm");
}

TEST_F(AnalysisRunTest, RankFetchedNeitherStartsNorDisturbsARun) {
    Serve("/x.html", Page("<a href=\"http://shop.example/\">Shop</a>"));
    MakeProject({Url("/x.html"), Url("/y.html")});

    // Idle: nothing happens.
    m_run.RankFetched();
    EXPECT_FALSE(m_run.IsRunning());
    EXPECT_EQ(m_table.GetRowCount(), 0);
    EXPECT_TRUE(m_log.m_lines.empty());

    // While the page is fetched the run keeps waiting for it.
    ASSERT_TRUE(m_run.Start());
    m_run.RankFetched();
    EXPECT_TRUE(m_run.IsRunning());
    EXPECT_EQ(m_table.GetRowCount(), 1);
    RunToEnd();
    EXPECT_EQ(m_table.GetRowCount(), 2);
    EXPECT_EQ(RowAt(0)[kColR1], "");
}

TEST_F(AnalysisRunTest, LateCompletionsChangeNothing) {
    Serve("/x.html", Page(""));
    MakeProject({Url("/x.html")});
    ASSERT_TRUE(m_run.Start());
    RunToEnd();
    const std::vector<std::string> lines = m_log.m_lines;

    m_run.PageFetched();
    m_run.Stop();
    m_run.PageFetched();

    EXPECT_FALSE(m_run.IsRunning());
    EXPECT_EQ(m_log.m_lines, lines);
    EXPECT_EQ(m_table.GetRowCount(), 1);
}

TEST_F(AnalysisRunTest, StartNeedsASavedCompleteProjectAndNoRunningOne) {
    Serve("/x.html", Page(""));
    // The first partner slot is empty: no run, no message.
    m_project.StartNew(kDomain);
    static_cast<void>(m_project.Save(m_projectDir.File("empty.tsrp")));
    ASSERT_FALSE(m_project.IsModified());
    EXPECT_FALSE(m_run.Start());
    EXPECT_FALSE(m_run.IsRunning());
    EXPECT_TRUE(m_log.m_lines.empty());

    // A modified project is saved first; when it stays modified, nothing starts.
    m_project.AddPartnerUrl(Url("/x.html"));
    int saves = 0;
    m_run.SetSaveCommand([&] { ++saves; });
    EXPECT_FALSE(m_run.Start());
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(m_run.IsRunning());

    m_run.SetSaveCommand([&] {
        ++saves;
        static_cast<void>(m_project.Save(m_projectDir.File("saved.tsrp")));
    });
    ASSERT_TRUE(m_run.Start());
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(m_project.GetPageRankOption());
    // A second Start while the first run is active does nothing.
    EXPECT_FALSE(m_run.Start());
    EXPECT_EQ(m_table.GetRowCount(), 1);
    RunToEnd();
    EXPECT_EQ(m_log.m_lines.size(), 2u);
}

// A site of a generated web: serves its pages (each with a status, a delay or a redirect) and
// counts the requests it handles at once, the most of them in all sites together, and its
// robots.txt requests.
// A renderer that answers from a table by URL (a page not in it stays unanswered) and records
// what it was asked.
class CFakeRenderer final : public IPageRenderer {
public:
    struct SState {
        std::map<std::string, SRenderedPage> pages;
        std::vector<std::string> submitted;
        bool bCancelled = false;
    };
    CFakeRenderer(std::shared_ptr<SState> state, PostCallback post)
        : m_state(std::move(state)), m_post(std::move(post)) {}
    void Submit(int nId, std::string url, std::string) override {
        m_state->submitted.push_back(url);
        const auto it = m_state->pages.find(url);
        if (it != m_state->pages.end()) {
            m_done.emplace_back(nId, it->second);
            m_post();
        }
    }
    std::vector<std::pair<int, SRenderedPage>> TakeDone() override { return std::move(m_done); }
    void Cancel() override { m_state->bCancelled = true; }

private:
    std::shared_ptr<SState> m_state;
    PostCallback m_post;
    std::vector<std::pair<int, SRenderedPage>> m_done;
};

// Which partners each mode renders, and what rendering changes: a partner with a counting link,
// one without (a script makes it), one that answers 404; and a browser that does not start.
TEST_F(AnalysisRunTest, RenderModesPickThePagesAndTheTurnWaitsForThem) {
    Serve("/count.html", Page("<a href=\"http://shop.example/\">Shop</a>"));
    Serve("/script.html", Page("<script>document.write('...')</script>"));
    MakeProject({Url("/count.html"), Url("/script.html"), Url("/gone.html")});
    const struct {
        ERenderMode eMode;
        bool bStarts;
        std::vector<std::string> submitted;
        std::vector<std::string> verdicts; // per row: verdict, first reason, rendered
    } cases[] = {
        {ERenderMode::Auto,
         true,
         {Url("/script.html")},
         {"counts - no", "counts script-inserted yes", "unreachable http-status no"}},
        {ERenderMode::Always,
         true,
         {Url("/count.html"), Url("/script.html")},
         {"does-not-count hidden yes", "counts script-inserted yes", "unreachable http-status no"}},
        {ERenderMode::Off, true, {}, {"counts - no", "missing - no", "unreachable http-status no"}},
        {ERenderMode::Auto,
         false,
         {},
         {"counts - no", "missing - failed", "unreachable http-status no"}},
    };
    for (const auto& c : cases) {
        auto state = std::make_shared<CFakeRenderer::SState>();
        state->pages[Url("/count.html")] = {
            true, "", "", {{"http://shop.example/", "Shop", {}, "same-colour"}}, {}};
        state->pages[Url("/script.html")] = {
            true, "", "", {{"http://shop.example/js", "Shop", {}, ""}}, {}};
        int nStarted = 0;
        m_run.SetRenderer(c.eMode,
                          [&](IPageRenderer::PostCallback post,
                              std::string& error) -> std::unique_ptr<IPageRenderer> {
                              ++nStarted;
                              if (!c.bStarts) {
                                  error = "no browser";
                                  return nullptr;
                              }
                              return std::make_unique<CFakeRenderer>(state, std::move(post));
                          });
        SOutputWords words = kWords;
        words.strRenderFailed = "cannot render: %1";
        m_run.SetOutputWords(words);
        ASSERT_TRUE(m_run.Start());
        RunToEnd();
        const char* mode = RenderModeCode(c.eMode).data();
        EXPECT_EQ(state->submitted, c.submitted) << mode;
        EXPECT_EQ(nStarted, c.bStarts ? (c.submitted.empty() ? 0 : 1) : 1) << mode;
        std::vector<std::string> verdicts;
        for (const SPartnerResult& partner : m_run.GetVerdicts().Partners()) {
            for (int row = 0; row < partner.RowCount(); ++row) {
                const SVerdict& verdict = *m_run.GetVerdicts().FindVerdict(partner.KeyOfRow(row));
                verdicts.push_back(std::string(VerdictCode(verdict.eVerdict)) + " " +
                                   (verdict.reasons.empty()
                                        ? "-"
                                        : std::string(ReasonCode(verdict.reasons[0].eCode))) +
                                   " " +
                                   (partner.eRendered == ERendered::Yes      ? "yes"
                                    : partner.eRendered == ERendered::Failed ? "failed"
                                                                             : "no"));
            }
        }
        EXPECT_EQ(verdicts, c.verdicts) << mode;
        const bool bSaysWhy = std::count(m_log.m_lines.begin(), m_log.m_lines.end(),
                                         "cannot render: no browser") == 1;
        EXPECT_EQ(bSaysWhy, !c.bStarts) << mode;
    }
}

// Stop does not wait for the browser: it is cancelled, and the raw reading stands.
TEST_F(AnalysisRunTest, StopCancelsTheRendering) {
    Serve("/1.html", Page(""));
    m_delays["/2.html"] = std::chrono::milliseconds(500);
    MakeProject({Url("/1.html"), Url("/2.html")});
    auto state = std::make_shared<CFakeRenderer::SState>(); // answers nothing
    m_run.SetRenderer(ERenderMode::Always, [&](IPageRenderer::PostCallback post, std::string&) {
        return std::make_unique<CFakeRenderer>(state, std::move(post));
    });
    ASSERT_TRUE(m_run.Start());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (state->submitted.empty() && std::chrono::steady_clock::now() < deadline) {
        if (m_completions.Take(std::chrono::milliseconds(100))) {
            m_run.PageFetched();
        }
    }
    m_run.Stop();
    RunToEnd();
    EXPECT_TRUE(state->bCancelled);
    EXPECT_EQ(m_run.GetRunEnd(), ERunEnd::Stopped);
    ASSERT_EQ(m_run.GetVerdicts().Partners().size(), 1u);
    const SPartnerResult& partner = m_run.GetVerdicts().Partners()[0];
    EXPECT_EQ(partner.eRendered, ERendered::Failed);
    EXPECT_EQ(partner.verdict.eVerdict, EVerdict::Missing);
}

class CTestSite {
public:
    struct SPage {
        int nStatus = 200;
        std::string strBody;
        std::chrono::milliseconds delay{0};
        std::string strLocation;
    };

    CTestSite(std::atomic<int>& totalInFlight, std::atomic<int>& totalMax) {
        m_server.Server().Get(".*", [&, this](const httplib::Request& req, httplib::Response& res) {
            Raise(m_nMaxInFlight, ++m_nInFlight);
            Raise(totalMax, ++totalInFlight);
            m_nRobots += req.path == "/robots.txt" ? 1 : 0;
            {
                std::lock_guard lock(m_portsMutex);
                m_ports.insert(req.remote_port);
                ++m_nRequests;
            }
            const auto it = m_pages.find(req.path);
            if (it == m_pages.end()) {
                res.status = 404;
            } else {
                std::this_thread::sleep_for(it->second.delay);
                res.status = it->second.nStatus;
                if (!it->second.strLocation.empty()) {
                    res.set_header("Location", it->second.strLocation);
                }
                res.set_content(it->second.strBody, "text/html");
            }
            --totalInFlight;
            --m_nInFlight;
        });
        // The header of a response must not depend on how many came before on its connection.
        m_server.Server().set_keep_alive_max_count(1000);
        m_server.Start();
    }

    void Serve(const std::string& path, SPage page) { m_pages[path] = std::move(page); }
    std::string Url(const std::string& path) const { return m_server.Url(path); }
    int MaxInFlight() const { return m_nMaxInFlight; }
    int RobotsRequests() const { return m_nRobots; }
    // Requests and connections (told apart by the client's port) so far.
    int Requests() {
        std::lock_guard lock(m_portsMutex);
        return m_nRequests;
    }
    int Connections() {
        std::lock_guard lock(m_portsMutex);
        return static_cast<int>(m_ports.size());
    }

private:
    static void Raise(std::atomic<int>& most, int now) {
        int seen = most.load();
        while (now > seen && !most.compare_exchange_weak(seen, now)) {
        }
    }

    std::map<std::string, SPage> m_pages; // filled before the first request
    std::atomic<int> m_nInFlight{0};
    std::atomic<int> m_nMaxInFlight{0};
    std::atomic<int> m_nRobots{0};
    std::mutex m_portsMutex;
    std::set<int> m_ports;
    int m_nRequests = 0;
    test::HttpTestServer m_server;
};

// What a run leaves: every cell, the output log, the CSV text and the JSON report without its
// time stamps.
struct SRunResult {
    std::vector<Row> rows;
    std::vector<std::string> log;
    std::string strCsv;
    std::string strJson;
};

class FetchWindowTest : public AnalysisRunTest {
protected:
    static constexpr int kSites = 4;

    FetchWindowTest() {
        for (int i = 0; i < kSites; ++i) {
            m_sites.push_back(std::make_unique<CTestSite>(m_nTotalInFlight, m_nTotalMax));
        }
    }

    // Seven partners per site: slow, missing, failing, redirected, with two links, without a
    // link, redirected to another host; robots.txt slow, missing, failing or disallowing. The
    // first site's partners come together, the others' interleaved; an unreachable partner and a
    // comment among them.
    std::vector<std::string> MakeWeb() {
        const std::string link = "<a href=\"http://shop.example/\">Shop</a>";
        const std::string two = link + "<a rel=ugc href=\"http://shop.example/b\">B</a>";
        using namespace std::chrono_literals;
        for (int s = 0; s < kSites; ++s) {
            CTestSite& site = *m_sites[static_cast<std::size_t>(s)];
            site.Serve("/p0.html", {200, Page(link), 120ms, ""});
            site.Serve("/p2.html", {500, Page(link), 0ms, ""});
            site.Serve("/p3.html", {301, "", 0ms, "/t3.html"});
            site.Serve("/t3.html", {200, Page(two), 0ms, ""});
            site.Serve("/p4.html", {200, Page(two), 40ms, ""});
            site.Serve("/p5.html", {200, Page("<a href=\"http://other.test/\">x</a>"), 0ms, ""});
            const std::string path = "/p" + std::to_string(s) + ".html";
            m_elsewhere.Serve(path, {200, Page(s % 2 == 0 ? link : two), 0ms, ""});
            site.Serve("/p6.html", {302, "", 0ms, m_elsewhere.Url(path)});
        }
        m_sites[0]->Serve("/robots.txt", {200, "User-agent: *\nDisallow: /p4.html\n", 0ms, ""});
        m_sites[1]->Serve("/robots.txt", {200, "User-agent: Googlebot\nDisallow: /p0\n",
                                          std::chrono::milliseconds(200), ""});
        m_sites[3]->Serve("/robots.txt", {500, "oops", 0ms, ""});

        std::vector<std::string> entries;
        for (int k = 0; k < 7; ++k) {
            entries.push_back(m_sites[0]->Url("/p" + std::to_string(k) + ".html"));
        }
        entries.back() += " - a comment";
        entries.insert(entries.begin() + 1, m_silent.Url("/hangs.html"));
        entries.push_back("http://localhost:" + std::to_string(test::UnusedPort()) + "/x.html");
        for (int k = 0; k < 7; ++k) {
            for (int s = 1; s < kSites; ++s) {
                entries.push_back(
                    m_sites[static_cast<std::size_t>(s)]->Url("/p" + std::to_string(k) + ".html"));
            }
        }
        return entries;
    }

    SRunResult Run(SFetchWindow window) {
        m_run.SetFetchWindow(window);
        EXPECT_TRUE(m_run.Start());
        RunToEnd();
        EXPECT_EQ(m_run.GetRunEnd(), ERunEnd::Completed);
        SRunResult result;
        for (int row = 0; row < m_table.GetRowCount(); ++row) {
            Row& cells = result.rows.emplace_back();
            for (int col = 0; col < kColumnCount; ++col) {
                cells.emplace_back(m_table.GetCellView(row, col));
            }
        }
        result.log = m_log.m_lines;
        result.strCsv = BuildCsvText(m_table, kReportHeaderLines);
        std::ostringstream json;
        WriteJsonReport(json, m_table, m_run.GetVerdicts(), {});
        static const std::regex stamps("\"(started|finished)\": \"[^\"]*\"");
        result.strJson = std::regex_replace(json.str(), stamps, "");
        return result;
    }

    std::atomic<int> m_nTotalInFlight{0};
    std::atomic<int> m_nTotalMax{0};
    std::vector<std::unique_ptr<CTestSite>> m_sites;
    // A partner that never answers.
    test::RawTestServer m_silent{
        [](test::RawTestServer::Connection& connection) { connection.WaitUntilStopped(); }};
    // Where redirects lead: requests there count for the partner's site, not this one.
    CTestSite m_elsewhere{m_nTotalInFlight, m_nTotalMax};
};

TEST_F(FetchWindowTest, ParallelRunGivesTheSameResultsAsOneAtATime) {
    MakeProject(MakeWeb());
    CFetchSettings settings;
    settings.m_totalTimeout = std::chrono::seconds(2); // for the partner that hangs
    m_run.SetFetchSettings(settings);
    const SRunResult single = Run({1, 1});
    for (const auto& site : m_sites) {
        EXPECT_EQ(site->MaxInFlight(), 1);
    }
    const SRunResult parallel = Run({8, 2});
    // Only the partner in turn may start while a result waits: the run still ends, the same.
    m_run.SetWaitingLimit(0);
    const SRunResult bounded = Run({8, 2});

    ASSERT_EQ(single.rows.size(), 40u);
    for (const SRunResult* run : {&parallel, &bounded}) {
        EXPECT_EQ(run->rows, single.rows);
        EXPECT_EQ(run->log, single.log);
        EXPECT_EQ(run->strCsv, single.strCsv);
        EXPECT_EQ(run->strJson, single.strJson);
    }
    // Every run asked each site for its robots.txt once; no site saw more than two requests at
    // once, nor all of them more than eight; connections were used again.
    for (const auto& site : m_sites) {
        EXPECT_EQ(site->RobotsRequests(), 3);
        EXPECT_LE(site->MaxInFlight(), 2);
        EXPECT_LT(site->Connections(), site->Requests());
    }
    EXPECT_LE(m_nTotalMax.load(), 8);
    EXPECT_GT(m_nTotalMax.load(), 2); // the window was used
}

TEST_F(FetchWindowTest, ASilentPartnerInTurnHoldsNoPlaceButWhatWaitsIsBounded) {
    // The first partner never answers. The others are fetched and evaluated meanwhile in the
    // second place of the window, unless their results may not wait (limit 0): then none starts
    // after the first has arrived.
    std::vector<std::string> entries{m_silent.Url("/hangs.html")};
    for (int k = 1; k <= 6; ++k) {
        const std::string path = "/" + std::to_string(k) + ".html";
        m_sites[0]->Serve(path, {200, Page(""), std::chrono::milliseconds(0), ""});
        entries.push_back(m_sites[0]->Url(path));
    }
    MakeProject(entries);
    for (const std::size_t limit : {CAnalysisRun::kDefaultWaitingLimit, std::size_t{0}}) {
        SCOPED_TRACE(limit);
        const int requestsBefore = m_sites[0]->Requests();
        m_run.SetWaitingLimit(limit);
        m_run.SetFetchWindow({2, 2});
        ASSERT_TRUE(m_run.Start());
        const int pages = limit == 0 ? 1 : 6;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (m_run.GetFetchesInFlight() != 1 && std::chrono::steady_clock::now() < deadline) {
            if (m_completions.Take(std::chrono::milliseconds(100))) {
                m_run.PageFetched();
            }
        }
        ASSERT_EQ(m_run.GetFetchesInFlight(), 1);
        // The robots.txt once, and the pages.
        EXPECT_EQ(m_sites[0]->Requests() - requestsBefore, 1 + pages);
        m_run.Cancel();
        ASSERT_EQ(m_table.GetRowCount(), pages);
        EXPECT_EQ(RowAt(0)[kColNo], "1");
        EXPECT_EQ(RowAt(0)[kColPartnerUrl], entries[1]);
        EXPECT_EQ(RowAt(pages - 1)[kColPartnerUrl], entries[static_cast<std::size_t>(pages)]);
    }
}

TEST_F(FetchWindowTest, FirstLogLineNamesTheWindow) {
    Serve("/x.html", Page(""));
    MakeProject({Url("/x.html")});
    SOutputWords words = kWords;
    words.strFetchWindow = "%1 in parallel, %2 per site";
    m_run.SetOutputWords(words);
    m_run.SetFetchWindow({99, 3});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    EXPECT_EQ(m_log.m_lines, (std::vector<std::string>{
                                 "64 in parallel, 3 per site",
                                 Url("/x.html") + " - loading... ready;  analyzing ... ready",
                                 "analyzing ready"}));
}

TEST_F(FetchWindowTest, CancelEndsEveryTransferAndKeepsTheRowsEvaluated) {
    // A partner that never answers, after two that do, and more of both beyond it.
    test::RawTestServer silent(
        [](test::RawTestServer::Connection& connection) { connection.WaitUntilStopped(); });
    Serve("/1.html", Page(""));
    Serve("/2.html", Page(""));
    MakeProject({Url("/1.html"), Url("/2.html"), silent.Url("/3.html"), Url("/4.html"),
                 silent.Url("/5.html")});

    ASSERT_TRUE(m_run.Start());
    // Until the third is in turn and the fourth has arrived.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((m_run.GetPartnerNumber() < 3 || m_run.GetFetchesInFlight() > 2) &&
           std::chrono::steady_clock::now() < deadline) {
        if (m_completions.Take(std::chrono::milliseconds(100))) {
            m_run.PageFetched();
        }
    }
    ASSERT_EQ(m_run.GetPartnerNumber(), 3);
    ASSERT_EQ(m_run.GetFetchesInFlight(), 2);
    const auto before = std::chrono::steady_clock::now();
    m_run.Cancel();
    // Only a bound against a hang: the silent transfers would hold a join for 30 s.
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));

    EXPECT_FALSE(m_run.IsRunning());
    EXPECT_EQ(m_run.GetRunEnd(), ERunEnd::Stopped);
    // The fourth page had arrived: its row stays, numbered after the second.
    ASSERT_EQ(m_table.GetRowCount(), 3);
    EXPECT_EQ(RowAt(1)[kColPartnerUrl], Url("/2.html"));
    EXPECT_EQ(RowAt(2)[kColNo], "3");
    EXPECT_EQ(RowAt(2)[kColPartnerUrl], Url("/4.html"));
    EXPECT_EQ(m_run.GetFetchesInFlight(), 0);
    EXPECT_EQ(m_log.m_lines.back(), "analyzing ready");
    std::ostringstream json;
    WriteJsonReport(json, m_table, m_run.GetVerdicts(), {});
    EXPECT_NE(json.str().find("\"completed\": false"), std::string::npos);
    EXPECT_NE(json.str().find("\"summary\": {\"partners\": 3,"), std::string::npos);
}

TEST_F(FetchWindowTest, PagesArrivingAfterAnInterruptAreNotRead) {
    Serve("/1.html", Page(""));
    Serve("/2.html", Page(""));
    MakeProject({Url("/1.html"), Url("/2.html")});
    m_run.SetInterruptCheck([] { return true; });

    ASSERT_TRUE(m_run.Start());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (m_run.GetFetchesInFlight() > 0 && std::chrono::steady_clock::now() < deadline) {
        if (m_completions.Take(std::chrono::milliseconds(100))) {
            m_run.PageFetched();
        }
    }
    ASSERT_EQ(m_run.GetFetchesInFlight(), 0);
    EXPECT_EQ(m_run.GetPartnersDone(), 0);
    m_run.Cancel();
    EXPECT_EQ(m_run.GetRunEnd(), ERunEnd::Stopped);
    EXPECT_EQ(m_table.GetRowCount(), 0);
    EXPECT_EQ(m_log.m_lines.back(), "analyzing ready");
}

TEST_F(FetchWindowTest, HostilePartnersCostNoMoreThanTheirBudget) {
    // Silent from the first byte, trickling a byte now and then, sending without end: each gets
    // its robots.txt and page within one budget, and the three go on at once.
    test::RawTestServer silent(
        [](test::RawTestServer::Connection& connection) { connection.WaitUntilStopped(); });
    const auto answer = [](bool bEndless) {
        return [bEndless](test::RawTestServer::Connection& connection) {
            if (connection.ReadRequest().starts_with("GET /robots.txt")) {
                connection.Send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
                connection.ReadRequest(); // the page comes on the same connection
            }
            connection.Send("HTTP/1.1 200 OK\r\n\r\n<html><body>");
            const std::string chunk(bEndless ? 1024 : 1, 'x');
            while (!connection.IsStopping() && connection.Send(chunk)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(bEndless ? 5 : 300));
            }
        };
    };
    test::RawTestServer trickling(answer(false));
    test::RawTestServer endless(answer(true));
    MakeProject({silent.Url("/a.html"), trickling.Url("/b.html"), endless.Url("/c.html")});
    CFetchSettings settings;
    settings.m_totalTimeout = std::chrono::seconds(3);
    m_run.SetFetchSettings(settings);

    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(m_run.Start());
    RunToEnd();
    // One at a time and with a budget per request, the three would take 18 s.
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(6));
    ASSERT_EQ(m_table.GetRowCount(), 3);
    const auto outcome = [&](std::size_t partner) {
        return m_run.GetVerdicts().Partners()[partner].eOutcome;
    };
    EXPECT_EQ(outcome(0), ETransferOutcome::Timeout);
    EXPECT_EQ(outcome(1), ETransferOutcome::TooSlow);
    EXPECT_EQ(outcome(2), ETransferOutcome::TooSlow);
}

TEST_F(FetchWindowTest, ManyLinksAndAHugeHeaderStayBounded) {
    std::string links;
    for (int i = 0; i < 20'000; ++i) {
        links += "<a href=\"http://shop.example/" + std::to_string(i) + "\">" + std::to_string(i) +
                 "</a>\n";
    }
    const std::string page = Page(links);
    test::HttpTestServer server;
    server.Server().Get("/huge.html", [&](const httplib::Request&, httplib::Response& res) {
        for (int i = 0; i < 100; ++i) {
            res.set_header("X-Pad-" + std::to_string(i), std::string(2000, 'h'));
        }
        res.set_content(page, "text/html");
    });
    server.Start();
    MakeProject({server.Url("/huge.html")});

    ASSERT_TRUE(m_run.Start());
    RunToEnd();

    // The first 1,000 links get rows; each says that 19,000 more were not listed.
    ASSERT_EQ(m_table.GetRowCount(), 1'000);
    EXPECT_EQ(m_table.GetCellView(999, kColYourUrl), "http://shop.example/999");
    EXPECT_EQ(VerdictAt(999)->reasons.back(), (SReason{EReason::LinksNotListed, "19000"}));
    EXPECT_EQ(m_run.GetVerdicts().Partners()[0].nLinksNotListed, 19'000);
    EXPECT_EQ(m_table.GetCellView(999, kColExtLinks), "20000");
    // Every row shows the whole header, which is stored once.
    EXPECT_GT(m_table.GetCellView(999, kColServerHeader).size(), 200'000u);
    EXPECT_EQ(m_table.GetCellView(999, kColServerHeader), m_table.GetCellView(0, kColServerHeader));
    EXPECT_LT(m_table.GetStoredBytes(), std::size_t{100} << 20);
}

} // namespace
} // namespace tessaray
