#include "core/results/html_report.h"
#include "core/util/string_util.h"

#include "core/results/report_text.h"
#include "core/results/result_table.h"
#include "core/util/file_util.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

const std::string kTemplate = "<html><head><title>%PROJECT% %DATE%</title></head><body>\r\n"
                              "<h1>%PROJECT%</h1>\r\n<table>\r\n"
                              "<!--TABLEHEADER--><tr><th>x</th></tr><!--/TABLEHEADER-->\r\n"
                              "between the blocks\r\n"
                              "<!--TABLEROW--><tr><td>x</td></tr><!--/TABLEROW-->\r\n"
                              "</table>\r\n<p>%DATE%</p></table></body></html>";

using Rows = std::vector<std::vector<std::string>>;

// The page built from a template text and table rows (the header row first), or "<invalid>".
std::string Page(const std::string& templateText, const Rows& rows,
                 const std::string& project = "Shop") {
    CHtmlReport report;
    report.Init(project, "2026-12-08");
    if (!report.LoadTemplateText(templateText)) {
        return "<invalid>";
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        report.AddRow(rows[row], row == 0);
    }
    std::string page;
    EXPECT_TRUE(report.GetPage(page));
    return page;
}

// The generated <td> line of a one-cell data row.
std::string DataCell(const std::string& cell) {
    const std::string page = Page(kTemplate, {{"H"}, {cell}});
    const std::size_t start = page.find("<td>");
    if (start == std::string::npos) {
        return "<no cell>";
    }
    return page.substr(start, page.find("\r\n", start) - start);
}

TEST(HtmlReportTest, BuildsThePageAroundTheGeneratedRows) {
    const std::string page = Page(kTemplate, {{"A", "B"}, {"x<1>", "http://www.example.com"}});
    EXPECT_EQ(page, "<html><head><title>Shop 2026-12-08</title></head><body>\r\n"
                    "<h1>Shop</h1>\r\n<table>\r\n"
                    "<tr>\r\n<th>A</th>\r\n<th>B</th>\r\n</tr>\r\n"
                    "<tr>\r\n<td>x&lt;1&gt;</td>\r\n"
                    "<td><a href=\"http://www.example.com\" TARGET=\"_blank\">"
                    "http://www.example.com</a></td>\r\n</tr>\r\n"
                    "\r\n</table><BR><BR>\r\n\r\n\r\n<p>2026-12-08</p></table></body></html>\r\n");
}

TEST(HtmlReportTest, TableOfTheResultsHasOneCellPerColumn) {
    CResultTable table;
    CHtmlReport report;
    report.Init("Shop", "2026-12-08");
    ASSERT_TRUE(report.LoadTemplateText(kTemplate));
    report.AddTable(table); // no rows, not even the header
    for (int row = 0; row < 2; ++row) {
        table.InsertRow(row);
        table.SetCellText(row, kColPartnerUrl, "http://partner.example.com");
    }
    // A tab or line end inside a cell is a blank, as in the report text.
    table.SetCellText(1, kColAnchorText, "a\tb\r\nc");
    report.AddTable(table);
    std::string page;
    ASSERT_TRUE(report.GetPage(page));
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t pos = page.find(what); pos != std::string::npos;
             pos = page.find(what, pos + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("<th>"), 18u);
    EXPECT_EQ(count("<td>"), 36u);
    EXPECT_EQ(count("<tr>\r\n"), 3u);
    EXPECT_EQ(count("TARGET=\"_blank\""), 2u);
    EXPECT_EQ(count("<td>a b c</td>"), 1u);
    EXPECT_EQ(page.find("between the blocks"), std::string::npos);
}

TEST(HtmlReportTest, LinkCellsNeedSchemeDotAndTwelveCharacters) {
    EXPECT_TRUE(IsLinkCell("http://a.com"));
    EXPECT_TRUE(IsLinkCell("https://a.de"));
    EXPECT_FALSE(IsLinkCell("http://a"));        // eight characters
    EXPECT_FALSE(IsLinkCell("http://abcdefgh")); // no dot
    EXPECT_FALSE(IsLinkCell("http://a.co"));     // eleven characters
    EXPECT_FALSE(IsLinkCell("HTTP://www.example.com"));
    EXPECT_FALSE(IsLinkCell(" http://www.example.com"));
    EXPECT_EQ(DataCell("http://a"), "<td>http://a</td>");
}

