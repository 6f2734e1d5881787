#include "core/partner/verdict.h"

#include "core/partner/evaluate_partner.h"
#include "core/partner/partner_cells.h"
#include "core/results/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

using enum EReason;

// A row as its cells show it: with a link (listed) or without.
struct SRow {
    bool bListed = false;
    bool bMetaNofollow = false;
    bool bLinkNofollow = false;
    bool bRobotsAllow = true;
};
SRow RowOf(bool listed, std::string_view followMeta = "NA", std::string_view followLink = "Follow",
           std::string_view robotsAllow = "Allow") {
    return {listed, followMeta == "Nofollow", followLink == "Nofollow", robotsAllow == "Allow"};
}

SPartnerResult Fetched(int status = 200, ETransferOutcome outcome = ETransferOutcome::Complete) {
    SPartnerResult facts;
    facts.strUrl = "http://partner.test/links.html";
    facts.strFinalUrl = facts.strUrl;
    facts.nStatus = status;
    facts.eOutcome = outcome;
    facts.nRobotsStatus = 200;
    return facts;
}

TEST(VerdictTest, EveryReasonAndItsVerdict) {
    struct Case {
        const char* what;
        SRow cells;
        std::vector<std::string> rel;
        SPartnerResult facts;
        EVerdict verdict;
        std::vector<SReason> reasons;
        bool inNoscript = false;
        // The rendered page: the hiding technique, made or removed by a script.
        std::string hidden = {};
        bool scriptInserted = false;
        bool removedByScript = false;
    };
    std::vector<Case> cases = {
        {"plain link", RowOf(true), {}, Fetched(), EVerdict::Counts, {}},
        {"rel nofollow",
         RowOf(true, "NA", "Nofollow"),
         {"nofollow"},
         Fetched(),
         EVerdict::DoesNotCount,
         {{RelNofollow, ""}}},
        {"rel sponsored and ugc",
         RowOf(true, "NA", "Nofollow"),
         {"sponsored", "ugc"},
         Fetched(),
         EVerdict::DoesNotCount,
         {{RelSponsored, ""}, {RelUgc, ""}}},
        {"first meta says nofollow",
         RowOf(true, "Nofollow"),
         {},
         Fetched(),
         EVerdict::DoesNotCount,
         {{MetaNofollow, ""}}},
        // ... and says that the page was cut off (it said nothing).
        {"link found on a broken page counts",
         RowOf(true),
         {},
         Fetched(200, ETransferOutcome::Reset),
         EVerdict::Counts,
         {{Incomplete, "reset"}}},
        {"link only inside noscript",
         RowOf(true),
         {},
         Fetched(),
         EVerdict::Counts,
         {{InNoscript, ""}},
         true},
        {"page answered 404",
         RowOf(false),
         {},
         Fetched(404, ETransferOutcome::HttpError),
         EVerdict::Unreachable,
         {{HttpStatus, "404"}}},
        {"no answer",
         RowOf(false),
         {},
         Fetched(0, ETransferOutcome::Dns),
         EVerdict::Unreachable,
         {{FetchFailed, "dns"}}},
        // A broken download is never "missing".
        {"broken off",
         RowOf(false),
         {},
         Fetched(200, ETransferOutcome::Timeout),
         EVerdict::Unreachable,
         {{Incomplete, "timeout"}}},
        {"whole page without link", RowOf(false), {}, Fetched(), EVerdict::Missing, {}},
        {"people cannot see it",
         RowOf(true),
         {},
         Fetched(),
         EVerdict::DoesNotCount,
         {{Hidden, "same-colour"}},
         false,
         "same-colour"},
        {"made by a script",
         RowOf(true),
         {},
         Fetched(),
         EVerdict::Counts,
         {{ScriptInserted, ""}},
         false,
         "",
         true},
        {"removed by a script",
         RowOf(true),
         {},
         Fetched(),
         EVerdict::DoesNotCount,
         {{RemovedByScript, ""}},
         false,
         "",
         false,
         true},
    };
    // Bytes that cannot be read as text are no proof that the link is gone (was "missing").
    Case undecodable{"gzip nobody asked for",
                     RowOf(false),
                     {},
                     Fetched(),
                     EVerdict::Unreachable,
                     {{Undecodable, "Content-Encoding: gzip"}}};
    undecodable.facts.strUndecodable = "Content-Encoding: gzip";
    cases.push_back(undecodable);
    // A bot wall says nothing of the link, whatever its status.
    Case blocked{"bot protection answered",
                 RowOf(false),
                 {},
                 Fetched(403, ETransferOutcome::HttpError),
                 EVerdict::Unreachable,
                 {{Blocked, "cloudflare-challenge"}}};
    blocked.facts.strBlockedBy = "cloudflare-challenge";
    cases.push_back(blocked);
    Case pageSignals{"every signal", RowOf(true), {}, Fetched(), EVerdict::DoesNotCount, {}};
    pageSignals.facts.pageSignals.bMetaNofollow = true;
    pageSignals.facts.pageSignals.bHeaderNofollow = true;
    pageSignals.facts.pageSignals.bHeaderNoindex = true;
    pageSignals.facts.bGooglebotAllowed = false;
    pageSignals.facts.pageSignals.strRedirectTo = "https://partner.test/links.html";
    pageSignals.facts.strFinalUrl = "https://partner.test/links.html";
    pageSignals.facts.pageSignals.strCanonical = "https://partner.test/all-links.html";
    pageSignals.facts.nLinksNotListed = 7;
    pageSignals.facts.bCloaked = true;
    // Order: what stops the link, then the warnings.
    pageSignals.reasons = {{MetaNofollow, ""},
                           {HeaderNofollow, ""},
                           {RobotsTxtDisallowed, ""},
                           {Noindex, "header"},
                           {Redirected, "https://partner.test/links.html"},
                           {CanonicalElsewhere, "https://partner.test/all-links.html"},
                           {RobotsRuleDiffers, ""},
                           {Cloaked, ""},
                           {LinksNotListed, "7"}};
    cases.push_back(pageSignals);
    Case sameCanonical{
        "canonical is the page itself", RowOf(true), {}, Fetched(), EVerdict::Counts, {}};
    sameCanonical.facts.pageSignals.strCanonical = "HTTP://partner.test/links.html#x";
    cases.push_back(sameCanonical);
    Case literalDisallow{"only the literal rule disallows",
                         RowOf(true, "NA", "Follow", "Disallow"),
                         {},
                         Fetched(),
                         EVerdict::Counts,
                         {{RobotsRuleDiffers, ""}}};
    cases.push_back(literalDisallow);
    // A robots.txt that answered 429 is no rule of the site: the reason names the status.
    Case robotsBusy{"robots.txt answered 429",
                    RowOf(true),
                    {},
                    Fetched(),
                    EVerdict::DoesNotCount,
                    {{RobotsTxtDisallowed, "429"}, {RobotsRuleDiffers, ""}}};
    robotsBusy.facts.nRobotsStatus = 429;
    robotsBusy.facts.bGooglebotAllowed = false;
    cases.push_back(robotsBusy);

    for (Case& c : cases) {
        // The Follow(Meta) cell and the page's signals read the one robots meta tag.
        c.facts.pageSignals.bMetaNofollow |= c.cells.bMetaNofollow;
        c.facts.bRobotsAllow = c.cells.bRobotsAllow;
        SLinkResult link;
        link.rel = c.rel;
        link.bNofollow = c.cells.bLinkNofollow;
        link.bInNoscript = c.inNoscript;
        link.strHidden = c.hidden;
        link.bScriptInserted = c.scriptInserted;
        link.bRemovedByScript = c.removedByScript;
        const SVerdict verdict = JudgeLink(c.facts, c.cells.bListed ? &link : nullptr);
        EXPECT_EQ(verdict.eVerdict, c.verdict) << c.what;
        EXPECT_EQ(verdict.reasons, c.reasons) << c.what;
    }
}

