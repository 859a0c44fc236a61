// SPDX-License-Identifier: MIT
#pragma once

#include <array>

// The controls whose visibility the user chooses, separately for the windowed and the
// full-screen mode.
enum class ViewControl { MainMenu, Filmstrip, ToolBar, StatusBar, AdvancedViews };

// The two sets of visibility choices (the check marks of the "Controls" and "Full Screen
// Controls" menus) and what they mean for the window. Floating folder views are always shown in
// windowed mode; their windowed choice is fixed on.
class TControlVisibility {
public:
    TControlVisibility();

    bool Windowed(ViewControl control) const { return windowed_[Index(control)]; }
    bool Full(ViewControl control) const { return full_[Index(control)]; }
    void SetWindowed(ViewControl control, bool on);
    void SetFull(ViewControl control, bool on);
    // The choice of the mode in force.
    bool Choice(ViewControl control, bool fullScreen) const {
        return fullScreen ? Full(control) : Windowed(control);
    }

    // Whether the control shows: a running or paused slide show in full screen hides
    // everything; otherwise the choice of the mode in force counts.
    bool Shown(ViewControl control, bool fullScreen, bool slideShowActive) const;

    // A click on a choice of `set` (true: the full-screen set) while the window is in
    // `fullScreen`: true when the choice belongs to the mode in force, so the control itself is
    // switched; otherwise only the check mark flips (done here), to count in the other mode.
    bool ClickTakesEffect(ViewControl control, bool fullScreenSet, bool fullScreen);

private:
    static constexpr int Count = 5;
    static int Index(ViewControl control) { return int(control); }
    std::array<bool, Count> windowed_;
    std::array<bool, Count> full_;
};