TEST(HtmlReportTest, CellsCannotInjectMarkup) {
    EXPECT_EQ(
        DataCell("http://x.com/\"><script>alert(1)</script>&a=1"),
        "<td><a href=\"http://x.com/&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;a=1\" "
        "TARGET=\"_blank\">http://x.com/&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;a=1"
        "</a></td>");
    // Every cell is UTF-8, also one that came as windows-1252 bytes.
    EXPECT_EQ(DataCell("M\xE4rz \x80"), "<td>M\xC3\xA4rz \xE2\x82\xAC</td>");
    EXPECT_EQ(DataCell("M\xC3\xA4rz"), "<td>M\xC3\xA4rz</td>");
    EXPECT_EQ(DataCell("<b>Tom & \"Jerry\" 'n'</b>"),
              "<td>&lt;b&gt;Tom &amp; &quot;Jerry&quot; &#39;n&#39;&lt;/b&gt;</td>");
    EXPECT_NE(Page(kTemplate, {{"<i>T</i>"}}).find("<th>&lt;i&gt;T&lt;/i&gt;</th>"),
              std::string::npos);
    // The project name (a file name anyone can choose) and the date go in as text too, and a
    // name like a placeholder stays a name.
    const std::string page =
        Page(kTemplate, {{"H"}}, "<img src=x onerror=alert(1)> %TABLEROW% & 'q'");
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_NE(page.find("<h1>&lt;img src=x onerror=alert(1)&gt; %TABLEROW% &amp; &#39;q&#39;</h1>"),
              std::string::npos)
        << page;
}

TEST(HtmlReportTest, PlaceholdersAreFilledEverywhereOnce) {
    const std::string page = Page(kTemplate, {{"H"}}, "My %PROJECT% shop");
    EXPECT_NE(page.find("<title>My %PROJECT% shop 2026-12-08</title>"), std::string::npos);
    EXPECT_NE(page.find("<h1>My %PROJECT% shop</h1>"), std::string::npos);
    EXPECT_NE(page.find("<p>2026-12-08</p>"), std::string::npos);
}

TEST(HtmlReportTest, OnlyExactMarkersPastTheStartAreRecognised) {
    std::string mixed = kTemplate;
    ReplaceAll(mixed, "<!--TABLEROW-->", "<!--TableRow-->");
    EXPECT_EQ(Page(mixed, {{"H"}}), "<invalid>");

    const std::string atStart = "<!--TABLEHEADER-->x<!--/TABLEHEADER-->"
                                "<table><!--TABLEROW-->y<!--/TABLEROW--></table>";
    EXPECT_EQ(Page(atStart, {{"H"}}), "<invalid>");
    EXPECT_NE(Page(" " + atStart, {{"H"}}), "<invalid>");

    const std::string emptyRow =
        " <!--TABLEHEADER-->x<!--/TABLEHEADER--><!--TABLEROW--><!--/TABLEROW-->";
    EXPECT_EQ(Page(emptyRow, {{"H"}}), "<invalid>");
    const std::string emptyHeader =
        " <!--TABLEHEADER--><!--/TABLEHEADER--><!--TABLEROW-->y<!--/TABLEROW-->";
    EXPECT_EQ(Page(emptyHeader, {{"H"}}), "<invalid>");
    const std::string swapped =
        " <!--/TABLEHEADER-->x<!--TABLEHEADER--><!--TABLEROW-->y<!--/TABLEROW-->";
    EXPECT_EQ(Page(swapped, {{"H"}}), "<invalid>");
    EXPECT_EQ(Page(" <!--TABLEHEADER-->x<!--/TABLEHEADER-->", {{"H"}}), "<invalid>");
    EXPECT_EQ(Page("", {{"H"}}), "<invalid>");
    // The template ends at its first NUL byte.
    EXPECT_EQ(Page(std::string(" \0", 2) + atStart, {{"H"}}), "<invalid>");
}

TEST(HtmlReportTest, TableEndIsSpacedOnlyAfterTheRowBlock) {
    const std::string noEnd =
        " <!--TABLEHEADER-->x<!--/TABLEHEADER--><!--TABLEROW-->y<!--/TABLEROW-->"
        "<p>end</p>";
    EXPECT_EQ(Page(noEnd, {{"H"}}), " <tr>\r\n<th>H</th>\r\n</tr>\r\n<p>end</p>\r\n");
    const std::string before = " </table><!--TABLEHEADER-->x<!--/TABLEHEADER-->"
                               "<!--TABLEROW-->y<!--/TABLEROW--></table></table>";
    EXPECT_EQ(Page(before, {{"H"}}),
              " </table><tr>\r\n<th>H</th>\r\n</tr>\r\n</table><BR><BR>\r\n\r\n</table>\r\n");
}

