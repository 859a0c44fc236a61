// SPDX-License-Identifier: MIT
#include "folderview/BitmapCache.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "imaging/JpegImage.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A colour per slot that differs clearly from its neighbours' and from black.
QColor SlotColour(int slot) {
    return QColor::fromHsv((slot * 47) % 360, 255, 230);
}

QImage Tile(const QColor& colour) {
    QImage tile(ThumbSize, ThumbSize, QImage::Format_RGB32);
    tile.fill(colour);
    return tile;
}

// Strip files are JPEG: colours come back close, not exact.
bool Near(QRgb pixel, const QColor& expected, int tolerance = 24) {
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

QImage Paint(TThumbnailCacheMgr& cache, int position, int width) {
    QImage canvas(width, StripHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white); // shows what was not painted
    QPainter painter(&canvas);
    cache.PaintStrip(painter, position, width);
    return canvas;
}

// The centre pixel of slot i, painted through an 80-pixel view scrolled to it.
QRgb SlotCentre(TThumbnailCacheMgr& cache, int slot) {
    return Paint(cache, slot * SlotWidth / ScrollUnit, SlotWidth).pixel(40, 40);
}

QImage ReadStripFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(file.readAll());
    return jpeg.Image();
}

class BitmapCacheTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        TThumbnailCacheMgr::ResetCacheCounter();
    }
    std::unique_ptr<TThumbnailCacheMgr> MakeCache() {
        return std::make_unique<TThumbnailCacheMgr>(dir.path(), [this] { return now; });
    }
    QString PathIn(const char* name) const { return JoinPath(dir.path(), QLatin1String(name)); }

    QTemporaryDir dir;
    quint32 now = 1000;
};

TEST_F(BitmapCacheTest, SlotsLieAtTheirStripOffsetsWithATwoPixelMargin) {
    const struct {
        int slot, strip, x;
    } cases[] = {{0, 0, 2},    {1, 0, 82},      {149, 0, 11922}, {150, 1, 2},
                 {151, 1, 82}, {299, 1, 11922}, {300, 2, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot);
        auto cache = MakeCache();
        // A count that lets a 12000-pixel view show the whole strip, and the strip itself kept
        // in memory (the write slot), so its pixels are exact.
        const int count = (c.strip + 2) * StripSlots;
        cache->PutThumbnail(Tile(Qt::black), count - 1);
        cache->PutThumbnail(Tile(Qt::red), c.slot);
        EXPECT_EQ(cache->ThumbnailCount(), count);
        const QImage strip = Paint(*cache, c.strip * StripWidth / ScrollUnit, StripWidth);
        for (int y : {2, 40, 77}) {
            EXPECT_EQ(strip.pixel(c.x - 1, y), qRgb(0, 0, 0));
            EXPECT_EQ(strip.pixel(c.x, y), qRgb(255, 0, 0));
            EXPECT_EQ(strip.pixel(c.x + ThumbSize - 1, y), qRgb(255, 0, 0));
            EXPECT_EQ(strip.pixel(c.x + ThumbSize, y), qRgb(0, 0, 0));
        }
        EXPECT_EQ(strip.pixel(c.x, 1), qRgb(0, 0, 0));
        EXPECT_EQ(strip.pixel(c.x, 78), qRgb(0, 0, 0));
    }
}

TEST_F(BitmapCacheTest, PuttingSlot450IntoAnEmptyCacheLeavesStrips0To2Black) {
    auto cache = MakeCache();
    cache->PutThumbnail(Tile(SlotColour(450)), 450);
    EXPECT_EQ(cache->ThumbnailCount(), 451);
    ASSERT_EQ(cache->StripCount(), 4);
    EXPECT_EQ(cache->ResidentSlotOf(3), 3); // the write slot keeps it in memory
    // The strips before it were never drawn on: no file is written for them, and they read
    // back black.
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(cache->ResidentSlotOf(s), -1) << s;
        EXPECT_FALSE(QFile::exists(cache->StripFilePath(s))) << s;
    }
    for (int s = 0; s < 3; ++s)
        for (int slot : {s * StripSlots, s * StripSlots + 75, s * StripSlots + 149})
            EXPECT_TRUE(Near(SlotCentre(*cache, slot), Qt::black)) << slot;
    EXPECT_TRUE(Near(SlotCentre(*cache, 450), SlotColour(450), 0));
}

