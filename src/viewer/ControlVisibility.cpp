// SPDX-License-Identifier: MIT
#include "viewer/ControlVisibility.h"

TControlVisibility::TControlVisibility()
    // Windowed: everything shows. Full screen: only the filmstrip.
    : windowed_{true, true, true, true, true}, full_{false, true, false, false, false} {
}

void TControlVisibility::SetWindowed(ViewControl control, bool on) {
    if (control != ViewControl::AdvancedViews)
        windowed_[Index(control)] = on;
}

void TControlVisibility::SetFull(ViewControl control, bool on) {
    full_[Index(control)] = on;
}

bool TControlVisibility::Shown(ViewControl control, bool fullScreen, bool slideShowActive) const {
    if (fullScreen && slideShowActive)
        return false;
    return Choice(control, fullScreen);
}

bool TControlVisibility::ClickTakesEffect(ViewControl control, bool fullScreenSet,
                                          bool fullScreen) {
    if (fullScreenSet == fullScreen)
        return true;
    if (fullScreenSet)
        SetFull(control, !Full(control));
    else
        SetWindowed(control, !Windowed(control));
    return false;
}
