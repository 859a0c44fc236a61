// SPDX-License-Identifier: MIT
#include "imaging/EmfPlayer.h"

#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/Graphic.h"
#include "imaging/MetafileBitmaps.h"
#include "imaging/MetafileBytes.h"
#include "imaging/MetafileCanvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 HeaderMinSize = 88;
constexpr quint32 Signature = 0x464D4520; // " EMF"
constexpr quint32 StockFlag = 0x80000000;
// Clip regions with more rectangles than this clip to their bounding box.
constexpr qint64 MaxRegionRects = 1024;

// Record types.
namespace Emr {
constexpr quint32 Header = 1, PolyBezier = 2, Polygon = 3, Polyline = 4, PolyBezierTo = 5,
                  PolylineTo = 6, PolyPolyline = 7, PolyPolygon = 8, SetWindowExtEx = 9,
                  SetWindowOrgEx = 10, SetViewportExtEx = 11, SetViewportOrgEx = 12, Eof = 14,
                  SetPixelV = 15, SetMapMode = 17, SetBkMode = 18, SetPolyFillMode = 19,
                  SetTextAlign = 22, SetTextColor = 24, SetBkColor = 25, MoveToEx = 27,
                  ExcludeClipRect = 29, IntersectClipRect = 30, ScaleViewportExtEx = 31,
                  ScaleWindowExtEx = 32, SaveDc = 33, RestoreDc = 34, SetWorldTransform = 35,
                  ModifyWorldTransform = 36, SelectObject = 37, CreatePen = 38,
                  CreateBrushIndirect = 39, DeleteObject = 40, Ellipse = 42, Rectangle = 43,
                  RoundRect = 44, Arc = 45, Chord = 46, Pie = 47, CreatePalette = 49, LineTo = 54,
                  ArcTo = 55, SetArcDirection = 57, BeginPath = 59, EndPath = 60, CloseFigure = 61,
                  FillPath = 62, StrokeAndFillPath = 63, StrokePath = 64, SelectClipPath = 67,
                  AbortPath = 68, ExtSelectClipRgn = 75, BitBlt = 76, StretchBlt = 77,
                  StretchDiBits = 81, ExtCreateFontIndirectW = 82, ExtTextOutA = 83,
                  ExtTextOutW = 84, PolyBezier16 = 85, Polygon16 = 86, Polyline16 = 87,
                  PolyBezierTo16 = 88, PolylineTo16 = 89, PolyPolyline16 = 90, PolyPolygon16 = 91,
                  CreateMonoBrush = 93, CreateDibPatternBrushPt = 94, ExtCreatePen = 95,
                  CreateColorSpace = 99, CreateColorSpaceW = 122;
} // namespace Emr

QPointF PointL(const TLeReader& r, qint64 at) {
    return QPointF(r.S32(at), r.S32(at + 4));
}

QRectF RectL(const TLeReader& r, qint64 at) {
    return QRectF(PointL(r, at), PointL(r, at + 8));
}

// `count` points of 16 or 32-bit coordinates from `at`.
QPolygonF Points(const TLeReader& r, qint64 at, qint64 count, bool small) {
    const int size = small ? 4 : 8;
    r.Need(at, count * size);
    QPolygonF points;
    points.reserve(count);
    for (qint64 i = 0; i < count; ++i, at += size)
        points.append(small ? QPointF(r.S16(at), r.S16(at + 2)) : PointL(r, at));
    return points;
}

// The point list of a POLYLINE-like record: bounds, count, points.
QPolygonF PolyPoints(const TLeReader& r, bool small) {
    return Points(r, 28, r.U32(24), small);
}

// The polygons of a POLYPOLYGON-like record: bounds, polygon count, point count, the
// polygons' point counts, then all points.
QList<QPolygonF> PolyPolyPoints(const TLeReader& r, bool small) {
    const qint64 polygons = r.U32(24);
    const qint64 total = r.U32(28);
    r.Need(32, polygons * 4);
    qint64 at = 32 + polygons * 4;
    qint64 used = 0;
    QList<QPolygonF> result;
    for (qint64 i = 0; i < polygons; ++i) {
        const qint64 n = r.U32(32 + 4 * i);
        used += n;
        if (used > total)
            r.Fail(QStringLiteral("has polygons with more points than its total of %1").arg(total));
        result.append(Points(r, at, n, small));
        at += n * (small ? 4 : 8);
    }
    return result;
}

