#include "core/partner/verdict.h"
#include "core/results/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

using enum EReason;

// A row as the run writes it: with a link (listed) or without.
CellRow RowOf(bool listed, const char* followMeta = "NA", const char* followLink = "Follow",
              const char* robotsAllow = "Allow") {
    CellRow cells;
    cells[kColListed] = listed ? "Yes" : "No";
    if (listed) {
        cells[kColFollowMeta] = followMeta;
        cells[kColFollowLink] = followLink;
        cells[kColRobotsAllow] = robotsAllow;
    }
    return cells;
}

SPartnerFacts Fetched(int status = 200, ETransferOutcome outcome = ETransferOutcome::Complete) {
    SPartnerFacts facts;
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
        CellRow cells;
        std::vector<std::string> rel;
        SPartnerFacts facts;
        EVerdict verdict;
        std::vector<SReason> reasons;
        bool inNoscript = false;
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
    Case pageSignals{"every signal", RowOf(true), {}, Fetched(), EVerdict::DoesNotCount, {}};
    pageSignals.facts.pageSignals.bMetaNofollow = true;
    pageSignals.facts.pageSignals.bHeaderNofollow = true;
    pageSignals.facts.pageSignals.bHeaderNoindex = true;
    pageSignals.facts.bGooglebotAllowed = false;
    pageSignals.facts.pageSignals.strRedirectTo = "https://partner.test/links.html";
    pageSignals.facts.strFinalUrl = "https://partner.test/links.html";
    pageSignals.facts.pageSignals.strCanonical = "https://partner.test/all-links.html";
    // Order: what stops the link, then the warnings.
    pageSignals.reasons = {{MetaNofollow, ""},
                           {HeaderNofollow, ""},
                           {RobotsTxtDisallowed, ""},
                           {Noindex, "header"},
                           {Redirected, "https://partner.test/links.html"},
                           {CanonicalElsewhere, "https://partner.test/all-links.html"},
                           {RobotsRuleDiffers, ""}};
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

    for (const Case& c : cases) {
        const SVerdict verdict = JudgeRow(c.cells, c.rel, c.facts, c.inNoscript);
        EXPECT_EQ(verdict.eVerdict, c.verdict) << c.what;
        EXPECT_EQ(verdict.reasons, c.reasons) << c.what;
    }
}

TEST(VerdictTest, PartnerTakesTheBestOfItsLinksAndTheSummaryCountsPartners) {
    CRunVerdicts verdicts;
    verdicts.AddPartner(Fetched());
    verdicts.AddRow(1, {"nofollow"}, {EVerdict::DoesNotCount, {{RelNofollow, ""}}}, true);
    verdicts.AddRow(3, {}, {EVerdict::Counts, {}}, true);
    verdicts.AddPartner(Fetched(0, ETransferOutcome::Refused));
    verdicts.AddRow(2, {}, {EVerdict::Unreachable, {{FetchFailed, "refused"}}}, false);

    ASSERT_EQ(verdicts.Partners().size(), 2u);
    EXPECT_EQ(verdicts.Partners()[0].verdict.eVerdict, EVerdict::Counts);
    EXPECT_EQ(verdicts.Partners()[0].rowNumbers, (std::vector<int>{1, 3}));
    ASSERT_NE(verdicts.FindRow(3), nullptr);
    EXPECT_EQ(verdicts.FindRow(3)->nPartner, 0);
    EXPECT_EQ(verdicts.FindRow(2)->nPartner, 1);
    EXPECT_EQ(verdicts.FindRow(4), nullptr);

    EXPECT_EQ(SummaryText(verdicts.Summary(), 'E'),
              "2 partners: 1 counts, 0 do not count, 0 missing, 1 unreachable");
    EXPECT_EQ(SummaryText({10, 5, 3, 1, 1}, 'E'),
              "10 partners: 5 count, 3 do not count, 1 missing, 1 unreachable");
    EXPECT_EQ(SummaryText({10, 5, 3, 2, 0}, 'G'),
              "10 Partner: 5 zählen, 3 zählen nicht, 2 fehlen, 0 nicht erreichbar");
}

TEST(VerdictTest, HtmlPartIsInertAndColouredByVerdict) {
    CRunVerdicts verdicts;
    SPartnerFacts facts = Fetched();
    facts.strUrl = "http://p.test/<script>%TABLEROW%";
    verdicts.AddPartner(facts);
    verdicts.AddRow(1, {}, {EVerdict::Missing, {}}, false);
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
    for (int code = 0; code <= static_cast<int>(RobotsRuleDiffers); ++code) {
        const SReason reason{static_cast<EReason>(code), "x"};
        EXPECT_FALSE(ReasonText(reason, 'E').empty());
        EXPECT_NE(ReasonText(reason, 'E'), ReasonText(reason, 'G'));
    }
}

} // namespace
} // namespace tessaray
