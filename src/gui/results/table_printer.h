#pragma once

#include <QString>

class QPagedPaintDevice;
class QTableView;

namespace tessaray {

// Lays out the rows and columns a table view shows on printed pages: the column titles on top of
// every page, the title left above them and "page of pages" at the foot. Columns keep their
// proportions from the screen (very wide ones are capped) and the whole table is scaled to the page
// width; cell texts that do not fit are cut off with an ellipsis.
class CTablePrinter final {
public:
    // title: printed above the table on every page (may be empty).
    CTablePrinter(const QTableView& view, QString title);

    // Paints every page on device (a printer or a PDF writer, its page layout as set); returns the
    // number of pages, 0 when the device cannot be painted on.
    int Print(QPagedPaintDevice& device) const;

private:
    const QTableView& m_view;
    QString m_strTitle;
};

} // namespace tessaray
