// SPDX-License-Identifier: MIT
// Zoom and fit arithmetic: auto-fit, manual percentages and steps, the fit commands, the zoom box
// text, scrolling by percentage and the mouse wheel.
#include "viewer/ZoomMath.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ZoomMath;

namespace {

// The viewing area most cases use, with scroll bars 17 pixels thick.
const Viewport Area{QSize(632, 354), 17};

ZoomInput Input(QSize picture, int zoomPercent = 100, bool autoFit = false,
                QPoint scroll = QPoint(0, 0), Viewport viewport = Area) {
    return {picture, viewport, scroll, zoomPercent, autoFit};
}

TEST(ZoomMathTest, ScrollBarsShowWhenTheContentDoesNotFitBesideTheOtherBar) {
    const Viewport area{QSize(100, 100), 10};
    const struct {
        QSize content;
        QSize client;
    } cases[] = {
        {{50, 50}, {100, 100}}, {{100, 100}, {100, 100}}, {{150, 50}, {100, 90}},
        {{50, 150}, {90, 100}}, {{95, 150}, {90, 90}},    {{150, 95}, {90, 90}},
        {{150, 150}, {90, 90}}, {{90, 150}, {90, 100}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(area.ClientFor(c.content), c.client)
            << c.content.width() << "x" << c.content.height();
}

TEST(ZoomMathTest, AutoFitShrinksLargePicturesAndCentresSmallOnes) {
    const struct {
        QSize picture;
        QRect image;
    } cases[] = {
        {{300, 200}, {166, 77, 300, 200}},
        {{1600, 1200}, {80, 0, 472, 354}},
        {{632, 354}, {0, 0, 632, 354}},
        {{2000, 100}, {0, 161, 632, 32}},  // scale 0.316, height 31.6
        {{301, 200}, {166, 77, 301, 200}}, // offset 165.5 rounds to even
        {{303, 200}, {164, 77, 303, 200}}, // offset 164.5 rounds to even
    };
    for (const auto& c : cases) {
        const auto layout = ApplyZoom(Input(c.picture, 75, true, QPoint(30, 40)), 0);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->image, c.image) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(layout->zoomPercent, 75) << "auto-fit keeps the previous percentage";
        EXPECT_EQ(layout->scroll, QPoint(0, 0));
    }
}

TEST(ZoomMathTest, ManualZoomScalesByThePercentageAndCentresWhereSmaller) {
    const struct {
        QSize picture;
        quint32 percent;
        QPoint scroll;
        QRect image;
        QPoint newScroll;
    } cases[] = {
        {{300, 200}, 150, {5, 5}, {91, 27, 450, 300}, {0, 0}},
        {{15, 5}, 10, {0, 0}, {315, 177, 2, 0}, {0, 0}}, // 1.5 -> 2, 0.5 -> 0
        // Too large in both directions: at the origin, the scroll kept within the new ranges.
        {{1000, 800}, 100, {500, 700}, {0, 0, 1000, 800}, {385, 463}},
        {{1000, 800}, 100, {20, 30}, {0, 0, 1000, 800}, {20, 30}},
        // Wider only: the horizontal bar takes 17 pixels, the picture is centred vertically.
        {{1000, 100}, 100, {50, 60}, {0, 118, 1000, 100}, {50, 0}},
        {{3, 2}, 10000, {0, 0}, {166, 77, 300, 200}, {0, 0}},
    };
    for (const auto& c : cases) {
        const auto layout = ApplyZoom(Input(c.picture, 42, false, c.scroll), c.percent);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->image, c.image) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(layout->scroll, c.newScroll) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(layout->zoomPercent, int(c.percent));
    }
}

TEST(ZoomMathTest, ManualZoomOutsideTheLimitsOrWithoutPictureDoesNothing) {
    for (const quint32 percent : {0u, 10001u, quint32(-5)})
        EXPECT_FALSE(ApplyZoom(Input({300, 200}), percent)) << percent;
    EXPECT_TRUE(ApplyZoom(Input({300, 200}), 1));
    EXPECT_TRUE(ApplyZoom(Input({300, 200}), 10000));
    // Auto-fit ignores the percentage altogether.
    EXPECT_TRUE(ApplyZoom(Input({300, 200}, 100, true), 0));
    for (const QSize empty : {QSize(0, 0), QSize(0, 10), QSize(10, 0)}) {
        const ZoomInput in = Input(empty);
        EXPECT_FALSE(ApplyZoom(in, 100));
        EXPECT_FALSE(ZoomBy(in, 10));
        EXPECT_FALSE(ZoomToFit(in));
        EXPECT_FALSE(ZoomToWidth(in));
        EXPECT_FALSE(ZoomToHeight(in));
    }
}

TEST(ZoomMathTest, HugePicturesAtHighZoomStayWithinDisplayableExtents) {
    const auto layout = ApplyZoom(Input({400000000, 1}), 10000);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->image.width(), MaxDisplayExtent);
    EXPECT_EQ(layout->image.height(), 100);
}

