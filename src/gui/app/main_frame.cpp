#include "gui/app/main_frame.h"

#include "gui/app/output_bar.h"
#include "gui/app/toolbar_icons.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace tessaray {

namespace {

// Project files are recognised by their extension, the one the desktop file type registers.
bool IsProjectFile(const QString& path) {
    return path.endsWith(QStringLiteral(".tsrp"), Qt::CaseInsensitive);
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : CCommandFrame(parent) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    resize(1000, 650);
    RememberGeometry(this, QStringLiteral("MainFrame"));
    FitDialogsToScreen(*this);

    CreateMenus();
    CreateToolBar();
    m_wndOutputBar = new COutputBar(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_wndOutputBar);
    resizeDocks({m_wndOutputBar}, {150}, Qt::Vertical);
    CreateStatusBar();
    CreateAccelerators();
    UpdateCommandUi();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& prompt) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("Command%1").arg(id));
    // The prompt text holds the status-bar prompt and, after a line feed, the tool tip.
    const qsizetype lineFeed = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(lineFeed < 0 ? prompt : prompt.left(lineFeed));
    if (lineFeed >= 0) {
        action->setToolTip(prompt.mid(lineFeed + 1));
    }
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_commands[id].action = action;
    return action;
}

void CMainFrame::CreateMenus() {
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->addAction(
        AddCommand(ID_NEW_PROJECT, tr("&New..."), tr("Create a new project\nNew")));
    m_fileMenu->addAction(
        AddCommand(ID_FILE_OPEN, tr("&Open..."), tr("Open an existing project\nOpen")));
    m_fileMenu->addAction(
        AddCommand(ID_FILE_SAVE, tr("&Save"), tr("Save the active project\nSave")));
    m_fileMenu->addAction(AddCommand(ID_FILE_SAVE_AS, tr("Save &As..."),
                                     tr("Save the active project with a new name\nSave As")));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(
        AddCommand(ID_FILE_PRINT, tr("&Print..."), tr("Print the results table\nPrint")));
    m_fileMenu->addAction(AddCommand(ID_FILE_PRINT_PREVIEW, tr("Print Pre&view"),
                                     tr("Show the printed pages of the results table\nPrint "
                                        "Preview")));
    m_fileMenu->addAction(AddCommand(ID_FILE_PRINT_SETUP, tr("P&rint Setup..."),
                                     tr("Choose the printer, the paper and its "
                                        "orientation\nPrint Setup")));
    m_fileMenu->addSeparator();
    QAction* recent =
        AddCommand(ID_FILE_MRU_FILE1, tr("Recent File"), tr("Open this project\nRecent project"));
    m_fileMenu->addAction(recent);
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addAction(AddCommand(ID_PROGRAM_OPTIONS, tr("Program op&tions..."),
                                     tr("Choose the language of the program and whether it looks "
                                        "for updates\nProgram options")));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(AddCommand(ID_APP_EXIT, tr("&Exit"), tr("Quit the application\nExit")));
    SetCommandHandler(ID_APP_EXIT, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(AddCommand(ID_EDIT_COPY, tr("&Copy"),
                               tr("Copy the selected rows with their verdicts as a table\nCopy")));
    edit->addAction(AddCommand(ID_EDIT_SELECT_ALL, tr("Select &All"),
                               tr("Select every row shown\nSelect All")));
    edit->addSeparator();
    edit->addAction(
        AddCommand(ID_EDIT_FIND, tr("&Find..."), tr("Show only the rows that hold a text\nFind")));

    QMenu* project = menuBar()->addMenu(tr("&Project"));
    project->addAction(AddCommand(ID_EDIT_PROJECT, tr("&Edit project..."),
                                  tr("Change the domain, the partner pages and the settings of "
                                     "the project\nEdit project")));

    QMenu* analysis = menuBar()->addMenu(tr("&Analyse"));
    analysis->addAction(AddCommand(ID_ANALYSIS_START, tr("Start &Analysis"),
                                   tr("Check every partner page for its link to your "
                                      "site\nStart analysis")));
    analysis->addAction(AddCommand(ID_ANALYSIS_STOP, tr("&Stop running Analysis"),
                                   tr("Stop the analysis after the current partner "
                                      "page\nStop analysis")));
    analysis->addSeparator();
    analysis->addAction(AddCommand(ID_ANALYSIS_OPTIONS, tr("Analysis &options..."),
                                   tr("Set how many partner pages an analysis fetches at the same "
                                      "time\nAnalysis options")));
    analysis->addAction(AddCommand(ID_HISTORY, tr("&History..."),
                                   tr("List the earlier runs of the project, open one or compare "
                                      "two\nHistory")));
    analysis->addAction(AddCommand(ID_SCHEDULE, tr("Check a&utomatically..."),
                                   tr("Check the project daily or weekly, also while the program "
                                      "is closed\nCheck automatically")));

    // "E" belongs to Edit in English.
    QMenu* exportMenu = menuBar()->addMenu(tr("E&xport"));
    exportMenu->addAction(AddCommand(ID_SAVE_CSV, tr("Save report as &Csv file..."),
                                     tr("Save the results as a tab-separated CSV file\nSave "
                                        "report as CSV file")));
    exportMenu->addAction(AddCommand(ID_SAVE_HTML, tr("Save report as &Html file..."),
                                     tr("Save the results as an HTML page\nSave report as "
                                        "HTML file")));
    exportMenu->addAction(AddCommand(ID_SAVE_JSON, tr("Save report as &JSON file..."),
                                     tr("Save the results with their verdicts as a JSON "
                                        "file\nSave report as JSON file")));
    exportMenu->addAction(AddCommand(ID_OPEN_IN_EXCEL, tr("Open report in &Excel"),
                                     tr("Open the results in the spreadsheet program\nOpen "
                                        "report in Excel")));
    exportMenu->addAction(AddCommand(ID_OPEN_IN_BROWSER, tr("Open report in Html &Browser"),
                                     tr("Open the results in the web browser\nOpen report in "
                                        "browser")));
    exportMenu->addSeparator();
    exportMenu->addAction(AddCommand(ID_SAVE_CHANGES_CSV, tr("Save changes as C&SV file..."),
                                     tr("Save what changed between the last two runs as a "
                                        "tab-separated CSV file\nSave changes as CSV file")));
    exportMenu->addAction(AddCommand(ID_SAVE_CHANGES_JSON, tr("Save changes as JS&ON file..."),
                                     tr("Save what changed between the last two runs as a JSON "
                                        "file\nSave changes as JSON file")));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(AddCommand(ID_HELP_DOCUMENT, tr("Open &Help Document"),
                               tr("Open the help document\nHelp")));
    help->addAction(AddCommand(ID_APP_ABOUT, tr("&About Tessaray..."),
                               tr("Show program information, version number and "
                                  "copyright\nAbout")));
    help->addAction(AddCommand(ID_HOMEPAGE, tr("Tessaray Home&page"),
                               tr("Open the Tessaray home page in the browser\nHomepage")));
    help->addAction(AddCommand(ID_TIP_OF_THE_DAY, tr("Tip of the &day..."),
                               tr("Show a tip on using Tessaray\nTip of the day")));
    help->addSeparator();
    help->addAction(AddCommand(ID_SUPPORT, tr("&Support"), tr("Write a support request\nSupport")));
    help->addSeparator();
    help->addAction(AddCommand(ID_CHECK_UPDATES, tr("Check for &Updates, update software..."),
                               tr("Look for a newer version of Tessaray\nCheck for updates")));

    // Enabling is evaluated before a menu opens, so a menu never offers a command that cannot run.
    for (QMenu* menu : {m_fileMenu, edit, project, analysis, exportMenu, help}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = addToolBar(tr("Toolbar"));
    m_wndToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_wndToolBar->setIconSize(QSize(22, 18));
    const auto add = [this](int id, EToolbarIcon icon) {
        QAction* action = Action(id);
        action->setIcon(ToolbarIcon(icon));
        m_wndToolBar->addAction(action);
    };
    add(ID_NEW_PROJECT, EToolbarIcon::New);
    add(ID_FILE_OPEN, EToolbarIcon::Open);
    add(ID_FILE_SAVE, EToolbarIcon::Save);
    m_wndToolBar->addSeparator();
    add(ID_EDIT_PROJECT, EToolbarIcon::EditProject);
    m_wndToolBar->addSeparator();
    add(ID_ANALYSIS_START, EToolbarIcon::Start);
    add(ID_ANALYSIS_STOP, EToolbarIcon::Stop);
    m_wndToolBar->addSeparator();
    add(ID_OPEN_IN_EXCEL, EToolbarIcon::Spreadsheet);
    add(ID_OPEN_IN_BROWSER, EToolbarIcon::Browser);
    m_wndToolBar->addSeparator();
    add(ID_APP_ABOUT, EToolbarIcon::About);
    add(ID_HELP_DOCUMENT, EToolbarIcon::Help);
    add(ID_HOMEPAGE, EToolbarIcon::Homepage);
}

void CMainFrame::CreateAccelerators() {
    // The accelerator table is separate from the menus: each key triggers its command's action,
    // so a disabled command ignores its key.
    const struct {
        int id;
        QKeySequence keys;
    } table[] = {
        // F5 saves the CSV report of old; F9 starts a run, as it does in many programs.
        {ID_ANALYSIS_START, QKeySequence(Qt::Key_F9)},
        {ID_EDIT_SELECT_ALL, QKeySequence(Qt::CTRL | Qt::Key_A)},
        {ID_EDIT_FIND, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {ID_EDIT_PROJECT, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {ID_NEW_PROJECT, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ID_FILE_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ID_FILE_SAVE, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ID_FILE_PRINT, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ID_HELP, QKeySequence(Qt::Key_F1)},
        {ID_SAVE_CSV, QKeySequence(Qt::Key_F5)},
        {ID_SAVE_HTML, QKeySequence(Qt::Key_F6)},
        {ID_OPEN_IN_EXCEL, QKeySequence(Qt::Key_F7)},
        {ID_OPEN_IN_BROWSER, QKeySequence(Qt::Key_F8)},
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {ID_EDIT_PASTE, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {ID_EDIT_PASTE, QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {ID_EDIT_CUT, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {ID_EDIT_CUT, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {ID_EDIT_UNDO, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {ID_EDIT_UNDO, QKeySequence(Qt::ALT | Qt::Key_Backspace)},
    };
    for (const auto& entry : table) {
        auto* key = new QAction(this);
        key->setObjectName(QStringLiteral("Accelerator%1").arg(entry.id));
        key->setShortcut(entry.keys);
        key->setShortcutContext(Qt::WindowShortcut);
        const int id = entry.id;
        connect(key, &QAction::triggered, this, [this, id] { SendCommand(id); });
        addAction(key);
        // The menu entry shows its key in the language's words ("Strg+S"); the key itself stays
        // with the accelerator, so the entry's copy is live only inside its open menu.
        QAction* entryAction = Action(id == ID_HELP ? ID_HELP_DOCUMENT : id);
        if (entryAction != nullptr && entryAction->shortcut().isEmpty()) {
            entryAction->setShortcut(entry.keys);
            entryAction->setShortcutContext(Qt::WidgetShortcut);
        }
    }
}

void CMainFrame::CreateStatusBar() {
    m_idleText = tr("Ready");
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    // The three lock-key indicators. Qt cannot read the lock states portably, so they are shown
    // greyed, as for a key that is off.
    for (const QString& text : {tr("CAP"), tr("NUM"), tr("SCRL")}) {
        auto* pane = new QLabel(text, statusBar());
        pane->setEnabled(false);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 12);
        statusBar()->addPermanentWidget(pane);
    }
    m_statusText = m_idleText;
    statusBar()->showMessage(m_statusText);
    // A menu prompt shown while the pointer is on a command clears the pane when it leaves; the
    // message in force (the idle text or the run's progress) comes back then.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) {
            statusBar()->showMessage(m_statusText);
        }
    });
}

void CMainFrame::SetCommandHandler(int id, CommandFn run, EnabledFn enabled) {
    SCommand& command = m_commands[id];
    command.run = std::move(run);
    command.enabled = std::move(enabled);
    RequestCommandUiUpdate();
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.action;
}

bool CMainFrame::IsCommandEnabled(const SCommand& command) {
    return command.run && (!command.enabled || command.enabled());
}

void CMainFrame::SendCommand(int id) {
    if (CanRunCommand(id)) {
        RunCommand(id);
    }
}

bool CMainFrame::CanRunCommand(int id) const {
    const auto it = m_commands.find(id);
    return it != m_commands.end() && IsCommandEnabled(it->second);
}

void CMainFrame::PostCommand(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { SendCommand(id); }, Qt::QueuedConnection);
}

void CMainFrame::PostPrivateMessage(int message) {
    int command = 0;
    switch (message) {
    case WM_PAGE_DONE:
        command = ID_PAGE_FETCHED;
        break;
    case WM_RANK_DONE:
        command = ID_RANK_FETCHED;
        break;
    case WM_UPDATE_DONE:
        command = ID_UPDATE_FETCHED;
        break;
    default:
        return;
    }
    // The message is queued into the frame's thread, where it posts its command in turn.
    QMetaObject::invokeMethod(
        this, [this, command] { PostCommand(command); }, Qt::QueuedConnection);
}

void CMainFrame::RunCommand(int id) {
    const auto it = m_commands.find(id);
    if (it == m_commands.end() || !it->second.run) {
        return;
    }
    // Copied: a handler may replace itself while it runs.
    const CommandFn run = it->second.run;
    run();
    RequestCommandUiUpdate();
}

void CMainFrame::UpdateCommandUi() {
    m_bUpdatePending = false;
    for (auto& [id, command] : m_commands) {
        if (command.action != nullptr && id != ID_FILE_MRU_FILE1) {
            command.action->setEnabled(IsCommandEnabled(command));
        }
    }
}

void CMainFrame::RequestCommandUiUpdate() {
    if (m_bUpdatePending) {
        return;
    }
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUi);
}

void CMainFrame::AddOutputLine(const std::string& text) {
    m_wndOutputBar->AddOutputLine(text);
}

void CMainFrame::AppendToLastOutputLine(const std::string& text) {
    m_wndOutputBar->AppendToLastOutputLine(text);
}

void CMainFrame::ClearOutput() {
    m_wndOutputBar->ClearOutput();
}

void CMainFrame::SetStatusMessage(const QString& text) {
    m_statusText = text.isEmpty() ? m_idleText : text;
    statusBar()->showMessage(m_statusText);
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    m_recentFiles = files;
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    QAction* placeholder = Action(ID_FILE_MRU_FILE1);
    // With no recent files the menu shows the greyed placeholder "Recent File".
    placeholder->setVisible(m_recentFiles.isEmpty());
    placeholder->setEnabled(false);
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles.at(i);
        // An '&' in the path is shown, not taken as the entry's shortcut letter.
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace(
                                       QLatin1Char('&'), QStringLiteral("&&"))),
                                   m_fileMenu);
        action->setObjectName(QStringLiteral("Command%1").arg(ID_FILE_MRU_FILE1 + i));
        action->setStatusTip(placeholder->statusTip());
        connect(action, &QAction::triggered, this, [this, path] {
            if (m_openFileHandler) {
                m_openFileHandler(path);
            }
            RequestCommandUiUpdate();
        });
        m_fileMenu->insertAction(m_recentSeparator, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::SetOpenFileHandler(std::function<void(const QString&)> handler) {
    m_openFileHandler = std::move(handler);
}

void CMainFrame::SetCloseGuard(std::function<bool()> guard) {
    m_closeGuard = std::move(guard);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A running analysis does not keep the window open; a cancelled save prompt does.
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile() &&
        IsProjectFile(urls.first().toLocalFile())) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) {
        return;
    }
    const QString path = urls.first().toLocalFile();
    if (!IsProjectFile(path) || !QFileInfo(path).isFile()) {
        return;
    }
    event->acceptProposedAction();
    // Opened after the drop has finished, so a save prompt does not run inside the drag.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (m_openFileHandler) {
                m_openFileHandler(path);
            }
            RequestCommandUiUpdate();
        },
        Qt::QueuedConnection);
}

} // namespace tessaray
