// SPDX-License-Identifier: MIT
#include "imaging/GifImage.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PcxImage.h"

#include <QBuffer>
#include <QImageReader>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, White = 0xFFFFFFFF;
constexpr QRgb Clear = 0x00000000;

// ---- Hand-made GIF pieces ----

QByteArray U16(int value) {
    QByteArray bytes(2, '\0');
    bytes[0] = char(value & 0xFF);
    bytes[1] = char((value >> 8) & 0xFF);
    return bytes;
}

// "GIF89a", the logical screen and a grey global palette of 2^bits entries (none for 0).
QByteArray ScreenHeader(int width, int height, int bits = 1) {
    QByteArray bytes = QByteArray("GIF89a") + U16(width) + U16(height);
    bytes.append(char(bits > 0 ? 0x80 | ((bits - 1) << 4) | (bits - 1) : 0));
    bytes.append(2, '\0'); // background index, aspect
    for (int i = 0; i < (bits > 0 ? 1 << bits : 0); ++i)
        bytes.append(3, char(i * 255 / ((1 << bits) - 1)));
    return bytes;
}

// An image descriptor followed by LZW data for a single pixel of colour 0.
QByteArray OnePixelImage(int left = 0, int top = 0, int width = 1, int height = 1) {
    return QByteArray(1, ',') + U16(left) + U16(top) + U16(width) + U16(height) +
           QByteArray::fromHex("00"
                               "02"
                               "02 44 01"
                               "00");
}

const QByteArray Trailer(1, ';');

// ---- Animations built through the public frame API ----

TGifFrame MakeFrame(QRect rect, int (*colour)(int x, int y), int delayCs, int disposal) {
    TGifFrame frame;
    frame.rect = rect;
    frame.delayCs = delayCs;
    frame.disposal = disposal;
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x)
            frame.indices.append(char(colour(x, y)));
    return frame;
}

TGifAnimation ThreeFrames() {
    TGifAnimation anim;
    anim.screen = QSize(6, 9);
    anim.globalPalette = {Red, Green, Blue, White};
    anim.loopCount = 3;
    anim.frames.push_back(MakeFrame(
        {0, 0, 6, 9}, [](int x, int y) { return (x + y) % 4; }, 10, GifDisposeKeep));
    TGifFrame local = MakeFrame(
        {1, 2, 3, 4}, [](int x, int y) { return (x * y) % 8; }, 25, GifDisposeBackground);
    for (int i = 0; i < 8; ++i)
        local.palette.append(qRgb(30 * i, 255 - 30 * i, 100));
    local.transparentIndex = 5;
    anim.frames.push_back(local);
    TGifFrame interlaced = MakeFrame(
        {0, 0, 6, 9}, [](int x, int y) { return (3 * x + y) % 4; }, 0, GifDisposePrevious);
    interlaced.interlaced = true; // 9 rows: every interlace pass has rows
    anim.frames.push_back(interlaced);
    return anim;
}

void ExpectSameAnimation(const TGifAnimation& a, const TGifAnimation& b) {
    EXPECT_EQ(a.screen, b.screen);
    EXPECT_EQ(a.globalPalette, b.globalPalette);
    EXPECT_EQ(a.loopCount, b.loopCount);
    ASSERT_EQ(a.frames.size(), b.frames.size());
    for (size_t i = 0; i < a.frames.size(); ++i) {
        SCOPED_TRACE(i);
        const TGifFrame &x = a.frames[i], &y = b.frames[i];
        EXPECT_EQ(x.rect, y.rect);
        EXPECT_EQ(x.palette, y.palette);
        EXPECT_EQ(x.indices, y.indices);
        EXPECT_EQ(x.delayCs, y.delayCs);
        EXPECT_EQ(x.disposal, y.disposal);
        EXPECT_EQ(x.transparentIndex, y.transparentIndex);
        EXPECT_EQ(x.interlaced, y.interlaced);
    }
}

TGIFImage Load(const QByteArray& bytes) {
    TGIFImage gif;
    gif.LoadFromBytes(bytes);
    return gif;
}

QList<QRgb> Pixels(const QImage& image) {
    QList<QRgb> pixels;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            pixels.append(qAlpha(argb.pixel(x, y)) == 0 ? Clear : argb.pixel(x, y));
    return pixels;
}

