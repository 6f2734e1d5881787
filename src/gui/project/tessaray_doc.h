#pragma once

#include "core/app/settings_keys.h"
#include "core/project/project.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace tessaray {

class CCommandFrame;
struct SUiHooks;

// The document: owns the one project and carries the commands that open and save it, the
// recent-file list and the save prompt.
class CTessarayDoc final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTessarayDoc)

public:
    // The number of entries the recent-file list keeps.
    static constexpr int kMaxRecentFiles = setting::kRecentFileCount;

    CTessarayDoc(CCommandFrame& frame, const SUiHooks& hooks);

    CProject& Project() { return m_project; }
    const CProject& Project() const { return m_project; }

    // Registers Open, Save and Save As with the frame and loads the recent-file list.
    void ConnectCommands();
    // Called after a project was set up anew (new or opened): the view refills its rows.
    void SetProjectChangedHandler(std::function<void()> handler);

    // A new document: an empty, unsaved project titled "Untitled".
    bool OnNewDocument();
    // Opens a project file after offering to save a modified project. A file that cannot be read
    // or is not a project is refused with a message and the open project stays as it was.
    bool OpenDocument(const QString& path);
    // The Open command: the file dialog, then OpenDocument.
    void OnFileOpen();
    // The Save command: Save As for a project without file, else save to its file.
    bool OnFileSave();
    // The Save As command: the file dialog, then save; the file joins the recent-file list.
    bool OnFileSaveAs();
    // New project and Edit project: the project editor, then the project rebuilt from it.
    void OnNewProject();
    void OnEditProject();

    // Offers to save a modified project before it is replaced or the program ends: Yes saves
    // through the Save command, No goes on, Cancel (when offered) stops. False when the caller
    // must stop: cancelled, or the save failed (its message was shown).
    bool SaveModified(bool bOfferCancel);

    bool IsModified() const { return m_bModified; }
    // Copies the project's modified flag into the document's, as every command ends.
    void SetModifiedFlag(bool bModified);
    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    // Sets the title from the project (its file name without folder and extension).
    void SetTitleFromProject();
    // "Save changes to shop.tsrp?": the question before a changed project is left.
    QString SaveChangesQuestion() const;

    QStringList RecentFiles() const { return m_recentFiles; }
    void AddToRecentFileList(const QString& path);

private:
    QString ChooseProjectFile(bool bSave);
    void ShowError(const QString& text);
    // The error in the user's language.
    static QString ErrorText(const SProjectError& error);
    void ShowSaveError(const CProjectResult& saved);
    void LoadRecentFileList();
    void SaveRecentFileList();

    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    CProject m_project;
    QString m_strTitle;
    bool m_bModified = false;
    QStringList m_recentFiles;
    std::function<void()> m_projectChanged;
};

} // namespace tessaray
