// The document's New project and Edit project commands: both run the project editor and rebuild
// the project from what it hands back.
#include "gui/project/edit_project_dlg.h"
#include "gui/project/tessaray_doc.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <map>
#include <string>

namespace tessaray {

namespace {

// Takes over what the editor says of the link exchange: its agreements replace the project's (an
// agreement of a partner no longer listed goes with it), then the link pages and the render mode.
void TakeExchangeSettings(CProject& project, const CEditProjectDlg& dialog) {
    const std::map<std::string, SAgreement> old = project.GetAgreements();
    for (const auto& [partner, agreement] : old) {
        if (!dialog.ResultAgreements().contains(partner)) {
            project.SetAgreement(partner, {});
        }
    }
    for (const auto& [partner, agreement] : dialog.ResultAgreements()) {
        project.SetAgreement(partner, agreement);
    }
    project.SetMyLinkPages(dialog.ResultMyLinkPages());
    project.SetRenderMode(dialog.GetRenderMode());
}

} // namespace

void CTessarayDoc::OnNewProject() {
    CEditProjectDlg dialog(m_hooks, &m_frame);

    // A changed project is offered for saving, always through the file dialog. A project that is
    // not ready cannot be written, so it is not offered.
    if ((m_bModified || m_project.IsModified()) && m_project.IsReady() &&
        m_hooks.messageBox(&m_frame, QMessageBox::Question, SaveChangesQuestion(),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        OnFileSaveAs();
    }

    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_project.StartNew(dialog.GetDomain());
    for (const std::string& entry : dialog.ResultEntries().Entries()) {
        m_project.AddPartnerUrl(entry);
    }
    m_project.SetExternalLinks(dialog.ExternalLinks());
    m_project.SetPageRankOption(dialog.GetPageRankOption());
    m_project.SetAlertSettings(dialog.GetAlertSettings());
    TakeExchangeSettings(m_project, dialog);
    if (m_project.IsReady()) {
        SetModifiedFlag(m_project.IsModified());
        SetTitleFromProject();
        m_frame.SendCommand(ID_REFILL_TABLE);
        // The summary of the project before does not speak of this one.
        m_frame.SetStatusMessage({});
    }
}

void CTessarayDoc::OnEditProject() {
    CEditProjectDlg dialog(m_hooks, &m_frame);
    dialog.SetDomain(m_project.GetDomain());
    CLineList entries;
    m_project.CopyPartnersTo(entries);
    dialog.SetInputEntries(entries);
    m_project.CopyExternalLinksTo(dialog.ExternalLinks());
    dialog.SetPageRankOption(m_project.GetPageRankOption());
    dialog.SetAlertSettings(m_project.GetAlertSettings());
    dialog.SetAgreements(m_project.GetAgreements());
    dialog.SetMyLinkPages(m_project.GetMyLinkPages());
    dialog.SetRenderMode(m_project.GetRenderMode());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }

    m_project.SetPageRankOption(dialog.GetPageRankOption());
    m_project.SetDomain(dialog.GetDomain());
    m_project.ClearPartnerUrls();
    for (const std::string& entry : dialog.ResultEntries().Entries()) {
        m_project.AddPartnerUrl(entry);
    }
    m_project.SetExternalLinks(dialog.ExternalLinks());
    m_project.SetAlertSettings(dialog.GetAlertSettings());
    TakeExchangeSettings(m_project, dialog);
    if (m_project.IsReady()) {
        m_frame.SendCommand(ID_REFILL_TABLE);
    }
    SetModifiedFlag(m_project.IsModified());
}

} // namespace tessaray
