// SPDX-License-Identifier: MIT
// The drawing calls of the metafile canvas: shapes, text and bitmaps in logical units.
#include "imaging/MetafileCanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace {

// Largest font and pen sizes drawn, in target pixels.
constexpr double MaxFontPixels = 4096;
constexpr double MaxPenPixels = 16384;
// Text height, in pixels of the recording device, of a font that leaves it to the device.
constexpr double DefaultFontPixels = 16;

Qt::BrushStyle HatchStyle(quint32 hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

} // namespace

void TMetafileCanvas::Track(const QRectF& deviceRect) {
    if (std::isfinite(deviceRect.x()) && std::isfinite(deviceRect.y()) &&
        std::isfinite(deviceRect.width()) && std::isfinite(deviceRect.height()))
        drawnBounds_ |= deviceRect;
}

QPen TMetafileCanvas::MakePen(const QTransform& toTarget) const {
    const TGdiPen& gdi = state_.pen;
    QPen pen(gdi.color);
    switch (gdi.style & Gdi::PsStyleMask) {
    case Gdi::PsDash:
        pen.setStyle(Qt::DashLine);
        break;
    case Gdi::PsDot:
        pen.setStyle(Qt::DotLine);
        break;
    case Gdi::PsDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case Gdi::PsDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    // Thinner than a pixel on the target: one pixel, as a cosmetic pen.
    const double scale = std::sqrt(std::abs(toTarget.determinant()));
    const double targetWidth = std::abs(gdi.width) * scale;
    if (!(targetWidth >= 1.0) || !std::isfinite(targetWidth))
        pen.setWidth(0);
    else
        pen.setWidthF(std::min(targetWidth, MaxPenPixels) / scale);
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    if (gdi.style & Gdi::PsGeometric) {
        if ((gdi.style & Gdi::PsEndCapMask) == Gdi::PsEndCapSquare)
            cap = Qt::SquareCap;
        else if ((gdi.style & Gdi::PsEndCapMask) == Gdi::PsEndCapFlat)
            cap = Qt::FlatCap;
        if ((gdi.style & Gdi::PsJoinMask) == Gdi::PsJoinBevel)
            join = Qt::BevelJoin;
        else if ((gdi.style & Gdi::PsJoinMask) == Gdi::PsJoinMiter)
            join = Qt::MiterJoin;
    }
    pen.setCapStyle(cap);
    pen.setJoinStyle(join);
    return pen;
}

QBrush TMetafileCanvas::MakeBrush() const {
    const TGdiBrush& gdi = state_.brush;
    switch (gdi.style) {
    case Gdi::BsNull:
        return Qt::NoBrush;
    case Gdi::BsHatched:
        return QBrush(gdi.color, HatchStyle(gdi.hatch));
    case Gdi::BsPattern:
    case Gdi::BsDibPattern:
    case Gdi::BsDibPatternPt:
        if (!gdi.pattern.isNull())
            return QBrush(gdi.pattern);
        return QBrush(gdi.color, Qt::Dense4Pattern);
    default:
        return QBrush(gdi.color);
    }
}

void TMetafileCanvas::Draw(QPainterPath path, bool fill, bool stroke, Figure figure) {
    const QTransform l2d = LogicalToDevice();
    if (inPath_) {
        const QPainterPath device = l2d.map(path);
        if (figure == Figure::Continue && figureOpen_)
            path_.connectPath(device);
        else
            path_.addPath(device);
        figureOpen_ = figure == Figure::Continue;
        return;
    }
    if (!painter_) {
        Track(l2d.mapRect(path.controlPointRect()));
        return;
    }
    const QTransform toTarget = l2d * base_;
    path.setFillRule(state_.polyFillMode == Gdi::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    painter_->setTransform(toTarget);
    if (fill && state_.brush.style != Gdi::BsNull) {
        QBrush brush = MakeBrush();
        if (brush.style() != Qt::SolidPattern) {
            // Hatches and patterns are laid out in target pixels, not logical units.
            brush.setTransform(toTarget.inverted());
            if (state_.bkMode == Gdi::Opaque && state_.brush.style == Gdi::BsHatched)
                painter_->fillPath(path, state_.bkColor);
        }
        painter_->fillPath(path, brush);
    }
    if (stroke && (state_.pen.style & Gdi::PsStyleMask) != Gdi::PsNull)
        painter_->strokePath(path, MakePen(toTarget));
}

void TMetafileCanvas::DrawDevicePath(QPainterPath devicePath, bool fill, bool stroke) {
    bool invertible = false;
    const QTransform d2l = LogicalToDevice().inverted(&invertible);
    if (invertible) {
        const bool saved = inPath_;
        inPath_ = false;
        Draw(d2l.map(devicePath), fill, stroke);
        inPath_ = saved;
    }
}

void TMetafileCanvas::LineTo(QPointF p) {
    QPainterPath path(state_.current);
    path.lineTo(p);
    Draw(path, false, true, Figure::Continue);
    state_.current = p;
}

void TMetafileCanvas::Polyline(const QPolygonF& points) {
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    Draw(path, false, true);
}

void TMetafileCanvas::PolylineTo(const QPolygonF& points) {
    if (points.isEmpty())
        return;
    QPainterPath path(state_.current);
    for (const QPointF& p : points)
        path.lineTo(p);
    Draw(path, false, true, Figure::Continue);
    state_.current = points.last();
}

void TMetafileCanvas::PolyBezier(const QPolygonF& points) {
    if (points.size() < 4)
        return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    Draw(path, false, true);
}

void TMetafileCanvas::PolyBezierTo(const QPolygonF& points) {
    if (points.size() < 3)
        return;
    QPainterPath path(state_.current);
    qsizetype i = 0;
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    Draw(path, false, true, Figure::Continue);
    state_.current = points[i - 1];
}

void TMetafileCanvas::Polygon(const QPolygonF& points) {
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    Draw(path, true, true);
}

void TMetafileCanvas::PolyPolygon(const QList<QPolygonF>& polygons) {
    QPainterPath path;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.size() < 2)
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    if (!path.isEmpty())
        Draw(path, true, true);
}

void TMetafileCanvas::PolyPolyline(const QList<QPolygonF>& polylines) {
    QPainterPath path;
    for (const QPolygonF& polyline : polylines)
        if (polyline.size() >= 2)
            path.addPolygon(polyline);
    if (!path.isEmpty())
        Draw(path, false, true);
}

void TMetafileCanvas::Rectangle(const QRectF& r) {
    QPainterPath path;
    path.addRect(r.normalized());
    Draw(path, true, true);
}

void TMetafileCanvas::RoundRect(const QRectF& r, QSizeF corner) {
    QPainterPath path;
    path.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2,
                        std::abs(corner.height()) / 2);
    Draw(path, true, true);
}

