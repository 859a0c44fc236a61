// SPDX-License-Identifier: MIT
#include "imaging/PictureSaving.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/IconImage.h"
#include "imaging/Picture.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace raster_test;

namespace {

TEST(PictureSavingTest, RoundTripThroughEveryWritableFormat) {
    QTemporaryDir dir;
    const TBitmap source(DistinctImage(9, 7));
    const struct {
        const char* name;
        GraphicKind kind;
        bool exact;
    } cases[] = {
        {"out.bmp", GraphicKind::Bitmap, true},    {"out.png", GraphicKind::Png, true},
        {"out.jpg", GraphicKind::Jpeg, false},     {"OUT.JPEG", GraphicKind::Jpeg, false},
        {"out.pcx", GraphicKind::Pcx, true},       {"out.gif", GraphicKind::Gif, false},
        {"out.wmf", GraphicKind::Metafile, false}, {"out.emf", GraphicKind::Metafile, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        SavePictureAs(source, path);
        TPicture back;
        back.LoadFromFile(path);
        ASSERT_EQ(back.Graphic()->Kind(), c.kind);
        EXPECT_EQ(back.Width(), 9);
        EXPECT_EQ(back.Height(), 7);
        if (c.exact) {
            EXPECT_EQ(back.Graphic()->ToImage().convertToFormat(QImage::Format_RGB32),
                      source.Image());
        }
    }
}

TEST(PictureSavingTest, MetafileFormFollowsTheExtension) {
    QTemporaryDir dir;
    TPicture picture;
    picture.LoadFromFile(WriteFile(dir, QStringLiteral("in.jpg"), JpegOfSize(12, 8)));
    const QString wmf = dir.filePath(QStringLiteral("a.wmf"));
    const QString emf = dir.filePath(QStringLiteral("a.emf"));
    SavePictureAs(*picture.Graphic(), wmf);
    SavePictureAs(*picture.Graphic(), emf);
    // Placeable Windows metafile key; enhanced metafile header record with its signature.
    EXPECT_TRUE(ReadFile(wmf).startsWith(QByteArray("\xd7\xcd\xc6\x9a", 4)));
    const QByteArray enhanced = ReadFile(emf);
    EXPECT_TRUE(enhanced.startsWith(QByteArray("\x01\x00\x00\x00", 4)));
    EXPECT_EQ(enhanced.mid(40, 4), QByteArray(" EMF"));
    // Saving the placeable file again as ".emf" converts it.
    TPicture placeable;
    placeable.LoadFromFile(wmf);
    SavePictureAs(*placeable.Graphic(), emf);
    EXPECT_EQ(ReadFile(emf).mid(40, 4), QByteArray(" EMF"));
}

TEST(PictureSavingTest, UnchangedJpegIsCopiedByteForByte) {
    QTemporaryDir dir;
    const QByteArray bytes = EncodeJpeg(DistinctImage(33, 17), 75);
    TPicture picture;
    picture.LoadFromFile(WriteFile(dir, QStringLiteral("in.jpg"), bytes));
    const QString copy = dir.filePath(QStringLiteral("copy.jpeg"));
    SavePictureAs(*picture.Graphic(), copy);
    EXPECT_EQ(ReadFile(copy), bytes);
}

TEST(PictureSavingTest, PngBecomesJpegAtQualityNinety) {
    QTemporaryDir dir;
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 255, 255));
    TPNGObject png;
    png.Assign(TBitmap(image));
    const QString path = dir.filePath(QStringLiteral("from-png.jpg"));
    SavePictureAs(png, path);
    const QByteArray written = ReadFile(path);
    ASSERT_TRUE(written.startsWith("\xff\xd8"));
    EXPECT_EQ(written, EncodeJpeg(image, 90));
    EXPECT_EQ(png.Kind(), GraphicKind::Png); // the caller's graphic is untouched
}

TEST(PictureSavingTest, IconSavedAsBitmapKeepsItsSize) {
    QTemporaryDir dir;
    DibLayout layout{40, 16, 32, 24, 0, 0, {}, {}, QByteArray(16 * 48 + 16 * 4, '\x7f')};
    TIcon icon;
    icon.LoadFromBytes(BuildIco({BuildDib(layout)}, {16}));
    const QString path = dir.filePath(QStringLiteral("icon.bmp"));
    SavePictureAs(icon, path);
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    EXPECT_EQ(bitmap.Image().size(), QSize(16, 16));
}

TEST(PictureSavingTest, IconTargetIsRefusedAndNothingWritten) {
    QTemporaryDir dir;
    for (const char* name : {"x.ico", "X.ICO"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        try {
            SavePictureAs(TBitmap(DistinctImage(2, 2)), path);
            ADD_FAILURE() << name;
        } catch (const AppError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Saving as an Icon is not supported"));
        }
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST(PictureSavingTest, UnknownExtensionGetsBitmapData) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.tga"));
    SavePictureAs(TBitmap(DistinctImage(5, 4)), path);
    const QByteArray written = ReadFile(path);
    EXPECT_TRUE(written.startsWith("BM"));
    EXPECT_EQ(DecodeBmp(written).size(), QSize(5, 4));
}

TEST(PictureSavingTest, FailedSaveLeavesTheOldFileAsItWas) {
    QTemporaryDir dir;
    const QByteArray old("the old contents");
    const QString existing = WriteFile(dir, QStringLiteral("keep.png"), old);
    // An encoder failure: there is nothing to encode.
    EXPECT_THROW(SavePictureAs(TBitmap(), existing), AppError);
    EXPECT_EQ(ReadFile(existing), old);
    // A write failure: the folder does not exist.
    const QString nowhere = dir.filePath(QStringLiteral("no-such-folder/out.bmp"));
    EXPECT_THROW(SavePictureAs(TBitmap(DistinctImage(2, 2)), nowhere), AppError);
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.png")});
}

TEST(PictureSavingTest, ConversionGoesThroughABitmapWhenNeeded) {
    QTemporaryDir dir;
    TPicture picture;
    picture.LoadFromFile(WriteFile(dir, QStringLiteral("a.jpg"), JpegOfSize(12, 8)));
    ConvertPicture(picture, GraphicKind::Png); // a PNG does not take a JPEG directly
    ASSERT_EQ(picture.Graphic()->Kind(), GraphicKind::Png);
    EXPECT_EQ(picture.Width(), 12);
    ConvertPicture(picture, GraphicKind::Png); // already there: nothing changes
    EXPECT_EQ(picture.Graphic()->Kind(), GraphicKind::Png);
    ConvertPicture(picture, GraphicKind::Metafile); // a redraw
    ASSERT_EQ(picture.Graphic()->Kind(), GraphicKind::Metafile);
    EXPECT_EQ(picture.Width(), 12);
    EXPECT_EQ(picture.Height(), 8);
}

TEST(PictureSavingTest, ConvertToBitmapRedrawsOnWhite) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(1, 1, qRgb(0, 128, 0));
    TPNGObject png;
    png.Assign(TBitmap(image));
    TPicture picture;
    picture.Assign(png);
    ConvertToBitmap(picture);
    ASSERT_EQ(picture.Graphic()->Kind(), GraphicKind::Bitmap);
    const QImage& pixels = static_cast<const TBitmap*>(picture.Graphic())->Image();
    EXPECT_EQ(pixels.size(), QSize(4, 4));
    EXPECT_EQ(pixels.pixel(1, 1), qRgb(0, 128, 0));
    EXPECT_EQ(pixels.pixel(3, 3), qRgb(255, 255, 255));
}

} // namespace