TEST_F(BitmapCacheTest, DefaultThumbnailsCostNoDiskUntilTheirStripIsUsed) {
    auto cache = MakeCache();
    cache->SetDefaultTile(Tile(Qt::darkCyan));
    for (int i = 0; i < 1000; ++i)
        cache->AddDefaultThumbnail();
    EXPECT_EQ(cache->ThumbnailCount(), 1000);
    EXPECT_EQ(cache->StripCount(), 7);
    for (int s = 0; s < 7; ++s)
        EXPECT_FALSE(QFile::exists(cache->StripFilePath(s)));
    // Rendered thumbnails replace defaults; the rest still show the default.
    cache->PutThumbnail(Tile(SlotColour(301)), 301);
    cache->AddDefaultThumbnail(); // slot 1000 lands in a strip not drawn yet
    for (int slot : {0, 149, 150, 300, 302, 999, 1000})
        EXPECT_TRUE(Near(SlotCentre(*cache, slot), Qt::darkCyan)) << slot;
    EXPECT_TRUE(Near(SlotCentre(*cache, 301), SlotColour(301)));
    // Deleting moves defaults like any other thumbnail.
    cache->DeleteThumbnail(300);
    EXPECT_TRUE(Near(SlotCentre(*cache, 300), SlotColour(301)));
    EXPECT_TRUE(Near(SlotCentre(*cache, 299), Qt::darkCyan));
    // A default added to a strip already drawn is drawn at once.
    cache->AddDefaultThumbnail();
    EXPECT_TRUE(Near(SlotCentre(*cache, 1000), Qt::darkCyan));
}

TEST_F(BitmapCacheTest, TheLeastRecentlyUsedReadStripIsWrittenOutAndReadBack) {
    auto cache = MakeCache();
    cache->PutThumbnail(Tile(Qt::black), 749); // strips 0..4, strip 4 held for writing
    now = 1;
    SlotCentre(*cache, 0); // strip 0 into read slot 0
    now = 2;
    for (int slot = 0; slot < 6; ++slot)
        cache->PutThumbnail(Tile(SlotColour(slot)), slot); // written into strip 0 where it is
    now = 3;
    SlotCentre(*cache, 150);
    now = 4;
    SlotCentre(*cache, 300);
    ASSERT_EQ(cache->ResidentSlotOf(0), 0);

    now = 5;
    SlotCentre(*cache, 450); // a fourth strip for reading: strip 0 is the oldest
    EXPECT_EQ(cache->ResidentSlotOf(0), -1);
    EXPECT_EQ(cache->ResidentSlotOf(3), 0);
    const QImage file = ReadStripFile(cache->StripFilePath(0));
    for (int slot = 0; slot < 6; ++slot)
        EXPECT_TRUE(Near(file.pixel(slot * SlotWidth + 40, 40), SlotColour(slot))) << slot;

    for (int slot = 0; slot < 6; ++slot)
        EXPECT_TRUE(Near(SlotCentre(*cache, slot), SlotColour(slot))) << slot;
}

TEST_F(BitmapCacheTest, EvictionTakesTheOldestTickAndTheLowestSlotOfEqualOnes) {
    const struct {
        quint32 tick0, tick1, tick2, tickNow;
        int evictedStrip;
    } cases[] = {
        {10, 20, 30, 40, 0},        {30, 10, 20, 40, 1},
        {30, 20, 10, 40, 2},        {7, 7, 7, 7, 0}, // all as old as now: slot 0
        {20, 10, 10, 30, 1},                         // of two equally old, the lower slot
        {0xFFFFFFF0u, 5, 9, 20, 0},                  // older than the counter's wrap-around
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tick0 << " " << c.tick1 << " " << c.tick2);
        auto cache = MakeCache();
        cache->PutThumbnail(Tile(Qt::black), 749);
        now = c.tick0;
        SlotCentre(*cache, 0);
        now = c.tick1;
        SlotCentre(*cache, 150);
        now = c.tick2;
        SlotCentre(*cache, 300);
        now = c.tickNow;
        SlotCentre(*cache, 450);
        EXPECT_EQ(cache->ResidentSlotOf(c.evictedStrip), -1);
        EXPECT_EQ(cache->ResidentSlotOf(3), c.evictedStrip); // strip s sat in slot s
    }
}