TEST(VerdictTest, EvaluatedPartnerItsCellsAndItsRowsByKey) {
    SPartnerFetch fetched;
    fetched.nId = 4;
    fetched.strUrl = "http://partner.test/links.html";
    fetched.strPage = "<html><head><meta name=robots content=nofollow></head><body>"
                      "<a href=\"http://other.test/\">x</a><a href=\"http://shop.test/\">Shop</a>"
                      "<a rel=\"sponsored\" href=\"http://shop.test/b\">B</a></body></html>";
    fetched.strRobots = "User-agent: *\nDisallow: /links.html\n";
    fetched.nPageStatus = 200;
    fetched.nRobotsStatus = 200;
    fetched.nPageBytes = fetched.strPage.size();
    fetched.ePageOutcome = ETransferOutcome::Complete;
    fetched.strHeader = "HTTP/1.1 200 OK\r\n\r\n";
    const std::vector<std::string> googleList = {"http://partner.test/links.html?x"};
    SPartnerResult partner = EvaluatePartner(fetched, {4, "http://shop.test", "note", &googleList});
    partner.nFirstRow = 7;

    ASSERT_EQ(partner.links.size(), 2u);
    EXPECT_EQ(partner.links[1].nPosition, 2);
    EXPECT_EQ(partner.links[1].rel, (std::vector<std::string>{"sponsored"}));
    EXPECT_EQ(partner.links[0].verdict.reasons,
              (std::vector<SReason>{{MetaNofollow, ""}, {RobotsTxtDisallowed, ""}}));
    EXPECT_EQ(partner.verdict.eVerdict, EVerdict::DoesNotCount);
    const SPartnerCells cells = CellsOf(partner);
    ASSERT_EQ(cells.rows.size(), 2u);
    EXPECT_EQ(*cells.pServerHeader, fetched.strHeader);
    const CellRow second = {"8",
                            fetched.strUrl,
                            "",
                            "200",
                            std::to_string(fetched.strPage.size()),
                            "0",
                            "3",
                            "http://shop.test/b",
                            "",
                            "B",
                            "Yes",
                            "Nofollow",
                            "Nofollow",
                            "Disallow",
                            "0",
                            "Yes",
                            "",
                            ""};
    EXPECT_EQ(cells.rows[1], second);
    EXPECT_EQ(cells.rows[0][kColComment], "note"); // the first row only

    // Without a link the page has one row, keyed by the partner alone.
    fetched.nId = 5;
    fetched.strPage = "<a href=\"http://other.test/\">x</a>";
    const SPartnerResult without = EvaluatePartner(fetched, {5, "http://shop.test", "", nullptr});
    const CellRow row = CellsOf(without).rows.at(0);
    EXPECT_EQ(row[kColListed], "No");
    EXPECT_EQ(row[kColFollowMeta] + row[kColRobotsAllow], "");
    EXPECT_EQ(row[kColR3], "0");
    EXPECT_EQ(row[kColGoogle], "N/A");

    CRunVerdicts verdicts;
    verdicts.Add(std::move(partner));
    verdicts.Add(without);
    ASSERT_NE(verdicts.FindVerdict({4, 1}), nullptr);
    EXPECT_EQ(verdicts.FindVerdict({4, 1})->reasons.front(), (SReason{RelSponsored, ""}));
    EXPECT_EQ(verdicts.FindVerdict({5, -1})->eVerdict, EVerdict::Missing);
    EXPECT_EQ(verdicts.FindVerdict({4, -1}), nullptr);
    EXPECT_EQ(verdicts.FindVerdict({4, 2}), nullptr);
    EXPECT_EQ(verdicts.FindPartner(3), nullptr);

    EXPECT_EQ(SummaryText(verdicts.Summary(), 'E'),
              "2 partners: 0 count, 1 does not count, 1 missing, 0 unreachable");
    EXPECT_EQ(SummaryText({10, 5, 3, 1, 1}, 'E'),
              "10 partners: 5 count, 3 do not count, 1 missing, 1 unreachable");
    EXPECT_EQ(SummaryText({10, 5, 3, 2, 0}, 'G'),
              "10 Partner: 5 zählen, 3 zählen nicht, 2 fehlen, 0 nicht erreichbar");
}

