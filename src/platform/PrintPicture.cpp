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
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("The printer could not be started."));
    try {
        const QRect rect =
            PrintRect(QSize(graphic.Width(), graphic.Height()), screenDpi, printer.logicalDpiX(),
                      printer.logicalDpiY(), QSize(printer.width(), printer.height()));
        StretchGraphic(painter, graphic, rect);
    } catch (...) {
        painter.end(); // the job is ended also when drawing fails
        throw;
    }
    // Ending the job hands it to the printer; only then does a spooler or file error show.
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        throw AppError(QStringLiteral("The picture could not be printed: the printer reported "
                                      "an error when the job was sent."));
}

void PrintPicture(QPrinter& printer, const QImage& image, const QString& imageName, int screenDpi) {
    PrintPicture(printer, TBitmap(image), imageName, screenDpi);
}
