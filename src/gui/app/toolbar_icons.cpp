#include "gui/app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tessaray {

namespace {

// Every picture is drawn on a 22 by 18 grid (the toolbar's button size) and rendered at 1x and 2x.
QIcon Draw(const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(22 * scale, 18 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor kInk(0x37, 0x47, 0x4f);

QPen Pen(const QColor& color, qreal width = 1.2) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(6.5, 1.5);
    page.lineTo(13.5, 1.5);
    page.lineTo(16.5, 4.5);
    page.lineTo(16.5, 16.5);
    page.lineTo(6.5, 16.5);
    page.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(13.5, 1.5), QPointF(13.5, 4.5));
    p.drawLine(QPointF(13.5, 4.5), QPointF(16.5, 4.5));
}

void Circle(QPainter& p, const QColor& fill, const QString& letter) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(QRectF(3.5, 1.5, 15, 15));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3.5, 1.5, 15, 15), Qt::AlignCenter, letter);
}

void Grid(QPainter& p, const QColor& header) {
    p.setPen(Pen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 2.5, 15, 13));
    p.fillRect(QRectF(4, 3, 14, 3), header);
    p.drawLine(QPointF(3.5, 6.5), QPointF(18.5, 6.5));
    p.drawLine(QPointF(3.5, 9.5), QPointF(18.5, 9.5));
    p.drawLine(QPointF(3.5, 12.5), QPointF(18.5, 12.5));
    p.drawLine(QPointF(8.5, 2.5), QPointF(8.5, 15.5));
    p.drawLine(QPointF(13.5, 2.5), QPointF(13.5, 15.5));
}

} // namespace

QIcon ToolbarIcon(EToolbarIcon icon) {
    switch (icon) {
    case EToolbarIcon::New:
        return Draw([](QPainter& p) {
            Page(p);
            p.setPen(Pen(QColor(0x2e, 0x7d, 0x32), 1.6));
            p.drawLine(QPointF(11.5, 8), QPointF(11.5, 14));
            p.drawLine(QPointF(8.5, 11), QPointF(14.5, 11));
        });
    case EToolbarIcon::Open:
        return Draw([](QPainter& p) {
            p.setPen(Pen(QColor(0x8d, 0x6e, 0x18)));
            p.setBrush(QColor(0xf4, 0xc4, 0x3a));
            QPainterPath folder;
            folder.moveTo(2.5, 4.5);
            folder.lineTo(8.5, 4.5);
            folder.lineTo(10, 6);
            folder.lineTo(18.5, 6);
            folder.lineTo(18.5, 15.5);
            folder.lineTo(2.5, 15.5);
            folder.closeSubpath();
            p.drawPath(folder);
            p.setBrush(QColor(0xfb, 0xdc, 0x7a));
            p.drawPolygon(QPolygonF(
                {QPointF(4.5, 8.5), QPointF(20.5, 8.5), QPointF(18.5, 15.5), QPointF(2.5, 15.5)}));
        });
    case EToolbarIcon::Save:
        return Draw([](QPainter& p) {
            p.setPen(Pen(QColor(0x1a, 0x3c, 0x6e)));
            p.setBrush(QColor(0x3d, 0x6f, 0xb6));
            p.drawRoundedRect(QRectF(3.5, 1.5, 15, 15), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 1.5, 9, 5));
            p.setBrush(QColor(0xe3, 0xe8, 0xef));
            p.drawRect(QRectF(6.5, 10.5, 9, 6));
        });
    case EToolbarIcon::EditProject:
        return Draw([](QPainter& p) {
            Page(p);
            p.setPen(Pen(QColor(0xc6, 0x62, 0x0b), 2.2));
            p.drawLine(QPointF(9, 14), QPointF(17.5, 5.5));
            p.setPen(Pen(kInk, 1));
            p.drawLine(QPointF(8, 15.5), QPointF(9.5, 13.5));
        });
    case EToolbarIcon::Start:
        return Draw([](QPainter& p) {
            p.setPen(Pen(QColor(0x1b, 0x5e, 0x20)));
            p.setBrush(QColor(0x43, 0xa0, 0x47));
            p.drawPolygon(QPolygonF({QPointF(6.5, 2.5), QPointF(17.5, 9), QPointF(6.5, 15.5)}));
        });
    case EToolbarIcon::Stop:
        return Draw([](QPainter& p) {
            p.setPen(Pen(QColor(0x8e, 0x1b, 0x1b)));
            p.setBrush(QColor(0xd3, 0x2f, 0x2f));
            p.drawRoundedRect(QRectF(5.5, 3.5, 11, 11), 1.5, 1.5);
        });
    case EToolbarIcon::Spreadsheet:
        return Draw([](QPainter& p) { Grid(p, QColor(0x43, 0xa0, 0x47)); });
    case EToolbarIcon::Browser:
        return Draw([](QPainter& p) {
            p.setPen(Pen(QColor(0x0d, 0x47, 0xa1)));
            p.setBrush(QColor(0xbb, 0xde, 0xfb));
            p.drawEllipse(QRectF(3.5, 1.5, 15, 15));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(7.5, 1.5, 7, 15));
            p.drawLine(QPointF(3.5, 9), QPointF(18.5, 9));
            p.drawLine(QPointF(11, 1.5), QPointF(11, 16.5));
        });
    case EToolbarIcon::About:
        return Draw([](QPainter& p) { Circle(p, QColor(0x19, 0x76, 0xd2), QStringLiteral("i")); });
    case EToolbarIcon::Help:
        return Draw([](QPainter& p) { Circle(p, QColor(0x6a, 0x1b, 0x9a), QStringLiteral("?")); });
    case EToolbarIcon::Homepage:
        return Draw([](QPainter& p) {
            p.setPen(Pen(QColor(0x8e, 0x1b, 0x1b)));
            p.setBrush(QColor(0xe5, 0x73, 0x73));
            p.drawPolygon(QPolygonF({QPointF(2.5, 9), QPointF(11, 1.5), QPointF(19.5, 9)}));
            p.setPen(Pen(kInk));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5.5, 9, 11, 7.5));
            p.setBrush(QColor(0x8d, 0x6e, 0x63));
            p.drawRect(QRectF(9.5, 11.5, 3, 5));
        });
    }
    return {};
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x5f, 0xa8));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(12, 14, 40, 36), 3, 3);
        p.setBrush(QColor(0x9c, 0xc3, 0xee));
        p.drawRect(QRectF(12, 14, 40, 9));
        p.setPen(QPen(QColor(0x9c, 0xc3, 0xee), 2));
        p.drawLine(QPointF(12, 32), QPointF(52, 32));
        p.drawLine(QPointF(12, 41), QPointF(52, 41));
        p.setPen(QPen(QColor(0x2e, 0x9d, 0x4a), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(30, 38), QPointF(37, 45), QPointF(54, 24)}));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tessaray