QTransform XForm(const TLeReader& r, qint64 at) {
    return QTransform(r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16),
                      r.F32(at + 20));
}

void TextOut(TMetafileCanvas& c, const TLeReader& r, bool wide) {
    const QPointF reference = PointL(r, 36);
    const qint64 count = r.U32(44);
    const qint64 textAt = r.U32(48);
    const quint32 options = r.U32(52);
    const bool hasRect = !(options & Gdi::EtoNoRect);
    const QRectF box = hasRect ? RectL(r, 56) : QRectF();
    const qint64 dxAt = r.U32(hasRect ? 72 : 56);
    QString text;
    if (count > 0) {
        r.Need(textAt, count * (wide ? 2 : 1));
        if (wide) {
            text.resize(count);
            for (qint64 i = 0; i < count; ++i)
                text[i] = QChar(r.U16(textAt + 2 * i));
        } else {
            text = QString::fromLatin1(r.Data() + textAt, count);
        }
    }
    // Advances, each followed by a vertical one with ETO_PDY; ignored when missing.
    const int step = (options & Gdi::EtoPdy) ? 8 : 4;
    QList<double> dx;
    if (dxAt != 0 && r.Has(dxAt, count * step)) {
        dx.reserve(count);
        for (qint64 i = 0; i < count; ++i)
            dx.append(r.S32(dxAt + step * i));
    }
    c.TextOut(reference, text, options, hasRect ? &box : nullptr, dx);
}

// BITBLT and STRETCHBLT: without a bitmap they fill with the brush.
void Blit(TMetafileCanvas& c, const TLeReader& r, bool stretch) {
    const QRectF dest(r.S32(24), r.S32(28), r.S32(32), r.S32(36));
    const quint32 rop = r.U32(40);
    const qint64 infoAt = r.U32(84), infoSize = r.U32(88);
    if (infoSize == 0) {
        c.PatBlt(dest, rop);
        return;
    }
    const QSizeF sourceSize = stretch ? QSizeF(r.S32(100), r.S32(104)) : dest.size();
    const QRectF source(QPointF(r.S32(44), r.S32(48)), sourceSize);
    const qint64 bitsAt = r.U32(92);
    r.Need(infoAt, infoSize);
    r.Need(bitsAt, r.U32(96));
    DrawDib(c, r, infoAt, bitsAt, r.U32(80) == 1, dest, source, false, rop);
}

void StretchDiBits(TMetafileCanvas& c, const TLeReader& r) {
    const qint64 infoAt = r.U32(48), infoSize = r.U32(52);
    if (infoSize == 0)
        return;
    const QRectF dest(r.S32(24), r.S32(28), r.S32(72), r.S32(76));
    const QRectF source(r.S32(32), r.S32(36), r.S32(40), r.S32(44));
    const qint64 bitsAt = r.U32(56);
    r.Need(infoAt, infoSize);
    r.Need(bitsAt, r.U32(60));
    DrawDib(c, r, infoAt, bitsAt, r.U32(64) == 1, dest, source, true, r.U32(68));
}

void ExtSelectClipRgn(TMetafileCanvas& c, const TLeReader& r) {
    const qint64 size = r.U32(8);
    const quint32 mode = r.U32(12);
    if (size == 0) {
        c.SelectClipRegion(QRegion(), mode, true);
        return;
    }
    const TLeReader data = r.Sub(16, size);
    const qint64 count = data.U32(8);
    data.Need(32, count * 16);
    QRegion region;
    // Region rectangles exclude their right and bottom edges.
    auto rect = [&](qint64 at) {
        auto clamp = [](qint32 v) { return std::clamp(v, -(1 << 29), 1 << 29); };
        const int left = clamp(data.S32(at)), top = clamp(data.S32(at + 4));
        const int right = clamp(data.S32(at + 8)), bottom = clamp(data.S32(at + 12));
        return QRect(left, top, right - left, bottom - top);
    };
    if (count > MaxRegionRects) {
        region = QRegion(rect(16));
    } else {
        for (qint64 i = 0; i < count; ++i)
            region += rect(32 + 16 * i);
    }
    c.SelectClipRegion(region, mode, count == 0);
}

TGdiObject Pen(const TLeReader& r) {
    return TGdiPen{r.U32(12), std::abs(double(r.S32(16))), ColorFromRef(r.U32(24))};
}

