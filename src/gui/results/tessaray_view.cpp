#include "gui/results/tessaray_view.h"
#include "gui/toolkit/byte_text.h"

#include "core/history/run_changes.h"
#include "core/project/project.h"
#include "core/results/json_report.h"
#include "core/results/verdict.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/result_model.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

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

// Called on a fetch job's worker thread when a server answers 401: asks the user in the window's
// thread and waits for the answer. It gives up (refuses) as soon as open turns false, so that the
// job's owner can always join the worker.
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

// The output log of the run: the main frame's output bar.
class CTessarayView::COutputLog final : public IOutputLog {
public:
    explicit COutputLog(CCommandFrame& frame) : m_frame(frame) {}
    void Clear() override { m_frame.ClearOutput(); }
    void AddLine(const std::string& text) override { m_frame.AddOutputLine(text); }
    void AppendToLastLine(const std::string& text) override {
        m_frame.AppendToLastOutputLine(text);
    }

private:
    CCommandFrame& m_frame;
};

CTessarayView::CTessarayView(SViewSetup setup, CCommandFrame& frame, CTessarayDoc& doc)
    : QTableView(&frame), m_setup(std::move(setup)), m_frame(frame), m_doc(doc),
      m_log(std::make_unique<COutputLog>(frame)),
      m_reports(frame, m_setup.hooks, m_table, doc.Project(), m_setup.strInstallDir,
                [this] { return CanExport(); }) {
    setObjectName(QStringLiteral("ResultView"));
    m_model = new CResultModel(m_table, this);
    setModel(m_model);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSortIndicatorShown(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CTessarayView::SortByHeaderClick);
    CreateRun();
    m_model->SetVerdictSource([this] { return ShownVerdicts(); }, m_setup.chLanguage);
    m_reports.SetVerdictSource([this] { return ShownVerdicts(); }, m_setup.chLanguage);
}

CTessarayView::~CTessarayView() {
    // The run (and its fetch job, which joins its worker) ends before the table and the log.
    DeleteRun();
}

void CTessarayView::DeleteRun() {
    // A worker waiting for credentials gives up first, so that the job can join it.
    if (m_pCredentialsOpen) {
        m_pCredentialsOpen->store(false);
    }
    m_run.reset();
}

void CTessarayView::CreateRun() {
    DeleteRun();
    m_bRecordPending = false;
    m_pCredentialsOpen = std::make_shared<std::atomic<bool>>(true);
    m_run = std::make_unique<CAnalysisRun>(m_doc.Project(), m_table, *m_log, m_setup.traceLog);
    m_run->SetOutputWords({ToBytes(tr("analyzing ready")), ToBytes(tr("loading")),
                           ToBytes(tr("analyzing")), ToBytes(tr("ready")),
                           ToBytes(tr("The page cannot be fetched; the analysis ends."))});
    m_run->SetTrace(m_setup.bTrace, m_setup.strVersion);
    m_run->SetLanguage(m_setup.chLanguage);
    m_run->SetSaveCommand([this] { m_frame.SendCommand(ID_FILE_SAVE); });
    // Called on the fetch job's worker thread: only a queued message crosses into the window.
    CCommandFrame* frame = &m_frame;
    m_run->SetPostCallback([frame](unsigned message, int /*result*/) {
        frame->PostPrivateMessage(static_cast<int>(message));
    });
}

void CTessarayView::ConnectCommands() {
    const auto idle = [this] { return !m_run->IsRunning() && m_doc.Project().IsReady(); };
    m_frame.SetCommandHandler(
        ID_ANALYSIS_START, [this] { OnAnalysisStart(); }, idle);
    m_frame.SetCommandHandler(
        ID_ANALYSIS_STOP, [this] { OnAnalysisStop(); }, [this] { return m_run->IsRunning(); });
    m_frame.SetCommandHandler(ID_PAGE_FETCHED, [this] { OnPageFetched(); });
    m_frame.SetCommandHandler(ID_RANK_FETCHED, [this] { m_run->RankFetched(); });
    m_frame.SetCommandHandler(ID_REFILL_TABLE, [this] {
        // The project changed under a running analysis: its rows would no longer match.
        EndRunningAnalysis();
        FillList(true);
    });
    m_frame.SetCommandHandler(ID_OPEN_URL, [this] { OnOpenUrl(); });
    m_frame.SetCommandHandler(ID_EDIT_COPY, [this] { OnEditCopy(); });
    m_reports.ConnectCommands();
}

