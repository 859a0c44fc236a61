// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

// The 76 x 76 tiles a folder shows for a file whose thumbnail is not rendered yet, and for one
// that could not be read. Drawn here so that the folder works without any resource; the
// windows may replace them.
QImage DrawDefaultThumbnail();
QImage DrawErrorThumbnail();
