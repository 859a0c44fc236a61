// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The e-mail wizard's own texts.

QString EmailWizardDesignCaption(); // "Email Selected Images"
QString EmailWizardHeading();       // "Email Optimization Wizard"
QString EmailWizardIntroduction();
QString EmailSpeedGroupCaption();           // "Image Size (Your Internet Connection Speed)"
QString EmailSpeedItemText(int speedIndex); // "Large (Cable/DSL)" ...
QString ShowResultsCaption();               // "Show results after optimization."
QString DontResizeCaption();                // "Do not resize the images. Leave them as they are."
QString ShowFilesCaption(bool paneShown);   // "Show Files >" / "< Hide Files"
QString CancelCaption(bool listEmpty);      // "Close" / "Cancel"

// The window caption for the names in the list: "No Files to Email", "Email " + the one name,
// or "Email " + the count + " Images".
QString EmailWizardCaption(const QStringList& names);

// The lines that follow the user's message in every mail: three empty lines, a rule of 69
// hyphens and two lines about the program with the address of its download page.
QStringList EmailFooterLines();
// The maker's web site, the same address the about window and "Visit Website..." use.
QString ProductDownloadAddress();

// The question after a successful hand-off.
QString ClearListQuestion(); // "Finished. Would you like to clear the file list?"

// The hand-off's error text before " (" + code + ").".
QString MailErrorMessage(); // "Error sending mail"

// The result lines of one file (`name` as the results show it).
QString UnchangedLine(const QString& name);
QString ConvertedLine(const QString& bmpName);
QString ConvertedAndResizedLine(const QString& bmpName, int width, int height, int newWidth,
                                int newHeight);
QString ResizedLine(const QString& name, int width, int height, int newWidth, int newHeight);
QString ErrorLine(const QString& name, const QString& message);
