// Start-up: settings, installation folder, interface language, command line.
#include "gui_fixture.h"

#include "core/util/message_sink.h"
#include "gui/toolkit/command_ids.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>

namespace tessaray::test {
namespace {

class TessarayAppTest : public GuiFixture {
protected:
    QStringList MenuTitles() {
        QStringList titles;
        for (QAction* menu : Frame().menuBar()->actions()) {
            titles.append(menu->text());
        }
        return titles;
    }
    QStringList StatusPanes() {
        QStringList panes;
        for (QLabel* label : Frame().statusBar()->findChildren<QLabel*>()) {
            if (!label->text().isEmpty() &&
                label->text() != Frame().statusBar()->currentMessage()) {
                panes.append(label->text());
            }
        }
        return panes;
    }
};

TEST_F(TessarayAppTest, StartUpWritesTheThreeSettings) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    QSettings settings(QStringLiteral("Dalvero"), QStringLiteral("Tessaray V1"));
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/INSTALLDIR")).toString().toStdString(),
              m_temp.Path() + "/install");
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/FILEVERSION")).toString(),
              QStringLiteral("010102"));
    // The English file switches the letter to 'E', but the system language is what is stored.
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/LANGUAGE")).toString(),
              QStringLiteral("GERMAN"));
    EXPECT_EQ(App().LanguageLetter(), 'E');
    EXPECT_EQ(App().Version(), "010102");
}

TEST_F(TessarayAppTest, CLocaleIsEnglishAndCoreMessagesAreMessageBoxes) {
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("C"))));
    QSettings settings(QStringLiteral("Dalvero"), QStringLiteral("Tessaray V1"));
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/LANGUAGE")).toString(),
              QStringLiteral("ENGLISH"));
    // Without the English file the program speaks German, its messages too.
    ShowMessage("Max line count reached");
    ShowMessage("/x/tips.txt is a folder; no tips are shown.");
    EXPECT_EQ(m_messages, (QStringList{QStringLiteral("Maximale Zeilenzahl erreicht"),
                                       QStringLiteral("/x/tips.txt is a folder; no tips are "
                                                      "shown.")}));
}

TEST_F(TessarayAppTest, WithoutTheEnglishFileEverythingIsGerman) {
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("English"))));
    EXPECT_FALSE(App().IsEnglishLoaded());
    EXPECT_EQ(MenuTitles(), (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"),
                                         QStringLiteral("Projekt"), QStringLiteral("Analyse"),
                                         QStringLiteral("Export"), QStringLiteral("&Hilfe")}));
    EXPECT_EQ(Frame().Action(ID_ANALYSIS_START)->text(), QStringLiteral("Analzse starten"));
    EXPECT_EQ(Frame().Action(ID_ANALYSIS_STOP)->text(), QStringLiteral("Analzse stoppen"));
    EXPECT_EQ(Frame().Action(ID_FILE_SAVE)->text(), QStringLiteral("&Speichern\tCtrl+S"));
    EXPECT_EQ(Frame().Action(ID_FILE_OPEN)->text(), QStringLiteral("Ö&ffnen...\tStrg+O"));
    EXPECT_EQ(Frame().Action(ID_SUPPORT)->text(),
              QStringLiteral("Support / technische Unterstützung..."));
    EXPECT_EQ(Frame().Action(ID_NEW_PROJECT)->statusTip(),
              QStringLiteral("Ein neues Projekt anlegen"));
    EXPECT_EQ(StatusPanes(),
              (QStringList{QStringLiteral("UF"), QStringLiteral("NUM"), QStringLiteral("RF")}));
    // An English system without the file keeps its letter: English columns, German menus.
    EXPECT_EQ(App().LanguageLetter(), 'E');
}

TEST_F(TessarayAppTest, TheEnglishFileSwitchesEveryTextToEnglish) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    EXPECT_TRUE(App().IsEnglishLoaded());
    EXPECT_EQ(MenuTitles(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                         QStringLiteral("&Project"), QStringLiteral("&Analyse"),
                                         QStringLiteral("&Export"), QStringLiteral("&Help")}));
    EXPECT_EQ(Frame().Action(ID_ANALYSIS_START)->text(), QStringLiteral("Start &Analysis\tF9"));
    EXPECT_EQ(Frame().Action(ID_NEW_PROJECT)->statusTip(), QStringLiteral("Create a new project"));
    EXPECT_EQ(Frame().Action(ID_NEW_PROJECT)->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(StatusPanes(),
              (QStringList{QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")}));
}

TEST_F(TessarayAppTest, ColumnTitlesFollowTheLanguageLetter) {
    const auto title = [this](int col) {
        return View().model()->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    {
        ASSERT_TRUE(Start(OnSystem(QStringLiteral("German"))));
        EXPECT_EQ(App().LanguageLetter(), 'G');
        EXPECT_EQ(title(0), QStringLiteral("Nr."));
        EXPECT_EQ(title(10), QStringLiteral("gelistet"));
        EXPECT_EQ(title(16), QStringLiteral("Kommentar"));
        EXPECT_EQ(View().columnWidth(17), 2000);
        TearDown();
    }
    // A French system without the English file: letter 'F', which takes the English titles.
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("French"))));
    EXPECT_EQ(App().LanguageLetter(), 'F');
    EXPECT_EQ(title(0), QStringLiteral("No."));
    EXPECT_EQ(title(16), QStringLiteral("Comment"));
}

TEST_F(TessarayAppTest, InThePackageLayoutTheSystemLanguageChoosesTheTexts) {
    const auto setting = [](const char* name) {
        return QSettings(QStringLiteral("Dalvero"), QStringLiteral("Tessaray V1"))
            .value(QStringLiteral("SETTINGS/") + QLatin1String(name))
            .toString();
    };
    ASSERT_TRUE(Start(PackagedOnSystem(QStringLiteral("German"))));
    EXPECT_EQ(App().InstallDir(), m_temp.Path() + "/usr/share/tessaray");
    EXPECT_EQ(setting("INSTALLDIR").toStdString(), App().InstallDir());
    EXPECT_FALSE(App().IsEnglishLoaded());
    EXPECT_EQ(App().LanguageLetter(), 'G');
    EXPECT_EQ(MenuTitles().constFirst(), QStringLiteral("&Datei"));
    EXPECT_EQ(setting("LANGUAGE"), QStringLiteral("GERMAN"));
    TearDown();

    ASSERT_TRUE(Start(PackagedOnSystem(QStringLiteral("French"))));
    EXPECT_TRUE(App().IsEnglishLoaded());
    EXPECT_EQ(App().LanguageLetter(), 'E');
    EXPECT_EQ(MenuTitles().constFirst(), QStringLiteral("&File"));
    EXPECT_EQ(setting("LANGUAGE"), QStringLiteral("FRENCH"));
}

TEST_F(TessarayAppTest, CommandLineFileIsOpenedAndARefusedOneLeavesAnEmptyProject) {
    const std::string path =
        WriteProject("shop.tsrp", "http://shop.example", {"http://a.example/x"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("shop"));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("shop - Dalvero Tessaray"));
    EXPECT_EQ(View().Table().GetRowCount(), 1);
    TearDown();

    const std::string text = m_temp.Write("notes.txt", "just some notes\r\n");
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(text)})));
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("Untitled"));
    EXPECT_TRUE(Doc().Project().GetDomain().empty());
}

} // namespace
} // namespace tessaray::test
