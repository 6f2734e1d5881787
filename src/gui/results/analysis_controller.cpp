#include "gui/results/analysis_controller.h"

#include "core/alert/alert.h"
#include "core/alert/alert_delivery.h"
#include "core/history/history_db.h"
#include "core/history/run_changes.h"
#include "core/partner/verdict.h"
#include "core/project/project.h"
#include "core/render/browser_renderer.h"
#include "core/run/run_progress.h"
#include "core/util/file_util.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/analysis_options_dlg.h"
#include "gui/results/history_dialog.h"
#include "gui/results/result_model.h"
#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>

namespace tessaray {

namespace {

// The answer of the user to a server's request for credentials, handed from the window's thread
// to the fetching thread.
struct SCredentialsAnswer {
    std::mutex mutex;
    std::condition_variable done;
    bool bDone = false;
    bool bGiven = false;
    std::string strUser;
    std::string strPassword;
};

// The answers of one analysis run, by origin: each site is asked once per run, and its answer
// goes to it only.
struct SRunCredentials {
    struct SAnswer {
        bool bGiven = false;
        std::string strUser;
        std::string strPassword;
    };
    std::mutex mutex;
    std::map<std::string, SAnswer> answers;
};

// Called on the fetching thread when a server answers 401: asks the user in the window's thread
// and waits for the answer. It gives up (refuses) as soon as open turns false, so that the run's
// owner can always end the transfers.
bool AskCredentials(CCommandFrame* frame, const SUiHooks* hooks,
                    const std::shared_ptr<std::atomic<bool>>& open, SRunCredentials& remembered,
                    const SAuthChallenge& challenge, std::string& user, std::string& password) {
    {
        const std::lock_guard lock(remembered.mutex);
        if (const auto found = remembered.answers.find(challenge.strOrigin);
            found != remembered.answers.end()) {
            user = found->second.strUser;
            password = found->second.strPassword;
            return found->second.bGiven;
        }
    }
    auto answer = std::make_shared<SCredentialsAnswer>();
    QMetaObject::invokeMethod(
        frame,
        [frame, hooks, open, answer, origin = challenge.strOrigin, realm = challenge.strRealm,
         bPlain = challenge.bPlainBasic] {
            QString qUser;
            QString qPassword;
            const bool bGiven =
                open->load() && hooks->askCredentials(frame, FromBytes(origin), FromBytes(realm),
                                                      bPlain, qUser, qPassword);
            const std::lock_guard lock(answer->mutex);
            answer->bGiven = bGiven;
            answer->strUser = ToBytes(qUser);
            answer->strPassword = ToBytes(qPassword);
            answer->bDone = true;
            answer->done.notify_one();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(answer->mutex);
    while (!answer->bDone) {
        if (!open->load()) {
            return false;
        }
        answer->done.wait_for(lock, std::chrono::milliseconds(100));
    }
    user = answer->strUser;
    password = answer->strPassword;
    const std::lock_guard rememberLock(remembered.mutex);
    remembered.answers[challenge.strOrigin] = {answer->bGiven, user, password};
    return answer->bGiven;
}

} // namespace

// The output log of the run: the main frame's output bar. Once muted (the window is going), the
// run's last words are dropped.
class CAnalysisController::COutputLog final : public IOutputLog {
public:
    explicit COutputLog(CCommandFrame& frame) : m_frame(frame) {}
    void Mute() { m_bMuted = true; }
    void Clear() override {
        if (!m_bMuted) {
            m_frame.ClearOutput();
        }
    }
    void AddLine(const std::string& text) override {
        if (!m_bMuted) {
            m_frame.AddOutputLine(text);
        }
    }
    void AppendToLastLine(const std::string& text) override {
        if (!m_bMuted) {
            m_frame.AppendToLastOutputLine(text);
        }
    }

private:
    CCommandFrame& m_frame;
    bool m_bMuted = false;
};

CAnalysisController::CAnalysisController(const SViewSetup& setup, CCommandFrame& frame,
                                         CTessarayDoc& doc, CResultTable& table,
                                         CResultModel& model)
    : m_setup(setup), m_frame(frame), m_doc(doc), m_table(table), m_model(model),
      m_log(std::make_unique<COutputLog>(frame)),
      m_run(std::make_unique<CAnalysisRun>(doc.Project(), table, *m_log, setup.traceLog)) {
    SOutputWords words{ToBytes(tr("analyzing ready")),
                       ToBytes(tr("loading")),
                       ToBytes(tr("analyzing")),
                       ToBytes(tr("ready")),
                       ToBytes(tr("The page cannot be fetched; the analysis ends.")),
                       ToBytes(tr("Fetching up to %1 pages at a time, at most %2 per site"))};
    words.strConfirmed = ToBytes(tr("confirmed"));
    words.strRenderFailed = ToBytes(tr("Pages are not rendered: %1"));
    m_run->SetOutputWords(std::move(words));
    m_run->SetTrace(m_setup.bTrace, m_setup.strVersion);
    m_run->SetLanguage(m_setup.chLanguage);
    m_run->SetSaveCommand([this] {
        // A project never saved goes through Save As: the user learns why first.
        if (m_doc.Project().GetPath() == CProject::kNoFileMarker &&
            m_setup.hooks.messageBox(&m_frame, QMessageBox::Information,
                                     tr("The project is saved before its analysis, so that each "
                                        "run is kept in its history. Choose a name and a folder "
                                        "for the project."),
                                     QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
            return;
        }
        m_frame.SendCommand(ID_FILE_SAVE);
    });
    // Called on a fetching thread: the message crosses into the window through a queued call on
    // this controller, which outlives every fetch (its destructor cancels the run). The window is
    // touched only on its own thread, never while it is being destroyed.
    m_run->SetPostCallback([this](unsigned message, int /*result*/) {
        QMetaObject::invokeMethod(
            this, [this, message] { m_frame.PostPrivateMessage(static_cast<int>(message)); },
            Qt::QueuedConnection);
    });

    m_progressTick.setInterval(1000);
    connect(&m_progressTick, &QTimer::timeout, this, [this] {
        if (m_run->IsRunning()) {
            UpdateProgressBar();
        }
    });

    auto* progress = new QProgressBar(frame.statusBar());
    progress->setObjectName(QStringLiteral("AnalysisProgress"));
    progress->setMaximumWidth(progress->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
    progress->hide();
    // Left of the lock-key panes, beside the message pane with "Analysing partner n of N".
    frame.statusBar()->insertPermanentWidget(0, progress);
    m_progress = progress;
}

CAnalysisController::~CAnalysisController() {
    // The window is going: its output pane takes no more lines.
    m_log->Mute();
    delete m_changesNotice.data();
    CloseCredentials();
    m_run->Cancel();
}

void CAnalysisController::ConnectCommands() {
    m_frame.SetCommandHandler(
        ID_ANALYSIS_START, [this] { OnAnalysisStart(); },
        [this] { return !m_run->IsRunning() && m_doc.Project().IsReady(); });
    m_frame.SetCommandHandler(
        ID_ANALYSIS_STOP, [this] { OnAnalysisStop(); }, [this] { return m_run->IsRunning(); });
    m_frame.SetCommandHandler(ID_PAGE_FETCHED, [this] { OnPageFetched(); });
    m_frame.SetCommandHandler(ID_RANK_FETCHED, [this] { m_run->RankFetched(); });
    m_frame.SetCommandHandler(ID_ANALYSIS_OPTIONS, [this] { OnAnalysisOptions(); });
}

void CAnalysisController::CloseCredentials() {
    if (m_pCredentialsOpen) {
        m_pCredentialsOpen->store(false);
    }
}

void CAnalysisController::CancelRun() {
    if (!m_run->IsRunning()) {
        return;
    }
    m_bRecordPending = false;
    CloseCredentials();
    m_run->Cancel();
    if (m_progress) {
        m_progress->hide();
    }
    m_frame.SetStatusMessage({});
    m_frame.RequestCommandUiUpdate();
}

const CRunVerdicts* CAnalysisController::ShownVerdicts() const {
    return m_bStoredRun ? &m_storedVerdicts : RunVerdicts();
}

const CRunVerdicts* CAnalysisController::RunVerdicts() const {
    return m_bRowsOfARun ? &m_run->GetVerdicts() : nullptr;
}

bool CAnalysisController::ShowLastStoredRun() {
    const std::string& projectPath = m_doc.Project().GetPath();
    if (m_run->IsRunning() || projectPath == CProject::kNoFileMarker ||
        !FileExists(HistoryPathOf(projectPath))) {
        return false;
    }
    CHistoryDb history;
    if (!history.Open(HistoryPathOf(projectPath), false)) {
        return false;
    }
    const CRunListResult listed = history.ListRuns();
    if (!listed || listed.Value().empty()) {
        return false;
    }
    const std::int64_t newest = listed.Value().back().nId;
    const CReadRunResult read = history.ReadRun(newest);
    if (!read) {
        return false;
    }
    const SStoredRun& run = read.Value();
    FillFromStoredRun(run, m_table, m_storedVerdicts);
    m_bRowsOfARun = false;
    m_bStoredRun = true;
    m_model.VerdictsChanged();
    std::map<SRowKey, EChangeClass> changes;
    if (const std::int64_t previous = history.PreviousCompleted(newest); previous != 0) {
        if (const CReadRunResult older = history.ReadRun(previous); older) {
            changes = ChangesByRow(run, CompareRuns(older.Value(), run));
        }
    }
    m_model.SetRowChanges(std::move(changes));
    m_frame.SetStatusMessage(
        tr("Last run, %1: %2")
            .arg(LocalTime(run.info.strFinished),
                 FromBytes(SummaryText(run.info.summary, m_setup.chLanguage))));
    m_frame.RequestCommandUiUpdate();
    return true;
}

QString CAnalysisController::SetUpRendering(const SFetchWindow& window,
                                            const std::string& userAgent) {
    const ERenderMode eMode = m_doc.Project().GetRenderMode();
    const std::string browser = eMode == ERenderMode::Off ? std::string() : FindBrowser();
    if (eMode != ERenderMode::Off && browser.empty()) {
        // Without a browser nothing is rendered: Automatic says so once, Always at every run.
        m_run->SetRenderer(ERenderMode::Off, nullptr);
        const bool bTell = eMode == ERenderMode::Always || !m_bToldNoBrowser;
        m_bToldNoBrowser = true;
        return bTell ? tr("No browser is installed: pages are not rendered (install Chromium).")
                     : QString();
    }
    // The browser's tabs keep to the run's limit per site; the run starts it for its first page
    // to render and ends it with the run.
    SRenderSettings settings;
    settings.strBrowser = browser;
    settings.nPerSite = window.nPerSite;
    settings.strUserAgent = userAgent;
    m_run->SetRenderer(eMode, BrowserRendererFactory(std::move(settings)));
    return {};
}

void CAnalysisController::OnAnalysisStart() {
    // A server that wants a log-in asks the user through a dialog; answers hold for this run.
    CloseCredentials();
    m_pCredentialsOpen = std::make_shared<std::atomic<bool>>(true);
    CCommandFrame* frame = &m_frame;
    auto remembered = std::make_shared<SRunCredentials>();
    m_run->SetAuthCallback(
        [frame, hooks = &m_setup.hooks, open = m_pCredentialsOpen,
         remembered](const SAuthChallenge& challenge, std::string& user, std::string& password) {
            return AskCredentials(frame, hooks, open, *remembered, challenge, user, password);
        });
    const SFetchWindow window = LoadFetchWindow();
    m_run->SetFetchWindow(window);
    CFetchSettings fetchSettings;
    fetchSettings.m_strUserAgent = LoadUserAgent();
    m_strRenderNote = SetUpRendering(window, fetchSettings.m_strUserAgent);
    m_run->SetFetchSettings(fetchSettings);
    m_run->SetAsGooglebot(LoadAsGooglebot());
    // A partner worse than in the last completed run is fetched once more before it is believed.
    const std::chrono::seconds confirmDelay = LoadConfirmDelay();
    const std::optional<SStoredRun> previous =
        m_doc.Project().GetPath().empty() || confirmDelay.count() == 0
            ? std::nullopt
            : ReadLastCompletedRun(m_doc.Project().GetPath());
    m_run->SetConfirmation(confirmDelay,
                           previous ? WorseThanCheck(*previous) : CAnalysisRun::ConfirmCheck());
    if (m_run->Start()) {
        m_bRowsOfARun = true;
        m_bStoredRun = false;
        m_bRecordPending = true;
        m_runClock.start();
        m_sinceDone.start();
        m_nLastDone = 0;
        m_model.SetRowChanges({});
        if (m_changesNotice) {
            m_changesNotice->close(); // it spoke of the run before
        }
        emit RunStarted();
    }
    ShowProgress();
}

void CAnalysisController::OnAnalysisStop() {
    m_run->Stop();
    ShowProgress();
}

void CAnalysisController::OnPageFetched() {
    const bool wasRunning = m_run->IsRunning();
    m_run->PageFetched();
    m_model.VerdictsChanged();
    // The verdicts' summary ends the output log of a run.
    const CRunVerdicts& verdicts = m_run->GetVerdicts();
    const bool bEnded = wasRunning && !m_run->IsRunning();
    if (bEnded && (verdicts.Summary().nPartners > 0 || verdicts.IsStopped())) {
        m_frame.AddOutputLine(SummaryText(verdicts, m_setup.chLanguage));
        // With the user's link pages: how many partners take without giving.
        if (verdicts.Summary().bReciprocity) {
            m_frame.AddOutputLine(
                TakeWithoutGivingText(verdicts.Summary().nOneSided, m_setup.chLanguage));
        }
    }
    // Why no page was rendered, under the run's lines (which it would break into).
    if (bEnded && !m_strRenderNote.isEmpty()) {
        m_frame.AddOutputLine(ToBytes(m_strRenderNote));
        m_strRenderNote.clear();
    }
    ShowProgress();
    // Not one page arrived: more likely the connection than every partner.
    const auto& summary = verdicts.Summary();
    if (bEnded && !verdicts.IsStopped() && summary.nPartners > 0 &&
        summary.nUnreachable == summary.nPartners) {
        m_setup.hooks.messageBox(
            &m_frame, QMessageBox::Warning,
            tr("No partner page could be reached. Check your connection or proxy."),
            QMessageBox::Ok);
    }
}

void CAnalysisController::OnAnalysisOptions() {
    CAnalysisOptionsDlg dlg(&m_frame);
    dlg.SetWindow(LoadFetchWindow());
    dlg.SetUserAgent(LoadUserAgent());
    dlg.SetAsGooglebot(LoadAsGooglebot());
    if (dlg.exec() == QDialog::Accepted) {
        SaveFetchWindow(dlg.GetWindow());
        SaveUserAgent(dlg.GetUserAgent());
        SaveAsGooglebot(dlg.GetAsGooglebot());
    }
}

void CAnalysisController::RecordEndedRun() {
    if (!m_bRecordPending || m_run->IsRunning()) {
        return;
    }
    m_bRecordPending = false;
    const std::string& projectPath = m_doc.Project().GetPath();
    if (projectPath.empty()) {
        return;
    }
    const std::string settings = RunSettingsJson({.strDomain = m_doc.Project().GetDomain(),
                                                  .strLanguage = std::string(1, m_setup.chLanguage),
                                                  .strProgram = "tessaray"});
    const SStoredRun run = MakeStoredRun(m_table, m_run->GetVerdicts(),
                                         m_run->GetRunEnd() == ERunEnd::Completed, settings);
    const SHistoryRecord record = RecordRun(projectPath, run);
    std::map<SRowKey, EChangeClass> changes = ChangesByRow(run, record.changes);
    const auto lostOrWorse = std::count_if(changes.begin(), changes.end(), [](const auto& change) {
        return change.second == EChangeClass::Lost || change.second == EChangeClass::Worse;
    });
    m_model.SetRowChanges(std::move(changes));
    if (lostOrWorse > 0) {
        ShowChangesNotice(static_cast<int>(lostOrWorse));
    }
    if (!record.strError.empty() && !m_bHistoryErrorShown) {
        m_bHistoryErrorShown = true;
        m_frame.AddOutputLine(
            ToBytes(tr("The run history %1 cannot be used (%2); the analysis is not affected.")
                        .arg(FromPath(HistoryPathOf(projectPath)), FromBytes(record.strError))));
    }
    ShowAlertNotice(record, run.info);
}

void CAnalysisController::ShowAlertNotice(const SHistoryRecord& record, const SRunInfo& newer) {
    const CProject& project = m_doc.Project();
    const std::vector<SRunChange> changes = AlertChanges(record);
    if (changes.empty() || !project.GetAlertSettings().bDesktopNotice) {
        return;
    }
    SRunInfo stored = newer;
    stored.nId = record.nRunId;
    const SDelivery shown = ShowDesktopNotice(
        MakeAlert(changes, record.previous, stored, project.GetDomain(), m_setup.chLanguage),
        m_setup.chLanguage, nullptr);
    if (!shown.bOk) {
        m_frame.AddOutputLine(ToBytes(
            tr("The desktop notice could not be shown: %1").arg(FromBytes(shown.strMessage))));
    }
    RecordDeliveries(project.GetPath(), record.nRunId, {shown});
}

void CAnalysisController::ShowChangesNotice(int nLostOrWorse) {
    delete m_changesNotice.data();
    auto* notice = new QMessageBox(
        QMessageBox::Information, tr("Changes since the last run"),
        tr("Links lost or verdicts worse since the previous run: %1").arg(nLostOrWorse),
        QMessageBox::Close, &m_frame);
    notice->setObjectName(QStringLiteral("ChangesNotice"));
    notice->setWindowModality(Qt::NonModal);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* show = notice->addButton(tr("&Show changes"), QMessageBox::AcceptRole);
    show->setObjectName(QStringLiteral("showChanges"));
    // The History dialog opens once the notice has closed.
    connect(
        show, &QPushButton::clicked, this, [this] { m_frame.SendCommand(ID_HISTORY_CHANGES); },
        Qt::QueuedConnection);
    m_changesNotice = notice;
    notice->show();
}

QString CAnalysisController::ProgressText(int nDone, int nCount, int nWaiting,
                                          std::chrono::milliseconds elapsed,
                                          std::chrono::milliseconds sinceDone) {
    using namespace std::chrono_literals;
    if (nDone > 0 && nWaiting > 0 &&
        sinceDone > std::max<std::chrono::milliseconds>(5s, 3 * elapsed / nDone)) {
        return tr("%1 of %2 partners, waiting for %n slow page(s)", nullptr, nWaiting)
            .arg(nDone)
            .arg(nCount);
    }
    const auto left = EstimateTimeLeft(elapsed, nDone, nCount);
    if (!left) {
        return tr("%1 of %2 partners").arg(nDone).arg(nCount);
    }
    // Whole seconds rounded up, so the last seconds do not read "0:00".
    return tr("%1 of %2 partners, about %3 left")
        .arg(nDone)
        .arg(nCount)
        .arg(FromBytes(FormatDuration(*left + std::chrono::milliseconds(999))));
}

void CAnalysisController::UpdateProgressBar() {
    if (!m_progress) {
        return;
    }
    const int done = m_run->GetPartnersDone();
    if (done != m_nLastDone) {
        m_nLastDone = done;
        m_sinceDone.start();
    }
    const int count = m_run->GetPartnerCount();
    m_progress->setRange(0, count);
    m_progress->setValue(done);
    m_progress->setFormat(ProgressText(done, count, m_run->GetFetchesInFlight(),
                                       std::chrono::milliseconds(m_runClock.elapsed()),
                                       std::chrono::milliseconds(m_sinceDone.elapsed())));
}

void CAnalysisController::ShowProgress() {
    RecordEndedRun();
    const bool running = m_run->IsRunning();
    if (m_progress) {
        m_progress->setVisible(running);
    }
    if (!running) {
        m_progressTick.stop();
    } else if (!m_progressTick.isActive()) {
        m_progressTick.start();
    }
    if (!running) {
        // After a run the status bar keeps its summary.
        const CRunVerdicts* verdicts = ShownVerdicts();
        const bool summary =
            verdicts != nullptr && (verdicts->Summary().nPartners > 0 || verdicts->IsStopped());
        m_frame.SetStatusMessage(summary ? FromBytes(SummaryText(*verdicts, m_setup.chLanguage))
                                         : QString());
        m_frame.RequestCommandUiUpdate();
        return;
    }
    const int number = m_run->GetPartnerNumber();
    const int count = m_run->GetPartnerCount();
    m_frame.SetStatusMessage((m_run->IsStopRequested() ? tr("Stopping after partner %1 of %2 ...")
                                                       : tr("Analysing partner %1 of %2 ..."))
                                 .arg(number)
                                 .arg(count));
    UpdateProgressBar();
    emit PartnerInTurn();
    m_frame.RequestCommandUiUpdate();
}

} // namespace tessaray