// A rendered page merged into the raw reading: each row a raw page, what the browser saw, and
// the links' verdicts and reasons afterwards (URL: verdict reason ...).
TEST(VerdictTest, RenderedPageJoinsTheRawReading) {
    const auto linkTo = [](std::string url, std::string hidden = "",
                           std::vector<std::string> rel = {}) {
        return SRenderedLink{std::move(url), "Shop", std::move(rel), std::move(hidden)};
    };
    const struct {
        const char* what;
        const char* page;
        SRenderedPage rendered;
        std::vector<std::string> links;
        ERendered eRendered;
    } cases[] = {
        {"a script makes the only link (it counts, with a warning)",
         "<p>none</p>",
         {true,
          "",
          "",
          {linkTo("http://shop.test/", "", {"nofollow"}), linkTo("http://shop.test/a")},
          {}},
         {"http://shop.test/: does-not-count rel-nofollow script-inserted",
          "http://shop.test/a: counts script-inserted"},
         ERendered::Yes},
        // Paired by URL as the browser resolves it, in order: the second raw link of /x is gone.
        {"a script removes one of two equal links",
         "<a href=\"HTTP://shop.test/x#top\">one</a><a href=\"/x\">r</a>"
         "<a href=\"http://shop.test/x\">two</a>",
         {true, "", "", {linkTo("http://shop.test/x")}, {}},
         {"http://shop.test/x#top: counts", "http://shop.test/x: does-not-count removed-by-script"},
         ERendered::Yes},
        // The browser's reading of visibility replaces the HTML's, both ways.
        {"hidden by a style sheet; one character the browser shows large",
         "<a href=\"http://shop.test/a\">Shop</a><a href=\"http://shop.test/b\">-</a>",
         {true,
          "",
          "",
          {linkTo("http://shop.test/a", "display-none"), linkTo("http://shop.test/b")},
          {}},
         {"http://shop.test/a: does-not-count hidden=display-none", "http://shop.test/b: counts"},
         ERendered::Yes},
        {"a script adds a robots meta",
         "<a href=\"http://shop.test/\">Shop</a>",
         {true, "", "", {linkTo("http://shop.test/")}, {"NOINDEX, follow"}},
         {"http://shop.test/: does-not-count noindex=meta"},
         ERendered::Yes},
        // The raw reading stands.
        {"rendering failed",
         "<a href=\"http://shop.test/\" style=\"display:none\">Shop</a>",
         {false, "timed out", "", {}, {}},
         {"http://shop.test/: does-not-count hidden=display-none"},
         ERendered::Failed},
    };
    for (const auto& c : cases) {
        SPartnerFetch fetched;
        fetched.strUrl = "http://partner.test/links.html";
        fetched.strPage = c.page;
        fetched.nPageStatus = fetched.nRobotsStatus = 200;
        fetched.ePageOutcome = ETransferOutcome::Complete;
        SPartnerResult partner = EvaluatePartner(fetched, {0, "shop.test", "", nullptr});
        ApplyRenderedPage(partner, c.rendered);
        std::vector<std::string> links;
        for (const SLinkResult& link : partner.links) {
            std::string line = link.strUrl + ": " + std::string(VerdictCode(link.verdict.eVerdict));
            for (const SReason& reason : link.verdict.reasons) {
                line += " " + std::string(ReasonCode(reason.eCode)) +
                        (reason.strDetail.empty() ? "" : "=" + reason.strDetail);
            }
            links.push_back(line);
        }
        EXPECT_EQ(links, c.links) << c.what;
        EXPECT_EQ(partner.eRendered, c.eRendered) << c.what;
        EXPECT_EQ(partner.strRenderError, c.rendered.strError) << c.what;
        EXPECT_EQ(HasCountingLink(partner), partner.verdict.eVerdict == EVerdict::Counts) << c.what;
    }
}

