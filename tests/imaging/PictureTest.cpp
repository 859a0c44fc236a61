// SPDX-License-Identifier: MIT
#include "imaging/Picture.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PngImage.h"

#include "RasterTestSupport.h"

#include <gtest/gtest.h>

using namespace raster_test;

namespace {

TEST(PictureTest, FactoryMakesEveryRasterKind) {
    for (GraphicKind kind :
         {GraphicKind::Jpeg, GraphicKind::Bitmap, GraphicKind::Icon, GraphicKind::Png}) {
        const std::unique_ptr<TGraphic> graphic = CreateGraphic(kind);
        ASSERT_NE(graphic, nullptr);
        EXPECT_EQ(graphic->Kind(), kind);
        EXPECT_TRUE(graphic->Empty());
    }
}

TEST(PictureTest, ExtensionPicksTheDecoder) {
    QTemporaryDir dir;
    const QImage image = DistinctImage(6, 4);
    const QByteArray icon = BuildIco(
        {BuildDib({40, 6, 8, 24, 0, 0, {}, {}, QByteArray(2 * 4 * 24 + 4 * 4, '\0')})}, {6});
    const struct {
        const char* name;
        QByteArray bytes;
        GraphicKind kind;
    } cases[] = {
        {"a.JPG", EncodeJpeg(image), GraphicKind::Jpeg},
        {"a.jpeg", EncodeJpeg(image), GraphicKind::Jpeg},
        {"a.bmp", EncodeBmp(image), GraphicKind::Bitmap},
        {"a.png", EncodePng(image), GraphicKind::Png},
        {"a.ico", icon, GraphicKind::Icon},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPicture picture;
        picture.LoadFromFile(WriteFile(dir, QString::fromLatin1(c.name), c.bytes));
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(picture.Graphic()->Kind(), c.kind);
        EXPECT_EQ(picture.Width(), 6);
        EXPECT_EQ(picture.Height(), 4);
    }
}

TEST(PictureTest, FailedLoadLeavesThePictureEmpty) {
    QTemporaryDir dir;
    TPicture picture;
    picture.LoadFromFile(WriteFile(dir, QStringLiteral("ok.png"), EncodePng(DistinctImage(3, 3))));
    ASSERT_NE(picture.Graphic(), nullptr);

    const QString unknown = WriteFile(dir, QStringLiteral("x.tif"), EncodePng(DistinctImage(3, 3)));
    try {
        picture.LoadFromFile(unknown);
        FAIL() << "unknown extension accepted";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral(".tif"))) << e.Message().toStdString();
    }
    EXPECT_EQ(picture.Graphic(), nullptr);

    picture.LoadFromFile(WriteFile(dir, QStringLiteral("ok.bmp"), EncodeBmp(DistinctImage(3, 3))));
    const QByteArray jpeg = JpegOfSize(40, 40);
    // The header is fine; the picture is not: loading a picture decodes it completely.
    EXPECT_THROW(picture.LoadFromFile(
                     WriteFile(dir, QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() - 40))),
                 AppError);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
}

TEST(PictureTest, AssignHoldsAnIndependentCopy) {
    TBitmap bitmap(DistinctImage(3, 3));
    TPicture picture;
    picture.Assign(bitmap);
    bitmap.SetSize(1, 1);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->Kind(), GraphicKind::Bitmap);
    EXPECT_EQ(picture.Width(), 3);

    TPicture copy(picture);
    picture.Clear();
    EXPECT_EQ(copy.Width(), 3);
}

} // namespace
