// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/DialogControls.h"

class QLabel;
class QLineEdit;

// "Rename Image File": asks for a new file name without its extension. The caller fills the
// name and the file type, shows the dialog modally and on 1 reads the name. The dialog checks
// nothing itself (see dialogs/RenameRules.h). One instance lives for the whole run
// (RenameDlg() in dialogs/Dialogs.h).
class TRenameDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TRenameDlg(QWidget* parent = nullptr);

    // Puts the old name (without extension) and the type name of the file into the fields.
    void Prepare(const QString& baseName, const QString& fileTypeName);
    // Shows the dialog modally with the whole name selected; 1 OK, 2 Cancel. What the user
    // typed stays for the next show unless Prepare is called again.
    int ShowModal();
    QString NewFileName() const;

    QLineEdit* EdtNewFileName() const { return edtNewFileName_; }
    QLabel* LblFileType() const { return lblFileType_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* edtNewFileName_ = nullptr;
    QLabel* lblFileType_ = nullptr;
};
