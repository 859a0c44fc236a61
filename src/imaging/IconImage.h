// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

// A Windows icon, read only. Of the images in the file it keeps the best one: the largest,
// then the one with the most colour bits; PNG entries count like any other. The AND mask of
// bitmap entries is applied, so the picture is transparent where the mask says.
//
// An icon always draws at its own size: StretchDraw puts it unscaled at the rectangle's
// top-left corner. Whoever needs it stretched draws it onto a bitmap first and stretches that.
class TIcon final : public TGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Icon; }
    std::unique_ptr<TGraphic> Clone() const override;

    void LoadFromBytes(const QByteArray& data) override;
    // Always throws AppError "Saving as an Icon is not supported".
    QByteArray SaveToBytes() const override;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    bool Transparent() const override { return image_.hasAlphaChannel(); }
    QImage ToImage() const override { return image_; }

    void Draw(QPainter& painter, QPoint at) const override;
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Takes an icon or a bitmap; other kinds throw ConvertError.
    void Assign(const TGraphic& source) override;

    // The chosen image, Format_ARGB32_Premultiplied.
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};
