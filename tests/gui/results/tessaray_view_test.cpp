// The results view: the analysis through the Start action, enabling, sorting, the context menu,
// copying and the export commands.
#include "gui_fixture.h"

#include "core/history/history_db.h"
#include "core/render/page_renderer.h"
#include "core/results/report_text.h"
#include "gui/results/analysis_options_dlg.h"
#include "gui/results/filter_bar.h"
#include "gui/results/history_dialog.h"
#include "gui/results/print_commands.h"
#include "gui/results/result_model.h"
#include "gui/results/table_printer.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"
#include "http_test_server.h"
#include "modal_dialog.h"

#include <QApplication>
#include <QBrush>
#include <QCheckBox>
#include <QClipboard>
#include <QColor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <atomic>

namespace tessaray::test {
namespace {

constexpr const char* kDomain = "http://shop.example";

class TessarayViewTest : public GuiFixture {
protected:
    void SetUp() override {
        auto& server = m_server.Server();
        server.Get("/robots.txt", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("User-agent: *\nDisallow: /p3.html\n", "text/plain");
        });
        server.Get("/p1.html", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content(m_bDropLink ? "<html><body>no more links</body></html>"
                                        : "<html><body><a href=\"http://shop.example/\">Shop</a>"
                                          "</body></html>",
                            "text/html");
        });
        server.Get("/p2.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(
                "<html><body><a href=\"http://shop.example/a\">A</a> "
                "<a rel=\"nofollow\" href=\"http://shop.example/b\">B</a></body></html>",
                "text/html");
        });
        server.Get("/members.html", [](const httplib::Request& req, httplib::Response& res) {
            // User "ann" with password "pw", in Basic authentication.
            if (req.get_header_value("Authorization") != "Basic YW5uOnB3") {
                res.status = 401;
                res.set_header("WWW-Authenticate", "Basic realm=\"members\"");
                return;
            }
            res.set_content("<a href=\"http://shop.example/\">Shop</a>", "text/html");
        });
        server.Get("/p3.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<html><body>no link here</body></html>", "text/html");
        });
        m_server.Start();
    }

    // Opens a project with the three partner pages of the local server.
    void StartWithProject(const SGuiOptions& base = {}) {
        const std::string path = WriteProject("shop.tsrp", kDomain,
                                              {m_server.Url("/p1.html") + " - first",
                                               m_server.Url("/p2.html"), m_server.Url("/p3.html")});
        SGuiOptions options = base;
        options.args = {QString::fromStdString(path)};
        ASSERT_TRUE(Start(options));
    }

    bool RunToEnd() {
        if (!Enabled(ID_ANALYSIS_START)) {
            return false;
        }
        Frame().Action(ID_ANALYSIS_START)->trigger();
        return WaitFor([this] { return !View().IsRunning(); });
    }

    // A cell of the row the view shows at place row.
    std::string Cell(int row, int col) {
        const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(View().model());
        const int tableRow = proxy->mapToSource(proxy->index(row, 0)).row();
        return std::string(View().Table().GetCellView(tableRow, col));
    }

    std::vector<std::string> ShownNumbers() {
        std::vector<std::string> numbers;
        for (int row = 0; row < View().model()->rowCount(); ++row) {
            numbers.push_back(Cell(row, kColNo));
        }
        return numbers;
    }

    void ClickHeader(int col) {
        QHeaderView* header = View().horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col) + 5, header->height() / 2));
    }

    QStringList ContextMenuEntries() {
        std::unique_ptr<QMenu> menu(View().CreateContextMenu());
        QStringList entries;
        if (menu) {
            for (QAction* action : menu->actions()) {
                entries.append(action->text());
            }
        }
        return entries;
    }

    HttpTestServer m_server;
    std::atomic<bool> m_bDropLink{false};
};