TGdiObject ExtPen(const TLeReader& r) {
    quint32 style = r.U32(28);
    const bool geometric = style & Gdi::PsGeometric;
    if (r.U32(36) == Gdi::BsNull)
        style = (style & ~Gdi::PsStyleMask) | Gdi::PsNull;
    return TGdiPen{style, geometric ? double(r.U32(32)) : 0.0, ColorFromRef(r.U32(40))};
}

TGdiObject Font(const TLeReader& r) {
    TGdiFont font;
    font.height = r.S32(12);
    font.width = r.S32(16);
    font.escapement = r.S32(20);
    font.weight = r.S32(28);
    font.italic = r.U8(32) != 0;
    font.underline = r.U8(33) != 0;
    font.strikeOut = r.U8(34) != 0;
    for (qint64 at = 40; at < 40 + 64 && r.Has(at, 2); at += 2) {
        const quint16 ch = r.U16(at);
        if (ch == 0)
            break;
        font.face.append(QChar(ch));
    }
    return font;
}

TGdiObject PatternBrush(const TMetafileCanvas& c, const TLeReader& r) {
    const qint64 infoAt = r.U32(16), bitsAt = r.U32(24);
    r.Need(infoAt, r.U32(20));
    r.Need(bitsAt, r.U32(28));
    return TGdiBrush{Gdi::BsDibPatternPt, Qt::black, 0,
                     DibPattern(c, r, infoAt, bitsAt, r.U32(12) == 1)};
}

