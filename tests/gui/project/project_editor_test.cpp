// New project and Edit project in the running program: the save prompt, the editor, the project
// rebuilt from it, the view refilled, and the saved file.
#include "gui_fixture.h"

#include "gui/toolkit/command_ids.h"
#include "http_test_server.h"
#include "modal_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

namespace tessaray::test {
namespace {

using ProjectEditorTest = GuiFixture;

TEST_F(ProjectEditorTest, NewProjectWithATextImportThenEditThenSave) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Enabled(ID_NEW_PROJECT));
    EXPECT_FALSE(Enabled(ID_EDIT_PROJECT));
    const std::string list =
        m_temp.Write("partners.txt", "# partners\r\nBlog.Example/Links.html\r\nwiki.example/\r\n");

    OnNextModal([&list](QDialog& editor) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Projekt bearbeiten"));
        AnswerEnterUrl(QStringLiteral("Shop.Example/index.html"), {}, &editor);
        Child<QPushButton>(editor, "enterDomainButton").click();
        OnNextModal(
            [&list](QDialog& import) {
                Child<QLineEdit>(import, "pathEdit").setText(QString::fromStdString(list));
                Press(import, QDialogButtonBox::Ok);
            },
            &editor);
        Child<QPushButton>(editor, "importTxtButton").click();
        Press(editor, QDialogButtonBox::Ok);
    });
    // The status bar forgets the project before (here: its run's summary).
    Frame().SetStatusMessage(QStringLiteral("3 Partner: 3 zählen"));
    Frame().SendCommand(ID_NEW_PROJECT);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), QStringLiteral("Bereit"));

    EXPECT_TRUE(m_messages.isEmpty()); // an unchanged project is not offered for saving
    EXPECT_EQ(Doc().Project().GetDomain(), "http://shop.example");
    EXPECT_EQ(Doc().Project().GetPartnerCount(), 2);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("Unbenannt"));
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_EQ(View().Table().GetRowCount(), 2);
    EXPECT_TRUE(Enabled(ID_EDIT_PROJECT));

    // Edit: the first partner is deleted, a commented one added.
    OnNextModal([](QDialog& editor) {
        auto& list = Child<QListWidget>(editor, "partnerList");
        EXPECT_EQ(list.count(), 2);
        EXPECT_EQ(Child<QLineEdit>(editor, "domainEdit").text(),
                  QStringLiteral("http://shop.example"));
        list.setCurrentRow(0);
        QTest::keyClick(&list, Qt::Key_Delete);
        AnswerEnterUrl(QStringLiteral("Tea.Example/Friends"), QStringLiteral("Since 2020"),
                       &editor);
        Child<QPushButton>(editor, "addUrlButton").click();
        Press(editor, QDialogButtonBox::Ok);
    });
    Frame().SendCommand(ID_EDIT_PROJECT);
    CLineList partners;
    Doc().Project().CopyPartnersTo(partners);
    EXPECT_EQ(partners.Entries(),
              (std::vector<std::string>{"http://wiki.example",
                                        "http://Tea.Example/Friends - Since 2020"}));
    ASSERT_EQ(View().Table().GetRowCount(), 2);
    EXPECT_EQ(View().Table().GetCellView(1, 16), "Since 2020");

    // Save goes through the file dialog, as the project has no file yet.
    const std::string path = m_temp.File("tea.tsrp");
    m_chosenPaths = {QString::fromStdString(path)};
    Frame().SendCommand(ID_FILE_SAVE);
    // It starts in the documents folder and suggests the domain's name.
    EXPECT_EQ(m_fileRequests.constLast().strStart,
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                  QStringLiteral("/shop.example.tsrp"));
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("tea"));
    EXPECT_FALSE(Doc().IsModified());
    const std::string file = ReadAll(path);
    for (const char* line : {"[YOURDOMAIN]\r\nURL=http://shop.example\r\n", "[PARTNERLINKS]\r\n",
                             "URL0000=http://wiki.example\r\n",
                             "URL0001=http://Tea.Example/Friends - Since 2020\r\n"}) {
        EXPECT_NE(file.find(line), std::string::npos) << line << "\n" << file;
    }
    EXPECT_EQ(file.find("URL0002="), std::string::npos);
}

