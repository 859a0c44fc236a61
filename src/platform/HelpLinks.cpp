// SPDX-License-Identifier: MIT
#include "platform/HelpLinks.h"

#include "dialogs/AboutInfo.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "platform/KeyboardGuide.h"

#include <QDesktopServices>
#include <QFileInfo>

QUrl MakerWebsiteUrl() {
    return QUrl(QStringLiteral("https://") + AboutWebAddress() + QLatin1Char('/'));
}

QUrl UpdatesUrl() {
    return MakerWebsiteUrl().resolved(QUrl(QStringLiteral("updates/")));
}

QString KeyboardGuidePath() {
    return JoinPath(QFileInfo(LongExePath()).path(), KeyboardGuideFileName());
}

bool VisitWebsite() {
    return QDesktopServices::openUrl(MakerWebsiteUrl());
}

bool CheckForUpdates() {
    return QDesktopServices::openUrl(UpdatesUrl());
}

bool OpenKeyboardGuide() {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(KeyboardGuidePath()));
}
