// The desktop analysis: the options dialog and its settings, the progress in the status bar, the
// table following the run, and closing the window during a run.
#include "gui_fixture.h"

#include "gui/results/analysis_options_dlg.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"
#include "http_test_server.h"
#include "modal_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpinBox>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tessaray::test {
namespace {

class AnalysisControllerTest : public GuiFixture {
protected:
    void SetUp() override {
        m_server.Server().Get("/page.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<a href=\"http://shop.example/\">Shop</a>", "text/html");
        });
        // Held back until the test releases it (at most 20 s).
        m_server.Server().Get(
            "/held.html", [this](const httplib::Request&, httplib::Response& res) {
                std::unique_lock lock(m_mutex);
                m_bRequested = true;
                m_released.wait_for(lock, std::chrono::seconds(20), [this] { return m_bReleased; });
                res.set_content("<a href=\"http://shop.example/\">Shop</a>", "text/html");
            });
        m_server.Start();
    }

    void TearDown() override {
        Release();
        GuiFixture::TearDown();
    }

    void Release() {
        const std::lock_guard lock(m_mutex);
        m_bReleased = true;
        m_released.notify_all();
    }

    bool Requested() {
        const std::lock_guard lock(m_mutex);
        return m_bRequested;
    }

    // Opens a project of nPartners pages whose page number nHeld (1-based; 0 for none) is held.
    void StartWithPartners(int nPartners, int nHeld) {
        std::vector<std::string> partners;
        for (int n = 1; n <= nPartners; ++n) {
            partners.push_back(n == nHeld ? m_server.Url("/held.html")
                                          : m_server.Url("/page.html?n=" + std::to_string(n)));
        }
        const std::string path = WriteProject("shop.tsrp", "http://shop.example", partners);
        SGuiOptions options = WithEnglishFile();
        options.args = {QString::fromStdString(path)};
        ASSERT_TRUE(Start(options));
    }

    const QProgressBar& Progress() { return *View().Analysis().ProgressBar(); }

    HttpTestServer m_server;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_bRequested = false;
    bool m_bReleased = false;
};

TEST_F(AnalysisControllerTest, OptionsAreStoredInTheSettingsAndUsedByTheNextRun) {
    StartWithPartners(1, 0);
    WhenModal<CAnalysisOptionsDlg>([](CAnalysisOptionsDlg& dlg) {
        // The stored defaults first.
        EXPECT_EQ(Child<QSpinBox>(dlg, "parallelBox").value(), SFetchWindow::kDefaultParallel);
        EXPECT_EQ(Child<QSpinBox>(dlg, "perSiteBox").value(), SFetchWindow::kDefaultPerSite);
        Child<QSpinBox>(dlg, "parallelBox").setValue(16);
        Child<QSpinBox>(dlg, "perSiteBox").setValue(3);
        EXPECT_EQ(Child<QLineEdit>(dlg, "userAgentEdit").text(), QStringLiteral("Mozilla/4.0"));
        Child<QLineEdit>(dlg, "userAgentEdit").setText(QStringLiteral(" Tessaray/1.0 "));
        EXPECT_FALSE(Child<QCheckBox>(dlg, "asGooglebotBox").isChecked());
        Child<QCheckBox>(dlg, "asGooglebotBox").setChecked(true);
        Press(dlg, QDialogButtonBox::Ok);
    });
    Frame().SendCommand(ID_ANALYSIS_OPTIONS);
    EXPECT_EQ(ProgramSettings().value(QStringLiteral("Analysis/Parallel")).toInt(), 16);
    EXPECT_EQ(ProgramSettings().value(QStringLiteral("Analysis/PerSite")).toInt(), 3);
    EXPECT_EQ(LoadUserAgent(), "Tessaray/1.0");
    EXPECT_TRUE(LoadAsGooglebot());
    Frame().SendCommand(ID_ANALYSIS_START);
    EXPECT_EQ(View().Analysis().Run().GetFetchWindow().nParallel, 16);
    EXPECT_EQ(View().Analysis().Run().GetFetchWindow().nPerSite, 3);
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
    EXPECT_EQ(OutputLines().constFirst(),
              QStringLiteral("Fetching up to 16 pages at a time, at most 3 per site"));

    // Cancel keeps the settings; stored values outside the ranges are brought into them.
    WhenModal<CAnalysisOptionsDlg>([](CAnalysisOptionsDlg& dlg) {
        EXPECT_EQ(Child<QSpinBox>(dlg, "parallelBox").value(), 16);
        Child<QSpinBox>(dlg, "parallelBox").setValue(1);
        Press(dlg, QDialogButtonBox::Cancel);
    });
    Frame().SendCommand(ID_ANALYSIS_OPTIONS);
    EXPECT_EQ(LoadFetchWindow().nParallel, 16);
    ProgramSettings().setValue(QStringLiteral("Analysis/Parallel"), 500);
    ProgramSettings().setValue(QStringLiteral("Analysis/PerSite"), QStringLiteral("many"));
    EXPECT_EQ(LoadFetchWindow().nParallel, SFetchWindow::kMaxParallel);
    EXPECT_EQ(LoadFetchWindow().nPerSite, SFetchWindow::kDefaultPerSite);
    ProgramSettings().setValue(QStringLiteral("Analysis/UserAgent"), QStringLiteral("a\nb"));
    EXPECT_EQ(LoadUserAgent(), "Mozilla/4.0");
}

