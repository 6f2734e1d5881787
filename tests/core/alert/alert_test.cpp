#include "core/alert/alert.h"
#include "core/alert/alert_delivery.h"

#include "http_test_server.h"
#include "program_runner.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <sys/wait.h>

namespace tessaray {
namespace {

using test::ReadAll;
using test::TempDir;

constexpr const char* kScripts = TESSARAY_SOURCE_DIR "/tests/core/alert/";

SRunChange Change(EChangeKind eKind, EChangeClass eClass, std::string partner,
                  EVerdict eOld = EVerdict::Counts, EVerdict eNew = EVerdict::Missing) {
    SRunChange change;
    change.eKind = eKind;
    change.eClass = eClass;
    change.strPartnerUrl = std::move(partner);
    change.eOldVerdict = eOld;
    change.eNewVerdict = eNew;
    return change;
}

// Two partners got worse (one of them twice), one better, one new, one unreachable at first.
SHistoryRecord SampleRecord() {
    SHistoryRecord record;
    record.nRunId = 2;
    record.nPreviousId = 1;
    record.previous.nId = 1;
    record.changes = {
        Change(EChangeKind::LinkLost, EChangeClass::Lost, "http://a.test/"),
        Change(EChangeKind::VerdictChanged, EChangeClass::Worse, "http://a.test/"),
        Change(EChangeKind::VerdictChanged, EChangeClass::Better, "http://b.test/",
               EVerdict::Missing, EVerdict::Counts),
        Change(EChangeKind::VerdictChanged, EChangeClass::Worse, "http://c.test/", EVerdict::Counts,
               EVerdict::DoesNotCount),
        Change(EChangeKind::PartnerAdded, EChangeClass::New, "http://d.test/"),
    };
    record.changes[1].strLinkUrl = "http://shop.example/";
    record.changes[3].newReasons = {{EReason::RelNofollow, ""}};
    // e.test/ turned unreachable in this run only: worse, but not yet alerting.
    record.changes.push_back(Change(EChangeKind::VerdictChanged, EChangeClass::Worse,
                                    "http://e.test/", EVerdict::Counts, EVerdict::Unreachable));
    record.alerting = {record.changes[0], record.changes[1], record.changes[3]};
    return record;
}

SAlert SampleAlert(char chLanguage = 'E') {
    const SHistoryRecord record = SampleRecord();
    SRunInfo newer;
    newer.nId = record.nRunId;
    return MakeAlert(AlertChanges(record), record.previous, newer, "http://shop.example/",
                     chLanguage);
}

TEST(Alert, TheRunsAlertingChangesAlertAgainstACompletedRun) {
    SHistoryRecord record = SampleRecord();
    const std::vector<SRunChange> alerting = AlertChanges(record);
    ASSERT_EQ(alerting.size(), 3U);
    EXPECT_EQ(alerting[2].strPartnerUrl, "http://c.test/");
    record.nPreviousId = 0; // nothing to compare with: nothing is sent
    EXPECT_TRUE(AlertChanges(record).empty());

    const SAlert alert = SampleAlert();
    EXPECT_EQ(alert.strTitle, "2 partners lost their link to shop.example");
    EXPECT_EQ(alert.strText, "2 partners lost their link to shop.example\n\n"
                             "http://a.test/: counts -> missing\n"
                             "http://a.test/ -> http://shop.example/: counts -> missing\n"
                             "http://c.test/: counts -> does not count (rel-nofollow)\n");
    EXPECT_NE(alert.strJson.find("\"alarming\": true"), std::string::npos);
    EXPECT_EQ(SampleAlert('G').strTitle, "2 Partner haben ihren Link auf shop.example verloren");
}

TEST(Alert, SettingsAreCheckedBeforeUse) {
    const struct {
        SAlertSettings settings;
        const char* pszProblem; // a part of the message; "" when fine
    } cases[] = {
        {{}, ""},
        {{"me@shop.example", "smtp://127.0.0.1:2525", "", "", "", false}, ""},
        {{"me@shop.example", "smtps://mail.test", "me", "/pw", "https://h.test/x", true}, ""},
        {{"", "smtp://mail.test", "", "", "", false}, "mail address"},
        {{"me@shop.example\r\nBcc: x@y.test", "smtp://mail.test", "", "", "", false},
         "mail address"},
        {{"me@shop.example", "http://mail.test", "", "", "", false}, "smtp://"},
        {{"me@shop.example", "smtp://me:pw@mail.test", "", "", "", false}, "password file"},
        {{"me@shop.example", "smtp://mail.test", "", "/pw", "", false}, "needs an SMTP user"},
        {{"", "", "", "", "ftp://h.test/", false}, "webhook"},
    };
    for (const auto& c : cases) {
        const std::string problem = CheckAlertSettings(c.settings);
        EXPECT_EQ(problem.empty(), c.pszProblem[0] == '\0') << problem;
        EXPECT_NE(problem.find(c.pszProblem), std::string::npos) << problem;
    }
}

TEST(AlertDelivery, WebhookReceivesTheChangesJson) {
    test::HttpTestServer server;
    std::string body;
    std::string type;
    server.Server().Post("/hook/secret-token",
                         [&](const httplib::Request& req, httplib::Response& res) {
                             body = req.body;
                             type = req.get_header_value("Content-Type");
                             res.set_content("ok", "text/plain");
                         });
    server.Server().Post("/broken",
                         [](const httplib::Request&, httplib::Response& res) { res.status = 500; });
    server.Start();
    const SAlert alert = SampleAlert();
    const SDelivery sent = PostAlertWebhook(server.Url("/hook/secret-token"), alert, {});
    EXPECT_TRUE(sent.bOk) << sent.strMessage;
    EXPECT_EQ(body, alert.strJson);
    EXPECT_EQ(type, "application/json");
    // The history keeps the origin only: a hook's path holds its secret.
    EXPECT_EQ(sent.strTarget, server.Url(""));
    EXPECT_EQ(sent.strTarget.find("secret"), std::string::npos);

    const SDelivery failed = PostAlertWebhook(server.Url("/broken"), alert, {});
    EXPECT_FALSE(failed.bOk);
    EXPECT_EQ(failed.strMessage, "HTTP 500");
    const SDelivery refused = PostAlertWebhook(
        "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/", alert, {"", 2, 5});
    EXPECT_FALSE(refused.bOk);
    EXPECT_FALSE(refused.strMessage.empty());
}

// A local SMTP server (aiosmtpd) in its own process, stopped when it goes.
class SmtpServer {
public:
    SmtpServer(const test::TestCertificates& certificates, const char* pszMode)
        : m_nPort(test::UnusedPort()) {
        m_pid = test::Spawn(m_dir, {"/usr/bin/python3", std::string(kScripts) + "smtp_server.py",
                                    std::to_string(m_nPort), certificates.strCertFile,
                                    certificates.strKeyFile, m_dir.Path(), pszMode});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (m_pid > 0 && !std::filesystem::exists(m_dir.File("ready")) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~SmtpServer() {
        m_dir.Write("stop", "");
        if (m_pid > 0) {
            test::Finish(m_dir, m_pid);
        }
    }
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    bool IsReady() const { return std::filesystem::exists(m_dir.File("ready")); }
    std::string Log() const { return ReadAll(m_dir.File("err.txt")); }
    std::string Url(const char* pszScheme = "smtp") const {
        return std::string(pszScheme) + "://127.0.0.1:" + std::to_string(m_nPort);
    }
    std::string Received(const char* pszName) const { return ReadAll(m_dir.File(pszName)); }

private:
    TempDir m_dir;
    int m_nPort;
    pid_t m_pid = -1;
};

TEST(AlertDelivery, MailGoesOutOnlyOverStartTlsAndNeverShowsThePassword) {
    TempDir dir;
    const test::TestCertificates certificates = test::MakeTestCertificates(dir.Path());
    const SAlertSettings settings{
        "me@shop.example", "", "alerts", dir.Write("password", "s3cret-pw\n"), "", false};
    const SDeliveryOptions options{certificates.strCaFile, 5, 20};
    const SAlert alert = SampleAlert();
    {
        SmtpServer server(certificates, "starttls");
        ASSERT_TRUE(server.IsReady()) << server.Log();
        SAlertSettings mail = settings;
        mail.strSmtpUrl = server.Url();
        const SDelivery sent = SendAlertMail(mail, alert, "{\"rows\": []}", options);
        EXPECT_TRUE(sent.bOk) << sent.strMessage << server.Log();
        EXPECT_EQ(sent.strTarget, "me@shop.example");
        EXPECT_EQ(server.Received("rcpt.txt"), "me@shop.example");
        EXPECT_EQ(server.Received("tls.txt"), "yes");
        EXPECT_EQ(server.Received("subject.txt"), alert.strTitle);
        EXPECT_EQ(server.Received("text.txt"), alert.strText);
        EXPECT_EQ(server.Received("attached-changes.json"), alert.strJson);
        EXPECT_EQ(server.Received("attached-report.json"), "{\"rows\": []}");
        EXPECT_EQ(server.Received("raw.eml").find("s3cret-pw"), std::string::npos);

        // A wrong password: refused, and said without the password.
        mail.strPasswordFile = dir.Write("wrong", "wrong-pw");
        const SDelivery refused = SendAlertMail(mail, alert, {}, options);
        EXPECT_FALSE(refused.bOk);
        EXPECT_EQ(refused.strMessage.find("wrong-pw"), std::string::npos);
        mail.strPasswordFile = dir.File("missing");
        EXPECT_EQ(SendAlertMail(mail, alert, {}, options).strMessage,
                  "cannot read the password file " + dir.File("missing"));
    }
    // A server that offers no STARTTLS gets neither the log-in nor the mail.
    SmtpServer plain(certificates, "plain");
    ASSERT_TRUE(plain.IsReady()) << plain.Log();
    SAlertSettings mail = settings;
    mail.strSmtpUrl = plain.Url();
    const SDelivery refused = SendAlertMail(mail, alert, {}, options);
    EXPECT_FALSE(refused.bOk);
    EXPECT_EQ(plain.Received("raw.eml"), "");
    EXPECT_EQ(refused.strMessage.find("s3cret"), std::string::npos);
}

TEST(AlertDelivery, DesktopNoticeReachesTheSessionBusAndItsClickComesBack) {
    TempDir dir;
    const pid_t pid = test::Spawn(dir, {"/usr/bin/dbus-run-session", "--", "/usr/bin/python3",
                                        std::string(kScripts) + "notify_server.py", dir.Path()});
    ASSERT_GT(pid, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(dir.File("address")) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string address = ReadAll(dir.File("address"));
    ASSERT_FALSE(address.empty()) << ReadAll(dir.File("err.txt"));
    const char* pszOld = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string old = pszOld != nullptr ? pszOld : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);

    std::uint32_t nId = 0;
    const SDelivery shown = ShowDesktopNotice(SampleAlert(), 'E', &nId);
    EXPECT_TRUE(shown.bOk) << shown.strMessage;
    EXPECT_EQ(nId, 7U);
    EXPECT_TRUE(WaitForNoticeClick(nId, 10));
    EXPECT_FALSE(WaitForNoticeClick(nId + 1, 1)); // another notice's click is not ours
    const std::string notice = ReadAll(dir.File("notice.txt"));
    EXPECT_NE(notice.find("summary=2 partners lost their link to shop.example\n"),
              std::string::npos);
    EXPECT_NE(notice.find("body=http://a.test/: counts -&gt; missing\n"), std::string::npos);
    EXPECT_NE(notice.find("actions=['default', 'Open the project']"), std::string::npos);
    EXPECT_NE(notice.find("desktop-entry=tessaray"), std::string::npos);

    dir.Write("stop", "");
    test::Finish(dir, pid);
    // Without a notification server the notice fails, and says why.
    const SDelivery failed = ShowDesktopNotice(SampleAlert(), 'E', nullptr);
    EXPECT_FALSE(failed.bOk);
    EXPECT_FALSE(failed.strMessage.empty());
    old.empty() ? unsetenv("DBUS_SESSION_BUS_ADDRESS")
                : setenv("DBUS_SESSION_BUS_ADDRESS", old.c_str(), 1);
}

} // namespace
} // namespace tessaray
