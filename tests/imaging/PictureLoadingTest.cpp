// SPDX-License-Identifier: MIT
#include "imaging/PictureLoading.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "imaging/Picture.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace raster_test;

namespace {

QByteArray PngOfSize(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    return EncodePng(image);
}

struct FitCase {
    const char* file;
    QByteArray bytes;
    int boxWidth, boxHeight;
    bool reducedJpeg;
    const char* text;
    int fittedWidth, fittedHeight;
    int divisor; // 0: the general path
};

TEST(PictureLoadingTest, DivisorTextAndFit) {
    const FitCase cases[] = {
        {"a.jpg", JpegOfSize(3000, 2000), 76, 76, true, "3000x2000", 76, 51, 8},
        {"b.jpg", JpegOfSize(100, 80), 76, 76, true, "100x80", 76, 61, 1},
        {"c.JPEG", JpegOfSize(300, 200), 76, 76, true, "300x200", 76, 51, 2},
        {"d.jpg", JpegOfSize(600, 400), 76, 76, true, "600x400", 76, 51, 4},
        // Preview box: first decode at a quarter, then an eighth; not enlarged to the box.
        {"e.jpg", JpegOfSize(1024, 768), 185, 169, true, "1024x768", 128, 96, 8},
        // Decoded at an eighth: 126 x 75, so the text is a multiple of eight.
        {"f.jpg", JpegOfSize(1001, 600), 76, 76, true, "1008x600", 76, 45, 8},
        {"g.jpg", JpegOfSize(1024, 768), 185, 169, false, "1024x768", 185, 139, 0},
        {"h.png", PngOfSize(400, 100), 76, 76, true, "400x100", 76, 19, 0},
        {"i.png", PngOfSize(50, 40), 76, 76, true, "50x40", 50, 40, 0},
    };
    QTemporaryDir dir;
    // One pair of receivers and one target for every file, as the thumbnail loader keeps them.
    TJPEGImage jpeg;
    TPicture picture;
    TBitmap target;
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = WriteFile(dir, QString::fromLatin1(c.file), c.bytes);
        QString text;
        int fw = -1, fh = -1;
        LoadFittedPicture(path, c.boxWidth, c.boxHeight, &target, text, c.reducedJpeg, jpeg,
                          picture, fw, fh);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        EXPECT_EQ(fw, c.fittedWidth);
        EXPECT_EQ(fh, c.fittedHeight);
        EXPECT_EQ(target.Width(), c.fittedWidth);
        EXPECT_EQ(target.Height(), c.fittedHeight);
        if (c.divisor) {
            EXPECT_EQ(jpeg.Scale(), c.divisor);
            EXPECT_EQ(jpeg.Image().size(), jpeg.ScaledSize(c.divisor)); // decoded, reduced
            EXPECT_EQ(jpeg.SaveToBytes(), c.bytes); // the receiver holds this file
        } else {
            ASSERT_NE(picture.Graphic(), nullptr);
            EXPECT_EQ(picture.Graphic()->Kind(), *ReadKindForPath(path));
        }
    }
}

TEST(PictureLoadingTest, FitNeverEnlargesAndRoundsHalvesToEven) {
    struct Case {
        int w, h, boxW, boxH, fw, fh;
    } const cases[] = {
        {0, 0, 76, 76, 0, 0},       {50, 40, 76, 76, 50, 40},
        {400, 100, 76, 76, 76, 19}, {64, 10, 16, 16, 16, 2}, // 2.5 rounds to 2
        {64, 14, 16, 16, 16, 4},                             // 3.5 rounds to 4
        {80, 300, 76, 76, 20, 76},
    };
    for (const Case& c : cases) {
        int fw = -1, fh = -1;
        FitIntoBox(c.w, c.h, c.boxW, c.boxH, fw, fh);
        EXPECT_EQ(fw, c.fw) << c.w << "x" << c.h;
        EXPECT_EQ(fh, c.fh) << c.w << "x" << c.h;
    }
}

TEST(PictureLoadingTest, TargetHoldsThePictureStretched) {
    QTemporaryDir dir;
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(qRgb(240, 10, 10));
    QPainter(&image).fillRect(100, 0, 100, 100, QColor(10, 10, 240));
    const QString path = WriteFile(dir, QStringLiteral("two.png"), EncodePng(image));
    TBitmap target;
    QString text;
    LoadFittedPreview(path, 50, 50, &target, text, true);
    ASSERT_EQ(target.Image().size(), QSize(50, 25));
    EXPECT_EQ(target.Image().pixel(10, 12), qRgb(240, 10, 10));
    EXPECT_EQ(target.Image().pixel(40, 12), qRgb(10, 10, 240));
}

TEST(PictureLoadingTest, IconIsStretchedThroughABitmap) {
    // 64 x 64, red top-left quadrant, blue elsewhere; fitted into 32 x 32.
    DibLayout layout;
    layout.width = 64;
    layout.height = 128;
    layout.bits = 24;
    for (int y = 63; y >= 0; --y) { // bottom-up
        QByteArray row;
        for (int x = 0; x < 64; ++x)
            row += (x < 32 && y < 32) ? Bytes({0, 0, 255}) : Bytes({255, 0, 0});
        layout.pixels += row;
    }
    layout.pixels += QByteArray(64 * 8, '\0'); // mask: all opaque
    QTemporaryDir dir;
    const QString path =
        WriteFile(dir, QStringLiteral("q.ico"), BuildIco({BuildDib(layout)}, {64}));
    TBitmap target;
    QString text;
    LoadFittedPreview(path, 32, 32, &target, text, true);
    EXPECT_EQ(text, QStringLiteral("64x64"));
    ASSERT_EQ(target.Image().size(), QSize(32, 32));
    EXPECT_EQ(target.Image().pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(target.Image().pixel(24, 24), qRgb(0, 0, 255)); // drawn unscaled this is red
}

TEST(PictureLoadingTest, FailureLeavesTargetEmptyAndOutputsUnset) {
    QTemporaryDir dir;
    const QString good = WriteFile(dir, QStringLiteral("ok.png"), PngOfSize(30, 20));
    const QByteArray jpegBytes = JpegOfSize(64, 64);
    const struct {
        const char* name;
        QString path;
    } cases[] = {
        {"missing", dir.filePath(QStringLiteral("missing.jpg"))},
        {"truncated JPEG",
         WriteFile(dir, QStringLiteral("cut.jpg"), jpegBytes.left(jpegBytes.size() / 2))},
        {"unknown extension", WriteFile(dir, QStringLiteral("x.tif"), PngOfSize(4, 4))},
        {"PNG named .bmp", WriteFile(dir, QStringLiteral("png.bmp"), PngOfSize(4, 4))},
    };
    TJPEGImage jpeg;
    TPicture picture;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap target;
        QString text = QStringLiteral("unchanged");
        int fw = -1, fh = -1;
        LoadFittedPicture(good, 76, 76, &target, text, true, jpeg, picture, fw, fh);
        text = QStringLiteral("unchanged");
        fw = fh = -1;
        EXPECT_THROW(LoadFittedPicture(c.path, 76, 76, &target, text, true, jpeg, picture, fw, fh),
                     AppError);
        EXPECT_TRUE(target.Empty());
        EXPECT_EQ(text, QStringLiteral("unchanged"));
        EXPECT_EQ(fw, -1);
        EXPECT_EQ(fh, -1);
    }
}

} // namespace
