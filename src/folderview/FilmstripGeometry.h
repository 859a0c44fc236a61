// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/BitmapCache.h"

#include <QRect>
#include <QtGlobal>
#include <algorithm>
#include <optional>

// The slot under the pointer as the sprocket strips show it: the slot's left edge in view
// coordinates, cut toward zero to a multiple of the hole pitch, and the index of the first of its
// eight holes.
struct FilmstripHover {
    static constexpr int NoHole = -100;
    int left = -1; // -1 when no slot is hovered
    int hole = NoHole;
    bool operator==(const FilmstripHover&) const = default;
};

// The scroll bar's range: when the slots do not fit, the bar is enabled with `maximum`; when they
// fit, the bar is disabled at position 0 and keeps whatever maximum it had.
struct FilmstripScrollRange {
    bool enabled = false;
    int maximum = 0;
    bool operator==(const FilmstripScrollRange&) const = default;
};

// The slots a view shows: indexes `first` to `last` (none when last < first), the first one with
// its left edge at `left` (0 or negative).
struct FilmstripVisibleSlots {
    int first = 0;
    int last = -1;
    int left = 0;
    bool operator==(const FilmstripVisibleSlots&) const = default;
};

// The arithmetic of the filmstrip: `count` thumbnail slots of SlotWidth pixels side by side,
// seen through a view `width` pixels wide whose scroll position counts ScrollUnit pixels. All
// pixel arithmetic is done in 64 bits; divisions truncate toward zero.
class TFilmstripGeometry {
public:
    static constexpr int HolePitch = 10;   // pixels from one sprocket hole to the next
    static constexpr int HolesPerSlot = 8; // holes highlighted over a hovered slot
    static constexpr int SprocketHeight = 12;

    TFilmstripGeometry(int count, int width) : count_(count), width_(width) {}

    int Count() const { return count_; }
    int Width() const { return width_; }

    // Pixel offset of the view's left edge into the strip at scroll position `position`. A
    // position past the end holds the last slot flush with the right edge; when everything fits
    // the offset is 0.
    qint64 StripOffset(int position) const;
    // Index of the slot under view x at `position`; -1 when none.
    int IndexAtX(int x, int position) const;
    // The hovered slot for view x (-1 or negative: none) at `position`.
    FilmstripHover HoverAt(int x, int position) const;
    // The scroll bar's range for this count and width.
    FilmstripScrollRange ScrollRange() const;
    // The scroll position that brings slot `index` (-1: not listed) fully into view from
    // `position`, or nothing when it is visible already. The result may lie outside the scroll
    // bar's range (the bar keeps it in range).
    std::optional<int> ScrollIntoViewPosition(int index, int position) const;
    // The slots whose selection frames are drawn at `position`.
    FilmstripVisibleSlots VisibleSlots(int position) const;
    // Scroll units the quick-scroll buttons move: one view width less one slot, and at least one
    // unit, so that a view narrower than a slot still scrolls the way the button points.
    int QuickScrollStep() const { return std::max(1, (width_ - SlotWidth) / ScrollUnit); }

    // The selection frame of a slot whose left edge is at x, as the path of a 2-pixel pen: the
    // pen covers the slot's 2-pixel margin around the 76 x 76 thumbnail.
    static QRect FrameRect(int x) { return QRect(x + 1, 1, SlotWidth - 2, SlotWidth - 2); }
    // Sprocket holes along the strips: indexes 0 to HoleCount() - 1; HoleRect is the path of a
    // 1-pixel pen, covering pixels i * 10 + 1 to i * 10 + 7 across and 1 to 9 down.
    int HoleCount() const { return width_ / HolePitch + 1; }
    static QRect HoleRect(int i) { return QRect(i * HolePitch + 1, 1, 6, 8); }
    // Whether hole i is highlighted for a hover whose first hole is `hoverHole`.
    static bool IsHoleHighlighted(int i, int hoverHole) {
        return hoverHole <= i && i < hoverHole + HolesPerSlot;
    }

private:
    int count_;
    int width_;
};
