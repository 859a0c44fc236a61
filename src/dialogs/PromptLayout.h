// SPDX-License-Identifier: MIT
#pragma once

// Where the message box and the confirmation put their parts once the heading's wrapped height
// is known, so that a heading of any length fits. Pixels of the client area.

struct HelpBoxLayoutInput {
    int bevelTop = 8;
    int headingTop = 16;
    int headingHeight = 32; // already at least 32
    int detailHeight = 73;
    int windowWidth = 408; // the width the buttons are centred in
    int okWidth = 73;
    int cancelWidth = 73;
    int optionalWidth = 99;
    int buttonHeight = 25;
    bool cancelVisible = false;
    bool optionalVisible = false;
};

struct HelpBoxLayout {
    int bevelHeight = 0;
    int detailTop = 0;
    int buttonTop = 0;
    int okLeft = 0;
    int cancelLeft = 0;
    int optionalLeft = 0;
    int clientHeight = 0; // ends 8 pixels below the buttons
};

// Three buttons sit as a group slightly left of centre, two either side of the centre, one in
// the middle. Halves round to the even neighbour.
HelpBoxLayout ComputeHelpBoxLayout(const HelpBoxLayoutInput& input);

struct NotificationLayoutInput {
    int mainTop = 16;
    int mainHeight = 0;
    int detailHeight = 0;
    int checkBoxHeight = 17;
    int buttonHeight = 25;
};

struct NotificationLayout {
    int detailTop = 0;
    int checkBoxTop = 0;
    int buttonTop = 0;
    int clientHeight = 0;
};

// Question, explanation, check box and buttons stacked 16 pixels apart; 8 pixels below.
NotificationLayout ComputeNotificationLayout(const NotificationLayoutInput& input);
