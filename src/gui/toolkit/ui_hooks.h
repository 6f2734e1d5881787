#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>
#include <string>

class QWidget;

namespace tessaray {

// What a file dialog is asked for: a file to open or to save, its filter and default extension.
struct SFileRequest {
    bool bSave = false;
    QString strFilter;        // Qt filter text, e.g. "csv Table (*.csv)"
    QString strDefaultSuffix; // without dot; appended when the user typed a name without one
    // Where the dialog starts: a folder, or a folder and the file name it suggests.
    QString strStart;
};

// The place a file dialog of the project starts at: the folder of the project's file (the
// documents folder for a project never saved), with fileName suggested when it is not empty.
QString StartPath(const std::string& projectPath, const QString& fileName = {});

// The program's ways of asking the user and of handing things to the desktop. The application
// owns one set and hands it to the document and the view; tests replace them so that no dialog
// waits for a user and no browser starts.
struct SUiHooks {
    // The chosen path, or "" when the dialog was cancelled.
    std::function<QString(QWidget* parent, const SFileRequest& request)> chooseFile;
    // Shows a message box and returns the button pressed.
    std::function<QMessageBox::StandardButton(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& text,
                                              QMessageBox::StandardButtons buttons)>
        messageBox;
    // Asks for the user name and password the site at origin wants for realm; bPlainBasic warns
    // that the password would travel readable. False when the user refuses.
    std::function<bool(QWidget* parent, const QString& origin, const QString& realm,
                       bool bPlainBasic, QString& user, QString& password)>
        askCredentials;
    // Opens a web address or a local file in the program the desktop associates with it.
    std::function<bool(const QUrl& url)> openUrl;

    // Hooks backed by QFileDialog, QMessageBox, a log-in dialog and QDesktopServices.
    static SUiHooks Desktop();
};

// Opens url through the hooks; when no program takes it, a message box names what could not be
// opened (a local file with its path, so the user can find it). False then.
bool OpenOrTell(const SUiHooks& hooks, QWidget* parent, const QUrl& url);

} // namespace tessaray
