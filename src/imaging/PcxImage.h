// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

// A PCX picture. Reads monochrome and up to 16 colours as 1 bit x 1 to 4 planes, 16 colours as
// 4 bits x 1 plane, 256 colours as 8 bits x 1 plane (palette after the image data, grey levels
// without one) and 24-bit colour as 8 bits x 3 planes, run-length encoded or stored plain.
// Writes 24-bit run-length encoded files (version 5).
class TPcxImage final : public TGraphic {
public:
    GraphicKind Kind() const override { return GraphicKind::Pcx; }
    std::unique_ptr<TGraphic> Clone() const override;

    void LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes() const override;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }

    // The decoded pixels, always opaque (Format_RGB32).
    QImage ToImage() const override { return image_; }

    void Draw(QPainter& painter, QPoint at) const override;
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Takes a PCX image or a bitmap; transparent parts of a bitmap become white.
    void Assign(const TGraphic& source) override;

private:
    QImage image_;
};
