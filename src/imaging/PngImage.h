// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

#include <QByteArrayView>

// A PNG picture, read and written through Qt's PNG codec. Transparency is kept.
class TPNGObject final : public TGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Png; }
    std::unique_ptr<TGraphic> Clone() const override;

    void LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes() const override;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    bool Transparent() const override { return image_.hasAlphaChannel(); }
    QImage ToImage() const override;

    void Draw(QPainter& painter, QPoint at) const override;
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Takes a PNG or a bitmap (its pixels, alpha included); other kinds throw ConvertError.
    void Assign(const TGraphic& source) override;

    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

// PNG codec, also used for the PNG entries of icons. `what` starts every error message.
// The declared size is checked against the pixel limit before anything is decoded, and a file
// that ends before its last chunk is refused.
QImage DecodePng(QByteArrayView data, const QString& what);
QByteArray EncodePng(const QImage& image);
