#include "core/history/history_db.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tessaray {
namespace {

using test::ReadAll;
using test::TempDir;

SStoredRun SampleRun(int nPartners, bool bCompleted = true) {
    SStoredRun run;
    run.info.strStarted = "2026-12-08T10:00:00Z";
    run.info.strFinished = "2026-12-08T10:01:00Z";
    run.info.bCompleted = bCompleted;
    run.info.strSettings = R"({"domain":"http://mysite.test"})";
    run.info.summary = {nPartners, nPartners - 1, 0, 1, 0};
    for (int i = 0; i < nPartners; ++i) {
        SStoredRow& row = run.rows.emplace_back();
        row.cells[kColNo] = std::to_string(i + 1);
        row.cells[kColPartnerUrl] = "http://partner" + std::to_string(i) + ".test/";
        row.cells[kColStatusCode] = "200";
        row.cells[kColYourUrl] = "http://mysite.test/";
        row.cells[kColAnchorText] = "Caf\xe9 \xff"; // bytes that are no UTF-8 stay as they are
        row.eVerdict = i == 0 ? EVerdict::DoesNotCount : EVerdict::Counts;
        row.eOutcome = ETransferOutcome::Complete;
    }
    run.rows[0].reasons = {{EReason::RelNofollow, ""},
                           {EReason::CanonicalElsewhere, "http://x.test/a b\nc\\d"},
                           {EReason::Cloaked, ""}}; // the last code
    return run;
}

// The rows of every run agree with the count stored with the run, and the file is sound.
void ExpectWhole(const std::string& path) {
    CSqliteDb db;
    ASSERT_TRUE(db.Open(path, CSqliteDb::EOpen::ReadOnly));
    EXPECT_EQ(db.QueryText("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(db.QueryText("SELECT count(*) FROM runs WHERE row_count != "
                           "(SELECT count(*) FROM rows WHERE run = runs.id)"),
              "0");
}

TEST(HistoryDbTest, StoresAndReadsRuns) {
    TempDir dir;
    const std::string path = HistoryPathOf(dir.File("links.tsrp"));
    EXPECT_EQ(path, dir.File("links.tsrp-history"));
    CHistoryDb history;
    EXPECT_FALSE(history.Open(path, false)); // not created by merely looking
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(history.Open(path, true));
    EXPECT_EQ(history.PreviousCompleted(), 0);

    const SStoredRun first = SampleRun(3);
    ASSERT_EQ(history.Store(first).Value(), 1);
    ASSERT_EQ(history.Store(SampleRun(2, false)).Value(), 2);
    ASSERT_EQ(history.Store(first).Value(), 3);
    EXPECT_EQ(history.PreviousCompleted(), 3);
    EXPECT_EQ(history.PreviousCompleted(3), 1); // the stopped run is skipped

    const CRunListResult listed = history.ListRuns();
    ASSERT_TRUE(listed);
    const std::vector<SRunInfo>& runs = listed.Value();
    ASSERT_EQ(runs.size(), 3U);
    EXPECT_FALSE(runs[1].bCompleted);
    EXPECT_EQ(runs[1].nRows, 2);
    EXPECT_EQ(runs[0].summary.nCounts, 2);

    const CReadRunResult readBack = history.ReadRun(3);
    ASSERT_TRUE(readBack);
    const SStoredRun& read = readBack.Value();
    EXPECT_EQ(read.info.strStarted, first.info.strStarted);
    EXPECT_EQ(read.info.strSettings, first.info.strSettings);
    ASSERT_EQ(read.rows.size(), first.rows.size());
    for (std::size_t i = 0; i < read.rows.size(); ++i) {
        EXPECT_EQ(read.rows[i].cells, first.rows[i].cells);
        EXPECT_EQ(read.rows[i].eVerdict, first.rows[i].eVerdict);
        EXPECT_EQ(read.rows[i].reasons, first.rows[i].reasons);
        EXPECT_EQ(read.rows[i].eOutcome, first.rows[i].eOutcome);
    }
    const CReadRunResult missing = history.ReadRun(4);
    EXPECT_EQ(missing.Code(), EHistoryError::NoSuchRun);
    EXPECT_EQ(missing.GetError().detail, "there is no run 4");

    // Repeated texts are stored once: the same run again adds no text.
    CSqliteDb db;
    ASSERT_TRUE(db.Open(path, CSqliteDb::EOpen::ReadOnly));
    const std::string texts = db.QueryText("SELECT count(*) FROM texts");
    ASSERT_EQ(history.Store(first).Value(), 4);
    EXPECT_EQ(db.QueryText("SELECT count(*) FROM texts"), texts);
    ExpectWhole(path);

    // The exchange with the partners gets its table with the first run that knows it; the runs
    // before it read back without.
    EXPECT_EQ(db.QueryText("SELECT count(*) FROM sqlite_schema WHERE name = 'exchange'"), "0");
    SStoredRun exchanged = SampleRun(3);
    exchanged.rows[0].strYouLink = "followed";
    exchanged.rows[0].strYouLinkFrom = "http://mysite.test/links.html";
    exchanged.rows[0].agreementMet = false;
    exchanged.rows[1].agreementMet = true;
    exchanged.rows[2].strYouLink = "none";
    ASSERT_EQ(history.Store(exchanged).Value(), 5);
    const SStoredRun withExchange = history.ReadRun(5).Value();
    ASSERT_EQ(withExchange.rows.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(withExchange.rows[i].strYouLink, exchanged.rows[i].strYouLink);
        EXPECT_EQ(withExchange.rows[i].strYouLinkFrom, exchanged.rows[i].strYouLinkFrom);
        EXPECT_EQ(withExchange.rows[i].agreementMet, exchanged.rows[i].agreementMet);
    }
    EXPECT_TRUE(history.ReadRun(4).Value().rows[0].strYouLink.empty());

    // Deliveries come back by run; a history of an older version gets their table when opened.
    ASSERT_TRUE(history.StoreDelivery({4, "webhook", "http://hook.test/", false, "timed out"}));
    ASSERT_TRUE(history.StoreDelivery({3, "mail", "me@mysite.test", true, "sent"}));
    const CDeliveryListResult deliveries = history.ListDeliveries();
    ASSERT_TRUE(deliveries);
    ASSERT_EQ(deliveries.Value().size(), 2U);
    EXPECT_EQ(deliveries.Value()[0].strTarget, "me@mysite.test");
    EXPECT_FALSE(deliveries.Value()[1].bOk);
    EXPECT_EQ(deliveries.Value()[1].strMessage, "timed out");
    history = CHistoryDb();
    {
        CSqliteDb older;
        ASSERT_TRUE(older.Open(path, CSqliteDb::EOpen::ReadWrite));
        ASSERT_TRUE(older.Exec("DROP TABLE deliveries"));
    }
    ASSERT_TRUE(history.Open(path, false));
    EXPECT_TRUE(history.ListDeliveries().Value().empty());
    EXPECT_EQ(history.ListRuns().Value().size(), 5U);
}

TEST(HistoryDbTest, DamagedOrForeignFilesAreLeftAlone) {
    TempDir dir;
    const std::string garbage(8192, 'x');
    const std::string damaged = dir.Write("damaged.tsrp-history", garbage);
    CHistoryDb history;
    const CHistoryResult opened = history.Open(damaged, true);
    EXPECT_EQ(opened.Code(), EHistoryError::OpenFailed);
    EXPECT_NE(opened.GetError().detail.find("not a database"), std::string::npos);
    EXPECT_EQ(ReadAll(damaged), garbage);

    // A database of another program is not taken over.
    const std::string foreign = dir.File("foreign.tsrp-history");
    {
        CSqliteDb db;
        ASSERT_TRUE(db.Open(foreign, CSqliteDb::EOpen::Create));
        ASSERT_TRUE(db.Exec("CREATE TABLE notes(text)"));
    }
    const std::string before = ReadAll(foreign);
    EXPECT_EQ(history.Open(foreign, true).Code(), EHistoryError::NotAHistory);
    EXPECT_EQ(ReadAll(foreign), before);

    // A history cut short: opening or storing fails, the file keeps its bytes.
    const std::string cut = dir.File("cut.tsrp-history");
    {
        CHistoryDb whole;
        ASSERT_TRUE(whole.Open(cut, true));
        ASSERT_TRUE(whole.Store(SampleRun(2000)).Ok());
    }
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    const std::string half = ReadAll(cut);
    // The run is there: a failure to read it is never told as a missing run.
    if (history.Open(cut, false)) {
        const CStoreResult stored = history.Store(SampleRun(2000));
        const CReadRunResult read = history.ReadRun(1);
        EXPECT_TRUE(!stored || !read);
        EXPECT_NE(read.Code(), EHistoryError::NoSuchRun);
    }
    EXPECT_EQ(ReadAll(cut), half);

    // A symbolic link in the history's place is refused, dangling or not; a history in a folder
    // reached through a link is opened.
    const std::string target = dir.File("target.tsrp-history");
    {
        CHistoryDb whole;
        ASSERT_TRUE(whole.Open(target, true));
    }
    const std::string kept = ReadAll(target);
    std::filesystem::create_symlink(target, dir.File("link.tsrp-history"));
    std::filesystem::create_symlink(dir.File("nowhere"), dir.File("dangling.tsrp-history"));
    for (const char* name : {"link.tsrp-history", "dangling.tsrp-history"}) {
        const CHistoryResult opened = history.Open(dir.File(name), true);
        EXPECT_EQ(opened.Code(), EHistoryError::SymbolicLink) << name;
        EXPECT_NE(opened.GetError().detail.find("symbolic link"), std::string::npos);
    }
    EXPECT_EQ(ReadAll(target), kept);
    EXPECT_FALSE(std::filesystem::exists(dir.File("nowhere")));
    std::filesystem::create_directory_symlink(dir.Path(), dir.File("folder"));
    EXPECT_TRUE(history.Open(dir.File("folder/target.tsrp-history"), false));
}

TEST(HistoryDbTest, UnwritablePlaceTurnsHistoryOff) {
    TempDir dir;
    CHistoryDb history;
    // Root writes into read-only folders; a folder in the file's place stops everyone.
    if (geteuid() == 0) {
        std::filesystem::create_directory(dir.File("links.tsrp-history"));
    } else {
        ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    }
    const CHistoryResult opened = history.Open(dir.File("links.tsrp-history"), true);
    ASSERT_EQ(opened.Code(), EHistoryError::OpenFailed);
    EXPECT_FALSE(opened.GetError().detail.empty());
    chmod(dir.Path().c_str(), 0755);
}

TEST(HistoryDbTest, TwoProgramsOnOneFile) {
    TempDir dir;
    const std::string path = dir.File("links.tsrp-history");
    CHistoryDb first;
    CHistoryDb second;
    ASSERT_TRUE(first.Open(path, true));
    ASSERT_TRUE(second.Open(path, true));
    ASSERT_EQ(first.Store(SampleRun(5)).Value(), 1);

    // While one holds the write lock, the other reads and its store waits, then gives up whole.
    CSqliteDb writer;
    ASSERT_TRUE(writer.Open(path, CSqliteDb::EOpen::ReadWrite));
    ASSERT_TRUE(writer.Exec("BEGIN IMMEDIATE"));
    EXPECT_TRUE(second.ReadRun(1));
    second.SetBusyTimeout(50);
    const CStoreResult locked = second.Store(SampleRun(5));
    ASSERT_EQ(locked.Code(), EHistoryError::StoreFailed);
    EXPECT_NE(locked.GetError().detail.find("locked"), std::string::npos);

    // With a longer timeout the store waits until the lock goes.
    second.SetBusyTimeout(10000);
    std::thread release([&writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        writer.Exec("COMMIT");
    });
    EXPECT_EQ(second.Store(SampleRun(5)).Value(), 2);
    release.join();
    EXPECT_EQ(first.Store(SampleRun(5)).Value(), 3);
    ExpectWhole(path);
}

// A program killed while it stores a run leaves the history as it was before that run.
TEST(HistoryDbTest, KilledWhileStoringLeavesWholeRuns) {
    TempDir dir;
    const std::string path = dir.File("links.tsrp-history");
    {
        CHistoryDb history;
        ASSERT_TRUE(history.Open(path, true));
    }
    const SStoredRun run = SampleRun(5000);
    std::mt19937 random(17);
    std::uniform_int_distribution<int> delay(1, 300);
    for (int attempt = 0; attempt < 12; ++attempt) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            CHistoryDb history;
            if (history.Open(path, false)) {
                while (history.Store(run).Ok()) {
                }
            }
            _exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waitpid(child, &status, WNOHANG) == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ExpectWhole(path);
    }
    // The history still takes runs afterwards.
    CHistoryDb history;
    ASSERT_TRUE(history.Open(path, false));
    EXPECT_TRUE(history.Store(SampleRun(3)).Ok());
    ExpectWhole(path);
}

// The desktop program stores its language letter only, the command line its --lang, the partner
// count and whether it authenticated.
TEST(HistoryDbTest, RunSettingsKeepEachProgramsKeys) {
    EXPECT_EQ(
        RunSettingsJson({.strDomain = "shop.test", .strLanguage = "G", .strProgram = "tessaray"}),
        R"({"domain": "shop.test", "language": "G", "program": "tessaray"})");
    EXPECT_EQ(RunSettingsJson({.strDomain = "sh\"op",
                               .strLanguage = "en",
                               .nPartners = 3,
                               .bAuthentication = false,
                               .strProgram = "tessaray-cli"}),
              R"({"domain": "sh\"op", "language": "en", "partners": 3, "authentication": false, )"
              R"("program": "tessaray-cli"})");
}

} // namespace
} // namespace tessaray
