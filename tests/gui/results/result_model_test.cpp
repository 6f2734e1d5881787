// The table model over CResultTable, checked by Qt's model tester through every kind of change.
#include "gui/results/result_model.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

#include <gtest/gtest.h>

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

} // namespace
} // namespace tessaray::test
