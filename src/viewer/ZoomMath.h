// SPDX-License-Identifier: MIT
// Size and position arithmetic of the viewer's zoom and fit commands, free of any widget: given
// the picture, the viewing area and its scroll state, it computes where the picture control goes,
// which zoom percentage results and where the scroll bars end up.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <optional>

namespace ZoomMath {

inline constexpr int MinZoomPercent = 1;
inline constexpr int MaxZoomPercent = 10000;
inline constexpr int ZoomStep = 10;
// Largest extent a displayed picture may take; keeps huge pictures at high zoom within int range.
inline constexpr int MaxDisplayExtent = (1 << 24) - 1;

// The scrolling viewing area: its outer size and the thickness of a scroll bar. A scroll bar
// shows whenever the content does not fit the space left by the other bar.
struct Viewport {
    QSize box;
    int scrollBarExtent = 0;

    // Inner size left for the content when it has the given size.
    QSize ClientFor(QSize content) const;
};

// Everything a zoom operation reads.
struct ZoomInput {
    QSize picture;     // natural size of the loaded picture
    Viewport viewport; // the viewing area
    QPoint scroll;     // current scroll positions
    int zoomPercent = 100;
    bool autoFit = true;
};

// Everything a zoom operation decides.
struct ZoomLayout {
    QRect image;     // size and position of the picture control inside the scrolled content
    QPoint scroll;   // new scroll positions, clamped to the new scroll ranges
    int zoomPercent; // the new zoom percentage (unchanged by auto-fit)
};

// Every function below answers std::nullopt when there is nothing to do: no picture (an empty
// picture counts as none), or a manual percentage outside MinZoomPercent..MaxZoomPercent.

// Auto-fit on: shrinks a picture larger than the viewing area to fit it, shows a smaller one at
// its natural size; the percentage is ignored. Auto-fit off: shows the picture at that percentage.
std::optional<ZoomLayout> ApplyZoom(const ZoomInput& in, quint32 percent);

// The percentage a step from `current` leads to (1 % is the step below 10 %), or nullopt when the
// step would go below zero and only the zoom box text is to be rewritten.
std::optional<quint32> ZoomStepTarget(int current, int step);

// ApplyZoom for a step from in.zoomPercent; ZoomBy(in, 0) re-applies the current mode.
std::optional<ZoomLayout> ZoomBy(const ZoomInput& in, int step);

// Scale the picture, enlarging small ones too, to fit the whole viewing area / its width / its
// height, and set the percentage to that scale. Width and height fits leave room for the scroll
// bar that the other direction will need.
std::optional<ZoomLayout> ZoomToFit(const ZoomInput& in);
std::optional<ZoomLayout> ZoomToWidth(const ZoomInput& in);
std::optional<ZoomLayout> ZoomToHeight(const ZoomInput& in);

// Reads the zoom box text: a whole number with an optional trailing "%" and surrounding blanks;
// 0 when the text is not such a number.
int ParseZoomText(const QString& text);

// A scroll bar position moved by `percent` of the scroll range (the content's extent), clamped
// to 0..extent - client.
int ScrollByPercent(int position, int contentExtent, int clientExtent, int percent);

// What a mouse wheel movement does in the viewer.
struct WheelAction {
    enum Kind { Zoom, Scroll } kind;
    int amount; // zoom step for Zoom, scroll percentage for Scroll
};
inline constexpr int WheelScrollPercent = 5;

// Wheel down (towards the user) with exactly Shift or exactly Ctrl zooms in, wheel up with them
// zooms out; every other movement scrolls vertically. A zoom refused because auto-fit stayed on
// leaves the event unhandled; everything else marks it handled.
WheelAction WheelActionFor(bool wheelDown, Qt::KeyboardModifiers modifiers);

} // namespace ZoomMath
