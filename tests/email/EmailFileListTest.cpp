// SPDX-License-Identifier: MIT
// The wizard's file list: each path once, names as added, rows removed in any order.
#include "email/EmailFileList.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(EmailFileListTest, EachPathIsListedOnce) {
    TEmailFileList list;
    EXPECT_EQ(list.Add(S("/a"), {S("x.jpg"), S("y.png"), S("x.jpg")}),
              QStringList({S("x.jpg"), S("y.png")}));
    EXPECT_EQ(list.Add(S("/a/"), {S("y.png"), S("z.gif")}), QStringList({S("z.gif")}));
    // The same name in another folder is another file, and so is another letter case.
    EXPECT_EQ(list.Add(S("/b"), {S("x.jpg"), S("X.JPG")}), QStringList({S("x.jpg"), S("X.JPG")}));
    EXPECT_EQ(list.Paths(), QStringList({S("/a/x.jpg"), S("/a/y.png"), S("/a/z.gif"), S("/b/x.jpg"),
                                         S("/b/X.JPG")}));
    EXPECT_EQ(list.Names(),
              QStringList({S("x.jpg"), S("y.png"), S("z.gif"), S("x.jpg"), S("X.JPG")}));
}

TEST(EmailFileListTest, RowsAreRemovedWhateverTheirOrder) {
    TEmailFileList list;
    list.Add(S("/f"), {S("0.jpg"), S("1.jpg"), S("2.jpg"), S("3.jpg"), S("4.jpg")});
    list.RemoveRows({1, 4, 1, 3, 9, -1});
    EXPECT_EQ(list.Paths(), QStringList({S("/f/0.jpg"), S("/f/2.jpg")}));
    EXPECT_EQ(list.Names(), QStringList({S("0.jpg"), S("2.jpg")}));
    // A removed file can be added again.
    EXPECT_EQ(list.Add(S("/f"), {S("1.jpg")}), QStringList({S("1.jpg")}));
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.Names().isEmpty());
}
