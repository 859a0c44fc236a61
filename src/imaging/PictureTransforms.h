// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Bitmap.h"

#include <QRect>
#include <memory>

class QPainter;

// The transform codes the rotate and flip commands pass.
enum class TransformMode {
    Rotate90Clockwise = 1,
    Rotate180 = 2,
    Rotate90CounterClockwise = 3,
    FlipHorizontal = 4,
    FlipVertical = 5,
};

// Every transform works on an opaque white bitmap onto which the graphic is drawn, so the
// transparent parts of an icon, PNG or GIF come out white.

// The graphic drawn unscaled at (0, 0) onto a new white bitmap of its own size.
TBitmap DrawnOnBitmap(const TGraphic& graphic);

// Rotates or mirrors the graphic into a new 24-bit bitmap (QImage::Format_BGR888). Throws
// AppError for a mode outside 1 to 5.
std::unique_ptr<TBitmap> RotateFlip(const TGraphic& graphic, TransformMode mode);

// A new bitmap of exactly width x height holding the graphic stretched. Throws AppError
// "Invalid Image Size Constraints" when width or height is 0 (or negative).
std::unique_ptr<TBitmap> ResizePicture(const TGraphic& graphic, int width, int height);

// Makes `target` width x height (a 0 becomes 1) and stretches the graphic into it.
void StretchIntoBitmap(const TGraphic& graphic, int width, int height, TBitmap& target);

// A plain stretch of the graphic into `rect`, no smoothing. An icon, which draws only at its
// own size, is drawn onto a bitmap of its size first and that bitmap is stretched.
void StretchGraphic(QPainter& painter, const TGraphic& graphic, const QRect& rect);
