#include "gui/results/tessaray_view.h"
#include "gui/toolkit/byte_text.h"

#include "core/project/project.h"
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
#include <QScrollBar>

#include <algorithm>

namespace tessaray {

CTessarayView::CTessarayView(SViewSetup setup, CCommandFrame& frame, CTessarayDoc& doc)
    : QTableView(&frame), m_setup(std::move(setup)), m_frame(frame), m_doc(doc),
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
    m_analysis = std::make_unique<CAnalysisController>(m_setup, frame, doc, m_table, *m_model);
    connect(m_analysis.get(), &CAnalysisController::RunStarted, this, &CTessarayView::OnRunStarted);
    connect(m_analysis.get(), &CAnalysisController::PartnerInTurn, this,
            &CTessarayView::OnPartnerInTurn);
    // Only the user's own moves trigger slider actions; scrolling from the program does not.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
        if (m_analysis->IsRunning()) {
            m_bScrolledAway = true;
        }
    });
    const auto verdicts = [this] { return m_analysis->ShownVerdicts(); };
    m_model->SetVerdictSource(verdicts, m_setup.chLanguage);
    m_reports.SetVerdictSource(verdicts, m_setup.chLanguage);
}

CTessarayView::~CTessarayView() {
    // The run ends before the table it writes.
    m_analysis.reset();
}

void CTessarayView::ConnectCommands() {
    m_analysis->ConnectCommands();
    m_frame.SetCommandHandler(ID_REFILL_TABLE, [this] {
        // The project changed under a running analysis: its rows would no longer match.
        m_analysis->CancelRun();
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
    m_analysis->CancelRun();
    FillList(true);
}

void CTessarayView::FillList(bool bShowDomain) {
    CLineList entries;
    m_doc.Project().CopyPartnersTo(entries);
    if (m_table.FillList(m_doc.Project().GetDomain(), entries.Entries(), bShowDomain)) {
        m_analysis->PartnerListShown();
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
    if (m_analysis->IsRunning() || nCol < 0 || nCol >= kColumnCount) {
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
    return !m_analysis->IsRunning() && m_table.GetRowCount() > 0;
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
    if (!m_analysis->IsRunning() && m_table.GetRowCount() > 0) {
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

void CTessarayView::OnRunStarted() {
    m_nSortColumn = -1;
    horizontalHeader()->setSortIndicatorShown(false);
    m_bScrolledAway = false;
}

void CTessarayView::OnPartnerInTurn() {
    // The partner in turn has the newest rows.
    if (!m_bScrolledAway) {
        scrollToBottom();
    }
}

} // namespace tessaray