void TMetafileCanvas::Ellipse(const QRectF& r) {
    QPainterPath path;
    path.addEllipse(r.normalized());
    Draw(path, true, true);
}

QPainterPath TMetafileCanvas::ArcPath(ArcKind kind, const QRectF& rawBox, QPointF start,
                                      QPointF end) const {
    const QRectF box = rawBox.normalized();
    const QPointF c = box.center();
    const double rx = box.width() / 2, ry = box.height() / 2;
    QPainterPath path;
    if (!(rx > 0) || !(ry > 0))
        return path;
    // The radial through each point meets the ellipse at this parametric angle (degrees,
    // counter-clockwise on screen, zero at three o'clock).
    auto angle = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / std::numbers::pi;
    };
    const double a0 = angle(start);
    double sweep = std::fmod(angle(end) - a0, 360.0);
    if (state_.arcClockwise) {
        if (sweep >= 0)
            sweep -= 360;
    } else if (sweep <= 0) {
        sweep += 360;
    }
    switch (kind) {
    case ArcKind::Arc:
    case ArcKind::Chord:
        path.arcMoveTo(box, a0);
        break;
    case ArcKind::ArcTo: {
        QPainterPath probe;
        probe.arcMoveTo(box, a0);
        path.moveTo(state_.current);
        path.lineTo(probe.currentPosition());
        break;
    }
    case ArcKind::Pie:
        path.moveTo(c);
        break;
    }
    path.arcTo(box, a0, sweep);
    if (kind == ArcKind::Chord || kind == ArcKind::Pie)
        path.closeSubpath();
    return path;
}

