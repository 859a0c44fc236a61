// SPDX-License-Identifier: MIT
// The new name made from a typed text, and the names a rename refuses.
#include "dialogs/RenameRules.h"
#include "imaging/AppError.h"

#include <gtest/gtest.h>

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(RenameRulesTest, TypedTextKeepsTheOldExtension) {
    const struct {
        const char* oldName;
        const char* typed;
        const char* expected; // nullptr: nothing to do
    } cases[] = {
        {"a.jpg", "b", "b.jpg"},
        {"a.jpg", "b.png", "b.jpg"}, // the extension never changes
        {"photo.JPG", "Photo2", "Photo2.JPG"},
        {"a.jpg", "my.photo", "my.jpg"},
        {"a.jpg", "a", nullptr},      // unchanged
        {"a.jpg", "", nullptr},       // empty
        {"a.jpg", "A", nullptr},      // letter case alone renames nothing
        {"a.jpg", "A.JPEG", nullptr}, // becomes A.jpg: letter case again
        {"Tom & Jerry.gif", "Tom && Jerry", "Tom && Jerry.gif"},
    };
    for (const auto& c : cases) {
        const std::optional<QString> result = RenamedFileName(Text(c.oldName), Text(c.typed));
        if (c.expected) {
            ASSERT_TRUE(result.has_value()) << c.oldName << " / " << c.typed;
            EXPECT_EQ(*result, Text(c.expected)) << c.oldName << " / " << c.typed;
        } else {
            EXPECT_FALSE(result.has_value()) << c.oldName << " / " << c.typed;
        }
    }
}

TEST(RenameRulesTest, NamesThatWouldLeaveTheFolderOrHideTheFileAreRefused) {
    for (const char* typed : {"../elsewhere", "sub/b", ".hidden", "/b"}) {
        try {
            RenamedFileName(QStringLiteral("a.jpg"), Text(typed));
            ADD_FAILURE() << typed << " accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("Unable to rename file.")) << typed;
        }
    }
}

TEST(RenameRulesTest, InPlaceRenameMustKeepTheExtension) {
    const struct {
        const char* oldName;
        const char* newName;
        const char* message; // nullptr: accepted
    } cases[] = {
        {"a.jpg", "b.JPG", nullptr},
        {"a.jpg", "b.jpg", nullptr},
        {"a.jpg", "b.png", "The file extension must match previous file extension."},
        {"a.jpg", "b", "The file extension must match previous file extension."},
        {"a.jpg", "x/b.jpg", "Unable to rename file."},
    };
    for (const auto& c : cases) {
        try {
            CheckInPlaceRename(Text(c.oldName), Text(c.newName));
            EXPECT_EQ(c.message, nullptr) << c.newName << " accepted";
        } catch (const AppError& error) {
            ASSERT_NE(c.message, nullptr) << c.newName << ": " << error.what();
            EXPECT_EQ(error.Message(), Text(c.message)) << c.newName;
        }
    }
    EXPECT_EQ(
        NameExistsMessage(),
        QStringLiteral("A file by this name already exists. Please choose a different name."));
}
