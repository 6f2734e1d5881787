// Start-up: settings, installation folder, interface language, command line.
#include "gui_fixture.h"
#include "modal_dialog.h"

#include "core/util/message_sink.h"
#include "gui/app/program_options_dlg.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"

#include <QAction>
#include <QComboBox>
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
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("French"))));
    QSettings settings(QStringLiteral("Dalvero"), QStringLiteral("Tessaray V1"));
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/INSTALLDIR")).toString().toStdString(),
              m_temp.Path() + "/install");
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/FILEVERSION")).toString(),
              QStringLiteral("010102"));
    // The system language is what is stored; the interface of a French system speaks English.
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/LANGUAGE")).toString(),
              QStringLiteral("FRENCH"));
    EXPECT_EQ(App().LanguageLetter(), 'E');
    EXPECT_EQ(App().Version(), "010102");
}

TEST_F(TessarayAppTest, CLocaleIsEnglishAndCoreMessagesAreMessageBoxes) {
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("C"))));
    QSettings settings(QStringLiteral("Dalvero"), QStringLiteral("Tessaray V1"));
    EXPECT_EQ(settings.value(QStringLiteral("SETTINGS/LANGUAGE")).toString(),
              QStringLiteral("ENGLISH"));
    EXPECT_FALSE(App().IsGerman());
    TearDown();
    // In German the core's messages are German too.
    ASSERT_TRUE(Start());
    ShowMessage("Max line count reached");
    ShowMessage("/x/tips.txt is a folder; no tips are shown.");
    EXPECT_EQ(m_messages, (QStringList{QStringLiteral("Maximale Zeilenzahl erreicht"),
                                       QStringLiteral("/x/tips.txt is a folder; no tips are "
                                                      "shown.")}));
}

TEST_F(TessarayAppTest, TheSystemLanguageDecidesInEveryLayout) {
    // A folder without the English file, a build or portable folder with it, the package.
    const SGuiOptions layouts[] = {OnSystem({}), WithEnglishFile(), PackagedOnSystem({})};
    for (SGuiOptions options : layouts) {
        SCOPED_TRACE(options.bPackageLayout ? "package" : options.bEnglishFile ? "file" : "none");
        options.strSystemLanguage = QStringLiteral("German");
        ASSERT_TRUE(Start(options));
        EXPECT_EQ(App().InstallDir(),
                  m_temp.Path() + (options.bPackageLayout ? "/usr/share/tessaray" : "/install"));
        EXPECT_EQ(App().LanguageLetter(), 'G');
        EXPECT_EQ(MenuTitles(),
                  (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"),
                               QStringLiteral("&Projekt"), QStringLiteral("&Analyse"),
                               QStringLiteral("&Export"), QStringLiteral("&Hilfe")}));
        EXPECT_EQ(Frame().Action(ID_ANALYSIS_START)->text(), QStringLiteral("Analyse &starten"));
        EXPECT_EQ(Frame().Action(ID_ANALYSIS_STOP)->text(), QStringLiteral("Analyse s&toppen"));
        // The keys are shown in the menus in the language's words, from Qt's own translation.
        EXPECT_EQ(Frame().Action(ID_FILE_SAVE)->text(), QStringLiteral("&Speichern"));
        EXPECT_EQ(Frame().Action(ID_FILE_SAVE)->shortcut().toString(QKeySequence::NativeText),
                  QStringLiteral("Strg+S"));
        EXPECT_EQ(Frame().Action(ID_HELP_DOCUMENT)->shortcut(), QKeySequence(Qt::Key_F1));
        EXPECT_EQ(Frame().Action(ID_NEW_PROJECT)->statusTip(),
                  QStringLiteral("Ein neues Projekt anlegen"));
        EXPECT_EQ(StatusPanes(),
                  (QStringList{QStringLiteral("UF"), QStringLiteral("NUM"), QStringLiteral("RF")}));
        EXPECT_EQ(Doc().GetTitle(), QStringLiteral("Unbenannt"));
        TearDown();

        options.strSystemLanguage = QStringLiteral("English");
        ASSERT_TRUE(Start(options));
        EXPECT_EQ(App().IsEnglishLoaded(), options.bEnglishFile);
        EXPECT_EQ(App().LanguageLetter(), 'E');
        EXPECT_EQ(MenuTitles(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                             QStringLiteral("&Project"), QStringLiteral("&Analyse"),
                                             QStringLiteral("E&xport"), QStringLiteral("&Help")}));
        EXPECT_EQ(Frame().Action(ID_ANALYSIS_START)->text(), QStringLiteral("Start &Analysis"));
        EXPECT_EQ(Frame().Action(ID_FILE_SAVE)->shortcut().toString(QKeySequence::NativeText),
                  QStringLiteral("Ctrl+S"));
        EXPECT_EQ(Frame().Action(ID_NEW_PROJECT)->statusTip(),
                  QStringLiteral("Create a new project"));
        EXPECT_EQ(Frame().Action(ID_NEW_PROJECT)->toolTip(), QStringLiteral("New"));
        EXPECT_EQ(StatusPanes(), (QStringList{QStringLiteral("CAP"), QStringLiteral("NUM"),
                                              QStringLiteral("SCRL")}));
        EXPECT_EQ(Doc().GetTitle(), QStringLiteral("Untitled"));
        TearDown();
    }
}

