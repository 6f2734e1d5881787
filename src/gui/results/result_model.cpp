#include "gui/results/result_model.h"
#include "gui/toolkit/byte_text.h"

#include <QBrush>
#include <QColor>

#include <utility>

namespace tessaray {

namespace {

// The place of a change when the change column is sorted, from good news to bad.
int ChangeRank(EChangeClass eClass) {
    switch (eClass) {
    case EChangeClass::New:
        return 0;
    case EChangeClass::Better:
        return 1;
    case EChangeClass::TextChanged:
        return 2;
    case EChangeClass::Worse:
        return 3;
    case EChangeClass::Lost:
        return 4;
    }
    return 2;
}

} // namespace

CResultModel::CResultModel(CResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {
    m_table.SetListener(this);
}

CResultModel::~CResultModel() {
    m_table.SetListener(nullptr);
}

int CResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.GetRowCount();
}

int CResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChangeColumn + 1;
}

QVariant CResultModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    if (index.column() == kVerdictColumn) {
        return VerdictData(index.row(), role);
    }
    if (index.column() == kChangeColumn) {
        return ChangeData(index.row(), role);
    }
    switch (role) {
    case Qt::DisplayRole: {
        QString text = FromBytes(m_table.GetCellView(index.row(), index.column()));
        // The raw server header spans several lines; a table cell shows it as one.
        if (index.column() == kColServerHeader) {
            text.replace(QStringLiteral("\r\n"), QStringLiteral("  "));
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        return text;
    }
    case Qt::ToolTipRole:
        // Long cells (URLs, anchor texts, headers) are read in full in the tool tip.
        if (m_table.GetCellView(index.row(), index.column()).size() > 30) {
            return PlainToolTip(FromBytes(m_table.GetCellView(index.row(), index.column())));
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            (m_table.GetColumns()[static_cast<std::size_t>(index.column())].eAlign ==
                     EColumnAlign::Right
                 ? Qt::AlignRight
                 : Qt::AlignLeft) |
            Qt::AlignVCenter);
    default:
        return {};
    }
}

const SVerdict* CResultModel::VerdictOf(int nRow) const {
    const CRunVerdicts* verdicts = m_verdictSource ? m_verdictSource() : nullptr;
    return verdicts == nullptr ? nullptr : verdicts->FindVerdict(m_table.GetRowKey(nRow));
}

const SPartnerResult* CResultModel::PartnerOf(int nRow) const {
    const CRunVerdicts* verdicts = m_verdictSource ? m_verdictSource() : nullptr;
    return verdicts == nullptr ? nullptr : verdicts->FindPartner(m_table.GetRowKey(nRow).nPartner);
}

bool CResultModel::IsProblemRow(int nRow) const {
    const SVerdict* verdict = VerdictOf(nRow);
    return verdict != nullptr && verdict->eVerdict != EVerdict::Counts;
}

QVariant CResultModel::VerdictData(int nRow, int role) const {
    const SVerdict* verdict = VerdictOf(nRow);
    if (verdict == nullptr) {
        return {};
    }
    const EVerdict eVerdict = verdict->eVerdict;
    switch (role) {
    case Qt::DisplayRole:
        return FromBytes(VerdictText(eVerdict, m_chLanguage));
    case kSortRole: // counts, does not count, missing, unreachable
        return static_cast<int>(eVerdict);
    case Qt::ToolTipRole:
    case kReasonsRole: {
        // The tool tip says what the verdict means, then why this row has it.
        QStringList lines;
        if (role == Qt::ToolTipRole) {
            lines.append(VerdictMeaning(eVerdict));
        }
        for (const SReason& reason : verdict->reasons) {
            lines.append(FromBytes(ReasonText(reason, m_chLanguage)));
        }
        if (const SPartnerResult* partner = PartnerOf(nRow);
            role == Qt::ToolTipRole && partner != nullptr && partner->confirmed) {
            lines.append(tr("Checked twice: the first answer was \"%1\", the second stands.")
                             .arg(FromBytes(
                                 VerdictText(partner->confirmed->verdict.eVerdict, m_chLanguage))));
        }
        const QString text = lines.join(QLatin1Char('\n'));
        return role == Qt::ToolTipRole ? QVariant(PlainToolTip(text)) : QVariant(text);
    }
    case Qt::BackgroundRole: {
        // counts green, does not count amber, missing red, unreachable grey
        static const QColor kColours[] = {QColor(0xC6, 0xEF, 0xCE), QColor(0xFF, 0xE0, 0x99),
                                          QColor(0xF4, 0xC0, 0xC0), QColor(0xD9, 0xDC, 0xE0)};
        return QBrush(kColours[static_cast<int>(eVerdict)]);
    }
    case Qt::ForegroundRole:
        return QBrush(Qt::black); // readable on the light colours in dark themes too
    default:
        return {};
    }
}

