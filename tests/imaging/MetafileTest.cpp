// SPDX-License-Identifier: MIT
// Metafile kind: bitmap to metafile and back in both forms, the size of each form, playback of
// hand-built files and the choice of the saved form.
#include "imaging/Metafile.h"
#include "MetafileRecords.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/Picture.h"

#include <QPainter>
#include <QtEndian>
#include <bit>
#include <gtest/gtest.h>

namespace {

constexpr quint32 Red = 0x000000FF, Green = 0x0000FF00, Blue = 0x00FF0000, Yellow = 0x0000FFFF;
constexpr QRgb None = 0; // transparent: nothing drawn

QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x * y + 40) % 256));
    return image;
}

TMetafile Load(const QByteArray& bytes) {
    TMetafile metafile;
    metafile.LoadFromBytes(bytes);
    return metafile;
}

struct TProbe {
    int x, y;
    QRgb colour; // None for a pixel nothing was drawn on
};

void ExpectPixels(const QImage& image, std::initializer_list<TProbe> probes) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (const TProbe& probe : probes) {
        const QRgb pixel = argb.pixel(probe.x, probe.y);
        if (probe.colour == None)
            EXPECT_EQ(qAlpha(pixel), 0) << "at " << probe.x << "," << probe.y;
        else
            EXPECT_EQ(pixel, probe.colour | 0xFF000000u) << "at " << probe.x << "," << probe.y;
    }
}

QRgb Argb(quint32 colorRef) {
    return qRgb(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

// ---- bitmap to metafile and back ----

class MetafileForm : public ::testing::TestWithParam<bool> {};

TEST_P(MetafileForm, BitmapReadsBackWithItsSizeAndPixels) {
    const bool enhanced = GetParam();
    const QImage source = Pattern(37, 23);
    TMetafile metafile;
    metafile.SetEnhanced(enhanced);
    metafile.Assign(TBitmap(source));
    EXPECT_EQ(metafile.Width(), 37);
    EXPECT_EQ(metafile.Height(), 23);

    const QByteArray bytes = metafile.SaveToBytes();
    if (enhanced)
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 40), 0x464D4520u); // " EMF"
    else
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData()), 0x9AC6CDD7u); // placeable

    const TMetafile back = Load(bytes);
    EXPECT_EQ(back.HoldsEnhanced(), enhanced);
    EXPECT_EQ(back.Enhanced(), enhanced);
    ASSERT_EQ(back.Width(), 37);
    ASSERT_EQ(back.Height(), 23);
    EXPECT_EQ(back.ToImage().convertToFormat(QImage::Format_RGB32), source);
}

