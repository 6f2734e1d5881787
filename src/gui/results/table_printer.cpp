#include "gui/results/table_printer.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QCoreApplication>
#include <QHeaderView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace tessaray {

namespace {

// The layout's own units: the table is drawn at screen sizes and scaled to the page.
constexpr int kMaxColumnWidth = 320; // wide columns (server header, anchor text) are capped
constexpr int kMinTableWidth = 1000; // narrower tables are not blown up beyond this
constexpr int kFontPixels = 11;
constexpr int kRowHeight = 18;
constexpr int kCellPadding = 3;

QString PageText(int nPage, int nPages) {
    return QCoreApplication::translate("tessaray::CTablePrinter", "Page %1 of %2")
        .arg(nPage)
        .arg(nPages);
}

} // namespace

CTablePrinter::CTablePrinter(const QTableView& view, QString title)
    : m_view(view), m_strTitle(std::move(title)) {}

int CTablePrinter::Print(QPagedPaintDevice& device) const {
    const QAbstractItemModel* model = m_view.model();
    if (model == nullptr) {
        return 0;
    }
    struct SColumn {
        int nColumn;
        int nX;
        int nWidth;
    };
    std::vector<SColumn> columns;
    int tableWidth = 0;
    for (int col = 0; col < model->columnCount(); ++col) {
        const int width = std::min(m_view.columnWidth(col), kMaxColumnWidth);
        if (!m_view.isColumnHidden(col) && width > 0) {
            columns.push_back({col, tableWidth, width});
            tableWidth += width;
        }
    }
    std::vector<int> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (!m_view.isRowHidden(row)) {
            rows.push_back(row);
        }
    }

    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    // The painter's units become the layout's: the table's width fills the page's width.
    const QRect page = painter.viewport();
    const double scale = static_cast<double>(page.width()) / std::max(tableWidth, kMinTableWidth);
    painter.scale(scale, scale);
    const int pageWidth = static_cast<int>(page.width() / scale);
    const int pageHeight = static_cast<int>(page.height() / scale);
    // Title line, header row, the rows, a gap and the page-number line.
    const int rowsPerPage = std::max(1, pageHeight / kRowHeight - 4);
    const int pageCount =
        std::max(1, static_cast<int>((rows.size() + rowsPerPage - 1) / rowsPerPage));

    QFont font = m_view.font();
    font.setPixelSize(kFontPixels);
    QFont bold = font;
    bold.setBold(true);
    const auto drawCell = [&painter](const QRect& cell, const QString& text, int alignment) {
        const QRect inner = cell.adjusted(kCellPadding, 0, -kCellPadding, 0);
        painter.drawText(inner, alignment,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
    };
    const auto alignmentOf = [](const QVariant& value) {
        const int horizontal = value.isValid() ? value.toInt() & Qt::AlignHorizontal_Mask : 0;
        return (horizontal != 0 ? horizontal : static_cast<int>(Qt::AlignLeft)) |
               static_cast<int>(Qt::AlignVCenter);
    };

    for (int nPage = 0; nPage < pageCount; ++nPage) {
        if (nPage > 0 && !device.newPage()) {
            break;
        }
        painter.setFont(bold);
        painter.setPen(Qt::black);
        drawCell(QRect(0, 0, pageWidth, kRowHeight), m_strTitle, Qt::AlignLeft | Qt::AlignVCenter);
        int y = kRowHeight;
        painter.fillRect(QRect(0, y, tableWidth, kRowHeight), QColor(0xE8, 0xE8, 0xE8));
        for (const SColumn& column : columns) {
            const QRect cell(column.nX, y, column.nWidth, kRowHeight);
            painter.drawRect(cell);
            drawCell(cell, model->headerData(column.nColumn, Qt::Horizontal).toString(),
                     alignmentOf(
                         model->headerData(column.nColumn, Qt::Horizontal, Qt::TextAlignmentRole)));
        }
        painter.setFont(font);
        const std::size_t first = static_cast<std::size_t>(nPage) * rowsPerPage;
        const std::size_t last = std::min(rows.size(), first + rowsPerPage);
        for (std::size_t i = first; i < last; ++i) {
            y += kRowHeight;
            for (const SColumn& column : columns) {
                const QModelIndex index = model->index(rows[i], column.nColumn);
                const QRect cell(column.nX, y, column.nWidth, kRowHeight);
                const QVariant background = index.data(Qt::BackgroundRole);
                if (background.canConvert<QBrush>()) {
                    painter.fillRect(cell, background.value<QBrush>());
                }
                painter.setPen(Qt::gray);
                painter.drawRect(cell);
                painter.setPen(Qt::black);
                drawCell(cell, index.data(Qt::DisplayRole).toString(),
                         alignmentOf(index.data(Qt::TextAlignmentRole)));
            }
        }
        drawCell(QRect(0, pageHeight - kRowHeight, pageWidth, kRowHeight),
                 PageText(nPage + 1, pageCount), Qt::AlignHCenter | Qt::AlignVCenter);
    }
    painter.end();
    return pageCount;
}

} // namespace tessaray