QVariant CResultModel::ChangeData(int nRow, int role) const {
    const auto found = m_changes.find(m_table.GetRowKey(nRow));
    if (found == m_changes.end()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return ChangeText(found->second);
    case kSortRole:
        return ChangeRank(found->second);
    case Qt::ToolTipRole:
        return ChangeMeaning(found->second);
    case Qt::BackgroundRole:
        return QBrush(ChangeColour(found->second));
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    default:
        return {};
    }
}

QString CResultModel::ChangeText(EChangeClass eClass) {
    switch (eClass) {
    case EChangeClass::New:
        return tr("new");
    case EChangeClass::Lost:
        return tr("lost");
    case EChangeClass::Better:
        return tr("better");
    case EChangeClass::Worse:
        return tr("worse");
    case EChangeClass::TextChanged:
        return tr("text changed");
    }
    return {};
}

QString CResultModel::VerdictMeaning(EVerdict eVerdict) {
    switch (eVerdict) {
    case EVerdict::Counts:
        return tr("The partner page links to your site and search engines count the link.");
    case EVerdict::DoesNotCount:
        return tr("The partner page links to your site, but search engines do not count the "
                  "link.");
    case EVerdict::Missing:
        return tr("The partner page has no link to your site.");
    case EVerdict::Unreachable:
        return tr("The partner page could not be read whole, so its link could not be checked.");
    }
    return {};
}

QString CResultModel::ChangeMeaning(EChangeClass eClass) {
    switch (eClass) {
    case EChangeClass::New:
        return tr("Not in the previous run.");
    case EChangeClass::Lost:
        return tr("The link was there in the previous run and is gone now.");
    case EChangeClass::Better:
        return tr("The verdict is better than in the previous run.");
    case EChangeClass::Worse:
        return tr("The verdict is worse than in the previous run.");
    case EChangeClass::TextChanged:
        return tr("The status code or the anchor text changed since the previous run.");
    }
    return {};
}

QColor CResultModel::ChangeColour(EChangeClass eClass) {
    // new and better green, lost red, worse amber, text changed blue
    static const QColor kColours[] = {QColor(0xC6, 0xEF, 0xCE), QColor(0xF4, 0xC0, 0xC0),
                                      QColor(0xC6, 0xEF, 0xCE), QColor(0xFF, 0xE0, 0x99),
                                      QColor(0xCF, 0xE2, 0xF3)};
    return kColours[static_cast<int>(eClass)];
}

void CResultModel::SetRowChanges(std::map<SRowKey, EChangeClass> changes) {
    m_changes = std::move(changes);
    if (rowCount() > 0) {
        emit dataChanged(index(0, kChangeColumn), index(rowCount() - 1, kChangeColumn));
    }
}

void CResultModel::SetVerdictSource(VerdictSource source, char chLanguage) {
    m_verdictSource = std::move(source);
    m_chLanguage = chLanguage;
    VerdictsChanged();
}

void CResultModel::VerdictsChanged() {
    if (rowCount() > 0) {
        emit dataChanged(index(0, kVerdictColumn), index(rowCount() - 1, kVerdictColumn));
    }
}

QVariant CResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == kVerdictColumn && role == Qt::DisplayRole) {
        return tr("Verdict");
    }
    if (orientation == Qt::Horizontal && section == kChangeColumn && role == Qt::DisplayRole) {
        return tr("Change");
    }
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const SColumnInfo& column = m_table.GetColumns()[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) {
        return FromBytes(column.pszTitle);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(
            (column.eAlign == EColumnAlign::Right ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    }
    return {};
}

void CResultModel::ColumnsChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, kVerdictColumn);
}

void CResultModel::OnBeginReset() {
    beginResetModel();
}

void CResultModel::OnEndReset() {
    endResetModel();
}

void CResultModel::OnBeginInsertRow(int nRow) {
    beginInsertRows({}, nRow, nRow);
}

void CResultModel::OnEndInsertRow(int /*nRow*/) {
    endInsertRows();
}

void CResultModel::OnCellChanged(int nRow, int nCol) {
    const QModelIndex cell = index(nRow, nCol);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::ToolTipRole});
}

void CResultModel::OnBeginReorder() {
    emit layoutAboutToBeChanged({}, VerticalSortHint);
}

void CResultModel::OnEndReorder(const std::vector<int>& oldRowOf) {
    // Selections and the current cell follow their rows to the new places.
    std::vector<int> newRowOf(oldRowOf.size());
    for (std::size_t i = 0; i < oldRowOf.size(); ++i) {
        newRowOf[static_cast<std::size_t>(oldRowOf[i])] = static_cast<int>(i);
    }
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from) {
        to.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, VerticalSortHint);
}

} // namespace tessaray