TEST(GifImage, AnimationSavedAsGifKeepsFramesDelaysAndLoopCount) {
    TGIFImage gif;
    gif.SetAnimation(ThreeFrames());
    const TGIFImage loaded = Load(gif.SaveToBytes());

    ExpectSameAnimation(loaded.Animation(), ThreeFrames());
    EXPECT_EQ(loaded.Width(), 6);
    EXPECT_EQ(loaded.Height(), 9);
    EXPECT_EQ(loaded.FrameCount(), 3);
    EXPECT_TRUE(loaded.IsAnimated());
    EXPECT_EQ(loaded.LoopCount(), 3);
    EXPECT_EQ(loaded.FrameDelayMs(0), 100);
    EXPECT_EQ(loaded.FrameDelayMs(1), 250);
    EXPECT_EQ(loaded.FrameDelayMs(2), 0);
    EXPECT_TRUE(loaded.Transparent());

    // A copy saved again gives the same file.
    TGIFImage copy;
    copy.Assign(loaded);
    EXPECT_EQ(copy.SaveToBytes(), gif.SaveToBytes());
}

TEST(GifImage, LoopCountRoundTrips) {
    for (int loop : {TGIFImage::NoLoopExtension, 0, 1, 65535}) {
        SCOPED_TRACE(loop);
        TGifAnimation anim = ThreeFrames();
        anim.loopCount = loop;
        TGIFImage gif;
        gif.SetAnimation(anim);
        EXPECT_EQ(Load(gif.SaveToBytes()).LoopCount(), loop);
    }
}

TEST(GifImage, AnotherDecoderSeesTheSameFrames) {
    TGIFImage gif;
    TGifAnimation anim = ThreeFrames();
    anim.frames[1].disposal = GifDisposeKeep; // backgrounds are a matter of taste among readers
    gif.SetAnimation(anim);
    QByteArray bytes = gif.SaveToBytes();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    EXPECT_EQ(reader.imageCount(), 3);
    EXPECT_EQ(reader.loopCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QImage theirs = reader.read();
        ASSERT_FALSE(theirs.isNull());
        EXPECT_EQ(Pixels(theirs), Pixels(gif.Frame(i)));
    }
}

TEST(GifImage, FramesAreComposedWithTheirDisposal) {
    // A 3 x 1 screen; each row below gives the screen while that frame is shown.
    TGifAnimation anim;
    anim.screen = QSize(3, 1);
    anim.globalPalette = {Red, Green, Blue, White};
    const auto frame = [](QRect rect, QByteArray indices, int disposal, int transparent = -1) {
        TGifFrame f;
        f.rect = rect;
        f.indices = indices;
        f.disposal = disposal;
        f.transparentIndex = transparent;
        return f;
    };
    // Kept, then restored to what was there before, then cleared to transparent.
    anim.frames = {frame({0, 0, 3, 1}, QByteArray(3, 0), GifDisposeUnspecified),
                   frame({1, 0, 1, 1}, QByteArray(1, 1), GifDisposePrevious),
                   frame({2, 0, 1, 1}, QByteArray(1, 2), GifDisposeBackground),
                   frame({0, 0, 2, 1}, QByteArray::fromHex("0302"), GifDisposeKeep, 2)};
    const QList<QList<QRgb>> expected = {
        {Red, Red, Red}, {Red, Green, Red}, {Red, Red, Blue}, {White, Red, Clear}};

    TGIFImage built;
    built.SetAnimation(anim);
    const TGIFImage gif = Load(built.SaveToBytes());
    ASSERT_EQ(gif.FrameCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Pixels(gif.Frame(i)), expected[i]) << "frame " << i;
    // Going back starts over; jumping ahead composes the frames in between.
    EXPECT_EQ(Pixels(gif.Frame(1)), expected[1]);
    EXPECT_EQ(Pixels(gif.Frame(3)), expected[3]);
    EXPECT_EQ(Pixels(gif.Frame(0)), expected[0]);
    EXPECT_TRUE(gif.Frame(4).isNull());
    // Drawing shows the first frame, whatever the animation position.
    EXPECT_EQ(Pixels(gif.ToImage()), expected[0]);
}

