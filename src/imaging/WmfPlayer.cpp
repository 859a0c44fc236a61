// SPDX-License-Identifier: MIT
#include "imaging/WmfPlayer.h"

#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/Graphic.h"
#include "imaging/MetafileBitmaps.h"
#include "imaging/MetafileBytes.h"
#include "imaging/MetafileCanvas.h"

#include <QPainter>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qint64 PlaceableHeaderSize = 22;
constexpr qint64 MetaHeaderSize = 18;
// The resolution a Windows metafile's pixels are taken at.
constexpr double PixelsPerMm = 96 / 25.4;

// Record functions.
namespace Wmf {
constexpr quint16 Eof = 0x0000, SetBkColor = 0x0201, SetBkMode = 0x0102, SetMapMode = 0x0103,
                  SetPolyFillMode = 0x0106, SetTextColor = 0x0209, SetWindowOrg = 0x020B,
                  SetWindowExt = 0x020C, SetViewportOrg = 0x020D, SetViewportExt = 0x020E,
                  OffsetWindowOrg = 0x020F, OffsetViewportOrg = 0x0211, ScaleWindowExt = 0x0410,
                  ScaleViewportExt = 0x0412, LineTo = 0x0213, MoveTo = 0x0214,
                  SetTextAlign = 0x012E, SaveDc = 0x001E, RestoreDc = 0x0127, SetPixel = 0x041F,
                  Rectangle = 0x041B, RoundRect = 0x061C, Ellipse = 0x0418, Arc = 0x0817,
                  Pie = 0x081A, Chord = 0x0830, Polygon = 0x0324, Polyline = 0x0325,
                  PolyPolygon = 0x0538, TextOut = 0x0521, ExtTextOut = 0x0A32, PatBlt = 0x061D,
                  BitBlt = 0x0922, StretchBlt = 0x0B23, DibBitBlt = 0x0940, DibStretchBlt = 0x0B41,
                  StretchDib = 0x0F43, SelectObject = 0x012D, DeleteObject = 0x01F0,
                  CreatePenIndirect = 0x02FA, CreateBrushIndirect = 0x02FC,
                  CreateFontIndirect = 0x02FB, CreatePalette = 0x00F7, CreatePatternBrush = 0x01F9,
                  DibCreatePatternBrush = 0x0142, CreateRegion = 0x06FF, IntersectClipRect = 0x0416,
                  ExcludeClipRect = 0x0415;
} // namespace Wmf

// 8-bit text of the record (the metafile's code page is taken as Latin-1).
QString Ansi(const TLeReader& r, qint64 at, qint64 count) {
    r.Need(at, count);
    return QString::fromLatin1(r.Data() + at, count);
}

QPolygonF Points(const TLeReader& r, qint64 at, qint64 count) {
    r.Need(at, count * 4);
    QPolygonF points;
    points.reserve(count);
    for (qint64 i = 0; i < count; ++i)
        points.append(QPointF(r.S16(at + 4 * i), r.S16(at + 4 * i + 2)));
    return points;
}