TEST_F(ProjectEditorTest, NewProjectOffersToSaveAChangedProjectAndCancelKeepsIt) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example", {"http://a.example"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    Doc().Project().AddPartnerUrl("http://b.example");
    Doc().SetModifiedFlag(true);

    // Yes saves through the file dialog, also though the project has its file.
    const std::string copy = m_temp.File("copy.tsrp");
    m_answer = QMessageBox::Yes;
    m_chosenPaths = {QString::fromStdString(copy)};
    OnNextModal([](QDialog& editor) { Press(editor, QDialogButtonBox::Cancel); });
    Frame().SendCommand(ID_NEW_PROJECT);
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Änderungen an shop.tsrp speichern?")});
    EXPECT_NE(ReadAll(copy).find("URL0001=http://b.example"), std::string::npos);
    // The cancelled editor leaves the project as it was.
    EXPECT_EQ(Doc().Project().GetDomain(), "http://shop.example");
    EXPECT_EQ(Doc().Project().GetPartnerCount(), 2);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("copy"));
}

TEST_F(ProjectEditorTest, AnalysingANeverSavedProjectSaysWhyItIsSavedFirst) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    Doc().Project().StartNew("http://shop.example");
    Doc().Project().AddPartnerUrl("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/");
    Doc().SetModifiedFlag(true);
    const QString why = QStringLiteral("The project is saved before its analysis, so that each "
                                       "run is kept in its history. Choose a name and a folder "
                                       "for the project.");
    // Cancelled: neither saved nor analysed.
    m_answer = QMessageBox::Cancel;
    Frame().SendCommand(ID_ANALYSIS_START);
    EXPECT_EQ(m_messages, QStringList{why});
    EXPECT_TRUE(m_fileRequests.isEmpty());
    EXPECT_FALSE(View().IsRunning());

    // Then through Save As, and the run starts.
    m_answer = QMessageBox::Ok;
    m_messages.clear();
    m_chosenPaths = {QString::fromStdString(m_temp.File("shop.tsrp"))};
    Frame().SendCommand(ID_ANALYSIS_START);
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_EQ(m_messages.constFirst(), why);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("shop"));
    EXPECT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
}