TEST(GifImage, FirstFrameRestoringPreviousClearsToTransparent) {
    TGifAnimation anim;
    anim.screen = QSize(2, 1);
    anim.globalPalette = {Red, Green};
    TGifFrame first;
    first.rect = {0, 0, 2, 1};
    first.indices = QByteArray(2, 0);
    first.disposal = GifDisposePrevious;
    TGifFrame second;
    second.rect = {1, 0, 1, 1};
    second.indices = QByteArray(1, 1);
    anim.frames = {first, second};
    TGIFImage gif;
    gif.SetAnimation(anim);
    EXPECT_EQ(Pixels(gif.Frame(1)), (QList<QRgb>{Clear, Green}));
    EXPECT_FALSE(gif.Transparent()); // no frame has a transparent colour
}

QImage FewColours() {
    const QRgb colours[] = {qRgb(12, 34, 56), qRgb(255, 255, 254), qRgb(1, 2, 3), qRgb(200, 10, 90),
                            qRgb(0x7F, 0x80, 0x81)};
    QImage image(16, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, (x + y) % 7 == 6 ? qRgba(9, 9, 9, 0) : colours[(x * y + x) % 5]);
    return image;
}

TEST(GifImage, BitmapWithFewColoursRoundTripsExactly) {
    TGIFImage gif;
    gif.Assign(TBitmap(FewColours()));
    EXPECT_EQ(gif.FrameCount(), 1);
    EXPECT_TRUE(gif.Transparent());
    const TGIFImage loaded = Load(gif.SaveToBytes());
    EXPECT_EQ(Pixels(loaded.ToImage()), Pixels(FewColours()));
    EXPECT_EQ(loaded.LoopCount(), TGIFImage::NoLoopExtension);
    EXPECT_FALSE(loaded.IsAnimated());
}

TEST(GifImage, OpaqueBitmapWithExactly256ColoursKeepsThemAll) {
    QImage image(16, 16, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i)
        image.setPixel(i % 16, i / 16, qRgb(i, 255 - i, (i * 7) % 256));
    TGIFImage gif;
    gif.Assign(TBitmap(image));
    EXPECT_FALSE(gif.Transparent());
    EXPECT_EQ(Pixels(Load(gif.SaveToBytes()).ToImage()), Pixels(image));
}

TEST(GifImage, BitmapWithManyColoursComesClose) {
    // 4096 colours in smooth gradients, some transparent pixels among them.
    QImage image(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, x == y ? qRgba(0, 0, 0, 0) : qRgb(x * 4, y * 4, (x + y) * 2));
    TGIFImage gif;
    gif.Assign(TBitmap(image));
    const TGIFImage loaded = Load(gif.SaveToBytes());
    ASSERT_LE(loaded.Animation().globalPalette.size(), 256);
    const QImage result = loaded.ToImage().convertToFormat(QImage::Format_ARGB32);

    double totalError = 0;
    int worst = 0;
    // The average over 4 x 4 blocks shows what the eye sees of a dithered picture.
    double worstBlock = 0;
    for (int by = 0; by < 64; by += 4)
        for (int bx = 0; bx < 64; bx += 4) {
            double block[2][3] = {};
            for (int y = by; y < by + 4; ++y)
                for (int x = bx; x < bx + 4; ++x) {
                    const QRgb a = image.pixel(x, y), b = result.pixel(x, y);
                    ASSERT_EQ(qAlpha(a) == 0, qAlpha(b) == 0) << x << "," << y;
                    if (qAlpha(a) == 0)
                        continue;
                    const int ca[3] = {qRed(a), qGreen(a), qBlue(a)};
                    const int cb[3] = {qRed(b), qGreen(b), qBlue(b)};
                    for (int c = 0; c < 3; ++c) {
                        totalError += std::abs(ca[c] - cb[c]);
                        worst = std::max(worst, std::abs(ca[c] - cb[c]));
                        block[0][c] += ca[c];
                        block[1][c] += cb[c];
                    }
                }
            for (int c = 0; c < 3; ++c)
                worstBlock = std::max(worstBlock, std::abs(block[0][c] - block[1][c]) / 16);
        }
    EXPECT_LT(totalError / (64 * 63 * 3), 5.0);
    EXPECT_LT(worst, 32);
    // Error diffusion keeps the local average closer than plain nearest colours (3.75 here).
    EXPECT_LT(worstBlock, 3.0);
}

