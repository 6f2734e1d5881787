#pragma once

#include "core/run/analysis_run.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QTimer>

class QMessageBox;

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

namespace tessaray {

class CCommandFrame;
class CResultModel;
class CResultTable;
class CTessarayDoc;
class CTraceLog;
struct SHistoryRecord;
struct SRunInfo;
struct SUiHooks;

// What the results view and its analysis take from the application; all of it is known before
// the view is made.
struct SViewSetup {
    const SUiHooks& hooks;
    CTraceLog& traceLog;
    bool bTrace = false;
    std::string strVersion;
    std::string strInstallDir;
    char chLanguage = 'E'; // the language of the column titles
};

// The analysis of the open project in the desktop program: starts, stops and cancels runs, hands
// the run's completions and credential requests over to the window's thread, shows the progress
// in the status bar (text and progress bar) and stores every ended run in the project's history.
// The results view shows the table the run fills.
class CAnalysisController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAnalysisController)

public:
    // The run writes table, whose changes model shows; both must outlive the controller.
    CAnalysisController(const SViewSetup& setup, CCommandFrame& frame, CTessarayDoc& doc,
                        CResultTable& table, CResultModel& model);
    // Cancels a running analysis without recording it.
    ~CAnalysisController() override;

    // Registers the analysis commands with the frame.
    void ConnectCommands();

    const CAnalysisRun& Run() const { return *m_run; }
    bool IsRunning() const { return m_run->IsRunning(); }
    // Ends a running analysis at once, every transfer cancelled (the project changed or another
    // one was opened). It is not stored in the history: its rows are about to be replaced.
    void CancelRun();
    // The rows now show the project's partner list, which has no verdicts.
    void PartnerListShown() {
        m_bRowsOfARun = false;
        m_bStoredRun = false;
    }
    // Shows the newest run of the project's history, its verdicts and what changed against the
    // completed run before it; false (and the rows as they are) when there is none to read.
    bool ShowLastStoredRun();
    // The verdicts of the rows shown: those of the last run (of this session or read back from
    // the history), none for a partner list.
    const CRunVerdicts* ShownVerdicts() const;
    // The verdicts of a run of this session shown now, with the facts behind them; nullptr for a
    // run read back from the history, which keeps verdicts but no facts.
    const CRunVerdicts* RunVerdicts() const;
    // The progress bar in the status bar, shown while a run goes.
    const QProgressBar* ProgressBar() const { return m_progress; }

    // The progress bar's text: partners done of all and, once a few are done, the time left at
    // the pace so far. When no partner has been done for much longer than that pace (elapsed
    // since the start, sinceDone since the last one was done) while nWaiting pages are still
    // being fetched, it says so instead of an estimate that has run out.
    static QString ProgressText(int nDone, int nCount, int nWaiting,
                                std::chrono::milliseconds elapsed,
                                std::chrono::milliseconds sinceDone);

    // The commands.
    void OnAnalysisStart();
    void OnAnalysisStop();
    void OnPageFetched();
    void OnAnalysisOptions();

signals:
    // A run has begun: the rows are cleared and come in partner order.
    void RunStarted();
    // The run moved on to a further partner.
    void PartnerInTurn();

private:
    class COutputLog;

    // Stops the credential requests of the run in progress: a worker waiting for an answer gives
    // up, so every transfer can end.
    void CloseCredentials();
    // Hands the run the project's render mode and the browser that renders pages; without a
    // browser nothing is rendered, and the sentence returned (empty when none) ends the output.
    QString SetUpRendering(const SFetchWindow& window, const std::string& userAgent);
    void ShowProgress();
    void UpdateProgressBar();

    // Once the run has ended, stores it in the project's history; a history that cannot be
    // used is told once in the output pane.
    void RecordEndedRun();
    // After a run whose links got worse, the desktop notice, when the project asks for one.
    void ShowAlertNotice(const SHistoryRecord& record, const SRunInfo& newer);
    // After a run that lost links or got worse verdicts: a notice, not modal, with the count and
    // a way to the changes.
    void ShowChangesNotice(int nLostOrWorse);

    const SViewSetup& m_setup;
    CCommandFrame& m_frame;
    CTessarayDoc& m_doc;
    CResultTable& m_table;
    CResultModel& m_model;
    std::unique_ptr<COutputLog> m_log;
    std::unique_ptr<CAnalysisRun> m_run;
    // True while the run's fetches may ask the user for credentials.
    std::shared_ptr<std::atomic<bool>> m_pCredentialsOpen;
    // The status bar owns the progress bar and may go first when the window closes.
    QPointer<QProgressBar> m_progress;
    QPointer<QMessageBox> m_changesNotice;
    QElapsedTimer m_runClock;
    QElapsedTimer m_sinceDone; // since the last partner was done
    int m_nLastDone = 0;
    // Brings the progress text up to date while no page arrives.
    QTimer m_progressTick;
    bool m_bRowsOfARun = false; // the rows are an analysis's, not the partner list
    bool m_bStoredRun = false;  // the rows are the history's newest run
    CRunVerdicts m_storedVerdicts;
    // A run was started and is not yet stored in the history.
    bool m_bRecordPending = false;
    bool m_bHistoryErrorShown = false;
    bool m_bToldNoBrowser = false; // the output said once that no browser renders pages
    QString m_strRenderNote;       // that sentence, for the end of the run's output
};

} // namespace tessaray
