#pragma once

#include "gui/toolkit/command_frame.h"

#include <QStringList>

#include <functional>
#include <map>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tessaray {

class COutputBar;

// The main window: menu bar, toolbar, docking output log, status bar and the command routing.
// Every command is a QAction keyed by its command number; the view, the document and the
// application register a handler and an enabling rule per command. A command without a handler is
// disabled.
class CMainFrame final : public CCommandFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMainFrame)

public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Routes command id to run; enabled (when given) decides the command's state.
    void SetCommandHandler(int id, CommandFn run, EnabledFn enabled = {}) override;
    // The action of a menu, toolbar or accelerator command; nullptr for unknown numbers.
    QAction* Action(int id) const;
    // Runs the handler of id now, when the command is enabled.
    void SendCommand(int id) override;
    bool CanRunCommand(int id) const override;
    // Runs the handler of id from the event loop, once the current command has finished.
    void PostCommand(int id);
    // Turns a private message of background work into its posted command. Safe to call from any
    // thread: it only queues a call into the frame's thread.
    void PostPrivateMessage(int message) override;

    // Re-evaluates every command's enabled state.
    void UpdateCommandUi();
    // Asks for UpdateCommandUi once control returns to the event loop (calls coalesce).
    void RequestCommandUiUpdate() override;

    // The output log (forwarded to the output bar).
    void AddOutputLine(const std::string& text) override;
    void AppendToLastOutputLine(const std::string& text) override;
    void ClearOutput() override;
    COutputBar* OutputBar() const { return m_wndOutputBar; }

    // Shows text in the status bar's message pane until the next message (empty: the idle text).
    void SetStatusMessage(const QString& text) override;

    // The recent-file entries of the File menu (most recent first, at most eight).
    void SetRecentFiles(const QStringList& files) override;
    // Called with the path of a chosen recent file or of a project file dropped on the window.
    void SetOpenFileHandler(std::function<void(const QString&)> handler) override;
    // Asked before the window closes; false keeps it open (the save prompt was cancelled).
    void SetCloseGuard(std::function<bool()> guard) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct SCommand {
        QAction* action = nullptr;
        CommandFn run;
        EnabledFn enabled;
    };

    QAction* AddCommand(int id, const QString& text, const QString& prompt);
    void CreateMenus();
    void CreateToolBar();
    void CreateAccelerators();
    void CreateStatusBar();
    void RunCommand(int id);
    static bool IsCommandEnabled(const SCommand& command);
    void RebuildRecentMenu();

    std::map<int, SCommand> m_commands;
    COutputBar* m_wndOutputBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    QString m_idleText;
    QString m_statusText; // the message pane's text when no menu prompt covers it
    bool m_bUpdatePending = false;
    std::function<void(const QString&)> m_openFileHandler;
    std::function<bool()> m_closeGuard;
};

} // namespace tessaray