TEST(ZoomMathTest, StepsAreTenPercentWithOnePercentBelowTen) {
    const struct {
        int current;
        int step;
        std::optional<quint32> target;
    } cases[] = {
        {100, -10, 90}, {10, -10, 1}, {1, 10, 10},        {20, -10, 10},
        {1, -10, {}},   {5, -10, {}}, {5, 10, 15},        {100, 0, 100},
        {0, 0, 0},      {0, 10, 10},  {10000, 10, 10010}, {400, 10, 410},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZoomStepTarget(c.current, c.step), c.target) << c.current << " " << c.step;
}

TEST(ZoomMathTest, ZoomingOutFromHundredReachesOnePercentThenStops) {
    ZoomInput in = Input({300, 200});
    std::vector<int> reached;
    for (int i = 0; i < 11; ++i) {
        const auto layout = ZoomBy(in, -ZoomStep);
        if (!layout)
            break;
        in.zoomPercent = layout->zoomPercent;
        reached.push_back(in.zoomPercent);
    }
    EXPECT_EQ(reached, (std::vector<int>{90, 80, 70, 60, 50, 40, 30, 20, 10, 1}));
    const auto in10 = ZoomBy(in, ZoomStep);
    ASSERT_TRUE(in10);
    EXPECT_EQ(in10->zoomPercent, 10);
    EXPECT_EQ(in10->image.size(), QSize(30, 20));
    EXPECT_FALSE(ZoomBy(Input({300, 200}, 10000), ZoomStep)) << "no zoom in beyond the limit";
}

TEST(ZoomMathTest, ZoomByZeroReappliesTheCurrentMode) {
    const auto manual = ZoomBy(Input({300, 200}, 50), 0);
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->image, QRect(241, 127, 150, 100));
    const auto fitted = ZoomBy(Input({1600, 1200}, 50, true), 0);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(fitted->image, QRect(80, 0, 472, 354));
    EXPECT_EQ(fitted->zoomPercent, 50);
}

TEST(ZoomMathTest, ZoomToFitScalesUpOrDownToTheWholeArea) {
    const struct {
        QSize picture;
        QSize box;
        QRect image;
        int percent;
    } cases[] = {
        {{100, 50}, {400, 400}, {0, 100, 400, 200}, 400},
        {{800, 400}, {400, 400}, {0, 100, 400, 200}, 50},
        {{400, 400}, {400, 400}, {0, 0, 400, 400}, 100},
        {{200, 400}, {400, 400}, {100, 0, 200, 400}, 100}, // height already fits exactly
        {{50, 100}, {400, 400}, {100, 0, 200, 400}, 400},
        {{1000, 800}, {400, 400}, {0, 40, 400, 320}, 40},
    };
    for (const auto& c : cases) {
        const auto layout =
            ZoomToFit(Input(c.picture, 77, false, QPoint(90, 90), Viewport{c.box, 17}));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->image, c.image) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(layout->zoomPercent, c.percent);
        EXPECT_EQ(layout->scroll, QPoint(0, 0));
    }
}

struct SideCase {
    QSize picture;
    QRect image;
    int percent;
};

