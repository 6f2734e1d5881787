#include "gui/results/result_model.h"
#include "gui/toolkit/byte_text.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
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

bool HasReason(const std::vector<SReason>& reasons, EReason eCode) {
    return std::any_of(reasons.begin(), reasons.end(),
                       [eCode](const SReason& reason) { return reason.eCode == eCode; });
}

// The cell of a column after the eighteen: its text, its rank when sorted, its colour.
struct SSideCell {
    QString strText;
    int nRank = 0;
    QColor colour;
};

const QColor kGood(0xC6, 0xEF, 0xCE);
const QColor kDoubtful(0xFF, 0xE0, 0x99);
const QColor kBad(0xF4, 0xC0, 0xC0);
const QColor kNeutral(0xD9, 0xDC, 0xE0);

QVariant SideCellData(const SSideCell& cell, const QString& toolTip, int role) {
    switch (role) {
    case Qt::DisplayRole:
        return cell.strText;
    case CResultModel::kSortRole:
        return cell.nRank;
    case Qt::ToolTipRole:
        return PlainToolTip(toolTip);
    case Qt::BackgroundRole:
        return QBrush(cell.colour);
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    default:
        return {};
    }
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
    return parent.isValid() ? 0 : kLastColumn + 1;
}

QVariant CResultModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    switch (index.column()) {
    case kVerdictColumn:
        return VerdictData(index.row(), role);
    case kChangeColumn:
        return ChangeData(index.row(), role);
    case kAgreementColumn:
        return AgreementData(index.row(), role);
    case kYouLinkColumn:
        return YouLinkData(index.row(), role);
    case kRenderedColumn:
        return RenderedData(index.row(), role);
    default:
        break;
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

const SLinkResult* CResultModel::LinkOf(int nRow) const {
    const SPartnerResult* partner = PartnerOf(nRow);
    const int nLink = m_table.GetRowKey(nRow).nLink;
    if (partner == nullptr || nLink < 0 || nLink >= static_cast<int>(partner->links.size())) {
        return nullptr;
    }
    return &partner->links[static_cast<std::size_t>(nLink)];
}

std::vector<SReason> CResultModel::ReasonsOf(int nRow) const {
    std::vector<SReason> reasons;
    const SPartnerResult* partner = PartnerOf(nRow);
    for (const SVerdict* verdict : {VerdictOf(nRow), partner ? &partner->verdict : nullptr}) {
        if (verdict == nullptr) {
            continue;
        }
        for (const SReason& reason : verdict->reasons) {
            if (!HasReason(reasons, reason.eCode)) {
                reasons.push_back(reason);
            }
        }
    }
    return reasons;
}

bool CResultModel::IsProblemRow(int nRow) const {
    const SVerdict* verdict = VerdictOf(nRow);
    if (verdict == nullptr) {
        return false;
    }
    if (verdict->eVerdict != EVerdict::Counts) {
        return true;
    }
    // A link that counts is still a problem when the exchange is one-sided or the agreement is
    // broken or over; the reasons that make a link not count are listed for records where the
    // partner's verdict holds them.
    static constexpr EReason kProblems[] = {EReason::OneSided,    EReason::YouDoNotLinkBack,
                                            EReason::WrongTarget, EReason::WrongAnchor,
                                            EReason::WrongRel,    EReason::AgreementEnded,
                                            EReason::Hidden,      EReason::RemovedByScript};
    const std::vector<SReason> reasons = ReasonsOf(nRow);
    return std::any_of(std::begin(kProblems), std::end(kProblems),
                       [&reasons](EReason eCode) { return HasReason(reasons, eCode); });
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

QVariant CResultModel::AgreementData(int nRow, int role) const {
    const SPartnerResult* partner = PartnerOf(nRow);
    if (partner == nullptr || !partner->agreement) {
        return {};
    }
    const SAgreement& agreement = *partner->agreement;
    const std::vector<SReason> reasons = ReasonsOf(nRow);
    QStringList differs;
    if (HasReason(reasons, EReason::WrongTarget)) {
        differs << tr("wrong target");
    }
    if (HasReason(reasons, EReason::WrongAnchor)) {
        differs << tr("wrong anchor");
    }
    if (HasReason(reasons, EReason::WrongRel)) {
        differs << tr("wrong rel");
    }
    const bool bEnded = HasReason(reasons, EReason::AgreementEnded);
    const SLinkResult* link = LinkOf(nRow);
    SSideCell cell;
    if (!differs.isEmpty()) {
        cell = {tr("differs: %1").arg(differs.join(QStringLiteral(", "))), 2, kDoubtful};
    } else if (link != nullptr && !link->bMatchesAgreement) {
        cell = {tr("differs"), 2, kDoubtful};
    } else if (link == nullptr && !partner->AgreementMet()) {
        // The page could not be read: that says nothing of the agreement.
        cell = {tr("not checked"), 4, kNeutral};
    } else if (link == nullptr) {
        cell = {tr("not met"), 3, kBad};
    } else {
        cell = {tr("met"), 0, kGood};
    }
    if (bEnded) {
        // Whatever the link is like, the agreement no longer binds the partner.
        cell = {cell.nRank == 0 ? tr("ended") : tr("%1, ended").arg(cell.strText), 1, kNeutral};
    }

    QStringList lines;
    const auto add = [&lines](const QString& label, const std::string& value) {
        if (!value.empty()) {
            lines << label.arg(FromBytes(value));
        }
    };
    add(tr("Agreed target: %1"), agreement.strTarget);
    add(tr("Agreed anchor text: %1"), agreement.strAnchor);
    if (agreement.eFollow == EAgreedFollow::Required) {
        lines << tr("A followed link was agreed.");
    }
    add(tr("Until: %1"), agreement.strUntil);
    add(tr("Contact: %1"), agreement.strContact);
    add(tr("Note: %1"), agreement.strNote);
    for (const SReason& reason : reasons) {
        if (reason.eCode >= EReason::WrongTarget && reason.eCode <= EReason::AgreementEnded) {
            lines << FromBytes(ReasonText(reason, m_chLanguage));
        }
    }
    return SideCellData(cell, lines.join(QLatin1Char('\n')), role);
}

QVariant CResultModel::YouLinkData(int nRow, int role) const {
    const SPartnerResult* partner = PartnerOf(nRow);
    if (partner == nullptr || !partner->reciprocal) {
        return {};
    }
    const SReciprocal& reciprocal = *partner->reciprocal;
    SSideCell cell;
    QStringList lines;
    switch (reciprocal.eYouLink) {
    case EYouLink::Followed:
        cell = {tr("followed"), 0, kGood};
        lines << tr("Your followed link to this partner is on %1.")
                     .arg(FromBytes(reciprocal.strFrom));
        break;
    case EYouLink::Nofollow:
        cell = {tr("nofollow"), 1, kDoubtful};
        lines << tr("Your link to this partner on %1 is not followed.")
                     .arg(FromBytes(reciprocal.strFrom));
        break;
    case EYouLink::None:
        cell = {tr("none"), 2, kBad};
        lines << tr("None of your link pages links to this partner's site.");
        break;
    case EYouLink::Unknown:
        cell = {tr("unknown"), 3, kNeutral};
        lines << tr("None of your link pages could be read.");
        break;
    }
    for (const SReason& reason : ReasonsOf(nRow)) {
        if (reason.eCode == EReason::OneSided || reason.eCode == EReason::YouDoNotLinkBack) {
            lines << FromBytes(ReasonText(reason, m_chLanguage));
        }
    }
    return SideCellData(cell, lines.join(QLatin1Char('\n')), role);
}

QVariant CResultModel::RenderedData(int nRow, int role) const {
    const SPartnerResult* partner = PartnerOf(nRow);
    // A run read back from the history keeps no facts of the pages (their URL among them), so
    // whether they were rendered is not known.
    if (partner == nullptr || partner->strUrl.empty()) {
        return {};
    }
    SSideCell cell;
    QStringList lines;
    switch (partner->eRendered) {
    case ERendered::Yes:
        cell = {tr("yes"), 0, kGood};
        lines << tr("The page was rendered in a browser.");
        break;
    case ERendered::No:
        cell = {tr("no"), 1, kNeutral};
        lines << tr("The page was read as raw HTML only.");
        break;
    case ERendered::Failed:
        cell = {tr("failed"), 2, kDoubtful};
        lines << tr("Rendering failed: %1").arg(FromBytes(partner->strRenderError));
        break;
    }
    if (const SLinkResult* link = LinkOf(nRow); link != nullptr) {
        if (link->bScriptInserted) {
            lines << tr("The link is made by a script.");
        }
        if (!link->strHidden.empty()) {
            lines << tr("The link is hidden from people: %1").arg(FromBytes(link->strHidden));
        }
    }
    return SideCellData(cell, lines.join(QLatin1Char('\n')), role);
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
        emit dataChanged(index(0, kAgreementColumn), index(rowCount() - 1, kLastColumn));
    }
}

QVariant CResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == kVerdictColumn && role == Qt::DisplayRole) {
        return tr("Verdict");
    }
    if (orientation == Qt::Horizontal && section == kChangeColumn && role == Qt::DisplayRole) {
        return tr("Change");
    }
    if (orientation == Qt::Horizontal && section == kAgreementColumn && role == Qt::DisplayRole) {
        return tr("Agreement");
    }
    if (orientation == Qt::Horizontal && section == kYouLinkColumn && role == Qt::DisplayRole) {
        return tr("You \u2192 them");
    }
    if (orientation == Qt::Horizontal && section == kRenderedColumn && role == Qt::DisplayRole) {
        return tr("Rendered");
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
