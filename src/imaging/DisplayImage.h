// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>

class TGraphic;

// Pixels for showing a graphic at `displaySize` on screen. A JPEG is decoded at the smallest
// reduced scale that is still at least as large as the display (a fitted photograph then costs a
// fraction of a full decode); a metafile is drawn at the display size, within bounds; every other
// kind gives its own pixels. The graphic itself is left as it is.
QImage DisplayImageFor(const TGraphic& graphic, QSize displaySize);

// The JPEG scale divisor (1, 2, 4 or 8) whose output of a `full`-sized picture still covers
// `display`.
int DisplayJpegDivisor(QSize full, QSize display);
