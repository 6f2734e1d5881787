#pragma once

#include "core/analysis/analysis_run.h"
#include "core/results/result_table.h"
#include "gui/results/report_commands.h"

#include <QTableView>

#include <atomic>
#include <memory>
#include <string>

class QMenu;

namespace tessaray {

class CCommandFrame;
class CResultModel;
class CTessarayDoc;
class CTraceLog;
struct SUiHooks;

// What the view takes from the application; all of it is known before the view is made.
struct SViewSetup {
    const SUiHooks& hooks;
    CTraceLog& traceLog;
    bool bTrace = false;
    std::string strVersion;
    std::string strInstallDir;
    char chLanguage = 'E'; // the language of the column titles
};

// The results view: the eighteen-column table of the open project and the verdict column, the
// analysis run that fills them, header-click sorting and the right-click menu. The report exports
// are CReportCommands.
class CTessarayView final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTessarayView)

public:
    CTessarayView(SViewSetup setup, CCommandFrame& frame, CTessarayDoc& doc);
    ~CTessarayView() override;

    // Registers the view's commands with the frame.
    void ConnectCommands();
    // Sets up the columns in the language of the moment (first call only), ends a run of the
    // previous project and shows the project's partner list.
    void OnInitialUpdate();
    // Shows the project's partner entries as rows (with the domain in "Your URL" when
    // bShowDomain); an incomplete project leaves rows and output log as they are.
    void FillList(bool bShowDomain);
    // Sorts by column nCol as a header click does: ascending for a new column, reversed for the
    // column sorted last.
    void SortByHeaderClick(int nCol);

    CResultTable& Table() { return m_table; }
    const CAnalysisRun& Run() const { return *m_run; }
    bool IsRunning() const { return m_run->IsRunning(); }
    bool CanExport() const;

    // The right-click menu for the rows selected now: nullptr when no menu applies. The caller
    // owns the menu.
    QMenu* CreateContextMenu();
    const std::string& ContextUrl() const { return m_strContextUrl; }

    // The commands.
    void OnAnalysisStart();
    void OnAnalysisStop();
    void OnPageFetched();
    void OnOpenUrl();
    void OnEditCopy();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class COutputLog;

    // Makes a new run; a previous one ends and its fetch job is joined.
    void CreateRun();
    void EndRunningAnalysis();
    void DeleteRun();
    void ShowProgress();
    // Once the run has ended, stores it in the project's history; a history that cannot be
    // used is told once in the output pane.
    void RecordEndedRun();
    // The verdicts of the rows shown: those of the last run, none for a partner list.
    const CRunVerdicts* ShownVerdicts() const;

    SViewSetup m_setup;
    CCommandFrame& m_frame;
    CTessarayDoc& m_doc;
    CResultTable m_table;
    CResultModel* m_model = nullptr;
    std::unique_ptr<COutputLog> m_log;
    std::unique_ptr<CAnalysisRun> m_run;
    CReportCommands m_reports;
    // True while the run's fetch jobs may ask the user for credentials; cleared before the run
    // goes, so a worker waiting for an answer gives up and its job can be joined.
    std::shared_ptr<std::atomic<bool>> m_pCredentialsOpen;
    bool m_bColumnsSet = false;
    bool m_bRowsOfARun = false; // the rows are an analysis's, not the partner list
    // A run was started and is not yet stored in the history.
    bool m_bRecordPending = false;
    bool m_bHistoryErrorShown = false;
    std::string m_strContextUrl;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};

} // namespace tessaray