TEST_F(TessarayAppTest, TheLanguageOfTheOptionsOverridesTheSystem) {
    // Chosen in the options on an English system: German from the next start on.
    ASSERT_TRUE(Start(WithEnglishFile()));
    WhenModal<CProgramOptionsDlg>([](CProgramOptionsDlg& dlg) {
        auto& box = Child<QComboBox>(dlg, "languageBox");
        box.setCurrentIndex(box.findData(QStringLiteral("de")));
        dlg.accept();
    });
    Frame().SendCommand(ID_PROGRAM_OPTIONS);
    EXPECT_EQ(MenuTitles().constFirst(), QStringLiteral("&File")) << "until the next start";
    TearDown();
    ASSERT_TRUE(Start(WithEnglishFile()));
    EXPECT_EQ(App().LanguageLetter(), 'G');
    EXPECT_EQ(MenuTitles().constFirst(), QStringLiteral("&Datei"));
    TearDown();

    SGuiOptions options = PackagedOnSystem(QStringLiteral("German"));
    options.settings[QStringLiteral("Options/Language")] = QStringLiteral("en");
    ASSERT_TRUE(Start(options));
    EXPECT_EQ(App().LanguageLetter(), 'E');
    EXPECT_EQ(MenuTitles().constFirst(), QStringLiteral("&File"));
    // The system language is still what is stored.
    EXPECT_EQ(ProgramSettings().value(QStringLiteral("SETTINGS/LANGUAGE")).toString(),
              QStringLiteral("GERMAN"));
}

TEST_F(TessarayAppTest, ColumnTitlesFollowTheLanguage) {
    const auto title = [this](int col) {
        return View().model()->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("German"))));
    EXPECT_EQ(title(0), QStringLiteral("Nr."));
    EXPECT_EQ(title(10), QStringLiteral("gelistet"));
    EXPECT_EQ(title(16), QStringLiteral("Kommentar"));
    EXPECT_EQ(View().columnWidth(17), 2000);
    TearDown();
    ASSERT_TRUE(Start(OnSystem(QStringLiteral("French"))));
    EXPECT_EQ(title(0), QStringLiteral("No."));
    EXPECT_EQ(title(16), QStringLiteral("Comment"));
}

TEST_F(TessarayAppTest, CommandLineFileIsOpenedAndARefusedOneLeavesAnEmptyProject) {
    const std::string path =
        WriteProject("shop.tsrp", "http://shop.example", {"http://a.example/x"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("shop"));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("shop[*] - Dalvero Tessaray"));
    EXPECT_EQ(View().Table().GetRowCount(), 1);
    TearDown();

    const std::string text = m_temp.Write("notes.txt", "just some notes\r\n");
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(text)})));
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("Unbenannt"));
    EXPECT_TRUE(Doc().Project().GetDomain().empty());
}

} // namespace
} // namespace tessaray::test
