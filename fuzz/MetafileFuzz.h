// SPDX-License-Identifier: MIT
#pragma once

// Shared body of the Windows and enhanced metafile fuzz targets: load, play into a small
// image (stretched and unscaled), and for small pictures convert to the other form and back.

#include "imaging/AppError.h"
#include "imaging/Metafile.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstddef>
#include <cstdint>

// Fontconfig keeps what it loads for text playback in process-wide caches, which the leak
// checker would report as leaks of the input that first needed them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

inline int FuzzMetafile(const uint8_t* data, size_t size) {
    // Text playback needs fonts, and fonts need a GUI application.
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_metafile";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    TMetafile metafile;
    try {
        metafile.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const AppError&) {
        return 0;
    }
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        metafile.StretchDraw(painter, image.rect());
        metafile.Draw(painter, QPoint(5, 3));
    }
    if (qint64(metafile.Width()) * metafile.Height() <= 256 * 256) {
        try {
            metafile.SetEnhanced(!metafile.HoldsEnhanced());
            TMetafile back;
            back.LoadFromBytes(metafile.SaveToBytes());
        } catch (const AppError&) {
        }
    }
    return 0;
}
