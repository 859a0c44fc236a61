// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

// The Help menu's commands that only hand an address to the desktop, which opens it with the
// user's default program. Whether that works is not reported to the user; the results are for
// the caller's own use.

// The maker's web site (the address the about window shows) and its updates page.
QUrl MakerWebsiteUrl();
QUrl UpdatesUrl();
// The keyboard guide beside the running program.
QString KeyboardGuidePath();

// "Visit Website...": the web site in the default browser.
bool VisitWebsite();
// "Check for Updates...": the updates page in the default browser. The caller asks about a
// modified image first.
bool CheckForUpdates();
// "Keyboard Shortcut Guide...": the guide in the default program for HTML files.
bool OpenKeyboardGuide();
