// The document: open, save, save as, the recent-file list and the mended save and open failures.
#include "gui_fixture.h"

#include "core/project/project.h"
#include "gui/toolkit/command_ids.h"

#include <QDir>
#include <QSettings>

#include <filesystem>

#include <sys/stat.h>

namespace tessaray::test {
namespace {

using TessarayDocTest = GuiFixture;

TEST_F(TessarayDocTest, OpenShowsTheProjectAndJoinsTheRecentFileList) {
    const std::string path =
        WriteProject("shop.tsrp", "http://shop.example",
                     {"http://a.example/links - swap since 2008", "http://b.example"});
    ASSERT_TRUE(Start());
    m_chosenPaths = {QString::fromStdString(path)};
    Frame().SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("shop"));
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_EQ(View().Table().GetRowCount(), 2);
    EXPECT_EQ(View().Table().GetCellView(0, 16), "swap since 2008");
    EXPECT_EQ(View().Table().GetCellView(1, 7), "http://shop.example");

    QSettings settings(QStringLiteral("Dalvero"), QStringLiteral("Tessaray V1"));
    EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString().toStdString(),
              path);
}

TEST_F(TessarayDocTest, OpeningANonProjectFileKeepsTheOldProject) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example", {"http://a.example"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    const std::string other = m_temp.Write("list.txt", "[NOTHING]\r\nx=1\r\n");

    EXPECT_FALSE(Doc().OpenDocument(QString::fromStdString(other)));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.at(0).startsWith(QStringLiteral("Die Datei ")));
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("shop"));
    EXPECT_EQ(Doc().Project().GetDomain(), "http://shop.example");
    EXPECT_EQ(Doc().Project().GetPath(), path);
    EXPECT_EQ(View().Table().GetRowCount(), 1);

    // Why a file cannot be read is said in the interface's language too.
    const std::string fifo = m_temp.File("pipe.tsrp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(Doc().OpenDocument(QString::fromStdString(fifo)));
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_TRUE(
        m_messages.at(1).contains(QStringLiteral("ist ein FIFO (benannte Pipe), keine Datei")))
        << m_messages.at(1).toStdString();
    EXPECT_EQ(Doc().Project().GetPath(), path);
}

TEST_F(TessarayDocTest, AFailedSaveShowsAMessageAndKeepsTheProjectModified) {
    const std::filesystem::path folder = std::filesystem::path(m_temp.Path()) / "gone";
    std::filesystem::create_directory(folder);
    CProject project;
    project.StartNew("http://shop.example");
    project.AddPartnerUrl("http://a.example");
    ASSERT_TRUE(project.Save((folder / "shop.tsrp").string()));
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString((folder / "shop.tsrp").string())})));

    // The folder disappears (also for root, unlike permission bits); the next save cannot write.
    std::filesystem::remove_all(folder);
    Doc().Project().AddPartnerUrl("http://b.example");
    Doc().SetModifiedFlag(Doc().Project().IsModified());
    ASSERT_TRUE(Enabled(ID_FILE_SAVE));
    Frame().SendCommand(ID_FILE_SAVE);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(
        m_messages.at(0).startsWith(QStringLiteral("Das Projekt konnte nicht gespeichert")));
    EXPECT_TRUE(Doc().Project().IsModified());
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(TessarayDocTest, SaveAsWritesTheChosenFileAndCancelWritesNothing) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example", {"http://a.example"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));

    Frame().SendCommand(ID_FILE_SAVE_AS); // no path chosen: cancelled
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(Doc().Project().GetPath(), path);

    const std::string copy = m_temp.File("copy.tsrp");
    m_chosenPaths = {QString::fromStdString(copy)};
    Frame().SendCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(Doc().Project().GetPath(), copy);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("copy"));
    EXPECT_EQ(Doc().RecentFiles().constFirst().toStdString(), copy);
    EXPECT_FALSE(ReadAll(copy).empty());
}

TEST_F(TessarayDocTest, OpeningAnotherFileOffersToSaveAndCancelKeepsTheProject) {
    const std::string first = WriteProject("one.tsrp", "http://one.example", {"http://a.example"});
    const std::string second = WriteProject("two.tsrp", "http://two.example", {"http://b.example"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(first)})));
    Doc().Project().AddPartnerUrl("http://c.example");
    Doc().SetModifiedFlag(true);

    m_answer = QMessageBox::Cancel;
    EXPECT_FALSE(Doc().OpenDocument(QString::fromStdString(second)));
    EXPECT_EQ(Doc().Project().GetDomain(), "http://one.example");

    m_answer = QMessageBox::No;
    EXPECT_TRUE(Doc().OpenDocument(QString::fromStdString(second)));
    EXPECT_EQ(Doc().Project().GetDomain(), "http://two.example");
    EXPECT_EQ(ReadAll(first).find("http://c.example"), std::string::npos);
}

} // namespace
} // namespace tessaray::test
