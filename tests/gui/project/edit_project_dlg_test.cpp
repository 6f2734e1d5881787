// The Edit Project dialog: the list and its buttons, Enter Domain, the imports, the external
// links and OK's checks. Child dialogs are answered through queued calls.
#include "gui/project/edit_project_dlg.h"

#include "core/project/project.h"
#include "modal_dialog.h"
#include "temp_dir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

namespace tessaray::test {
namespace {

class EditProjectDlgTest : public ::testing::Test {
protected:
    QStringList Entries() const {
        QStringList entries;
        for (int i = 0; i < m_list.count(); ++i) {
            entries.append(m_list.item(i)->text());
        }
        return entries;
    }
    void SetEntries(const std::vector<std::string>& entries) {
        CLineList list;
        for (const std::string& entry : entries) {
            list.Add(entry);
        }
        m_dlg.SetInputEntries(list);
    }
    void Click(const char* button) { Child<QPushButton>(m_dlg, button).click(); }
    // Answers the next import dialog with a file (and, for CSV, a separator radio and column).
    void AnswerImport(const std::string& path, const char* radio = nullptr, int column = 0) {
        OnNextModal([path, radio, column](QDialog& import) {
            Child<QLineEdit>(import, "pathEdit").setText(QString::fromStdString(path));
            if (radio != nullptr) {
                Child<QRadioButton>(import, radio).click();
            }
            if (column > 0) {
                Child<QLineEdit>(import, "columnEdit").setText(QString::number(column));
            }
            Press(import, QDialogButtonBox::Ok);
        });
    }

    TempDir m_temp;
    SRecordingHooks m_rec;
    CEditProjectDlg m_dlg{m_rec.hooks};
    QListWidget& m_list = Child<QListWidget>(m_dlg, "partnerList");
};

TEST_F(EditProjectDlgTest, OpensWithTheValidEntriesAndTheButtonsWaitForASelection) {
    SetEntries({"http://a.example - one", "# not a partner", "b.example/", ""});
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("http://a.example - one"),
                                      QStringLiteral("http://b.example")}));
    for (const char* button : {"deleteUrlButton", "editUrlButton", "testUrlButton"}) {
        EXPECT_FALSE(Child<QPushButton>(m_dlg, button).isEnabled()) << button;
    }
    m_list.setCurrentRow(1);
    for (const char* button : {"deleteUrlButton", "editUrlButton", "testUrlButton"}) {
        EXPECT_TRUE(Child<QPushButton>(m_dlg, button).isEnabled()) << button;
    }

    // The PageRank check box is there, hidden and disabled, and keeps the project's value.
    QCheckBox& pageRank = Child<QCheckBox>(m_dlg, "pageRankCheck");
    EXPECT_FALSE(pageRank.isVisibleTo(&m_dlg));
    EXPECT_FALSE(pageRank.isEnabled());
    m_dlg.SetPageRankOption(true);
    EXPECT_TRUE(m_dlg.GetPageRankOption());
}

TEST_F(EditProjectDlgTest, OkTakesTheValidEntriesAndStaysOpenWithoutOneOrWithoutDomain) {
    m_dlg.show();
    SetEntries({"http://a.example"});
    Press(m_dlg, QDialogButtonBox::Ok); // no domain yet
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_TRUE(Child<QLabel>(m_dlg, "domainHint").isVisible());

    m_dlg.SetDomain("http://shop.example");
    SetEntries({});
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_TRUE(Child<QLabel>(m_dlg, "listHint").isVisible());
    EXPECT_TRUE(m_rec.messages.isEmpty());

    SetEntries({"http://a.example - one", "http://b.example"});
    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_dlg.ResultEntries().Entries(),
              (std::vector<std::string>{"http://a.example - one", "http://b.example"}));
}

TEST_F(EditProjectDlgTest, EnterDomainKeepsOnlyTheSiteOfTheAddress) {
    m_dlg.SetDomain("http://old.example");
    const std::pair<QString, std::string> cases[] = {
        {QStringLiteral("Shop.Example/x"), "http://Shop.Example"},
        {QStringLiteral("https://shop.example/x"), "https://shop.example"},
        // Valid as an address, but its site "shop" is not: the domain stays.
        {QStringLiteral("shop/x.example"), "https://shop.example"}};
    for (const auto& [typed, domain] : cases) {
        OnNextModal([text = typed](QDialog& enter) {
            // The domain is offered for editing, without a comment.
            EXPECT_FALSE(Child<QLineEdit>(enter, "commentEdit").isEnabled());
            Child<QLineEdit>(enter, "urlEdit").setText(text);
            Press(enter, QDialogButtonBox::Ok);
        });
        Click("enterDomainButton");
        EXPECT_EQ(m_dlg.GetDomain(), domain);
        EXPECT_EQ(Child<QLineEdit>(m_dlg, "domainEdit").text().toStdString(), domain);
    }
    EXPECT_FALSE(Child<QLabel>(m_dlg, "domainHint").text().isEmpty());
}

