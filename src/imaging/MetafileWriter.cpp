// SPDX-License-Identifier: MIT
#include "imaging/MetafileWriter.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/MetafileBytes.h"
#include "imaging/MetafileObjects.h"

#include <QPainter>

namespace {

void CheckNotEmpty(const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        throw AppError(QStringLiteral("Cannot write an empty picture as a metafile"));
}

// BITMAPINFOHEADER and bottom-up 24-bit rows: a BMP file without its 14-byte file header.
// Transparent parts of the picture become white.
QByteArray Dib24(const QImage& image) {
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    return EncodeBmp(opaque).mid(14);
}

constexpr qint64 DibHeaderSize = 40;

// A reference device of 1920 x 1440 pixels on 508 x 381 mm: exactly 96 dots per inch.
constexpr qint32 DeviceWidth = 1920, DeviceHeight = 1440;
constexpr qint32 DeviceWidthMm = 508, DeviceHeightMm = 381;

} // namespace

QByteArray WritePlaceableWmf(const QImage& image) {
    CheckNotEmpty(image);
    const int width = image.width(), height = image.height();
    if (width > MaxWmfSide || height > MaxWmfSide)
        throw AppError(QStringLiteral("A picture of %1 x %2 pixels is too large for a Windows "
                                      "metafile (at most %3 pixels a side)")
                           .arg(width)
                           .arg(height)
                           .arg(MaxWmfSide));
    const QByteArray dib = Dib24(image);

    TLeWriter out;
    // Placeable header; the checksum is the XOR of its first ten words.
    const quint16 head[10] = {0xCDD7, 0x9AC6, 0, 0, 0, quint16(width), quint16(height), 96, 0, 0};
    quint16 checksum = 0;
    for (quint16 word : head) {
        out.U16(word);
        checksum ^= word;
    }
    out.U16(checksum);

    const qint64 headerAt = out.Size();
    out.U16(1);      // in memory
    out.U16(9);      // header words
    out.U16(0x0300); // version
    out.U32(0);      // size in words, patched below
    out.U16(0);      // objects
    out.U32(0);      // largest record in words, patched below
    out.U16(0);

    auto record = [&](quint16 function, std::initializer_list<qint16> params) {
        out.U32(quint32(3 + params.size()));
        out.U16(function);
        for (qint16 p : params)
            out.S16(p);
    };
    record(0x0103, {Gdi::MmAnisotropic});            // SETMAPMODE
    record(0x020B, {0, 0});                          // SETWINDOWORG y, x
    record(0x020C, {qint16(height), qint16(width)}); // SETWINDOWEXT y, x

    // STRETCHDIB: raster operation, colour usage, source and destination (reversed), DIB.
    const qint64 stretchWords = (6 + 4 + 2 + 16 + dib.size()) / 2;
    out.U32(quint32(stretchWords));
    out.U16(0x0F43);
    out.U32(Gdi::SrcCopy);
    out.U16(0); // DIB_RGB_COLORS
    for (qint16 p : {qint16(height), qint16(width), qint16(0), qint16(0), qint16(height),
                     qint16(width), qint16(0), qint16(0)})
        out.S16(p);
    out.Bytes(dib);
    record(0x0000, {}); // EOF

    out.PatchU32(headerAt + 6, quint32((out.Size() - headerAt) / 2));
    out.PatchU32(headerAt + 12, quint32(stretchWords));
    return out.Result();
}

QByteArray WriteEmf(const QImage& image) {
    CheckNotEmpty(image);
    const qint32 width = image.width(), height = image.height();
    const QByteArray dib = Dib24(image);
    constexpr qint64 HeaderSize = 108, StretchHeadSize = 80, EofSize = 20;
    const qint64 bitsSize = dib.size() - DibHeaderSize;
    const qint64 stretchSize = StretchHeadSize + dib.size();
    const qint64 total = HeaderSize + stretchSize + EofSize;
    if (total > 0xFFFFFFFFLL)
        throw AppError(QStringLiteral("A picture of %1 x %2 pixels is too large for an enhanced "
                                      "metafile")
                           .arg(width)
                           .arg(height));

    auto rect = [](TLeWriter& out, qint32 l, qint32 t, qint32 r, qint32 b) {
        out.S32(l);
        out.S32(t);
        out.S32(r);
        out.S32(b);
    };
    TLeWriter out;
    out.U32(1); // EMR_HEADER
    out.U32(HeaderSize);
    rect(out, 0, 0, width - 1, height - 1); // bounds, device pixels
    // Frame in 0.01 mm at 96 dots per inch; it converts back to exactly width x height.
    rect(out, 0, 0, RoundHalfEven(width * 2540.0 / 96), RoundHalfEven(height * 2540.0 / 96));
    out.U32(0x464D4520); // " EMF"
    out.U32(0x10000);
    out.U32(quint32(total));
    out.U32(3); // records
    out.U16(1); // handles (slot 0 only)
    out.U16(0);
    out.U32(0); // description
    out.U32(0);
    out.U32(0); // palette entries
    out.S32(DeviceWidth);
    out.S32(DeviceHeight);
    out.S32(DeviceWidthMm);
    out.S32(DeviceHeightMm);
    out.U32(0); // pixel format
    out.U32(0);
    out.U32(0); // OpenGL
    out.S32(DeviceWidthMm * 1000);
    out.S32(DeviceHeightMm * 1000);

    out.U32(81); // EMR_STRETCHDIBITS
    out.U32(quint32(stretchSize));
    rect(out, 0, 0, width - 1, height - 1);
    for (qint32 v : {0, 0, 0, 0, width, height}) // destination origin, source rectangle
        out.S32(v);
    out.U32(StretchHeadSize);
    out.U32(DibHeaderSize);
    out.U32(quint32(StretchHeadSize + DibHeaderSize));
    out.U32(quint32(bitsSize));
    out.U32(0); // DIB_RGB_COLORS
    out.U32(Gdi::SrcCopy);
    out.S32(width);
    out.S32(height);
    out.Bytes(dib);

    out.U32(14); // EMR_EOF
    out.U32(EofSize);
    out.U32(0);
    out.U32(16);
    out.U32(EofSize);
    return out.Result();
}
