// SPDX-License-Identifier: MIT
#include "imaging/PictureTransforms.h"

#include "imaging/AppError.h"

#include <QPainter>
#include <cstring>

namespace {

QImage Allocate(int width, int height) {
    CheckImageDimensions(width, height, QStringLiteral("Bitmap"));
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull() && width > 0 && height > 0)
        throw AppError(
            QStringLiteral("Bitmap: not enough memory for %1 x %2 pixels").arg(width).arg(height));
    return image;
}

} // namespace

TBitmap DrawnOnBitmap(const TGraphic& graphic) {
    TBitmap bitmap;
    bitmap.SetSize(graphic.Width(), graphic.Height());
    if (!bitmap.Empty()) {
        QPainter painter(&bitmap.Image());
        graphic.Draw(painter, QPoint(0, 0));
    }
    return bitmap;
}

std::unique_ptr<TBitmap> RotateFlip(const TGraphic& graphic, TransformMode mode) {
    const int m = static_cast<int>(mode);
    if (m < 1 || m > 5)
        throw AppError(QStringLiteral("Invalid transform mode %1").arg(m));
    const QImage source = DrawnOnBitmap(graphic).Image().convertToFormat(QImage::Format_BGR888);
    const int w = graphic.Width();
    const int h = graphic.Height();
    const bool swapped =
        mode == TransformMode::Rotate90Clockwise || mode == TransformMode::Rotate90CounterClockwise;
    QImage result = w > 0 && h > 0 ? Allocate(swapped ? h : w, swapped ? w : h) : QImage();
    if (result.isNull())
        return std::make_unique<TBitmap>();

    // Where source row y starts in the result, and how far one step along the row moves there.
    uchar* dst0 = result.bits();
    const qsizetype stride = result.bytesPerLine();
    const qsizetype last = qsizetype(w - 1) * 3;
    for (int y = 0; y < h; ++y) {
        qsizetype at = 0; // byte offset in the result
        qsizetype step = 0;
        switch (mode) {
        case TransformMode::Rotate90Clockwise: // (x, y) -> (h - 1 - y, x)
            at = qsizetype(h - 1 - y) * 3;
            step = stride;
            break;
        case TransformMode::Rotate180: // (x, y) -> (w - 1 - x, h - 1 - y)
            at = (h - 1 - y) * stride + last;
            step = -3;
            break;
        case TransformMode::Rotate90CounterClockwise: // (x, y) -> (y, w - 1 - x)
            at = (w - 1) * stride + qsizetype(y) * 3;
            step = -stride;
            break;
        case TransformMode::FlipHorizontal: // (x, y) -> (w - 1 - x, y)
            at = y * stride + last;
            step = -3;
            break;
        case TransformMode::FlipVertical: // (x, y) -> (x, h - 1 - y)
            at = (h - 1 - y) * stride;
            step = 3;
            break;
        }
        const uchar* src = source.constBits() + y * source.bytesPerLine();
        for (int x = 0; x < w; ++x, src += 3, at += step)
            std::memcpy(dst0 + at, src, 3);
    }
    return std::make_unique<TBitmap>(std::move(result));
}

void StretchGraphic(QPainter& painter, const TGraphic& graphic, const QRect& rect) {
    if (graphic.Kind() == GraphicKind::Icon) {
        DrawnOnBitmap(graphic).StretchDraw(painter, rect);
        return;
    }
    graphic.StretchDraw(painter, rect);
}

void StretchIntoBitmap(const TGraphic& graphic, int width, int height, TBitmap& target) {
    width = qMax(width, 1);
    height = qMax(height, 1);
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    {
        QPainter painter(&bitmap.Image());
        StretchGraphic(painter, graphic, QRect(0, 0, width, height));
    }
    // The target changes only once the drawing has succeeded.
    target = std::move(bitmap);
}

std::unique_ptr<TBitmap> ResizePicture(const TGraphic& graphic, int width, int height) {
    if (width <= 0 || height <= 0)
        throw AppError(QStringLiteral("Invalid Image Size Constraints"));
    auto bitmap = std::make_unique<TBitmap>();
    StretchIntoBitmap(graphic, width, height, *bitmap);
    return bitmap;
}