TEST_F(TessarayViewTest, StartActionRunsTheWholeAnalysis) {
    StartWithProject();
    ASSERT_TRUE(RunToEnd());
    ASSERT_EQ(View().Table().GetRowCount(), 4);
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(0, 3), "200");
    EXPECT_EQ(Cell(0, 10), "Yes");
    EXPECT_EQ(Cell(0, 12), "Follow");
    EXPECT_EQ(Cell(0, 13), "Allow");
    EXPECT_EQ(Cell(0, 16), "first");
    // The second partner's further link gets the row after it; the third partner follows.
    EXPECT_EQ(Cell(1, 7), "http://shop.example/a");
    EXPECT_EQ(Cell(2, 0), "3");
    EXPECT_EQ(Cell(2, 12), "Nofollow");
    EXPECT_EQ(Cell(3, 1), m_server.Url("/p3.html"));
    EXPECT_EQ(Cell(3, 10), "No");
    EXPECT_EQ(Cell(3, 13), "");

    // The verdict column after the eighteen: coloured, the reasons in the tool tip.
    const auto verdict = [this](int row, int role) {
        return View().model()->index(row, kColumnCount).data(role);
    };
    EXPECT_EQ(View().model()->headerData(kColumnCount, Qt::Horizontal).toString(),
              QStringLiteral("Bewertung"));
    EXPECT_EQ(verdict(0, Qt::DisplayRole).toString(), QStringLiteral("zählt"));
    EXPECT_EQ(verdict(0, Qt::BackgroundRole).value<QBrush>().color(), QColor(0xC6, 0xEF, 0xCE));
    EXPECT_EQ(verdict(2, Qt::DisplayRole).toString(), QStringLiteral("zählt nicht"));
    // The tool tip says what the verdict means, then why.
    EXPECT_EQ(verdict(2, Qt::ToolTipRole).toString(),
              QStringLiteral("Die Partnerseite verlinkt Ihre Website, aber Suchmaschinen werten "
                             "den Link nicht.\nDer Link ist mit rel=nofollow markiert."));
    EXPECT_EQ(verdict(3, Qt::DisplayRole).toString(), QStringLiteral("fehlt"));
    EXPECT_EQ(verdict(3, Qt::ToolTipRole).toString(),
              QStringLiteral("Die Partnerseite hat keinen Link auf Ihre Website."));

    // The summary ends the output log and stays in the status bar.
    const QString summary = QStringLiteral("3 Partner: 2 zählen, 0 zählen nicht, 1 fehlt, 0 nicht "
                                           "erreichbar");
    const QStringList lines = OutputLines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.at(0), QStringLiteral("Lade bis zu 64 Seiten gleichzeitig, höchstens 2 je "
                                          "Website"));
    EXPECT_EQ(lines.at(1), QString::fromStdString(m_server.Url("/p1.html")) +
                               QStringLiteral(" - laden... fertig;  analysieren ... fertig"));
    EXPECT_EQ(lines.at(4), QStringLiteral("analysieren fertig"));
    EXPECT_EQ(lines.at(5), summary);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), summary);

    // A refilled partner list has no verdicts.
    View().FillList(true);
    EXPECT_FALSE(verdict(0, Qt::DisplayRole).isValid());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), summary);

    // The run went into the project's history.
    CHistoryDb history;
    ASSERT_TRUE(history.Open(m_temp.File("shop.tsrp-history"), false));
    const CRunListResult listed = history.ListRuns();
    ASSERT_TRUE(listed);
    const std::vector<SRunInfo>& runs = listed.Value();
    ASSERT_EQ(runs.size(), 1U);
    EXPECT_TRUE(runs[0].bCompleted);
    EXPECT_EQ(runs[0].nRows, 4);
}

TEST_F(TessarayViewTest, TheChangeColumnShowsWhatChangedSinceTheLastRun) {
    StartWithProject();
    ASSERT_TRUE(RunToEnd());
    const auto change = [this](int row) {
        return View().model()->index(row, CResultModel::kChangeColumn).data().toString();
    };
    EXPECT_EQ(change(0), QString());
    EXPECT_EQ(View().model()->headerData(CResultModel::kChangeColumn, Qt::Horizontal).toString(),
              QStringLiteral("\u00c4nderung"));

    EXPECT_EQ(Frame().findChild<QMessageBox*>(QStringLiteral("ChangesNotice")), nullptr);

    // The lost link is fetched once more after a second's pause before it is believed.
    ProgramSettings().setValue(QStringLiteral("Analysis/ConfirmDelay"), 1);
    m_bDropLink = true;
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(change(0), QStringLiteral("verloren"));
    EXPECT_EQ(View().model()->index(0, CResultModel::kChangeColumn).data(Qt::ToolTipRole),
              QStringLiteral("Der Link war in der vorigen Analyse vorhanden und fehlt jetzt."));
    // A notice, not modal, counts the losses and leads to the changes in the History dialog.
    auto& notice = Child<QMessageBox>(Frame(), "ChangesNotice");
    EXPECT_TRUE(notice.isVisible());
    EXPECT_FALSE(notice.isModal());
    EXPECT_TRUE(notice.text().endsWith(QStringLiteral(": 1")));
    int changesShown = -1;
    WhenModal<CHistoryDialog>([&changesShown](CHistoryDialog& dialog) {
        changesShown = Child<QTableWidget>(dialog, "changeList").rowCount();
        dialog.reject();
    });
    Child<QPushButton>(notice, "showChanges").click();
    ASSERT_TRUE(WaitFor([&changesShown] { return changesShown >= 0; }));
    EXPECT_EQ(changesShown, 1);
    EXPECT_EQ(change(1), QString());
    // Sorted by the change, the rows without one come first.
    ClickHeader(CResultModel::kChangeColumn);
    EXPECT_EQ(change(0), QString());
    EXPECT_EQ(change(3), QStringLiteral("verloren"));
    // The partner list again: no changes shown.
    View().FillList(true);
    EXPECT_EQ(change(0), QString());

    // Opened again, the project shows its last run from the history, with its summary.
    TearDown();
    StartWithProject();
    ASSERT_EQ(View().Table().GetRowCount(), 4);
    EXPECT_EQ(change(0), QStringLiteral("verloren"));
    EXPECT_EQ(View().model()->index(0, CResultModel::kVerdictColumn).data().toString(),
              QStringLiteral("fehlt"));
    EXPECT_TRUE(
        Frame().statusBar()->currentMessage().startsWith(QStringLiteral("Letzte Analyse, ")));
    // The reports that need the facts behind the verdicts wait for a run of this session.
    EXPECT_TRUE(Enabled(ID_SAVE_CSV));
    EXPECT_FALSE(Enabled(ID_SAVE_JSON));
}