void TMetafileCanvas::Arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end) {
    const QPainterPath path = ArcPath(kind, box, start, end);
    if (path.isEmpty())
        return;
    const bool closed = kind == ArcKind::Chord || kind == ArcKind::Pie;
    Draw(path, closed, true, kind == ArcKind::ArcTo ? Figure::Continue : Figure::Separate);
    if (kind == ArcKind::ArcTo)
        state_.current = path.currentPosition();
}

void TMetafileCanvas::SetPixel(QPointF p, QColor c) {
    if (inPath_)
        return;
    const QPointF d = LogicalToDevice().map(p);
    const QRectF pixel(std::floor(d.x()), std::floor(d.y()), 1, 1);
    if (!painter_) {
        Track(pixel);
        return;
    }
    painter_->setTransform(base_);
    painter_->fillRect(pixel, c);
}

void TMetafileCanvas::TextOut(QPointF reference, const QString& text, quint32 options,
                              const QRectF* rect, const QList<double>& dx) {
    if (inPath_)
        return;
    if (state_.textAlign & Gdi::TaUpdateCp)
        reference = state_.current;
    const QTransform l2d = LogicalToDevice();
    const QPointF device = l2d.map(reference);
    if (!painter_) {
        if (rect)
            Track(l2d.mapRect(rect->normalized()));
        Track(QRectF(device, QSizeF(1, 1)));
        return;
    }
    const QTransform toTarget = l2d * base_;
    if (rect && (options & Gdi::EtoOpaque)) {
        painter_->setTransform(toTarget);
        painter_->fillRect(rect->normalized(), state_.bkColor);
    }
    const QPointF at = toTarget.map(reference);
    if (text.isEmpty() || !std::isfinite(at.x()) || !std::isfinite(at.y()))
        return;

    // Text is laid out in the painter's pixels at the reference point, upright whatever the
    // mapping (only the escapement turns it): the font height and advances are converted
    // from logical units, and glyphs never pass through a squashing or mirroring transform.
    const double scaleX = std::hypot(toTarget.m11(), toTarget.m12());
    const double scaleY = std::hypot(toTarget.m21(), toTarget.m22());
    const double pixels = state_.font.height == 0
                              ? DefaultFontPixels * std::hypot(base_.m21(), base_.m22())
                              : std::abs(state_.font.height) * scaleY;
    if (!(pixels >= 1))
        return; // too small to show
    QFont font;
    if (!state_.font.face.isEmpty())
        font.setFamily(state_.font.face);
    font.setPixelSize(int(std::lround(std::min(pixels, MaxFontPixels))));
    font.setWeight(
        QFont::Weight(std::clamp(state_.font.weight == 0 ? 400 : state_.font.weight, 1, 1000)));
    font.setItalic(state_.font.italic);
    font.setUnderline(state_.font.underline);
    font.setStrikeOut(state_.font.strikeOut);
    const QFontMetricsF metrics(font);

    const bool perChar = dx.size() >= text.size();
    QList<double> offsets;
    double width = 0;
    if (perChar) {
        offsets.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            offsets.append(width);
            width += dx[i] * scaleX;
        }
    } else {
        width = metrics.horizontalAdvance(text);
    }
    if (!std::isfinite(width))
        return;
    double x = 0;
    if ((state_.textAlign & Gdi::TaHorizontalMask) == Gdi::TaCenter)
        x = -width / 2;
    else if ((state_.textAlign & Gdi::TaHorizontalMask) == Gdi::TaRight)
        x = -width;
    double y = metrics.ascent();
    if ((state_.textAlign & Gdi::TaVerticalMask) == Gdi::TaBaseline)
        y = 0;
    else if ((state_.textAlign & Gdi::TaVerticalMask) == Gdi::TaBottom)
        y = -metrics.descent();

    painter_->save();
    if (rect && (options & Gdi::EtoClipped)) {
        painter_->setTransform(toTarget);
        painter_->setClipRect(rect->normalized(), Qt::IntersectClip);
    }
    QTransform place = QTransform::fromTranslate(at.x(), at.y());
    if (state_.font.escapement != 0)
        place.rotate(-state_.font.escapement / 10.0);
    painter_->setTransform(place);
    if (state_.bkMode == Gdi::Opaque)
        painter_->fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()),
                           state_.bkColor);
    painter_->setFont(font);
    painter_->setPen(state_.textColor);
    if (perChar) {
        for (qsizetype i = 0; i < text.size(); ++i)
            painter_->drawText(QPointF(x + offsets[i], y), QString(text[i]));
    } else {
        painter_->drawText(QPointF(x, y), text);
    }
    painter_->restore();
    if ((state_.textAlign & Gdi::TaUpdateCp) && scaleX > 0)
        state_.current.rx() += width / scaleX;
}

