// The support request: the mail link handed to the desktop, the fallback dialog when no mail
// program takes it, and its copy buttons.
#include "gui/app/support_dlg.h"

#include "core/app/support_request.h"
#include "gui/app/support_mail_dlg.h"
#include "gui/toolkit/ui_hooks.h"
#include "modal_dialog.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tessaray::test {
namespace {

constexpr const char* kAddress = "support@dalvero.example.com";
// A German Windows XP system, version 010102.
const std::string kBody = MakeSupportBody("010102", "GERMAN", "WinXP 5.1");
const std::string kSubject = MakeSupportSubject("010102", "GERMAN", "WinXP 5.1");

class SupportDlgTest : public ::testing::Test {
protected:
    SupportDlgTest() {
        m_hooks.openUrl = [this](const QUrl& url) {
            m_opened.append(url);
            return m_bMailProgram;
        };
    }

    SUiHooks m_hooks;
    bool m_bMailProgram = true;
    QList<QUrl> m_opened;
};

TEST_F(SupportDlgTest, SupportOpensTheMailLinkAndStaysOpen) {
    CSupportDlg dlg(kBody, kSubject, kAddress, m_hooks);
    dlg.show();
    dlg.findChild<QPushButton*>(QStringLiteral("SupportButton"))->click();
    ASSERT_EQ(m_opened.size(), 1);
    // Qt writes the hex digits of escapes in upper case (%0D%0A); the link is the same.
    EXPECT_EQ(m_opened[0],
              QUrl::fromEncoded(
                  "mailto:support@dalvero.example.com"
                  "?subject=Dalvero-Tessaray-Support-Vers-010102-GERMAN-WinXP_5.1"
                  "&body=Tessaray%0d%0aFileversion%3A%20010102%0d%0aLanguage%3A%20GERMAN%0d%0a"
                  "OS%3A%20WinXP%205.1%0d%0a%0d%0a"));
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(SupportDlgTest, WithoutMailProgramTheMailDialogOffersTheTextsForCopying) {
    m_bMailProgram = false;
    CSupportDlg dlg(kBody, kSubject, kAddress, m_hooks);
    QString recipient, subject, body, copiedSubject, copiedBody;
    WhenModal<CSupportMailDlg>([&](CSupportMailDlg& mail) {
        recipient = mail.findChild<QLineEdit*>(QStringLiteral("Recipient"))->text();
        subject = mail.findChild<QLineEdit*>(QStringLiteral("Subject"))->text();
        body = mail.findChild<QPlainTextEdit*>(QStringLiteral("Body"))->toPlainText();
        mail.findChild<QPushButton*>(QStringLiteral("CopySubject"))->click();
        copiedSubject = QApplication::clipboard()->text();
        EXPECT_TRUE(mail.findChild<QLineEdit*>(QStringLiteral("Subject"))->hasSelectedText());
        mail.findChild<QPushButton*>(QStringLiteral("CopyBody"))->click();
        copiedBody = QApplication::clipboard()->text();
    });
    dlg.findChild<QPushButton*>(QStringLiteral("SupportButton"))->click();
    EXPECT_EQ(m_opened.size(), 1);
    EXPECT_EQ(recipient, QString::fromLatin1(kAddress));
    EXPECT_EQ(subject, QStringLiteral("Dalvero-Tessaray-Support-Vers-010102-GERMAN-WinXP_5.1"));
    EXPECT_EQ(body, QStringLiteral("Tessaray\nFileversion: 010102\nLanguage: GERMAN\n"
                                   "OS: WinXP 5.1\n"));
    EXPECT_EQ(copiedSubject, subject);
    EXPECT_EQ(copiedBody, body);
}

} // namespace
} // namespace tessaray::test
