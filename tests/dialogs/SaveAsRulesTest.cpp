// SPDX-License-Identifier: MIT
// The Save Image dialog's rules without a window: the filter a file selects, the extension a
// typed name ends up with, the checks on confirming and the preview texts.
#include "dialogs/SaveAsRules.h"
#include "imaging/ImageFormats.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(SaveAsRulesTest, FileExtensionSelectsTheFirstFilterWithThatDefault) {
    const struct {
        const char* path;
        int expected; // -1: the filter stays as it was
    } cases[] = {
        {"/p/a.jpg", 0}, {"/p/A.JPG", 0},  {"/p/a.jpeg", -1}, {"/p/a.bmp", 1},  {"/p/a.ico", 1},
        {"/p/a.ICO", 1}, {"/p/a.png", 2},  {"/p/a.wmf", 3},   {"/p/a.emf", 4},  {"/p/a.gif", 5},
        {"/p/a.pcx", 6}, {"/p/a.tif", -1}, {"/p/notes", -1},  {"/p.jpg/x", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterIndexForFile(Text(c.path)).value_or(-1), c.expected) << c.path;
}

TEST(SaveAsRulesTest, FilterChangeReplacesTheExtension) {
    const struct {
        const char* name;
        int filter;
        const char* expected;
    } cases[] = {
        {"photo.jpg", 2, "photo.png"},
        {"photo", 5, "photo.gif"},
        {"", 2, ""},
        {"my.picture", 0, "my.jpg"},
        {"a.b.c", 1, "a.b.bmp"},
        {"photo.", 6, "photo.pcx"},
        {"x.JPEG", 3, "x.wmf"},
        {"sub.d/photo", 4, "sub.d/photo.emf"},
        {"Tom & Jerry.gif", 0, "Tom & Jerry.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameForFilter(Text(c.name), c.filter), Text(c.expected))
            << c.name << " / " << c.filter;
}

TEST(SaveAsRulesTest, NameWithoutPeriodTakesTheFiltersExtensionOnConfirming) {
    const struct {
        const char* name;
        int filter;
        const char* expected;
    } cases[] = {
        {"photo", 5, "photo.gif"},
        {"photo.jpg", 5, "photo.jpg"},
        {"my.picture", 0, "my.picture"},
        {"", 0, ""},
        {"sub.d/photo", 0, "sub.d/photo.jpg"},
        {"photo.", 2, "photo."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameOnConfirm(Text(c.name), c.filter), Text(c.expected))
            << c.name << " / " << c.filter;
}

TEST(SaveAsRulesTest, ConfirmingRefusesUnwritableNamesAndAsksBeforeReplacing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    QFile existing(JoinPath(folder, QStringLiteral("old.png")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("album.jpg")));

    const struct {
        const char* typed;
        int filter;
        SaveNameCheck check;
        const char* name;
    } cases[] = {
        {"", 0, SaveNameCheck::Empty, ""},
        {"photo", 5, SaveNameCheck::Free, "photo.gif"},
        {"my.picture", 0, SaveNameCheck::Unsupported, "my.picture"},
        {"x.ico", 1, SaveNameCheck::Unsupported, "x.ico"},
        {"old.png", 0, SaveNameCheck::Exists, "old.png"},
        {"old", 2, SaveNameCheck::Exists, "old.png"},
        {"OLD.PNG", 2, SaveNameCheck::Free, "OLD.PNG"},         // another file on this system
        {"album.jpg", 0, SaveNameCheck::NotAFile, "album.jpg"}, // a folder cannot be replaced
        {"album", 0, SaveNameCheck::NotAFile, "album.jpg"},
        {"album", 2, SaveNameCheck::Free, "album.png"},
    };
    for (const auto& c : cases) {
        const SaveNameDecision decision = CheckSaveName(folder, Text(c.typed), c.filter);
        EXPECT_EQ(decision.check, c.check) << c.typed;
        EXPECT_EQ(decision.name, Text(c.name)) << c.typed;
        if (c.check != SaveNameCheck::Empty)
            EXPECT_EQ(decision.path, JoinPath(folder, Text(c.name))) << c.typed;
    }

    EXPECT_EQ(UnsupportedSaveFormatMessage(QStringLiteral("/p/my.picture")),
              QStringLiteral("/p/my.picture is not a supported save format!"));
    EXPECT_EQ(ReplaceFileQuestion(QStringLiteral("/p/old.png")),
              QStringLiteral("/p/old.png already exists!\n\rDo you you want to replace it?"));
    const QString album = JoinPath(folder, QStringLiteral("album.jpg"));
    EXPECT_EQ(NotAFileMessage(album), album + QStringLiteral(" is a folder."));
}

TEST(SaveAsRulesTest, AFolderThatHasGoneGivesWayToItsNearestExistingParent) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("a/b")));
    QFile file(JoinPath(root, QStringLiteral("a/notes.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const struct {
        const char* folder; // below the temporary folder
        const char* expected;
    } cases[] = {
        {"a/b", "a/b"},
        {"a/b/gone", "a/b"},
        {"a/gone/deeper/still", "a"},
        {"a/notes.txt/x", "a"}, // a file on the way is no folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestExistingFolder(JoinPath(root, Text(c.folder))),
                  JoinPath(root, Text(c.expected)))
            << c.folder;
    EXPECT_EQ(NearestExistingFolder(QStringLiteral("nowhere/at/all")), std::nullopt);
    EXPECT_EQ(NearestExistingFolder(QString()), std::nullopt);
}

TEST(SaveAsRulesTest, OnlyExistingWritableFilesArePreviewed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.jpg", "b.ico", "c.txt"}) {
        QFile file(dir.filePath(Text(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.png")));
    EXPECT_TRUE(IsPreviewableSaveFile(dir.filePath(QStringLiteral("a.jpg"))));
    EXPECT_FALSE(IsPreviewableSaveFile(dir.filePath(QStringLiteral("b.ico"))));
    EXPECT_FALSE(IsPreviewableSaveFile(dir.filePath(QStringLiteral("c.txt"))));
    EXPECT_FALSE(IsPreviewableSaveFile(dir.filePath(QStringLiteral("d.png"))));
    EXPECT_FALSE(IsPreviewableSaveFile(dir.filePath(QStringLiteral("gone.png"))));
}

TEST(SaveAsRulesTest, PreviewLabels) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const SavePreviewLabels jpeg =
        SavePreviewLabelsFor(QStringLiteral("/p/x.JPG"), QStringLiteral("640x480"), 1536, when);
    const SavePreviewLabels png =
        SavePreviewLabelsFor(QStringLiteral("/p/x.png"), QStringLiteral("40x30"), 1536000, when);
    const SavePreviewLabels bare = EmptySavePreviewLabels();
    QLocale::setDefault(saved);

    EXPECT_EQ(jpeg.dimensions, QStringLiteral("Approx. Dimensions: 640x480"));
    EXPECT_EQ(jpeg.size, QStringLiteral("Size: 1.50 KB"));
    // The short date and the long time.
    EXPECT_TRUE(jpeg.modified.startsWith(QStringLiteral("Modified Date: 3/5/24 2:07:09")))
        << jpeg.modified.toStdString();
    EXPECT_EQ(png.dimensions, QStringLiteral("Dimensions: 40x30"));
    EXPECT_EQ(png.size, QStringLiteral("Size: 1,500.00 KB"));
    EXPECT_EQ(QStringList({bare.dimensions, bare.size, bare.modified}),
              (QStringList{QStringLiteral("Dimensions:"), QStringLiteral("Size:"),
                           QStringLiteral("Modified Date:")}));
}
