#include "core/results/result_table.h"

#include "core/project/project.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace tessaray {
namespace {

// Records the listener calls as short texts.
class CRecordingListener : public IResultTableListener {
public:
    void OnBeginReset() override { calls.push_back("begin-reset"); }
    void OnEndReset() override { calls.push_back("end-reset"); }
    void OnBeginInsertRow(int nRow) override { calls.push_back("begin-insert " + S(nRow)); }
    void OnEndInsertRow(int nRow) override { calls.push_back("end-insert " + S(nRow)); }
    void OnCellChanged(int nRow, int nCol) override {
        calls.push_back("cell " + S(nRow) + "," + S(nCol));
    }
    void OnBeginReorder() override { calls.push_back("begin-reorder"); }
    void OnEndReorder(const std::vector<int>& oldRowOf) override {
        std::string text = "end-reorder";
        for (const int old : oldRowOf) {
            text += " " + S(old);
        }
        calls.push_back(text);
    }

    std::vector<std::string> calls;

private:
    static std::string S(int n) { return std::to_string(n); }
};

// The texts of one column, top to bottom.
std::vector<std::string> ColumnTexts(const CResultTable& table, int nCol) {
    std::vector<std::string> texts;
    std::string cell;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        table.GetCellText(row, nCol, cell);
        texts.push_back(cell);
    }
    return texts;
}

// A table with one row per value, the value in nCol and the row's original index in column 0.
CResultTable TableWithColumn(int nCol, const std::vector<std::string>& values) {
    CResultTable table;
    for (const std::string& value : values) {
        const int row = table.InsertRow(table.GetRowCount());
        table.SetCellText(row, kColNo, std::to_string(row));
        table.SetCellText(row, nCol, value);
    }
    return table;
}

TEST(ResultTableTest, ColumnTitlesFollowTheLanguageLetter) {
    const ColumnTable& german = GetColumnTable('G');
    const ColumnTable& english = GetColumnTable('E');
    EXPECT_EQ(&GetColumnTable('F'), &english);
    EXPECT_EQ(&GetColumnTable('g'), &english);

    const std::vector<std::pair<int, std::string>> germanTitles = {
        {0, "Nr."}, {7, "Ihre URL"}, {9, "Ihr Anker Text"}, {10, "gelistet"}, {16, "Kommentar"}};
    for (const auto& [col, title] : germanTitles) {
        EXPECT_EQ(german[static_cast<std::size_t>(col)].pszTitle, title) << col;
    }
    for (std::size_t col = 0; col < german.size(); ++col) {
        const bool differs = std::any_of(germanTitles.begin(), germanTitles.end(),
                                         [&](const auto& t) { return t.first == int(col); });
        if (!differs) {
            EXPECT_STREQ(german[col].pszTitle, english[col].pszTitle) << col;
        }
        EXPECT_EQ(german[col].nWidth, english[col].nWidth) << col;
        EXPECT_EQ(german[col].eAlign, english[col].eAlign) << col;
        EXPECT_EQ(german[col].eSortType, english[col].eSortType) << col;
    }
    EXPECT_EQ(english[kColR3].eSortType, ESortType::Decimal);
    EXPECT_EQ(english[kColNo].eAlign, EColumnAlign::Right);
    EXPECT_EQ(english[kColServerHeader].nWidth, 2000);
}

TEST(ResultTableTest, HeaderLineEndsEveryTitleWithATab) {
    const CResultTable english('E');
    EXPECT_EQ(english.GetColumnHeader(),
              "No.\tPartner URL\tR1\tS.Code\tBytes\tInt.Links\tExt.Links\tYour URL\tR2\t"
              "Your Anchor Text\tListed\tFollow(Meta)\tFollow(Link)\tRobots-Allow\tR3\tGoogle\t"
              "Comment\tServer Header\t");
    CResultTable german('G');
    EXPECT_EQ(std::count(german.GetColumnHeader().begin(), german.GetColumnHeader().end(), '\t'),
              18);
    EXPECT_TRUE(german.GetColumnHeader().starts_with("Nr.\t"));
    german.SetupColumns('E');
    EXPECT_EQ(german.GetColumnHeader(), english.GetColumnHeader());
}

