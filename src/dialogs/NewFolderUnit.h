// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/DialogControls.h"

class QLabel;
class QLineEdit;

// "Create Folder": asks for the name of a new sub-folder of a given folder. The caller fills the
// parent folder, shows the dialog modally and on 1 creates NewFolderPath() itself; the dialog
// does not check the name. One instance lives for the whole run (NewFolderDlg() in
// dialogs/Dialogs.h).
class TNewFolderDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TNewFolderDlg(QWidget* parent = nullptr);

    // Shows `parentFolder` (literally) and empties the name field.
    void Prepare(const QString& parentFolder);
    // 1 OK, 2 Cancel; the typed name stays for the next show unless Prepare is called again.
    int ShowModal();
    QString CurrentFolder() const { return currentFolder_; }
    QString NewFolderName() const;
    // The parent folder joined with the typed name.
    QString NewFolderPath() const;

    QLabel* LblCurFolder() const { return lblCurFolder_; }
    QLineEdit* EdtNewFolderName() const { return edtNewFolderName_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString currentFolder_;
    QLabel* lblCurFolder_ = nullptr;
    QLineEdit* edtNewFolderName_ = nullptr;
};
