// The Help menu's commands in the running program: the help document in the language in force,
// the home page, the update command, the automatic update check against a local server, and the
// tip of the day at start-up and on request.
#include "gui/app/help_commands.h"

#include "core/app/version_code.h"
#include "core/app/web_addresses.h"
#include "gui/app/tip_of_the_day_dlg.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"
#include "gui_fixture.h"
#include "http_test_server.h"
#include "modal_dialog.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <atomic>
#include <optional>

namespace tessaray::test {
namespace {

constexpr const char* kNewerOffered = "A newer version is available\n\n"
                                      "Do you want to open the Tessaray download page in the "
                                      "browser?";

class HelpCommandsTest : public GuiFixture {
protected:
    CHelpCommands& Help() { return *App().HelpCommands(); }

    // Starts the program in English with the update check reading the local page /download.htm;
    // consent: the stored answer to the update question (unset: never asked).
    void StartWithDownloadPage(std::string page, std::optional<int> consent = 1,
                               std::optional<bool> ask = {}) {
        m_server.Server().Get("/download.htm",
                              [this, page](const httplib::Request&, httplib::Response& res) {
                                  ++m_nDownloads;
                                  res.set_content(page, "text/html");
                              });
        m_server.Start();
        SGuiOptions options = WithEnglishFile();
        if (consent) {
            options.settings[QStringLiteral("Options/UpdateCheck")] = *consent;
        }
        options.strDownloadUrl = m_server.Url("/download.htm");
        options.askUpdateCheck = ask;
        ASSERT_TRUE(Start(options));
    }

    // Runs the automatic update check (again) and waits until its download was evaluated.
    bool RunUpdateCheck() {
        Frame().SendCommand(ID_UPDATE_CHECK_AUTO);
        return Help().IsUpdateCheckPending() &&
               WaitFor([this] { return !Help().IsUpdateCheckPending(); });
    }

    void WriteHelpPage(const QString& relativePath) {
        const QString path = QString::fromStdString(App().InstallDir()) + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }

    HttpTestServer m_server;
    std::atomic<int> m_nDownloads = 0;
};

TEST_F(HelpCommandsTest, UpdateCheckOffersANewerVersionAndOpensThePageOnYes) {
    m_answer = QMessageBox::Yes;
    StartWithDownloadPage("<html><!--VERSION:999999--></html>");
    ASSERT_TRUE(WaitFor([this] { return !m_messages.isEmpty(); }));
    EXPECT_EQ(m_messages, QStringList{QString::fromLatin1(kNewerOffered)});
    ASSERT_EQ(m_openedUrls.size(), 1);
    EXPECT_EQ(m_openedUrls[0].toString().toStdString(), m_server.Url("/download.htm"));

    m_answer = QMessageBox::No;
    ASSERT_TRUE(RunUpdateCheck());
    EXPECT_EQ(m_messages.size(), 2);
    EXPECT_EQ(m_openedUrls.size(), 1) << "No opens nothing";
}

TEST_F(HelpCommandsTest, UpdateCheckStaysSilentForTheCurrentVersion) {
    StartWithDownloadPage("<html><!--VERSION:" + BuiltVersionCode() + "--></html>");
    ASSERT_TRUE(RunUpdateCheck());
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_TRUE(m_openedUrls.isEmpty());
}

TEST_F(HelpCommandsTest, UpdateCheckNeverRunsWithoutConsent) {
    if (!IsUpdateCheckBuilt()) {
        GTEST_SKIP() << "built without the update check";
    }
    // Offscreen (as in every other test) nobody is asked, and nothing is fetched.
    ASSERT_TRUE(Start(WithEnglishFile()));
    EXPECT_FALSE(Help().IsUpdateCheckPending());
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(ProgramSettings().value(QStringLiteral("Options/UpdateCheck"), -1).toInt(), -1);
    TearDown();

    // Asked once: No is kept, and the page is never read.
    m_answer = QMessageBox::No;
    StartWithDownloadPage("<html><!--VERSION:999999--></html>", std::nullopt, true);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("Should Tessaray look for a newer")));
    Frame().SendCommand(ID_UPDATE_CHECK_AUTO);
    EXPECT_EQ(m_messages.size(), 1) << "asked only once";
    EXPECT_FALSE(Help().IsUpdateCheckPending());
    EXPECT_EQ(ProgramSettings().value(QStringLiteral("Options/UpdateCheck")).toInt(), 0);
    EXPECT_EQ(m_nDownloads, 0);
}

