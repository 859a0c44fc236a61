// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

// What the dialogs with an image preview (Open Image Folder, Save Image) share: the box the
// preview is fitted into and the texts beside it.

// The preview box: 185 x 169 at 96 pixels per inch.
int PreviewBoxWidth();
int PreviewBoxHeight();
// The top of a preview of the given height centred vertically in a box whose top edge is at
// `boxTop` (both at 96 pixels per inch, scaled here; the remainder of the halving is dropped).
int CentredPreviewTop(int boxTop, int bitmapHeight);

// "Dimensions: 40x30", or "Approx. Dimensions: 640x480" for a JPEG file, whose dimensions come
// from a reduced decode.
QString DimensionsText(const QString& path, const QString& dimensionText);
// "1.50 KB": bytes / 1024 with two decimals and the locale's thousands separators.
QString KilobyteText(qint64 bytes, const QLocale& locale);
