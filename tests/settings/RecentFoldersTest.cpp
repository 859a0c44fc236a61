// SPDX-License-Identifier: MIT
#include "settings/RecentFolders.h"
#include "settings/RegistryUnit.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class RecentFoldersTest : public testing::Test {
protected:
    void SetUp() override { QFile::remove(SettingsStorePath()); }

    // A fresh list read back from the store, as the next start of the program sees it.
    static QStringList Stored(int maxItems = TRecentFolders::DefaultMaxItems) {
        TRecentFolders list(maxItems);
        list.Load();
        return list.Items();
    }
};

TEST_F(RecentFoldersTest, MostRecentFirstAndAReopenedFolderMovesToTheFront) {
    TRecentFolders list;
    list.Load();
    EXPECT_TRUE(list.Items().isEmpty());
    for (const char* path : {"/a", "/b", "/c", "/a"})
        list.Add(QString::fromLatin1(path));
    const QStringList expected = {QStringLiteral("/a"), QStringLiteral("/c"), QStringLiteral("/b")};
    EXPECT_EQ(list.Items(), expected);
    EXPECT_EQ(Stored(), expected);
}

TEST_F(RecentFoldersTest, TheMaximumDropsTheOldestEntries) {
    TRecentFolders list(3);
    for (int i = 0; i < 5; ++i)
        list.Add(QStringLiteral("/f%1").arg(i));
    EXPECT_EQ(list.Items(),
              (QStringList{QStringLiteral("/f4"), QStringLiteral("/f3"), QStringLiteral("/f2")}));
    // A smaller maximum read back trims what is stored; a larger one keeps everything.
    EXPECT_EQ(Stored(2).size(), 2);
    EXPECT_EQ(Stored(10).size(), 3);
    list.SetMaxItems(1);
    EXPECT_EQ(Stored(), QStringList{QStringLiteral("/f4")});
    list.SetMaxItems(0);
    EXPECT_TRUE(Stored().isEmpty());
    list.Add(QStringLiteral("/g"));
    EXPECT_TRUE(list.Items().isEmpty());
}

TEST_F(RecentFoldersTest, TheMaximumIsHeldToOneByte) {
    const struct {
        int given;
        int kept;
    } cases[] = {{-5, 0}, {0, 0}, {20, 20}, {255, 255}, {256, 255}, {100000, 255}};
    for (const auto& c : cases) {
        TRecentFolders list(c.given);
        EXPECT_EQ(list.MaxItems(), c.kept) << c.given;
        list.SetMaxItems(c.given);
        EXPECT_EQ(list.MaxItems(), c.kept) << c.given;
    }
}

TEST_F(RecentFoldersTest, PathsSurviveWhateverTheyContain) {
    const QStringList odd = {
        QStringLiteral("/pics/Tom & Jerry"), QStringLiteral("/pics/&&"),
        QStringLiteral("/pics/line\nbreak"), QStringLiteral("/pics/\"quoted\""),
        QStringLiteral("/pics/Ünïcödé ✓"),   QStringLiteral("/pics/CASE"),
        QStringLiteral("/pics/case")};
    TRecentFolders list;
    for (auto it = odd.crbegin(); it != odd.crend(); ++it)
        list.Add(*it);
    EXPECT_EQ(list.Items(), odd);
    EXPECT_EQ(Stored(), odd);
}

TEST_F(RecentFoldersTest, RemoveTakesOnlyTheExactEntry) {
    TRecentFolders list;
    list.Add(QStringLiteral("/x/Pics"));
    list.Add(QStringLiteral("/x/pics"));
    EXPECT_FALSE(list.Remove(QStringLiteral("/x/PICS")));
    EXPECT_TRUE(list.Remove(QStringLiteral("/x/pics")));
    EXPECT_EQ(Stored(), QStringList{QStringLiteral("/x/Pics")});
    list.Add(QStringLiteral("/y"));
    list.DeleteFirst();
    EXPECT_EQ(Stored(), QStringList{QStringLiteral("/x/Pics")});
    list.Clear();
    EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(RecentFoldersTest, AnUnreadableStoredListReadsAsEmpty) {
    WriteRegSubString(QStringLiteral("RecentFolders"), QStringLiteral("Folders"),
                      QStringLiteral("not a list"));
    EXPECT_TRUE(Stored().isEmpty());
}

} // namespace
