// The About box: the version code, the address buttons in the language variant and "Support...",
// which leads on to the support request.
#include "gui/app/about_program_dlg.h"

#include "core/app/version_code.h"
#include "core/app/web_addresses.h"
#include "gui/app/support_dlg.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"
#include "gui_fixture.h"
#include "modal_dialog.h"

#include <QLabel>
#include <QPushButton>

namespace tessaray::test {
namespace {

QString Address(WebAddress which, char chLanguage) {
    return QString::fromLatin1(GetWebAddress(which, chLanguage));
}

TEST(AboutProgramDlgTest, ButtonsOpenTheAddressesOfTheLanguageVariant) {
    for (const char chLanguage : {'G', 'E'}) {
        QList<QUrl> opened;
        SUiHooks hooks;
        hooks.openUrl = [&opened](const QUrl& url) {
            opened.append(url);
            return true;
        };
        CAboutProgramDlg dlg("010102", chLanguage, hooks);
        EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("FileVersion"))->text(),
                  QStringLiteral("1.1.2"));
        EXPECT_TRUE(dlg.findChild<QLabel*>(QStringLiteral("Copyright"))
                        ->text()
                        .contains(QStringLiteral("MIT License")));
        auto* home = dlg.findChild<QPushButton*>(QStringLiteral("ProductHomeButton"));
        auto* company = dlg.findChild<QPushButton*>(QStringLiteral("CompanySiteButton"));
        EXPECT_EQ(home->text(), Address(WebAddress::ProductHome, chLanguage));
        EXPECT_EQ(company->text(), Address(WebAddress::CompanySite, chLanguage));
        home->click();
        company->click();
        dlg.findChild<QPushButton*>(QStringLiteral("ContactButton"))->click();
        ASSERT_EQ(opened.size(), 3);
        EXPECT_EQ(opened[0].toString(), Address(WebAddress::ProductHome, chLanguage));
        EXPECT_EQ(opened[1].toString(), Address(WebAddress::CompanySite, chLanguage));
        EXPECT_EQ(opened[2].toString(), Address(WebAddress::ContactPage, chLanguage));
        EXPECT_FALSE(dlg.SupportChosen());
    }
    EXPECT_NE(Address(WebAddress::ProductHome, 'G'), Address(WebAddress::ProductHome, 'E'));
}

class AboutCommandTest : public GuiFixture {};

TEST_F(AboutCommandTest, ShowsTheVersionCodeAndSupportStartsTheSupportRequest) {
    ASSERT_TRUE(Start());
    QString shownVersion;
    bool bSupportShown = false;
    WhenModal<CAboutProgramDlg>([&](CAboutProgramDlg& dlg) {
        shownVersion = dlg.findChild<QLabel*>(QStringLiteral("FileVersion"))->text();
        // The support request follows as a posted command, once the About box is closed.
        WhenModal<CSupportDlg>([&](CSupportDlg&) { bSupportShown = true; });
        dlg.findChild<QPushButton*>(QStringLiteral("SupportButton"))->click();
        EXPECT_FALSE(dlg.isVisible());
    });
    Frame().SendCommand(ID_APP_ABOUT);
    EXPECT_EQ(shownVersion.toStdString(), VersionLine("").substr(1)) << "dotted: 1.1.2";
    EXPECT_TRUE(WaitFor([&] { return bSupportShown; }, 10000));
}

} // namespace
} // namespace tessaray::test
