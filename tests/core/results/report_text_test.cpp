#include "core/results/report_text.h"

#include "core/results/result_table.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace tessaray {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

std::string Shortened(std::string header, int nLines) {
    ShortenServerHeader(header, nLines);
    return header;
}

// Three partner rows with a typical server header in the last column.
CResultTable ThreeRows() {
    CResultTable table;
    const std::vector<std::string> sizes = {"1000", "900", "25"};
    for (int row = 0; row < 3; ++row) {
        table.InsertRow(row);
        table.SetCellText(row, kColNo, std::to_string(row + 1));
        table.SetCellText(row, kColPartnerUrl, "http://p" + std::to_string(row) + ".example.com");
        table.SetCellText(row, kColBytes, sizes[static_cast<std::size_t>(row)]);
        table.SetCellText(row, kColServerHeader,
                          "HTTP/1.1 200 OK\r\nDate: today\r\nServer: test\r\n\r\n");
    }
    return table;
}

TEST(ReportTextTest, EveryLineHasEighteenTabsAndEndsWithTabCrLf) {
    const CResultTable table = ThreeRows();
    const std::string text = BuildReportText(table, table.GetColumnHeader(), kReportHeaderLines);
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0] + "\r\n", table.GetColumnHeader() + "\r\n");
    for (const std::string& line : lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 18) << line;
        EXPECT_TRUE(line.ends_with('\t')) << line;
    }
    EXPECT_EQ(lines[1], "1\thttp://p0.example.com\t\t\t1000\t\t\t\t\t\t\t\t\t\t\t\t\t"
                        "HTTP/1.1 200 OK||Date: today||\t");
}

TEST(ReportTextTest, EmptyTableGivesEmptyText) {
    const CResultTable table;
    EXPECT_EQ(BuildReportText(table, table.GetColumnHeader(), 2), "");
}

TEST(ReportTextTest, CellsAreWrittenAsTheyStandExceptTheServerHeaderTabsAndLineEnds) {
    CResultTable table;
    table.InsertRow(0);
    table.SetCellText(0, kColComment, "a\tb \"quoted\"");
    table.SetCellText(0, kColServerHeader, "HTTP/1.1 200 OK\r\nDate: x\r\n");
    table.SetCellText(0, kColAnchorText, std::string(3000, 'a'));
    const std::string header = "H\t";
    // A tab typed into a comment is a blank: it shifts no field.
    const std::string shortened = BuildReportText(table, header, 2);
    EXPECT_NE(shortened.find("\ta b \"quoted\"\tHTTP/1.1 200 OK||Date: x||\t\r\n"),
              std::string::npos);
    EXPECT_NE(shortened.find(std::string(1999, 'a') + "\t"), std::string::npos);
    EXPECT_EQ(shortened.find(std::string(2000, 'a')), std::string::npos);
    const std::string raw = BuildReportText(table, header, -1);
    EXPECT_NE(raw.find("\tHTTP/1.1 200 OK Date: x \t\r\n"), std::string::npos);
}

TEST(ReportTextTest, ExportFollowsTheSortedOrder) {
    CResultTable table = ThreeRows();
    table.SortColumn(kColBytes, true);
    const std::vector<std::string> lines =
        SplitLines(BuildReportText(table, table.GetColumnHeader(), 2));
    ASSERT_EQ(lines.size(), 4u);
    // The "No." column keeps the numbers given when the rows were made.
    EXPECT_TRUE(lines[1].starts_with("3\thttp://p2.example.com\t\t\t25\t"));
    EXPECT_TRUE(lines[2].starts_with("2\thttp://p1.example.com\t\t\t900\t"));
    EXPECT_TRUE(lines[3].starts_with("1\thttp://p0.example.com\t\t\t1000\t"));
}

TEST(ShortenServerHeaderTest, KeepsTheFirstPiecesEndingInDoubleBars) {
    const std::string header = "HTTP/1.1 200 OK\r\nDate: Tue, 08 Dec 2026\r\nServer: Apache\r\n";
    EXPECT_EQ(Shortened(header, 2), "HTTP/1.1 200 OK||Date: Tue, 08 Dec 2026||");
    EXPECT_EQ(Shortened(header, 1), "HTTP/1.1 200 OK||");
    EXPECT_EQ(Shortened(header, 10), "HTTP/1.1 200 OK||Date: Tue, 08 Dec 2026||Server: Apache||");
    EXPECT_EQ(Shortened("HTTP/1.1 200 OK", 2), "");
    EXPECT_EQ(Shortened("HTTP/1.1 200 OK\nDate: x\n", 2), ""); // single LF gives single bars
    EXPECT_EQ(Shortened("", 2), "");
}