TEST(ResultTableTest, CellsOutsideTheTableAreRefused) {
    CResultTable table;
    std::string out = "stale";
    EXPECT_FALSE(table.GetCellText(0, 0, out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(table.InsertRow(-1), -1);
    EXPECT_EQ(table.InsertRow(5), 0); // past the end appends
    EXPECT_FALSE(table.SetCellText(0, kColumnCount, "x"));
    EXPECT_FALSE(table.SetCellText(1, 0, "x"));
    out = "stale";
    EXPECT_FALSE(table.GetCellText(0, -1, out));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(table.GetCellText(0, kColServerHeader, out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(table.GetCellView(3, 0), "");
}

TEST(ResultTableTest, InsertPlacesAnEmptyRowBeforeTheIndex) {
    CResultTable table = TableWithColumn(kColPartnerUrl, {"a", "c"});
    EXPECT_EQ(table.InsertRow(1), 1);
    table.SetCellText(1, kColPartnerUrl, "b");
    EXPECT_EQ(ColumnTexts(table, kColPartnerUrl), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(table.GetCellView(1, kColNo), "");
    table.DeleteAllRows();
    EXPECT_EQ(table.GetRowCount(), 0);
}

TEST(ResultTableTest, ReadingCapsACellAt1999Bytes) {
    CResultTable table;
    table.InsertRow(0);
    const std::string longText(2500, 'x');
    table.SetCellText(0, kColServerHeader, longText);
    std::string out;
    ASSERT_TRUE(table.GetCellText(0, kColServerHeader, out));
    EXPECT_EQ(out.size(), 1999u);
    EXPECT_EQ(table.GetCellView(0, kColServerHeader).size(), 2500u); // stored whole
    table.SetCellText(0, kColServerHeader, std::string(1999, 'y'));
    table.GetCellText(0, kColServerHeader, out);
    EXPECT_EQ(out, std::string(1999, 'y'));
}

TEST(ResultTableTest, FillListSplitsEntriesIntoUrlAndComment) {
    CResultTable table;
    const std::vector<std::string> entries = {
        "www.partner.com - our best partner  ",
        " - starts with the separator",
        "http://two.example.org - first - second",
        "not a url",
        "http://bob:pw@after.example.com/",
        "",
        "http://hidden.example.com",
    };
    ASSERT_TRUE(table.FillList("http://www.myshop.com", entries, true));
    ASSERT_EQ(table.GetRowCount(), 5);
    EXPECT_EQ(ColumnTexts(table, kColNo), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(ColumnTexts(table, kColPartnerUrl),
              (std::vector<std::string>{"http://www.partner.com", " - starts with the separator",
                                        "http://two.example.org", "not a url",
                                        "http://after.example.com"}));
    EXPECT_EQ(ColumnTexts(table, kColComment),
              (std::vector<std::string>{"our best partner", "", "first - second", "", ""}));
    EXPECT_EQ(ColumnTexts(table, kColYourUrl),
              std::vector<std::string>(5, "http://www.myshop.com"));
    EXPECT_EQ(table.GetCellView(0, kColStatusCode), "");

    ASSERT_TRUE(table.FillList("http://www.myshop.com", {"http://a.example.com"}, false));
    EXPECT_EQ(table.GetRowCount(), 1);
    EXPECT_EQ(table.GetCellView(0, kColYourUrl), "");
}

TEST(ResultTableTest, FillListTakesTheProjectsEntries) {
    CProject project;
    CResultTable table;
    EXPECT_FALSE(table.FillList(project, true));
    project.StartNew("www.myshop.com");
    project.AddPartnerUrl("www.partner.com - Good Partner");
    project.AddPartnerUrl("blog.example.org/links.html");
    ASSERT_TRUE(table.FillList(project, true));
    EXPECT_EQ(
        ColumnTexts(table, kColPartnerUrl),
        (std::vector<std::string>{"http://www.partner.com", "http://blog.example.org/links.html"}));
    EXPECT_EQ(ColumnTexts(table, kColComment), (std::vector<std::string>{"Good Partner", ""}));
    EXPECT_EQ(table.GetCellView(1, kColYourUrl), project.GetDomain());
}

TEST(ResultTableTest, FillListLeavesTheTableAloneForAnIncompleteProject) {
    CResultTable table = TableWithColumn(kColPartnerUrl, {"kept"});
    CRecordingListener listener;
    table.SetListener(&listener);
    EXPECT_FALSE(table.FillList("", {"http://a.example.com"}, true));
    EXPECT_FALSE(table.FillList("http://www.myshop.com", {"", "http://a.example.com"}, true));
    EXPECT_FALSE(table.FillList("http://www.myshop.com", {}, true));
    EXPECT_EQ(ColumnTexts(table, kColPartnerUrl), std::vector<std::string>{"kept"});
    EXPECT_TRUE(listener.calls.empty());
}

TEST(ResultTableTest, FillListStopsAtTheCapacity) {
    CResultTable table;
    std::vector<std::string> entries(CProject::MaxPartnerLinks + 5, "http://p.example.com");
    ASSERT_TRUE(table.FillList("http://www.myshop.com", entries, true));
    EXPECT_EQ(table.GetRowCount(), 10000);
    EXPECT_EQ(table.GetCellView(9999, kColNo), "10000");
}

TEST(ResultTableTest, IntegerColumnsSortByNumericValue) {
    CResultTable table = TableWithColumn(kColBytes, {"1000", "900", "", "abc", "-5", "20kB"});
    table.SetRowKey(4, {7, 1}); // "-5"
    ASSERT_TRUE(table.SortColumn(kColBytes, true));
    // "" and "abc" both read as 0 and keep their order.
    EXPECT_EQ(ColumnTexts(table, kColBytes),
              (std::vector<std::string>{"-5", "", "abc", "20kB", "900", "1000"}));
    // A row keeps its key through sorting and the deletion of a row before it.
    EXPECT_EQ(table.GetRowKey(0), (SRowKey{7, 1}));
    EXPECT_EQ(table.GetRowKey(1), SRowKey{});
    ASSERT_TRUE(table.SortColumn(kColBytes, false));
    ASSERT_TRUE(table.DeleteRow(0));
    EXPECT_EQ(table.GetRowKey(4), (SRowKey{7, 1}));
    EXPECT_EQ(ColumnTexts(table, kColBytes),
              (std::vector<std::string>{"900", "20kB", "", "abc", "-5"}));
}

TEST(ResultTableTest, TextColumnsSortIgnoringCase) {
    CResultTable table = TableWithColumn(
        kColPartnerUrl, {"http://b.com", "HTTP://A.com", "http://a.com", "http://C.com"});
    ASSERT_TRUE(table.SortColumn(kColPartnerUrl, true));
    EXPECT_EQ(
        ColumnTexts(table, kColPartnerUrl),
        (std::vector<std::string>{"HTTP://A.com", "http://a.com", "http://b.com", "http://C.com"}));
    EXPECT_EQ(CompareCellTexts(ESortType::Text, "abc", "ABC"), 0);
    EXPECT_LT(CompareCellTexts(ESortType::Text, "ab", "ABC"), 0);
    EXPECT_GT(CompareCellTexts(ESortType::Text, "\xE4", "z"), 0); // bytes compare unsigned
}

TEST(ResultTableTest, DecimalColumnSortsStablyInBothDirections) {
    CResultTable table = TableWithColumn(kColR3, {"0.5", "0", "2.25", "0.50", "", "nan", "1e1"});
    ASSERT_TRUE(table.SortColumn(kColR3, true));
    // Rows are identified by their original index in column 0; equal values keep their order.
    EXPECT_EQ(ColumnTexts(table, kColNo),
              (std::vector<std::string>{"1", "4", "5", "0", "3", "2", "6"}));
    ASSERT_TRUE(table.SortColumn(kColR3, false));
    EXPECT_EQ(ColumnTexts(table, kColNo),
              (std::vector<std::string>{"6", "2", "0", "3", "1", "4", "5"}));
    EXPECT_EQ(CompareCellTexts(ESortType::Decimal, "1.5", " +1.50"), 0);
    EXPECT_FALSE(table.SortColumn(kColumnCount, true));
}

TEST(ResultTableTest, ListenerFollowsEveryChange) {
    CResultTable table;
    CRecordingListener listener;
    table.SetListener(&listener);
    table.InsertRow(0);
    table.InsertRow(0);
    table.SetCellText(0, kColBytes, "20");
    table.SetCellText(1, kColBytes, "10");
    table.SortColumn(kColBytes, true);
    table.FillList("http://www.myshop.com", {"http://a.example.com"}, true);
    table.DeleteAllRows();
    EXPECT_EQ(listener.calls,
              (std::vector<std::string>{"begin-insert 0", "end-insert 0", "begin-insert 0",
                                        "end-insert 0", "cell 0,4", "cell 1,4", "begin-reorder",
                                        "end-reorder 1 0", "begin-reset", "end-reset",
                                        "begin-reset", "end-reset"}));
}

TEST(ResultTableTest, SharedTextsTravelWithTheirRowsUntilOverwritten) {
    CResultTable table;
    for (int row = 0; row < 3; ++row) {
        table.InsertRow(row);
        table.SetCellText(row, kColBytes, std::to_string(3 - row));
    }
    const auto header = std::make_shared<const std::string>(std::string(3000, 'h'));
    table.SetSharedCellText(0, kColServerHeader, header);
    table.SetSharedCellText(1, kColServerHeader, header);
    EXPECT_EQ(table.GetCellView(1, kColServerHeader), *header);
    std::string text;
    table.GetCellText(1, kColServerHeader, text);
    EXPECT_EQ(text.size(), kMaxCellTextLength);
    // Stored once, not once per row.
    EXPECT_LT(table.GetStoredBytes(), 2 * header->size());

    table.SortColumn(kColBytes, true); // rows 0, 1, 2 are now 2, 1, 0
    EXPECT_EQ(table.GetCellView(2, kColServerHeader), *header);
    EXPECT_EQ(table.GetCellView(0, kColServerHeader), "");
    table.SetCellText(2, kColServerHeader, "own");
    EXPECT_EQ(table.GetCellView(2, kColServerHeader), "own");
    EXPECT_TRUE(table.DeleteRow(0));
    EXPECT_FALSE(table.DeleteRow(2));
    EXPECT_EQ(table.GetCellView(0, kColServerHeader), *header);
    EXPECT_EQ(table.GetCellView(1, kColServerHeader), "own");

    // A copy of some rows in another order keeps the columns and still stores the text once.
    table.SetupColumns('G');
    const CResultTable copy = table.CopyRows({1, 0, 7, 0});
    ASSERT_EQ(copy.GetRowCount(), 3);
    EXPECT_EQ(copy.GetColumnHeader(), table.GetColumnHeader());
    EXPECT_EQ(copy.GetCellView(0, kColServerHeader), "own");
    EXPECT_EQ(copy.GetCellView(2, kColServerHeader), *header);
    EXPECT_LT(copy.GetStoredBytes(), 2 * header->size());
}

} // namespace
} // namespace tessaray