TEST_F(EditProjectDlgTest, AddEditDeleteAndTestWorkOnTheSelectedEntry) {
    m_dlg.show();
    AnswerEnterUrl(QStringLiteral("a.example/links"), QStringLiteral(" swap "));
    Click("addUrlButton");
    AnswerEnterUrl(QStringLiteral("b.example"));
    Click("addUrlButton");
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("http://a.example/links - swap"),
                                      QStringLiteral("http://b.example")}));

    // Double-click edits in place; the dialog opens with the entry's parts.
    m_list.setCurrentRow(0);
    OnNextModal([](QDialog& enter) {
        EXPECT_EQ(Child<QLineEdit>(enter, "urlEdit").text(),
                  QStringLiteral("http://a.example/links"));
        EXPECT_EQ(Child<QLineEdit>(enter, "commentEdit").text(), QStringLiteral("swap"));
        Child<QLineEdit>(enter, "urlEdit").setText(QStringLiteral("c.example"));
        Press(enter, QDialogButtonBox::Ok);
    });
    const QRect itemRect = m_list.visualItemRect(m_list.item(0));
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, itemRect.center());
    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, itemRect.center());
    EXPECT_EQ(Entries().constFirst(), QStringLiteral("http://c.example - swap"));

    // Test URL hands the address, without its comment, to the browser; when none opens it, a
    // message says so.
    m_list.setCurrentRow(0);
    Click("testUrlButton");
    EXPECT_EQ(m_rec.openedUrls, QList<QUrl>{QUrl(QStringLiteral("http://c.example"))});
    EXPECT_TRUE(m_rec.messages.isEmpty());
    m_rec.bOpenSucceeds = false;
    Click("testUrlButton");
    EXPECT_EQ(m_rec.messages,
              QStringList{QStringLiteral("No web browser could open http://c.example.")});

    // The Delete key removes the selected entry at once; nothing is selected after it, so a
    // second Delete (key or button) leaves the neighbour.
    m_list.setFocus();
    QTest::keyClick(&m_list, Qt::Key_Delete);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("http://b.example")});
    EXPECT_TRUE(m_list.selectedItems().isEmpty());
    EXPECT_FALSE(Child<QPushButton>(m_dlg, "deleteUrlButton").isEnabled());
    QTest::keyClick(&m_list, Qt::Key_Delete);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("http://b.example")});
}

TEST_F(EditProjectDlgTest, EntriesAndDomainKeepTheirBytesUnlessEdited) {
    const std::string cp1252 = "http://a.example - M\xE4rz";
    const std::string invalid = "http://b.example - \xFF\xC3(";
    const std::string domain = "http://m\xE4rz.example";
    m_dlg.show();
    m_dlg.SetDomain(domain);
    SetEntries({cp1252, invalid, "http://c.example - alt"});
    EXPECT_EQ(Entries().constFirst(), QStringLiteral("http://a.example - M\u00E4rz"));

    // Edit URL confirmed without a change keeps the bytes; a changed entry becomes UTF-8.
    m_list.setCurrentRow(0);
    OnNextModal([](QDialog& enter) { Press(enter, QDialogButtonBox::Ok); });
    Click("editUrlButton");
    m_list.setCurrentRow(2);
    OnNextModal([](QDialog& enter) {
        Child<QLineEdit>(enter, "commentEdit").setText(QStringLiteral("neu \u00FC"));
        Press(enter, QDialogButtonBox::Ok);
    });
    Click("editUrlButton");
    // Enter Domain confirmed unchanged keeps the domain's bytes too.
    OnNextModal([](QDialog& enter) { Press(enter, QDialogButtonBox::Ok); });
    Click("enterDomainButton");

    Press(m_dlg, QDialogButtonBox::Ok);
    EXPECT_EQ(m_dlg.GetDomain(), domain);
    EXPECT_EQ(m_dlg.ResultEntries().Entries(),
              (std::vector<std::string>{cp1252, invalid, "http://c.example - neu \xC3\xBC"}));
}