TEST_F(ProjectEditorTest, EditProjectCancelChangesNothingAndOkWithoutImportClearsTheLinks) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example", {"http://a.example"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    CLineList links;
    links.Add("http://a.example");
    Doc().Project().SetExternalLinks(links);
    Doc().SetModifiedFlag(false);

    OnNextModal([](QDialog& editor) { Press(editor, QDialogButtonBox::Cancel); });
    Frame().SendCommand(ID_EDIT_PROJECT);
    EXPECT_EQ(Doc().Project().GetExternalLinkCount(), 1);
    EXPECT_FALSE(Doc().IsModified());

    OnNextModal([](QDialog& editor) {
        OnNextModal([](QDialog& settings) { Press(settings, QDialogButtonBox::Ok); }, &editor);
        Child<QPushButton>(editor, "addExtLinksButton").click();
        Press(editor, QDialogButtonBox::Ok);
    });
    Frame().SendCommand(ID_EDIT_PROJECT);
    EXPECT_EQ(Doc().Project().GetExternalLinkCount(), 0);
    EXPECT_EQ(Doc().Project().GetPartnerCount(), 1);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(ProjectEditorTest, EditProjectOkKeepsTheBytesOfEveryUntouchedEntry) {
    // An older project: a windows-1252 domain and comment, and bytes that are no text at all.
    const std::string path =
        WriteProject("old.tsrp", "http://m\xE4rz.example",
                     {"http://a.example - M\xE4rz", "http://b.example - \xFF"});
    const std::string before = ReadAll(path);
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    OnNextModal([](QDialog& editor) { Press(editor, QDialogButtonBox::Ok); });
    Frame().SendCommand(ID_EDIT_PROJECT);
    ASSERT_TRUE(Doc().OnFileSave());
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(ProjectEditorTest, AgreementLinkPagesAndRenderModeGoIntoTheProjectAndComeBack) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example",
                                          {"http://a.example", "http://b.example - swap"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    OnNextModal([](QDialog& editor) {
        auto& list = Child<QListWidget>(editor, "partnerList");
        EXPECT_FALSE(Child<QPushButton>(editor, "agreementButton").isEnabled());
        list.setCurrentRow(1);
        OnNextModal(
            [](QDialog& agreement) {
                // A target that is no web address keeps the dialog open and says why.
                Child<QLineEdit>(agreement, "targetEdit").setText(QStringLiteral("my shop"));
                Press(agreement, QDialogButtonBox::Ok);
                EXPECT_TRUE(agreement.isVisible());
                EXPECT_TRUE(Child<QLabel>(agreement, "agreementHint").isVisibleTo(&agreement));
                Child<QLineEdit>(agreement, "targetEdit")
                    .setText(QStringLiteral("shop.example/tea/*"));
                Child<QLineEdit>(agreement, "anchorEdit").setText(QStringLiteral("*Green Tea*"));
                Child<QCheckBox>(agreement, "followRequiredCheck").setChecked(true);
                Child<QCheckBox>(agreement, "noEndCheck").setChecked(false);
                Child<QDateEdit>(agreement, "untilEdit").setDate(QDate(2027, 1, 31));
                Child<QLineEdit>(agreement, "contactEdit").setText(QStringLiteral("ann@b.example"));
                Press(agreement, QDialogButtonBox::Ok);
            },
            &editor);
        Child<QPushButton>(editor, "agreementButton").click();
        // The partner with an agreement is marked in the list.
        EXPECT_TRUE(list.item(0)->icon().isNull());
        EXPECT_FALSE(list.item(1)->icon().isNull());
        Child<QPlainTextEdit>(editor, "myLinkPagesEdit")
            .setPlainText(QStringLiteral("shop.example/friends.html\n\n"));
        auto& render = Child<QComboBox>(editor, "renderCombo");
        render.setCurrentIndex(render.findData(static_cast<int>(ERenderMode::Always)));
        Press(editor, QDialogButtonBox::Ok);
    });
    Frame().SendCommand(ID_EDIT_PROJECT);
    const CProject& project = Doc().Project();
    ASSERT_EQ(project.GetAgreements().size(), 1U);
    const SAgreement* agreed = project.FindAgreement("http://b.example - swap");
    ASSERT_NE(agreed, nullptr);
    EXPECT_EQ(*agreed, (SAgreement{"http://shop.example/tea/*", "*Green Tea*",
                                   EAgreedFollow::Required, "2027-01-31", "ann@b.example", ""}));
    EXPECT_EQ(project.GetMyLinkPages(),
              std::vector<std::string>{"http://shop.example/friends.html"});
    EXPECT_EQ(project.GetRenderMode(), ERenderMode::Always);
    EXPECT_TRUE(Doc().IsModified());

    // Opened again, the editor shows them; the agreement goes with its deleted partner.
    OnNextModal([](QDialog& editor) {
        auto& list = Child<QListWidget>(editor, "partnerList");
        EXPECT_EQ(Child<QPlainTextEdit>(editor, "myLinkPagesEdit").toPlainText(),
                  QStringLiteral("http://shop.example/friends.html"));
        list.setCurrentRow(1);
        OnNextModal(
            [](QDialog& agreement) {
                EXPECT_EQ(Child<QLineEdit>(agreement, "anchorEdit").text(),
                          QStringLiteral("*Green Tea*"));
                EXPECT_EQ(Child<QDateEdit>(agreement, "untilEdit").date(), QDate(2027, 1, 31));
                Press(agreement, QDialogButtonBox::Cancel);
            },
            &editor);
        Child<QPushButton>(editor, "agreementButton").click();
        QTest::keyClick(&list, Qt::Key_Delete);
        Press(editor, QDialogButtonBox::Ok);
    });
    Frame().SendCommand(ID_EDIT_PROJECT);
    EXPECT_TRUE(project.GetAgreements().empty());
    EXPECT_EQ(project.GetRenderMode(), ERenderMode::Always);
}

} // namespace
} // namespace tessaray::test