TEST(ZoomMathTest, ZoomToWidthLeavesRoomForTheVerticalScrollBar) {
    const SideCase cases[] = {
        // Tall: fitted to the 615 pixels beside the vertical bar; 1537.5 rounds to even.
        {{400, 1000}, {0, 0, 615, 1538}, 154},
        // Short: the whole width, centred vertically (offset 145.5 rounds to even).
        {{1000, 100}, {0, 146, 632, 63}, 63},
        {{632, 100}, {0, 127, 632, 100}, 100},
    };
    for (const auto& c : cases) {
        const auto layout = ZoomToWidth(Input(c.picture, 77, false, QPoint(90, 0)));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->image, c.image) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(layout->zoomPercent, c.percent);
        EXPECT_EQ(Area.ClientFor(layout->image.size()).height(), Area.box.height())
            << "no horizontal scroll bar";
        EXPECT_EQ(layout->scroll.x(), 0);
    }
}

TEST(ZoomMathTest, ZoomToHeightLeavesRoomForTheHorizontalScrollBar) {
    const SideCase cases[] = {
        // Wide: fitted to the 337 pixels above the horizontal bar; 842.5 rounds to even.
        {{1000, 400}, {0, 0, 842, 337}, 84},
        // Narrow: the whole height, centred horizontally (offset 298.5 rounds to even).
        {{100, 1000}, {298, 0, 35, 354}, 35},
    };
    for (const auto& c : cases) {
        const auto layout = ZoomToHeight(Input(c.picture, 77, false, QPoint(0, 90)));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->image, c.image) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(layout->zoomPercent, c.percent);
        EXPECT_EQ(Area.ClientFor(layout->image.size()).width(), Area.box.width())
            << "no vertical scroll bar";
        EXPECT_EQ(layout->scroll.y(), 0);
    }
}

TEST(ZoomMathTest, ZoomTextIsAWholeNumberWithAnOptionalTrailingPercentSign) {
    const struct {
        const char16_t* text;
        int value;
    } cases[] = {
        {u"150%", 150}, {u"250", 250},      {u" 250 %", 250}, {u"250 % ", 0},
        {u"0%", 0},     {u"abc", 0},        {u"", 0},         {u"%50", 0},
        {u"50%%", 0},   {u"10001%", 10001}, {u"12.5%", 0},    {u"-5", -5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseZoomText(QString::fromUtf16(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(ZoomMathTest, ScrollingByPercentageMovesByTheRangeAndClamps) {
    const struct {
        int position, content, client, percent, result;
    } cases[] = {
        {0, 1000, 400, 5, 50},  {100, 1000, 400, -5, 50}, {590, 1000, 400, 5, 600},
        {10, 1000, 400, -5, 0}, {0, 30, 10, 5, 2},        {0, 50, 10, 5, 2}, // 1.5 and 2.5
        {0, 300, 400, 5, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollByPercent(c.position, c.content, c.client, c.percent), c.result)
            << c.position << " " << c.content << " " << c.percent;
}

TEST(ZoomMathTest, WheelZoomsOnlyWithExactlyShiftOrCtrl) {
    const struct {
        bool down;
        Qt::KeyboardModifiers modifiers;
        WheelAction::Kind kind;
        int amount;
    } cases[] = {
        {true, Qt::ShiftModifier, WheelAction::Zoom, 10},
        {true, Qt::ControlModifier, WheelAction::Zoom, 10},
        {false, Qt::ControlModifier, WheelAction::Zoom, -10},
        {false, Qt::ShiftModifier, WheelAction::Zoom, -10},
        {true, Qt::ControlModifier | Qt::KeypadModifier, WheelAction::Zoom, 10},
        {true, Qt::NoModifier, WheelAction::Scroll, 5},
        {false, Qt::NoModifier, WheelAction::Scroll, -5},
        {true, Qt::ControlModifier | Qt::AltModifier, WheelAction::Scroll, 5},
        {false, Qt::ShiftModifier | Qt::ControlModifier, WheelAction::Scroll, -5},
        {true, Qt::AltModifier, WheelAction::Scroll, 5},
        {true, Qt::MetaModifier, WheelAction::Scroll, 5},
    };
    for (const auto& c : cases) {
        const WheelAction action = WheelActionFor(c.down, c.modifiers);
        EXPECT_EQ(action.kind, c.kind) << c.down << " " << c.modifiers.toInt();
        EXPECT_EQ(action.amount, c.amount) << c.down << " " << c.modifiers.toInt();
    }
}

} // namespace