TEST_F(TessarayViewTest, ARunThatReachesNoPartnerSaysSo) {
    const std::string closed = "http://127.0.0.1:" + std::to_string(UnusedPort());
    const std::string path =
        WriteProject("offline.tsrp", kDomain, {closed + "/a.html", closed + "/b.html"});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Keine Partnerseite war erreichbar. Prüfen "
                                                     "Sie Ihre Internetverbindung oder den "
                                                     "Proxy.")});
}

TEST_F(TessarayViewTest, ADamagedHistoryIsToldOnceAndTheRunGoesOn) {
    const std::string damaged = m_temp.Write("shop.tsrp-history", std::string(4096, 'x'));
    StartWithProject(WithEnglishFile());
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(Cell(0, 10), "Yes");
    const QString told = QStringLiteral("The run history ") + QString::fromStdString(damaged) +
                         QStringLiteral(" cannot be used (cannot read the history: file is not a "
                                        "database); the analysis is not affected.");
    EXPECT_EQ(OutputLines().constLast(), told);
    ASSERT_TRUE(RunToEnd());
    EXPECT_FALSE(OutputLines().contains(told));
    EXPECT_EQ(ReadAll(damaged), std::string(4096, 'x'));
}

TEST_F(TessarayViewTest, StopEndsTheRunAfterTheCurrentPartner) {
    StartWithProject(WithEnglishFile());
    // One page at a time, so no later page has arrived when the first is done.
    SaveFetchWindow({1, 1});
    ASSERT_TRUE(Enabled(ID_ANALYSIS_START));
    Frame().Action(ID_ANALYSIS_START)->trigger();
    EXPECT_EQ(Frame().statusBar()->currentMessage(),
              QStringLiteral("Analysing partner 1 of 3 ..."));
    ASSERT_TRUE(Enabled(ID_ANALYSIS_STOP));
    Frame().Action(ID_ANALYSIS_STOP)->trigger();
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
    ASSERT_EQ(View().Table().GetRowCount(), 1);
    EXPECT_EQ(Cell(0, 10), "Yes");
    const QStringList lines = OutputLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.at(lines.size() - 2), QStringLiteral("analyzing ready"));
    const QString summary = QStringLiteral(
        "1 partner: 1 counts, 0 do not count, 0 missing, 0 unreachable (stopped after 1 of 3 "
        "partners)");
    EXPECT_EQ(lines.constLast(), summary);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), summary);
}

TEST_F(TessarayViewTest, RefillingTheTableEndsARunningAnalysis) {
    StartWithProject(WithEnglishFile());
    Frame().Action(ID_ANALYSIS_START)->trigger();
    ASSERT_TRUE(View().IsRunning());
    // Command 102 after the project was edited: the rows show the project again and no late
    // result of the old run can land in them.
    Frame().SendCommand(ID_REFILL_TABLE);
    EXPECT_FALSE(View().IsRunning());
    ASSERT_EQ(View().Table().GetRowCount(), 3);
    EXPECT_EQ(Cell(0, 10), "");
    EXPECT_TRUE(Enabled(ID_ANALYSIS_START));
}

TEST_F(TessarayViewTest, AServerThatWantsALogInAsksTheUser) {
    const std::string path =
        WriteProject("members.tsrp", kDomain,
                     {m_server.Url("/members.html"), m_server.Url("/members.html?again")});
    ASSERT_TRUE(Start(WithArgs({QString::fromStdString(path)})));
    m_strUser = QStringLiteral("ann");
    m_strPassword = QStringLiteral("pw");
    ASSERT_TRUE(RunToEnd());
    // Asked once per run, naming the site; the answer serves both pages of that site.
    EXPECT_EQ(m_realms, QStringList{QStringLiteral("members")});
    EXPECT_EQ(m_origins, QStringList{QStringLiteral("http://127.0.0.1:%1").arg(m_server.Port())});
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Cell(row, 3), "200");
        EXPECT_EQ(Cell(row, 10), "Yes");
    }

    // The next run asks again. Refused: the pages stay closed (and are not fetched a second time).
    ProgramSettings().setValue(QStringLiteral("Analysis/ConfirmDelay"), 0);
    m_strUser.clear();
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(m_realms.size(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Cell(row, 3), "401");
        EXPECT_EQ(Cell(row, 10), "No");
    }
}

