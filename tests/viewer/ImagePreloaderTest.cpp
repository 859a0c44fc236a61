// SPDX-License-Identifier: MIT
#include "viewer/ImagePreloader.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class ImagePreloaderTest : public testing::Test {
protected:
    QTemporaryDir dir;
    TImagePreloader preloader;

    QString Write(const QString& name, QSize size, const char* format = "PNG") {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    static QSize Half(QSize picture) { return picture / 2; }
};

TEST_F(ImagePreloaderTest, KeepsTheFileDecodedForItsDisplaySize) {
    const QString path = Write(QStringLiteral("a.jpg"), {800, 600}, "JPEG");
    preloader.Preload(path, Half);
    ASSERT_TRUE(preloader.Holds(path));
    std::optional<TImagePreloader::Preloaded> kept = preloader.Take(path);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->picture.Width(), 800);
    EXPECT_EQ(kept->display.size(), QSize(400, 300)); // a reduced JPEG decode
    EXPECT_FALSE(preloader.Holds(path));              // taken once
}

TEST_F(ImagePreloaderTest, AFileChangedSinceIsNotUsed) {
    const QString path = Write(QStringLiteral("b.png"), {40, 30});
    preloader.Preload(path, Half);
    QThread::msleep(20);
    Write(QStringLiteral("b.png"), {41, 30});
    EXPECT_FALSE(preloader.Take(path));
}

TEST_F(ImagePreloaderTest, OtherFilesAndDamagedOnesAreNotKept) {
    const QString path = Write(QStringLiteral("c.png"), {40, 30});
    preloader.Preload(path, Half);
    EXPECT_FALSE(preloader.Take(dir.filePath(QStringLiteral("d.png"))));
    QFile damaged(dir.filePath(QStringLiteral("e.jpg")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\xFF\xD8 not really");
    damaged.close();
    preloader.Preload(damaged.fileName(), Half);
    EXPECT_FALSE(preloader.Holds(damaged.fileName()));
}

} // namespace
