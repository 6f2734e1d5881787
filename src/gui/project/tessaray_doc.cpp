#include "gui/project/tessaray_doc.h"
#include "gui/toolkit/byte_text.h"

#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"
#include "gui/toolkit/ui_hooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace tessaray {

namespace {

// "Recent File List/File1" for the newest recent file, and so on.
QString RecentFileKey(int nNumber) {
    return SettingKey(setting::kRecentFilePrefix) + QString::number(nNumber);
}

} // namespace

CTessarayDoc::CTessarayDoc(CCommandFrame& frame, const SUiHooks& hooks)
    : m_frame(frame), m_hooks(hooks) {}

void CTessarayDoc::ConnectCommands() {
    const auto ready = [this] { return m_project.IsReady(); };
    m_frame.SetCommandHandler(ID_NEW_PROJECT, [this] { OnNewProject(); });
    m_frame.SetCommandHandler(
        ID_EDIT_PROJECT, [this] { OnEditProject(); }, ready);
    m_frame.SetCommandHandler(ID_FILE_OPEN, [this] { OnFileOpen(); });
    m_frame.SetCommandHandler(
        ID_FILE_SAVE, [this] { OnFileSave(); }, ready);
    m_frame.SetCommandHandler(
        ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); }, ready);
    m_frame.SetOpenFileHandler([this](const QString& path) { OpenDocument(path); });
    m_frame.SetCloseGuard([this] { return SaveModified(true); });
    LoadRecentFileList();
}

void CTessarayDoc::SetProjectChangedHandler(std::function<void()> handler) {
    m_projectChanged = std::move(handler);
}

bool CTessarayDoc::OnNewDocument() {
    m_project.Reset();
    SetModifiedFlag(false);
    SetTitle(tr("Untitled"));
    if (m_projectChanged) {
        m_projectChanged();
    }
    return true;
}

bool CTessarayDoc::OpenDocument(const QString& path) {
    if (!SaveModified(true)) {
        return false;
    }
    if (const CProjectResult loaded = m_project.Load(ToPath(path)); !loaded.Ok()) {
        // The project stays as it was; a file that is gone leaves the recent-file list.
        if (!QFileInfo::exists(path) && m_recentFiles.removeAll(path) > 0) {
            SaveRecentFileList();
            m_frame.SetRecentFiles(m_recentFiles);
        }
        ShowError(tr("The file %1 cannot be opened as a Tessaray project.\n%2")
                      .arg(QDir::toNativeSeparators(path), ErrorText(loaded.GetError())));
        return false;
    }
    AddToRecentFileList(path);
    SetTitleFromProject();
    SetModifiedFlag(m_project.IsModified());
    if (m_projectChanged) {
        m_projectChanged();
    }
    return true;
}

void CTessarayDoc::OnFileOpen() {
    const QString path = ChooseProjectFile(false);
    if (!path.isEmpty()) {
        OpenDocument(path);
    }
}

bool CTessarayDoc::OnFileSave() {
    // A project without file (title "Unbekannt") is saved through the Save As dialog.
    if (m_project.GetPath().empty() || m_project.GetTitle() == CProject::kNoFileMarker) {
        return OnFileSaveAs();
    }
    const CProjectResult saved = m_project.Save(m_project.GetPath());
    ShowSaveError(saved);
    SetTitleFromProject();
    SetModifiedFlag(m_project.IsModified());
    return saved.Ok();
}

bool CTessarayDoc::OnFileSaveAs() {
    const CProjectResult saved =
        m_project.SaveAs([this] { return ToPath(ChooseProjectFile(true)); });
    ShowSaveError(saved);
    SetTitleFromProject();
    SetModifiedFlag(m_project.IsModified());
    if (saved.Ok()) {
        AddToRecentFileList(FromPath(m_project.GetPath()));
    }
    return saved.Ok();
}

void CTessarayDoc::ShowSaveError(const CProjectResult& saved) {
    // A cancelled Save As fails with nothing to tell.
    if (saved.Code() != EProjectError::None) {
        ShowError(tr("The project could not be saved.\n%1").arg(ErrorText(saved.GetError())));
    }
}

