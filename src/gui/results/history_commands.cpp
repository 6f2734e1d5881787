#include "gui/results/history_commands.h"

#include "core/history/history_db.h"
#include "core/history/run_changes.h"
#include "core/util/file_util.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/history_dialog.h"
#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <QDir>
#include <QFileInfo>

#include <sstream>

namespace tessaray {

CHistoryCommands::CHistoryCommands(CCommandFrame& frame, const SUiHooks& hooks,
                                   const CTessarayDoc& doc, char chLanguage,
                                   std::function<bool()> isIdle)
    : m_frame(frame), m_hooks(hooks), m_doc(doc), m_chLanguage(chLanguage),
      m_isIdle(std::move(isIdle)) {}

void CHistoryCommands::ConnectCommands() {
    const auto canUse = [this] { return CanUse(); };
    m_frame.SetCommandHandler(
        ID_HISTORY, [this] { OnHistory(); }, canUse);
    m_frame.SetCommandHandler(
        ID_HISTORY_CHANGES, [this] { OnHistory(true); }, canUse);
    m_frame.SetCommandHandler(
        ID_SAVE_CHANGES_CSV, [this] { OnSaveChanges(false); }, canUse);
    m_frame.SetCommandHandler(
        ID_SAVE_CHANGES_JSON, [this] { OnSaveChanges(true); }, canUse);
}

bool CHistoryCommands::CanUse() const {
    const std::string& path = m_doc.Project().GetPath();
    return !path.empty() && m_isIdle() && FileExists(HistoryPathOf(path));
}

void CHistoryCommands::OnHistory(bool bLatestChanges) {
    const std::string path = HistoryPathOf(m_doc.Project().GetPath());
    CHistoryDialog dialog(&m_frame, m_chLanguage);
    if (const CHistoryResult loaded = dialog.Load(path); !loaded) {
        ShowReadFailure(path, loaded.GetError().detail);
        return;
    }
    if (bLatestChanges) {
        dialog.ShowLatestChanges();
    }
    dialog.exec();
}

void CHistoryCommands::OnSaveChanges(bool bJson) {
    const std::string path = HistoryPathOf(m_doc.Project().GetPath());
    CHistoryDb history;
    if (const CHistoryResult opened = history.Open(path, false); !opened) {
        ShowReadFailure(path, opened.GetError().detail);
        return;
    }
    const CRunListResult listed = history.ListRuns();
    if (!listed) {
        ShowReadFailure(path, listed.GetError().detail);
        return;
    }
    const std::vector<SRunInfo>& runs = listed.Value();
    if (runs.size() < 2) {
        ShowMessage(tr("The history holds only one run: there is nothing to compare it with."));
        return;
    }
    // The last run against the one before it.
    const CReadRunResult older = history.ReadRun(runs[runs.size() - 2].nId);
    if (!older) {
        ShowReadFailure(path, older.GetError().detail);
        return;
    }
    const CReadRunResult newer = history.ReadRun(runs.back().nId);
    if (!newer) {
        ShowReadFailure(path, newer.GetError().detail);
        return;
    }

    SFileRequest request;
    request.bSave = true;
    request.strFilter =
        bJson ? QStringLiteral("JSON File (*.json)") : QStringLiteral("csv Table (*.csv)");
    request.strDefaultSuffix = bJson ? QStringLiteral("json") : QStringLiteral("csv");
    const std::string& projectPath = m_doc.Project().GetPath();
    request.strStart =
        StartPath(projectPath, QFileInfo(FromPath(projectPath)).completeBaseName() +
                                   QStringLiteral("-changes.") + request.strDefaultSuffix);
    const QString chosen = m_hooks.chooseFile(&m_frame, request);
    if (chosen.isEmpty()) {
        return;
    }
    const std::vector<SRunChange> changes = CompareRuns(older.Value(), newer.Value());
    std::ostringstream text;
    if (bJson) {
        WriteChangesJson(text, older.Value().info, newer.Value().info, changes);
    } else {
        WriteChangesCsv(text, changes, m_chLanguage);
    }
    if (!WriteStringToFile(ToPath(chosen), text.str())) {
        ShowMessage(
            tr("The changes could not be written to %1.").arg(QDir::toNativeSeparators(chosen)));
    }
}

void CHistoryCommands::ShowReadFailure(const std::string& path, const std::string& error) {
    ShowMessage(tr("The run history %1 cannot be read: %2")
                    .arg(QDir::toNativeSeparators(FromPath(path)), FromBytes(error)));
}

void CHistoryCommands::ShowMessage(const QString& text) {
    m_hooks.messageBox(&m_frame, QMessageBox::Warning, text, QMessageBox::Ok);
}

} // namespace tessaray