void PlayRecord(TMetafileCanvas& c, const TLeReader& r, quint16 function) {
    // Parameters are 16-bit words after the 6-byte record head, most in reverse order.
    auto p = [&](int i) { return double(r.S16(6 + 2 * i)); };
    auto point = [&](int yIndex) { return QPointF(p(yIndex + 1), p(yIndex)); };
    auto rect = [&](int bottomIndex) {
        return QRectF(QPointF(p(bottomIndex + 3), p(bottomIndex + 2)),
                      QPointF(p(bottomIndex + 1), p(bottomIndex)));
    };
    // The bitmap-less forms of the blit records fill with the brush (or black, white, ...).
    auto patBltForm = [&](quint16 fn) { return r.Size() == ((fn >> 8) + 3) * 2; };

    switch (function) {
    case Wmf::SetBkColor:
        c.SetBkColor(ColorFromRef(r.U32(6)));
        break;
    case Wmf::SetTextColor:
        c.SetTextColor(ColorFromRef(r.U32(6)));
        break;
    case Wmf::SetBkMode:
        c.SetBkMode(r.U16(6));
        break;
    case Wmf::SetMapMode:
        c.SetMapMode(r.U16(6));
        break;
    case Wmf::SetPolyFillMode:
        c.SetPolyFillMode(r.U16(6));
        break;
    case Wmf::SetTextAlign:
        c.SetTextAlign(r.U16(6));
        break;
    case Wmf::SetWindowOrg:
        c.SetWindowOrg(point(0));
        break;
    case Wmf::SetWindowExt:
        c.SetWindowExt(point(0));
        break;
    case Wmf::SetViewportOrg:
        c.SetViewportOrg(point(0));
        break;
    case Wmf::SetViewportExt:
        c.SetViewportExt(point(0));
        break;
    case Wmf::OffsetWindowOrg:
        c.OffsetWindowOrg(point(0));
        break;
    case Wmf::OffsetViewportOrg:
        c.OffsetViewportOrg(point(0));
        break;
    case Wmf::ScaleWindowExt:
        c.ScaleWindowExt(p(3), p(2), p(1), p(0));
        break;
    case Wmf::ScaleViewportExt:
        c.ScaleViewportExt(p(3), p(2), p(1), p(0));
        break;
    case Wmf::SaveDc:
        c.SaveDC();
        break;
    case Wmf::RestoreDc:
        c.RestoreDC(int(p(0)));
        break;
    case Wmf::IntersectClipRect:
        c.IntersectClipRect(rect(0));
        break;
    case Wmf::ExcludeClipRect:
        c.ExcludeClipRect(rect(0));
        break;

    case Wmf::MoveTo:
        c.MoveTo(point(0));
        break;
    case Wmf::LineTo:
        c.LineTo(point(0));
        break;
    case Wmf::SetPixel:
        c.SetPixel(point(2), ColorFromRef(r.U32(6)));
        break;
    case Wmf::Rectangle:
        c.Rectangle(rect(0));
        break;
    case Wmf::Ellipse:
        c.Ellipse(rect(0));
        break;
    case Wmf::RoundRect:
        c.RoundRect(rect(2), QSizeF(p(1), p(0)));
        break;
    case Wmf::Arc:
    case Wmf::Pie:
    case Wmf::Chord: {
        const auto kind = function == Wmf::Arc   ? TMetafileCanvas::ArcKind::Arc
                          : function == Wmf::Pie ? TMetafileCanvas::ArcKind::Pie
                                                 : TMetafileCanvas::ArcKind::Chord;
        c.Arc(kind, rect(4), point(2), point(0));
        break;
    }
    case Wmf::Polygon:
        c.Polygon(Points(r, 8, r.U16(6)));
        break;
    case Wmf::Polyline:
        c.Polyline(Points(r, 8, r.U16(6)));
        break;
    case Wmf::PolyPolygon: {
        const qint64 count = r.U16(6);
        qint64 at = 8 + 2 * count;
        r.Need(8, 2 * count);
        QList<QPolygonF> polygons;
        for (qint64 i = 0; i < count; ++i) {
            const qint64 n = r.U16(8 + 2 * i);
            polygons.append(Points(r, at, n));
            at += 4 * n;
        }
        c.PolyPolygon(polygons);
        break;
    }
    case Wmf::TextOut: {
        const qint64 n = r.U16(6);
        const qint64 after = 8 + ((n + 1) & ~qint64(1));
        c.TextOut(QPointF(r.S16(after + 2), r.S16(after)), Ansi(r, 8, n), 0, nullptr, {});
        break;
    }
    case Wmf::ExtTextOut: {
        const qint64 n = r.U16(10);
        const quint32 options = r.U16(12);
        qint64 at = 14;
        QRectF box;
        const bool hasRect = options & (Gdi::EtoOpaque | Gdi::EtoClipped);
        if (hasRect) {
            box = QRectF(QPointF(r.S16(14), r.S16(16)), QPointF(r.S16(18), r.S16(20)));
            at = 22;
        }
        const QString text = Ansi(r, at, n);
        at += (n + 1) & ~qint64(1);
        QList<double> dx;
        if (r.Has(at, 2 * n))
            for (qint64 i = 0; i < n; ++i)
                dx.append(r.S16(at + 2 * i));
        c.TextOut(QPointF(r.S16(8), r.S16(6)), text, options, hasRect ? &box : nullptr, dx);
        break;
    }

    case Wmf::PatBlt:
        c.PatBlt(QRectF(p(5), p(4), p(3), p(2)), r.U32(6));
        break;
    case Wmf::BitBlt:
    case Wmf::DibBitBlt:
        if (patBltForm(function)) {
            c.PatBlt(QRectF(p(8), p(7), p(6), p(5)), r.U32(6));
        } else if (function == Wmf::DibBitBlt) {
            const QRectF dest(p(7), p(6), p(5), p(4));
            const QRectF source(p(3), p(2), p(5), p(4));
            DrawDib(c, r, 22, -1, false, dest, source, false, r.U32(6));
        } // a device-dependent bitmap of the 16-bit era: skipped
        break;
    case Wmf::StretchBlt:
    case Wmf::DibStretchBlt:
        if (patBltForm(function)) {
            c.PatBlt(QRectF(p(10), p(9), p(8), p(7)), r.U32(6));
        } else if (function == Wmf::DibStretchBlt) {
            const QRectF dest(p(9), p(8), p(7), p(6));
            const QRectF source(p(5), p(4), p(3), p(2));
            DrawDib(c, r, 26, -1, false, dest, source, false, r.U32(6));
        }
        break;
    case Wmf::StretchDib: {
        const QRectF dest(p(10), p(9), p(8), p(7));
        const QRectF source(p(6), p(5), p(4), p(3));
        DrawDib(c, r, 28, -1, r.U16(10) == 1, dest, source, true, r.U32(6));
        break;
    }

    case Wmf::SelectObject:
        c.SelectObject(r.U16(6));
        break;
    case Wmf::DeleteObject:
        c.DeleteObject(r.U16(6));
        break;
    case Wmf::CreatePenIndirect:
        c.CreateObject(TGdiPen{r.U16(6), std::abs(p(1)), ColorFromRef(r.U32(12))});
        break;
    case Wmf::CreateBrushIndirect:
        c.CreateObject(TGdiBrush{r.U16(6), ColorFromRef(r.U32(8)), r.U16(12), {}});
        break;
    case Wmf::CreateFontIndirect: {
        TGdiFont font;
        font.height = p(0);
        font.width = p(1);
        font.escapement = int(p(2));
        font.weight = int(p(4));
        font.italic = r.U8(16) != 0;
        font.underline = r.U8(17) != 0;
        font.strikeOut = r.U8(18) != 0;
        r.Need(0, 24);
        const qint64 room = qMin<qint64>(32, r.Size() - 24);
        font.face = Ansi(r, 24, qstrnlen(r.Data() + 24, size_t(room)));
        c.CreateObject(font);
        break;
    }
    case Wmf::DibCreatePatternBrush: {
        const quint32 style = r.U16(6);
        const bool paletteIndices = style != Gdi::BsPattern && r.U16(8) == 1;
        c.CreateObject(
            TGdiBrush{Gdi::BsDibPattern, Qt::black, 0, DibPattern(c, r, 10, -1, paletteIndices)});
        break;
    }
    case Wmf::CreatePatternBrush:
        c.CreateObject(TGdiBrush{Gdi::BsPattern, Qt::black, 0, {}});
        break;
    case Wmf::CreatePalette:
    case Wmf::CreateRegion:
        c.CreateObject(TGdiOther{});
        break;
    default: // records that change nothing drawn here (palettes, raster modes, ...)
        break;
    }
}

} // namespace

