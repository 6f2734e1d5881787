#pragma once

#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

namespace tessaray {

class CResultModel;

// Sorts and filters the rows of a CResultModel for the view; the table below keeps its order.
// The eighteen columns compare as their column type says (numbers, decimals, text without case),
// the columns after them by what they mean; equal values keep the table's order in either
// direction. The filter lets through the rows that hold a text in any cell, whatever its case,
// and, with "problems only", only the rows CResultModel::IsProblemRow names.
class CResultProxyModel final : public QSortFilterProxyModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CResultProxyModel)

public:
    CResultProxyModel(CResultModel& source, QObject* parent);

    // An empty text and no bProblemsOnly let every row through.
    void SetFilter(const QString& text, bool bProblemsOnly);
    // The table rows shown, top to bottom.
    std::vector<int> ShownSourceRows() const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int nSourceRow, const QModelIndex& sourceParent) const override;

private:
    CResultModel& m_source;
    QString m_strText;
    bool m_bProblemsOnly = false;
};

} // namespace tessaray
