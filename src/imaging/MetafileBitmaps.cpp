// SPDX-License-Identifier: MIT
#include "imaging/MetafileBitmaps.h"

#include "imaging/Bitmap.h"
#include "imaging/MetafileBytes.h"
#include "imaging/MetafileCanvas.h"

namespace {

// A run-length bitmap may describe at most this many pixels per byte of data (plus a
// little); one that claims more is skipped rather than allocated.
constexpr qint64 MaxRlePixelsPerByte = 256;

// Reads the DIB of a record and decodes it when painting. False when the record is skipped.
bool ReadDib(const TMetafileCanvas& canvas, const TLeReader& record, qint64 infoAt, qint64 bitsAt,
             bool paletteIndices, DibHeader& header, QImage& image) {
    if (paletteIndices)
        return false; // colours of a logical palette that playback does not keep
    if (record.U32(infoAt) >= 40) {
        const quint32 compression = record.U32(infoAt + 16);
        if (compression > 3 && compression != 6)
            return false; // JPEG or PNG data meant for a printer
    }
    const QByteArrayView data(record.Data(), record.Size());
    const QString what = QStringLiteral("Bitmap in ") + record.Describe();
    header = ReadDibHeader(data, infoAt, false, what);
    const qint64 rows = bitsAt < 0 ? header.end : bitsAt;
    record.Need(rows, 0);
    if (header.compression == 1 || header.compression == 2) {
        const qint64 budget = MaxRlePixelsPerByte * (record.Size() - rows) + (1 << 20);
        if (qint64(header.width) * header.height > budget)
            return false;
    } else {
        record.Need(rows, DibRowStride(header.width, header.bitCount) * header.height);
    }
    if (canvas.Painting())
        image = DecodeDibPixels(header, data, rows, what);
    return true;
}

} // namespace

void DrawDib(TMetafileCanvas& canvas, const TLeReader& record, qint64 infoAt, qint64 bitsAt,
             bool paletteIndices, const QRectF& dest, QRectF source, bool sourceFromBottom,
             quint32 rop) {
    DibHeader header;
    QImage image;
    if (!ReadDib(canvas, record, infoAt, bitsAt, paletteIndices, header, image))
        return;
    if (sourceFromBottom && !header.topDown)
        source.moveTop(double(header.height) - source.y() - source.height());
    canvas.DrawImage(dest, image, source, rop);
}

QImage DibPattern(const TMetafileCanvas& canvas, const TLeReader& record, qint64 infoAt,
                  qint64 bitsAt, bool paletteIndices) {
    DibHeader header;
    QImage image;
    ReadDib(canvas, record, infoAt, bitsAt, paletteIndices, header, image);
    return image;
}
