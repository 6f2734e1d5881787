#include "gui/results/tessaray_view.h"
#include "gui/toolkit/byte_text.h"

#include "core/project/project.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/filter_bar.h"
#include "gui/results/frozen_columns.h"
#include "gui/results/print_commands.h"
#include "gui/results/result_model.h"
#include "gui/results/result_proxy_model.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"
#include "gui/toolkit/ui_hooks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace tessaray {

CTessarayView::CTessarayView(SViewSetup setup, CCommandFrame& frame, CTessarayDoc& doc)
    : QTableView(&frame), m_setup(std::move(setup)), m_frame(frame), m_doc(doc),
      m_reports(frame, m_setup.hooks, m_table, doc.Project(), m_setup.strInstallDir,
                [this] { return CanExport(); }) {
    setObjectName(QStringLiteral("ResultView"));
    m_model = new CResultModel(m_table, this);
    m_proxy = new CResultProxyModel(*m_model, this);
    setModel(m_proxy);
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
    // Columns can be dragged to another place and hidden from the header's own menu.
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                ShowHeaderMenu(horizontalHeader()->viewport()->mapToGlobal(pos));
            });
    m_frozen = new CFrozenColumns(*this, kColPartnerUrl);
    connect(m_frozen, &CFrozenColumns::HeaderClicked, this, &CTessarayView::SortByHeaderClick);
    connect(m_frozen, &CFrozenColumns::HeaderMenuRequested, this, &CTessarayView::ShowHeaderMenu);
    m_saveColumns.setSingleShot(true);
    m_saveColumns.setInterval(500);
    connect(&m_saveColumns, &QTimer::timeout, this, &CTessarayView::SaveColumns);
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
    // The reports need the facts behind the verdicts, which only a run of this session has.
    m_reports.SetVerdictSource([this] { return m_analysis->RunVerdicts(); }, m_setup.chLanguage);
    m_reports.SetShownRowsSource([this] { return ShownRows(); });
    m_print = std::make_unique<CPrintCommands>(
        frame, m_setup.hooks, *this, [this] { return FromBytes(m_doc.Project().GetTitle()); },
        [this] { return CanExport(); });

    // The proxy filters every change of the rows as it comes (new rows, new texts); the count
    // follows once the proxy, connected first, has seen the change.
    m_filterBar = new CFilterBar;
    connect(m_filterBar, &CFilterBar::FilterChanged, this, &CTessarayView::OnFilterChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CTessarayView::ShowFilterCount);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CTessarayView::ShowFilterCount);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CTessarayView::ShowFilterCount);
}

CTessarayView::~CTessarayView() {
    if (m_saveColumns.isActive()) {
        SaveColumns();
    }
    // The run ends before the table it writes.
    m_analysis.reset();
    // The model detaches from the table when it goes: it and the proxy on it go first, while the
    // table is still there (child objects are deleted only after the members).
    delete m_proxy;
    delete m_model;
    if (m_filterBar != nullptr && m_filterBar->parent() == nullptr) {
        delete m_filterBar.data();
    }
}

void CTessarayView::ConnectCommands() {
    m_analysis->ConnectCommands();
    m_frame.SetCommandHandler(ID_REFILL_TABLE, [this] {
        // The project changed under a running analysis: its rows would no longer match.
        m_analysis->CancelRun();
        FillList(true);
    });
    m_frame.SetCommandHandler(ID_OPEN_URL, [this] { OnOpenUrl(); });
    m_frame.SetCommandHandler(
        ID_EDIT_COPY, [this] { OnEditCopy(); },
        [this] { return selectionModel()->hasSelection(); });
    m_frame.SetCommandHandler(
        ID_EDIT_SELECT_ALL,
        [this] {
            setFocus();
            selectAll();
        },
        [this] { return m_proxy->rowCount() > 0; });
    m_frame.SetCommandHandler(ID_EDIT_FIND, [this] {
        if (m_filterBar != nullptr) {
            m_filterBar->FocusText();
        }
    });
    m_reports.ConnectCommands();
    m_print->ConnectCommands();
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
        setColumnWidth(CResultModel::kAgreementColumn, 130);
        setColumnWidth(CResultModel::kYouLinkColumn, 90);
        setColumnWidth(CResultModel::kRenderedColumn, 80);
        ArrangeDefaultColumns();
        // The user's own arrangement, when there is one, replaces the default.
        const QByteArray stored = ProgramSettings().value(ColumnsKey()).toByteArray();
        if (!stored.isEmpty()) {
            horizontalHeader()->restoreState(stored);
            horizontalHeader()->setSortIndicatorShown(false);
        }
        m_frozen->Update();
        QHeaderView* header = horizontalHeader();
        connect(header, &QHeaderView::sectionMoved, this, &CTessarayView::ColumnsRearranged);
        connect(header, &QHeaderView::sectionResized, this, &CTessarayView::ColumnsRearranged);
    }
    m_analysis->CancelRun();
    FillList(true);
    // A project opened again shows where its last run left it.
    m_analysis->ShowLastStoredRun();
}

