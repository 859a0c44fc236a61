// SPDX-License-Identifier: MIT
// The Open Image Folder dialog's answer, image listing and preview texts, without a window.
#include "dialogs/OpenFolderRules.h"
#include "imaging/GenUtilUnit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(OpenFolderRulesTest, SelectedPathIsTheFolderOrTheFolderAndImage) {
    const struct {
        const char* what;
        const char* tree;
        const char* box;
        const char* image;
        const char* expected;
    } cases[] = {
        {"image in the tree's folder", "/p/a", "/p/a", "x.jpg", "/p/a/x.jpg"},
        {"trailing separator typed", "/p/a", "/p/a/", "x.jpg", "/p/a/x.jpg"},
        {"no image", "/p/a", "/p/a", "", "/p/a/"},
        {"typed another folder", "/p/a", "/p/b", "x.jpg", "/p/b/"},
        {"letter case differs", "/p/a", "/P/a", "x.jpg", "/P/a/"},
        {"ampersand kept", "/p/Tom & Jerry", "/p/Tom & Jerry", "x.png", "/p/Tom & Jerry/x.png"},
        {"root", "/", "/", "x.png", "/x.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectedPathFor(QString::fromUtf8(c.tree), QString::fromUtf8(c.box),
                                  QString::fromUtf8(c.image)),
                  QString::fromUtf8(c.expected))
            << c.what;
}

TEST(OpenFolderRulesTest, ListsOnlyVisibleImageFilesSortedWithoutLetterCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"b.JPG", "a.png", "C.gif", "notes.txt", ".hidden.png", "d.pcx"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    EXPECT_EQ(ListImageNames(dir.path()),
              (QStringList{QStringLiteral("a.png"), QStringLiteral("b.JPG"),
                           QStringLiteral("C.gif"), QStringLiteral("d.pcx")}));
    EXPECT_TRUE(ListImageNames(dir.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST(OpenFolderRulesTest, PreviewLabels) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(KilobyteText(1536, english), QStringLiteral("1.50 KB"));
    EXPECT_EQ(KilobyteText(1536000, english), QStringLiteral("1,500.00 KB"));
    EXPECT_EQ(KilobyteText(6LL * 1024 * 1024 * 1024, english), QStringLiteral("6,291,456.00 KB"));

    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const PreviewLabels jpeg = PreviewLabelsFor(QStringLiteral("/p/x.JPEG"), 1, 3,
                                                QStringLiteral("640x480"), 1536, when, english);
    EXPECT_EQ(jpeg.imageNOf, QStringLiteral("Image #: 2 of 3"));
    EXPECT_EQ(jpeg.type, QStringLiteral("Type: JPEG Image"));
    EXPECT_EQ(jpeg.dimensions, QStringLiteral("Approx. Dimensions: 640x480"));
    EXPECT_EQ(jpeg.size, QStringLiteral("Size: 1.50 KB"));
    EXPECT_EQ(jpeg.modified,
              QStringLiteral("Modified Date: ") + english.toString(when, QLocale::ShortFormat));

    const PreviewLabels png = PreviewLabelsFor(QStringLiteral("/p/x.png"), 0, 1,
                                               QStringLiteral("40x30"), 0, when, english);
    EXPECT_EQ(png.dimensions, QStringLiteral("Dimensions: 40x30"));
    EXPECT_EQ(png.type, QStringLiteral("Type: PNG Image"));

    const PreviewLabels bare = EmptyPreviewLabels();
    EXPECT_EQ(QStringList({bare.imageNOf, bare.type, bare.dimensions, bare.size, bare.modified}),
              (QStringList{QStringLiteral("Image #:"), QStringLiteral("Type:"),
                           QStringLiteral("Dimensions:"), QStringLiteral("Size:"),
                           QStringLiteral("Modified Date:")}));
}

TEST(OpenFolderRulesTest, PreviewIsCentredVerticallyInItsBox) {
    SetScreenResolutionOverride(96);
    EXPECT_EQ(PreviewBoxWidth(), 185);
    EXPECT_EQ(PreviewBoxHeight(), 169);
    EXPECT_EQ(PreviewTop(169), 92);
    EXPECT_EQ(PreviewTop(100), 92 + 34); // 69 / 2, remainder dropped
    SetScreenResolutionOverride(144);
    EXPECT_EQ(PreviewBoxWidth(), 278); // 277.5 -> 278
    EXPECT_EQ(PreviewTop(254), 138);
    SetScreenResolutionOverride(0);
}
