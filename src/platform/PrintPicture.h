// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

class QPrinter;
class TGraphic;

// Prints the graphic on one page of a printer the print dialog has set up, placed by PrintRect
// (the printable area is the page) and stretched into that rectangle; a metafile prints as
// drawing, not as pixels. The job is titled PrintJobTitle(imageName). `screenDpi` is the
// resolution the picture is shown at (ScreenResolution()). The job is ended whatever happens;
// throws AppError when the printer cannot be started, or when ending the job fails or leaves
// the printer in its error state (the picture did not reach the printer).
void PrintPicture(QPrinter& printer, const TGraphic& graphic, const QString& imageName,
                  int screenDpi);
void PrintPicture(QPrinter& printer, const QImage& image, const QString& imageName, int screenDpi);