QString CTessarayView::ColumnsKey() {
    return SettingKey(setting::kWindowGeometryPrefix) + QStringLiteral("ResultColumns");
}

void CTessarayView::ArrangeDefaultColumns() {
    // The answer first: the verdict and the change right after the partner, then the link
    // exchange (agreement, the user's link back, rendered), then the eighteen cells in their order.
    QHeaderView* header = horizontalHeader();
    for (int col = 0; col < m_model->columnCount(); ++col) {
        header->showSection(col);
    }
    std::vector<int> order = {kColNo,
                              kColPartnerUrl,
                              CResultModel::kVerdictColumn,
                              CResultModel::kChangeColumn,
                              CResultModel::kAgreementColumn,
                              CResultModel::kYouLinkColumn,
                              CResultModel::kRenderedColumn};
    for (int col = kColPartnerUrl + 1; col < kColumnCount; ++col) {
        order.push_back(col);
    }
    for (int place = 0; place < static_cast<int>(order.size()); ++place) {
        header->moveSection(header->visualIndex(order[static_cast<std::size_t>(place)]), place);
    }
}

void CTessarayView::ColumnsRearranged() {
    // Stored once the user has finished dragging, not at every pixel.
    m_saveColumns.start();
}

void CTessarayView::SaveColumns() {
    m_saveColumns.stop();
    ProgramSettings().setValue(ColumnsKey(), horizontalHeader()->saveState());
}

void CTessarayView::ShowHeaderMenu(const QPoint& globalPos) {
    QHeaderView* header = horizontalHeader();
    QMenu menu(this);
    for (int place = 0; place < header->count(); ++place) {
        const int col = header->logicalIndex(place);
        QAction* action =
            menu.addAction(m_model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString());
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(col));
        // The partner stays: a row without it could not be told from the others.
        action->setEnabled(col != kColPartnerUrl);
        connect(action, &QAction::toggled, this, [this, col](bool bShown) {
            setColumnHidden(col, !bShown);
            SaveColumns();
        });
    }
    menu.addSeparator();
    connect(menu.addAction(tr("Restore the default columns")), &QAction::triggered, this, [this] {
        ArrangeDefaultColumns();
        SaveColumns();
    });
    menu.exec(globalPos);
}

void CTessarayView::FillList(bool bShowDomain) {
    CLineList entries;
    m_doc.Project().CopyPartnersTo(entries);
    if (m_table.FillList(m_doc.Project().GetDomain(), entries.Entries(), bShowDomain)) {
        m_analysis->PartnerListShown();
        m_model->VerdictsChanged();
        m_model->SetRowChanges({});
        m_frame.ClearOutput();
        ClearSort();
        // Another project's rows start at the left edge, not where the last ones were scrolled.
        horizontalScrollBar()->setValue(0);
    }
    m_frame.RequestCommandUiUpdate();
}

void CTessarayView::SortByHeaderClick(int nCol) {
    // During a run the rows come in partner order, the newest at the bottom where the view follows
    // them.
    if (m_analysis->IsRunning() || nCol < 0 || nCol >= m_model->columnCount()) {
        return;
    }
    const Qt::SortOrder eOrder =
        nCol == m_proxy->sortColumn() && m_proxy->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    m_proxy->sort(nCol, eOrder);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(nCol, eOrder);
    m_frozen->Update();
}

void CTessarayView::ClearSort() {
    m_proxy->sort(-1, Qt::AscendingOrder);
    horizontalHeader()->setSortIndicatorShown(false);
    m_frozen->Update();
}

bool CTessarayView::CanExport() const {
    return !m_analysis->IsRunning() && m_table.GetRowCount() > 0;
}

std::vector<int> CTessarayView::SelectedRows() const {
    QModelIndexList selected = selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(selected.size()));
    for (const QModelIndex& row : selected) {
        rows.push_back(m_proxy->mapToSource(row).row());
    }
    return rows;
}

