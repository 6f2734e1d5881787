// The table model over CResultTable and the proxy that sorts and filters it, checked by Qt's model
// tester through every kind of change.
#include "gui/results/result_model.h"
#include "gui/results/result_proxy_model.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray::test {
namespace {

TEST(ResultModelTest, FollowsEveryTableChangeWithoutCopying) {
    CResultTable table('G');
    CResultModel model(table, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    ASSERT_TRUE(table.FillList("http://shop.example",
                               {"http://b.example", "http://a.example - note", "http://c.example"},
                               true));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 20); // the eighteen cells, the verdict and the change
    EXPECT_FALSE(
        model.data(model.index(0, CResultModel::kVerdictColumn), Qt::DisplayRole).isValid());
    EXPECT_EQ(model.headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Ihr Anker Text"));
    EXPECT_EQ(model.data(model.index(1, 16), Qt::DisplayRole).toString(), QStringLiteral("note"));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    // A persistent index (a selection, the current cell) follows its row through a sort.
    const QPersistentModelIndex a(model.index(1, 1));
    ASSERT_TRUE(table.SortColumn(1, true));
    EXPECT_EQ(a.row(), 0);
    EXPECT_EQ(a.data().toString(), QStringLiteral("http://a.example"));

    const int row = table.InsertRow(table.GetRowCount());
    table.SetCellText(row, kColServerHeader, "HTTP/1.1 200 OK\r\nServer: x\r\n");
    EXPECT_EQ(model.data(model.index(row, kColServerHeader), Qt::DisplayRole).toString(),
              QStringLiteral("HTTP/1.1 200 OK  Server: x  "));

    // Bytes that are not UTF-8 read as windows-1252; a tool tip shows markup as text.
    table.SetCellText(row, kColAnchorText, "M\xE4rz \x80 <b>bold</b> and a long anchor text");
    EXPECT_EQ(model.data(model.index(row, kColAnchorText), Qt::DisplayRole).toString(),
              QStringLiteral("M\u00E4rz \u20AC <b>bold</b> and a long anchor text"));
    EXPECT_TRUE(model.data(model.index(row, kColAnchorText), Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("&lt;b&gt;bold&lt;/b&gt;")));

    table.DeleteAllRows();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(ResultModelTest, TheProxySortsAndFiltersTheViewAndLeavesTheTableInItsOrder) {
    CResultTable table;
    CResultModel model(table, nullptr);
    CResultProxyModel proxy(model, nullptr);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(table.FillList(
        "http://shop.example",
        {"http://B.example", "http://a.example", "http://c.example", "http://d.example"}, false));
    const char* bytes[] = {"1000", "900", "900", "x"};
    for (int row = 0; row < 4; ++row) {
        table.SetCellText(row, kColBytes, bytes[row]);
    }
    const auto shownNumbers = [&proxy] {
        std::vector<std::string> numbers;
        for (int row = 0; row < proxy.rowCount(); ++row) {
            numbers.push_back(proxy.index(row, kColNo).data().toString().toStdString());
        }
        return numbers;
    };
    using Numbers = std::vector<std::string>;

    // Integers by value (no digits count as 0); equal values keep the table's order either way.
    proxy.sort(kColBytes, Qt::AscendingOrder);
    EXPECT_EQ(shownNumbers(), (Numbers{"4", "2", "3", "1"}));
    proxy.sort(kColBytes, Qt::DescendingOrder);
    EXPECT_EQ(shownNumbers(), (Numbers{"1", "2", "3", "4"}));
    EXPECT_EQ(proxy.ShownSourceRows(), (std::vector<int>{0, 1, 2, 3}));
    proxy.sort(kColPartnerUrl, Qt::AscendingOrder); // letter case does not count
    EXPECT_EQ(shownNumbers(), (Numbers{"2", "1", "3", "4"}));
    EXPECT_EQ(proxy.ShownSourceRows(), (std::vector<int>{1, 0, 2, 3}));
    EXPECT_EQ(table.GetCellView(0, kColPartnerUrl), "http://B.example");

    // Text in any cell, whatever its case; a row that gets the text later joins in its place.
    proxy.SetFilter(QStringLiteral("b.EXAMPLE"), false);
    EXPECT_EQ(shownNumbers(), Numbers{"1"});
    table.SetCellText(1, kColAnchorText, "to b.example");
    EXPECT_EQ(shownNumbers(), (Numbers{"2", "1"}));
    proxy.SetFilter({}, false);
    EXPECT_EQ(proxy.rowCount(), 4);
}

} // namespace
} // namespace tessaray::test
