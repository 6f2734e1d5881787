// The rank hand-over: message 0x006A becomes command 107 and reaches the run's RankFetched. No
// rank query is ever started, so a completion must leave a run and its rows as they are.
#include "core/results/result_table.h"
#include "gui/toolkit/command_ids.h"
#include "gui_fixture.h"
#include "http_test_server.h"

#include <condition_variable>
#include <mutex>

namespace tessaray::test {
namespace {

class RankFetchedTest : public GuiFixture {
protected:
    void SetUp() override {
        // The first page is held back until the test releases it (at most 20 s).
        m_server.Server().Get("/p1.html", [this](const httplib::Request&, httplib::Response& res) {
            std::unique_lock lock(m_mutex);
            m_bRequested = true;
            m_released.wait_for(lock, std::chrono::seconds(20), [this] { return m_bReleased; });
            res.set_content("<a href=\"http://shop.example/\">Shop</a>", "text/html");
        });
        m_server.Server().Get("/p2.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<a href=\"http://shop.example/x\">X</a>", "text/html");
        });
        m_server.Start();
    }

    void TearDown() override {
        Release();
        GuiFixture::TearDown();
    }

    void Release() {
        std::lock_guard lock(m_mutex);
        m_bReleased = true;
        m_released.notify_all();
    }

    bool Requested() {
        std::lock_guard lock(m_mutex);
        return m_bRequested;
    }

    HttpTestServer m_server;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_bRequested = false;
    bool m_bReleased = false;
};

TEST_F(RankFetchedTest, RankCompletionLeavesTheRunAndItsRowsAlone) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example",
                                          {m_server.Url("/p1.html"), m_server.Url("/p2.html")});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    Frame().SendCommand(ID_ANALYSIS_START);
    ASSERT_TRUE(View().IsRunning());
    ASSERT_TRUE(WaitFor([this] { return Requested(); }));

    // While the first page is still loading, a rank completion must not move the run on.
    const QStringList before = OutputLines();
    Frame().PostPrivateMessage(WM_RANK_DONE);
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(View().IsRunning());
    EXPECT_EQ(OutputLines(), before);
    EXPECT_EQ(View().Table().GetRowCount(), 1);

    Release();
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
    ASSERT_EQ(View().Table().GetRowCount(), 2);
    const QStringList finished = OutputLines();

    // After the run a late completion changes nothing either; the rank cells stay empty.
    Frame().PostPrivateMessage(WM_RANK_DONE);
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(OutputLines(), finished);
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(View().Table().GetCellView(row, kColR1).empty());
    }
}

} // namespace
} // namespace tessaray::test
