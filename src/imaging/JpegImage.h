// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

#include <QByteArray>
#include <QSize>
#include <array>

// A JPEG picture. It keeps the file's compressed bytes, so an unchanged JPEG is written back
// byte for byte, and decodes lazily at the current scale (1/1, 1/2, 1/4 or 1/8): loading reads
// only the header, which already gives the output size at every scale. Decoding is the best
// quality the codec has (accurate integer transform, smooth upsampling) into opaque 24-bit
// colour; greyscale and CMYK files are converted.
//
// One object can be reloaded for file after file (the thumbnail loader keeps one): every load
// drops the previous picture completely and keeps only the scale setting.
class TJPEGImage final : public TGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Jpeg; }
    std::unique_ptr<TGraphic> Clone() const override;

    // Keeps the bytes and reads the header. Throws AppError for data that is not a JPEG or whose
    // header is damaged or declares more than the pixel limit; the image is empty then.
    void LoadFromBytes(const QByteArray& data) override;
    // The compressed bytes: as loaded, or as encoded when a bitmap was assigned.
    QByteArray SaveToBytes() const override;

    // Output scale 1/divisor for divisor 1, 2, 4 or 8 (AppError otherwise). A change drops the
    // decoded pixels; nothing is decoded here.
    void SetScale(int divisor);
    int Scale() const { return scale_; }

    // Output size at the current scale: the full size divided by the divisor, rounded up.
    int Width() const override { return ScaledSize(scale_).width(); }
    int Height() const override { return ScaledSize(scale_).height(); }
    QSize ScaledSize(int divisor) const;
    QSize FullSize() const { return ScaledSize(1); }

    // Decodes at the current scale unless that is already done. Throws AppError for damaged
    // or truncated data (the decoded pixels stay empty then).
    void Decode() const;
    // The pixels at the current scale (Format_RGB32, opaque), decoded first when needed.
    const QImage& Image() const;
    QImage ToImage() const override { return Image(); }

    void Draw(QPainter& painter, QPoint at) const override;
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Takes a JPEG (a copy, compressed bytes included) or a bitmap, which is compressed as a
    // baseline colour JPEG of quality 90 (transparent parts on white). Other kinds throw
    // ConvertError.
    void Assign(const TGraphic& source) override;

    void Clear();

private:
    QByteArray data_;
    std::array<QSize, 4> sizes_{}; // output size at 1/1, 1/2, 1/4, 1/8
    int scale_ = 1;
    mutable QImage decoded_;
};

// Compresses `image` as a baseline colour JPEG (transparent parts on white). Throws AppError.
QByteArray EncodeJpeg(const QImage& image, int quality = 90);
