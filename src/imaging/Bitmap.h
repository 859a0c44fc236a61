// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

#include <QByteArrayView>
#include <QList>

// A device-independent bitmap: the ".bmp" kind and the working picture of every transform.
// The pixels live in a QImage of any format; a new or resized bitmap is opaque white, so the
// transparent parts of whatever is drawn onto it come out white.
class TBitmap final : public TGraphic {
public:
    TBitmap() = default;
    explicit TBitmap(QImage image) : image_(std::move(image)) {}

    GraphicKind Kind() const override { return GraphicKind::Bitmap; }
    std::unique_ptr<TGraphic> Clone() const override;

    // Reads a ".bmp" file: 1, 4, 8, 16, 24 and 32 bits, colour masks, RLE4 and RLE8,
    // bottom-up and top-down rows.
    void LoadFromBytes(const QByteArray& data) override;
    // 24-bit BMP; 32 bits with an alpha mask when some pixel is not fully opaque.
    QByteArray SaveToBytes() const override;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    bool Transparent() const override { return image_.hasAlphaChannel(); }
    QImage ToImage() const override;

    void Draw(QPainter& painter, QPoint at) const override;
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Copies another bitmap; any other kind throws ConvertError (turning a graphic into a
    // bitmap is a redraw, see ConvertToBitmap).
    void Assign(const TGraphic& source) override;

    // Makes the bitmap width x height, every pixel opaque white (Format_RGB32); 0 x 0 empties
    // it. Throws AppError beyond the pixel limit or when the memory cannot be had.
    void SetSize(int width, int height);

    const QImage& Image() const { return image_; }
    // For painting on the bitmap in place (QPainter on it).
    QImage& Image() { return image_; }
    void SetImage(QImage image) { image_ = std::move(image); }

private:
    QImage image_;
};

// Draws `image` stretched into `rect` the plain way: pixels dropped or repeated, no smoothing.
void PlainStretch(QPainter& painter, const QRect& rect, const QImage& image);

// BMP codec. Errors are AppError naming what is wrong with the data.
QImage DecodeBmp(QByteArrayView data);
QByteArray EncodeBmp(const QImage& image);

// The pieces of a device-independent bitmap, shared with the icon kind whose entries are
// bitmaps without a file header.
struct DibHeader {
    int width = 0;
    int height = 0; // rows of the picture (for an icon entry the colour part only)
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = 0; // 0 plain, 1 RLE8, 2 RLE4, 3 or 6 colour masks
    quint32 masks[4] = {};   // red, green, blue, alpha (16 and 32 bits)
    QList<QRgb> palette;     // colours of 1, 4 and 8-bit pixels
    qint64 end = 0;          // offset just after the header, masks and palette
};

// Reads the info header at `offset` and the masks and palette after it, validated against the
// data's length. For an icon entry the declared height counts colour rows and mask rows, and a
// 32-bit plain entry carries alpha in its fourth byte. `what` starts every error message.
DibHeader ReadDibHeader(QByteArrayView data, qint64 offset, bool iconEntry, const QString& what);
// Decodes the pixels at `offset`: Format_ARGB32 when the masks give some pixel an alpha,
// Format_RGB32 otherwise.
QImage DecodeDibPixels(const DibHeader& header, QByteArrayView data, qint64 offset,
                       const QString& what);
// Bytes per row of plain pixel data (rows are padded to four bytes).
qint64 DibRowStride(qint64 width, int bitCount);
