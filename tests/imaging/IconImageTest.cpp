// SPDX-License-Identifier: MIT
#include "imaging/IconImage.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace raster_test;

namespace {

// A square bitmap entry of `bits` (8 or 24) filled with one colour, whose AND mask makes the
// top-left pixel transparent.
QByteArray SquareEntry(int size, int bits, QRgb colour) {
    DibLayout layout;
    layout.width = size;
    layout.height = 2 * size;
    layout.bits = bits;
    QByteArray row;
    if (bits == 8) {
        layout.palette = {colour};
        layout.colorsUsed = 1;
        row = QByteArray(size, '\0');
    } else {
        for (int x = 0; x < size; ++x)
            row += Bytes({qBlue(colour), qGreen(colour), qRed(colour)});
    }
    const qsizetype stride = (row.size() + 3) / 4 * 4;
    QByteArray pixels;
    for (int y = 0; y < size; ++y)
        pixels += row + QByteArray(stride - row.size(), '\0');
    const qsizetype maskStride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y) {
        QByteArray mask(maskStride, '\0');
        if (y == size - 1) // stored bottom-up: the last row is the top one
            mask[0] = char(0x80);
        pixels += mask;
    }
    layout.pixels = pixels;
    return BuildDib(layout);
}

QByteArray PngEntry(int size, QRgb colour) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return EncodePng(image);
}

TEST(IconImageTest, PicksTheLargestThenTheDeepestEntry) {
    struct Case {
        const char* name;
        QList<QByteArray> entries;
        QList<int> sizes;
        int expectedSize;
        QRgb expectedColour;
    };
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    const Case cases[] = {
        {"larger wins", {SquareEntry(16, 24, red), SquareEntry(32, 8, green)}, {16, 32}, 32, green},
        {"same size: deeper wins",
         {SquareEntry(32, 8, red), SquareEntry(32, 24, blue), SquareEntry(16, 24, green)},
         {32, 32, 16},
         32,
         blue},
        {"a PNG entry counts like any other",
         {SquareEntry(32, 24, red), PngEntry(48, green)},
         {32, 48},
         48,
         green},
        // The directory claims 64 for the small one; the entry's own header decides.
        {"directory sizes are not trusted",
         {SquareEntry(16, 24, red), SquareEntry(32, 24, blue)},
         {64, 32},
         32,
         blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TIcon icon;
        ASSERT_NO_THROW(icon.LoadFromBytes(BuildIco(c.entries, c.sizes)));
        EXPECT_EQ(icon.Width(), c.expectedSize);
        EXPECT_EQ(icon.Height(), c.expectedSize);
        EXPECT_EQ(icon.Image().pixel(c.expectedSize - 1, c.expectedSize - 1), c.expectedColour);
    }
}

TEST(IconImageTest, AppliesTheAndMask) {
    TIcon icon;
    icon.LoadFromBytes(BuildIco({SquareEntry(16, 8, qRgb(0, 0, 255))}, {16}));
    EXPECT_TRUE(icon.Transparent());
    EXPECT_EQ(qAlpha(icon.Image().pixel(0, 0)), 0); // masked: top-left
    EXPECT_EQ(icon.Image().pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(icon.Image().pixel(0, 15), qRgb(0, 0, 255)); // the mask is stored bottom-up
}

TEST(IconImageTest, StretchDrawKeepsTheIconsOwnSize) {
    TIcon icon;
    icon.LoadFromBytes(BuildIco({SquareEntry(8, 24, qRgb(255, 0, 0))}, {8}));
    QImage canvas(32, 32, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        icon.StretchDraw(painter, QRect(4, 4, 24, 24));
    }
    EXPECT_EQ(canvas.pixel(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(20, 20), qRgb(255, 255, 255)); // not stretched to the rectangle
}

TEST(IconImageTest, RefusesToSave) {
    TIcon icon;
    icon.LoadFromBytes(BuildIco({SquareEntry(8, 24, qRgb(1, 2, 3))}, {8}));
    try {
        icon.SaveToBytes();
        FAIL() << "saving an icon must fail";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Saving as an Icon is not supported"));
    }
}

TEST(IconImageTest, AssignTakesIconsAndBitmapsOnly) {
    TIcon source;
    source.LoadFromBytes(BuildIco({SquareEntry(8, 24, qRgb(1, 2, 3))}, {8}));
    TIcon copy;
    copy.Assign(source);
    EXPECT_EQ(copy.Image(), source.Image());
    copy.Assign(TBitmap(DistinctImage(3, 2)));
    EXPECT_EQ(copy.Width(), 3);
    TPNGObject png;
    EXPECT_THROW(copy.Assign(png), ConvertError);
}

} // namespace
