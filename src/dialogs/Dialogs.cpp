// SPDX-License-Identifier: MIT
#include "dialogs/Dialogs.h"

#include "dialogs/HelpDlgUnit.h"
#include "dialogs/NewFolderUnit.h"
#include "dialogs/NotificationDlgUnit.h"
#include "dialogs/OpenFolderUnit.h"
#include "dialogs/RenameDlgUnit.h"
#include "dialogs/SaveAsUnit.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// Top-level windows without a parent; QPointer notices when one is gone. They are deleted while
// the application object still exists, never by static destruction.
struct DialogSet {
    QPointer<THelpDlg> help;
    QPointer<TNotificationDlg> notification;
    QPointer<TRenameDlg> rename;
    QPointer<TNewFolderDlg> newFolder;
    QPointer<TOpenFolderForm> openFolder;
    QPointer<TSaveAsForm> saveAs;
    bool cleanupHooked = false;
};

DialogSet& Dialogs() {
    static DialogSet set;
    return set;
}

template <typename Dialog, typename... Args>
Dialog& Instance(QPointer<Dialog>& slot, Args&&... args) {
    DialogSet& set = Dialogs();
    if (!set.cleanupHooked && QCoreApplication::instance()) {
        set.cleanupHooked = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         &DestroyDialogs);
    }
    if (!slot)
        slot = new Dialog(std::forward<Args>(args)...);
    return *slot;
}

} // namespace

void CreateDialogs(const QStringList& recentFolders) {
    HelpDlg();
    NotificationDlg();
    RenameDlg();
    NewFolderDlg();
    OpenFolderForm(recentFolders);
    SaveAsForm();
}

void DestroyDialogs() {
    DialogSet& set = Dialogs();
    delete set.saveAs.data();
    delete set.openFolder.data();
    delete set.newFolder.data();
    delete set.rename.data();
    delete set.notification.data();
    delete set.help.data();
}

THelpDlg& HelpDlg() {
    return Instance(Dialogs().help);
}

TNotificationDlg& NotificationDlg() {
    return Instance(Dialogs().notification);
}

TRenameDlg& RenameDlg() {
    return Instance(Dialogs().rename);
}

TNewFolderDlg& NewFolderDlg() {
    return Instance(Dialogs().newFolder);
}

TOpenFolderForm& OpenFolderForm(const QStringList& recentFolders) {
    return Instance(Dialogs().openFolder, recentFolders);
}

TSaveAsForm& SaveAsForm() {
    return Instance(Dialogs().saveAs);
}

THelpDlg* HelpDlgIfCreated() {
    return Dialogs().help.data();
}
