// SPDX-License-Identifier: MIT
#include "dialogs/PreviewTexts.h"

#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"

int PreviewBoxWidth() {
    return ScaleForDpi(185);
}

int PreviewBoxHeight() {
    return ScaleForDpi(169);
}

int CentredPreviewTop(int boxTop, int bitmapHeight) {
    // Integer division truncates towards zero, as everywhere in the program.
    return ScaleForDpi(boxTop) + (PreviewBoxHeight() - bitmapHeight) / 2;
}

QString DimensionsText(const QString& path, const QString& dimensionText) {
    const QString extension = ExtractExtension(path);
    const bool approximate =
        extension == QStringLiteral(".jpg") || extension == QStringLiteral(".jpeg");
    return (approximate ? QStringLiteral("Approx. Dimensions: ") : QStringLiteral("Dimensions: ")) +
           dimensionText;
}

QString KilobyteText(qint64 bytes, const QLocale& locale) {
    return locale.toString(static_cast<double>(bytes) / 1024.0, 'f', 2) + QStringLiteral(" KB");
}
