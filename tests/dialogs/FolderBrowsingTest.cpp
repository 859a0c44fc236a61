// SPDX-License-Identifier: MIT
// What the folder browsers list under a file mask, the names of new folders and the folders a
// folder combo offers; and the list model's renaming and thumbnails. No window.
#include "dialogs/FolderBrowsing.h"
#include "dialogs/ShellListModel.h"
#include "imaging/Bitmap.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureSaving.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

class FolderBrowsingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        folder = temp.path();
    }
    void Touch(const char* name, QByteArrayView content = "x") {
        QFile file(JoinPath(folder, Text(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.data(), content.size());
    }
    void MakeFolder(const char* name) { ASSERT_TRUE(QDir(folder).mkdir(Text(name))); }

    QTemporaryDir temp;
    QString folder;
};

QStringList Names(const QList<ShellEntry>& entries) {
    QStringList names;
    for (const ShellEntry& entry : entries)
        names << entry.name + (entry.folder ? QStringLiteral("/") : QString());
    return names;
}

} // namespace

TEST(FolderBrowsingRulesTest, MaskMatchesAnyOfItsPatternsIgnoringLetterCase) {
    const struct {
        const char* name;
        const char* mask;
        bool expected;
    } cases[] = {
        {"a.jpg", "*.jpeg;*.jpg", true},
        {"a.JPEG", "*.jpeg;*.jpg", true},
        {"a.jpg.txt", "*.jpg", false},
        {"a.png", "*.jpeg;*.jpg", false},
        {"jpg", "*.jpg", false},
        {".jpg", "*.jpg", true},
        {"Tom & Jerry.gif", "*.gif", true},
        {"a.bmp", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesFileMask(Text(c.name), Text(c.mask)), c.expected)
            << c.name << " / " << c.mask;
}

TEST(FolderBrowsingRulesTest, ParentsAndComboEntries) {
    EXPECT_EQ(ParentFolder(QStringLiteral("/a/b")), QStringLiteral("/a"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/a/b/")), QStringLiteral("/a"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/a")), QStringLiteral("/"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/")), QString());

    const QList<FolderComboEntry> entries = FolderComboEntries(
        QStringLiteral("/home/u/R&D"),
        {QStringLiteral("/home/u"), QStringLiteral("/home/u/Pictures"), QString()});
    const struct {
        const char* path;
        const char* caption;
        int depth;
    } expected[] = {{"/", "/", 0},
                    {"/home", "home", 1},
                    {"/home/u", "u", 2},
                    {"/home/u/R&D", "R&D", 3},
                    {"/home/u/Pictures", "Pictures", 0}};
    ASSERT_EQ(entries.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(entries[i].path, Text(expected[i].path)) << i;
        EXPECT_EQ(entries[i].caption, Text(expected[i].caption)) << i;
        EXPECT_EQ(entries[i].depth, expected[i].depth) << i;
    }
}

TEST_F(FolderBrowsingTest, ListsVisibleFoldersFirstThenMatchingFiles) {
    for (const char* name : {"b.JPG", "a.jpeg", "c.png", "notes.txt", ".hidden.jpg", "Z.jpg"})
        Touch(name);
    for (const char* name : {"zoo", "Album.jpg", ".cache"})
        MakeFolder(name);
    EXPECT_EQ(Names(ListShellEntries(folder, QStringLiteral("*.jpeg;*.jpg"))),
              (QStringList{Text("Album.jpg/"), Text("zoo/"), Text("a.jpeg"), Text("b.JPG"),
                           Text("Z.jpg")}));
    EXPECT_EQ(Names(ListShellEntries(folder, QStringLiteral("*.png"))),
              (QStringList{Text("Album.jpg/"), Text("zoo/"), Text("c.png")}));
    EXPECT_TRUE(ListShellEntries(JoinPath(folder, QStringLiteral("gone")), QStringLiteral("*.png"))
                    .isEmpty());
}

TEST_F(FolderBrowsingTest, NewFolderTakesTheFirstFreeDefaultName) {
    EXPECT_EQ(FreeNewFolderName(folder), QStringLiteral("New Folder"));
    MakeFolder("New Folder");
    EXPECT_EQ(FreeNewFolderName(folder), QStringLiteral("New Folder (2)"));
    Touch("New Folder (2)"); // a file takes the name as well
    ASSERT_TRUE(QFile::link(JoinPath(folder, QStringLiteral("nowhere")),
                            JoinPath(folder, QStringLiteral("New Folder (3)"))));
    EXPECT_EQ(FreeNewFolderName(folder), QStringLiteral("New Folder (4)"));
}

TEST_F(FolderBrowsingTest, ListModelShowsColumnsAndRenamesWithoutReplacing) {
    Touch("a.png", QByteArray(2048, 'x'));
    Touch("b.png");
    MakeFolder("sub");
    TShellListModel model;
    model.List(folder, QStringLiteral("*.png"));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(0, TShellListModel::TypeColumn).data().toString(),
              QStringLiteral("File Folder"));
    EXPECT_EQ(model.index(1, TShellListModel::TypeColumn).data().toString(),
              QStringLiteral("PNG Image"));
    EXPECT_TRUE(model.index(1, TShellListModel::SizeColumn)
                    .data()
                    .toString()
                    .startsWith(QStringLiteral("2.00 KB")));
    EXPECT_EQ(model.PathOf(1), JoinPath(folder, QStringLiteral("a.png")));
    EXPECT_EQ(model.RowOf(QStringLiteral("B.PNG"), Qt::CaseInsensitive), 2);
    EXPECT_EQ(model.RowOf(QStringLiteral("B.PNG")), -1);

    QSignalSpy failed(&model, &TShellListModel::RenameFailed);
    QSignalSpy renamed(&model, &TShellListModel::Renamed);
    // Onto an existing file: refused, both files stay as they were.
    EXPECT_FALSE(model.setData(model.index(1, 0), QStringLiteral("b.png")));
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(QFileInfo(JoinPath(folder, QStringLiteral("a.png"))).size(), 2048);
    EXPECT_EQ(QFileInfo(JoinPath(folder, QStringLiteral("b.png"))).size(), 1);
    // A name that leaves the folder is refused.
    EXPECT_FALSE(model.setData(model.index(1, 0), QStringLiteral("../a.png")));
    EXPECT_EQ(failed.count(), 2);

    EXPECT_TRUE(model.setData(model.index(1, 0), QStringLiteral("c.png")));
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(model.Entry(1).name, QStringLiteral("c.png"));
    EXPECT_TRUE(QFileInfo::exists(JoinPath(folder, QStringLiteral("c.png"))));
    EXPECT_FALSE(QFileInfo::exists(JoinPath(folder, QStringLiteral("a.png"))));
}

TEST_F(FolderBrowsingTest, ListModelShowsThumbnailsOfReadableImagesOnly) {
    QImage wide(300, 150, QImage::Format_RGB32);
    wide.fill(Qt::red);
    SavePictureAs(TBitmap(wide), JoinPath(folder, QStringLiteral("wide.png")));
    Touch("broken.png", "not a picture");
    TShellListModel model;
    model.List(folder, QStringLiteral("*.png"));
    ASSERT_EQ(model.rowCount(), 2);
    const QModelIndex broken = model.index(0, 0);
    const QModelIndex picture = model.index(1, 0);
    const auto shown = [](const QModelIndex& index) {
        return index.data(Qt::DecorationRole).value<QIcon>().pixmap(76, 76).toImage();
    };
    EXPECT_NE(shown(picture).pixelColor(38, 38), QColor(Qt::red));

    // Fitted into 76 x 38 and centred in the square: red in the middle, clear above.
    model.SetThumbnails(true);
    const QImage thumbnail = shown(picture);
    EXPECT_EQ(thumbnail.size(), QSize(76, 76));
    EXPECT_EQ(thumbnail.pixelColor(38, 38), QColor(Qt::red));
    EXPECT_EQ(thumbnail.pixelColor(0, 19), QColor(Qt::red));
    EXPECT_EQ(thumbnail.pixelColor(38, 10).alpha(), 0);
    EXPECT_EQ(picture.data(Qt::SizeHintRole).toSize(), TShellListModel::ThumbnailCellSize());
    EXPECT_NE(shown(broken).pixelColor(38, 38), QColor(Qt::red));
}