TEST_P(MetafileForm, UnchangedSavesItsOwnBytesAndConvertsToTheOtherForm) {
    const bool enhanced = GetParam();
    const QImage source = Pattern(20, 31);
    TMetafile metafile;
    metafile.SetEnhanced(enhanced);
    metafile.Assign(TBitmap(source));
    const QByteArray original = metafile.SaveToBytes();

    TMetafile loaded = Load(original);
    EXPECT_EQ(loaded.SaveToBytes(), original);

    loaded.SetEnhanced(!enhanced);
    const TMetafile converted = Load(loaded.SaveToBytes());
    EXPECT_EQ(converted.HoldsEnhanced(), !enhanced);
    ASSERT_EQ(converted.Width(), 20);
    ASSERT_EQ(converted.Height(), 31);
    EXPECT_EQ(converted.ToImage().convertToFormat(QImage::Format_RGB32), source);
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileForm, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Emf" : "Wmf"; });

TEST(Metafile, TooWideForAWindowMetafileIsRefusedAndLeavesItUnchanged) {
    TMetafile metafile;
    metafile.SetEnhanced(false);
    metafile.Assign(TBitmap(Pattern(3, 2)));
    const QByteArray before = metafile.SaveToBytes();
    EXPECT_THROW(metafile.Assign(TBitmap(QImage(32768, 1, QImage::Format_RGB32))), AppError);
    EXPECT_EQ(metafile.Width(), 3);
    EXPECT_EQ(metafile.SaveToBytes(), before);
}

TEST(Metafile, TakesOverMetafilesAndBitmapsOnly) {
    const std::unique_ptr<TGraphic> made = CreateGraphic(GraphicKind::Metafile);
    ASSERT_EQ(made->Kind(), GraphicKind::Metafile);
    TMetafile source;
    source.Assign(TBitmap(Pattern(5, 4)));
    made->Assign(source);
    EXPECT_EQ(made->SaveToBytes(), source.SaveToBytes());

    const std::unique_ptr<TGraphic> png = CreateGraphic(GraphicKind::Png);
    EXPECT_THROW(made->Assign(*png), ConvertError);
    EXPECT_EQ(made->Width(), 5);
}

TEST(Metafile, EmptyOneCannotBeSaved) {
    TMetafile metafile;
    EXPECT_TRUE(metafile.Empty());
    EXPECT_THROW(metafile.SaveToBytes(), AppError);
}

// ---- size of each form ----

TEST(Metafile, PlaceableSizeIsTheBoxAtNinetySixDotsPerInch) {
    struct Case {
        QRect box;
        quint16 unitsPerInch;
        QSize pixels;
    } const cases[] = {
        {QRect(0, 0, 1440, 720), 1440, QSize(96, 48)},
        {QRect(-100, -50, 200, 100), 96, QSize(200, 100)},
        {QRect(0, 0, 1000, 1000), 2540, QSize(38, 38)}, // 37.8
        {QRect(0, 0, 3, 3), 2, QSize(144, 144)},
        {QRect(0, 0, 5, 7), 192, QSize(2, 4)},            // 2.5 and 3.5: halves to even
        {QRect(100, 100, -100, -50), 96, QSize(100, 50)}, // box given right to left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unitsPerInch);
        const TMetafile metafile = Load(TWmfRecords().Placeable(c.box, c.unitsPerInch, 0));
        EXPECT_EQ(QSize(metafile.Width(), metafile.Height()), c.pixels);
        EXPECT_FALSE(metafile.HoldsEnhanced());
    }
}

TEST(Metafile, PlainWindowsMetafileTakesItsSizeFromTheWindowElseFromTheDrawing) {
    TWmfRecords windowed;
    windowed
        .Add(0x020B, {-20, -10}) // SETWINDOWORG y, x
        .Add(0x020C, {60, 80})   // SETWINDOWEXT y, x
        .Add(0x02FC, {0, Lo(Red), Hi(Red), 0})
        .Add(0x012D, {0})
        .Add(0x041B, {-10, 0, -20, -10}); // RECTANGLE at the window's corner
    const TMetafile a = Load(windowed.Plain(1));
    EXPECT_EQ(QSize(a.Width(), a.Height()), QSize(80, 60));
    ExpectPixels(a.ToImage(), {{5, 5, Argb(Red)}, {40, 40, None}});

    TWmfRecords drawn;
    drawn.Add(0x02FC, {0, Lo(Red), Hi(Red), 0})
        .Add(0x02FA, {5, 0, 0, 0, 0}) // null pen
        .Add(0x012D, {0})
        .Add(0x012D, {1})
        .Add(0x041B, {40, 50, 20, 10}); // RECTANGLE (10, 20)-(50, 40)
    const TMetafile b = Load(drawn.Plain(2));
    EXPECT_EQ(QSize(b.Width(), b.Height()), QSize(40, 20));
    ExpectPixels(b.ToImage(), {{1, 1, Argb(Red)}, {38, 18, Argb(Red)}});
}

TEST(Metafile, EnhancedSizeComesFromTheFrameOnTheReferenceDeviceElseTheBounds) {
    // 10 pixels per millimetre: a frame of 12 x 5 mm is 120 x 50 pixels.
    const TMetafile byFrame = Load(TEmfRecords().Build(QRect(0, 0, 1, 1), QRect(0, 0, 1201, 501),
                                                       QSize(1000, 2000), QSize(100, 200), 1));
    EXPECT_EQ(QSize(byFrame.Width(), byFrame.Height()), QSize(120, 50));
    EXPECT_TRUE(byFrame.HoldsEnhanced());

    const TMetafile byBounds = Load(
        TEmfRecords().Build(QRect(5, 5, 30, 20), QRect(), QSize(1920, 1440), QSize(508, 381), 1));
    EXPECT_EQ(QSize(byBounds.Width(), byBounds.Height()), QSize(30, 20));
}

// ---- playback ----

// A red rectangle (10, 10)-(60, 40) without outline and a blue line 5 pixels wide along
// y = 45, drawn in units of a tenth of a pixel.
TEST(Metafile, WindowsMetafilePlaysRectangleAndLine) {
    TWmfRecords r;
    r.Add(0x02FC, {0, Lo(Red), Hi(Red), 0}) // CREATEBRUSHINDIRECT: slot 0
        .Add(0x02FA, {5, 0, 0, 0, 0})       // CREATEPENINDIRECT null: slot 1
        .Add(0x012D, {0})
        .Add(0x012D, {1})
        .Add(0x041B, {400, 600, 100, 100})           // RECTANGLE bottom, right, top, left
        .Add(0x0999, {1, 2, 3})                      // unknown: skipped
        .Add(0x02FA, {0, 50, 0, Lo(Blue), Hi(Blue)}) // pen: slot 2
        .Add(0x012D, {2})
        .Add(0x0214, {450, 0})     // MOVETO y, x
        .Add(0x0213, {450, 1000}); // LINETO
    const TMetafile metafile = Load(r.Placeable(QRect(0, 0, 1000, 500), 960, 3));
    ASSERT_EQ(QSize(metafile.Width(), metafile.Height()), QSize(100, 50));
    ExpectPixels(metafile.ToImage(), {{30, 25, Argb(Red)},
                                      {11, 11, Argb(Red)},
                                      {30, 38, Argb(Red)},
                                      {80, 25, None},
                                      {5, 5, None},
                                      {30, 45, Argb(Blue)},
                                      {95, 44, Argb(Blue)},
                                      {50, 49, None}});

    // Stretched to twice the size, everything lands twice as far.
    QImage big(200, 100, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        metafile.StretchDraw(painter, big.rect());
    }
    ExpectPixels(big, {{60, 50, Argb(Red)}, {160, 50, None}, {60, 90, Argb(Blue)}});
}

TEST(Metafile, WindowsMetafileTextFillsItsOpaqueRectangle) {
    TWmfRecords r;
    r.Add(0x0201, {Lo(Yellow), Hi(Yellow)}); // SETBKCOLOR
    TLeWriter text;
    for (qint16 v : {6, 72, 2, 2, 70, 5, 95, 20}) // y, x, length, ETO_OPAQUE, rectangle
        text.S16(v);
    text.Bytes("Hi");
    r.AddRaw(0x0A32, text.Result()); // EXTTEXTOUT
    const TMetafile metafile = Load(r.Placeable(QRect(0, 0, 100, 50), 96, 0));
    ExpectPixels(metafile.ToImage(),
                 {{70, 5, Argb(Yellow)}, {94, 19, Argb(Yellow)}, {96, 10, None}, {50, 30, None}});
}

// A 4 x 4 palette bitmap, one colour per row; STRETCHDIB counts its source rows from the
// bottom, so the source (0, 0, 4, 2) is the picture's two lowest rows.
TEST(Metafile, WindowsMetafileStretchesAPartOfAPaletteBitmap) {
    const QRgb rows[4] = {qRgb(250, 0, 0), qRgb(0, 250, 0), qRgb(0, 0, 250), qRgb(250, 250, 0)};
    TLeWriter p;
    p.U32(0x00CC0020);                          // SRCCOPY
    p.U16(0);                                   // colours in the table
    for (qint16 v : {2, 4, 0, 0, 20, 40, 0, 0}) // source h, w, y, x; destination h, w, y, x
        p.S16(v);
    p.U32(40);
    p.S32(4);
    p.S32(4); // bottom-up
    p.U16(1);
    p.U16(8);
    for (quint32 v : {0u, 0u, 0u, 0u, 4u, 0u}) // plain, sizes, resolution, 4 colours
        p.U32(v);
    for (QRgb c : rows) {
        p.U8(quint8(qBlue(c)));
        p.U8(quint8(qGreen(c)));
        p.U8(quint8(qRed(c)));
        p.U8(0);
    }
    for (int stored = 0; stored < 4; ++stored) // stored row 0 is the bottom row
        for (int x = 0; x < 4; ++x)
            p.U8(quint8(3 - stored));
    TWmfRecords r;
    r.AddRaw(0x0F43, p.Result());
    const TMetafile metafile = Load(r.Placeable(QRect(0, 0, 50, 30), 96, 0));
    ExpectPixels(metafile.ToImage(), {{5, 5, rows[2]},
                                      {35, 9, rows[2]},
                                      {5, 15, rows[3]},
                                      {39, 19, rows[3]},
                                      {45, 5, None},
                                      {5, 25, None}});
}

// Clipping is part of the saved state: restoring the state lifts it.
TEST(Metafile, EnhancedMetafileClipIsSavedAndRestored) {
    TEmfRecords r;
    r.Add(37, {qint32(0x80000008)}) // NULL_PEN
        .Add(33, {})                // SAVEDC
        .Add(30, {20, 10, 40, 30})  // INTERSECTCLIPRECT
        .Add(39, {1, 0, qint32(Red), 0})
        .Add(37, {1})
        .Add(43, {0, 0, 100, 50}) // RECTANGLE over everything
        .Add(34, {-1})            // RESTOREDC
        .Add(39, {2, 0, qint32(Green), 0})
        .Add(37, {2})
        .Add(43, {60, 10, 80, 30});
    const TMetafile metafile = Load(r.Build96(QSize(100, 50), 3));
    ExpectPixels(metafile.ToImage(), {{30, 20, Argb(Red)},
                                      {21, 11, Argb(Red)},
                                      {10, 5, None},
                                      {50, 20, None},
                                      {30, 40, None},
                                      {70, 20, Argb(Green)}});
}

// The same picture as the Windows metafile test, plus a green triangle, in three mappings.
enum class Mapping { Text, Anisotropic, World };

QByteArray TriangleAndShapes(Mapping mapping) {
    const int k = mapping == Mapping::Text ? 1 : 10; // logical units per pixel
    TEmfRecords r;
    if (mapping == Mapping::Anisotropic) {
        r.Add(17, {8})           // SETMAPMODE anisotropic
            .Add(9, {1000, 500}) // SETWINDOWEXTEX
            .Add(11, {100, 50}); // SETVIEWPORTEXTEX
    } else if (mapping == Mapping::World) {
        const qint32 tenth = std::bit_cast<qint32>(0.1f);
        r.Add(35, {tenth, 0, 0, tenth, 0, 0}); // SETWORLDTRANSFORM
    }
    r.Add(39, {1, 0, qint32(Green), 0}) // CREATEBRUSHINDIRECT
        .Add(37, {1})
        .Add(37, {qint32(0x80000008)})              // NULL_PEN
        .Add(43, {10 * k, 10 * k, 60 * k, 40 * k}); // RECTANGLE
    TLeWriter triangle;
    for (int v : {0, 0, 0, 0, 3}) // bounds, count
        triangle.S32(v);
    for (int v : {70, 5, 95, 5, 95, 30})
        triangle.S16(qint16(v * k));
    r.AddRaw(86, triangle.Result())              // POLYGON16
        .Add(38, {2, 0, 5 * k, 0, qint32(Blue)}) // CREATEPEN
        .Add(37, {2})
        .Add(27, {0, 45 * k})        // MOVETOEX
        .Add(54, {100 * k, 45 * k}); // LINETO
    return r.Build96(QSize(100, 50), 3);
}

class MetafileMapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(MetafileMapping, EnhancedMetafilePlaysShapesInPixels) {
    const TMetafile metafile = Load(TriangleAndShapes(GetParam()));
    ASSERT_EQ(QSize(metafile.Width(), metafile.Height()), QSize(100, 50));
    ExpectPixels(metafile.ToImage(), {{30, 25, Argb(Green)},
                                      {11, 11, Argb(Green)},
                                      {5, 5, None},
                                      {65, 25, None},
                                      {90, 10, Argb(Green)},
                                      {75, 25, None},
                                      {30, 45, Argb(Blue)},
                                      {50, 49, None}});
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileMapping,
                         ::testing::Values(Mapping::Text, Mapping::Anisotropic, Mapping::World),
                         [](const auto& info) {
                             switch (info.param) {
                             case Mapping::Text:
                                 return "Text";
                             case Mapping::Anisotropic:
                                 return "Anisotropic";
                             default:
                                 return "World";
                             }
                         });

} // namespace
