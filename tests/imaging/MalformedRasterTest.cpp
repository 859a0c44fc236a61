// SPDX-License-Identifier: MIT
// Damaged files for every raster decoder: each must end in an AppError that says what is
// wrong, never a crash, a hang or a huge allocation.
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "imaging/Picture.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <gtest/gtest.h>

using namespace raster_test;

namespace {

QByteArray ValidBmp() {
    return EncodeBmp(DistinctImage(4, 4));
}

QByteArray WithBytes(QByteArray bytes, qsizetype at, const QByteArray& patch) {
    bytes.replace(at, patch.size(), patch);
    return bytes;
}

QByteArray Le32(quint32 v) {
    QByteArray b;
    Append32(b, v);
    return b;
}

// A JPEG whose frame header declares 60000 x 60000 pixels.
QByteArray HugeJpeg() {
    QByteArray bytes = JpegOfSize(8, 8);
    const qsizetype sof = bytes.indexOf(QByteArray("\xff\xc0", 2));
    bytes[sof + 5] = char(0xea); // height 0xea60
    bytes[sof + 6] = char(0x60);
    bytes[sof + 7] = char(0xea); // width
    bytes[sof + 8] = char(0x60);
    return bytes;
}

QByteArray Rle8(const QByteArray& stream) {
    return BuildBmp({40, 3, 2, 8, 1, 1, {}, {qRgb(0, 0, 0)}, stream});
}

QByteArray Icon24() {
    return BuildDib({40, 2, 4, 24, 0, 0, {}, {}, QByteArray(2 * 8 + 2 * 4, '\0')});
}

quint32 Crc32(QByteArrayView data) {
    quint32 crc = 0xffffffffu;
    for (char c : data) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose header declares 60000 x 60000 pixels, with a matching checksum.
QByteArray HugePng() {
    QByteArray bytes = WithBytes(EncodePng(DistinctImage(2, 2)), 16,
                                 QByteArray("\x00\x00\xea\x60\x00\x00\xea\x60", 8));
    const quint32 crc = Crc32(QByteArrayView(bytes).sliced(12, 17)); // type and data of IHDR
    return WithBytes(
        bytes, 29,
        Bytes({int(crc >> 24), int(crc >> 16 & 0xff), int(crc >> 8 & 0xff), int(crc & 0xff)}));
}

struct BadFile {
    const char* name;
    GraphicKind kind;
    QByteArray bytes;
    const char* message; // part of the expected message
};

std::vector<BadFile> BadFiles() {
    const QByteArray bmp = ValidBmp();
    const QByteArray jpeg = JpegOfSize(48, 48);
    const QByteArray png = EncodePng(DistinctImage(8, 8));
    const QByteArray ico = BuildIco({Icon24()}, {2});
    return {
        {"empty JPEG", GraphicKind::Jpeg, QByteArray(), "JPEG error"},
        {"not a JPEG", GraphicKind::Jpeg, png, "Not a JPEG file"},
        {"JPEG header only", GraphicKind::Jpeg, jpeg.left(20), "JPEG error"},
        {"truncated JPEG", GraphicKind::Jpeg, jpeg.left(jpeg.size() - 30), "Premature end"},
        {"absurd JPEG dimensions", GraphicKind::Jpeg, HugeJpeg(), "larger than the limit"},
        {"not a BMP", GraphicKind::Bitmap, png, "not a BMP file"},
        {"BMP file header cut", GraphicKind::Bitmap, bmp.left(10), "truncated"},
        {"BMP unknown header size", GraphicKind::Bitmap, WithBytes(bmp, 14, Le32(77)),
         "header size 77"},
        {"BMP bad bit count", GraphicKind::Bitmap, WithBytes(bmp, 28, QByteArray("\x07\x00", 2)),
         "7 bits"},
        {"BMP zero width", GraphicKind::Bitmap, WithBytes(bmp, 18, Le32(0)), "invalid size"},
        {"BMP absurd dimensions", GraphicKind::Bitmap,
         WithBytes(WithBytes(bmp, 18, Le32(100000)), 22, Le32(100000)), "larger than the limit"},
        {"BMP pixel data cut", GraphicKind::Bitmap, bmp.left(bmp.size() - 5), "truncated"},
        {"BMP palette of 1000 colours", GraphicKind::Bitmap,
         BuildBmp({40, 1, 1, 8, 0, 1000, {}, {}, QByteArray(4, '\0')}), "palette size 1000"},
        {"BMP top-down RLE", GraphicKind::Bitmap,
         BuildBmp({40, 3, -2, 8, 1, 0, {}, {qRgb(0, 0, 0)}, Bytes({0, 1})}), "unsupported format"},
        {"RLE delta outside the picture", GraphicKind::Bitmap, Rle8(Bytes({0, 2, 9, 0, 0, 1})),
         "outside the picture"},
        {"RLE runs past the last row", GraphicKind::Bitmap,
         Rle8(Bytes({3, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 1})), "past the last row"},
        {"RLE stream ends early", GraphicKind::Bitmap, Rle8(Bytes({3, 0, 0, 0})), "ends before"},
        {"RLE literal run cut", GraphicKind::Bitmap, Rle8(Bytes({0, 9, 1, 2})), "ends before"},
        {"not a PNG", GraphicKind::Png, bmp, "not a PNG file"},
        {"truncated PNG", GraphicKind::Png, png.left(png.size() - 20), "truncated"},
        {"absurd PNG dimensions", GraphicKind::Png, HugePng(), "larger than the limit"},
        {"not an icon", GraphicKind::Icon, bmp, "not an icon file"},
        {"icon without images", GraphicKind::Icon, ico.left(4) + QByteArray(2, '\0'), "no images"},
        {"icon directory cut", GraphicKind::Icon, ico.left(12), "directory"},
        {"icon entry beyond the end", GraphicKind::Icon, WithBytes(ico, 18, Le32(4000)),
         "outside the file"},
        {"icon entry size beyond the end", GraphicKind::Icon, WithBytes(ico, 14, Le32(4000)),
         "outside the file"},
        {"icon entry inside the directory", GraphicKind::Icon, WithBytes(ico, 18, Le32(2)),
         "outside the file"},
        {"icon mask cut", GraphicKind::Icon,
         BuildIco({BuildDib({40, 2, 4, 24, 0, 0, {}, {}, QByteArray(2 * 8 + 3, '\0')})}, {2}),
         "mask"},
        {"icon entry of absurd size", GraphicKind::Icon,
         BuildIco({BuildDib({40, 100000, 200000, 24, 0, 0, {}, {}, QByteArray(8, '\0')})}, {0}),
         "larger than the limit"},
    };
}

TEST(MalformedRasterTest, EveryDamagedFileRaisesAnAppError) {
    for (const BadFile& f : BadFiles()) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<TGraphic> graphic = CreateGraphic(f.kind);
        try {
            graphic->LoadFromBytes(f.bytes);
            // JPEG pixels are decoded on demand.
            if (f.kind == GraphicKind::Jpeg)
                static_cast<TJPEGImage&>(*graphic).Decode();
            ADD_FAILURE() << "accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromLatin1(f.message)))
                << e.Message().toStdString();
        }
    }
}

} // namespace
