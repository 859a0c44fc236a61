// SPDX-License-Identifier: MIT
// The filmstrip's arithmetic: view offsets, the slot under a point, the hover edges of the
// sprocket strips, the scroll range, scrolling a slot into view and the framed slots.
#include "folderview/FilmstripGeometry.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(FilmstripGeometryTest, StripOffset) {
    struct Case {
        int count, width, position;
        qint64 offset;
    } const cases[] = {
        {5, 600, 0, 0},       // everything fits
        {5, 600, 30, 0},      // ... whatever the position
        {0, 600, 3, 0},       // nothing listed
        {20, 600, 0, 0},      // 1600 pixels in 600
        {20, 600, 10, 200},   // scrolled by 10 units of 20 pixels
        {20, 600, 50, 1000},  // exactly flush: 1000 + 600 = 1600
        {20, 600, 51, 1000},  // the maximum overshoots by 20 and is held back
        {20, 600, 500, 1000}, // far past the end
        {8, 640, 7, 0},       // exactly as wide as the strip still fits
        {9, 640, 1, 20},      // one slot more does not
        // 64-bit arithmetic: 30 million slots are 2.4e9 pixels.
        {30'000'000, 600, 120'000'000, 30'000'000LL * 80 - 600},
        {30'000'000, 600, 2'000'000, 40'000'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.count << " slots, width " << c.width << ", position " << c.position);
        EXPECT_EQ(TFilmstripGeometry(c.count, c.width).StripOffset(c.position), c.offset);
    }
}

TEST(FilmstripGeometryTest, IndexAtX) {
    struct Case {
        int count, width, position, x, index;
    } const cases[] = {
        {5, 600, 0, 0, 0},
        {5, 600, 0, 79, 0},
        {5, 600, 0, 80, 1},
        {5, 600, 0, 399, 4},
        {5, 600, 0, 400, -1}, // right of the last slot
        {5, 600, 0, -1, -1},
        {0, 600, 0, 10, -1}, // left of the view; nothing listed
        {20, 600, 10, 0, 2}, // offset 200: slot 2 starts at x = -40
        {20, 600, 10, 39, 2},
        {20, 600, 10, 40, 3},
        {20, 600, 51, 599, 19}, // held back: the last slot is flush right
        {30'000'000, 600, 120'000'000, 599, 29'999'999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.count << " slots, position " << c.position << ", x " << c.x);
        EXPECT_EQ(TFilmstripGeometry(c.count, c.width).IndexAtX(c.x, c.position), c.index);
    }
}

// The hovered slot's left edge has the part in front of the view cut toward zero to whole holes
// of 10 pixels; its first highlighted hole is that edge divided by 10, toward zero as well.
TEST(FilmstripGeometryTest, HoverEdges) {
    struct Case {
        int count, width, position, x;
        FilmstripHover hover;
    } const cases[] = {
        {5, 600, 0, 10, {0, 0}},
        {5, 600, 0, 170, {160, 16}},
        {5, 600, 0, 450, {}},        // right of the last slot
        {5, 600, 0, -1, {}},         // no pointer
        {0, 600, 0, 10, {}},         // nothing listed
        {20, 600, 10, 0, {-40, -4}}, // offset 200: first visible slot starts at -40
        {20, 600, 10, 100, {40, 4}}, // the slot after it
        // Offsets are multiples of 20 except when held back, so take an odd width: 20 slots in
        // 605 pixels at position 51 -> offset 1600 - 605 = 995; the first visible slot starts
        // at x = -35 (995 mod 80); its edge is cut toward zero to -30, hole -3.
        {20, 605, 51, 0, {-30, -3}},
        {20, 605, 51, 44, {-30, -3}},
        {20, 605, 51, 45, {50, 5}}, // the next slot: -30 + 80
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " slots, width " << c.width << ", position "
                                        << c.position << ", x " << c.x);
        const FilmstripHover hover = TFilmstripGeometry(c.count, c.width).HoverAt(c.x, c.position);
        EXPECT_EQ(hover.left, c.hover.left);
        EXPECT_EQ(hover.hole, c.hover.hole);
    }
}

