// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// A picture reduced to a palette of at most 256 entries.
struct TQuantizedImage {
    QList<QRgb> palette;       // opaque colours, plus the transparent entry when there is one
    QByteArray indices;        // width x height palette indices, top row first
    int transparentIndex = -1; // entry that stands for transparent pixels, or -1
};

// Reduces `image` to a palette for GIF output. Pixels with alpha below 128 become the
// transparent entry. A picture with few enough colours keeps them exactly; otherwise a median
// cut over a 6-bit-per-channel histogram picks the colours (each the mean of the pixels it
// stands for) and pixels map to the nearest one, with Floyd-Steinberg error diffusion when
// `dither` is set.
TQuantizedImage QuantizeImage(const QImage& image, bool dither);