TEST(ShortenServerHeaderTest, ControlAndHighBytesBecomeBars) {
    EXPECT_EQ(Shortened("A\xE4"
                        "B\x01\x7F\r\n",
                        1),
              "A|B|\x7F||");
    EXPECT_EQ(Shortened("X\xC3\xA4\r\n", 1), "X||"); // "||" inside the high bytes ends the piece
    EXPECT_EQ(Shortened("a\tb\r\nc", 5), "a|b||");
}

TEST(ShortenServerHeaderTest, LineCountZeroEmptiesAndNegativeKeeps) {
    const std::string header = "HTTP/1.1 200 OK\r\nDate: x\r\n";
    EXPECT_EQ(Shortened(header, 0), "");
    EXPECT_EQ(Shortened(header, -1), header);
}

TEST(ShortenServerHeaderTest, OnlyTheFirst2046BytesCount) {
    std::string header = std::string(2045, 'a') + "\r\n";
    EXPECT_EQ(Shortened(header, 2), ""); // the CR LF straddles the cut: one '|' at 2046
    header = std::string(2044, 'a') + "\r\nDate: x\r\n";
    EXPECT_EQ(Shortened(header, 2), std::string(2044, 'a') + "||");
}

TEST(ReportFileTest, StreamAndFileGetTheSameBytes) {
    const CResultTable table = ThreeRows();
    std::ostringstream stream;
    ASSERT_TRUE(WriteReportText(stream, table, kReportHeaderLines));
    EXPECT_EQ(stream.str(), BuildReportText(table, table.GetColumnHeader(), kReportHeaderLines));

    test::TempDir dir;
    const std::string path = dir.Write("report.csv", "older and longer content than needed");
    const CReportResult result = WriteCsvReport(path, table);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(test::ReadAll(path), stream.str());
}

TEST(ReportFileTest, CellsFromOutsideThatLookLikeFormulasStayText) {
    struct SCase {
        const char* pszCell;
        const char* pszCsv;
        const char* pszText = nullptr; // in the HTML report's text, when not the cell
    };
    static constexpr SCase kCases[] = {
        {"=HYPERLINK(\"http://evil\")", "'=HYPERLINK(\"http://evil\")"},
        {"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        // Tabs and line ends become blanks, after the guard looked at them.
        {"\rx", "' x", " x"},
        {"\t=1+1", "' =1+1", " =1+1"},
        {"a\tb\r\nc\nd\re\r\n", "a b c d e ", "a b c d e "},
        {"-20", "-20"}, // numbers stay numbers
        {"+1.5", "+1.5"},
        {"-0,5", "-0,5"},
        {"-", "'-"},
        {"a=b", "a=b"},
        {"", ""},
    };
    for (const SCase& c : kCases) {
        SCOPED_TRACE(c.pszCell);
        CResultTable table = ThreeRows();
        for (const int col : {kColPartnerUrl, kColYourUrl, kColAnchorText, kColComment}) {
            table.SetCellText(0, col, c.pszCell);
        }
        table.SetCellText(0, kColStatusCode, "-1"); // our own cells are never touched
        const std::string row = SplitLines(BuildCsvText(table, kReportHeaderLines))[1];
        const std::string guarded = std::string(c.pszCsv) + "\t";
        EXPECT_EQ(row, "1\t" + guarded + "\t-1\t1000\t\t\t" + guarded + "\t" + guarded +
                           "\t\t\t\t\t\t" + guarded + "HTTP/1.1 200 OK||Date: today||\t");
        // The HTML report keeps the cell unguarded.
        EXPECT_NE(BuildReportText(table, table.GetColumnHeader(), kReportHeaderLines)
                      .find(std::string("\t") + (c.pszText ? c.pszText : c.pszCell) + "\t"),
                  std::string::npos);
    }
}

TEST(ReportFileTest, WriteFailureNamesTheFile) {
    test::TempDir dir;
    const std::string path = dir.File("missing-folder/report.csv");
    const CReportResult result = WriteCsvReport(path, ThreeRows());
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Code(), EReportError::WriteFailed);
    const std::string reason = ReportFailureText(result.GetError());
    EXPECT_NE(reason.find(path), std::string::npos) << reason;
    EXPECT_NE(reason.find("No such file"), std::string::npos) << reason;
}

TEST(ReportFileTest, TempReportPathsLieInThePrivateFolder) {
    std::string csv;
    std::string html;
    ASSERT_TRUE(GetTempReportPath(EReportKind::Csv, csv));
    ASSERT_TRUE(GetTempReportPath(EReportKind::Html, html));
    EXPECT_TRUE(csv.ends_with("/tessaray-report.csv")) << csv;
    EXPECT_TRUE(html.ends_with("/tessaray-report.html")) << html;
    EXPECT_EQ(csv.substr(0, csv.rfind('/')), html.substr(0, html.rfind('/')));
    EXPECT_NE(csv.find("/tessaray-"), csv.rfind('/'));
}

} // namespace
} // namespace tessaray