void PlayRecord(TMetafileCanvas& c, const TLeReader& r, quint32 type) {
    using Kind = TMetafileCanvas::ArcKind;
    switch (type) {
    case Emr::SetWindowExtEx:
        c.SetWindowExt(PointL(r, 8));
        break;
    case Emr::SetWindowOrgEx:
        c.SetWindowOrg(PointL(r, 8));
        break;
    case Emr::SetViewportExtEx:
        c.SetViewportExt(PointL(r, 8));
        break;
    case Emr::SetViewportOrgEx:
        c.SetViewportOrg(PointL(r, 8));
        break;
    case Emr::ScaleViewportExtEx:
        c.ScaleViewportExt(r.S32(8), r.S32(12), r.S32(16), r.S32(20));
        break;
    case Emr::ScaleWindowExtEx:
        c.ScaleWindowExt(r.S32(8), r.S32(12), r.S32(16), r.S32(20));
        break;
    case Emr::SetMapMode:
        c.SetMapMode(int(r.U32(8)));
        break;
    case Emr::SetWorldTransform:
        c.SetWorldTransform(XForm(r, 8));
        break;
    case Emr::ModifyWorldTransform:
        c.ModifyWorldTransform(XForm(r, 8), r.U32(32));
        break;
    case Emr::SaveDc:
        c.SaveDC();
        break;
    case Emr::RestoreDc:
        c.RestoreDC(r.S32(8));
        break;
    case Emr::SetBkMode:
        c.SetBkMode(int(r.U32(8)));
        break;
    case Emr::SetPolyFillMode:
        c.SetPolyFillMode(int(r.U32(8)));
        break;
    case Emr::SetTextAlign:
        c.SetTextAlign(r.U32(8));
        break;
    case Emr::SetTextColor:
        c.SetTextColor(ColorFromRef(r.U32(8)));
        break;
    case Emr::SetBkColor:
        c.SetBkColor(ColorFromRef(r.U32(8)));
        break;
    case Emr::SetArcDirection:
        c.SetArcClockwise(r.U32(8) == 2);
        break;
    case Emr::IntersectClipRect:
        c.IntersectClipRect(RectL(r, 8));
        break;
    case Emr::ExcludeClipRect:
        c.ExcludeClipRect(RectL(r, 8));
        break;
    case Emr::ExtSelectClipRgn:
        ExtSelectClipRgn(c, r);
        break;

    case Emr::CreatePen:
        c.CreateObjectAt(r.U32(8), Pen(r));
        break;
    case Emr::ExtCreatePen:
        c.CreateObjectAt(r.U32(8), ExtPen(r));
        break;
    case Emr::CreateBrushIndirect:
        c.CreateObjectAt(r.U32(8), TGdiBrush{r.U32(12), ColorFromRef(r.U32(16)), r.U32(20), {}});
        break;
    case Emr::CreateMonoBrush:
    case Emr::CreateDibPatternBrushPt:
        c.CreateObjectAt(r.U32(8), PatternBrush(c, r));
        break;
    case Emr::ExtCreateFontIndirectW:
        c.CreateObjectAt(r.U32(8), Font(r));
        break;
    case Emr::CreatePalette:
    case Emr::CreateColorSpace:
    case Emr::CreateColorSpaceW:
        c.CreateObjectAt(r.U32(8), TGdiOther{});
        break;
    case Emr::SelectObject: {
        const quint32 index = r.U32(8);
        if (index & StockFlag)
            c.SelectStockObject(index & ~StockFlag);
        else
            c.SelectObject(index);
        break;
    }
    case Emr::DeleteObject:
        if (!(r.U32(8) & StockFlag))
            c.DeleteObject(r.U32(8));
        break;

    case Emr::MoveToEx:
        c.MoveTo(PointL(r, 8));
        break;
    case Emr::LineTo:
        c.LineTo(PointL(r, 8));
        break;
    case Emr::SetPixelV:
        c.SetPixel(PointL(r, 8), ColorFromRef(r.U32(16)));
        break;
    case Emr::Rectangle:
        c.Rectangle(RectL(r, 8));
        break;
    case Emr::Ellipse:
        c.Ellipse(RectL(r, 8));
        break;
    case Emr::RoundRect:
        c.RoundRect(RectL(r, 8), QSizeF(r.S32(24), r.S32(28)));
        break;
    case Emr::Arc:
    case Emr::ArcTo:
    case Emr::Chord:
    case Emr::Pie: {
        const Kind kind = type == Emr::Arc     ? Kind::Arc
                          : type == Emr::ArcTo ? Kind::ArcTo
                          : type == Emr::Chord ? Kind::Chord
                                               : Kind::Pie;
        c.Arc(kind, RectL(r, 8), PointL(r, 24), PointL(r, 32));
        break;
    }
    case Emr::Polyline:
    case Emr::Polyline16:
        c.Polyline(PolyPoints(r, type == Emr::Polyline16));
        break;
    case Emr::PolylineTo:
    case Emr::PolylineTo16:
        c.PolylineTo(PolyPoints(r, type == Emr::PolylineTo16));
        break;
    case Emr::PolyBezier:
    case Emr::PolyBezier16:
        c.PolyBezier(PolyPoints(r, type == Emr::PolyBezier16));
        break;
    case Emr::PolyBezierTo:
    case Emr::PolyBezierTo16:
        c.PolyBezierTo(PolyPoints(r, type == Emr::PolyBezierTo16));
        break;
    case Emr::Polygon:
    case Emr::Polygon16:
        c.Polygon(PolyPoints(r, type == Emr::Polygon16));
        break;
    case Emr::PolyPolygon:
    case Emr::PolyPolygon16:
        c.PolyPolygon(PolyPolyPoints(r, type == Emr::PolyPolygon16));
        break;
    case Emr::PolyPolyline:
    case Emr::PolyPolyline16:
        c.PolyPolyline(PolyPolyPoints(r, type == Emr::PolyPolyline16));
        break;
    case Emr::ExtTextOutA:
    case Emr::ExtTextOutW:
        TextOut(c, r, type == Emr::ExtTextOutW);
        break;
    case Emr::BitBlt:
    case Emr::StretchBlt:
        Blit(c, r, type == Emr::StretchBlt);
        break;
    case Emr::StretchDiBits:
        StretchDiBits(c, r);
        break;

    case Emr::BeginPath:
        c.BeginPath();
        break;
    case Emr::EndPath:
        c.EndPath();
        break;
    case Emr::CloseFigure:
        c.CloseFigure();
        break;
    case Emr::AbortPath:
        c.AbortPath();
        break;
    case Emr::FillPath:
        c.FillPath();
        break;
    case Emr::StrokePath:
        c.StrokePath();
        break;
    case Emr::StrokeAndFillPath:
        c.StrokeAndFillPath();
        break;
    case Emr::SelectClipPath:
        c.SelectClipPath(r.U32(8));
        break;
    default: // comments, palettes, raster modes and records not drawn here
        break;
    }
}

} // namespace

