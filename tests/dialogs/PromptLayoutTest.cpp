// SPDX-License-Identifier: MIT
// Where the message box and the confirmation put their parts for a heading of any height.
#include "dialogs/PromptLayout.h"

#include <gtest/gtest.h>

TEST(PromptLayoutTest, MessageBoxButtonsAreCentredForOneTwoAndThree) {
    const struct {
        const char* what;
        int windowWidth;
        bool cancel, optional;
        int okLeft, cancelLeft, optionalLeft;
    } cases[] = {
        // (408 - 73) / 2 = 167.5: halves go to the even neighbour.
        {"one button", 408, false, false, 168, 0, 0},
        {"one button, odd half down", 410, false, false, 168, 0, 0},
        {"two buttons", 408, true, false, 126, 209, 0},
        {"two buttons, 411 / 2 = 205.5", 411, true, false, 128, 211, 0},
        // (408 - 73 - 73 - 99) / 2 = 81.5 -> 82, minus 10.
        {"three buttons", 408, true, true, 72, 150, 228},
    };
    for (const auto& c : cases) {
        HelpBoxLayoutInput input;
        input.windowWidth = c.windowWidth;
        input.cancelVisible = c.cancel;
        input.optionalVisible = c.optional;
        const HelpBoxLayout layout = ComputeHelpBoxLayout(input);
        EXPECT_EQ(layout.okLeft, c.okLeft) << c.what;
        if (c.cancel) {
            EXPECT_EQ(layout.cancelLeft, c.cancelLeft) << c.what;
        }
        if (c.optional) {
            EXPECT_EQ(layout.optionalLeft, c.optionalLeft) << c.what;
        }
    }
}

TEST(PromptLayoutTest, MessageBoxGrowsWithTheHeading) {
    const struct {
        int headingHeight;
        int bevelHeight, detailTop, buttonTop, clientHeight;
    } cases[] = {
        {32, 145, 64, 161, 194},
        {48, 161, 80, 177, 210},
    };
    for (const auto& c : cases) {
        HelpBoxLayoutInput input;
        input.headingHeight = c.headingHeight;
        const HelpBoxLayout layout = ComputeHelpBoxLayout(input);
        EXPECT_EQ(layout.bevelHeight, c.bevelHeight) << c.headingHeight;
        EXPECT_EQ(layout.detailTop, c.detailTop) << c.headingHeight;
        EXPECT_EQ(layout.buttonTop, c.buttonTop) << c.headingHeight;
        EXPECT_EQ(layout.clientHeight, c.clientHeight) << c.headingHeight;
    }
}

TEST(PromptLayoutTest, ConfirmationStacksItsPartsSixteenPixelsApart) {
    NotificationLayoutInput input;
    input.mainTop = 16;
    input.mainHeight = 16;
    input.detailHeight = 32;
    input.checkBoxHeight = 17;
    input.buttonHeight = 25;
    const NotificationLayout layout = ComputeNotificationLayout(input);
    EXPECT_EQ(layout.detailTop, 48);
    EXPECT_EQ(layout.checkBoxTop, 96);
    EXPECT_EQ(layout.buttonTop, 129);
    EXPECT_EQ(layout.clientHeight, 162);
}
