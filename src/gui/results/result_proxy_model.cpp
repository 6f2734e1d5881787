#include "gui/results/result_proxy_model.h"

#include "gui/results/result_model.h"

namespace tessaray {

namespace {

// The rank a verdict or change cell sorts by; rows without one come first.
int SortRank(const QModelIndex& index) {
    const QVariant rank = index.data(CResultModel::kSortRole);
    return rank.isValid() ? rank.toInt() : -1;
}

} // namespace

CResultProxyModel::CResultProxyModel(CResultModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), m_source(source) {
    setSourceModel(&source);
}

void CResultProxyModel::SetFilter(const QString& text, bool bProblemsOnly) {
    m_strText = text;
    m_bProblemsOnly = bProblemsOnly;
    invalidateRowsFilter();
}

std::vector<int> CResultProxyModel::ShownSourceRows() const {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row) {
        rows.push_back(mapToSource(index(row, 0)).row());
    }
    return rows;
}

bool CResultProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int nCol = left.column();
    int result = 0;
    if (nCol < kColumnCount) {
        const CResultTable& table = m_source.Table();
        result = CompareCellTexts(table.GetColumns()[static_cast<std::size_t>(nCol)].eSortType,
                                  table.GetCellView(left.row(), nCol),
                                  table.GetCellView(right.row(), nCol));
    } else {
        result = SortRank(left) - SortRank(right);
    }
    if (result != 0) {
        return result < 0;
    }
    // A descending sort asks lessThan(right, left): equal rows stay in the table's order then too.
    return sortOrder() == Qt::AscendingOrder ? left.row() < right.row() : left.row() > right.row();
}

bool CResultProxyModel::filterAcceptsRow(int nSourceRow,
                                         const QModelIndex& /*sourceParent*/) const {
    if (m_bProblemsOnly && !m_source.IsProblemRow(nSourceRow)) {
        return false;
    }
    if (m_strText.isEmpty()) {
        return true;
    }
    for (int col = 0; col < m_source.columnCount(); ++col) {
        if (m_source.index(nSourceRow, col)
                .data()
                .toString()
                .contains(m_strText, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

} // namespace tessaray
