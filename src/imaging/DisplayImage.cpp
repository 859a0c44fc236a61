// SPDX-License-Identifier: MIT
#include "imaging/DisplayImage.h"

#include "imaging/JpegImage.h"
#include "imaging/Metafile.h"

#include <QPainter>

namespace {

// Largest side a metafile is rendered at for the screen; beyond it the view stretches pixels.
constexpr int MaxMetafileRender = 4096;

} // namespace

int DisplayJpegDivisor(QSize full, QSize display) {
    for (int divisor : {8, 4, 2}) {
        // Reduced-scale decoding rounds each side up.
        const int width = (full.width() + divisor - 1) / divisor;
        const int height = (full.height() + divisor - 1) / divisor;
        if (width >= display.width() && height >= display.height())
            return divisor;
    }
    return 1;
}

QImage DisplayImageFor(const TGraphic& graphic, QSize displaySize) {
    if (graphic.Empty() || displaySize.isEmpty())
        return QImage();
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic)) {
        const int divisor = DisplayJpegDivisor(jpeg->FullSize(), displaySize);
        if (divisor == jpeg->Scale())
            return jpeg->Image();
        const std::unique_ptr<TGraphic> copy = jpeg->Clone();
        auto& reduced = static_cast<TJPEGImage&>(*copy);
        reduced.SetScale(divisor);
        return reduced.Image();
    }
    if (dynamic_cast<const TMetafile*>(&graphic)) {
        QSize size = displaySize;
        if (size.width() > MaxMetafileRender || size.height() > MaxMetafileRender)
            size.scale(MaxMetafileRender, MaxMetafileRender, Qt::KeepAspectRatio);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        graphic.StretchDraw(painter, image.rect());
        return image;
    }
    return graphic.ToImage();
}
