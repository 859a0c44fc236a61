// SPDX-License-Identifier: MIT
// Sorting the advanced list by its columns, without a window.
#include "folderview/FolderListSort.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

class FolderListSortTest : public testing::Test {
protected:
    FolderListModel rows{nullptr};
    const QDateTime base = QDateTime(QDate(2024, 5, 1), QTime(12, 0));

    void Add(const char* name, qint64 size, qint64 msecs, const char* dimensions) {
        const QString text = QString::fromLatin1(name);
        rows.AppendRow(text, size, base.addMSecs(msecs), -1);
        rows.SetDimensions(text, QString::fromLatin1(dimensions));
    }
    QStringList Sorted(int column, bool ascending) const {
        return SortedListOrder(rows, column, ascending);
    }
};

QStringList Names(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

TEST_F(FolderListSortTest, EachColumnSortsByItsOwnKey) {
    Add("b.png", 300, 2000, "10x10"); // area 100
    Add("A.gif", 100, 0, "");         // not rendered yet
    Add("c.jpg", 200, 1000, "5x30");  // area 150
    Add("a.bmp", 100, 3000, "x");     // unparseable
    const struct {
        int column;
        QStringList ascending;
    } cases[] = {
        // Names ignore ASCII case; equal keys keep their order (a stable sort).
        {FolderListModel::NameColumn, Names({"a.bmp", "A.gif", "b.png", "c.jpg"})},
        {FolderListModel::SizeColumn, Names({"A.gif", "a.bmp", "c.jpg", "b.png"})},
        {FolderListModel::TypeColumn, Names({"a.bmp", "A.gif", "c.jpg", "b.png"})},
        {FolderListModel::ModifiedColumn, Names({"A.gif", "c.jpg", "b.png", "a.bmp"})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sorted(c.column, true), c.ascending) << c.column;
        QStringList descending = c.ascending;
        std::reverse(descending.begin(), descending.end());
        if (c.column != FolderListModel::NameColumn && c.column != FolderListModel::SizeColumn) {
            EXPECT_EQ(Sorted(c.column, false), descending) << c.column;
        }
    }
}

TEST_F(FolderListSortTest, DimensionsCompareAreasAndFallBackToTheirTexts) {
    Add("big", 1, 0, "5x30");    // 150
    Add("small", 1, 0, "10x10"); // 100
    Add("empty", 1, 0, "");
    EXPECT_LT(CompareListRows(rows, QStringLiteral("small"), QStringLiteral("big"),
                              FolderListModel::DimensionsColumn),
              0);
    // Text comparison when either side has no area: "" before "10x10".
    EXPECT_LT(CompareListRows(rows, QStringLiteral("empty"), QStringLiteral("small"),
                              FolderListModel::DimensionsColumn),
              0);
    EXPECT_EQ(Sorted(FolderListModel::DimensionsColumn, true), Names({"empty", "small", "big"}));
}

TEST_F(FolderListSortTest, TimesLessThanAMillisecondApartAreEqual) {
    Add("first", 1, 0, "");
    Add("second", 1, 0, "");
    EXPECT_EQ(CompareListRows(rows, QStringLiteral("first"), QStringLiteral("second"),
                              FolderListModel::ModifiedColumn),
              0);
}

TEST(FolderListTextTest, OnlyAsciiLettersFoldCase) {
    EXPECT_EQ(CompareTextAsciiNoCase(QStringLiteral("ABC"), QStringLiteral("abc")), 0);
    EXPECT_LT(CompareTextAsciiNoCase(QStringLiteral("ab"), QStringLiteral("abc")), 0);
    EXPECT_NE(CompareTextAsciiNoCase(QStringLiteral("\u00C4"), QStringLiteral("\u00E4")), 0);
    EXPECT_LT(CompareTextAsciiNoCase(QStringLiteral("_"), QStringLiteral("a")), 0); // '_' < 'a'
}

} // namespace
