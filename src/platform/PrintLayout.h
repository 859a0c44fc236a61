// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// Where a picture goes on the printed page. It keeps its on-screen physical size (screen pixels
// per inch become printer pixels per inch), is shrunk to the page keeping its proportions when
// it does not fit, never enlarged, and is centred. A 960 x 480 picture of a 96-pixels-per-inch
// screen becomes 6000 x 3000 printer pixels at 600 pixels per inch, or 4800 x 2400 on a page
// 4800 pixels wide. `page` is the printable area in printer pixels.
QRect PrintRect(QSize picture, int screenDpi, int printerDpiX, int printerDpiY, QSize page);

// The print job's title: "Orvo Image Bowser - " and the image name.
QString PrintJobTitle(const QString& imageName);
