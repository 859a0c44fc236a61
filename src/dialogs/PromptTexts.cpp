// SPDX-License-Identifier: MIT
#include "dialogs/PromptTexts.h"

#include "imaging/ImageFormats.h"
#include "settings/RegistryUnit.h"

namespace {

// The two overwrite prompts differ only in their first two detail lines.
HelpBoxContent OverwriteContent(const QString& first, const QString& second) {
    HelpBoxContent content;
    content.caption =
        QStringLiteral("Overwrite current image file with modified image before continuing?");
    content.heading =
        QStringLiteral("The current image has been modified. Do you want to overwrite the current "
                       "image file with these changes before continuing?");
    content.detailLines = {first, second, QString(),
                           QStringLiteral("Selecting \"Yes\" will cause the current file to be "
                                          "overwritten."),
                           QStringLiteral("Selecting \"No\" will allow you to choose a new file "
                                          "name.")};
    content.icon = HelpIcon::Question;
    content.okCaption = QStringLiteral("Yes");
    content.cancelCaption = QStringLiteral("No");
    content.optionalCaption = QStringLiteral("Discard Changes");
    content.cancelVisible = true;
    content.optionalVisible = true;
    return content;
}

} // namespace

QString HelpBoxInitialCaption() {
    return QStringLiteral("Helpful Hint");
}

QString DefaultOkCaption() {
    return QStringLiteral("OK");
}

QString DefaultCancelCaption() {
    return QStringLiteral("Cancel");
}

QString DefaultOptionalCaption() {
    return QStringLiteral("Abort");
}

HelpBoxContent ErrorMessageContent(const QString& message) {
    HelpBoxContent content;
    content.caption = QStringLiteral("Error");
    content.heading = QStringLiteral("The following error has occurred:");
    content.detailLines = {message};
    content.icon = HelpIcon::Error;
    return content;
}

HelpBoxContent OverwritePromptContent() {
    return OverwriteContent(
        QStringLiteral(
            "Whenever an image is resized or modified and then saved, its quality can diminish."),
        QStringLiteral("We recommend saving a modified image to a new file name so that the "
                       "original file can be reused without loss of quality."));
}

HelpBoxContent SmallImageOverwritePromptContent() {
    return OverwriteContent(
        QStringLiteral(
            "Rotating or flipping an image of this small size can compromise its quality."),
        QStringLiteral("We recommend saving a rotated or flipped image of this size to a new file "
                       "name so that the original file can be reused without loss of quality."));
}

HelpBoxContent UnsupportedFormatContent(const QString& fileName) {
    HelpBoxContent content;
    content.caption = UnsupportedFormatCaption();
    content.heading = UnsupportedFormatHeadline(fileName);
    content.detailLines = SupportedFormatLines();
    content.icon = HelpIcon::Alert;
    return content;
}

HelpBoxContent DefaultHandlerErrorContent(const QString& extension) {
    HelpBoxContent content;
    content.caption = QStringLiteral("Unable to Set as Default Handler");
    content.heading = QStringLiteral("Orvo Image Browser could not be set as the default handler "
                                     "for ") +
                      extension + QStringLiteral(" images.");
    content.detailLines = {QStringLiteral(
        "Orvo Image Browser may not have been installed properly, or you may not have the access "
        "permissions required to perform this operation.")};
    content.icon = HelpIcon::Alert;
    return content;
}

HelpBoxContent EmailResultsContent(const QStringList& lines, bool hadError) {
    HelpBoxContent content;
    content.caption = QStringLiteral("Results of Email Optimization");
    content.heading = QStringLiteral("Results of Email Optimization:");
    content.detailLines = lines;
    content.icon = hadError ? HelpIcon::Error : HelpIcon::Info;
    content.okCaption = QStringLiteral("Continue");
    return content;
}

QString FolderDeletedMessage() {
    return QStringLiteral("The Image Folder you have open has been deleted.");
}

QString CloseFolderCaption() {
    return QStringLiteral("Close Folder");
}

QString SaveImageCaption() {
    return QStringLiteral("Save Image");
}

NotificationPromptTexts NotificationPromptTextsFor(NotificationPrompt prompt) {
    switch (prompt) {
    case NotificationPrompt::DisableAutoFit:
        return {QStringLiteral("Disable Auto-fit Mode?"),
                QStringLiteral("Would you like to disable \"Auto-fit\" mode?"),
                QStringLiteral("Zooming capabilities are disabled while \"Auto-fit\" mode is "
                               "enabled."),
                QStringLiteral("Yes"),
                QStringLiteral("No"),
                QString::fromLatin1(RegNames::ShowAutoFitPrompt)};
    case NotificationPrompt::CloseFolder:
        return {QStringLiteral("Close Folder?"),
                QStringLiteral("Are you sure that you want to close this folder?"),
                QStringLiteral("If you would rather return this folder view to filmstrip mode, "
                               "then click \"No\" and then click \"File | Return to Filmstrip\"."),
                QStringLiteral("Yes"),
                QStringLiteral("No"),
                QString::fromLatin1(RegNames::ShowCloseFolderPrompt)};
    case NotificationPrompt::EnableFullScreen:
        return {QStringLiteral("Enable Full-Screen Mode?"),
                QStringLiteral("You are enabling \"Full-Screen\" mode."),
                QStringLiteral("To exit from Full Screen mode, press \"Esc\" or \"F11\"."),
                QStringLiteral("OK"),
                QStringLiteral("Cancel"),
                QString::fromLatin1(RegNames::ShowFullScreenPrompt)};
    case NotificationPrompt::BeginSlideShow:
        return {QStringLiteral("Begin Slide Show?"),
                QStringLiteral("You are starting a slide show, which is shown in \"Full-Screen\" "
                               "mode."),
                QStringLiteral("To stop the Slide Show, press \"Esc\" or \"S\"."),
                QStringLiteral("OK"),
                QStringLiteral("Cancel"),
                QString::fromLatin1(RegNames::ShowSlideShowPrompt)};
    }
    return {};
}

QString DoNotPromptCaption() {
    return QStringLiteral("Do not prompt me again.");
}

QString NotificationInitialCaption() {
    return QStringLiteral("Close Folder?");
}

bool ShouldPrompt(const QString& settingName) {
    return ReadRegBool(settingName, true);
}