TEST_F(EditProjectDlgTest, OkAndCancelStayInReachInASmallWindow) {
    // A small screen or a large scale factor: the contents scroll, the buttons stay inside.
    m_dlg.show();
    m_dlg.resize(320, 240);
    m_dlg.layout()->activate();
    EXPECT_LE(m_dlg.height(), 240);
    EXPECT_TRUE(m_dlg.rect().contains(Child<QDialogButtonBox>(m_dlg, "buttonBox").geometry()));
}

TEST_F(EditProjectDlgTest, AddUrlOnAFullListSaysSoAndOpensNothing) {
    std::vector<std::string> entries;
    for (int i = 0; i < CProject::MaxPartnerLinks; ++i) {
        entries.push_back("http://p" + std::to_string(i) + ".example");
    }
    SetEntries(entries);
    // A dialog opened by the click would be modal: the click returns only once the watch has
    // closed it. After the click the watch ends, so it cannot meet another test's dialog.
    bool bOpened = false;
    const auto stop = std::make_shared<bool>(false);
    OnNextModal(
        [&bOpened](QDialog& enter) {
            bOpened = true;
            enter.reject();
        },
        nullptr, false, 200, stop);
    Click("addUrlButton");
    *stop = true;
    EXPECT_FALSE(bOpened);
    ASSERT_EQ(m_rec.messages.size(), 1);
    EXPECT_TRUE(m_rec.messages.constFirst().contains(QStringLiteral("10000")));
    EXPECT_EQ(m_list.count(), CProject::MaxPartnerLinks);

    // An import into the full list says what it left out (the project used to drop it unsaid).
    AnswerImport(m_temp.Write("more.txt", "more.example\nother.example\n"));
    Click("importTxtButton");
    EXPECT_EQ(m_list.count(), CProject::MaxPartnerLinks);
    EXPECT_EQ(Child<QLabel>(m_dlg, "listHint").text(),
              QStringLiteral("URLs imported: 0; left out, as the list holds at most 10000: 2"));
}

TEST_F(EditProjectDlgTest, ImportingTheSameTextFileTwiceSkipsTheDuplicatesAndSaysSo) {
    const std::string path =
        m_temp.Write("partners.txt", "# partners\nshop.example/\n  Blog.Example/page  \n/* end */\n"
                                     "http://SHOP.example\nhttp://blog.example/Page\n");
    AnswerImport(path);
    Click("importTxtButton");
    // Scheme and host compare without regard to case, the path with it.
    const QStringList once = {QStringLiteral("http://shop.example"),
                              QStringLiteral("http://Blog.Example/page"),
                              QStringLiteral("http://blog.example/Page")};
    EXPECT_EQ(Entries(), once);
    EXPECT_EQ(Child<QLabel>(m_dlg, "listHint").text(),
              QStringLiteral("URLs imported: 3; skipped as duplicates: 1"));
    AnswerImport(path);
    Click("importTxtButton");
    EXPECT_EQ(Entries(), once);
    EXPECT_EQ(Child<QLabel>(m_dlg, "listHint").text(),
              QStringLiteral("URLs imported: 0; skipped as duplicates: 4"));

    // A file that cannot be read adds nothing and is named under the list.
    AnswerImport(m_temp.File("missing.txt"));
    Click("importTxtButton");
    EXPECT_EQ(m_list.count(), 3);
    EXPECT_TRUE(Child<QLabel>(m_dlg, "listHint").text().contains(QStringLiteral("missing.txt")));
}

TEST_F(EditProjectDlgTest, CsvImportTakesTheValidUrlsOfTheChosenColumn) {
    const std::string path = m_temp.Write(
        "links.csv", "name;url\r\na.example;B.example/p\r\n\"x\";\"http://q.example\"\r\nlast\r\n");
    AnswerImport(path, "semicolonRadio", 2);
    Click("importCsvButton");
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("http://B.example/p")});
}