TEST_F(TessarayViewTest, CommandsAreEnabledByTheProjectAndRunState) {
    ASSERT_TRUE(Start());
    // An empty new project: nothing to edit, save, analyse or export.
    for (int id :
         {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_PROJECT, ID_ANALYSIS_START, ID_ANALYSIS_STOP,
          ID_SAVE_CSV, ID_SAVE_HTML, ID_OPEN_IN_EXCEL, ID_OPEN_IN_BROWSER}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
    EXPECT_TRUE(Enabled(ID_NEW_PROJECT));
    TearDown();

    StartWithProject();
    for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_ANALYSIS_START, ID_SAVE_CSV, ID_SAVE_HTML,
                   ID_OPEN_IN_EXCEL, ID_OPEN_IN_BROWSER}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(ID_ANALYSIS_STOP));
    EXPECT_FALSE(Enabled(ID_SAVE_JSON)); // the partner list has no verdicts yet

    Frame().Action(ID_ANALYSIS_START)->trigger();
    EXPECT_FALSE(Enabled(ID_ANALYSIS_START));
    EXPECT_TRUE(Enabled(ID_ANALYSIS_STOP));
    for (int id : {ID_SAVE_CSV, ID_SAVE_HTML, ID_OPEN_IN_EXCEL, ID_OPEN_IN_BROWSER}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
    EXPECT_TRUE(Enabled(ID_ANALYSIS_START));
    EXPECT_TRUE(Enabled(ID_SAVE_CSV));
    EXPECT_TRUE(Enabled(ID_SAVE_JSON));
}

TEST_F(TessarayViewTest, HeaderClicksSortAscendingThenDescending) {
    StartWithProject();
    ASSERT_TRUE(RunToEnd());
    QHeaderView* header = View().horizontalHeader();

    ClickHeader(4); // Bytes, compared as numbers
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 4);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    for (int row = 1; row < 4; ++row) {
        EXPECT_LE(std::stol(Cell(row - 1, 4)), std::stol(Cell(row, 4)));
    }

    ClickHeader(4);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    for (int row = 1; row < 4; ++row) {
        EXPECT_GE(std::stol(Cell(row - 1, 4)), std::stol(Cell(row, 4)));
    }
    // The two rows of the second partner have equal sizes and keep their order.
    EXPECT_EQ(ShownNumbers(), (std::vector<std::string>{"2", "3", "1", "4"}));

    // The table keeps its order; the CSV report and a copy follow the view's.
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(View().Table().GetCellView(row, kColNo), std::to_string(row + 1));
    }
    const std::string csv = m_temp.File("sorted.csv");
    m_chosenPaths = {QString::fromStdString(csv)};
    Frame().SendCommand(ID_SAVE_CSV);
    View().selectAll();
    Frame().SendCommand(ID_EDIT_COPY);
    const std::string report = ReadAll(csv);
    const QStringList copied = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    std::size_t line = report.find("\r\n");
    for (int row = 0; row < 4; ++row) {
        const std::string start = Cell(row, 0) + "\t" + Cell(row, 1) + "\t";
        EXPECT_EQ(report.compare(line + 2, start.size(), start), 0) << report;
        EXPECT_TRUE(copied.at(row).startsWith(QString::fromStdString(start)));
        line = report.find("\r\n", line + 2);
    }
    EXPECT_FALSE(OutputLines().constLast().startsWith(QStringLiteral("A filter is on")));

    // The verdicts sort by meaning, clicked at their place beside the partner: counts, does not
    // count, missing, unreachable.
    ClickHeader(CResultModel::kVerdictColumn);
    ClickHeader(CResultModel::kVerdictColumn);
    EXPECT_EQ(ShownNumbers(), (std::vector<std::string>{"4", "3", "1", "2"}));

    // Another column starts ascending again.
    ClickHeader(0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(3, 0), "4");
}