TEST(HtmlReportTest, ReplaceHelpers) {
    std::string text = "aXbXc";
    EXPECT_TRUE(ReplaceFirst(text, "X", "--"));
    EXPECT_EQ(text, "a--bXc");
    EXPECT_FALSE(ReplaceFirst(text, "Y", "--"));
    EXPECT_EQ(text, "a--bXc");
    text = "%P%%P%";
    EXPECT_TRUE(ReplaceAll(text, "%P%", "%P%%P%"));
    EXPECT_EQ(text, "%P%%P%%P%%P%");
    EXPECT_FALSE(ReplaceAll(text, "none", ""));
    EXPECT_TRUE(ReplaceAll(text, "%P%", ""));
    EXPECT_EQ(text, "");
}

TEST(HtmlReportTest, WriteHtmlReportReportsEachFailure) {
    test::TempDir dir;
    CResultTable report;
    report.InsertRow(0);
    report.SetCellText(0, kColNo, "v");
    CReportResult result = WriteHtmlReport(report, dir.File("report.html"), "Shop", "2026-12-08",
                                           dir.File("out.html"));
    EXPECT_EQ(result.Code(), EReportError::TemplateMissing);
    EXPECT_FALSE(FileExists(dir.File("out.html")));

    const std::string invalid = dir.Write("invalid.html", "<html>no blocks</html>");
    result = WriteHtmlReport(report, invalid, "Shop", "2026-12-08", dir.File("out.html"));
    EXPECT_EQ(result.Code(), EReportError::TemplateInvalid);

    const std::string good = dir.Write("report.html", kTemplate);
    result = WriteHtmlReport(report, good, "Shop", "2026-12-08", dir.File("no/out.html"));
    EXPECT_EQ(result.Code(), EReportError::WriteFailed);
    EXPECT_NE(ReportFailureText(result.GetError()).find(dir.File("no/out.html")),
              std::string::npos);

    // A template without "%VERDICT%" gives the same page as ever, with or without verdicts.
    result = WriteHtmlReport(report, good, "Shop", "2026-12-08", dir.File("out.html"),
                             "<p>verdicts</p>");
    EXPECT_TRUE(result.Ok());
    Rows rows(2);
    for (const SColumnInfo& column : report.GetColumns()) {
        rows[0].emplace_back(column.pszTitle);
    }
    rows[1].resize(kColumnCount);
    rows[1][0] = "v";
    EXPECT_EQ(test::ReadAll(dir.File("out.html")), Page(kTemplate, rows));
}

TEST(HtmlReportTest, ShippedTemplateIsValid) {
    const std::string path = std::string(TESSARAY_SOURCE_DIR) + "/res/report.html";
    CHtmlReport report;
    report.Init("Demo shop", "2026-12-08");
    report.SetVerdictHtml("<p>the verdicts</p>");
    ASSERT_TRUE(report.LoadTemplate(path));
    report.AddRow(std::vector<std::string>{"H1", "H2"}, true);
    report.AddRow(std::vector<std::string>{"http://www.example.com", "<x>"}, false);
    std::string page;
    ASSERT_TRUE(report.GetPage(page));
    // The shipped template asks for the verdicts after the table.
    EXPECT_LT(page.find("</table><BR><BR>"), page.find("<p>the verdicts</p>"));
    EXPECT_NE(page.find("Demo shop"), std::string::npos);
    EXPECT_NE(page.find("2026-12-08"), std::string::npos);
    for (const char* placeholder :
         {"%PROJECT%", "%DATE%", "%TABLEHEADER%", "%TABLEROW%", "%VERDICT%"}) {
        EXPECT_EQ(page.find(placeholder), std::string::npos) << placeholder;
    }
    EXPECT_LT(page.find("<th>H1</th>"), page.find("<td><a href=\"http://www.example.com\""));
    EXPECT_NE(page.find("</table><BR><BR>"), std::string::npos);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(page.find("Created with Tessaray on 2026-12-08."), std::string::npos);
}

TEST(HtmlReportTest, ShippedTemplateSpeaksTheLanguageOfTheReport) {
    CHtmlReport report;
    report.Init("Demo shop", "08.12.2026", 'G');
    ASSERT_TRUE(report.LoadTemplate(std::string(TESSARAY_SOURCE_DIR) + "/res/report.html"));
    std::string page;
    ASSERT_TRUE(report.GetPage(page));
    for (const char* german :
         {"<html lang=\"de\">", "<title>Demo shop - Link-Report 08.12.2026</title>",
          "Link-Report vom 08.12.2026: eine Zeile je Partnerseite",
          "<h2>Zählt der Link jedes Partners?</h2>",
          "<footer>Erstellt mit Tessaray am 08.12.2026.</footer>"}) {
        EXPECT_NE(page.find(german), std::string::npos) << german;
    }
    EXPECT_EQ(page.find('%'), std::string::npos) << "no placeholder is left";
}

} // namespace
} // namespace tessaray