void TMetafileCanvas::DrawImage(const QRectF& dest, const QImage& image, const QRectF& source,
                                quint32 rop) {
    if (inPath_)
        return;
    const QTransform l2d = LogicalToDevice();
    if (!painter_) {
        Track(l2d.mapRect(dest.normalized()));
        return;
    }
    if (image.isNull() || dest.width() == 0 || dest.height() == 0 || source.width() == 0 ||
        source.height() == 0)
        return;
    // Opposite signs of source and destination extents mirror the picture.
    const bool flipX = (dest.width() < 0) != (source.width() < 0);
    const bool flipY = (dest.height() < 0) != (source.height() < 0);
    QImage picture = image;
    QRectF from = source.normalized();
    if (flipX || flipY) {
        picture = image.mirrored(flipX, flipY);
        if (flipX)
            from.moveLeft(image.width() - from.right());
        if (flipY)
            from.moveTop(image.height() - from.bottom());
    }
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    const bool rasterOps =
        painter_->paintEngine() && painter_->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (rop == Gdi::NotSrcCopy) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
        picture.invertPixels();
    } else if (rasterOps && rop == Gdi::SrcPaint) {
        mode = QPainter::RasterOp_SourceOrDestination;
    } else if (rasterOps && rop == Gdi::SrcAnd) {
        mode = QPainter::RasterOp_SourceAndDestination;
    } else if (rasterOps && rop == Gdi::SrcInvert) {
        mode = QPainter::RasterOp_SourceXorDestination;
    }
    painter_->setTransform(l2d * base_);
    painter_->setCompositionMode(mode);
    painter_->drawImage(dest.normalized(), picture, from);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TMetafileCanvas::PatBlt(const QRectF& dest, quint32 rop) {
    if (inPath_)
        return;
    const QTransform l2d = LogicalToDevice();
    if (!painter_) {
        Track(l2d.mapRect(dest.normalized()));
        return;
    }
    const bool rasterOps =
        painter_->paintEngine() && painter_->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    QBrush brush;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop) {
    case Gdi::PatCopy:
        if (state_.brush.style == Gdi::BsNull)
            return;
        brush = MakeBrush();
        break;
    case Gdi::Blackness:
        brush = QBrush(Qt::black);
        break;
    case Gdi::Whiteness:
        brush = QBrush(Qt::white);
        break;
    case Gdi::DstInvert:
        if (!rasterOps)
            return;
        brush = QBrush(Qt::white);
        mode = QPainter::RasterOp_NotDestination;
        break;
    case Gdi::PatInvert:
        if (!rasterOps || state_.brush.style == Gdi::BsNull)
            return;
        brush = MakeBrush();
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    default:
        return;
    }
    painter_->setTransform(l2d * base_);
    painter_->setCompositionMode(mode);
    painter_->fillRect(dest.normalized(), brush);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}
