// SPDX-License-Identifier: MIT
// Thumbnail benchmark: renders a 76 x 76 thumbnail of every supported file of a folder the way
// the thumbnail loader does, and times a bare libjpeg loop on the same JPEG files as the floor.
//
//   thumbbench FOLDER [--full FILE] [--rounds N]
//
// The last line reads: "thumbs: N files, X files/s, ours/floor R".
#include "JpegFloor.h"
#include "PeakMemory.h"

#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"
#include "imaging/JpegImage.h"
#include "imaging/PictureUtilUnit.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int ThumbBox = 76;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsJpeg(const QString& path) {
    return ReadKindForPath(path) == GraphicKind::Jpeg;
}

// One thumbnail as the loader makes it: loaded fitted into the box through long-lived
// receivers, then drawn centred on a black tile.
class ThumbRenderer {
public:
    bool Render(const QString& path) {
        try {
            QString dimensions;
            int fittedWidth = 0;
            int fittedHeight = 0;
            LoadFittedPicture(path, ThumbBox, ThumbBox, nullptr, dimensions, true, jpeg_, picture_,
                              fittedWidth, fittedHeight);
            const TGraphic* graphic =
                IsJpeg(path) ? static_cast<const TGraphic*>(&jpeg_) : picture_.Graphic();
            tile_.fill(Qt::black);
            QPainter painter(&tile_);
            const QRect rect((ThumbBox - fittedWidth) / 2, (ThumbBox - fittedHeight) / 2,
                             fittedWidth, fittedHeight);
            if (graphic)
                graphic->StretchDraw(painter, rect);
            return true;
        } catch (const AppError& error) {
            std::fprintf(stderr, "  %s: %s\n", qPrintable(path), qPrintable(error.Message()));
            return false;
        }
    }

private:
    TJPEGImage jpeg_;
    TPicture picture_;
    QImage tile_{ThumbBox, ThumbBox, QImage::Format_RGB32};
};

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
    return values[index];
}

double Sum(const std::vector<double>& values) {
    double total = 0;
    for (double v : values)
        total += v;
    return total;
}

double ElapsedMs(QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: thumbbench FOLDER [--full FILE] [--rounds N]\n");
        return 2;
    }
    QString fullFile;
    int rounds = 1;
    for (int i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--full"))
            fullFile = args[i + 1];
        else if (args[i] == QLatin1String("--rounds"))
            rounds = std::max(1, args[i + 1].toInt());
    }

    QStringList files;
    QDirIterator it(args[1], QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (IsSupportedImage(path))
            files << path;
    }
    files.sort();
    if (files.isEmpty()) {
        std::fprintf(stderr, "no supported images in %s\n", qPrintable(args[1]));
        return 2;
    }
    // Warm the file cache so both loops read from memory.
    for (const QString& path : files)
        ReadAll(path);

    ThumbRenderer renderer;
    std::vector<double> oursAll, oursJpeg, floorJpeg;
    int failures = 0;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        for (const QString& path : files) {
            // Floor and ours alternate file by file, so drift of the machine hits both alike.
            if (IsJpeg(path)) {
                timer.start();
                DecodeJpegAtOneEighth(ReadAll(path));
                floorJpeg.push_back(ElapsedMs(timer));
            }
            timer.start();
            if (!renderer.Render(path))
                ++failures;
            const double ms = ElapsedMs(timer);
            oursAll.push_back(ms);
            if (IsJpeg(path))
                oursJpeg.push_back(ms);
        }
    }

    const double totalMs = Sum(oursAll);
    const double filesPerSecond = oursAll.size() * 1000.0 / std::max(totalMs, 1e-9);
    std::printf("folder: %s (%lld files, %zu JPEG, %d rounds)\n", qPrintable(args[1]),
                static_cast<long long>(files.size()), oursJpeg.size() / rounds, rounds);
    std::printf("ours, all files: %.1f files/s, median %.2f ms, p95 %.2f ms, failures %d\n",
                filesPerSecond, Percentile(oursAll, 0.5), Percentile(oursAll, 0.95), failures);
    double ratio = 0;
    if (!oursJpeg.empty()) {
        const double oursMs = Sum(oursJpeg);
        const double floorMs = Sum(floorJpeg);
        ratio = oursMs / std::max(floorMs, 1e-9);
        std::printf("ours, JPEG: %.1f files/s, median %.2f ms, p95 %.2f ms\n",
                    oursJpeg.size() * 1000.0 / oursMs, Percentile(oursJpeg, 0.5),
                    Percentile(oursJpeg, 0.95));
        std::printf(
            "floor (bare libjpeg at 1/8), JPEG: %.1f files/s, median %.2f ms, p95 %.2f ms\n",
            floorJpeg.size() * 1000.0 / floorMs, Percentile(floorJpeg, 0.5),
            Percentile(floorJpeg, 0.95));
    }
    if (fullFile.isEmpty()) {
        const auto firstJpeg = std::find_if(files.begin(), files.end(), IsJpeg);
        fullFile = firstJpeg != files.end() ? *firstJpeg : files.first();
    }
    try {
        timer.start();
        TPicture picture;
        picture.LoadFromFile(fullFile);
        const QImage image = picture.Graphic()->ToImage();
        std::printf("full-size load: %s, %d x %d, %.1f ms\n", qPrintable(fullFile), image.width(),
                    image.height(), ElapsedMs(timer));
    } catch (const AppError& error) {
        std::printf("full-size load: %s failed: %s\n", qPrintable(fullFile),
                    qPrintable(error.Message()));
    }
    std::printf("peak memory: %.1f MiB\n", PeakMemoryMiB());
    std::printf("thumbs: %lld files, %.1f files/s, ours/floor %.2f\n",
                static_cast<long long>(oursAll.size()), filesPerSecond, ratio);
    return 0;
}