TEST_F(BitmapCacheTest, DeletingSlot149Of151MovesSlot150IntoStrip0) {
    auto cache = MakeCache();
    for (int slot = 0; slot < 151; ++slot)
        cache->AddThumbnail(Tile(SlotColour(slot)));
    cache->DeleteThumbnail(149);
    EXPECT_EQ(cache->ThumbnailCount(), 150);
    EXPECT_TRUE(Near(SlotCentre(*cache, 149), SlotColour(150)));
    EXPECT_TRUE(Near(SlotCentre(*cache, 148), SlotColour(148)));
    // Strip 1's first slot now holds what its second held: nothing yet, black.
    cache->PutThumbnail(Tile(Qt::white), 151);
    EXPECT_TRUE(Near(SlotCentre(*cache, 150), Qt::black, 0));

    for (int outside : {-1, 152, 1000})
        cache->DeleteThumbnail(outside);
    EXPECT_EQ(cache->ThumbnailCount(), 152);
}

TEST_F(BitmapCacheTest, DeletingMovesEverySlotAcrossStripsWithAFrozenClock) {
    // Every strip is acquired in the same millisecond, so the eviction rule alone would pick
    // slot 0 for the second strip of each copy step, the very strip being copied into.
    auto cache = MakeCache();
    const int count = 751;
    for (int slot = 0; slot < count; ++slot)
        cache->AddThumbnail(Tile(SlotColour(slot)));
    for (int slot : {300, 450, 600})
        SlotCentre(*cache, slot); // read slots: strips 2, 3, 4
    cache->DeleteThumbnail(0);
    EXPECT_EQ(cache->ThumbnailCount(), count - 1);
    for (int slot : {0, 1, 148, 149, 150, 298, 299, 300, 449, 450, 599, 600, 748, 749})
        EXPECT_TRUE(Near(SlotCentre(*cache, slot), SlotColour(slot + 1))) << slot;
}

TEST_F(BitmapCacheTest, ThreeThumbnailsIn600PixelsShowTheBlackRestOfStrip0) {
    auto cache = MakeCache();
    for (int slot = 0; slot < 3; ++slot)
        cache->AddThumbnail(Tile(SlotColour(slot)));
    const QImage view = Paint(*cache, 0, 600);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(view.pixel(slot * 80 + 2, 2), SlotColour(slot).rgb());
        EXPECT_EQ(view.pixel(slot * 80 + 1, 40), qRgb(0, 0, 0));
    }
    for (int x : {240, 400, 599})
        EXPECT_EQ(view.pixel(x, 40), qRgb(0, 0, 0));
}

TEST_F(BitmapCacheTest, PaintingHoldsAnOvershootingPositionAtTheEnd) {
    const struct {
        int count, position, width, slot, x; // slot's thumbnail starts at canvas x
    } cases[] = {
        {20, 1000, 600, 19, 522},   // last thumbnail flush right (2 pixels of margin)
        {151, 1000, 600, 150, 522}, // the held-back position lies in the previous strip
        {151, 1000, 600, 149, 442}, {20, -5, 600, 0, 2}, // before the start
        {3, 50, 600, 0, 2},                              // fewer thumbnails than the view holds
        {300, 597, 600, 149, -18}, // not overshooting: across a strip boundary
        {300, 597, 600, 150, 62},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " at " << c.position);
        auto cache = MakeCache();
        for (int slot = 0; slot < c.count; ++slot)
            cache->AddThumbnail(Tile(SlotColour(slot)));
        const QImage view = Paint(*cache, c.position, c.width);
        const int centre = c.x + ThumbSize / 2;
        ASSERT_TRUE(centre >= 0 && centre < c.width);
        EXPECT_TRUE(Near(view.pixel(centre, 40), SlotColour(c.slot)));
        if (c.x + ThumbSize < c.width) {
            EXPECT_TRUE(Near(view.pixel(c.x + ThumbSize + 1, 40), Qt::black));
        }
    }
}

