// The tip of the day dialog: "Next Tip", what Close and Escape store, the file position kept on
// destruction, and a missing or tipless tips file.
#include "gui/app/tip_of_the_day_dlg.h"

#include "gui/toolkit/program_settings.h"
#include "gui/toolkit/ui_hooks.h"
#include "temp_dir.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tessaray::test {
namespace {

class TipOfTheDayDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString settings =
            QString::fromStdString(m_temp.Path()) + QStringLiteral("/settings");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
        m_hooks.messageBox = [this](QWidget*, QMessageBox::Icon, const QString& text,
                                    QMessageBox::StandardButtons) {
            m_messages.append(text);
            return QMessageBox::Ok;
        };
    }

    std::unique_ptr<CTipOfTheDayDlg> MakeDialog() {
        return std::make_unique<CTipOfTheDayDlg>(m_temp.Path(), m_hooks);
    }

    static QVariant Setting(const char* key) {
        return ProgramSettings().value(QString::fromLatin1(key));
    }

    static void ClickNext(CTipOfTheDayDlg& dlg) {
        dlg.findChild<QPushButton*>(QStringLiteral("NextTip"))->click();
    }

    TempDir m_temp;
    SUiHooks m_hooks;
    QStringList m_messages;
};

constexpr const char* kTips = "; comment\n"
                              "\n"
                              " indented line\n"
                              "First tip\n"
                              "\tanother skipped line\n"
                              "Second tip\r\n"
                              "Third tip\n";

TEST_F(TipOfTheDayDlgTest, NextTipWalksThroughTheTipsAndStartsAgainAtTheTop) {
    m_temp.Write("tips.txt", kTips);
    auto dlg = MakeDialog();
    EXPECT_EQ(dlg->Tip(), QStringLiteral("First tip"));
    ClickNext(*dlg);
    EXPECT_EQ(dlg->Tip(), QStringLiteral("Second tip"));
    ClickNext(*dlg);
    EXPECT_EQ(dlg->Tip(), QStringLiteral("Third tip"));
    ClickNext(*dlg);
    EXPECT_EQ(dlg->Tip(), QStringLiteral("First tip"));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(TipOfTheDayDlgTest, OnlyCloseStoresTheStartUpChoice) {
    m_temp.Write("tips.txt", kTips);
    {
        auto dlg = MakeDialog();
        EXPECT_TRUE(dlg->findChild<QCheckBox*>(QStringLiteral("ShowAtStartup"))->isChecked());
        dlg->findChild<QCheckBox*>(QStringLiteral("ShowAtStartup"))->setChecked(false);
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
    }
    EXPECT_FALSE(Setting("Tip/StartUp").isValid()) << "Escape stores nothing";
    {
        auto dlg = MakeDialog();
        dlg->findChild<QCheckBox*>(QStringLiteral("ShowAtStartup"))->setChecked(false);
        dlg->findChild<QPushButton*>(QStringLiteral("Close"))->click();
        EXPECT_FALSE(dlg->IsShowAtStartup());
    }
    EXPECT_EQ(Setting("Tip/StartUp").toInt(), 1);
    {
        auto dlg = MakeDialog();
        EXPECT_FALSE(dlg->IsShowAtStartup());
        EXPECT_FALSE(dlg->findChild<QCheckBox*>(QStringLiteral("ShowAtStartup"))->isChecked());
        dlg->findChild<QCheckBox*>(QStringLiteral("ShowAtStartup"))->setChecked(true);
        dlg->findChild<QPushButton*>(QStringLiteral("Close"))->click();
    }
    EXPECT_EQ(Setting("Tip/StartUp").toInt(), 0);
}

TEST_F(TipOfTheDayDlgTest, TheNextShowingContinuesAfterTheLastTipShown) {
    m_temp.Write("tips.txt", kTips);
    {
        auto dlg = MakeDialog();
        ClickNext(*dlg); // "Second tip", line ended by CR LF
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
    }
    // The position just after "Second tip\r\n".
    const std::string tips = kTips;
    EXPECT_EQ(Setting("Tip/FilePos").toLongLong(), static_cast<qlonglong>(tips.find("Third tip")));
    EXPECT_FALSE(Setting("Tip/TimeStamp").toString().isEmpty());
    auto dlg = MakeDialog();
    EXPECT_EQ(dlg->Tip(), QStringLiteral("Third tip"));
}

TEST_F(TipOfTheDayDlgTest, MissingFileSaysSoAndDisablesNextTip) {
    {
        auto dlg = MakeDialog();
        EXPECT_EQ(dlg->Tip(),
                  QStringLiteral("Tips file does not exist in the prescribed directory"));
        EXPECT_FALSE(dlg->findChild<QPushButton*>(QStringLiteral("NextTip"))->isEnabled());
        dlg->findChild<QPushButton*>(QStringLiteral("Close"))->click();
    }
    EXPECT_FALSE(Setting("Tip/FilePos").isValid());
    EXPECT_EQ(Setting("Tip/StartUp").toInt(), 0);
}

TEST_F(TipOfTheDayDlgTest, FileWithoutTipsSaysSoInsteadOfSearchingForever) {
    m_temp.Write("tips.txt", "; only comments\n  and indented lines\n\n");
    auto dlg = MakeDialog();
    EXPECT_EQ(dlg->Tip(), QStringLiteral("No tips in the tips file"));
    EXPECT_FALSE(dlg->findChild<QPushButton*>(QStringLiteral("NextTip"))->isEnabled());
    EXPECT_TRUE(m_messages.isEmpty());
}

} // namespace
} // namespace tessaray::test