TEST_F(TessarayViewTest, TheAnswerComesFirstAndTheUsersArrangementIsKept) {
    StartWithProject();
    const auto shownOrder = [this] {
        const QHeaderView* header = View().horizontalHeader();
        std::vector<int> order;
        for (int place = 0; place < header->count(); ++place) {
            if (!header->isSectionHidden(header->logicalIndex(place))) {
                order.push_back(header->logicalIndex(place));
            }
        }
        return order;
    };
    std::vector<int> expected = {kColNo,
                                 kColPartnerUrl,
                                 CResultModel::kVerdictColumn,
                                 CResultModel::kChangeColumn,
                                 CResultModel::kAgreementColumn,
                                 CResultModel::kYouLinkColumn,
                                 CResultModel::kRenderedColumn};
    for (int col = kColPartnerUrl + 1; col < kColumnCount; ++col) {
        expected.push_back(col);
    }
    EXPECT_EQ(shownOrder(), expected);
    QHeaderView* header = View().horizontalHeader();
    EXPECT_TRUE(header->sectionsMovable());

    // Scrolled sideways, the number and the partner stay in sight over the left edge, and a
    // cell brought into sight is not hidden under them.
    View().horizontalScrollBar()->setValue(View().horizontalScrollBar()->maximum());
    const auto& frozen = Child<QTableView>(View(), "FrozenColumns");
    ASSERT_TRUE(frozen.isVisibleTo(&View()));
    EXPECT_EQ(frozen.width(), View().columnWidth(kColNo) + View().columnWidth(kColPartnerUrl));
    EXPECT_FALSE(frozen.isColumnHidden(kColPartnerUrl));
    EXPECT_TRUE(frozen.isColumnHidden(CResultModel::kVerdictColumn));
    View().scrollTo(View().model()->index(0, CResultModel::kVerdictColumn));
    EXPECT_GE(View().visualRect(View().model()->index(0, CResultModel::kVerdictColumn)).left(),
              frozen.width());

    // Moved and hidden by the user: so the next start shows it.
    header->moveSection(header->visualIndex(CResultModel::kChangeColumn), header->count() - 1);
    View().setColumnHidden(kColServerHeader, true);
    expected.erase(std::find(expected.begin(), expected.end(), CResultModel::kChangeColumn));
    expected.erase(std::find(expected.begin(), expected.end(), kColServerHeader));
    expected.push_back(CResultModel::kChangeColumn);
    EXPECT_EQ(shownOrder(), expected);
    TearDown();
    StartWithProject();
    EXPECT_EQ(shownOrder(), expected);
}

