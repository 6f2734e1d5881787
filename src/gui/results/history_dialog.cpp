#include "gui/results/history_dialog.h"

#include "core/history/run_changes.h"
#include "gui/results/result_model.h"
#include "gui/toolkit/byte_text.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace tessaray {

namespace {

// The columns of the run list.
enum ERunColumn {
    kRunId,
    kRunStarted,
    kRunEnd,
    kRunPartners,
    kRunCounts,
    kRunDoesNotCount,
    kRunMissing,
    kRunUnreachable,
    kRunColumns
};

QTableWidgetItem* Item(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidgetItem* Item(int number) {
    QTableWidgetItem* item = Item(QString::number(number));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget* MakeList(QWidget* parent, const QString& name, const QStringList& titles) {
    auto* list = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    list->setObjectName(name);
    list->setHorizontalHeaderLabels(titles);
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->horizontalHeader()->setStretchLastSection(true);
    return list;
}

} // namespace

QString LocalTime(const std::string& stamp) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(stamp), Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                          : QString::fromStdString(stamp);
}

void FillFromStoredRun(const SStoredRun& run, CResultTable& table, CRunVerdicts& verdicts) {
    table.DeleteAllRows();
    verdicts.Clear();
    // The partners fetched twice, so the Verdict's tool tip names their first answer.
    std::map<std::string, const SConfirmation*> confirmed;
    for (const SConfirmation& confirmation : run.confirmations) {
        confirmed.emplace(confirmation.strPartnerUrl, &confirmation);
    }
    // The verdicts by the rows' keys; a partner's rows follow each other.
    for (const SStoredRow& stored : run.rows) {
        const int row = table.InsertRow(table.GetRowCount());
        for (int col = 0; col < kColumnCount; ++col) {
            table.SetCellText(row, col, stored.cells[static_cast<std::size_t>(col)]);
        }
        table.SetRowKey(row, stored.key);
        if (verdicts.FindPartner(stored.key.nPartner) == nullptr) {
            SPartnerResult partner;
            partner.nId = stored.key.nPartner;
            if (const auto found = confirmed.find(stored.cells[kColPartnerUrl]);
                found != confirmed.end()) {
                const SConfirmation& first = *found->second;
                partner.confirmed =
                    SPartnerResult::SFirstAnswer{first.nFirstStatus,
                                                 first.eFirstOutcome,
                                                 {first.eFirstVerdict, first.firstReasons}};
            }
            // The user's link back, kept on the partner's first row.
            for (const EYouLink eYouLink :
                 {EYouLink::Unknown, EYouLink::None, EYouLink::Nofollow, EYouLink::Followed}) {
                if (!stored.strYouLink.empty() && stored.strYouLink == YouLinkCode(eYouLink)) {
                    partner.reciprocal = SReciprocal{eYouLink, stored.strYouLinkFrom};
                }
            }
            verdicts.Add(std::move(partner));
        }
        verdicts.SetVerdict(stored.key, {stored.eVerdict, stored.reasons});
    }
}

CHistoryDialog::CHistoryDialog(QWidget* parent, char chLanguage)
    : QDialog(parent), m_chLanguage(chLanguage), m_table(chLanguage) {
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(tr("History"));
    resize(900, 600);

    m_runList = MakeList(this, QStringLiteral("runList"),
                         {tr("Run"), tr("Started"), tr("Ended"), tr("Partners"), tr("Count"),
                          tr("Do not count"), tr("Missing"), tr("Unreachable")});
    m_runList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_runList->horizontalHeader()->setStretchLastSection(false);

    m_open = new QPushButton(tr("&Open run"), this);
    m_open->setObjectName(QStringLiteral("openRun"));
    m_compare = new QPushButton(tr("&Compare two runs"), this);
    m_compare->setObjectName(QStringLiteral("compareRuns"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->addButton(m_open, QDialogButtonBox::ActionRole);
    buttons->addButton(m_compare, QDialogButtonBox::ActionRole);

    m_runTable = new QTableView(this);
    m_runTable->setObjectName(QStringLiteral("runTable"));
    m_runTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new CResultModel(m_table, m_runTable);
    m_model->SetVerdictSource([this] { return &m_verdicts; }, chLanguage);
    m_runTable->setModel(m_model);

    m_changeList = MakeList(
        this, QStringLiteral("changeList"),
        {tr("Change"), tr("What"), tr("Partner URL"), tr("Link URL"), tr("Before"), tr("After")});
    m_changeList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(m_runTable, tr("Run"));
    m_tabs->addTab(m_changeList, tr("Changes"));
    m_shown = new QLabel(this);
    m_shown->setObjectName(QStringLiteral("shown"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_runList, 1);
    layout->addWidget(m_shown);
    layout->addWidget(m_tabs, 2);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_runList, &QTableWidget::itemSelectionChanged, this, &CHistoryDialog::UpdateButtons);
    connect(m_open, &QPushButton::clicked, this, [this] {
        if (const auto ids = SelectedRuns(); ids.size() == 1) {
            OpenRun(ids[0]);
        }
    });
    connect(m_runList, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        OpenRun(m_runList->item(row, kRunId)->data(Qt::UserRole).toLongLong());
    });
    connect(m_compare, &QPushButton::clicked, this, [this] {
        if (const auto ids = SelectedRuns(); ids.size() == 2) {
            CompareRuns(ids[0], ids[1]);
        }
    });
    UpdateButtons();
}

CHistoryDialog::~CHistoryDialog() {
    // The model detaches from the table when it goes: it goes first, while the table is still
    // there (child widgets are deleted only after the members).
    delete m_model;
}

CHistoryResult CHistoryDialog::Load(const std::string& strPath) {
    if (CHistoryResult opened = m_history.Open(strPath, false); !opened) {
        return opened;
    }
    const CRunListResult listed = m_history.ListRuns();
    if (!listed) {
        return listed.GetError();
    }
    const std::vector<SRunInfo>& runs = listed.Value();
    m_runList->setRowCount(static_cast<int>(runs.size()));
    // The newest run first.
    for (int row = 0; row < static_cast<int>(runs.size()); ++row) {
        const SRunInfo& run = runs[runs.size() - 1 - static_cast<std::size_t>(row)];
        QTableWidgetItem* id = Item(static_cast<int>(run.nId));
        id->setData(Qt::UserRole, static_cast<qlonglong>(run.nId));
        m_runList->setItem(row, kRunId, id);
        m_runList->setItem(row, kRunStarted, Item(LocalTime(run.strStarted)));
        const QString ended = LocalTime(run.strFinished);
        m_runList->setItem(row, kRunEnd,
                           Item(run.bCompleted ? ended : tr("%1 (stopped)").arg(ended)));
        m_runList->setItem(row, kRunPartners, Item(run.summary.nPartners));
        m_runList->setItem(row, kRunCounts, Item(run.summary.nCounts));
        m_runList->setItem(row, kRunDoesNotCount, Item(run.summary.nDoesNotCount));
        m_runList->setItem(row, kRunMissing, Item(run.summary.nMissing));
        m_runList->setItem(row, kRunUnreachable, Item(run.summary.nUnreachable));
    }
    m_runList->resizeColumnsToContents();
    return {};
}

std::vector<std::int64_t> CHistoryDialog::SelectedRuns() const {
    std::vector<std::int64_t> ids;
    for (const QModelIndex& index : m_runList->selectionModel()->selectedRows(kRunId)) {
        ids.push_back(index.data(Qt::UserRole).toLongLong());
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void CHistoryDialog::UpdateButtons() {
    const std::size_t selected = SelectedRuns().size();
    m_open->setEnabled(selected == 1);
    m_compare->setEnabled(selected == 2);
}

void CHistoryDialog::ShowError(const SError<EHistoryError>& error) {
    m_shown->setText(tr("The history cannot be read: %1").arg(FromBytes(error.detail)));
}

bool CHistoryDialog::OpenRun(std::int64_t nId) {
    const CReadRunResult read = m_history.ReadRun(nId);
    if (!read) {
        ShowError(read.GetError());
        return false;
    }
    const SStoredRun& run = read.Value();
    m_model->SetRowChanges({});
    FillFromStoredRun(run, m_table, m_verdicts);
    m_model->VerdictsChanged();
    if (const std::int64_t previous = m_history.PreviousCompleted(nId); previous != 0) {
        if (const CReadRunResult older = m_history.ReadRun(previous); older) {
            m_model->SetRowChanges(ChangesByRow(run, tessaray::CompareRuns(older.Value(), run)));
        }
    }
    m_runTable->resizeColumnsToContents();
    m_shown->setText(tr("Run %1, started %2").arg(nId).arg(LocalTime(run.info.strStarted)));
    m_tabs->setCurrentWidget(m_runTable);
    return true;
}

bool CHistoryDialog::CompareRuns(std::int64_t nOlder, std::int64_t nNewer) {
    const CReadRunResult older = m_history.ReadRun(nOlder);
    if (!older) {
        ShowError(older.GetError());
        return false;
    }
    const CReadRunResult newer = m_history.ReadRun(nNewer);
    if (!newer) {
        ShowError(newer.GetError());
        return false;
    }
    const std::vector<SRunChange> changes = tessaray::CompareRuns(older.Value(), newer.Value());
    m_changeList->setRowCount(static_cast<int>(changes.size()));
    const auto verdictText = [this](EVerdict eVerdict, const std::vector<SReason>& reasons) {
        QString text = QString::fromStdString(VerdictText(eVerdict, m_chLanguage));
        for (const SReason& reason : reasons) {
            text += QStringLiteral("\n") + QString::fromStdString(ReasonText(reason, m_chLanguage));
        }
        return text;
    };
    for (int row = 0; row < static_cast<int>(changes.size()); ++row) {
        const SRunChange& change = changes[static_cast<std::size_t>(row)];
        QTableWidgetItem* changeItem = Item(CResultModel::ChangeText(change.eClass));
        changeItem->setBackground(CResultModel::ChangeColour(change.eClass));
        changeItem->setForeground(Qt::black);
        m_changeList->setItem(row, 0, changeItem);
        m_changeList->setItem(row, 1, Item(ChangeKindText(change.eKind)));
        m_changeList->setItem(row, 2, Item(FromBytes(change.strPartnerUrl)));
        m_changeList->setItem(row, 3, Item(FromBytes(change.strLinkUrl)));
        const bool bTexts = IsTextChange(change.eKind);
        QTableWidgetItem* before = Item(
            bTexts ? FromBytes(change.strOld) : verdictText(change.eOldVerdict, change.oldReasons));
        QTableWidgetItem* after = Item(bTexts ? FromBytes(change.strNew)
                                              : verdictText(change.eNewVerdict, change.newReasons));
        m_changeList->setItem(row, 4, before);
        m_changeList->setItem(row, 5, after);
    }
    m_changeList->resizeColumnsToContents();
    m_changeList->resizeRowsToContents();
    m_shown->setText(
        tr("Changes from run %1 to run %2: %3").arg(nOlder).arg(nNewer).arg(changes.size()));
    m_tabs->setCurrentWidget(m_changeList);
    return true;
}

bool CHistoryDialog::ShowLatestChanges() {
    if (m_runList->rowCount() == 0) {
        return false;
    }
    const std::int64_t newest = m_runList->item(0, kRunId)->data(Qt::UserRole).toLongLong();
    const std::int64_t previous = m_history.PreviousCompleted(newest);
    if (previous == 0) {
        return false;
    }
    m_runList->clearSelection();
    for (int row = 0; row < m_runList->rowCount(); ++row) {
        const std::int64_t id = m_runList->item(row, kRunId)->data(Qt::UserRole).toLongLong();
        if (id == newest || id == previous) {
            m_runList->selectionModel()->select(m_runList->model()->index(row, 0),
                                                QItemSelectionModel::Select |
                                                    QItemSelectionModel::Rows);
        }
    }
    return CompareRuns(previous, newest);
}

QString CHistoryDialog::ChangeKindText(EChangeKind eKind) {
    switch (eKind) {
    case EChangeKind::LinkGained:
        return tr("link gained");
    case EChangeKind::LinkLost:
        return tr("link lost");
    case EChangeKind::VerdictChanged:
        return tr("verdict changed");
    case EChangeKind::StatusChanged:
        return tr("status code changed");
    case EChangeKind::AnchorTextChanged:
        return tr("anchor text changed");
    case EChangeKind::PartnerAdded:
        return tr("partner added");
    case EChangeKind::PartnerRemoved:
        return tr("partner removed");
    case EChangeKind::YouLinkChanged:
        return tr("your link back changed");
    case EChangeKind::AgreementChanged:
        return tr("agreement met changed");
    }
    return {};
}

} // namespace tessaray
