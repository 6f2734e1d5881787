#pragma once

#include <QString>

#include <vector>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPaintDevice;

namespace tessaray {

// One printed column: the model column, the role its texts come from and its title. A wrapped
// column breaks long texts over several lines (partner URLs are printed whole); the others cut
// them off with an ellipsis at a width the page can take.
struct SPrintColumn {
    int nColumn = 0;
    int nRole = 0; // Qt::DisplayRole
    QString strTitle;
    bool bWrap = false;
};

// Lays out the rows of a model on printed pages at a readable size: the column titles on top of
// every page, the title left above them and "page of pages" at the foot. Columns take the width
// of their texts; a table wider than the page continues on further pages to the right, each
// starting with the first column again, so a row can be followed across them.
class CTablePrinter final {
public:
    // The size of the printed text, in points.
    static constexpr double kFontPoints = 9.0;

    // The pages: which columns (indexes into the printer's columns) each band of pages across
    // holds, and which rows each page down holds. Sizes are in the device's units.
    struct SLayout {
        struct SBand {
            std::vector<int> columns;
        };
        std::vector<int> columnWidths;
        std::vector<int> rowHeights;
        std::vector<SBand> bands;
        std::vector<int> firstRowOfPage; // the first row of each page down; one page at least
        int pageWidth = 0;
        int PageCount() const { return static_cast<int>(bands.size() * firstRowOfPage.size()); }
    };

    // title: printed above the table on every page (may be empty).
    CTablePrinter(const QAbstractItemModel& model, std::vector<SPrintColumn> columns,
                  QString title);

    // The pages of the model's rows on device with its page layout as set.
    SLayout Layout(QPaintDevice& device) const;
    // Paints every page on device (a printer or a PDF writer, its page layout as set); returns the
    // number of pages, 0 when the device cannot be painted on.
    int Print(QPagedPaintDevice& device) const;

private:
    QString Text(int nRow, int nColumn) const;

    const QAbstractItemModel& m_model;
    std::vector<SPrintColumn> m_columns;
    QString m_strTitle;
};

} // namespace tessaray
