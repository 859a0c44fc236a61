// SPDX-License-Identifier: MIT
#include "imaging/PcxImage.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/GifImage.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

void PutU16(QByteArray& bytes, int at, int value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

struct PcxHeaderFields {
    int version = 5;
    int encoding = 1;
    int bitsPerPixel = 8;
    int planes = 3;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int bytesPerLine = 2;
    QList<QRgb> palette16; // written into the header when given
};

QByteArray PcxHeader(const PcxHeaderFields& f) {
    QByteArray h(128, '\0');
    h[0] = char(0x0A);
    h[1] = char(f.version);
    h[2] = char(f.encoding);
    h[3] = char(f.bitsPerPixel);
    PutU16(h, 4, f.xMin);
    PutU16(h, 6, f.yMin);
    PutU16(h, 8, f.xMax);
    PutU16(h, 10, f.yMax);
    for (int i = 0; i < f.palette16.size(); ++i) {
        h[16 + 3 * i] = char(qRed(f.palette16[i]));
        h[17 + 3 * i] = char(qGreen(f.palette16[i]));
        h[18 + 3 * i] = char(qBlue(f.palette16[i]));
    }
    h[65] = char(f.planes);
    PutU16(h, 66, f.bytesPerLine);
    return h;
}

// Every byte as a run of one: valid run-length data that no writer shortcut can fake.
QByteArray RunsOfOne(const QByteArray& raw) {
    QByteArray out;
    for (char c : raw) {
        out.append(char(0xC1));
        out.append(c);
    }
    return out;
}

QList<QRgb> DistinctPalette(int count) {
    QList<QRgb> palette;
    for (int i = 0; i < count; ++i)
        palette.append(qRgb(10 * i + 5, 255 - 7 * i, (i * 37) % 256));
    return palette;
}

QByteArray VgaPalette(const QList<QRgb>& colours) {
    QByteArray out(1, char(0x0C));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    return out;
}

QImage Row(std::initializer_list<QRgb> pixels, int rows = 1) {
    QImage image(int(pixels.size()), rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        int x = 0;
        for (QRgb p : pixels)
            image.setPixel(x++, y, p);
    }
    return image;
}

QImage Decode(const QByteArray& bytes) {
    TPcxImage pcx;
    pcx.LoadFromBytes(bytes);
    return pcx.ToImage();
}

// A picture with runs, single pixels, values at and above 0xC0 (which must be escaped) and an
// odd width (which needs a padding byte per plane).
QImage TestPicture() {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 4 ? qRgb(0xC0, 0xFF, 0x10 * y) : qRgb(x * 40, 0xC7, y));
    return image;
}

TEST(PcxImage, BitmapRoundTripIsPixelEqual) {
    const QImage original = TestPicture();
    TPcxImage pcx;
    pcx.Assign(TBitmap(original));
    const QByteArray bytes = pcx.SaveToBytes();

    // Version 5, run-length encoded, 8 bits x 3 planes, lines padded to an even length.
    ASSERT_GT(bytes.size(), 128);
    EXPECT_EQ(bytes[0], char(0x0A));
    EXPECT_EQ(bytes[1], char(5));
    EXPECT_EQ(bytes[2], char(1));
    EXPECT_EQ(bytes[3], char(8));
    EXPECT_EQ(bytes[65], char(3));
    EXPECT_EQ(uchar(bytes[66]) | (uchar(bytes[67]) << 8), 8);

    TPcxImage loaded;
    loaded.LoadFromBytes(bytes);
    EXPECT_EQ(loaded.Width(), 7);
    EXPECT_EQ(loaded.Height(), 5);
    EXPECT_EQ(loaded.ToImage(), original);

    // And once more through the writer: the bytes are stable.
    EXPECT_EQ(loaded.SaveToBytes(), bytes);
}

