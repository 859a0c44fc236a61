// SPDX-License-Identifier: MIT
// The value conversions of the Options dialog: the slide show pause between its timer interval
// and the minutes and seconds boxes, and the size of the recent-folder list.
#pragma once

#include <QString>

class TRecentFolders;

// The pause as the dialog shows it: whole minutes and the whole seconds left over.
struct SlideShowPauseTexts {
    QString minutes;
    QString seconds;
};
SlideShowPauseTexts PauseTextsFromInterval(int milliseconds);

// The pause typed into the two boxes, in milliseconds. Each text is trimmed and read as a whole
// decimal number; any other text counts as 0. A total beyond the timer's range is clamped to it.
// Throws AppError(SlideShowIntervalMessage()) when the total is not greater than 0.
int IntervalFromPauseTexts(const QString& minutes, const QString& seconds);
QString SlideShowIntervalMessage(); // "Slide Show Interval Must be Greater than 0"

// Gives the recent-folder list the maximum `newMax`. Lowering it first deletes the list's first
// (most recently used) entry until no more than `newMax` are left. True when the maximum was
// lowered: the recent menu and the folder dialog's list are then to be refilled.
bool SetRecentFolderLimit(TRecentFolders& list, int newMax);