QMenu* CTessarayView::CreateContextMenu() {
    m_strContextUrl.clear();
    const std::vector<int> rows = SelectedRows();
    for (const int row : rows) {
        std::string url;
        if (m_table.GetCellText(row, kColPartnerUrl, url)) {
            m_strContextUrl = url;
        }
    }
    const auto addCommand = [this](QMenu* menu, const QString& text, int id) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, id] { m_frame.SendCommand(id); });
        return action;
    };
    if (!rows.empty()) {
        auto* menu = new QMenu(this);
        addCommand(menu, tr("&Copy"), ID_EDIT_COPY);
        if (!m_strContextUrl.empty()) {
            addCommand(menu, tr("&Open partner page: %1").arg(FromBytes(m_strContextUrl)),
                       ID_OPEN_URL);
        }
        menu->addSeparator();
        addCommand(menu, tr("Show in &history"), ID_HISTORY)
            ->setEnabled(m_frame.CanRunCommand(ID_HISTORY));
        return menu;
    }
    if (!m_analysis->IsRunning() && m_table.GetRowCount() > 0) {
        auto* menu = new QMenu(this);
        addCommand(menu, tr("Open report in &Excel"), ID_OPEN_IN_EXCEL);
        addCommand(menu, tr("Open report in the &browser"), ID_OPEN_IN_BROWSER);
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

void CTessarayView::mousePressEvent(QMouseEvent* event) {
    // A right click beside the rows lets go of the selection, so the menu of the whole report
    // opens there.
    if (event->button() == Qt::RightButton && !indexAt(event->position().toPoint()).isValid()) {
        clearSelection();
    }
    QTableView::mousePressEvent(event);
}

bool CTessarayView::viewportEvent(QEvent* event) {
    // A cell cut off at its column's edge shows its full text in a tool tip (the model's own tips,
    // such as the verdict's reasons, come first).
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid() && !index.data(Qt::ToolTipRole).isValid()) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            const QRect cell = visualRect(index);
            if (itemDelegateForIndex(index)->sizeHint(option, index).width() > cell.width()) {
                QToolTip::showText(help->globalPos(),
                                   PlainToolTip(index.data(Qt::DisplayRole).toString()), viewport(),
                                   cell);
            } else {
                QToolTip::hideText();
            }
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}

void CTessarayView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || m_frozen == nullptr || m_frozen->Width() == 0) {
        QTableView::scrollTo(index, hint);
        return;
    }
    QScrollBar* scroll = horizontalScrollBar();
    if (m_frozen->IsFrozen(index.column())) {
        // Always in sight: only the rows scroll.
        const int keep = scroll->value();
        QTableView::scrollTo(index, hint);
        scroll->setValue(keep);
        return;
    }
    QTableView::scrollTo(index, hint);
    const int left = visualRect(index).left();
    if (left < m_frozen->Width()) {
        scroll->setValue(scroll->value() - (m_frozen->Width() - left));
    }
}

CFilterBar* CTessarayView::FilterBar() const {
    return m_filterBar.data();
}

void CTessarayView::OnFilterChanged() {
    m_proxy->SetFilter(m_filterBar->Text(), m_filterBar->ProblemsOnly());
    ShowFilterCount();
}

void CTessarayView::ShowFilterCount() {
    if (m_filterBar != nullptr) {
        m_filterBar->ShowCount(m_proxy->rowCount(), m_model->rowCount());
    }
}

std::vector<int> CTessarayView::ShownRows() const {
    return m_proxy->ShownSourceRows();
}

void CTessarayView::OnOpenUrl() {
    if (!m_strContextUrl.empty()) {
        OpenOrTell(m_setup.hooks, this, QUrl(FromBytes(m_strContextUrl)));
    }
}

void CTessarayView::OnEditCopy() {
    // The selected rows as shown, in display order and with the columns shown in their places
    // (the verdict and the change among them), as tab-separated lines: what spreadsheets paste.
    QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return;
    }
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const QHeaderView* header = horizontalHeader();
    QString text;
    for (const QModelIndex& row : selected) {
        bool bFirst = true;
        for (int place = 0; place < header->count(); ++place) {
            const int col = header->logicalIndex(place);
            if (header->isSectionHidden(col)) {
                continue;
            }
            if (!bFirst) {
                text += QLatin1Char('\t');
            }
            bFirst = false;
            QString cell = m_proxy->index(row.row(), col).data().toString();
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
    ClearSort();
    m_bScrolledAway = false;
}

void CTessarayView::OnPartnerInTurn() {
    // The partner in turn has the newest rows.
    if (!m_bScrolledAway) {
        scrollToBottom();
    }
}

} // namespace tessaray
