// SPDX-License-Identifier: MIT
// Folder benchmark: opens a folder headless with the real folder model, thumbnail cache and
// loader, the filmstrip showing 12 thumbnails, and measures how the folder comes up.
//
//   folderbench FOLDER [--timeout SECONDS]
//
// The last line reads:
//   "folder N files: list Lms, first screen Fms, all Ams, longest stall Sms, peak P MB"
// "longest stall" is the longest stretch the UI thread could not run a 5 ms timer: the
// longest single piece of work the loader handed to it.
#include "PeakMemory.h"
#include "StallProbe.h"

#include "folderview/FolderModel.h"
#include "folderview/FolderViewHost.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int VisibleThumbnails = 12;

// A docked filmstrip 12 thumbnails wide, scrolled to the start, in the folder the viewer
// follows.
class BenchHost : public FolderViewHost {
public:
    int ThumbImageWidth() const override { return VisibleThumbnails * 80; }
};

bool FirstScreenDone(const TFolderModel& model) {
    const int visible = std::min(VisibleThumbnails, model.FileCount());
    for (int i = 0; i < visible; ++i)
        if (!model.IsLoaded(model.ImageFiles().at(i)))
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: folderbench FOLDER [--timeout SECONDS]\n");
        return 2;
    }
    const int timeoutSeconds =
        args.size() > 3 && args[2] == QLatin1String("--timeout") ? args[3].toInt() : 600;
    QString folder = args[1];
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    BenchHost host;
    TFolderModel model(host);
    QElapsedTimer clock;
    clock.start();
    model.OpenFolder(folder);
    const double listMs = clock.nsecsElapsed() / 1e6;
    const int files = model.FileCount();
    std::printf("listed %d files and selected %s in %.1f ms\n", files,
                qPrintable(model.FirstSelected()), listMs);

    double firstScreenMs = -1;
    double allMs = -1;
    QEventLoop loop;
    // Times count from the start of the listing.
    const StallProbe probe([&] {
        const qint64 now = clock.nsecsElapsed();
        if (firstScreenMs < 0 && FirstScreenDone(model))
            firstScreenMs = now / 1e6;
        if (model.LoadedCount() >= files) {
            allMs = now / 1e6;
            loop.quit();
        }
        if (now / 1'000'000'000 > timeoutSeconds)
            loop.quit();
    });
    loop.exec();
    model.BeginClosing();

    std::printf("first screen (%d thumbnails) %.1f ms, all %d thumbnails %.1f ms\n",
                std::min(VisibleThumbnails, files), firstScreenMs, model.LoadedCount(), allMs);
    std::printf("folder %d files: list %.0fms, first screen %.0fms, all %.0fms, longest stall "
                "%.0fms, peak %.0f MB\n",
                files, listMs, firstScreenMs, allMs, probe.LongestStallMs(), PeakMemoryMiB());
    return allMs < 0 ? 1 : 0;
}
