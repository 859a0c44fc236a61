// SPDX-License-Identifier: MIT
#include "dialogs/PromptLayout.h"

#include "imaging/GenUtilUnit.h"

namespace {

int Half(int value) {
    return RoundHalfEven(value / 2.0);
}

} // namespace

HelpBoxLayout ComputeHelpBoxLayout(const HelpBoxLayoutInput& in) {
    HelpBoxLayout out;
    out.bevelHeight = in.headingHeight + in.detailHeight + 40;
    out.detailTop = in.headingTop + in.headingHeight + 16;
    out.buttonTop = in.bevelTop + out.bevelHeight + 8;
    out.clientHeight = out.buttonTop + in.buttonHeight + 8;
    if (in.optionalVisible) {
        out.okLeft = Half(in.windowWidth - in.okWidth - in.cancelWidth - in.optionalWidth) - 10;
        out.cancelLeft = out.okLeft + in.okWidth + 5;
        out.optionalLeft = out.cancelLeft + in.cancelWidth + 5;
    } else if (in.cancelVisible) {
        out.okLeft = Half(in.windowWidth) - in.okWidth - 5;
        out.cancelLeft = Half(in.windowWidth) + 5;
    } else {
        out.okLeft = Half(in.windowWidth - in.okWidth);
    }
    return out;
}

NotificationLayout ComputeNotificationLayout(const NotificationLayoutInput& in) {
    NotificationLayout out;
    out.detailTop = in.mainTop + in.mainHeight + 16;
    out.checkBoxTop = out.detailTop + in.detailHeight + 16;
    out.buttonTop = out.checkBoxTop + in.checkBoxHeight + 16;
    out.clientHeight = out.buttonTop + in.buttonHeight + 8;
    return out;
}
