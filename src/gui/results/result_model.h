#pragma once

#include "core/results/result_table.h"

#include <QAbstractTableModel>

namespace tessaray {

// Shows a CResultTable to Qt's item views without copying it: every read goes to the table, and
// the table's change notifications become the model's signals.
class CResultModel final : public QAbstractTableModel, private IResultTableListener {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CResultModel)

public:
    CResultModel(CResultTable& table, QObject* parent);
    ~CResultModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views that the column titles changed (after the table chose its language).
    void ColumnsChanged();

private:
    void OnBeginReset() override;
    void OnEndReset() override;
    void OnBeginInsertRow(int nRow) override;
    void OnEndInsertRow(int nRow) override;
    void OnCellChanged(int nRow, int nCol) override;
    void OnBeginReorder() override;
    void OnEndReorder(const std::vector<int>& oldRowOf) override;

    CResultTable& m_table;
};

} // namespace tessaray
