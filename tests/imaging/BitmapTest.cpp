// SPDX-License-Identifier: MIT
#include "imaging/Bitmap.h"
#include "imaging/AppError.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <gtest/gtest.h>

using namespace raster_test;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Yellow = qRgb(255, 255, 0);
const QList<QRgb> SixColours{Red, Green, Blue, White, Black, Yellow};

// 24-bit rows: blue, green, red bytes per pixel.
QByteArray Bgr(std::initializer_list<QRgb> pixels) {
    QByteArray row;
    for (QRgb p : pixels)
        row += Bytes({qBlue(p), qGreen(p), qRed(p)});
    return row;
}

struct BmpCase {
    const char* name;
    DibLayout layout;
    // The 3 x 2 picture expected, top row first.
    std::vector<QRgb> expected;
};

const std::vector<QRgb> TopRgbBottomWky{Red, Green, Blue, White, Black, Yellow};

std::vector<BmpCase> BmpCases() {
    std::vector<BmpCase> cases;
    cases.push_back({"1 bit",
                     {40, 3, 2, 1, 0, 0, {}, {Black, White}, Rows({Bytes({0x60}), Bytes({0xa0})})},
                     {White, Black, White, Black, White, White}});
    cases.push_back(
        {"4 bits",
         {40, 3, 2, 4, 0, 6, {}, SixColours, Rows({Bytes({0x34, 0x50}), Bytes({0x01, 0x20})})},
         TopRgbBottomWky});
    cases.push_back(
        {"8 bits",
         {40, 3, 2, 8, 0, 6, {}, SixColours, Rows({Bytes({3, 4, 5}), Bytes({0, 1, 2})})},
         TopRgbBottomWky});
    cases.push_back(
        {"8 bits top-down",
         {40, 3, -2, 8, 0, 6, {}, SixColours, Rows({Bytes({0, 1, 2}), Bytes({3, 4, 5})})},
         TopRgbBottomWky});
    cases.push_back(
        {"8 bits, version 4 header",
         {108, 3, 2, 8, 0, 6, {}, SixColours, Rows({Bytes({3, 4, 5}), Bytes({0, 1, 2})})},
         TopRgbBottomWky});
    cases.push_back({"RLE8 runs and literals",
                     {40,
                      3,
                      2,
                      8,
                      1,
                      6,
                      {},
                      SixColours,
                      Bytes({0, 3, 3, 4, 5, 0, 0, 0, 2, 0, 1, 2, 0, 0, 0, 1})},
                     {Red, Red, Blue, White, Black, Yellow}});
    cases.push_back(
        {"RLE8 delta, skipped pixels keep the first colour",
         {40, 3, 2, 8, 1, 6, {}, SixColours, Bytes({3, 4, 0, 0, 0, 2, 2, 0, 1, 2, 0, 1})},
         {Red, Red, Blue, Black, Black, Black}});
    cases.push_back(
        {"RLE4",
         {40, 3, 2, 4, 2, 6, {}, SixColours, Bytes({0, 3, 0x34, 0x50, 0, 0, 3, 0x01, 0, 0, 0, 1})},
         {Red, Green, Red, White, Black, Yellow}});
    cases.push_back(
        {"16 bits 5-5-5",
         {40,
          3,
          2,
          16,
          0,
          0,
          {},
          {},
          Rows({Bytes({0xff, 0x7f, 0, 0, 0xe0, 0x7f}), Bytes({0, 0x7c, 0xe0, 0x03, 0x1f, 0})})},
         TopRgbBottomWky});
    cases.push_back(
        {"16 bits 5-6-5 masks",
         {40,
          3,
          2,
          16,
          3,
          0,
          {0xf800, 0x07e0, 0x001f},
          {},
          Rows({Bytes({0xff, 0xff, 0, 0, 0xe0, 0xff}), Bytes({0, 0xf8, 0xe0, 0x07, 0x1f, 0})})},
         TopRgbBottomWky});
    cases.push_back(
        {"24 bits",
         {40, 3, 2, 24, 0, 0, {}, {}, Rows({Bgr({White, Black, Yellow}), Bgr({Red, Green, Blue})})},
         TopRgbBottomWky});
    cases.push_back({"24 bits top-down",
                     {40,
                      3,
                      -2,
                      24,
                      0,
                      0,
                      {},
                      {},
                      Rows({Bgr({Red, Green, Blue}), Bgr({White, Black, Yellow})})},
                     TopRgbBottomWky});
    cases.push_back(
        {"24 bits, old core header",
         {12, 3, 2, 24, 0, 0, {}, {}, Rows({Bgr({White, Black, Yellow}), Bgr({Red, Green, Blue})})},
         TopRgbBottomWky});
    cases.push_back(
        {"32 bits plain: fourth byte ignored",
         {40, 3, 2, 32, 0, 0, {}, {}, Bytes({255, 255, 255, 7, 0, 0,   0, 7, 0,   255, 255, 7,
                                             0,   0,   255, 7, 0, 255, 0, 7, 255, 0,   0,   7})},
         TopRgbBottomWky});
    cases.push_back({"32 bits with alpha mask",
                     {124,
                      3,
                      2,
                      32,
                      3,
                      0,
                      {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000},
                      {},
                      Bytes({255, 255, 255, 255,  0, 0,   0, 255, 0,   255, 255, 255,
                             0,   0,   255, 0x80, 0, 255, 0, 255, 255, 0,   0,   0})},
                     {qRgba(255, 0, 0, 0x80), Green, qRgba(0, 0, 255, 0), White, Black, Yellow}});
    return cases;
}

