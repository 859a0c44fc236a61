// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The canned contents of the program's message box and of its four confirmations that the user
// can switch off. Pure data: the dialogs put it on screen.

// Which picture the message box shows.
enum class HelpIcon { Info = 0, Alert = 1, Question = 2, Error = 3 };

// Everything one message of the message box sets. Buttons not made visible stay hidden; the OK
// button is always shown.
struct HelpBoxContent {
    QString caption;
    QString heading;
    QStringList detailLines; // an empty entry is an empty line
    HelpIcon icon = HelpIcon::Info;
    QString okCaption = QStringLiteral("OK");
    QString cancelCaption = QStringLiteral("Cancel");
    QString optionalCaption = QStringLiteral("Abort");
    bool cancelVisible = false;
    bool optionalVisible = false;
};

// The state the message box returns to after every close.
QString HelpBoxInitialCaption();  // "Helpful Hint"
QString DefaultOkCaption();       // "OK"
QString DefaultCancelCaption();   // "Cancel"
QString DefaultOptionalCaption(); // "Abort"

HelpBoxContent ErrorMessageContent(const QString& message);
HelpBoxContent OverwritePromptContent();
HelpBoxContent SmallImageOverwritePromptContent();
HelpBoxContent UnsupportedFormatContent(const QString& fileName);
HelpBoxContent DefaultHandlerErrorContent(const QString& extension);
HelpBoxContent EmailResultsContent(const QStringList& lines, bool hadError);

// The error shown when the open folder itself disappears, and the captions of its answers.
QString FolderDeletedMessage(); // "The Image Folder you have open has been deleted."
QString CloseFolderCaption();   // "Close Folder"
QString SaveImageCaption();     // "Save Image"

// The confirmations the user can switch off, each tied to one boolean setting.
enum class NotificationPrompt { DisableAutoFit, CloseFolder, EnableFullScreen, BeginSlideShow };

struct NotificationPromptTexts {
    QString caption;
    QString mainText;
    QString detailText;
    QString okCaption;
    QString cancelCaption;
    QString settingName;
};

NotificationPromptTexts NotificationPromptTextsFor(NotificationPrompt prompt);
QString DoNotPromptCaption();         // "Do not prompt me again."
QString NotificationInitialCaption(); // "Close Folder?"

// Whether the prompt tied to `settingName` is still switched on (missing means on).
bool ShouldPrompt(const QString& settingName);
