// SPDX-License-Identifier: MIT
// A real folder opened headless with the real model, cache, loader and watcher: thumbnails come
// visible-first, the listing follows another process's changes, and closing does not hang.
#include "FakeFolderViewHost.h"

#include "folderview/BitmapCache.h"
#include "folderview/FolderLoader.h"
#include "folderview/FolderModel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "EventLoopWait.h"

namespace {

// A filmstrip four thumbnails wide at a settable scroll position.
class RecordingHost : public FakeFolderViewHost {
public:
    int scrollPosition = 0;
    int ThumbScrollPosition() const override { return scrollPosition; }
    int ThumbImageWidth() const override { return 4 * SlotWidth; }
};

class FolderLoadingTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir cacheDir;
    RecordingHost host;

    void MakeImage(const QString& name, QColor colour) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir.filePath(name)));
    }
    std::unique_ptr<TFolderModel> Open() {
        auto model = std::make_unique<TFolderModel>(
            host, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
        model->SetLoaderTiming({1, 1, 1, 1});
        model->OpenFolder(dir.path() + QLatin1Char('/'));
        return model;
    }
    // Runs a shell command as another process would change the folder.
    void Shell(const QString& command) {
        ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}), 0);
    }
};

TEST_F(FolderLoadingTest, RendersEveryThumbnailVisibleFirst) {
    for (int i = 0; i < 20; ++i)
        MakeImage(QStringLiteral("img%1.png").arg(i, 2, 10, QLatin1Char('0')), Qt::blue);
    host.scrollPosition = 40; // first visible index 40 x 20 / 80 = 10
    auto model = Open();
    ASSERT_NE(model->Loader(), nullptr);
    ASSERT_TRUE(ProcessEventsUntil([&] { return model->LoadedCount() == 20; }));
    const QStringList loaded = model->LoadedFiles();
    // From the first visible file to the end, then back down to the start.
    EXPECT_EQ(loaded.first(), QStringLiteral("img10.png"));
    EXPECT_EQ(loaded.at(9), QStringLiteral("img19.png"));
    EXPECT_EQ(loaded.at(10), QStringLiteral("img09.png"));
    EXPECT_EQ(loaded.last(), QStringLiteral("img00.png"));
    EXPECT_GT(host.redraws, 0);
    EXPECT_EQ(model->ListModel().Find(QStringLiteral("img05.png"))->dimensions,
              QStringLiteral("40x30"));
}

TEST_F(FolderLoadingTest, FollowsAnotherProcessAndClosesPromptly) {
    MakeImage(QStringLiteral("a.png"), Qt::red);
    MakeImage(QStringLiteral("b.png"), Qt::green);
    auto model = Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return model->LoadedCount() == 2; }));

    const QString folder = dir.path();
    Shell(QStringLiteral("cp '%1/a.png' '%1/c.png'").arg(folder));
    ASSERT_TRUE(ProcessEventsUntil([&] { return model->IsListed(QStringLiteral("c.png")); }));
    EXPECT_EQ(model->ImageFiles().last(), QStringLiteral("c.png"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return model->IsLoaded(QStringLiteral("c.png")); }));

    Shell(QStringLiteral("mv '%1/b.png' '%1/renamed.png'").arg(folder));
    ASSERT_TRUE(ProcessEventsUntil([&] { return model->IsListed(QStringLiteral("renamed.png")); }));
    EXPECT_EQ(model->IndexOf(QStringLiteral("renamed.png")), 1); // the thumbnail kept its place

    Shell(QStringLiteral("rm '%1/a.png'").arg(folder));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !model->IsListed(QStringLiteral("a.png")); }));
    EXPECT_EQ(model->ImageFiles(),
              (QStringList{QStringLiteral("renamed.png"), QStringLiteral("c.png")}));

    // Closing: stop, then destroy while the loader waits in its idle pause.
    QElapsedTimer timer;
    timer.start();
    model->BeginClosing();
    model.reset();
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST_F(FolderLoadingTest, ClosingWithoutStoppingFirstStillEnds) {
    for (int i = 0; i < 5; ++i)
        MakeImage(QStringLiteral("x%1.png").arg(i), Qt::yellow);
    auto model = Open();
    // No event processing: the loader's first hand-over is still pending when the view goes.
    model.reset();
    SUCCEED();
}

} // namespace
