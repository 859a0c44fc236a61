// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

class THelpDlg;
class TNotificationDlg;
class TRenameDlg;
class TNewFolderDlg;
class TOpenFolderForm;
class TSaveAsForm;

// The program's shared dialogs: one instance each, created once and reused for every use.
// CreateDialogs makes them all in a fixed order at start-up (message box, confirmation, rename,
// create folder, open folder, save image); an accessor called earlier creates its own dialog on the
// spot. They are freed when the event loop ends (or by DestroyDialogs).
void CreateDialogs(const QStringList& recentFolders);
void DestroyDialogs();

THelpDlg& HelpDlg();
TNotificationDlg& NotificationDlg();
TRenameDlg& RenameDlg();
TNewFolderDlg& NewFolderDlg();
// The recent folders fill its folder box on creation (the main window keeps the list).
TOpenFolderForm& OpenFolderForm(const QStringList& recentFolders = {});
TSaveAsForm& SaveAsForm();

// The message box when it has been created, else null.
THelpDlg* HelpDlgIfCreated();
