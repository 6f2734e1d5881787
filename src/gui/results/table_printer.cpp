#include "gui/results/table_printer.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tessaray {

namespace {

// Wide unwrapped columns (server header, anchor text) take at most this share of a page; wrapped
// ones at most half of it.
constexpr double kMaxColumnShare = 0.35;
constexpr double kMaxWrappedShare = 0.5;

QString PageText(int nPage, int nPages) {
    return QCoreApplication::translate("tessaray::CTablePrinter", "Page %1 of %2")
        .arg(nPage)
        .arg(nPages);
}

// Wrapped text breaks between words; a word wider than the cell (a URL) breaks anywhere.
int WrapFlags(const QFontMetricsF& metrics, const QString& text, double width) {
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")));
    const bool bFits = std::all_of(words.begin(), words.end(), [&](const QString& word) {
        return metrics.horizontalAdvance(word) <= width;
    });
    return bFits ? Qt::TextWordWrap : Qt::TextWrapAnywhere;
}

QFont PrintFont() {
    QFont font = QGuiApplication::font();
    font.setPointSizeF(CTablePrinter::kFontPoints);
    return font;
}

int AlignmentOf(const QVariant& value) {
    const int horizontal = value.isValid() ? value.toInt() & Qt::AlignHorizontal_Mask : 0;
    return (horizontal != 0 ? horizontal : static_cast<int>(Qt::AlignLeft)) |
           static_cast<int>(Qt::AlignTop);
}

} // namespace

CTablePrinter::CTablePrinter(const QAbstractItemModel& model, std::vector<SPrintColumn> columns,
                             QString title)
    : m_model(model), m_columns(std::move(columns)), m_strTitle(std::move(title)) {}

QString CTablePrinter::Text(int nRow, int nColumn) const {
    const SPrintColumn& column = m_columns[static_cast<std::size_t>(nColumn)];
    QString text = m_model.index(nRow, column.nColumn).data(column.nRole).toString();
    if (!column.bWrap) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return text;
}

CTablePrinter::SLayout CTablePrinter::Layout(QPaintDevice& device) const {
    SLayout layout;
    const QFontMetricsF metrics(PrintFont(), &device);
    const int padding = static_cast<int>(std::ceil(metrics.averageCharWidth() / 2));
    const int lineHeight = static_cast<int>(std::ceil(metrics.lineSpacing()));
    layout.pageWidth = device.width();
    const int rows = m_model.rowCount();

    QFont bold = PrintFont();
    bold.setBold(true);
    const QFontMetricsF titleMetrics(bold, &device);
    // Each column as wide as its widest text (its title in bold), within its share of the page.
    for (std::size_t col = 0; col < m_columns.size(); ++col) {
        const SPrintColumn& column = m_columns[col];
        double widest = titleMetrics.horizontalAdvance(column.strTitle);
        for (int row = 0; row < rows; ++row) {
            const QString text = Text(row, static_cast<int>(col));
            for (const QString& line : text.split(QLatin1Char('\n'))) {
                widest = std::max(widest, metrics.horizontalAdvance(line));
            }
        }
        const double share = column.bWrap ? kMaxWrappedShare : kMaxColumnShare;
        layout.columnWidths.push_back(
            static_cast<int>(std::ceil(std::min(widest, layout.pageWidth * share))) + 2 * padding);
    }
    // Each row as high as its longest wrapped text.
    for (int row = 0; row < rows; ++row) {
        int height = lineHeight;
        for (std::size_t col = 0; col < m_columns.size(); ++col) {
            if (m_columns[col].bWrap) {
                const double width = layout.columnWidths[col] - 2 * padding;
                const QString text = Text(row, static_cast<int>(col));
                const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width, 1e6),
                                                           WrapFlags(metrics, text, width), text);
                height = std::max(height, static_cast<int>(std::ceil(bounds.height())));
            }
        }
        layout.rowHeights.push_back(height + padding);
    }
    // Bands across: as many columns as fit; the first column starts each further band.
    SLayout::SBand band;
    int used = 0;
    for (int col = 0; col < static_cast<int>(m_columns.size()); ++col) {
        const int width = layout.columnWidths[static_cast<std::size_t>(col)];
        if (!band.columns.empty() && used + width > layout.pageWidth) {
            layout.bands.push_back(band);
            band.columns = {0};
            used = layout.columnWidths[0];
            if (used + width > layout.pageWidth) {
                band.columns.clear();
                used = 0;
            }
        }
        band.columns.push_back(col);
        used += width;
    }
    if (!band.columns.empty() || layout.bands.empty()) {
        layout.bands.push_back(band);
    }
    // Pages down: the title, the header and the page number take a line each.
    const int headerHeight = lineHeight + padding;
    const int rowSpace =
        std::max(lineHeight, device.height() - 2 * lineHeight - headerHeight - padding);
    layout.firstRowOfPage.push_back(0);
    int filled = 0;
    for (int row = 0; row < rows; ++row) {
        const int height = layout.rowHeights[static_cast<std::size_t>(row)];
        if (filled > 0 && filled + height > rowSpace) {
            layout.firstRowOfPage.push_back(row);
            filled = 0;
        }
        filled += height;
    }
    return layout;
}