TEST_F(TessarayViewTest, ContextMenuOffersTheEntriesOfItsThreeCases) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(ContextMenuEntries().isEmpty()); // empty list
    TearDown();

    StartWithProject(WithEnglishFile());
    EXPECT_EQ(ContextMenuEntries(), (QStringList{QStringLiteral("Open report in &Excel"),
                                                 QStringLiteral("Open report in the &browser")}));

    // Two rows selected: the lower one's URL, opened through the desktop.
    QItemSelectionModel* selection = View().selectionModel();
    selection->select(View().model()->index(0, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(View().model()->index(2, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString url = QString::fromStdString(m_server.Url("/p3.html"));
    EXPECT_EQ(ContextMenuEntries(),
              (QStringList{QStringLiteral("&Copy"), QStringLiteral("&Open partner page: ") + url,
                           QString(), QStringLiteral("Show in &history")}));
    std::unique_ptr<QMenu> menu(View().CreateContextMenu());
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu->actions().at(3)->isEnabled()); // no run in the history yet
    menu->actions().at(1)->trigger();
    ASSERT_EQ(m_openedUrls.size(), 1);
    EXPECT_EQ(m_openedUrls.at(0).toString(), url);

    // During a run with nothing selected there is no menu.
    selection->clearSelection();
    Frame().Action(ID_ANALYSIS_START)->trigger();
    ASSERT_TRUE(View().IsRunning());
    EXPECT_TRUE(ContextMenuEntries().isEmpty());
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
}

TEST_F(TessarayViewTest, CopyPutsTheSelectedRowsAsShownOnTheClipboard) {
    StartWithProject();
    ASSERT_TRUE(RunToEnd());
    View().selectRow(2);
    Frame().SendCommand(ID_EDIT_COPY);
    // No., partner, verdict, change and the link exchange first, then the other sixteen cells.
    const QString text = QApplication::clipboard()->text();
    EXPECT_EQ(text.count(QLatin1Char('\t')), 22);
    EXPECT_TRUE(text.startsWith(QStringLiteral("3\t") +
                                QString::fromStdString(m_server.Url("/p2.html")) +
                                QStringLiteral("\tz\u00e4hlt nicht\t\t")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QLatin1Char('\n')));

    // A hidden column is left out; a moved one is copied at its place.
    View().setColumnHidden(CResultModel::kChangeColumn, true);
    QHeaderView* header = View().horizontalHeader();
    header->moveSection(header->visualIndex(CResultModel::kVerdictColumn), 0);
    Frame().SendCommand(ID_EDIT_COPY);
    EXPECT_TRUE(
        QApplication::clipboard()->text().startsWith(QStringLiteral("z\u00e4hlt nicht\t3\t")));
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\t')), 21);
}

TEST_F(TessarayViewTest, TheUsualKeysSelectFindAndStart) {
    StartWithProject(WithEnglishFile());
    Frame().show();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    View().setFocus();
    // Ctrl+A in the table selects every row; it starts no run.
    QTest::keyClick(&View(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(View().IsRunning());
    EXPECT_EQ(View().selectionModel()->selectedRows().size(), 3);
    // Ctrl+F goes to the filter line; Ctrl+A there selects its text, not the rows.
    auto& edit = Child<QLineEdit>(*View().FilterBar(), "filterEdit");
    edit.setText(QStringLiteral("p1"));
    View().clearSelection();
    QTest::keyClick(&View(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_EQ(edit.selectedText(), QStringLiteral("p1"));
    edit.deselect();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("p1"));
    EXPECT_FALSE(View().selectionModel()->hasSelection());
    // F9 starts the analysis.
    QTest::keyClick(&View(), Qt::Key_F9);
    EXPECT_TRUE(View().IsRunning());
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }));
}

TEST_F(TessarayViewTest, ExportCommandsWriteTheReports) {
    StartWithProject();
    ASSERT_TRUE(RunToEnd());
    const std::string expected =
        BuildReportText(View().Table(), View().Table().GetColumnHeader(), kReportHeaderLines);

    const std::string csv = m_temp.File("report.csv");
    m_chosenPaths = {QString::fromStdString(csv)};
    Frame().SendCommand(ID_SAVE_CSV);
    EXPECT_EQ(ReadAll(csv), expected);
    // The dialog starts beside the project and suggests a name after it.
    EXPECT_EQ(m_fileRequests.constLast().strStart,
              QString::fromStdString(m_temp.File("shop-report.csv")));

    const std::string html = m_temp.File("report.html");
    m_chosenPaths = {QString::fromStdString(html)};
    Frame().SendCommand(ID_SAVE_HTML);
    const std::string page = ReadAll(html);
    EXPECT_NE(page.find("<th>Nr.</th>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"" + m_server.Url("/p1.html") + "\" TARGET=\"_blank\">"),
              std::string::npos);
    EXPECT_NE(page.find("<td>Nofollow</td>"), std::string::npos);
    EXPECT_NE(page.find("<tr class=\"missing\">"), std::string::npos);

    const std::string json = m_temp.File("report.json");
    m_chosenPaths = {QString::fromStdString(json)};
    ASSERT_TRUE(Enabled(ID_SAVE_JSON));
    Frame().SendCommand(ID_SAVE_JSON);
    EXPECT_NE(ReadAll(json).find("\"summary\": {\"partners\": 3, \"counts\": 2, "
                                 "\"does_not_count\": 0, \"missing\": 1, \"unreachable\": 0}}"),
              std::string::npos)
        << ReadAll(json);

    Frame().SendCommand(ID_OPEN_IN_EXCEL);
    Frame().SendCommand(ID_OPEN_IN_BROWSER);
    ASSERT_EQ(m_openedUrls.size(), 2);
    EXPECT_TRUE(m_openedUrls.at(0).toLocalFile().endsWith(QStringLiteral("/tessaray-report.csv")));
    EXPECT_EQ(ReadAll(m_openedUrls.at(0).toLocalFile().toStdString()), expected);
    EXPECT_TRUE(m_openedUrls.at(1).toLocalFile().endsWith(QStringLiteral("/tessaray-report.html")));
    EXPECT_TRUE(m_messages.isEmpty());

    // Cancelling the dialog writes nothing.
    Frame().SendCommand(ID_SAVE_CSV);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(TessarayViewTest, FailedReportWritesSaySo) {
    StartWithProject(WithoutTemplate());
    m_chosenPaths = {QString::fromStdString(m_temp.File("report.html")),
                     QString::fromStdString(m_temp.File("missing/report.csv"))};
    Frame().SendCommand(ID_SAVE_HTML);
    Frame().SendCommand(ID_SAVE_CSV);
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_TRUE(m_messages.at(0).startsWith(QStringLiteral("Die Report-Vorlage")));
    EXPECT_TRUE(m_messages.at(1).startsWith(QStringLiteral("Der Report konnte nicht")));
    EXPECT_TRUE(ReadAll(m_temp.File("report.html")).empty());
}

TEST_F(TessarayViewTest, TheFilterShowsMatchingRowsAndCopyAndExportsTakeOnlyThose) {
    StartWithProject(WithEnglishFile());
    ASSERT_TRUE(RunToEnd());
    CFilterBar& filter = *View().FilterBar();
    const auto shownRows = [this] { return View().ShownRows(); };

    // The problems: the nofollow link and the partner without a link. The switch stays in its
    // place when the count appears beside it.
    auto& problemsOnly = Child<QCheckBox>(filter, "problemsOnlyCheck");
    filter.resize(800, filter.sizeHint().height());
    QApplication::sendPostedEvents();
    const int switchPlace = problemsOnly.x();
    problemsOnly.setChecked(true);
    QApplication::sendPostedEvents();
    EXPECT_EQ(problemsOnly.x(), switchPlace);
    EXPECT_EQ(shownRows(), (std::vector<int>{2, 3}));
    EXPECT_EQ(Child<QLabel>(filter, "filterCount").text(), QStringLiteral("2 of 4 rows shown"));
    View().selectAll();
    Frame().SendCommand(ID_EDIT_COPY);
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 2);

    const std::string csv = m_temp.File("problems.csv");
    m_chosenPaths = {QString::fromStdString(csv)};
    Frame().SendCommand(ID_SAVE_CSV);
    const std::string written = ReadAll(csv);
    EXPECT_EQ(written.find(m_server.Url("/p1.html")), std::string::npos);
    EXPECT_NE(written.find(m_server.Url("/p3.html")), std::string::npos);
    EXPECT_EQ(OutputLines().constLast(),
              QStringLiteral("A filter is on: the report holds the 2 rows shown of 4."));
    const std::string html = m_temp.File("problems.html");
    m_chosenPaths = {QString::fromStdString(html)};
    Frame().SendCommand(ID_SAVE_HTML);
    EXPECT_NE(ReadAll(html).find("A filter is on"), std::string::npos);

    // Text in any cell, whatever its case; it holds through a sort.
    Child<QCheckBox>(filter, "problemsOnlyCheck").setChecked(false);
    Child<QLineEdit>(filter, "filterEdit").setText(QStringLiteral("P3.HTML"));
    EXPECT_EQ(shownRows(), std::vector<int>{3});
    ClickHeader(0);
    ClickHeader(0); // descending: the third partner comes first, the table keeps its order
    EXPECT_EQ(shownRows(), std::vector<int>{3});
    EXPECT_EQ(Cell(0, 1), m_server.Url("/p3.html"));

    // Without a filter every row is back and the report is the whole table as shown, byte for byte.
    Child<QLineEdit>(filter, "filterEdit").clear();
    EXPECT_EQ(shownRows(), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(Child<QLabel>(filter, "filterCount").text(), QString());
    m_chosenPaths = {QString::fromStdString(csv)};
    Frame().SendCommand(ID_SAVE_CSV);
    const CResultTable shown = View().Table().CopyRows(shownRows());
    EXPECT_EQ(ReadAll(csv), BuildReportText(shown, shown.GetColumnHeader(), kReportHeaderLines));
}

TEST_F(TessarayViewTest, WithTheUsersLinkPagesTheRunShowsTheLinkBackAndWhoTakesWithoutGiving) {
    m_server.Server().Get("/mine.html", [this](const httplib::Request&, httplib::Response& res) {
        res.set_content("<a href=\"" + m_server.Url("/") + "\">Friends</a>", "text/html");
    });
    StartWithProject(WithEnglishFile());
    Doc().Project().SetMyLinkPages({m_server.Url("/mine.html")});
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(View().model()->index(0, CResultModel::kYouLinkColumn).data().toString(),
              QStringLiteral("followed"));
    const CRunVerdicts::SSummary summary = View().Analysis().ShownVerdicts()->Summary();
    EXPECT_EQ(OutputLines().constLast().toStdString(),
              TakeWithoutGivingText(summary.nOneSided, 'E'));

    // Opened again, the last run comes from the history: the link back with it, but whether the
    // pages were rendered is not kept.
    TearDown();
    StartWithProject(WithEnglishFile());
    EXPECT_EQ(View().model()->index(0, CResultModel::kYouLinkColumn).data().toString(),
              QStringLiteral("followed"));
    EXPECT_EQ(View().model()->index(0, CResultModel::kRenderedColumn).data().toString(), QString());
}

TEST_F(TessarayViewTest, TheProjectsRenderChoiceRendersInABrowserOrSaysOnceWhyNot) {
    StartWithProject(WithEnglishFile());
    const auto rendered = [this](int row) {
        return View().model()->index(row, CResultModel::kRenderedColumn).data().toString();
    };
    const QString noBrowser =
        QStringLiteral("No browser is installed: pages are not rendered (install Chromium).");
    const QByteArray named = qgetenv("TESSARAY_BROWSER");
    qputenv("TESSARAY_BROWSER", QByteArray::fromStdString(m_temp.File("no-such-browser")));
    ASSERT_TRUE(RunToEnd());
    EXPECT_TRUE(OutputLines().contains(noBrowser));
    EXPECT_EQ(rendered(0), QStringLiteral("no"));
    ASSERT_TRUE(RunToEnd());
    EXPECT_FALSE(OutputLines().contains(noBrowser));
    if (named.isEmpty()) {
        qunsetenv("TESSARAY_BROWSER");
    } else {
        qputenv("TESSARAY_BROWSER", named);
    }
    if (FindBrowser().empty()) {
        GTEST_SKIP() << "no browser to render with";
    }

    // Always: every partner page is read as the browser shows it.
    Doc().Project().SetRenderMode(ERenderMode::Always);
    ASSERT_TRUE(Enabled(ID_ANALYSIS_START));
    Frame().Action(ID_ANALYSIS_START)->trigger();
    // The browser starts with the run: more time than a run of raw pages takes.
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunning(); }, 90000));
    EXPECT_EQ(rendered(0), QStringLiteral("yes"));
    EXPECT_EQ(rendered(3), QStringLiteral("yes"));
}

