// SPDX-License-Identifier: MIT
#pragma once

// Shared body of the BMP and ICO fuzz targets: decode, and when the picture is small enough,
// draw it stretched and write it back as a bitmap.

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"

#include <QPainter>
#include <cstddef>
#include <cstdint>

template <typename Kind> int FuzzRaster(const uint8_t* data, size_t size) {
    Kind graphic;
    try {
        graphic.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const AppError&) {
        return 0;
    }
    // Large pictures are only decoded, so one input stays fast and within the memory limit.
    if (qint64(graphic.Width()) * graphic.Height() > (qint64(1) << 22))
        return 0;
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        graphic.StretchDraw(painter, QRect(0, 0, 32, 32));
    }
    TBitmap bitmap(graphic.ToImage());
    TBitmap again;
    again.LoadFromBytes(bitmap.SaveToBytes()); // what we write we must read
    return 0;
}