TWmfPlayer::TWmfPlayer(const QByteArray& data) : data_(data) {
    const TLeReader file(data_.constData(), data_.size(), "Windows metafile header");
    double width = 0, height = 0;
    if (file.Has(0, 4) && file.U32(0) == PlaceableKey) {
        if (!file.Has(0, PlaceableHeaderSize + MetaHeaderSize))
            throw AppError(QStringLiteral("Windows metafile is truncated: its headers need %1 "
                                          "bytes, %2 present")
                               .arg(PlaceableHeaderSize + MetaHeaderSize)
                               .arg(data_.size()));
        placeable_ = true;
        headerAt_ = PlaceableHeaderSize;
        const int left = file.S16(6), top = file.S16(8), right = file.S16(10),
                  bottom = file.S16(12);
        const int unitsPerInch = file.U16(14);
        if (unitsPerInch == 0)
            throw AppError(QStringLiteral("Placeable Windows metafile gives 0 units per inch"));
        window_ = QRectF(left, top, right - left, bottom - top);
        width = RoundHalfEven(std::abs(right - left) * 96.0 / unitsPerInch);
        height = RoundHalfEven(std::abs(bottom - top) * 96.0 / unitsPerInch);
    }
    if (!file.Has(headerAt_, MetaHeaderSize))
        throw AppError(QStringLiteral("Windows metafile is truncated: its header needs %1 bytes, "
                                      "%2 present")
                           .arg(MetaHeaderSize)
                           .arg(data_.size() - headerAt_));
    const quint16 type = file.U16(headerAt_);
    const quint16 headerWords = file.U16(headerAt_ + 2);
    if ((type != 1 && type != 2) || headerWords != MetaHeaderSize / 2)
        throw AppError(QStringLiteral("Not a Windows metafile: unknown header (type %1, %2 words)")
                           .arg(type)
                           .arg(headerWords));
    objectCount_ = file.U16(headerAt_ + 10);

    if (!placeable_) {
        // A plain file has no declared size: its first window origin and extent give it.
        std::optional<QPointF> origin, extent;
        Walk([&](const TLeReader& r, quint16 function) {
            if (function == Wmf::SetWindowOrg && !origin)
                origin = QPointF(r.S16(8), r.S16(6));
            else if (function == Wmf::SetWindowExt && !extent)
                extent = QPointF(r.S16(8), r.S16(6));
        });
        if (extent) {
            window_ = QRectF(origin.value_or(QPointF()), QSizeF(extent->x(), extent->y()));
            width = std::abs(extent->x());
            height = std::abs(extent->y());
        }
    }
    CheckImageDimensions(qint64(width), qint64(height), QStringLiteral("Windows metafile"));
    size_ = QSize(int(width), int(height));

    TMetafileCanvas check(nullptr, QTransform(), QSizeF(PixelsPerMm, PixelsPerMm));
    Run(check);
    if (!placeable_ && window_.isNull()) {
        // Neither header nor records give a size: take what the records draw, in pixels.
        const QRect drawn =
            check.DrawnBounds().toAlignedRect().intersected(QRect(-32768, -32768, 65536, 65536));
        if (!drawn.isEmpty()) {
            CheckImageDimensions(drawn.width(), drawn.height(), QStringLiteral("Windows metafile"));
            window_ = QRectF(drawn);
            size_ = drawn.size();
        }
    }
}