TEmfPlayer::TEmfPlayer(const QByteArray& data) : data_(data) {
    const TLeReader file(data_.constData(), data_.size(), "Enhanced metafile header", Emr::Header);
    if (!file.Has(0, 44) || file.U32(0) != Emr::Header || file.U32(40) != Signature)
        throw AppError(QStringLiteral("Not an enhanced metafile: the header record is missing"));
    if (!file.Has(0, HeaderMinSize))
        throw AppError(QStringLiteral("Enhanced metafile is truncated: its header needs %1 bytes, "
                                      "%2 present")
                           .arg(HeaderMinSize)
                           .arg(data_.size()));
    const qint64 headerSize = file.U32(4);
    if (headerSize < HeaderMinSize || headerSize > data_.size())
        throw AppError(QStringLiteral("Enhanced metafile header declares an impossible size of "
                                      "%1 bytes")
                           .arg(headerSize));
    const qint64 declared = file.U32(48);
    if (declared > data_.size())
        throw AppError(QStringLiteral("Enhanced metafile is truncated: its header gives %1 bytes, "
                                      "%2 present")
                           .arg(declared)
                           .arg(data_.size()));
    end_ = declared >= headerSize ? declared : data_.size();
    objectCount_ = file.U16(56);

    const double deviceX = file.S32(72), deviceY = file.S32(76);
    const double mmX = file.S32(80), mmY = file.S32(84);
    if (deviceX > 0 && deviceY > 0 && mmX > 0 && mmY > 0)
        pixelsPerMm_ = QSizeF(deviceX / mmX, deviceY / mmY);
    else
        pixelsPerMm_ = QSizeF(96 / 25.4, 96 / 25.4);

    const QRectF frame = RectL(file, 24); // 0.01 mm, inclusive
    const QRectF bounds = RectL(file, 8); // device pixels, inclusive
    double width = 0, height = 0;
    if (frame.width() > 0 && frame.height() > 0) {
        const double kx = pixelsPerMm_.width() / 100, ky = pixelsPerMm_.height() / 100;
        width = RoundHalfEven(frame.width() * kx);
        height = RoundHalfEven(frame.height() * ky);
        origin_ = QPointF(frame.left() * kx, frame.top() * ky);
    } else if (bounds.width() >= 0 && bounds.height() >= 0) {
        width = bounds.width() + 1;
        height = bounds.height() + 1;
        origin_ = bounds.topLeft();
    }
    CheckImageDimensions(qint64(width), qint64(height), QStringLiteral("Enhanced metafile"));
    size_ = QSize(int(width), int(height));

    TMetafileCanvas check(nullptr, QTransform(), pixelsPerMm_);
    Run(check);
}

void TEmfPlayer::Run(TMetafileCanvas& canvas) const {
    canvas.SetObjectTableSize(objectCount_);
    const char* data = data_.constData();
    qint64 at = 0;
    qint64 count = 0;
    while (at < end_) {
        if (end_ - at < 8)
            throw AppError(QStringLiteral("Enhanced metafile is truncated: %1 stray bytes at "
                                          "offset %2")
                               .arg(end_ - at)
                               .arg(at));
        const TLeReader head(data + at, 8, "Enhanced metafile record", 0, at);
        const quint32 type = head.U32(0);
        const qint64 size = head.U32(4);
        if (size < 8)
            throw AppError(QStringLiteral("Enhanced metafile record %1 at offset %2 declares an "
                                          "impossible size of %3 bytes")
                               .arg(type)
                               .arg(at)
                               .arg(size));
        if (size > end_ - at)
            throw AppError(QStringLiteral("Enhanced metafile record %1 at offset %2 extends "
                                          "beyond the end of the file")
                               .arg(type)
                               .arg(at));
        if (type == Emr::Eof)
            return;
        if (++count > MaxMetafileRecords)
            throw AppError(QStringLiteral("Enhanced metafile has more than %1 records")
                               .arg(MaxMetafileRecords));
        if (type != Emr::Header)
            PlayRecord(canvas, TLeReader(data + at, size, "Enhanced metafile record", type, at),
                       type);
        at += size;
    }
    // Records that end without an end record are tolerated: everything declared was there.
}

void TEmfPlayer::Play(QPainter& painter, const QRectF& target) const {
    if (size_.isEmpty())
        return;
    const QTransform deviceToTarget =
        QTransform::fromTranslate(-origin_.x(), -origin_.y()) *
        QTransform::fromScale(target.width() / size_.width(), target.height() / size_.height()) *
        QTransform::fromTranslate(target.x(), target.y());
    TMetafileCanvas canvas(&painter, deviceToTarget, pixelsPerMm_);
    Run(canvas);
}
