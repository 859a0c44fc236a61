// SPDX-License-Identifier: MIT
// One slice of thumbnail rendering: visible-first order, the backward search, the error
// thumbnail, centring, and what the slice reports for pacing. A slice that finishes every file
// ends with a pass that finds nothing, so it reports found = false; the flags of its last
// working pass stay.
#include "folderview/LoadSlice.h"
#include "folderview/BitmapCache.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FakeWork : public LoaderWork {
public:
    QString folder;
    QStringList files;
    QStringList order;
    QStringList loaded;                // in the order the slice finished them
    QMap<QString, QString> dimensions; // name -> dimension text
    QMap<int, QImage> tiles;           // slot -> last tile stored
    QImage errorTile = QImage(ThumbSize, ThumbSize, QImage::Format_RGB32);

    FakeWork() { errorTile.fill(Qt::red); }
    QString FolderPath() const override { return folder; }
    const QStringList& ImageFiles() const override { return files; }
    const QStringList& ListOrder() const override { return order; }
    bool IsLoaded(const QString& name) const override { return loaded.contains(name); }
    int LoadedCount() const override { return static_cast<int>(loaded.size()); }
    void PutThumbnail(const QImage& tile, int index) override { tiles[index] = tile; }
    void MarkLoaded(const QString& name, const QString& text) override {
        loaded << name;
        dimensions[name] = text;
    }
    const QImage& ErrorThumbnail() const override { return errorTile; }
};

class FakeHost : public FolderViewHost {
public:
    int scroll = 0;
    int width = 800;
    bool filmstrip = true;
    bool floating = false;
    bool current = true;
    int topRow = -1;
    int redraws = 0;
    int ThumbScrollPosition() const override { return scroll; }
    int ThumbImageWidth() const override { return width; }
    bool FilmstripVisible() const override { return filmstrip; }
    bool IsFloating() const override { return floating; }
    ListStyle AdvancedListStyle() const override { return ListStyle::Details; }
    int ListTopRow() const override { return topRow; }
    bool IsCurrentFolder() const override { return current; }
    void RedrawStrip() override { ++redraws; }
};