TEST(GifImage, AssignRefusesOtherKindsAndLeavesThePicture) {
    TGIFImage gif;
    gif.SetAnimation(ThreeFrames());
    TPcxImage pcx;
    pcx.Assign(TBitmap(FewColours()));
    EXPECT_THROW(gif.Assign(pcx), ConvertError);
    ExpectSameAnimation(gif.Animation(), ThreeFrames());
}

// Frame data reaching outside the screen: a 4 x 4 file whose screen size is patched smaller.
QByteArray WithScreen(QByteArray bytes, int width, int height) {
    bytes.replace(6, 4, U16(width) + U16(height));
    return bytes;
}

TEST(GifImage, FramesOutsideTheScreenAreClipped) {
    TGifAnimation anim;
    anim.screen = QSize(4, 4);
    anim.globalPalette = {Red, Green, Blue, White};
    anim.frames.push_back(MakeFrame(
        {0, 0, 4, 4}, [](int, int) { return 0; }, 5, 1));
    anim.frames.push_back(MakeFrame(
        {2, 2, 2, 2}, [](int x, int y) { return 1 + x + y; }, 7, 1));
    TGIFImage built;
    built.SetAnimation(anim);
    const QByteArray bytes = built.SaveToBytes();

    const TGIFImage clipped = Load(WithScreen(bytes, 3, 3));
    EXPECT_EQ(clipped.FrameData(0).rect, QRect(0, 0, 3, 3));
    EXPECT_EQ(clipped.FrameData(1).rect, QRect(2, 2, 1, 1));
    EXPECT_EQ(clipped.FrameData(1).indices, QByteArray(1, 1));
    EXPECT_EQ(Pixels(clipped.Frame(1)).last(), Green);

    // Wholly outside: the frame stays (with its delay) and changes nothing, also once saved.
    const TGIFImage outside = Load(WithScreen(bytes, 2, 2));
    ASSERT_EQ(outside.FrameCount(), 2);
    EXPECT_TRUE(outside.FrameData(1).rect.isEmpty());
    EXPECT_EQ(outside.Frame(1), outside.Frame(0));
    const TGIFImage resaved = Load(outside.SaveToBytes());
    ASSERT_EQ(resaved.FrameCount(), 2);
    EXPECT_EQ(resaved.FrameDelayMs(1), 70);
    EXPECT_EQ(Pixels(resaved.Frame(1)), Pixels(outside.Frame(0)));

    // No screen size at all: the first frame's extent stands in.
    EXPECT_EQ(Load(WithScreen(bytes, 0, 0)).Width(), 4);
}

TEST(GifImage, AFileMissingOnlyItsTrailerLoads) {
    const QByteArray bytes = ScreenHeader(1, 1) + OnePixelImage();
    EXPECT_EQ(Load(bytes).FrameCount(), 1);
    EXPECT_EQ(Pixels(Load(bytes + Trailer).ToImage()), QList<QRgb>{0xFF000000});
}

TEST(GifImage, EveryTruncationIsAnErrorOrAShorterAnimation) {
    TGIFImage gif;
    gif.SetAnimation(ThreeFrames());
    const QByteArray bytes = gif.SaveToBytes();
    QList<int> loaded; // frame counts of the cuts that load
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        try {
            const TGIFImage part = Load(bytes.left(length));
            part.Frame(part.FrameCount() - 1);
            loaded.append(part.FrameCount());
        } catch (const AppError& error) {
            EXPECT_FALSE(error.Message().isEmpty());
        }
    }
    // Only cuts between records load: after each frame, and after the control block that
    // precedes the next frame (which is then dropped). Without its trailer the file is whole.
    EXPECT_EQ(loaded, (QList<int>{1, 1, 2, 2, 3}));
}

