// SPDX-License-Identifier: MIT
#include "folderview/DefaultThumbnails.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int Side = 76;

// A dark tile with a small landscape picture (frame, hill, sun) in `colour`.
QImage PictureTile(const QColor& colour) {
    QImage tile(Side, Side, QImage::Format_RGB32);
    tile.fill(Qt::black);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(QColor(32, 32, 32));
    painter.drawRoundedRect(QRectF(14, 18, 48, 40), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(48, 30), 5, 5);
    QPainterPath hill;
    hill.moveTo(17, 55);
    hill.lineTo(32, 36);
    hill.lineTo(42, 48);
    hill.lineTo(48, 42);
    hill.lineTo(59, 55);
    hill.closeSubpath();
    painter.drawPath(hill);
    return tile;
}

} // namespace

QImage DrawDefaultThumbnail() {
    return PictureTile(QColor(96, 96, 96));
}

QImage DrawErrorThumbnail() {
    QImage tile = PictureTile(QColor(80, 80, 80));
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(208, 32, 32), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(22, 22), QPointF(54, 54));
    painter.drawLine(QPointF(54, 22), QPointF(22, 54));
    return tile;
}
