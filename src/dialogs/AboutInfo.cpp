// SPDX-License-Identifier: MIT
#include "dialogs/AboutInfo.h"

#include "imaging/GenUtilUnit.h"

bool SplashWanted(const QStringList& arguments) {
    return arguments.isEmpty() || arguments.first() != QStringLiteral("/nosplash");
}

QString AboutProductText() {
    return QStringLiteral("Image Browser 2.0");
}

QString AboutVersionText() {
    return QStringLiteral("Version 2.0.11");
}

QString AboutCommentsText() {
    return QStringLiteral("For updates and support, visit");
}

QString AboutWebAddress() {
    return QStringLiteral("www.orvo-image-browser.example");
}

QString AboutSupportMail() {
    return QStringLiteral("support@orvo-image-browser.example");
}

CloseButtonPlace AboutCloseButtonPlace(int resolution) {
    const int width = ScaleForDpiSoft(73, resolution);
    return {RoundHalfEven(ScaleForDpi(350, resolution) - width / 2.0), width};
}
