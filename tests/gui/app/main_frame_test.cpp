// The main frame: output log, private messages, command routing and enabling, closing.
#include "gui_fixture.h"

#include "gui/app/output_bar.h"
#include "gui/results/history_dialog.h"
#include "gui/toolkit/command_ids.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include <thread>

namespace tessaray::test {
namespace {

using MainFrameTest = GuiFixture;

TEST_F(MainFrameTest, OutputLogAddsAppendsAndClears) {
    ASSERT_TRUE(Start());
    auto* tabs = Frame().OutputBar()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Ausgabe"));

    // Appending to an empty log adds the text as a line.
    Frame().AppendToLastOutputLine("first");
    Frame().AddOutputLine("Partner 1");
    EXPECT_EQ(Frame().OutputBar()->Log()->currentRow(), 1);
    Frame().AppendToLastOutputLine(" ok");
    EXPECT_EQ(OutputLines(),
              (QStringList{QStringLiteral("first"), QStringLiteral("Partner 1 ok")}));
    // The extended line is no longer selected.
    EXPECT_TRUE(Frame().OutputBar()->Log()->selectedItems().isEmpty());
    Frame().ClearOutput();
    EXPECT_TRUE(OutputLines().isEmpty());
}

TEST_F(MainFrameTest, TheMessagePaneReturnsToItsTextAfterAMenuPrompt) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    QStatusBar* bar = Frame().statusBar();
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Ready"));
    Frame().SetStatusMessage(QStringLiteral("Analysing partner 2 of 5 ..."));
    // What a hovered menu entry does: its prompt, then an empty message when the pointer leaves.
    bar->showMessage(Frame().Action(ID_FILE_OPEN)->statusTip());
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Open an existing project"));
    bar->clearMessage();
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Analysing partner 2 of 5 ..."));
    Frame().SetStatusMessage({});
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Ready"));
}

TEST_F(MainFrameTest, PrivateMessagesFromAnyThreadBecomeQueuedCommands) {
    ASSERT_TRUE(Start());
    QList<int> received;
    for (int id : {ID_PAGE_FETCHED, ID_RANK_FETCHED, ID_UPDATE_FETCHED}) {
        Frame().SetCommandHandler(id, [&received, id] { received.append(id); });
    }

    std::thread worker([this] {
        Frame().PostPrivateMessage(WM_UPDATE_DONE);
        Frame().PostPrivateMessage(WM_PAGE_DONE);
        Frame().PostPrivateMessage(WM_RANK_DONE);
        Frame().PostPrivateMessage(0x0999); // not a message of the program: ignored
    });
    worker.join();
    // Nothing runs inside the posting call; the commands arrive from the event loop, in order.
    EXPECT_TRUE(received.isEmpty());
    ASSERT_TRUE(WaitFor([&] { return received.size() == 3; }));
    EXPECT_EQ(received, (QList<int>{ID_UPDATE_FETCHED, ID_PAGE_FETCHED, ID_RANK_FETCHED}));
}

TEST_F(MainFrameTest, MenusToolbarAndAcceleratorsFollowTheResourceTables) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    QMenu* file = Frame().menuBar()->actions().at(0)->menu();
    QStringList entries;
    for (QAction* action : file->actions()) {
        entries.append(action->isSeparator() ? QStringLiteral("|") : action->text());
    }
    EXPECT_EQ(entries,
              (QStringList{QStringLiteral("&New..."), QStringLiteral("&Open..."),
                           QStringLiteral("&Save"), QStringLiteral("Save &As..."),
                           QStringLiteral("|"), QStringLiteral("&Print..."),
                           QStringLiteral("Print Pre&view"), QStringLiteral("P&rint Setup..."),
                           QStringLiteral("|"), QStringLiteral("Recent File"), QStringLiteral("|"),
                           QStringLiteral("Program op&tions..."), QStringLiteral("|"),
                           QStringLiteral("&Exit")}));
    // The keys stand beside the entries, taken from the accelerator table.
    EXPECT_EQ(file->actions().at(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));

    QStringList buttons;
    for (QAction* action : Frame().findChild<QToolBar*>()->actions()) {
        buttons.append(action->isSeparator() ? QStringLiteral("|") : action->objectName().mid(7));
    }
    EXPECT_EQ(
        buttons.join(QLatin1Char(' ')),
        QStringLiteral("32794 57601 57603 | 32777 | 32778 32785 | 32783 32784 | 57664 32787 103"));

