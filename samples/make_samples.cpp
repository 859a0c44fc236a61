// SPDX-License-Identifier: MIT
// Makes the bundled sample folder: a dozen small, varied images covering the readable
// extensions, drawn here and written through the program's own save path.
//
//   make_samples OUTDIR
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/GifImage.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureSaving.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using Painter = std::function<void(QPainter&, int, int)>;

void Landscape(QPainter& p, int w, int h) {
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(25, 40, 110));
    sky.setColorAt(0.6, QColor(250, 150, 70));
    sky.setColorAt(1, QColor(60, 30, 20));
    p.fillRect(0, 0, w, h, sky);
    QRadialGradient sun(w * 0.7, h * 0.55, h * 0.18);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(1, QColor(255, 160, 60, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.7, h * 0.55), h * 0.18, h * 0.18);
    QPainterPath hills;
    hills.moveTo(0, h);
    for (int x = 0; x <= w; x += 8)
        hills.lineTo(x, h * 0.72 + std::sin(x / 37.0) * h * 0.05 + std::sin(x / 11.0) * 4);
    hills.lineTo(w, h);
    p.setBrush(QColor(20, 45, 25));
    p.drawPath(hills);
}

void Portrait(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, QColor(230, 225, 210));
    for (int i = 0; i < 9; ++i) {
        p.setBrush(QColor::fromHsv(i * 40, 150, 220));
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(QPointF(w / 2.0, h / 2.0), w * (0.45 - i * 0.05), h * (0.45 - i * 0.05));
    }
}

void Checker(QPainter& p, int w, int h) {
    for (int y = 0; y < h; y += 10)
        for (int x = 0; x < w; x += 10)
            p.fillRect(x, y, 10, 10,
                       ((x + y) / 10) % 2 ? QColor(40, 90, 200) : QColor(250, 250, 240));
    p.setPen(QPen(Qt::red, 3));
    p.drawLine(0, 0, w, h);
}

void Badge(QPainter& p, int w, int h) {
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(0, 0, w, h, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 40, 60, 220));
    p.setPen(QPen(Qt::white, w / 16.0));
    p.drawEllipse(QRectF(w * 0.08, h * 0.08, w * 0.84, h * 0.84));
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(h / 3);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QStringLiteral("OB"));
}

void Bars(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::white);
    const int values[] = {30, 55, 80, 45, 95, 60};
    const int barWidth = w / 8;
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor::fromHsv(i * 50, 200, 200));
        p.setPen(Qt::black);
        p.drawRect(barWidth * (i + 1), h - 10 - values[i] * (h - 20) / 100, barWidth - 6,
                   values[i] * (h - 20) / 100);
    }
}

void Stripes(QPainter& p, int w, int h) {
    const QColor colours[] = {Qt::red,  QColor(255, 140, 0), Qt::yellow, Qt::green,
                              Qt::blue, QColor(110, 0, 170)};
    for (int i = 0; i < 6; ++i)
        p.fillRect(0, i * h / 6, w, h / 6 + 1, colours[i]);
}

// An animated GIF: a dot running round a ring, eight frames, looping forever.
void WriteSpinner(const QString& path) {
    constexpr int Side = 64;
    TGifAnimation animation;
    animation.screen = QSize(Side, Side);
    animation.globalPalette = {qRgb(255, 255, 255), qRgb(200, 200, 210), qRgb(220, 60, 40)};
    animation.loopCount = 0;
    for (int f = 0; f < 8; ++f) {
        TGifFrame frame;
        frame.rect = QRect(0, 0, Side, Side);
        frame.delayCs = 10;
        frame.indices = QByteArray(Side * Side, 0);
        const double angle = f * M_PI / 4;
        for (int y = 0; y < Side; ++y) {
            for (int x = 0; x < Side; ++x) {
                const double dx = x - Side / 2.0 + 0.5;
                const double dy = y - Side / 2.0 + 0.5;
                const double r = std::hypot(dx, dy);
                const double ddx = dx - std::cos(angle) * 22;
                const double ddy = dy - std::sin(angle) * 22;
                char index = 0;
                if (r > 19 && r < 25)
                    index = 1;
                if (std::hypot(ddx, ddy) < 7)
                    index = 2;
                frame.indices[y * Side + x] = index;
            }
        }
        animation.frames.push_back(frame);
    }
    TGIFImage gif;
    gif.SetAnimation(animation);
    gif.SaveToFile(path);
}

struct Sample {
    const char* name;
    int width;
    int height;
    bool alpha;
    Painter paint;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_samples OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const Sample samples[] = {
        {"sunset.jpg", 640, 427, false, Landscape},
        {"rings.jpeg", 360, 480, false, Portrait},
        {"small.jpg", 100, 80, false, Checker},
        {"panorama.jpg", 1200, 300, false, Landscape},
        {"checker.bmp", 200, 150, false, Checker},
        {"badge.png", 256, 256, true, Badge},
        {"badge.ico", 48, 48, true, Badge},
        {"chart.png", 320, 240, false, Bars},
        {"stripes.gif", 240, 160, false, Stripes},
        {"badge.gif", 96, 96, true, Badge},
        {"rings.pcx", 180, 240, false, Portrait},
        {"chart.wmf", 320, 240, false, Bars},
        {"landscape.emf", 300, 200, false, Landscape},
    };
    int failures = 0;
    for (const Sample& sample : samples) {
        QImage image(sample.width, sample.height,
                     sample.alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        {
            QPainter painter(&image);
            sample.paint(painter, sample.width, sample.height);
        }
        const QString path = JoinPath(out, QString::fromLatin1(sample.name));
        try {
            if (ReadKindForPath(path) == GraphicKind::Icon) {
                // Icons cannot be saved by the program; Qt's own writer makes this one.
                if (!image.save(path, "ICO"))
                    throw AppError(QStringLiteral("cannot write ") + path);
            } else {
                SavePictureAs(TBitmap(image), path);
            }
            std::printf("wrote %s\n", qPrintable(path));
        } catch (const AppError& error) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error.Message()));
            ++failures;
        }
    }
    const QString spinner = JoinPath(out, QStringLiteral("spinner.gif"));
    try {
        WriteSpinner(spinner);
        std::printf("wrote %s\n", qPrintable(spinner));
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(spinner), qPrintable(error.Message()));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
