// SPDX-License-Identifier: MIT
#include "dialogs/OptionsRules.h"

#include "imaging/AppError.h"
#include "settings/RecentFolders.h"

#include <algorithm>
#include <climits>

namespace {

constexpr qint64 MinuteMs = 60000;
constexpr qint64 SecondMs = 1000;

qint64 WholeNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    return ok ? number : 0;
}

} // namespace

SlideShowPauseTexts PauseTextsFromInterval(int milliseconds) {
    return {QString::number(milliseconds / MinuteMs),
            QString::number(milliseconds % MinuteMs / SecondMs)};
}

int IntervalFromPauseTexts(const QString& minutes, const QString& seconds) {
    const qint64 total = WholeNumber(minutes) * MinuteMs + WholeNumber(seconds) * SecondMs;
    if (total <= 0)
        throw AppError(SlideShowIntervalMessage());
    return static_cast<int>(std::min<qint64>(total, INT_MAX));
}

QString SlideShowIntervalMessage() {
    return QStringLiteral("Slide Show Interval Must be Greater than 0");
}

bool SetRecentFolderLimit(TRecentFolders& list, int newMax) {
    const bool lowered = newMax < list.MaxItems();
    if (lowered)
        for (int excess = list.Count() - newMax; excess > 0; --excess)
            list.DeleteFirst();
    list.SetMaxItems(newMax);
    return lowered;
}