TEST_F(TessarayViewTest, RightClickBesideTheRowsLetsGoOfTheSelection) {
    StartWithProject(WithEnglishFile());
    QWidget* viewport = View().viewport();
    View().selectRow(1);
    // On a row: that row is the selection (the menu offers its URL).
    QTest::mousePress(viewport, Qt::RightButton, {},
                      View().visualRect(View().model()->index(0, 1)).center());
    ASSERT_EQ(View().selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(View().selectionModel()->selectedRows().at(0).row(), 0);
    // Below the rows: nothing selected, so the menu is the report's.
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(5, viewport->height() - 3));
    EXPECT_TRUE(View().selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(ContextMenuEntries().size(), 2);
}

TEST_F(TessarayViewTest, RefillScrollsToTheLeftAndCutOffCellsShowTheirTextInATip) {
    StartWithProject();
    QScrollBar* scroll = View().horizontalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->maximum());
    View().OnInitialUpdate();
    EXPECT_EQ(scroll->value(), 0);

    View().setColumnWidth(kColPartnerUrl, 40);
    const QRect cell = View().visualRect(View().model()->index(0, kColPartnerUrl));
    QHelpEvent help(QEvent::ToolTip, cell.center(), View().viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(View().viewport(), &help);
    EXPECT_TRUE(QToolTip::text().contains(QString::fromStdString(m_server.Url("/p1.html"))));
}

TEST_F(TessarayViewTest, PrintingToPdfGivesOnePagePerScreenfulOfShownRows) {
    StartWithProject();
    ASSERT_TRUE(Enabled(ID_FILE_PRINT));
    ASSERT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
    CResultTable& table = View().Table();
    for (int i = 0; i < 300; ++i) {
        const int row = table.InsertRow(table.GetRowCount());
        table.SetCellText(row, kColNo, std::to_string(row + 1));
        table.SetCellText(row, kColPartnerUrl, "http://partner" + std::to_string(i) + ".example/");
    }
    const auto printedPages = [this](const std::string& path) {
        QPrinter& printer = View().PrintCommands().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        const int pages = View().PrintCommands().PrintOn(printer);
        // Each page is one object "/Type /Page" in the file (the page tree is "/Type /Pages").
        const std::string pdf = ReadAll(path);
        int objects = 0;
        for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1)) {
            objects += pdf.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
        }
        EXPECT_EQ(objects, pages);
        return pages;
    };
    EXPECT_EQ(View().PrintCommands().Printer().pageLayout().orientation(), QPageLayout::Landscape);
    const int allPages = printedPages(m_temp.File("all.pdf"));
    EXPECT_GE(allPages, 3);
    // Only the rows shown are printed.
    Child<QLineEdit>(*View().FilterBar(), "filterEdit").setText(QStringLiteral("partner7"));
    EXPECT_EQ(printedPages(m_temp.File("filtered.pdf")), 1);
    // An unwritable file is told.
    EXPECT_EQ(printedPages(m_temp.File("missing/table.pdf")), 0);
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_F(TessarayViewTest, PrintingIsReadableWithTheVerdictSummaryFirst) {
    StartWithProject();
    ASSERT_TRUE(RunToEnd());
    CResultTable& table = View().Table();
    const int longRow = table.InsertRow(table.GetRowCount());
    table.SetCellText(longRow, kColNo, "5");
    table.SetCellText(longRow, kColPartnerUrl, "http://partner.example/" + std::string(300, 'p'));
    CPrintCommands& print = View().PrintCommands();
    QPrinter& printer = print.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto layout = [&] {
        return CTablePrinter(*View().model(), print.Columns(), {}).Layout(printer);
    };

    // The summary by default: number, partner, verdict and reasons, on one page across; the
    // long partner URL is printed whole over several lines.
    EXPECT_EQ(print.Content(), CPrintCommands::EContent::Summary);
    const std::vector<SPrintColumn> summary = print.Columns();
    ASSERT_EQ(summary.size(), 4U);
    EXPECT_EQ(summary[2].nColumn, CResultModel::kVerdictColumn);
    EXPECT_EQ(summary[3].nRole, CResultModel::kReasonsRole);
    EXPECT_EQ(
        View().model()->index(2, CResultModel::kVerdictColumn).data(CResultModel::kReasonsRole),
        QStringLiteral("Der Link ist mit rel=nofollow markiert."));
    const CTablePrinter::SLayout few = layout();
    EXPECT_EQ(few.bands.size(), 1U);
    EXPECT_GT(few.rowHeights.back(), 2 * few.rowHeights.front());

    // The table as shown runs over several pages across, each within the page and each
    // further one starting with the first column again.
    print.SetContent(CPrintCommands::EContent::Table);
    const CTablePrinter::SLayout wide = layout();
    ASSERT_GE(wide.bands.size(), 2U);
    for (const auto& band : wide.bands) {
        int width = 0;
        for (const int col : band.columns) {
            width += wide.columnWidths[static_cast<std::size_t>(col)];
        }
        EXPECT_LE(width, wide.pageWidth);
        EXPECT_EQ(band.columns.front(), 0);
    }
}

} // namespace
} // namespace tessaray::test