void CTessarayView::OnInitialUpdate() {
    if (!m_bColumnsSet) {
        m_bColumnsSet = true;
        m_table.SetupColumns(m_setup.chLanguage);
        m_model->ColumnsChanged();
        for (int col = 0; col < kColumnCount; ++col) {
            setColumnWidth(col, m_table.GetColumns()[static_cast<std::size_t>(col)].nWidth);
        }
        setColumnWidth(CResultModel::kVerdictColumn, 120);
        setColumnWidth(CResultModel::kChangeColumn, 90);
    }
    EndRunningAnalysis();
    FillList(true);
}

void CTessarayView::EndRunningAnalysis() {
    // A running analysis ends here; its job is cancelled and joined.
    if (m_run->IsRunning()) {
        CreateRun();
        m_frame.SetStatusMessage({});
    }
}

void CTessarayView::FillList(bool bShowDomain) {
    CLineList entries;
    m_doc.Project().CopyPartnersTo(entries);
    if (m_table.FillList(m_doc.Project().GetDomain(), entries.Entries(), bShowDomain)) {
        m_bRowsOfARun = false;
        m_model->VerdictsChanged();
        m_model->SetRowChanges({});
        m_frame.ClearOutput();
        m_nSortColumn = -1;
        horizontalHeader()->setSortIndicatorShown(false);
    }
    m_frame.RequestCommandUiUpdate();
}

void CTessarayView::SortByHeaderClick(int nCol) {
    // The run writes its results by row index: sorting under it would mix up the partners' rows.
    // The verdicts live beside the table and are not a column it can sort by.
    if (m_run->IsRunning() || nCol < 0 || nCol >= kColumnCount) {
        return;
    }
    m_bSortAscending = nCol == m_nSortColumn ? !m_bSortAscending : true;
    m_nSortColumn = nCol;
    m_table.SortColumn(nCol, m_bSortAscending);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(nCol, m_bSortAscending ? Qt::AscendingOrder
                                                                : Qt::DescendingOrder);
}

bool CTessarayView::CanExport() const {
    return !m_run->IsRunning() && m_table.GetRowCount() > 0;
}

QMenu* CTessarayView::CreateContextMenu() {
    m_strContextUrl.clear();
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows) {
        std::string url;
        if (m_table.GetCellText(row.row(), kColPartnerUrl, url)) {
            m_strContextUrl = url;
        }
    }
    // These menu texts are English in both interface languages.
    if (!m_strContextUrl.empty()) {
        auto* menu = new QMenu(this);
        QAction* open =
            menu->addAction(QStringLiteral("Open Url in browser: ") + FromBytes(m_strContextUrl));
        connect(open, &QAction::triggered, this, [this] { m_frame.SendCommand(ID_OPEN_URL); });
        return menu;
    }
    if (!m_run->IsRunning() && m_table.GetRowCount() > 0) {
        auto* menu = new QMenu(this);
        connect(menu->addAction(QStringLiteral("Open report in Excel")), &QAction::triggered, this,
                [this] { m_frame.SendCommand(ID_OPEN_IN_EXCEL); });
        connect(menu->addAction(QStringLiteral("Open report in html browser")), &QAction::triggered,
                this, [this] { m_frame.SendCommand(ID_OPEN_IN_BROWSER); });
        return menu;
    }
    return nullptr;
}

void CTessarayView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    if (menu == nullptr) {
        return;
    }
    menu->exec(event->globalPos());
    delete menu;
}

void CTessarayView::OnOpenUrl() {
    if (!m_strContextUrl.empty()) {
        OpenOrTell(m_setup.hooks, this, QUrl(FromBytes(m_strContextUrl)));
    }
}

