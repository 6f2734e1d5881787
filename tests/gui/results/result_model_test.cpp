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
    // The eighteen cells, the verdict, the change, the agreement, the link back and rendered.
    EXPECT_EQ(model.columnCount(), 23);
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

TEST(ResultModelTest, TheExchangeColumnsShowAgreementLinkBackAndRenderingAndTheFilterTheirFaults) {
    CResultTable table;
    CResultModel model(table, nullptr);
    CResultProxyModel proxy(model, nullptr);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(table.FillList("http://shop.example",
                               {"http://a.example", "http://b.example", "http://c.example"},
                               false));
    // a: its link counts but has the wrong anchor; the user links back followed, so it is
    // one-sided; rendered, the link made by a script. b: counts and matches, but the user does not
    // link back; rendering failed. c: counts, no agreement, no link pages, not rendered.
    const auto partner = [](int nId, SVerdict verdict) {
        SPartnerResult result;
        result.nId = nId;
        result.strUrl = "http://partner.example/" + std::to_string(nId);
        SLinkResult link;
        link.verdict = verdict;
        result.links.push_back(link);
        result.verdict = verdict;
        return result;
    };
    CRunVerdicts verdicts;
    SPartnerResult a = partner(0, {EVerdict::DoesNotCount, {{EReason::WrongAnchor, "*shop*"}}});
    a.agreement =
        SAgreement{"http://shop.example/*", "*shop*", EAgreedFollow::Required, "", "", ""};
    a.links[0].bMatchesAgreement = false;
    a.links[0].bScriptInserted = true;
    a.verdict.reasons.push_back({EReason::OneSided, "http://shop.example/friends"});
    a.reciprocal = SReciprocal{EYouLink::Followed, "http://shop.example/friends"};
    a.eRendered = ERendered::Yes;
    verdicts.Add(a);
    SPartnerResult b = partner(1, {EVerdict::Counts, {{EReason::YouDoNotLinkBack, ""}}});
    b.agreement = SAgreement{"", "Shop", EAgreedFollow::Any, "2099-12-31", "ann@b.example", ""};
    b.reciprocal = SReciprocal{EYouLink::None, ""};
    b.eRendered = ERendered::Failed;
    b.strRenderError = "no answer in 15 s";
    verdicts.Add(b);
    verdicts.Add(partner(2, {EVerdict::Counts, {}}));
    for (int row = 0; row < 3; ++row) {
        table.SetRowKey(row, {row, 0});
    }
    model.SetVerdictSource([&verdicts] { return &verdicts; }, 'E');

    const auto cells = [&proxy](int col, int role = Qt::DisplayRole) {
        QStringList texts;
        for (int row = 0; row < proxy.rowCount(); ++row) {
            texts << proxy.index(row, col).data(role).toString();
        }
        return texts;
    };
    EXPECT_EQ(model.headerData(CResultModel::kYouLinkColumn, Qt::Horizontal, Qt::DisplayRole),
              QStringLiteral("You \u2192 them"));
    EXPECT_EQ(cells(CResultModel::kAgreementColumn),
              (QStringList{QStringLiteral("differs: wrong anchor"), QStringLiteral("met"), {}}));
    EXPECT_EQ(cells(CResultModel::kYouLinkColumn),
              (QStringList{QStringLiteral("followed"), QStringLiteral("none"), {}}));
    EXPECT_EQ(cells(CResultModel::kRenderedColumn),
              (QStringList{QStringLiteral("yes"), QStringLiteral("failed"), QStringLiteral("no")}));
    const QStringList agreementTips = cells(CResultModel::kAgreementColumn, Qt::ToolTipRole);
    EXPECT_TRUE(agreementTips.at(0).contains(QStringLiteral("Agreed anchor text: *shop*")));
    EXPECT_TRUE(agreementTips.at(1).contains(QStringLiteral("Contact: ann@b.example")));
    EXPECT_TRUE(cells(CResultModel::kYouLinkColumn, Qt::ToolTipRole)
                    .at(0)
                    .contains(QStringLiteral("http://shop.example/friends")));
    const QStringList renderTips = cells(CResultModel::kRenderedColumn, Qt::ToolTipRole);
    EXPECT_TRUE(renderTips.at(0).contains(QStringLiteral("made by a script")));
    EXPECT_TRUE(renderTips.at(1).contains(QStringLiteral("no answer in 15 s")));

    // Sorted by meaning: met before differs, rows without agreement first.
    proxy.sort(CResultModel::kAgreementColumn, Qt::AscendingOrder);
    EXPECT_EQ(proxy.ShownSourceRows(), (std::vector<int>{2, 1, 0}));
    proxy.sort(CResultModel::kRenderedColumn, Qt::DescendingOrder);
    EXPECT_EQ(proxy.ShownSourceRows(), (std::vector<int>{1, 2, 0}));

    // Problems: the one-sided partner and the one the user does not link back to, though its link
    // counts; the partner without fault is left out.
    proxy.SetFilter({}, true);
    EXPECT_EQ(proxy.ShownSourceRows(), (std::vector<int>{1, 0}));
}

} // namespace
} // namespace tessaray::test