TEST(PcxImage, ReadsEveryColourFormatPlainAndRunLengthEncoded) {
    const QList<QRgb> ega = DistinctPalette(16);
    const QList<QRgb> vga = DistinctPalette(256);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    struct Case {
        const char* name;
        PcxHeaderFields header;
        QByteArray lines; // raw scan lines, planes one after another
        QByteArray trailer;
        QImage expected;
    };
    const Case cases[] = {
        {"monochrome, 10 pixels in 2 bytes",
         {5, 0, 1, 1, 0, 0, 9, 1, 2, {}},
         QByteArray::fromHex("A040FFC0"),
         {},
         [&] {
             QImage i(10, 2, QImage::Format_RGB32);
             const int bits[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
             for (int x = 0; x < 10; ++x) {
                 i.setPixel(x, 0, bits[x] ? white : black);
                 i.setPixel(x, 1, white);
             }
             return i;
         }()},
        {"16 colours as 1 bit x 4 planes",
         {5, 0, 1, 4, 0, 0, 2, 0, 2, ega},
         QByteArray::fromHex("A000"
                             "6000"
                             "2000"
                             "0000"),
         {},
         Row({ega[1], ega[2], ega[7]})},
        {"8 colours as 1 bit x 3 planes",
         {5, 0, 1, 3, 0, 0, 2, 0, 2, ega},
         QByteArray::fromHex("A000"
                             "6000"
                             "2000"),
         {},
         Row({ega[1], ega[2], ega[7]})},
        {"16 colours as 4 bits x 1 plane",
         {5, 0, 4, 1, 0, 0, 2, 0, 2, ega},
         QByteArray::fromHex("12F0"),
         {},
         Row({ega[1], ega[2], ega[15]})},
        {"256 colours with the palette at the end",
         {5, 0, 8, 1, 0, 0, 2, 0, 4, {}},
         QByteArray::fromHex("0005FF00"),
         VgaPalette(vga),
         Row({vga[0], vga[5], vga[255]})},
        {"256 grey levels without a palette",
         {5, 0, 8, 1, 0, 0, 1, 0, 2, {}},
         QByteArray::fromHex("0380"),
         {},
         Row({qRgb(3, 3, 3), qRgb(0x80, 0x80, 0x80)})},
        {"24 bits as 3 planes",
         {5, 0, 8, 3, 0, 0, 1, 0, 2, {}},
         QByteArray::fromHex("1020"
                             "3040"
                             "5060"),
         {},
         Row({qRgb(0x10, 0x30, 0x50), qRgb(0x20, 0x40, 0x60)})},
        {"window not at the origin",
         {5, 0, 8, 3, 100, 50, 101, 50, 2, {}},
         QByteArray::fromHex("1020"
                             "3040"
                             "5060"),
         {},
         Row({qRgb(0x10, 0x30, 0x50), qRgb(0x20, 0x40, 0x60)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PcxHeaderFields plain = c.header;
        plain.encoding = 0;
        EXPECT_EQ(Decode(PcxHeader(plain) + c.lines + c.trailer), c.expected);
        PcxHeaderFields packed = c.header;
        packed.encoding = 1;
        EXPECT_EQ(Decode(PcxHeader(packed) + RunsOfOne(c.lines) + c.trailer), c.expected);
    }
}

TEST(PcxImage, FilesWithoutPaletteUseTheStandard16Colours) {
    // Version 3 promises no palette, whatever the header holds.
    const QByteArray bytes =
        PcxHeader({3, 0, 4, 1, 0, 0, 1, 0, 2, DistinctPalette(16)}) + QByteArray::fromHex("0F00");
    EXPECT_EQ(Decode(bytes), Row({qRgb(0, 0, 0), qRgb(255, 255, 255)}));
}

TEST(PcxImage, RunsMayContinueIntoTheNextLine) {
    // 2 x 2 pixels of 3 planes with 2 bytes each: one run of 12 covers both lines.
    const QByteArray bytes =
        PcxHeader({5, 1, 8, 3, 0, 0, 1, 1, 2, {}}) + QByteArray::fromHex("CC7F");
    EXPECT_EQ(Decode(bytes), Row({qRgb(0x7F, 0x7F, 0x7F), qRgb(0x7F, 0x7F, 0x7F)}, 2));
}

TEST(PcxImage, MalformedFilesRaiseAppError) {
    const QByteArray good24 = PcxHeader({5, 1, 8, 3, 0, 0, 1, 0, 2, {}});
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"short header", good24.left(100)},
        {"wrong signature", QByteArray(1, 'P') + good24.mid(1) + QByteArray(12, '\0')},
        {"unknown encoding", PcxHeader({5, 7, 8, 3, 0, 0, 1, 0, 2, {}}) + QByteArray(12, '\0')},
        {"x max below x min", PcxHeader({5, 0, 8, 3, 5, 0, 4, 0, 2, {}}) + QByteArray(12, '\0')},
        {"y max below y min", PcxHeader({5, 0, 8, 3, 0, 9, 1, 8, 2, {}}) + QByteArray(12, '\0')},
        {"absurd dimensions", PcxHeader({5, 1, 8, 3, 0, 0, 65535, 65535, 65535, {}})},
        {"too few bytes per line",
         PcxHeader({5, 0, 8, 3, 0, 0, 9, 0, 8, {}}) + QByteArray(30, '\0')},
        {"unsupported 2 bits x 2 planes", PcxHeader({5, 0, 2, 2, 0, 0, 1, 0, 2, {}}) + "abcd"},
        {"unsupported 8 bits x 2 planes", PcxHeader({5, 0, 8, 2, 0, 0, 1, 0, 2, {}}) + "abcd"},
        {"plain data truncated", PcxHeader({5, 0, 8, 3, 0, 0, 1, 0, 2, {}}) + "abcde"},
        {"run-length data truncated", good24 + QByteArray::fromHex("C2 10 C2 20")},
        {"run without its value byte", good24 + QByteArray::fromHex("C4 10 C2")},
        {"run past the end of the image", good24 + QByteArray::fromHex("C8 10 C5 20")},
        {"huge lines, hardly any data",
         PcxHeader({5, 1, 8, 3, 0, 0, 0, 60000, 65535, {}}) + QByteArray::fromHex("FF00FF00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPcxImage pcx;
        pcx.Assign(TBitmap(TestPicture()));
        try {
            pcx.LoadFromBytes(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const AppError& error) {
            EXPECT_FALSE(error.Message().isEmpty());
        }
        EXPECT_TRUE(pcx.Empty()); // a failed load leaves the picture empty
    }
}

// Inputs that once went wrong, named after the fault.
TEST(PcxImage, RegressionFiles) {
    struct Case {
        const char* file;
        QSize size; // empty when the file must be refused
    };
    const Case cases[] = {
        // 1 bit x 3 planes was taken for 24-bit colour and read past the end of each line (the
        // file is also truncated).
        {"pcx-1bit-3planes-read-as-24bit-overflow.pcx", QSize()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path =
            QStringLiteral(ORVO_TEST_DATA_DIR "/regress/") + QString::fromLatin1(c.file);
        TPcxImage pcx;
        if (c.size.isEmpty()) {
            EXPECT_THROW(pcx.LoadFromFile(path), AppError);
            continue;
        }
        pcx.LoadFromFile(path);
        EXPECT_EQ(QSize(pcx.Width(), pcx.Height()), c.size);
    }
}

TEST(PcxImage, AssignTakesPcxAndBitmapsOnly) {
    TPcxImage source;
    source.Assign(TBitmap(TestPicture()));
    TPcxImage copy;
    copy.Assign(source);
    EXPECT_EQ(copy.ToImage(), TestPicture());

    // Transparent bitmap pixels come out white; the colour of opaque ones is kept.
    QImage withAlpha(2, 1, QImage::Format_ARGB32);
    withAlpha.setPixel(0, 0, qRgba(10, 20, 30, 255));
    withAlpha.setPixel(1, 0, qRgba(200, 200, 200, 0));
    copy.Assign(TBitmap(withAlpha));
    EXPECT_EQ(copy.ToImage(), Row({qRgb(10, 20, 30), qRgb(255, 255, 255)}));

    TGIFImage gif;
    gif.Assign(TBitmap(TestPicture()));
    EXPECT_THROW(copy.Assign(gif), ConvertError);
    EXPECT_EQ(copy.ToImage(), Row({qRgb(10, 20, 30), qRgb(255, 255, 255)})); // unchanged
}

TEST(PcxImage, StretchDrawRepeatsPixelsWithoutSmoothing) {
    TPcxImage pcx;
    pcx.Assign(TBitmap(Row({qRgb(255, 0, 0), qRgb(0, 0, 255)})));
    QImage target(8, 2, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        pcx.StretchDraw(painter, QRect(0, 0, 8, 2));
    }
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(target.pixel(x, 1), x < 4 ? qRgb(255, 0, 0) : qRgb(0, 0, 255)) << x;
}

TEST(PcxImage, EmptyPictureIsNotSaved) {
    EXPECT_THROW(TPcxImage().SaveToBytes(), AppError);
}

} // namespace