void CTessarayView::OnEditCopy() {
    // The selected rows, in display order, as tab-separated lines: what spreadsheets paste.
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return;
    }
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QString text;
    for (const QModelIndex& row : rows) {
        for (int col = 0; col < kColumnCount; ++col) {
            if (col > 0) {
                text += QLatin1Char('\t');
            }
            QString cell = FromBytes(m_table.GetCellView(row.row(), col));
            cell.replace(QLatin1Char('\t'), QLatin1Char(' '));
            cell.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            cell.replace(QLatin1Char('\n'), QLatin1Char(' '));
            text += cell;
        }
        text += QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}

const CRunVerdicts* CTessarayView::ShownVerdicts() const {
    return m_bRowsOfARun ? &m_run->GetVerdicts() : nullptr;
}

void CTessarayView::OnAnalysisStart() {
    // A server that wants a log-in asks the user through a dialog; answers hold for this run.
    CCommandFrame* frame = &m_frame;
    auto remembered = std::make_shared<SRunCredentials>();
    m_run->SetAuthCallback(
        [frame, hooks = &m_setup.hooks, open = m_pCredentialsOpen,
         remembered](const SAuthChallenge& challenge, std::string& user, std::string& password) {
            return AskCredentials(frame, hooks, open, *remembered, challenge, user, password);
        });
    if (m_run->Start()) {
        m_bRowsOfARun = true;
        m_bRecordPending = true;
        m_model->SetRowChanges({});
        // Sorting is off during the run; the rows come in partner order.
        m_nSortColumn = -1;
        horizontalHeader()->setSortIndicatorShown(false);
    }
    ShowProgress();
}

void CTessarayView::OnAnalysisStop() {
    m_run->Stop();
    ShowProgress();
}

void CTessarayView::OnPageFetched() {
    const bool wasRunning = m_run->IsRunning();
    m_run->PageFetched();
    m_model->VerdictsChanged();
    // The verdicts' summary ends the output log of a run.
    if (wasRunning && !m_run->IsRunning() && m_run->GetVerdicts().Summary().nPartners > 0) {
        m_frame.AddOutputLine(SummaryText(m_run->GetVerdicts().Summary(), m_setup.chLanguage));
    }
    ShowProgress();
}

void CTessarayView::RecordEndedRun() {
    if (!m_bRecordPending || m_run->IsRunning()) {
        return;
    }
    m_bRecordPending = false;
    const std::string& projectPath = m_doc.Project().GetPath();
    if (projectPath.empty()) {
        return;
    }
    const std::string settings = "{\"domain\": " + JsonString(m_doc.Project().GetDomain()) +
                                 ", \"language\": \"" + std::string(1, m_setup.chLanguage) +
                                 "\", \"program\": \"tessaray\"}";
    const SStoredRun run = MakeStoredRun(m_table, m_run->GetVerdicts(),
                                         m_run->GetRunEnd() == ERunEnd::Completed, settings);
    const SHistoryRecord record = RecordRun(projectPath, run);
    m_model->SetRowChanges(ChangesByRowNumber(run, record.changes));
    if (!record.strError.empty() && !m_bHistoryErrorShown) {
        m_bHistoryErrorShown = true;
        m_frame.AddOutputLine(
            ToBytes(tr("The run history %1 cannot be used (%2); the analysis is not affected.")
                        .arg(FromPath(HistoryPathOf(projectPath)), FromBytes(record.strError))));
    }
}

void CTessarayView::ShowProgress() {
    RecordEndedRun();
    if (!m_run->IsRunning()) {
        // After a run the status bar keeps its summary.
        const CRunVerdicts* verdicts = ShownVerdicts();
        const bool summary = verdicts != nullptr && verdicts->Summary().nPartners > 0;
        m_frame.SetStatusMessage(
            summary ? FromBytes(SummaryText(verdicts->Summary(), m_setup.chLanguage)) : QString());
    } else if (m_run->IsStopRequested()) {
        m_frame.SetStatusMessage(tr("Stopping after partner %1 of %2 ...")
                                     .arg(m_run->GetPartnerNumber())
                                     .arg(m_run->GetPartnerCount()));
    } else {
        m_frame.SetStatusMessage(tr("Analysing partner %1 of %2 ...")
                                     .arg(m_run->GetPartnerNumber())
                                     .arg(m_run->GetPartnerCount()));
    }
    m_frame.RequestCommandUiUpdate();
}

} // namespace tessaray
