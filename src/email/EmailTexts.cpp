// SPDX-License-Identifier: MIT
#include "email/EmailTexts.h"

#include "email/EmailSizing.h"
#include "platform/HelpLinks.h"

namespace {

QString SizeText(int width, int height) {
    return QString::number(width) + QLatin1Char('x') + QString::number(height);
}

QString FromTo(int width, int height, int newWidth, int newHeight) {
    return QStringLiteral(" from ") + SizeText(width, height) + QStringLiteral(" to ") +
           SizeText(newWidth, newHeight);
}

} // namespace

QString EmailWizardDesignCaption() {
    return QStringLiteral("Email Selected Images");
}

QString EmailWizardHeading() {
    return QStringLiteral("Email Optimization Wizard");
}

QString EmailWizardIntroduction() {
    return QStringLiteral(
        "Images can take a long time to send via email. The larger the image, the longer it "
        "takes to send. Fortunately, Orvo Image Browser can shrink these images for you "
        "automatically. Choose your Internet Connection Speed below to determine how small to "
        "shrink the images.");
}

QString EmailSpeedGroupCaption() {
    return QStringLiteral("Image Size (Your Internet Connection Speed)");
}

QString EmailSpeedItemText(int speedIndex) {
    switch (speedIndex) {
    case int(EmailSpeed::Large):
        return QStringLiteral("Large (Cable/DSL)");
    case int(EmailSpeed::Medium):
        return QStringLiteral("Medium (56K Modem)");
    case int(EmailSpeed::Small):
        return QStringLiteral("Small (28.8K Modem)");
    default:
        return QString();
    }
}

QString ShowResultsCaption() {
    return QStringLiteral("Show results after optimization.");
}

QString DontResizeCaption() {
    return QStringLiteral("Do not resize the images. Leave them as they are.");
}

QString ShowFilesCaption(bool paneShown) {
    return paneShown ? QStringLiteral("< Hide Files") : QStringLiteral("Show Files >");
}

QString CancelCaption(bool listEmpty) {
    return listEmpty ? QStringLiteral("Close") : QStringLiteral("Cancel");
}

QString EmailWizardCaption(const QStringList& names) {
    if (names.isEmpty())
        return QStringLiteral("No Files to Email");
    if (names.size() == 1)
        return QStringLiteral("Email ") + names.first();
    return QStringLiteral("Email ") + QString::number(names.size()) + QStringLiteral(" Images");
}

QString ProductDownloadAddress() {
    // The maker's one web site, where the program is offered for download.
    return MakerWebsiteUrl().toString();
}

QStringList EmailFooterLines() {
    return {QString(),
            QString(),
            QString(),
            QString(69, QLatin1Char('-')),
            QStringLiteral("Sending pictures to friends is as easy as \"O-R-V-O\" with Orvo Image "
                           "Browser."),
            QStringLiteral("Find out more by downloading a free copy of Orvo Image Browser at ") +
                ProductDownloadAddress()};
}

QString ClearListQuestion() {
    return QStringLiteral("Finished. Would you like to clear the file list?");
}

QString MailErrorMessage() {
    return QStringLiteral("Error sending mail");
}

QString UnchangedLine(const QString& name) {
    return name + QStringLiteral(" - Unchanged");
}

QString ConvertedLine(const QString& bmpName) {
    return bmpName + QStringLiteral(" - Converted to Jpeg");
}

QString ConvertedAndResizedLine(const QString& bmpName, int width, int height, int newWidth,
                                int newHeight) {
    return bmpName + QStringLiteral(" - Converted to Jpeg and resized") +
           FromTo(width, height, newWidth, newHeight);
}

QString ResizedLine(const QString& name, int width, int height, int newWidth, int newHeight) {
    return name + QStringLiteral(" - Resized") + FromTo(width, height, newWidth, newHeight);
}

QString ErrorLine(const QString& name, const QString& message) {
    return name + QStringLiteral(" - ERROR: ") + message;
}