TEST_F(EditProjectDlgTest, AlertsDialogStaysOpenOnUnusableSettingsAndCancelKeepsThem) {
    m_dlg.SetAlertSettings({"me@shop.example", "", "", "", "", false});
    OnNextModal([](QDialog& alerts) {
        EXPECT_EQ(Child<QLineEdit>(alerts, "mailToEdit").text(), QStringLiteral("me@shop.example"));
        Child<QLineEdit>(alerts, "smtpUrlEdit").setText(QStringLiteral("http://mail.example"));
        Press(alerts, QDialogButtonBox::Ok);
        EXPECT_TRUE(Child<QLabel>(alerts, "alertHint").text().contains(QStringLiteral("smtp://")));
        Child<QLineEdit>(alerts, "smtpUrlEdit").setText(QStringLiteral(" smtps://mail.example "));
        Child<QLineEdit>(alerts, "webhookEdit").setText(QStringLiteral("https://hooks.example/x"));
        Child<QCheckBox>(alerts, "noticeCheck").setChecked(true);
        Press(alerts, QDialogButtonBox::Ok);
    });
    Click("alertsButton");
    const SAlertSettings expected{
        "me@shop.example", "smtps://mail.example", "", "", "https://hooks.example/x", true};
    EXPECT_EQ(m_dlg.GetAlertSettings(), expected);
    OnNextModal([](QDialog& alerts) {
        Child<QLineEdit>(alerts, "mailToEdit").clear();
        Press(alerts, QDialogButtonBox::Cancel);
    });
    Click("alertsButton");
    EXPECT_EQ(m_dlg.GetAlertSettings(), expected);
}

TEST_F(EditProjectDlgTest, ExternalLinksAreReplacedByTheSettingsDialogAndShownWithTheirCount) {
    CLineList links;
    links.Add("http://old.example/a");
    m_dlg.ExternalLinks().CopyFrom(links);

    // Cancel keeps them; OK without an import clears them.
    OnNextModal([](QDialog& settings) { Press(settings, QDialogButtonBox::Cancel); });
    Click("addExtLinksButton");
    EXPECT_EQ(m_dlg.ExternalLinks().GetCount(), 1);
    OnNextModal([](QDialog& settings) { Press(settings, QDialogButtonBox::Ok); });
    Click("addExtLinksButton");
    EXPECT_EQ(m_dlg.ExternalLinks().GetCount(), 0);

    // The Google table: column 2 with Comma preset, URLs lower-cased.
    const std::string path =
        m_temp.Write("google.csv",
                     "Your page,Linking page\nhttp://shop.example/,http://Blog.Example/Links.html\n"
                     "http://shop.example/,tea.example\n"
                     "http://shop.example/a,http://blog.example/links.html\n");
    OnNextModal([path](QDialog& settings) {
        OnNextModal(
            [path](QDialog& csv) {
                EXPECT_EQ(Child<QLineEdit>(csv, "columnEdit").text(), QStringLiteral("2"));
                EXPECT_TRUE(Child<QRadioButton>(csv, "commaRadio").isChecked());
                Child<QLineEdit>(csv, "pathEdit").setText(QString::fromStdString(path));
                Press(csv, QDialogButtonBox::Ok);
            },
            &settings);
        Child<QPushButton>(settings, "importTableButton").click();
        EXPECT_EQ(Child<QLabel>(settings, "importStatus").text(),
                  QStringLiteral("External links imported: 2; skipped as duplicates: 1"));
        Press(settings, QDialogButtonBox::Ok);
    });
    Click("addExtLinksButton");
    EXPECT_EQ(m_dlg.ExternalLinks().Entries(),
              (std::vector<std::string>{"http://blog.example/links.html", "http://tea.example"}));

    OnNextModal([](QDialog& shown) {
        EXPECT_EQ(Child<QLineEdit>(shown, "countEdit").text(), QStringLiteral("2"));
        EXPECT_EQ(Child<QListWidget>(shown, "linkList").item(1)->text(),
                  QStringLiteral("http://tea.example"));
        Press(shown, QDialogButtonBox::Ok);
    });
    Click("displayLinksButton");
}

TEST_F(EditProjectDlgTest, ImportedAgreementsMarkTheirPartnersAndTheLeftOutLinesAreNamed) {
    SetEntries({"http://a.example", "http://b.example - swap"});
    m_rec.chosenPaths = {QString::fromStdString(
        m_temp.Write("agreements.csv", "partner;anchor;follow\r\nb.example;*Tea*;required\r\n"
                                       "c.example;Tea;any\r\n"))};
    Click("importAgreementsButton");
    ASSERT_EQ(m_rec.messages.size(), 1);
    EXPECT_EQ(m_rec.messages.constFirst(),
              QStringLiteral("Agreements imported: 1\nline 3: unknown partner c.example"));
    EXPECT_TRUE(m_list.item(0)->icon().isNull());
    EXPECT_FALSE(m_list.item(1)->icon().isNull());
    m_dlg.SetDomain("http://shop.example");
    m_dlg.accept();
    ASSERT_EQ(m_dlg.ResultAgreements().size(), 1U);
    EXPECT_EQ(m_dlg.ResultAgreements().at("http://b.example - swap").strAnchor, "*Tea*");
}

} // namespace
} // namespace tessaray::test
