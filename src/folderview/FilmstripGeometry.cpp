// SPDX-License-Identifier: MIT
#include "folderview/FilmstripGeometry.h"

#include <algorithm>
#include <limits>

namespace {

// Scroll positions are ints; a far-off target is held at the int range (the bar clamps it).
int ClampToInt(qint64 value) {
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

} // namespace

qint64 TFilmstripGeometry::StripOffset(int position) const {
    const qint64 stripWidth = qint64(count_) * SlotWidth;
    if (stripWidth < width_)
        return 0;
    const qint64 left = qint64(position) * ScrollUnit;
    if (stripWidth >= left + width_)
        return left;
    return stripWidth - width_;
}

int TFilmstripGeometry::IndexAtX(int x, int position) const {
    if (x < 0)
        return -1;
    const qint64 index = (x + StripOffset(position)) / SlotWidth;
    return index < count_ ? int(index) : -1;
}

FilmstripHover TFilmstripGeometry::HoverAt(int x, int position) const {
    if (x < 0)
        return {};
    const qint64 off = StripOffset(position);
    const qint64 i = (x + off) / SlotWidth;
    if (i < 0 || i >= count_)
        return {};
    // The slot's left edge, its part in front of the view cut toward zero to whole holes.
    const qint64 left =
        (-(off % SlotWidth)) / HolePitch * HolePitch + (i - off / SlotWidth) * SlotWidth;
    return {ClampToInt(left), ClampToInt(left / HolePitch)};
}

FilmstripScrollRange TFilmstripGeometry::ScrollRange() const {
    const qint64 stripWidth = qint64(count_) * SlotWidth;
    if (stripWidth > width_)
        return {true, ClampToInt((stripWidth - width_ + ScrollUnit) / ScrollUnit)};
    return {false, 0};
}

std::optional<int> TFilmstripGeometry::ScrollIntoViewPosition(int index, int position) const {
    const qint64 c = index < 0 ? -SlotWidth : qint64(index) * SlotWidth;
    const qint64 left = qint64(position) * ScrollUnit;
    if (c < left)
        return ClampToInt(c / ScrollUnit);
    if (c > left + width_ - SlotWidth) // rounding up by width mod 20 keeps the right edge inside
        return ClampToInt((c - width_ + SlotWidth + width_ % ScrollUnit) / ScrollUnit);
    return std::nullopt;
}

FilmstripVisibleSlots TFilmstripGeometry::VisibleSlots(int position) const {
    const qint64 off = StripOffset(position);
    const qint64 last = std::min<qint64>((width_ + off) / SlotWidth, qint64(count_) - 1);
    return {ClampToInt(off / SlotWidth), ClampToInt(last), ClampToInt(-(off % SlotWidth))};
}