TEST(BitmapTest, DecodesTheCommonVariants) {
    for (const BmpCase& c : BmpCases()) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFromBytes(BuildBmp(c.layout)));
        ASSERT_EQ(bitmap.Width(), 3);
        ASSERT_EQ(bitmap.Height(), 2);
        const QImage image = bitmap.Image().convertToFormat(QImage::Format_ARGB32);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(image.pixel(i % 3, i / 3), c.expected[i]) << "pixel " << i;
    }
}

TEST(BitmapTest, WritesTwentyFourBitsAndReadsThemBack) {
    const QImage source = DistinctImage(5, 3); // rows need padding
    const QByteArray bytes = EncodeBmp(source);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(int(bytes[28]), 24);
    EXPECT_EQ(bytes.size(), 14 + 40 + 3 * 16);
    TBitmap bitmap;
    bitmap.LoadFromBytes(bytes);
    EXPECT_EQ(bitmap.Image().convertToFormat(QImage::Format_RGB32), source);
    EXPECT_FALSE(bitmap.Transparent());
}

TEST(BitmapTest, KeepsAlphaInThirtyTwoBits) {
    QImage source(2, 2, QImage::Format_ARGB32);
    source.fill(qRgba(10, 20, 30, 255));
    source.setPixel(1, 0, qRgba(200, 100, 50, 64));
    const QByteArray bytes = TBitmap(source).SaveToBytes();
    EXPECT_EQ(int(bytes[28]), 32);
    TBitmap bitmap;
    bitmap.LoadFromBytes(bytes);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.Image().convertToFormat(QImage::Format_ARGB32), source);
}

TEST(BitmapTest, NewSizeIsWhiteAndZeroEmpties) {
    TBitmap bitmap;
    bitmap.SetSize(4, 3);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Image().pixel(3, 2), White);
    bitmap.SetSize(0, 3);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_THROW(bitmap.SetSize(40000, 20000), AppError);
}

TEST(BitmapTest, AssignTakesOnlyBitmaps) {
    TBitmap source(DistinctImage(3, 3));
    TBitmap copy;
    copy.Assign(source);
    EXPECT_EQ(copy.Image(), source.Image());

    TPNGObject png;
    png.Assign(source);
    EXPECT_THROW(copy.Assign(png), ConvertError);
    EXPECT_EQ(copy.Image(), source.Image()); // unchanged after the refusal
}

TEST(BitmapTest, EmptyBitmapIsNotSaved) {
    EXPECT_THROW(TBitmap().SaveToBytes(), AppError);
}

} // namespace
