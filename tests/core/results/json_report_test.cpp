#include "core/results/json_report.h"

#include "core/partner/partner_result.h"
#include "core/results/result_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace tessaray {
namespace {

TEST(JsonReportTest, StringsKeepUtf8AndEscapeTheRest) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("line\r\n\ttab\x01\x7F"), "\"line\\r\\n\\ttab\\u0001\\u007f\"");
    EXPECT_EQ(JsonString("M\xC3\xBCller \xE2\x82\xAC"), "\"M\xC3\xBCller \xE2\x82\xAC\"");
    // Bytes that are not UTF-8 (a windows-1252 page) are read as Latin-1.
    EXPECT_EQ(JsonString("M\xFCller \xC3"), "\"M\xC3\xBCller \xC3\x83\"");
}

TEST(JsonReportTest, PartnersLinksCellsAndSummary) {
    // The cells come from the records: those of partner a end in "Nofollow", "Allow", "0",
    // "N/A", "", and a header.
    // The table gives the rows to report: every row of the run.
    CResultTable table;
    table.InsertRow(0);
    table.SetRowKey(0, {0, 0});
    CRunVerdicts verdicts;
    verdicts.SetStarted("2026-12-08T10:00:00Z");
    verdicts.SetFinished("2026-12-08T10:00:05Z");
    SPartnerResult a;
    a.nFirstRow = 1;
    a.strUrl = "http://a.test/";
    a.strFinalUrl = a.strUrl;
    a.nStatus = 200;
    a.nBytes = 10;
    a.nPageSize = 10;
    a.nInternalLinks = 1;
    a.nExternalLinks = 1;
    a.nLinksNotListed = 690'000; // said only where there are such links
    a.eOutcome = ETransferOutcome::Complete;
    a.nRobotsStatus = 404;
    a.pHeader = std::make_shared<const std::string>("HTTP/1.1 200 OK\r\nServer: s\r\nX: y\r\n\r\n");
    SLinkResult& link = a.links.emplace_back();
    link.strUrl = "http://shop.test/";
    link.strText = "Shop";
    link.rel = {"nofollow"};
    link.bNofollow = true;
    link.verdict = {EVerdict::DoesNotCount, {{EReason::RelNofollow, ""}}};
    link.bMatchesAgreement = false;
    a.verdict = link.verdict;
    // Rendered: the link was made by a script and cannot be seen.
    a.eRendered = ERendered::Yes;
    link.bScriptInserted = true;
    link.strHidden = "display-none";
    a.agreement = SAgreement{"http://shop.test/*", "*shop*",     EAgreedFollow::Required,
                             "2027-01-31",         "ann@a.test", "swap"};
    a.reciprocal = SReciprocal{EYouLink::Followed, "http://shop.test/links.html"};
    verdicts.Add(a);
    SPartnerResult b;
    b.nId = 1;
    b.nFirstRow = 2;
    b.strUrl = "http://b.test/";
    b.strComment = "note";
    b.eOutcome = ETransferOutcome::Dns;
    b.bGooglebotAllowed = false;
    b.verdict = {EVerdict::Unreachable, {{EReason::FetchFailed, "dns"}}};
    b.eRendered = ERendered::Failed;
    b.strRenderError = "timed out";
    b.agreement = SAgreement{}; // an unread page neither meets nor breaks it
    b.reciprocal = SReciprocal{};
    verdicts.Add(b);

    std::ostringstream out;
    ASSERT_TRUE(WriteJsonReport(out, table, verdicts, {"Proj", "http://shop.test", 'E'}));
    const std::string expected =
        "{\"project\": \"Proj\", \"domain\": \"http://shop.test\", \"started\": "
        "\"2026-12-08T10:00:00Z\", \"finished\": \"2026-12-08T10:00:05Z\", \"completed\": true,\n"
        " \"partners\": [\n"
        "  {\"url\": \"http://a.test/\", \"status\": 200, \"bytes\": 10, \"outcome\": "
        "\"complete\", "
        "\"final_url\": \"http://a.test/\", \"robots_txt\": {\"status\": 404, "
        "\"googlebot_allowed\": true}, \"rendered\": \"yes\",\n"
        "   \"links\": [\n"
        "    {\"row\": 1, \"url\": \"http://shop.test/\", \"text\": \"Shop\", \"rel\": "
        "[\"nofollow\"], \"script_inserted\": true, \"hidden\": \"display-none\", \"verdict\": "
        "\"does-not-count\", \"reasons\": [{\"code\": "
        "\"rel-nofollow\", \"text\": \"The link is marked rel=nofollow.\"}],\n"
        "     \"cells\": [\"1\", \"http://a.test/\", \"\", \"200\", \"10\", \"1\", \"1\", "
        "\"http://shop.test/\", \"\", \"Shop\", \"Yes\", \"NA\", \"Nofollow\", \"Allow\", \"0\", "
        "\"N/A\", \"\", \"HTTP/1.1 200 OK||Server: s||\"]}],\n"
        "   \"links_not_listed\": 690000, \"agreement\": {\"target\": \"http://shop.test/*\", "
        "\"anchor\": \"*shop*\", \"follow\": \"required\", \"until\": \"2027-01-31\", "
        "\"contact\": \"ann@a.test\", \"note\": \"swap\", \"met\": false}, \"reciprocal\": "
        "{\"you_link\": \"followed\", \"from\": \"http://shop.test/links.html\"}, "
        "\"verdict\": \"does-not-count\", \"reasons\": "
        "[{\"code\": \"rel-nofollow\", \"text\": "
        "\"The link is marked rel=nofollow.\"}]},\n"
        "  {\"url\": \"http://b.test/\", \"status\": 0, \"bytes\": 0, \"outcome\": \"dns\", "
        "\"final_url\": \"\", \"robots_txt\": {\"status\": 0, \"googlebot_allowed\": false}, "
        "\"rendered\": \"failed\", \"render_error\": \"timed out\",\n"
        "   \"links\": [],\n"
        "   \"agreement\": {\"target\": \"\", \"anchor\": \"\", \"follow\": \"any\", \"until\": "
        "\"\", \"contact\": \"\", \"note\": \"\", \"met\": null}, \"reciprocal\": {\"you_link\": "
        "\"unknown\", \"from\": \"\"}, \"verdict\": \"unreachable\", \"reasons\": [{\"code\": "
        "\"fetch-failed\", \"text\": "
        "\"The page could not be fetched (dns).\"}]}\n"
        " ],\n"
        " \"summary\": {\"partners\": 2, \"counts\": 0, \"does_not_count\": 1, \"missing\": 0, "
        "\"unreachable\": 1, \"one_sided\": 0}}\n";
    EXPECT_EQ(out.str(), expected);

    // A stopped run's report says so.
    verdicts.SetStopped(5);
    std::ostringstream stopped;
    ASSERT_TRUE(WriteJsonReport(stopped, table, verdicts, {"Proj", "http://shop.test", 'E'}));
    EXPECT_NE(stopped.str().find("\"finished\": \"2026-12-08T10:00:05Z\", \"completed\": false,"),
              std::string::npos);
}

} // namespace
} // namespace tessaray
