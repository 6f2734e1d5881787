#include "gui/results/tessaray_view.h"
#include "gui/toolkit/byte_text.h"

#include "core/analysis/fetch_job.h"
#include "core/project/project.h"
#include "core/results/html_report.h"
#include "core/util/file_util.h"
#include "gui/app/command_ids.h"
#include "gui/app/main_frame.h"
#include "gui/app/tessaray_app.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/result_model.h"
#include "gui/toolkit/ui_hooks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tessaray {

namespace {

QString NativePath(const std::string& path) {
    return QDir::toNativeSeparators(QFile::decodeName(path.c_str()));
}

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

// Called on a fetch job's worker thread when a server answers 401: asks the user in the window's
// thread and waits for the answer. It gives up (refuses) as soon as open turns false, so that the
// job's owner can always join the worker.
bool AskCredentials(CMainFrame* frame, const SUiHooks* hooks,
                    const std::shared_ptr<std::atomic<bool>>& open, const std::string& url,
                    const std::string& realm, std::string& user, std::string& password) {
    auto answer = std::make_shared<SCredentialsAnswer>();
    QMetaObject::invokeMethod(
        frame,
        [frame, hooks, open, answer, url, realm] {
            QString qUser;
            QString qPassword;
            const bool bGiven =
                open->load() &&
                hooks->askCredentials(frame, FromBytes(url), FromBytes(realm), qUser, qPassword);
            const std::lock_guard lock(answer->mutex);
            answer->bGiven = bGiven;
            answer->strUser = qUser.toStdString();
            answer->strPassword = qPassword.toStdString();
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
    return answer->bGiven;
}

} // namespace

// The output log of the run: the main frame's output bar.
class CTessarayView::COutputLog final : public IOutputLog {
public:
    explicit COutputLog(CMainFrame& frame) : m_frame(frame) {}
    void Clear() override { m_frame.ClearOutput(); }
    void AddLine(const std::string& text) override { m_frame.AddOutputLine(text); }
    void AppendToLastLine(const std::string& text) override {
        m_frame.AppendToLastOutputLine(text);
    }

private:
    CMainFrame& m_frame;
};

CTessarayView::CTessarayView(CTessarayApp& app, CMainFrame& frame, CTessarayDoc& doc)
    : QTableView(&frame), m_app(app), m_frame(frame), m_doc(doc),
      m_log(std::make_unique<COutputLog>(frame)) {
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
    m_pCredentialsOpen = std::make_shared<std::atomic<bool>>(true);
    m_run = std::make_unique<CAnalysisRun>(m_doc.Project(), m_table, *m_log, m_app.TraceLog());
    m_run->SetOutputWords({tr("analyzing ready").toStdString(), tr("loading").toStdString(),
                           tr("analyzing").toStdString(), tr("ready").toStdString(),
                           tr("The page cannot be fetched; the analysis ends.").toStdString()});
    m_run->SetTrace(m_app.IsTraceOn(), m_app.Version());
    m_run->SetSaveCommand([this] { m_frame.SendCommand(ID_FILE_SAVE); });
    // Called on the fetch job's worker thread: only a queued message crosses into the window.
    CMainFrame* frame = &m_frame;
    m_run->SetPostCallback([frame](unsigned message, int /*result*/) {
        frame->PostPrivateMessage(static_cast<int>(message));
    });
    // A server that wants a log-in asks the user through a dialog.
    m_run->SetJobSetup([frame, hooks = &m_app.Hooks(), open = m_pCredentialsOpen](CFetchJob& job) {
        job.SetAuthCallback([frame, hooks, open](const std::string& url, const std::string& realm,
                                                 std::string& user, std::string& password) {
            return AskCredentials(frame, hooks, open, url, realm, user, password);
        });
    });
}

void CTessarayView::ConnectCommands() {
    const auto idle = [this] { return !m_run->IsRunning() && m_doc.Project().IsReady(); };
    const auto exportable = [this] { return CanExport(); };
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
    m_frame.SetCommandHandler(
        ID_SAVE_CSV, [this] { OnSaveCsv(); }, exportable);
    m_frame.SetCommandHandler(
        ID_SAVE_HTML, [this] { OnSaveHtml(); }, exportable);
    m_frame.SetCommandHandler(
        ID_OPEN_IN_EXCEL, [this] { OnOpenInExcel(); }, exportable);
    m_frame.SetCommandHandler(
        ID_OPEN_IN_BROWSER, [this] { OnOpenInBrowser(); }, exportable);
}

void CTessarayView::OnInitialUpdate() {
    m_chLanguage = m_app.LanguageLetter();
    if (!m_bColumnsSet) {
        m_bColumnsSet = true;
        m_table.SetupColumns(m_chLanguage);
        m_model->ColumnsChanged();
        for (int col = 0; col < kColumnCount; ++col) {
            setColumnWidth(col, m_table.GetColumns()[static_cast<std::size_t>(col)].nWidth);
        }
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
        m_frame.ClearOutput();
        m_nSortColumn = -1;
        horizontalHeader()->setSortIndicatorShown(false);
    }
    m_frame.RequestCommandUiUpdate();
}

void CTessarayView::SortByHeaderClick(int nCol) {
    // The run writes its results by row index: sorting under it would mix up the partners' rows.
    if (m_run->IsRunning()) {
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
        m_app.Hooks().openUrl(QUrl(FromBytes(m_strContextUrl)));
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

void CTessarayView::OnAnalysisStart() {
    if (m_run->Start()) {
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
    m_run->PageFetched();
    ShowProgress();
}

void CTessarayView::ShowProgress() {
    if (!m_run->IsRunning()) {
        m_frame.SetStatusMessage({});
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

void CTessarayView::OnSaveCsv() {
    SFileRequest request;
    request.bSave = true;
    request.strFilter = QStringLiteral("csv Table (*.csv)");
    request.strDefaultSuffix = QStringLiteral("csv");
    const QString path = m_app.Hooks().chooseFile(&m_frame, request);
    if (path.isEmpty()) {
        return;
    }
    const SReportResult result = WriteCsvReport(QFile::encodeName(path).toStdString(), m_table);
    if (!result.Ok()) {
        ReportFailure(result);
    }
}

void CTessarayView::OnSaveHtml() {
    SFileRequest request;
    request.bSave = true;
    request.strFilter = QStringLiteral("Html File (*.html)");
    request.strDefaultSuffix = QStringLiteral("html");
    const QString path = m_app.Hooks().chooseFile(&m_frame, request);
    if (!path.isEmpty()) {
        WriteHtmlReportTo(QFile::encodeName(path).toStdString());
    }
}

void CTessarayView::OnOpenInExcel() {
    std::string path;
    if (!GetTempReportPath(EReportKind::Csv, path)) {
        ShowMessage(tr("There is no private temporary folder for the report."));
        return;
    }
    const SReportResult result = WriteCsvReport(path, m_table);
    if (!result.Ok()) {
        ReportFailure(result);
        return;
    }
    m_app.Hooks().openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

void CTessarayView::OnOpenInBrowser() {
    std::string path;
    if (!GetTempReportPath(EReportKind::Html, path)) {
        ShowMessage(tr("There is no private temporary folder for the report."));
        return;
    }
    const QString file = QFile::decodeName(path.c_str());
    if (QFile::exists(file) && !QFile::remove(file)) {
        ShowMessage(tr("The old report %1 cannot be deleted.").arg(QDir::toNativeSeparators(file)));
        return;
    }
    if (WriteHtmlReportTo(path) && QFile::exists(file)) {
        m_app.Hooks().openUrl(QUrl::fromLocalFile(file));
    }
}

bool CTessarayView::WriteHtmlReportTo(const std::string& path) {
    std::string date;
    CDateStamp().Format(date);
    const std::string templatePath = m_app.InstallDir() + kPathSeparator + "report.html";
    const SReportResult result =
        WriteHtmlReport(BuildReportText(m_table, m_table.GetColumnHeader(), kReportHeaderLines),
                        templatePath, m_doc.Project().GetTitle(), date, path);
    if (!result.Ok()) {
        ReportFailure(result);
    }
    return result.Ok();
}

void CTessarayView::ReportFailure(const SReportResult& result) {
    switch (result.eError) {
    case EReportError::None:
        return;
    case EReportError::TemplateMissing:
        ShowMessage(tr("The report template %1 is missing.").arg(NativePath(result.strPath)));
        return;
    case EReportError::TemplateInvalid:
        ShowMessage(tr("The report template %1 cannot be used: it lacks the table markers.")
                        .arg(NativePath(result.strPath)));
        return;
    case EReportError::WriteFailed:
        ShowMessage(tr("The report could not be written to %1.").arg(NativePath(result.strPath)));
        return;
    }
}

void CTessarayView::ShowMessage(const QString& text) {
    m_app.Hooks().messageBox(&m_frame, QMessageBox::Warning, text, QMessageBox::Ok);
}

} // namespace tessaray
