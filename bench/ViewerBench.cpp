// SPDX-License-Identifier: MIT
// Viewer benchmark: opens a folder in the real main window (headless), then steps through it
// with "next" while the thumbnails are still loading, and measures how long each step takes from
// the key to the next picture painted, and the longest stretch the UI thread was busy.
//
//   viewerbench FOLDER [--steps N] [--pause MS]
//
// MS (default 150) is how long the user looks at each picture before the next key; with 0 the
// keys come as fast as a held-down key.
//
// The last line reads:
//   "viewer: next median Xms worst Yms, longest stall Zms"
#include "PeakMemory.h"
#include "StallProbe.h"

#include "dialogs/Dialogs.h"
#include "settings/RegistryUnit.h"
#include "viewer/MainUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Runs the event loop for `ms`, as a user would leave the program between two keys.
void Idle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings of its own, so no question stops the run and the user's store is left alone.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: viewerbench FOLDER [--steps N] [--pause MS]\n");
        return 2;
    }
    int steps = 40;
    int pauseMs = 150;
    for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--steps"))
            steps = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--pause"))
            pauseMs = args[i + 1].toInt();
    }
    QString folder = args[1];
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    TMainForm form({QStringLiteral("/nosplash")});
    CreateDialogs({});
    form.resize(1024, 768);
    form.show();
    form.OpenFolderTab(folder);
    if (!form.HasImage()) {
        std::fprintf(stderr, "no image shown in %s\n", qPrintable(folder));
        return 1;
    }
    form.repaint();

    // The UI thread's longest busy stretch.
    const StallProbe probe;

    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        Idle(pauseMs);
        const QString before = form.CurrentImageName();
        QElapsedTimer step;
        step.start();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        form.FormKeyDown(&key);
        form.repaint(); // the new picture on screen
        const double ms = step.nsecsElapsed() / 1e6;
        if (form.CurrentImageName() == before) {
            std::fprintf(stderr, "step %d did not move on\n", i);
            return 1;
        }
        times.push_back(ms);
    }
    Idle(50);
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double worst = times.back();
    std::printf("%d steps through %s, %d ms between keys, peak %.0f MB\n", steps,
                qPrintable(folder), pauseMs, PeakMemoryMiB());
    std::printf("viewer: next median %.0fms worst %.0fms, longest stall %.0fms\n", median, worst,
                probe.LongestStallMs());
    return 0;
}
