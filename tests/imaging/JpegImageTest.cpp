// SPDX-License-Identifier: MIT
#include "imaging/JpegImage.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace raster_test;

namespace {

// A flat JPEG written straight through libjpeg, for the colour spaces the program never writes
// itself. `pixel` holds one sample per component.
QByteArray FlatJpeg(J_COLOR_SPACE space, int components, const std::vector<JSAMPLE>& pixel) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row;
    for (int x = 0; x < 16; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QByteArray TwoColourJpeg(int width, int height, QRgb left, QRgb right) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(left);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, QColor(right));
    return EncodeJpeg(image);
}

qsizetype FindMarker(const QByteArray& bytes, uchar marker) {
    return bytes.indexOf(QByteArray("\xff") + char(marker));
}

TEST(JpegImageTest, HeaderGivesTheOutputSizeAtEveryScale) {
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(JpegOfSize(1001, 333));
    // Full size divided by the divisor, rounded up.
    EXPECT_EQ(jpeg.ScaledSize(1), QSize(1001, 333));
    EXPECT_EQ(jpeg.ScaledSize(2), QSize(501, 167));
    EXPECT_EQ(jpeg.ScaledSize(4), QSize(251, 84));
    EXPECT_EQ(jpeg.ScaledSize(8), QSize(126, 42));
    jpeg.SetScale(8);
    EXPECT_EQ(jpeg.Width(), 126);
    EXPECT_EQ(jpeg.Height(), 42);
    EXPECT_THROW(jpeg.SetScale(3), AppError);
}

TEST(JpegImageTest, DecodesAtTheCurrentScale) {
    const QRgb red = qRgb(230, 20, 20), blue = qRgb(20, 20, 230);
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(TwoColourJpeg(64, 32, red, blue));
    jpeg.SetScale(4);
    const QImage& image = jpeg.Image();
    ASSERT_EQ(image.size(), QSize(16, 8));
    EXPECT_TRUE(Near(image.pixel(2, 4), red, 12));
    EXPECT_TRUE(Near(image.pixel(13, 4), blue, 12));
    jpeg.SetScale(1);
    EXPECT_EQ(jpeg.Image().size(), QSize(64, 32));
}

TEST(JpegImageTest, ConvertsGreyscaleAndCmykToColour) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QRgb expected;
    };
    // libjpeg marks CMYK files with the Adobe marker, whose inks are stored inverted
    // (255 = no ink): no cyan, full magenta and yellow, no black is red.
    const Case cases[] = {
        {"greyscale", FlatJpeg(JCS_GRAYSCALE, 1, {100}), qRgb(100, 100, 100)},
        {"Adobe CMYK", FlatJpeg(JCS_CMYK, 4, {255, 0, 0, 255}), qRgb(255, 0, 0)},
        {"Adobe CMYK with black", FlatJpeg(JCS_CMYK, 4, {255, 255, 255, 128}), qRgb(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(c.bytes);
        EXPECT_TRUE(Near(jpeg.Image().pixel(8, 8), c.expected, 4))
            << std::hex << jpeg.Image().pixel(8, 8);
    }
}

TEST(JpegImageTest, WritesTheLoadedBytesUnchanged) {
    const QByteArray bytes = TwoColourJpeg(40, 30, qRgb(1, 2, 3), qRgb(200, 100, 0));
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    jpeg.SetScale(2);
    jpeg.Decode();
    EXPECT_EQ(jpeg.SaveToBytes(), bytes);
    EXPECT_EQ(jpeg.Clone()->SaveToBytes(), bytes);
}

TEST(JpegImageTest, BitmapIsEncodedAsBaselineColourQualityNinety) {
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0)); // transparent: comes out white
    image.setPixel(0, 0, qRgb(0, 0, 0));
    TJPEGImage jpeg;
    jpeg.Assign(TBitmap(image));
    const QByteArray bytes = jpeg.SaveToBytes();

    const qsizetype sof = FindMarker(bytes, 0xc0); // baseline
    ASSERT_GE(sof, 0);
    EXPECT_LT(FindMarker(bytes, 0xc2), 0); // not progressive
    EXPECT_EQ(int(bytes[sof + 9]), 3);     // three colour components
    // The first luminance quantiser of the standard table (16) at quality 90: 16 x 20% = 3.
    const qsizetype dqt = FindMarker(bytes, 0xdb);
    ASSERT_GE(dqt, 0);
    EXPECT_EQ(int(bytes[dqt + 5]), 3);

    EXPECT_EQ(jpeg.Width(), 24);
    EXPECT_TRUE(Near(jpeg.Image().pixel(20, 10), qRgb(255, 255, 255), 3));
}

TEST(JpegImageTest, ReloadingReplacesEverythingButTheScale) {
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(TwoColourJpeg(100, 50, qRgb(250, 0, 0), qRgb(250, 0, 0)));
    jpeg.SetScale(2);
    jpeg.Decode();

    const QByteArray second = TwoColourJpeg(40, 80, qRgb(0, 0, 250), qRgb(0, 0, 250));
    jpeg.LoadFromBytes(second);
    EXPECT_EQ(jpeg.Scale(), 2);
    EXPECT_EQ(jpeg.Width(), 20);
    EXPECT_EQ(jpeg.Height(), 40);
    EXPECT_TRUE(Near(jpeg.Image().pixel(10, 20), qRgb(0, 0, 250), 12));
    EXPECT_EQ(jpeg.SaveToBytes(), second);

    EXPECT_THROW(jpeg.LoadFromBytes(QByteArray("not a jpeg at all")), AppError);
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_THROW(jpeg.SaveToBytes(), AppError);
}

TEST(JpegImageTest, CorruptDataWarningsStillGiveAPicture) {
    QByteArray bytes = JpegOfSize(32, 32);
    // Stray bytes before the end marker make libjpeg warn, not fail.
    bytes.insert(bytes.size() - 2, QByteArray("\x01\x02\x03", 3));
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    EXPECT_NO_THROW(jpeg.Decode());
    EXPECT_EQ(jpeg.Image().size(), QSize(32, 32));
}

TEST(JpegImageTest, TruncatedFileFailsOnDecodingWithTheCodecsMessage) {
    const QByteArray bytes = EncodeJpeg(DistinctImage(128, 128));
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes.left(bytes.size() - 100)); // the header is intact
    try {
        jpeg.Decode();
        FAIL() << "a truncated file must not decode";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Premature end of JPEG file")))
            << e.Message().toStdString();
    }
}

TEST(JpegImageTest, AssignRefusesOtherKinds) {
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(JpegOfSize(8, 8));
    TJPEGImage copy;
    copy.Assign(jpeg);
    EXPECT_EQ(copy.SaveToBytes(), jpeg.SaveToBytes());

    EXPECT_THROW(copy.Assign(TPNGObject()), ConvertError);
    EXPECT_EQ(copy.SaveToBytes(), jpeg.SaveToBytes());
}

} // namespace