int CTablePrinter::Print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    const SLayout layout = Layout(device);
    const QFont font = PrintFont();
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &device);
    const int padding = static_cast<int>(std::ceil(metrics.averageCharWidth() / 2));
    const int lineHeight = static_cast<int>(std::ceil(metrics.lineSpacing()));
    const int headerHeight = lineHeight + padding;
    const int pageCount = layout.PageCount();
    const int rows = m_model.rowCount();

    const auto drawText = [&painter, &metrics, padding](const QRect& cell, const QString& text,
                                                        int alignment, bool bWrap) {
        const QRect inner = cell.adjusted(padding, padding / 2, -padding, 0);
        if (bWrap) {
            painter.drawText(inner, alignment | WrapFlags(metrics, text, inner.width()), text);
        } else {
            painter.drawText(inner, alignment,
                             painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
        }
    };

    int nPage = 0;
    for (std::size_t down = 0; down < layout.firstRowOfPage.size(); ++down) {
        const int first = layout.firstRowOfPage[down];
        const int last =
            down + 1 < layout.firstRowOfPage.size() ? layout.firstRowOfPage[down + 1] : rows;
        for (const SLayout::SBand& band : layout.bands) {
            if (nPage > 0 && !device.newPage()) {
                painter.end();
                return nPage;
            }
            ++nPage;
            painter.setFont(bold);
            painter.setPen(Qt::black);
            drawText(QRect(0, 0, layout.pageWidth, lineHeight), m_strTitle, Qt::AlignLeft, false);
            int y = lineHeight;
            int x = 0;
            for (const int col : band.columns) {
                const int width = layout.columnWidths[static_cast<std::size_t>(col)];
                const QRect cell(x, y, width, headerHeight);
                painter.fillRect(cell, QColor(0xE8, 0xE8, 0xE8));
                painter.drawRect(cell);
                drawText(cell, m_columns[static_cast<std::size_t>(col)].strTitle, Qt::AlignLeft,
                         false);
                x += width;
            }
            y += headerHeight;
            painter.setFont(font);
            for (int row = first; row < last; ++row) {
                const int height = layout.rowHeights[static_cast<std::size_t>(row)];
                x = 0;
                for (const int col : band.columns) {
                    const SPrintColumn& column = m_columns[static_cast<std::size_t>(col)];
                    const int width = layout.columnWidths[static_cast<std::size_t>(col)];
                    const QRect cell(x, y, width, height);
                    const QModelIndex index = m_model.index(row, column.nColumn);
                    const QVariant background = index.data(Qt::BackgroundRole);
                    if (column.nRole == Qt::DisplayRole && background.canConvert<QBrush>()) {
                        painter.fillRect(cell, background.value<QBrush>());
                    }
                    painter.setPen(Qt::gray);
                    painter.drawRect(cell);
                    painter.setPen(Qt::black);
                    drawText(cell, Text(row, col),
                             column.nRole == Qt::DisplayRole
                                 ? AlignmentOf(index.data(Qt::TextAlignmentRole))
                                 : static_cast<int>(Qt::AlignLeft | Qt::AlignTop),
                             column.bWrap);
                    x += width;
                }
                y += height;
            }
            drawText(QRect(0, device.height() - lineHeight, layout.pageWidth, lineHeight),
                     PageText(nPage, pageCount), Qt::AlignHCenter, false);
        }
    }
    painter.end();
    return pageCount;
}

} // namespace tessaray