bool CTessarayDoc::SaveModified(bool bOfferCancel) {
    // Only a ready project can be written; an incomplete one has nothing to save.
    if ((!m_bModified && !m_project.IsModified()) || !m_project.IsReady()) {
        return true;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (bOfferCancel) {
        buttons |= QMessageBox::Cancel;
    }
    const QMessageBox::StandardButton answer =
        m_hooks.messageBox(&m_frame, QMessageBox::Question, SaveChangesQuestion(), buttons);
    if (answer == QMessageBox::No) {
        return true;
    }
    if (answer != QMessageBox::Yes) {
        return false;
    }
    return OnFileSave();
}

QString CTessarayDoc::SaveChangesQuestion() const {
    const std::string& path = m_project.GetPath();
    const bool bHasFile =
        !path.empty() && path != CProject::kNoFileMarker && path != CProject::kUntitled;
    return tr("Save changes to %1?")
        .arg(bHasFile ? QFileInfo(FromPath(path)).fileName() : m_strTitle);
}

void CTessarayDoc::SetModifiedFlag(bool bModified) {
    m_bModified = bModified;
    // "[*]" in the title shows as "*" while the project has unsaved changes.
    m_frame.setWindowModified(bModified);
    m_frame.RequestCommandUiUpdate();
}

void CTessarayDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    m_frame.setWindowTitle(title + QStringLiteral("[*] - ") + ProductName());
}

void CTessarayDoc::SetTitleFromProject() {
    // A project without a file is "Untitled" in the interface's language.
    const std::string title = m_project.GetTitle();
    const bool bNoFile = title == CProject::kNoFileMarker || title == CProject::kUntitled;
    SetTitle(bNoFile ? tr("Untitled") : FromBytes(title));
}

QString CTessarayDoc::ChooseProjectFile(bool bSave) {
    SFileRequest request;
    request.bSave = bSave;
    // Save As names the file type as the project's own; Open keeps the file type's filter.
    request.strFilter =
        bSave ? tr("Tessaray Project (.tsrp) (*.tsrp)") : tr("Tessaray projects (*.tsrp)");
    request.strDefaultSuffix = QStringLiteral("tsrp");
    // Save As suggests the project's name, or its domain's for a project without a file.
    QString name;
    if (bSave) {
        name = m_project.GetPath() == CProject::kNoFileMarker
                   ? QUrl(FromBytes(m_project.GetDomain())).host()
                   : FromBytes(m_project.GetTitle());
    }
    request.strStart =
        StartPath(m_project.GetPath(), name.isEmpty() ? name : name + QStringLiteral(".tsrp"));
    return m_hooks.chooseFile(&m_frame, request);
}

QString CTessarayDoc::ErrorText(const SProjectError& error) {
    const QString path = QDir::toNativeSeparators(FromPath(error.detail.strPath));
    switch (error.eCode) {
    case EProjectError::None:
        break;
    case EProjectError::NotReady:
        return tr("The project has no domain or no partner URL.");
    case EProjectError::NoFolder:
        return tr("%1 names no folder.").arg(path);
    case EProjectError::FolderMissing:
        return tr("The folder of %1 does not exist.").arg(path);
    case EProjectError::CannotRead:
        return tr("%1 cannot be read (%2).").arg(path, ReadReasonText(error.detail.strDetail));
    case EProjectError::FileMissing:
        return tr("The file %1 does not exist.").arg(path);
    case EProjectError::NotAProject:
        return tr("%1 is not a Tessaray project.").arg(path);
    case EProjectError::WriteFailed:
        return tr("%1 could not be written.").arg(path) + QLatin1Char('\n') +
               FromBytes(error.detail.strDetail);
    }
    return {};
}

void CTessarayDoc::ShowError(const QString& text) {
    m_hooks.messageBox(&m_frame, QMessageBox::Warning, text, QMessageBox::Ok);
}

void CTessarayDoc::AddToRecentFileList(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kMaxRecentFiles) {
        m_recentFiles.removeLast();
    }
    SaveRecentFileList();
    m_frame.SetRecentFiles(m_recentFiles);
}

void CTessarayDoc::LoadRecentFileList() {
    const QSettings settings = ProgramSettings();
    m_recentFiles.clear();
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString path = settings.value(RecentFileKey(i)).toString();
        if (!path.isEmpty()) {
            m_recentFiles.append(path);
        }
    }
    m_frame.SetRecentFiles(m_recentFiles);
}

void CTessarayDoc::SaveRecentFileList() {
    QSettings settings = ProgramSettings();
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString key = RecentFileKey(i);
        if (i <= m_recentFiles.size()) {
            settings.setValue(key, m_recentFiles.at(i - 1));
        } else {
            settings.remove(key);
        }
    }
}

} // namespace tessaray