TEST_F(BitmapCacheTest, CachesAreNumberedInCreationOrder) {
    auto first = MakeCache();
    auto second = MakeCache();
    EXPECT_EQ(first->CacheBase(), PathIn("tn001"));
    EXPECT_EQ(second->CacheBase(), PathIn("tn002"));
    second->PutThumbnail(Tile(Qt::red), 0);
    second->PutThumbnail(Tile(Qt::red), 300); // strip 0 leaves the write slot for its file
    EXPECT_TRUE(QFile::exists(PathIn("tn002000.jpg")));
    second->PutThumbnail(Tile(Qt::red), 150);
    EXPECT_TRUE(QFile::exists(PathIn("tn002002.jpg")));

    TThumbnailCacheMgr inTempFolder;
    EXPECT_EQ(inTempFolder.CacheBase(), JoinPath(TempFolder(), QStringLiteral("tn003")));
}

TEST_F(BitmapCacheTest, DestructionDeletesEveryStripFile) {
    auto cache = MakeCache();
    for (int slot : {0, 150, 300, 450, 0})
        cache->PutThumbnail(Tile(Qt::red), slot); // each strip leaves the write slot in turn
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    auto other = MakeCache();
    other->PutThumbnail(Tile(Qt::red), 0);
    other->PutThumbnail(Tile(Qt::red), 150);
    cache.reset();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("tn002000.jpg")});
}

TEST_F(BitmapCacheTest, AStripFileDeletedBehindTheCachesBackReadsBackBlack) {
    auto cache = MakeCache();
    cache->PutThumbnail(Tile(SlotColour(0)), 0);
    cache->PutThumbnail(Tile(SlotColour(150)), 150); // strip 0 goes to its file
    ASSERT_TRUE(QFile::remove(cache->StripFilePath(0)));
    EXPECT_TRUE(Near(SlotCentre(*cache, 0), Qt::black, 0));
    cache->PutThumbnail(Tile(SlotColour(1)), 1);
    EXPECT_TRUE(Near(SlotCentre(*cache, 1), SlotColour(1), 0));
}

TEST_F(BitmapCacheTest, ADamagedStripFileIsReportedOnceAndReadsBackBlack) {
    auto cache = MakeCache();
    cache->PutThumbnail(Tile(SlotColour(0)), 0);
    cache->PutThumbnail(Tile(SlotColour(150)), 150);
    QFile file(cache->StripFilePath(0));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a picture");
    file.close();
    EXPECT_THROW(SlotCentre(*cache, 0), AppError);
    EXPECT_TRUE(Near(SlotCentre(*cache, 0), Qt::black, 0));
}

TEST_F(BitmapCacheTest, AFailedWriteRaisesAppErrorAndLosesNothing) {
    // The cache's folder disappears, or a file takes its place.
    const struct {
        const char* what;
        bool replaceByFile;
    } cases[] = {{"folder removed", false}, {"folder replaced by a file", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = PathIn("strips");
        ASSERT_TRUE(QDir().mkpath(folder));
        auto cache = std::make_unique<TThumbnailCacheMgr>(folder, [this] { return now; });
        cache->PutThumbnail(Tile(SlotColour(0)), 0);
        ASSERT_TRUE(QDir(folder).removeRecursively());
        if (c.replaceByFile) {
            QFile blocker(folder);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }

        // Strip 0 must leave the write slot for strip 1, and cannot be written.
        EXPECT_THROW(cache->PutThumbnail(Tile(SlotColour(150)), 150), AppError);
        EXPECT_EQ(cache->ResidentSlotOf(0), 3);
        EXPECT_TRUE(Near(SlotCentre(*cache, 0), SlotColour(0), 0));
        // Another strip that needs the write slot fails the same way.
        EXPECT_THROW(cache->PutThumbnail(Tile(SlotColour(600)), 600), AppError);

        QFile::remove(folder);
        ASSERT_TRUE(QDir().mkpath(folder));
        cache->PutThumbnail(Tile(SlotColour(150)), 150);
        cache->PutThumbnail(Tile(SlotColour(600)), 600);
        EXPECT_EQ(cache->ThumbnailCount(), 601);
        for (int slot : {0, 150, 600})
            EXPECT_TRUE(Near(SlotCentre(*cache, slot), SlotColour(slot))) << slot;
        cache.reset();
        EXPECT_TRUE(QDir(folder).isEmpty());
        ASSERT_TRUE(QDir(folder).removeRecursively());
    }
}

} // namespace