TEST(FilmstripGeometryTest, HoverHighlightsEightHolesFromTheCutEdge) {
    // Edge at -30 (hole -3): holes -3 to 4 are gray, so 0 to 4 show on the strip.
    const FilmstripHover hover = TFilmstripGeometry(20, 605).HoverAt(10, 51);
    ASSERT_EQ(hover.hole, -3);
    QList<int> gray;
    for (int i = 0; i < TFilmstripGeometry(20, 605).HoleCount(); ++i)
        if (TFilmstripGeometry::IsHoleHighlighted(i, hover.hole))
            gray << i;
    EXPECT_EQ(gray, (QList<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(TFilmstripGeometry::IsHoleHighlighted(0, FilmstripHover::NoHole));
    // Holes 0 to width div 10, both ends included.
    EXPECT_EQ(TFilmstripGeometry(20, 605).HoleCount(), 61);
}

TEST(FilmstripGeometryTest, ScrollRange) {
    struct Case {
        int count, width;
        FilmstripScrollRange range;
    } const cases[] = {
        {5, 600, {false, 0}}, // fits: disabled
        {0, 600, {false, 0}},
        {7, 560, {false, 0}},  // exactly as wide: still disabled
        {8, 560, {true, 5}},   // (640 - 560 + 20) div 20
        {20, 600, {true, 51}}, // (1600 - 600 + 20) div 20
        {20, 605, {true, 50}}, // (1600 - 605 + 20) div 20 = 50.75 -> 50
        {30'000'000, 600, {true, int((30'000'000LL * 80 - 600 + 20) / 20)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " slots, width " << c.width);
        EXPECT_EQ(TFilmstripGeometry(c.count, c.width).ScrollRange(), c.range);
    }
}

// At the maximum the view is flush with the end of the strip, never past it.
TEST(FilmstripGeometryTest, MaximumPositionShowsTheLastSlotFlushRight) {
    for (const int width : {600, 605, 619, 80, 1}) {
        const TFilmstripGeometry geometry(20, width);
        const FilmstripScrollRange range = geometry.ScrollRange();
        ASSERT_TRUE(range.enabled) << width;
        EXPECT_EQ(geometry.StripOffset(range.maximum), 1600 - width) << width;
        EXPECT_EQ(geometry.IndexAtX(width - 1, range.maximum), 19) << width;
    }
}

TEST(FilmstripGeometryTest, ScrollIntoViewPosition) {
    struct Case {
        int width, position, index;
        std::optional<int> target;
    } const cases[] = {
        {430, 0, 10, 23},  // 800 > 0 + 430 - 80: (800 - 430 + 80 + 10) div 20
        {430, 0, 4, {}},   // slot 4 ends at 400, inside
        {430, 0, 5, 3},    // slot 5 ends at 480: (400 - 430 + 80 + 10) div 20
        {600, 10, 2, 8},   // c = 160 left of the view at 200: 160 div 20
        {600, 40, 3, 12},  // c = 240 < 800: 240 div 20
        {600, 0, -1, -4},  // unlisted: c = -80 < 0, the bar clamps -4 to 0
        {600, 30, 14, {}}, // c = 1120 = 600 + 600 - 80: right edge exactly inside
        {600, 30, 15, 34}, // c = 1200: (1200 - 600 + 80 + 0) div 20
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << ", position " << c.position
                                        << ", index " << c.index);
        EXPECT_EQ(TFilmstripGeometry(20, c.width).ScrollIntoViewPosition(c.index, c.position),
                  c.target);
    }
}

// After scrolling a slot into view from the right, its whole 80 pixels lie inside the view.
TEST(FilmstripGeometryTest, ScrolledSlotEndsInsideTheView) {
    for (int width = 100; width < 700; width += 7) {
        const TFilmstripGeometry geometry(200, width);
        const int index = 150;
        const std::optional<int> target = geometry.ScrollIntoViewPosition(index, 0);
        ASSERT_TRUE(target) << width;
        const qint64 left = qint64(index) * 80 - geometry.StripOffset(*target);
        EXPECT_GE(left, 0) << width;
        EXPECT_LE(left + 80, width) << width;
    }
}

TEST(FilmstripGeometryTest, VisibleSlots) {
    struct Case {
        int count, width, position;
        FilmstripVisibleSlots visible;
    } const cases[] = {
        {5, 600, 0, {0, 4, 0}},       // all five from x = 0
        {0, 600, 0, {0, -1, 0}},      // none
        {20, 600, 0, {0, 7, 0}},      // 600 div 80 = 7: slot 7 partly visible
        {20, 600, 10, {2, 10, -40}},  // offset 200: (600 + 200) div 80 = 10
        {20, 600, 51, {12, 19, -40}}, // held back to 1000; (600 + 1000) div 80 = 20 -> 19
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " slots, position " << c.position);
        EXPECT_EQ(TFilmstripGeometry(c.count, c.width).VisibleSlots(c.position), c.visible);
    }
}

TEST(FilmstripGeometryTest, QuickScrollStepIsAViewLessOneSlot) {
    EXPECT_EQ(TFilmstripGeometry(20, 600).QuickScrollStep(), 26); // (600 - 80) div 20
    EXPECT_EQ(TFilmstripGeometry(20, 110).QuickScrollStep(), 1);
    EXPECT_EQ(TFilmstripGeometry(20, 40).QuickScrollStep(), 1); // never backwards
}

TEST(FilmstripGeometryTest, FrameAndHoleRectangles) {
    // The 2-pixel frame pen along this path covers x .. x + 79: the slot's margin.
    EXPECT_EQ(TFilmstripGeometry::FrameRect(-40), QRect(-39, 1, 78, 78));
    EXPECT_EQ(TFilmstripGeometry::HoleRect(3), QRect(31, 1, 6, 8));
}

} // namespace
