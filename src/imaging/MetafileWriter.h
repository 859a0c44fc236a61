// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>

// Metafiles that hold one picture as a bitmap stretched over the whole frame, sized so that
// the metafile reads back with exactly the picture's width and height in pixels.

// Largest width or height a Windows metafile can describe (16-bit coordinates).
constexpr int MaxWmfSide = 32767;

// A placeable Windows metafile at 96 units per inch: bounding box (0, 0, width, height), a
// window of the same extent and one STRETCHDIB record with a 24-bit DIB. Throws AppError when
// the picture is empty or a side is larger than MaxWmfSide.
QByteArray WritePlaceableWmf(const QImage& image);

// An enhanced metafile: header for a 96 dots-per-inch reference device whose frame converts
// back to the picture's size, one STRETCHDIBITS record with a 24-bit DIB, end record. Throws
// AppError when the picture is empty.
QByteArray WriteEmf(const QImage& image);