    // A key reaches its command only while the command is enabled.
    int runs = 0;
    bool enabled = false;
    Frame().SetCommandHandler(
        ID_SAVE_HTML, [&runs] { ++runs; }, [&enabled] { return enabled; });
    QAction* f6 = Frame().findChild<QAction*>(QStringLiteral("Accelerator%1").arg(ID_SAVE_HTML));
    ASSERT_NE(f6, nullptr);
    EXPECT_EQ(f6->shortcut(), QKeySequence(Qt::Key_F6));
    f6->trigger();
    enabled = true;
    f6->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenu) {
    ASSERT_TRUE(Start(WithEnglishFile()));
    QAction* placeholder = Frame().Action(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(placeholder->isVisible());
    EXPECT_FALSE(placeholder->isEnabled());

    QString opened;
    Frame().SetOpenFileHandler([&opened](const QString& path) { opened = path; });
    Frame().SetRecentFiles({QStringLiteral("/p/a.tsrp"), QStringLiteral("/p/b.tsrp")});
    EXPECT_FALSE(placeholder->isVisible());
    QAction* second =
        Frame().findChild<QAction*>(QStringLiteral("Command%1").arg(ID_FILE_MRU_FILE1 + 1));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(), QStringLiteral("&2 /p/b.tsrp"));
    second->trigger();
    EXPECT_EQ(opened, QStringLiteral("/p/b.tsrp"));
}

TEST_F(MainFrameTest, ADroppedProjectFileIsOpenedAndOtherFilesAreIgnored) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example", {"http://a.example"});
    const std::string text = m_temp.Write("notes.txt", "notes\r\n");
    ASSERT_TRUE(Start());
    const auto drop = [this](const std::string& file) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        // As from the desktop: the drag enters the window (which may refuse it), then drops.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(drop(text));
    EXPECT_TRUE(drop(path));
    // The file is opened once the drop has finished.
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("Unbenannt"));
    ASSERT_TRUE(WaitFor([this] { return Doc().GetTitle() == QStringLiteral("shop"); }));
    EXPECT_EQ(View().Table().GetRowCount(), 1);
}

TEST_F(MainFrameTest, TheWindowFitsTheScreenAndKeepsItsPlaceAndSize) {
    ASSERT_TRUE(Start());
    const QRect available = Frame().screen()->availableGeometry();
    EXPECT_TRUE(available.contains(Frame().frameGeometry()));
    // Stored larger than the screen (another screen, another scale factor): fitted again.
    Frame().resize(available.size() + QSize(900, 900));
    Frame().hide();
    TearDown();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(available.contains(Frame().frameGeometry()));

    Frame().setGeometry(QRect(available.topLeft() + QPoint(20, 30), QSize(500, 400)));
    Frame().hide();
    TearDown();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().size(), QSize(500, 400));
}

// Also run at scale factor 2 (see CMakeLists.txt), where the sizes chosen in the code double.
TEST_F(MainFrameTest, EveryDialogFitsTheScreen) {
    ASSERT_TRUE(Start());
    const QRect available = Frame().screen()->availableGeometry();
    QDialog large(&Frame());
    large.resize(available.size() * 2);
    large.show();
    EXPECT_TRUE(available.contains(large.frameGeometry()));
    CHistoryDialog history(&Frame(), 'E');
    history.show();
    EXPECT_TRUE(available.contains(history.frameGeometry()));
}

TEST_F(MainFrameTest, ClosingAModifiedProjectAsksToSave) {
    const std::string path = WriteProject("shop.tsrp", "http://shop.example", {"http://a.example"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    Doc().Project().AddPartnerUrl("http://b.example");
    Doc().SetModifiedFlag(true);

    m_answer = QMessageBox::Cancel;
    EXPECT_TRUE(Frame().isWindowModified()) << "a * in the title";
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages.at(0), QStringLiteral("Änderungen an shop.tsrp speichern?"));

    // Yes saves through the project's own Save, to its file.
    m_answer = QMessageBox::Yes;
    EXPECT_TRUE(Frame().close());
    EXPECT_FALSE(Doc().Project().IsModified());
    EXPECT_NE(ReadAll(path).find("http://b.example"), std::string::npos);
}

} // namespace
} // namespace tessaray::test
