// SPDX-License-Identifier: MIT
#include "imaging/PictureTransforms.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/IconImage.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace raster_test;

namespace {

// Where source pixel (x, y) of a w x h picture lands.
QPoint Destination(TransformMode mode, int x, int y, int w, int h) {
    switch (mode) {
    case TransformMode::Rotate90Clockwise:
        return {h - 1 - y, x};
    case TransformMode::Rotate180:
        return {w - 1 - x, h - 1 - y};
    case TransformMode::Rotate90CounterClockwise:
        return {y, w - 1 - x};
    case TransformMode::FlipHorizontal:
        return {w - 1 - x, y};
    case TransformMode::FlipVertical:
        return {x, h - 1 - y};
    }
    return {};
}

constexpr TransformMode AllModes[] = {TransformMode::Rotate90Clockwise, TransformMode::Rotate180,
                                      TransformMode::Rotate90CounterClockwise,
                                      TransformMode::FlipHorizontal, TransformMode::FlipVertical};

TEST(PictureTransformsTest, EveryModeMovesEveryPixelWhereTheTableSays) {
    for (const QSize size : {QSize(4, 2), QSize(5, 3), QSize(1, 1)}) {
        const TBitmap source(DistinctImage(size.width(), size.height()));
        for (TransformMode mode : AllModes) {
            SCOPED_TRACE(int(mode));
            const auto result = RotateFlip(source, mode);
            const bool swapped = mode == TransformMode::Rotate90Clockwise ||
                                 mode == TransformMode::Rotate90CounterClockwise;
            ASSERT_EQ(result->Image().format(), QImage::Format_BGR888);
            ASSERT_EQ(result->Image().size(), swapped ? size.transposed() : size);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    ASSERT_EQ(
                        result->Image().pixel(Destination(mode, x, y, size.width(), size.height())),
                        source.Image().pixel(x, y))
                        << x << "," << y;
        }
    }
}

TEST(PictureTransformsTest, FourSmallImageCornersAsDescribed) {
    const TBitmap source(DistinctImage(4, 2));
    const QRgb topLeft = source.Image().pixel(0, 0);
    const auto clockwise = RotateFlip(source, TransformMode::Rotate90Clockwise);
    EXPECT_EQ(clockwise->Image().size(), QSize(2, 4));
    EXPECT_EQ(clockwise->Image().pixel(1, 0), topLeft);
    const auto counter = RotateFlip(source, TransformMode::Rotate90CounterClockwise);
    EXPECT_EQ(counter->Image().pixel(0, 3), topLeft);
}

TEST(PictureTransformsTest, RepeatsGiveBackTheStart) {
    const TBitmap start(DistinctImage(7, 3).convertToFormat(QImage::Format_BGR888));
    const struct {
        TransformMode mode;
        int times;
    } cases[] = {{TransformMode::Rotate90Clockwise, 4},
                 {TransformMode::Rotate90CounterClockwise, 4},
                 {TransformMode::Rotate180, 2},
                 {TransformMode::FlipHorizontal, 2},
                 {TransformMode::FlipVertical, 2}};
    for (const auto& c : cases) {
        std::unique_ptr<TBitmap> current = std::make_unique<TBitmap>(start);
        for (int i = 0; i < c.times; ++i)
            current = RotateFlip(*current, c.mode);
        EXPECT_EQ(current->Image(), start.Image()) << int(c.mode);
    }
}

TEST(PictureTransformsTest, TransparentPartsBecomeOpaqueWhite) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    TPNGObject png;
    png.Assign(TBitmap(image));
    ASSERT_TRUE(png.Transparent());
    const auto result = RotateFlip(png, TransformMode::Rotate180);
    EXPECT_FALSE(result->Transparent());
    EXPECT_EQ(result->Image().pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(result->Image().pixel(0, 0), qRgb(255, 255, 255));
}

TEST(PictureTransformsTest, InvalidModeIsRefused) {
    EXPECT_THROW(RotateFlip(TBitmap(DistinctImage(2, 2)), TransformMode(6)), AppError);
}

TEST(PictureTransformsTest, ResizeStretchesWithoutSmoothing) {
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 0, 255));
    const auto result = ResizePicture(TBitmap(image), 8, 3);
    ASSERT_EQ(result->Image().size(), QSize(8, 3));
    for (int x = 0; x < 8; ++x) // only the two source colours, no blend between them
        EXPECT_EQ(result->Image().pixel(x, 1), x < 4 ? qRgb(255, 0, 0) : qRgb(0, 0, 255)) << x;
}

TEST(PictureTransformsTest, ZeroSizes) {
    const TBitmap source(DistinctImage(4, 4));
    for (const QSize size : {QSize(0, 100), QSize(100, 0), QSize(-1, 5)}) {
        try {
            ResizePicture(source, size.width(), size.height());
            ADD_FAILURE() << "resize to " << size.width() << "x" << size.height();
        } catch (const AppError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Invalid Image Size Constraints"));
        }
    }
    TBitmap target;
    StretchIntoBitmap(source, 0, 100, target);
    EXPECT_EQ(target.Image().size(), QSize(1, 100));
}

TEST(PictureTransformsTest, IconIsReallyEnlarged) {
    // 32 x 32 icon: red top-left quadrant, blue elsewhere.
    DibLayout layout;
    layout.width = 32;
    layout.height = 64;
    layout.bits = 24;
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; ++x)
            layout.pixels += (x < 16 && y < 16) ? Bytes({0, 0, 255}) : Bytes({255, 0, 0});
    layout.pixels += QByteArray(32 * 4, '\0');
    TIcon icon;
    icon.LoadFromBytes(BuildIco({BuildDib(layout)}, {32}));

    const auto result = ResizePicture(icon, 64, 64);
    EXPECT_EQ(result->Image().pixel(30, 30), qRgb(255, 0, 0)); // drawn unscaled: blue
    EXPECT_EQ(result->Image().pixel(40, 40), qRgb(0, 0, 255)); // drawn unscaled: white
    TBitmap target;
    StretchIntoBitmap(icon, 64, 64, target);
    EXPECT_EQ(target.Image(), result->Image());
}

} // namespace