class LoadSliceTest : public testing::Test {
protected:
    QTemporaryDir dir;
    FakeWork work;
    FakeHost host;
    void SetUp() override { work.folder = dir.path(); }
    // Names of files that do not exist: each is finished at once, so the order shows.
    void ListMissingFiles(int count) {
        for (int i = 0; i < count; ++i)
            work.files << QStringLiteral("f%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        work.order = work.files;
    }
    QString Name(int i) const { return work.files.at(i); }
};

TEST_F(LoadSliceTest, RendersFromTheFirstVisibleFileForward) {
    ListMissingFiles(300);
    TLoadSlice slice(work, host);
    slice.Run(true);
    ASSERT_GE(work.loaded.size(), 3);
    EXPECT_EQ(work.loaded.mid(0, 3), (QStringList{Name(0), Name(1), Name(2)}));
}

TEST_F(LoadSliceTest, ScrollingMovesTheNextPassToTheNewFirstVisibleFile) {
    ListMissingFiles(300);
    work.loaded << Name(0) << Name(1);
    host.scroll = 200; // 200 x 20 / 80 = first visible index 50
    TLoadSlice slice(work, host);
    slice.Run(true);
    EXPECT_EQ(work.loaded.at(2), Name(50));
    EXPECT_EQ(work.loaded.at(3), Name(51));
}

TEST_F(LoadSliceTest, EarlierFilesFollowDownwardOnceTheRestIsDone) {
    ListMissingFiles(10);
    host.scroll = 20; // first visible index 5
    TLoadSlice slice(work, host);
    slice.Run(true);
    const QStringList expected = {Name(5), Name(6), Name(7), Name(8), Name(9),
                                  Name(4), Name(3), Name(2), Name(1), Name(0)};
    EXPECT_EQ(work.loaded, expected);
}

TEST_F(LoadSliceTest, FloatingListsFollowTheListOrderFromTheTopRow) {
    ListMissingFiles(6);
    work.order = {Name(5), Name(4), Name(3), Name(2), Name(1), Name(0)};
    host.floating = true;
    host.topRow = 2;
    TLoadSlice slice(work, host);
    slice.Run(true);
    EXPECT_EQ(work.loaded, (QStringList{Name(3), Name(2), Name(1), Name(0), Name(4), Name(5)}));
}

TEST_F(LoadSliceTest, ADamagedFileGetsTheErrorThumbnailOnce) {
    QFile bad(dir.filePath(QStringLiteral("bad.jpg")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no jpeg");
    bad.close();
    work.files = work.order = {QStringLiteral("bad.jpg"), QStringLiteral("gone.png")};
    TLoadSlice slice(work, host);
    slice.Run(true);
    ASSERT_TRUE(work.tiles.contains(0));
    EXPECT_EQ(work.tiles[0], work.errorTile);
    EXPECT_FALSE(work.tiles.contains(1)); // a vanished file gets no thumbnail at all
    EXPECT_EQ(work.loaded, (QStringList{QStringLiteral("bad.jpg"), QStringLiteral("gone.png")}));
    // Nothing is left to do: no retry.
    EXPECT_FALSE(slice.Run(true).found);
    EXPECT_EQ(work.loaded.size(), 2);
}

TEST_F(LoadSliceTest, ARenderedThumbnailIsCentredOnBlack) {
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(dir.filePath(QStringLiteral("wide.png"))));
    work.files = work.order = {QStringLiteral("wide.png")};
    TLoadSlice slice(work, host);
    slice.Run(true);
    EXPECT_EQ(work.dimensions.value(QStringLiteral("wide.png")), QStringLiteral("100x50"));
    const QImage tile = work.tiles.value(0);
    ASSERT_EQ(tile.size(), QSize(ThumbSize, ThumbSize));
    // 100 x 50 fits as 76 x 38, placed at y = 19.
    EXPECT_EQ(QColor(tile.pixel(38, 18)), QColor(Qt::black));
    EXPECT_EQ(QColor(tile.pixel(38, 19)), QColor(Qt::white));
    EXPECT_EQ(QColor(tile.pixel(38, 56)), QColor(Qt::white));
    EXPECT_EQ(QColor(tile.pixel(38, 57)), QColor(Qt::black));
    EXPECT_EQ(host.redraws, 1); // slot 0 is visible
}

TEST_F(LoadSliceTest, OffScreenWorkIsReportedSlowAndNotRedrawn) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    for (int i = 0; i < 30; ++i) {
        const QString name = QStringLiteral("p%1.png").arg(i, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(image.save(dir.filePath(name)));
        work.files << name;
    }
    work.order = work.files;
    host.width = 160; // two slots visible
    for (int i = 0; i < 25; ++i)
        work.loaded << work.files.at(i); // everything visible is done already
    TLoadSlice slice(work, host);
    const SliceOutcome outcome = slice.Run(true);
    EXPECT_EQ(work.loaded.size(), 30);
    EXPECT_TRUE(outcome.slow);
    EXPECT_FALSE(outcome.background);
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(LoadSliceTest, AFolderTheViewerDoesNotFollowIsBackgroundWork) {
    ListMissingFiles(3);
    host.current = false;
    TLoadSlice slice(work, host);
    EXPECT_TRUE(slice.Run(true).background);
    EXPECT_EQ(work.loaded.size(), 3);
}

TEST_F(LoadSliceTest, NothingIsRenderedWhileTheDockedFilmstripIsHidden) {
    ListMissingFiles(3);
    host.filmstrip = false;
    TLoadSlice slice(work, host);
    const SliceOutcome outcome = slice.Run(true);
    EXPECT_TRUE(outcome.slow);
    EXPECT_TRUE(work.loaded.isEmpty());
    host.floating = true; // the advanced window still shows the files
    slice.Run(true);
    EXPECT_EQ(work.loaded.size(), 3);
}

TEST_F(LoadSliceTest, NothingIsRenderedWhenStoppedOrTheFolderIsGone) {
    ListMissingFiles(3);
    TLoadSlice slice(work, host);
    EXPECT_FALSE(slice.Run(false).found);
    work.folder = dir.filePath(QStringLiteral("no-such-folder"));
    EXPECT_FALSE(slice.Run(true).found);
    EXPECT_TRUE(work.loaded.isEmpty());
}

} // namespace
