// SPDX-License-Identifier: MIT
#include "platform/PrintLayout.h"

QRect PrintRect(QSize picture, int screenDpi, int printerDpiX, int printerDpiY, QSize page) {
    if (picture.isEmpty() || screenDpi <= 0)
        return {};
    // Single precision throughout, as the sizes were always worked out.
    const float aspect = float(picture.width()) / float(picture.height());
    float w = float(double(picture.width()) * printerDpiX / screenDpi);
    float h = float(double(picture.height()) * printerDpiY / screenDpi);
    if (page.width() < w) {
        w = float(page.width());
        h = w / aspect;
    }
    if (page.height() < h) {
        h = float(page.height());
        w = h * aspect;
    }
    const int width = int(w);
    const int height = int(h);
    return {(page.width() - width) / 2, (page.height() - height) / 2, width, height};
}

QString PrintJobTitle(const QString& imageName) {
    return QStringLiteral("Orvo Image Bowser - ") + imageName;
}