TEST_F(AnalysisControllerTest, ProgressBarAndTableFollowTheRunUntilTheUserScrolls) {
    StartWithPartners(60, 30);
    EXPECT_FALSE(Progress().isVisible());
    Frame().SendCommand(ID_ANALYSIS_START);
    ASSERT_TRUE(WaitFor([this] { return Requested() && Progress().value() == 29; }));
    EXPECT_TRUE(Progress().isVisible());
    EXPECT_EQ(Progress().maximum(), 60);
    EXPECT_TRUE(Progress().format().startsWith(QStringLiteral("29 of 60 partners, about ")))
        << Progress().format().toStdString();
    EXPECT_TRUE(Progress().format().endsWith(QStringLiteral(" left")));
    // The partner in turn is in sight.
    const QScrollBar* bar = View().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    // Once the user scrolls, the table stays where the user put it.
    View().verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    Release();
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
    EXPECT_EQ(View().Table().GetRowCount(), 60);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(Progress().isVisible());
}

TEST_F(AnalysisControllerTest, TheEstimateGivesWayToWaitingWhileSlowPagesHang) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    using std::chrono::seconds;
    const struct {
        int nDone;
        int nWaiting;
        seconds elapsed;
        seconds sinceDone;
        const char* text;
    } cases[] = {
        {1, 2, seconds(1), seconds(0), "1 of 10 partners"}, // too few done for an estimate
        {5, 2, seconds(10), seconds(1), "5 of 10 partners, about 0:10 left"},
        // Nothing done for three times the pace and at least five seconds.
        {5, 1, seconds(40), seconds(30), "5 of 10 partners, waiting for 1 slow page"},
        {5, 2, seconds(40), seconds(30), "5 of 10 partners, waiting for 2 slow pages"},
        {9, 1, seconds(2), seconds(4), "9 of 10 partners, about 0:01 left"},
        {9, 1, seconds(2), seconds(6), "9 of 10 partners, waiting for 1 slow page"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            CAnalysisController::ProgressText(c.nDone, 10, c.nWaiting, c.elapsed, c.sinceDone),
            QString::fromUtf8(c.text));
    }
}

TEST_F(AnalysisControllerTest, ClosingTheWindowCancelsARunWithoutWaitingForIt) {
    StartWithPartners(3, 1);
    Frame().SendCommand(ID_ANALYSIS_START);
    ASSERT_TRUE(WaitFor([this] { return Requested(); }));
    // The held page would keep a waiting close busy for 20 s; the bound only catches a hang.
    const auto start = std::chrono::steady_clock::now();
    GuiFixture::TearDown();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

} // namespace
} // namespace tessaray::test
