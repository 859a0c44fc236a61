// SPDX-License-Identifier: MIT
#include "imaging/ImageFormats.h"
#include "imaging/AppError.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* path;
    bool supported;
    bool saveable;
    const char* typeName;
};

const FormatCase FormatCases[] = {
    {"IMG_0001.JPG", true, true, "JPEG Image"},
    {"a.Jpeg", true, true, "JPEG Image"},
    {"/home/u/Pics/x.jpg", true, true, "JPEG Image"},
    {"icon.ICO", true, false, "Windows Icon"},
    {"b.bmp", true, true, "Bitmap"},
    {"c.PNG", true, true, "PNG Image"},
    {"d.wmf", true, true, "Windows Metafile Image"},
    {"e.emf", true, true, "Enhanced Metafile Image"},
    {"f.gif", true, true, "GIF Image"},
    {"g.pcx", true, true, "PCX Image"},
    {"readme", false, false, "Unknown"},
    {"picture.", false, false, "Unknown"},
    {"photo.jpg.txt", false, false, "Unknown"},
    {"/home/u/holiday.jpg/notes", false, false, "Unknown"},
    {"photo.tif", false, false, "Unknown"},
    {"", false, false, "Unknown"},
    {".jpg", true, true, "JPEG Image"}, // a hidden file named only by its extension
    {"x.jpeg ", false, false, "Unknown"},
    // Only the letters A to Z are folded: a dotless capital I is no "i".
    {"photo.J\xC4\xB0PG", false, false, "Unknown"},
};

TEST(ImageFormats, TestsAndTypeNamesFollowTheExtension) {
    for (const FormatCase& c : FormatCases) {
        const QString path = QString::fromUtf8(c.path);
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsSupportedImage(path), c.supported);
        EXPECT_EQ(IsSaveableImage(path), c.saveable);
        EXPECT_EQ(ImageTypeName(path), QString::fromLatin1(c.typeName));
    }
}

TEST(ImageFormats, ExtensionIsTakenFromTheLastComponentOnly) {
    EXPECT_EQ(ExtractExtension(QStringLiteral("/a.b/c")), QString());
    EXPECT_EQ(ExtractExtension(QStringLiteral("/a/Beach.JPG")), QStringLiteral(".jpg"));
    EXPECT_EQ(ExtractExtension(QStringLiteral("archive.tar.GZ")), QStringLiteral(".gz"));
    EXPECT_EQ(ExtractExtension(QStringLiteral("name.")), QStringLiteral("."));
}

TEST(ImageFormats, SaveKindFollowsTheExtensionInOrder) {
    const struct {
        const char* path;
        GraphicKind kind;
    } cases[] = {
        {"out.JPEG", GraphicKind::Jpeg},    {"out.jpg", GraphicKind::Jpeg},
        {"out.bmp", GraphicKind::Bitmap},   {"out.wmf", GraphicKind::Metafile},
        {"out.EMF", GraphicKind::Metafile}, {"out.png", GraphicKind::Png},
        {"out.gif", GraphicKind::Gif},      {"out.pcx", GraphicKind::Pcx},
        {"out.tga", GraphicKind::Bitmap},   {"noextension", GraphicKind::Bitmap},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(SaveKindForPath(QString::fromLatin1(c.path)), c.kind);
    }
    EXPECT_TRUE(IsEnhancedMetafilePath(QStringLiteral("x.EMF")));
    EXPECT_FALSE(IsEnhancedMetafilePath(QStringLiteral("x.wmf")));
}

TEST(ImageFormats, SavingAsIconIsRefusedInAnyLetterCase) {
    for (const char* path : {"out.ico", "OUT.ICO", "/tmp/a.Ico"}) {
        try {
            SaveKindForPath(QString::fromLatin1(path));
            ADD_FAILURE() << path << " was accepted";
        } catch (const AppError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Saving as an Icon is not supported"));
        }
    }
}

TEST(ImageFormats, ReadKindIsMissingForUnknownExtensions) {
    EXPECT_FALSE(ReadKindForPath(QStringLiteral("a.tif")).has_value());
    EXPECT_EQ(ReadKindForPath(QStringLiteral("a.ICO")), GraphicKind::Icon);
    EXPECT_EQ(ReadKindForPath(QStringLiteral("a.emf")), GraphicKind::Metafile);
}

TEST(ImageFormats, SaveFilterTables) {
    const QStringList expected = {
        QStringLiteral("JPEG Image (*.jpeg,*.jpg)"),
        QStringLiteral("Bitmap (*.bmp)"),
        QStringLiteral("PNG Image (*.png)"),
        QStringLiteral("Windows Metafile Image (*.wmf)"),
        QStringLiteral("Enhanced Metafile Image (*.emf)"),
        QStringLiteral("GIF Image (*.gif)"),
        QStringLiteral("PCX Image (*.pcx)"),
    };
    EXPECT_EQ(SaveFilterItemTexts(), expected);
    EXPECT_EQ(SaveFilterMasks(0), QStringLiteral("*.jpeg;*.jpg"));
    EXPECT_EQ(SaveDefaultExts(0), QStringLiteral(".jpg"));
    EXPECT_EQ(SaveFilterMasks(6), QStringLiteral("*.pcx"));
    EXPECT_EQ(SaveFilterMasks(7), QString());
    EXPECT_EQ(SaveDefaultExts(-1), QString());
    // Every default extension is saveable and matches its own mask.
    for (int i = 0; i < SaveFilterCount; ++i) {
        EXPECT_TRUE(IsSaveableImage(SaveDefaultExts(i)));
        EXPECT_TRUE(SaveFilterMasks(i).contains(QLatin1Char('*') + SaveDefaultExts(i)));
    }
}

TEST(ImageFormats, UnsupportedFormatMessage) {
    EXPECT_EQ(UnsupportedFormatHeadline(QStringLiteral("notes.txt")),
              QStringLiteral("notes.txt is not in a supported image format."));
    const QStringList lines = SupportedFormatLines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines.first(), QStringLiteral("The following image formats are supported:"));
    EXPECT_EQ(lines.at(3), QStringLiteral(" - Icon (.ico) (Read-only)"));
    EXPECT_EQ(lines.last(), QStringLiteral(" - PCX (.pcx)"));
}

TEST(ImageFormats, RegisteredExtensionsAreTheNineReadableOnes) {
    int count = 0;
    const RegisteredExtension* rows = RegisteredExtensions(&count);
    ASSERT_EQ(count, 9);
    EXPECT_STREQ(rows[0].extension, ".jpeg");
    EXPECT_STREQ(rows[3].description, "Windows Icon");
    for (int i = 0; i < count; ++i) {
        const QString ext = QString::fromLatin1(rows[i].extension);
        EXPECT_TRUE(IsSupportedImage(ext));
        EXPECT_EQ(ImageTypeName(ext), QString::fromLatin1(rows[i].description));
    }
}

TEST(JoinPath, PutsExactlyOneSeparatorBetweenFolderAndName) {
    const struct {
        const char* folder;
        const char* name;
        const char* joined;
    } cases[] = {
        {"/", "a.jpg", "/a.jpg"},
        {"/home/u/Pics", "a.jpg", "/home/u/Pics/a.jpg"},
        {"/home/u/Pics/", "a.jpg", "/home/u/Pics/a.jpg"},
        {"", "a.jpg", "/a.jpg"},
        {"/x", "/a.jpg", "/x//a.jpg"}, // the name is not inspected
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPath(QString::fromLatin1(c.folder), QString::fromLatin1(c.name)),
                  QString::fromLatin1(c.joined));
}

} // namespace
