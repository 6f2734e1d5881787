// The Enter URL dialog: joined entries, refused input with its hint or message, paste and test.
#include "gui/project/enter_url_dlg.h"

#include "core/project/url_rules.h"

#include "modal_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace tessaray::test {
namespace {

class EnterUrlDlgTest : public ::testing::Test {
protected:
    SRecordingHooks m_rec;
    CEnterUrlDlg m_dlg{m_rec.hooks};
    QLineEdit& m_url = Child<QLineEdit>(m_dlg, "urlEdit");
    QLineEdit& m_comment = Child<QLineEdit>(m_dlg, "commentEdit");
    QLabel& m_hint = Child<QLabel>(m_dlg, "urlHint");
};

TEST_F(EnterUrlDlgTest, AddressAndPaddedCommentGiveTheJoinedEntry) {
    m_dlg.SetCommentAllowed(true);
    m_url.setText(QStringLiteral("Shop.Example/Partner"));
    m_comment.setText(QStringLiteral("  Link swap  "));
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_dlg.GetText(), "http://Shop.Example/Partner - Link swap");
}

TEST_F(EnterUrlDlgTest, AnEntryIsSplitIntoItsFieldsAndTheDomainTakesNoComment) {
    m_dlg.SetText("http://shop.example/links.html - swap since 2008");
    EXPECT_EQ(m_url.text(), QStringLiteral("http://shop.example/links.html"));
    EXPECT_EQ(m_comment.text(), QStringLiteral("swap since 2008"));

    m_dlg.SetCommentAllowed(false);
    EXPECT_FALSE(m_comment.isEnabled());
    EXPECT_FALSE(Child<QLabel>(m_dlg, "commentLabel").isEnabled());
}

TEST_F(EnterUrlDlgTest, AnInvalidAddressKeepsTheDialogOpenWithAHint) {
    m_dlg.show();
    // A log-in in the address would go out in plain sight; an entry that long would come back
    // from the file cut (the Domain URL takes this dialog too).
    for (const std::string& invalid :
         {std::string(), std::string("a.b"), std::string("1shop.example"),
          std::string("#a.example"), std::string("shop."),
          std::string("http://bob:pw@shop.example/page"),
          std::string("shop.example/") + std::string(kMaxPartnerEntryLength, 'x')}) {
        m_url.setText(QString::fromStdString(invalid));
        Press(m_dlg, QDialogButtonBox::Ok);
        EXPECT_TRUE(m_dlg.isVisible()) << invalid;
        EXPECT_TRUE(m_hint.isVisible()) << invalid;
        EXPECT_TRUE(m_rec.messages.isEmpty());
    }
    m_url.setText(QStringLiteral("bob@shop.example"));
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_TRUE(m_hint.text().contains(QStringLiteral("password"))) << m_hint.text().toStdString();
    // Typing clears the hint; a valid address then closes the dialog.
    m_url.clear();
    QTest::keyClicks(&m_url, QStringLiteral("ab.example"));
    EXPECT_FALSE(m_hint.isVisible());
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.GetText(), "http://ab.example");
}

TEST_F(EnterUrlDlgTest, CommentsAreLimitedTo200Characters) {
    // Typing stops at the limit.
    QTest::keyClicks(&m_comment, QString(210, u'x'));
    EXPECT_EQ(m_comment.text().size(), CEnterUrlDlg::kMaxCommentLength);

    // A longer stored comment is shown whole and refused on OK with the message.
    m_dlg.SetText("http://a.example - " + std::string(250, 'y'));
    EXPECT_EQ(m_comment.text().size(), 250);
    m_dlg.show();
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_rec.messages,
              QStringList{QStringLiteral("Please enter no more than 200 characters.")});

    m_comment.setText(QString(200, u'y'));
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_dlg.GetText(), "http://a.example - " + std::string(200, 'y'));
}

TEST_F(EnterUrlDlgTest, PasteTakesTheClipboardTextNormalisedWhenValid) {
    QGuiApplication::clipboard()->setText(QStringLiteral("  Shop.Example/Page/ "));
    Child<QPushButton>(m_dlg, "pasteButton").click();
    EXPECT_EQ(m_url.text(), QStringLiteral("http://Shop.Example/Page/"));

    QGuiApplication::clipboard()->setText(QStringLiteral("no address"));
    Child<QPushButton>(m_dlg, "pasteButton").click();
    EXPECT_EQ(m_url.text(), QStringLiteral("no address"));
}

TEST_F(EnterUrlDlgTest, TestUrlOpensOnlyAValidAddress) {
    m_url.setText(QStringLiteral("https://Shop.Example/x/"));
    Child<QPushButton>(m_dlg, "testUrlButton").click();
    m_url.setText(QStringLiteral("1.example"));
    Child<QPushButton>(m_dlg, "testUrlButton").click();
    EXPECT_EQ(m_rec.openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://Shop.Example/x/"))});
    EXPECT_FALSE(m_hint.isHidden());
}

TEST_F(EnterUrlDlgTest, EnterAcceptsAndEscapeCancels) {
    m_dlg.show();
    m_url.setText(QStringLiteral("shop.example"));
    Child<QPushButton>(m_dlg, "testUrlButton").setFocus();
    QTest::keyClick(&Child<QPushButton>(m_dlg, "testUrlButton"), Qt::Key_Return);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(m_rec.openedUrls.isEmpty());

    m_dlg.show();
    QTest::keyClick(&m_url, Qt::Key_Escape);
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
}

} // namespace
} // namespace tessaray::test
