// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

// What the about window shows and when it doubles as the start-up splash.

// True unless the first argument (after the program) is exactly "/nosplash"; no argument shows
// the splash.
bool SplashWanted(const QStringList& arguments);

// How long the splash stays before it closes itself.
inline constexpr int SplashDurationMs = 3500;

QString AboutProductText();  // "Image Browser 2.0"
QString AboutVersionText();  // "Version 2.0.11"
QString AboutCommentsText(); // "For updates and support, visit"
QString AboutWebAddress();   // the maker's web page
QString AboutSupportMail();  // the support address

// The Close button: the softly scaled 73 pixels wide, centred on the scaled x = 350.
struct CloseButtonPlace {
    int left;
    int width;
};
CloseButtonPlace AboutCloseButtonPlace(int resolution);
