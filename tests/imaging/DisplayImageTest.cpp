// SPDX-License-Identifier: MIT
#include "imaging/DisplayImage.h"
#include "imaging/JpegImage.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayImageTest, JpegDivisorIsTheSmallestScaleThatStillCoversTheDisplay) {
    const struct {
        QSize full, display;
        int divisor;
    } cases[] = {
        {{4000, 3000}, {472, 354}, 8},  {{4000, 3000}, {501, 354}, 4},
        {{4000, 3000}, {1000, 750}, 4}, {{4000, 3000}, {2000, 1500}, 2},
        {{4000, 3000}, {2001, 10}, 1},  {{4000, 3000}, {8000, 6000}, 1},
        {{15, 9}, {2, 2}, 8}, // 15/8 rounds up to 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayJpegDivisor(c.full, c.display), c.divisor) << c.display.width();
}

TEST(DisplayImageTest, AReducedJpegDecodeLeavesThePictureAtFullScale) {
    QImage source(400, 300, QImage::Format_RGB32);
    source.fill(Qt::darkCyan);
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(EncodeJpeg(source));
    const QImage shown = DisplayImageFor(jpeg, QSize(100, 75));
    EXPECT_EQ(shown.size(), QSize(100, 75));
    EXPECT_EQ(jpeg.Scale(), 1);
    EXPECT_EQ(jpeg.Width(), 400);
    EXPECT_EQ(DisplayImageFor(jpeg, QSize(400, 300)).size(), QSize(400, 300));
}

} // namespace