TEST(GifImage, MalformedFilesRaiseAppError) {
    QByteArray tenFrames = ScreenHeader(10000, 10000);
    for (int i = 0; i < 10; ++i)
        tenFrames += OnePixelImage();
    // 10 frames x 100 megapixels is the budget; 10 load, an 11th is refused.
    EXPECT_EQ(Load(tenFrames + Trailer).FrameCount(), 10);

    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"signature only", "GIF89a"},
        {"not a GIF", "PNG89a" + ScreenHeader(1, 1).mid(6) + OnePixelImage() + Trailer},
        {"screen too large", ScreenHeader(65535, 65535) + OnePixelImage() + Trailer},
        {"no frames", ScreenHeader(1, 1) + Trailer},
        {"frame of width zero", ScreenHeader(1, 1) + OnePixelImage(0, 0, 0, 1) + Trailer},
        {"frame too large", ScreenHeader(1, 1) + OnePixelImage(0, 0, 65535, 65535) + Trailer},
        {"frame data shorter than the frame",
         ScreenHeader(2, 2) + OnePixelImage(0, 0, 2, 2) + Trailer},
        {"unknown record", ScreenHeader(1, 1) + OnePixelImage() + "\x99" + Trailer},
        {"truncated extension", ScreenHeader(1, 1) + QByteArray::fromHex("21F90401")},
        {"extension without end", ScreenHeader(1, 1) + QByteArray::fromHex("21FE03616263")},
        {"LZW code size too large",
         ScreenHeader(1, 1) + OnePixelImage().left(10) + QByteArray::fromHex("0C024401003B")},
        {"LZW code not yet defined",
         ScreenHeader(1, 1) + OnePixelImage().left(10) + QByteArray::fromHex("02027C01003B")},
        {"too many frames for the memory budget", tenFrames + OnePixelImage() + Trailer},
        {"cut inside the global palette", ScreenHeader(1, 1, 8).left(100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGIFImage gif;
        gif.SetAnimation(ThreeFrames());
        try {
            gif.LoadFromBytes(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const AppError& error) {
            EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Invalid GIF file")) ||
                        error.Message().contains(QStringLiteral("GIF")))
                << error.Message().toStdString();
        }
        EXPECT_EQ(gif.FrameCount(), 0); // a failed load leaves the picture empty
        EXPECT_TRUE(gif.Empty());
    }
}

// Inputs that once went wrong, named after the fault.
TEST(GifImage, RegressionFiles) {
    struct Case {
        const char* file;
        bool loads;
    };
    const Case cases[] = {
        // Saving a frame with its own palette, then one with none, leaked the first palette.
        {"gif-local-palette-then-none-leak.gif", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path =
            QStringLiteral(ORVO_TEST_DATA_DIR "/regress/") + QString::fromLatin1(c.file);
        TGIFImage gif;
        if (!c.loads) {
            EXPECT_THROW(gif.LoadFromFile(path), AppError);
            continue;
        }
        gif.LoadFromFile(path);
        const TGIFImage again = Load(gif.SaveToBytes());
        ExpectSameAnimation(again.Animation(), gif.Animation());
    }
}

TEST(GifImage, SetAnimationRefusesInconsistentFrames) {
    struct Case {
        const char* name;
        void (*spoil)(TGifAnimation&);
    };
    const Case cases[] = {
        {"no frames", [](TGifAnimation& a) { a.frames.clear(); }},
        {"empty screen", [](TGifAnimation& a) { a.screen = QSize(0, 9); }},
        {"screen beyond 16 bits", [](TGifAnimation& a) { a.screen = QSize(70000, 9); }},
        {"frame off the screen", [](TGifAnimation& a) { a.frames[1].rect.translate(4, 0); }},
        {"indices do not fill the frame", [](TGifAnimation& a) { a.frames[0].indices.chop(1); }},
        {"no colours", [](TGifAnimation& a) { a.globalPalette.clear(); }},
        {"palette too large", [](TGifAnimation& a) { a.frames[1].palette.resize(300); }},
        {"delay too long", [](TGifAnimation& a) { a.frames[0].delayCs = 70000; }},
        {"loop count too large", [](TGifAnimation& a) { a.loopCount = 70000; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGifAnimation anim = ThreeFrames();
        c.spoil(anim);
        TGIFImage gif;
        EXPECT_THROW(gif.SetAnimation(anim), AppError);
        EXPECT_EQ(gif.FrameCount(), 0);
    }
    EXPECT_THROW(TGIFImage().SaveToBytes(), AppError);
}

} // namespace