TEST(VerdictTest, HtmlPartIsInertAndColouredByVerdict) {
    CRunVerdicts verdicts;
    SPartnerResult facts = Fetched();
    facts.strUrl = "http://p.test/<script>%TABLEROW%";
    facts.nFirstRow = 1;
    verdicts.Add(facts);
    const std::string html = BuildVerdictHtml(verdicts, 'E');
    EXPECT_NE(html.find("<p class=\"summary\">1 partner: 0 count, 0 do not count, 1 missing, 0 "
                        "unreachable</p>"),
              std::string::npos)
        << html;
    // A stopped run is marked in the summary, in both languages.
    verdicts.SetStopped(3);
    EXPECT_NE(BuildVerdictHtml(verdicts, 'E')
                  .find("1 missing, 0 unreachable (stopped after 1 of 3 partners)</p>"),
              std::string::npos);
    EXPECT_EQ(SummaryText(verdicts, 'G'), "1 Partner: 0 zählen, 0 zählen nicht, 1 fehlt, 0 nicht "
                                          "erreichbar (angehalten nach 1 von 3 Partnern)");
    EXPECT_NE(html.find("<tr class=\"missing\"><td>1</td><td>http://p.test/&lt;script&gt;&#37;"
                        "TABLEROW&#37;</td><td>missing</td><td></td></tr>"),
              std::string::npos)
        << html;

    // The agreement and the user's link back get columns of their own, once a run knows them.
    SPartnerResult agreed = Fetched();
    agreed.nId = 1;
    agreed.nFirstRow = 2;
    agreed.strUrl = "http://q.test/";
    agreed.agreement = SAgreement{};
    agreed.reciprocal = SReciprocal{EYouLink::Followed, "http://shop.test/links.html"};
    agreed.verdict.reasons.push_back({EReason::OneSided, "http://shop.test/links.html"});
    verdicts.Add(agreed);
    const std::string exchange = BuildVerdictHtml(verdicts, 'G');
    for (const char* part :
         {"<p class=\"summary\">1 Partner nimmt, ohne zu geben</p>",
          "<th>Gründe</th><th>Vereinbarung</th><th>Sie → Partner</th></tr>",
          "TABLEROW&#37;</td><td>fehlt</td><td></td><td></td><td>unbekannt</td></tr>",
          "<td>abweichend</td><td>gefolgt<br>http://shop.test/links.html</td></tr>"}) {
        EXPECT_NE(exchange.find(part), std::string::npos) << part << "\n" << exchange;
    }
    // A page the browser could not render says so and why, escaped.
    facts.nId = 2;
    facts.eRendered = ERendered::Failed;
    facts.strRenderError = "<crashed>";
    verdicts.Add(facts);
    EXPECT_NE(BuildVerdictHtml(verdicts, 'E')
                  .find("<td>The page could not be rendered in a browser (&lt;crashed&gt;); the "
                        "raw HTML stands.</td>"),
              std::string::npos);
}

