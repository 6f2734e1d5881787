// The run history in the desktop program: the History dialog of the Analyse menu and the export of
// the changes between the last two runs.
#include "gui_fixture.h"
#include "modal_dialog.h"

#include "core/history/history_db.h"
#include "gui/results/history_dialog.h"
#include "gui/toolkit/command_ids.h"

#include <QDateTime>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include <filesystem>

namespace tessaray::test {
namespace {

constexpr const char* kPartnerA = "http://a.example/links.html";
constexpr const char* kPartnerB = "http://b.example/links.html";

// A completed run of the two partners; in the later one partner A has lost its link.
SStoredRun MakeRun(bool bLinkLost) {
    SStoredRun run;
    run.info.strStarted = bLinkLost ? "2026-12-08T10:00:00Z" : "2026-11-08T10:00:00Z";
    run.info.strFinished = run.info.strStarted;
    run.info.bCompleted = true;
    run.info.summary = {
        .nPartners = 2, .nCounts = bLinkLost ? 1 : 2, .nMissing = bLinkLost ? 1 : 0};
    for (const char* partner : {kPartnerA, kPartnerB}) {
        SStoredRow& row = run.rows.emplace_back();
        row.cells[kColNo] = std::to_string(run.rows.size());
        row.cells[kColPartnerUrl] = partner;
        row.cells[kColStatusCode] = "200";
        const bool bLost = bLinkLost && partner == kPartnerA;
        row.cells[kColYourUrl] = bLost ? "" : "http://shop.example/";
        row.eVerdict = bLost ? EVerdict::Missing : EVerdict::Counts;
        row.eOutcome = ETransferOutcome::Complete;
    }
    return run;
}

class HistoryCommandsTest : public GuiFixture {
protected:
    // Opens the project; with runs, its history holds the run before and after the change.
    void StartWithHistory(int nRuns) {
        const std::string path =
            WriteProject("shop.tsrp", "http://shop.example", {kPartnerA, kPartnerB});
        CHistoryDb history;
        ASSERT_TRUE(nRuns == 0 || history.Open(HistoryPathOf(path), true));
        for (int run = 0; run < nRuns; ++run) {
            ASSERT_TRUE(history.Store(MakeRun(run == 1)).Ok());
        }
        SGuiOptions options = WithEnglishFile();
        options.args = {QString::fromStdString(path)};
        ASSERT_TRUE(Start(options));
    }
};

TEST_F(HistoryCommandsTest, TheDialogListsOpensAndComparesRuns) {
    StartWithHistory(2);
    ASSERT_TRUE(Enabled(ID_HISTORY));
    bool bChecked = false;
    WhenModal<CHistoryDialog>([&bChecked](CHistoryDialog& dialog) {
        auto& runs = Child<QTableWidget>(dialog, "runList");
        ASSERT_EQ(runs.rowCount(), 2);
        // The newest run first, with its verdict counts.
        EXPECT_EQ(runs.item(0, 0)->text(), QStringLiteral("2"));
        EXPECT_EQ(runs.item(0, 2)->text(),
                  QDateTime::fromString(QStringLiteral("2026-12-08T10:00:00Z"), Qt::ISODate)
                      .toLocalTime()
                      .toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        EXPECT_EQ(runs.item(0, 3)->text(), QStringLiteral("2"));
        EXPECT_EQ(runs.item(0, 4)->text(), QStringLiteral("1"));
        EXPECT_EQ(runs.item(0, 6)->text(), QStringLiteral("1"));

        // The newer run's table, read-only, with the verdict and the change against the older.
        auto& open = Child<QPushButton>(dialog, "openRun");
        auto& compare = Child<QPushButton>(dialog, "compareRuns");
        runs.selectRow(0);
        EXPECT_FALSE(compare.isEnabled());
        open.click();
        const QAbstractItemModel& table = *Child<QTableView>(dialog, "runTable").model();
        ASSERT_EQ(table.rowCount(), 2);
        EXPECT_EQ(table.index(0, kColPartnerUrl).data().toString(), QString::fromLatin1(kPartnerA));
        EXPECT_EQ(table.index(0, kColumnCount).data().toString(), QStringLiteral("missing"));
        EXPECT_EQ(table.index(0, kColumnCount + 1).data().toString(), QStringLiteral("lost"));
        EXPECT_FALSE(table.flags(table.index(0, kColPartnerUrl)) & Qt::ItemIsEditable);

        // Both runs compared: partner A lost its link.
        runs.selectAll();
        EXPECT_FALSE(open.isEnabled());
        compare.click();
        const auto& changes = Child<QTableWidget>(dialog, "changeList");
        ASSERT_EQ(changes.rowCount(), 1);
        EXPECT_EQ(changes.item(0, 0)->text(), QStringLiteral("lost"));
        EXPECT_EQ(changes.item(0, 1)->text(), QStringLiteral("link lost"));
        EXPECT_EQ(changes.item(0, 2)->text(), QString::fromLatin1(kPartnerA));
        bChecked = true;
    });
    Frame().Action(ID_HISTORY)->trigger();
    EXPECT_TRUE(bChecked);
}

TEST_F(HistoryCommandsTest, TheChangesOfTheLastRunAreSavedAsCsvOrJson) {
    StartWithHistory(2);
    m_chosenPaths = {QString::fromStdString(m_temp.File("changes.csv")),
                     QString::fromStdString(m_temp.File("changes.json"))};
    Frame().Action(ID_SAVE_CHANGES_CSV)->trigger();
    Frame().Action(ID_SAVE_CHANGES_JSON)->trigger();
    EXPECT_EQ(ReadAll(m_temp.File("changes.csv")),
              std::string("Change\tKind\tPartner URL\tLink URL\tOld verdict\tNew verdict\tOld "
                          "text\tNew text\nlost\tlink-lost\t") +
                  kPartnerA + "\thttp://shop.example/\tcounts\tmissing\t\t\n");
    const std::string json = ReadAll(m_temp.File("changes.json"));
    EXPECT_NE(json.find("\"alarming\": true"), std::string::npos) << json;
    EXPECT_NE(json.find("\"kind\": \"link-lost\""), std::string::npos) << json;
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(HistoryCommandsTest, WithoutTwoRunsThereIsNothingToCompare) {
    StartWithHistory(0);
    EXPECT_FALSE(Enabled(ID_HISTORY));
    EXPECT_FALSE(Enabled(ID_SAVE_CHANGES_CSV));

    CHistoryDb history;
    ASSERT_TRUE(history.Open(m_temp.File("shop.tsrp-history"), true));
    ASSERT_TRUE(history.Store(MakeRun(false)).Ok());
    ASSERT_TRUE(Enabled(ID_SAVE_CHANGES_CSV));
    m_chosenPaths = {QString::fromStdString(m_temp.File("changes.csv"))};
    Frame().Action(ID_SAVE_CHANGES_CSV)->trigger();
    EXPECT_EQ(m_messages,
              QStringList(QStringLiteral(
                  "The history holds only one run: there is nothing to compare it with.")));
    EXPECT_FALSE(std::filesystem::exists(m_temp.File("changes.csv")));
}

} // namespace
} // namespace tessaray::test