template <typename Visit> void TWmfPlayer::Walk(Visit&& visit) const {
    const char* data = data_.constData();
    const qint64 size = data_.size();
    const TLeReader file(data, size, "Windows metafile header");
    const qint64 declaredEnd = headerAt_ + qint64(file.U32(headerAt_ + 6)) * 2;
    qint64 at = headerAt_ + MetaHeaderSize;
    qint64 count = 0;
    while (size - at >= 6) {
        const quint32 words = file.U32(at);
        const quint16 function = file.U16(at + 4);
        const qint64 bytes = qint64(words) * 2;
        if (words < 3)
            throw AppError(QStringLiteral("Windows metafile record 0x%1 at offset %2 declares an "
                                          "impossible size of %3 words")
                               .arg(function, 4, 16, QLatin1Char('0'))
                               .arg(at)
                               .arg(words));
        if (bytes > size - at)
            throw AppError(QStringLiteral("Windows metafile record 0x%1 at offset %2 extends "
                                          "beyond the end of the file")
                               .arg(function, 4, 16, QLatin1Char('0'))
                               .arg(at));
        if (function == Wmf::Eof)
            return;
        if (++count > MaxMetafileRecords)
            throw AppError(QStringLiteral("Windows metafile has more than %1 records")
                               .arg(MaxMetafileRecords));
        visit(TLeReader(data + at, bytes, "Windows metafile record", function, at), function);
        at += bytes;
    }
    // The records ran out without an end record: tolerated when the file is as long as its
    // header says.
    if (declaredEnd > size || at != size)
        throw AppError(QStringLiteral("Windows metafile is truncated: its header gives %1 bytes, "
                                      "%2 present")
                           .arg(declaredEnd)
                           .arg(size));
}

void TWmfPlayer::Run(TMetafileCanvas& canvas) const {
    canvas.SetObjectTableSize(objectCount_);
    if (!window_.isNull() && !size_.isEmpty()) {
        // The picture's window fills its pixels; the records may move the window later.
        canvas.SetMapMode(Gdi::MmAnisotropic);
        canvas.SetWindowOrg(window_.topLeft());
        canvas.SetWindowExt(QPointF(window_.width(), window_.height()));
        canvas.SetViewportExt(QPointF(size_.width(), size_.height()));
    }
    Walk([&](const TLeReader& r, quint16 function) { PlayRecord(canvas, r, function); });
}

void TWmfPlayer::Play(QPainter& painter, const QRectF& target) const {
    if (size_.isEmpty())
        return;
    const QTransform deviceToTarget =
        QTransform::fromScale(target.width() / size_.width(), target.height() / size_.height()) *
        QTransform::fromTranslate(target.x(), target.y());
    TMetafileCanvas canvas(&painter, deviceToTarget, QSizeF(PixelsPerMm, PixelsPerMm));
    Run(canvas);
}