TEST_F(HelpCommandsTest, FailedDownloadAndStrayCompletionStaySilent) {
    // The fixture points the check at a closed local port.
    SGuiOptions options = WithEnglishFile();
    options.settings[QStringLiteral("Options/UpdateCheck")] = 1;
    ASSERT_TRUE(Start(options));
    ASSERT_TRUE(RunUpdateCheck());
    // A completion without a pending check reaches the command and does nothing.
    Frame().PostPrivateMessage(WM_UPDATE_DONE);
    WaitFor([] { return false; }, 200);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_TRUE(m_openedUrls.isEmpty());
}

TEST_F(HelpCommandsTest, UpdateCommandNamesTheVersionAndOpensTheDownloadPageOnYes) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    m_answer = QMessageBox::No;
    Frame().SendCommand(ID_CHECK_UPDATES);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("Your present Tessaray version: %1\n\nDo you want to "
                                            "open the Tessaray download page in the browser?")
                                 .arg(QString::fromStdString(App().Version())));
    EXPECT_TRUE(m_openedUrls.isEmpty());
    m_answer = QMessageBox::Yes;
    Frame().SendCommand(ID_CHECK_UPDATES);
    ASSERT_EQ(m_openedUrls.size(), 1);
    EXPECT_EQ(m_openedUrls[0].toString().toStdString(), Help().DownloadUrl());
}

TEST_F(HelpCommandsTest, HelpOpensTheDocumentOfTheLanguageInForce) {
    ASSERT_TRUE(Start()); // German: no English translation file
    Frame().SendCommand(ID_HELP);
    ASSERT_EQ(m_messages.size(), 1) << "a missing help document is reported";
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("Das Hilfe-Dokument"))) << "in German";
    EXPECT_TRUE(m_openedUrls.isEmpty());
    WriteHelpPage(QStringLiteral("/help/public/de/index.htm"));
    Frame().SendCommand(ID_HELP_DOCUMENT);
    ASSERT_EQ(m_openedUrls.size(), 1);
    EXPECT_EQ(m_openedUrls[0], QUrl::fromLocalFile(QString::fromStdString(App().InstallDir()) +
                                                   QStringLiteral("/help/public/de/index.htm")));
}

TEST_F(HelpCommandsTest, HelpInEnglishAndTheHomepage) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    WriteHelpPage(QStringLiteral("/help/public/index.htm"));
    Frame().SendCommand(ID_HELP);
    Frame().SendCommand(ID_HOMEPAGE);
    ASSERT_EQ(m_openedUrls.size(), 2);
    EXPECT_EQ(m_openedUrls[0], QUrl::fromLocalFile(QString::fromStdString(App().InstallDir()) +
                                                   QStringLiteral("/help/public/index.htm")));
    EXPECT_EQ(m_openedUrls[1].toString(),
              QString::fromLatin1(GetWebAddress(WebAddress::Homepage, 'E')));
    EXPECT_TRUE(m_openedUrls[1].toString().endsWith(u'/'));
}

TEST_F(HelpCommandsTest, TipOfTheDayShowsAtStartUpUnlessSwitchedOff) {
    bool bShown = false;
    WhenModal<CTipOfTheDayDlg>([&](CTipOfTheDayDlg&) { bShown = true; });
    SGuiOptions options;
    options.bTipAtStartup = true;
    ASSERT_TRUE(Start(options));
    EXPECT_TRUE(bShown);
}

TEST_F(HelpCommandsTest, TipOfTheDayCommandShowsTheTipWhateverStartUpSays) {
    ASSERT_TRUE(Start()); // the fixture switched the start-up tip off
    QFile::copy(QStringLiteral(TESSARAY_SOURCE_DIR "/res/tips.txt"),
                QString::fromStdString(App().InstallDir()) + QStringLiteral("/tips.txt"));
    QString tip;
    WhenModal<CTipOfTheDayDlg>([&](CTipOfTheDayDlg& dlg) { tip = dlg.Tip(); });
    Frame().SendCommand(ID_TIP_OF_THE_DAY);
    EXPECT_FALSE(tip.isEmpty());
    EXPECT_NE(tip, QStringLiteral("Tips file does not exist in the prescribed directory"));
}

} // namespace
} // namespace tessaray::test
