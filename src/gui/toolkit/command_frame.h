#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace tessaray {

// What the document and the view need from the main window: command routing by command number,
// the output log, the status bar's message pane and the File menu's hooks. The application's main
// frame implements it; the document and the view only know this interface.
class CCommandFrame : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCommandFrame)

public:
    using CommandFn = std::function<void()>;
    using EnabledFn = std::function<bool()>;

    using QMainWindow::QMainWindow;
    ~CCommandFrame() override = default;

    // Routes command id to run; enabled (when given) decides the command's state.
    virtual void SetCommandHandler(int id, CommandFn run, EnabledFn enabled = {}) = 0;
    // Runs the handler of id now, when the command is enabled.
    virtual void SendCommand(int id) = 0;
    // True when id has a handler and its enabling rule lets it run now.
    virtual bool CanRunCommand(int id) const = 0;
    // Turns a private message of background work into its posted command. Safe to call from any
    // thread: it only queues a call into the frame's thread.
    virtual void PostPrivateMessage(int message) = 0;
    // Asks for a re-evaluation of every command's state once control returns to the event loop.
    virtual void RequestCommandUiUpdate() = 0;

    // The output log.
    virtual void AddOutputLine(const std::string& text) = 0;
    virtual void AppendToLastOutputLine(const std::string& text) = 0;
    virtual void ClearOutput() = 0;

    // Shows text in the status bar's message pane until the next message (empty: the idle text).
    virtual void SetStatusMessage(const QString& text) = 0;

    // The recent-file entries of the File menu (most recent first).
    virtual void SetRecentFiles(const QStringList& files) = 0;
    // Called with the path of a chosen recent file or of a project file dropped on the window.
    virtual void SetOpenFileHandler(std::function<void(const QString&)> handler) = 0;
    // Asked before the window closes; false keeps it open.
    virtual void SetCloseGuard(std::function<bool()> guard) = 0;
};

} // namespace tessaray
