#pragma once

#include <QObject>

class QPoint;
class QTableView;

namespace tessaray {

// Keeps the leading columns of a table view, up to and including an anchor column, in place
// while the view scrolls sideways: a second view over the table's left edge shows just those
// columns, with the same model, selection, widths and order, and scrolls up and down with it.
// When the leading columns would take more than half of the table's width, nothing is frozen.
class CFrozenColumns final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFrozenColumns)

public:
    CFrozenColumns(QTableView& view, int nAnchorColumn);

    // The width the frozen columns cover over the view's cells (0 when nothing is frozen).
    int Width() const;
    bool IsFrozen(int nColumn) const;
    // Takes over the view's column order, widths, hidden columns and sort indicator.
    void Update();
    QTableView& Overlay() { return *m_overlay; }

signals:
    void HeaderClicked(int nColumn);
    void HeaderMenuRequested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView& m_view;
    QTableView* m_overlay = nullptr;
    int m_nAnchorColumn;
    int m_nWidth = 0;
};

} // namespace tessaray
