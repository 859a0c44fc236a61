// SPDX-License-Identifier: MIT
#include "platform/PrintPicture.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureTransforms.h"
#include "platform/PrintLayout.h"

#include <QPainter>
#include <QPrinter>

void PrintPicture(QPrinter& printer, const TGraphic& graphic, const QString& imageName,
                  int screenDpi) {
    printer.setDocName(PrintJobTitle(imageName));
    // The painter ends the job when it goes, also when drawing throws.
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("The printer could not be started."));
    const QRect rect =
        PrintRect(QSize(graphic.Width(), graphic.Height()), screenDpi, printer.logicalDpiX(),
                  printer.logicalDpiY(), QSize(printer.width(), printer.height()));
    StretchGraphic(painter, graphic, rect);
}

void PrintPicture(QPrinter& printer, const QImage& image, const QString& imageName, int screenDpi) {
    PrintPicture(printer, TBitmap(image), imageName, screenDpi);
}
