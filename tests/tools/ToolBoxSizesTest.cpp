// SPDX-License-Identifier: MIT
// The resize entry's arithmetic: proportional sync between the edits, unit conversion, the
// size queries and their rounding, and reading the edits.
#include "tools/ToolBoxSizes.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// A 1024 x 768 image with both edits showing its size in pixels, proportions constrained.
class ToolBoxSizesTest : public ::testing::Test {
protected:
    void SetUp() override {
        sizes.SetImageSize({1024, 768});
        sizes.ResetSizes();
    }
    TToolBoxSizes sizes;
};

} // namespace

TEST_F(ToolBoxSizesTest, StartsFromTheImageSizeWithNothingToResize) {
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("1024"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("768"));
    EXPECT_TRUE(sizes.Proportional());
    EXPECT_FALSE(sizes.SizeChanged());
}

TEST_F(ToolBoxSizesTest, PixelEditsKeepTheImageProportions) {
    const struct {
        const char* typed;
        bool inWidth;
        const char* other;
    } cases[] = {
        {"800", true, "600"},  {"333", true, "250"}, // 249.75
        {"384", false, "512"}, {"1028", true, "771"}, {"", true, "0"}, {"12.5", true, "0"},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromLatin1(c.typed);
        if (c.inWidth)
            sizes.EditWidthChange(typed);
        else
            sizes.EditHeightChange(typed);
        EXPECT_EQ(c.inWidth ? sizes.HeightText() : sizes.WidthText(), QLatin1String(c.other))
            << c.typed;
        EXPECT_EQ(c.inWidth ? sizes.WidthText() : sizes.HeightText(), typed) << c.typed;
        EXPECT_FALSE(sizes.Syncing());
    }
}

TEST_F(ToolBoxSizesTest, ChangesUnderHalfAPercentCannotBeApplied) {
    sizes.EditWidthChange(QStringLiteral("1028"));
    EXPECT_EQ(sizes.WidthPercent(), 100);
    EXPECT_EQ(sizes.HeightPercent(), 100);
    EXPECT_FALSE(sizes.SizeChanged());
    sizes.EditWidthChange(QStringLiteral("800"));
    EXPECT_TRUE(sizes.SizeChanged());
}

TEST_F(ToolBoxSizesTest, SwitchingToPercentConvertsTheEditAndResyncsTheOther) {
    sizes.EditWidthChange(QStringLiteral("800"));
    sizes.CmbWidthTypeChange(TToolBoxSizes::Percent);
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("78"));   // 78.125
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("599")); // 768 x 0.78 = 599.04, not 600
    EXPECT_EQ(sizes.WidthPixels(), 799);                  // 798.72
    EXPECT_EQ(sizes.HeightPixels(), 599);

    // Choosing the unit again changes nothing; back to pixels converts once more.
    sizes.CmbWidthTypeChange(TToolBoxSizes::Percent);
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("78"));
    sizes.CmbWidthTypeChange(TToolBoxSizes::Pixels);
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("799"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("599")); // 599.25
}

TEST_F(ToolBoxSizesTest, MixedAndPercentUnitsFollowTheSyncTable) {
    // Height in percent, width in pixels: the height shows the width's percentage.
    sizes.CmbHeightTypeChange(TToolBoxSizes::Percent);
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("100"));
    sizes.EditWidthChange(QStringLiteral("512"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("50"));
    // The follow-up write does not write back: 333 px is 33 %, which would be 338 px.
    sizes.EditWidthChange(QStringLiteral("333"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("33"));
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("333"));

    // Both in percent: the text is copied as it is, even when it is no number.
    sizes.CmbWidthTypeChange(TToolBoxSizes::Percent);
    sizes.EditWidthChange(QStringLiteral("50"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("50"));
    sizes.EditHeightChange(QStringLiteral("12.5"));
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("12.5"));
    EXPECT_EQ(sizes.WidthPercent(), 0);

    // Width in percent, height in pixels: the height is that share of the image height.
    sizes.CmbHeightTypeChange(TToolBoxSizes::Pixels);
    sizes.EditWidthChange(QStringLiteral("50"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("384"));
}

TEST_F(ToolBoxSizesTest, WithoutConstrainedProportionsTheOtherEditStays) {
    sizes.SetProportional(false);
    sizes.EditWidthChange(QStringLiteral("800"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("768"));
    EXPECT_EQ(sizes.WidthPercent(), 78);
    EXPECT_EQ(sizes.HeightPercent(), 100);
    EXPECT_TRUE(sizes.SizeChanged());
}

TEST_F(ToolBoxSizesTest, ResetShowsTheImageInEachEditsUnit) {
    sizes.CmbWidthTypeChange(TToolBoxSizes::Percent);
    sizes.EditWidthChange(QStringLiteral("40"));
    sizes.SetImageSize({600, 400});
    sizes.ResetSizes();
    EXPECT_EQ(sizes.WidthText(), QStringLiteral("100"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("400"));
    EXPECT_FALSE(sizes.SizeChanged());

    // Without an image nothing is written.
    sizes.EditHeightChange(QStringLiteral("7"));
    sizes.SetImageSize({});
    sizes.ResetSizes();
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("7"));
}

TEST(ToolBoxSizesRounding, HalvesGoToTheEvenNeighbour) {
    TToolBoxSizes sizes;
    sizes.SetImageSize({10, 5});
    sizes.ResetSizes();
    const struct {
        const char* width;
        const char* height;
    } cases[] = {{"5", "2"}, {"3", "2"}, {"7", "4"}, {"9", "4"}};
    for (const auto& c : cases) {
        sizes.EditWidthChange(QLatin1String(c.width));
        EXPECT_EQ(sizes.HeightText(), QLatin1String(c.height)) << c.width;
    }
}

TEST(ToolBoxSizesLimits, NoImageAndHugeNumbersGiveNoNonsense) {
    TToolBoxSizes sizes;
    sizes.EditWidthChange(QStringLiteral("800"));
    EXPECT_EQ(sizes.HeightText(), QStringLiteral("0"));
    EXPECT_EQ(sizes.WidthPercent(), 0);
    EXPECT_FALSE(sizes.HasImage());

    sizes.SetImageSize({1024, 768});
    sizes.CmbWidthTypeChange(TToolBoxSizes::Percent);
    sizes.EditWidthChange(QStringLiteral("2147483647"));
    EXPECT_EQ(sizes.WidthPixels(), INT_MAX);
    EXPECT_EQ(sizes.HeightText(), QString::number(INT_MAX));
}

TEST(ToolBoxSizesEdits, ReadsOnlyWholeNumbers) {
    const struct {
        const char* text;
        int number;
    } cases[] = {{"800", 800}, {"  42 ", 42}, {"", 0},    {"12.5", 0},
                 {".", 0},     {"abc", 0},    {"-5", -5}, {"99999999999", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TToolBoxSizes::EditNumber(QLatin1String(c.text)), c.number) << c.text;
}

TEST(ToolBoxSizesEdits, AcceptsDigitsPointAndFiveControlCharacters) {
    for (char16_t c : {u'0', u'5', u'9', u'.', u'\b', u'\t', u'\f', u'\r', u'\x1b'})
        EXPECT_TRUE(TToolBoxSizes::IsSizeEditChar(QChar(c))) << int(c);
    for (char16_t c : {u'a', u'-', u'+', u',', u' ', u'\n', u'\x16', u'\x7f', u'\u0663'})
        EXPECT_FALSE(TToolBoxSizes::IsSizeEditChar(QChar(c))) << int(c);
}