TEST(VerdictTest, CodesAndSentencesInBothLanguages) {
    EXPECT_EQ(VerdictCode(EVerdict::DoesNotCount), "does-not-count");
    EXPECT_EQ(ReasonCode(RobotsTxtDisallowed), "robots-txt-disallowed");
    EXPECT_EQ(ReasonCode(RobotsRuleDiffers), "robots-rule-differs");
    EXPECT_EQ(ReasonText({RelNofollow, ""}, 'E'), "The link is marked rel=nofollow.");
    EXPECT_EQ(ReasonText({HttpStatus, "503"}, 'G'), "Die Seite antwortete mit HTTP-Status 503.");
    EXPECT_EQ(ReasonText({RobotsTxtDisallowed, "429"}, 'E'),
              "The site's robots.txt answered with HTTP status 429, so Googlebot fetches nothing "
              "from the site.");
    EXPECT_EQ(VerdictText(EVerdict::Unreachable, 'G'), "nicht erreichbar");
    EXPECT_EQ(ReasonText({LinksNotListed, "690000"}, 'E'),
              "1,000 links listed; 690000 more to your domain not listed.");
    for (int code = 0; code <= static_cast<int>(kLastReason); ++code) {
        const SReason reason{static_cast<EReason>(code), "x"};
        EXPECT_FALSE(ReasonText(reason, 'E').empty());
        EXPECT_NE(ReasonText(reason, 'E'), ReasonText(reason, 'G'));
    }
}

} // namespace
} // namespace tessaray
