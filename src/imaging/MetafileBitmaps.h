// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRectF>

class TLeReader;
class TMetafileCanvas;

// The device-independent bitmaps that bitmap records and pattern brushes carry, read with the
// bitmap kind's DIB reader.

// Draws (or, when the canvas is not painting, only checks) the DIB of a bitmap record: its
// header and colours at `infoAt` of the record, its rows at `bitsAt` (or right after the
// colours when `bitsAt` is negative). `sourceFromBottom` is set for the records whose source
// rectangle counts rows from the bottom of a bottom-up DIB. Forms that are not drawn (colours
// from a palette, JPEG or PNG inside) skip the record; a malformed DIB throws AppError.
void DrawDib(TMetafileCanvas& canvas, const TLeReader& record, qint64 infoAt, qint64 bitsAt,
             bool paletteIndices, const QRectF& dest, QRectF source, bool sourceFromBottom,
             quint32 rop);
// The pattern of a DIB pattern brush (null when not painting or not drawn).
QImage DibPattern(const TMetafileCanvas& canvas, const TLeReader& record, qint64 infoAt,
                  qint64 bitsAt, bool paletteIndices);
