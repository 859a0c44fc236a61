// SPDX-License-Identifier: MIT
#include "dialogs/RenameDlgUnit.h"

#include "dialogs/DialogControls.h"
#include "dialogs/ModalResult.h"
#include "imaging/GenUtilWidgets.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TRenameDlg::TRenameDlg(QWidget* parent) : TModalDialog(parent) {
    setObjectName(QStringLiteral("RenameDlg"));
    setWindowTitle(QStringLiteral("Rename Image File"));
    setFixedSize(312, 134);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 296, 89);

    MakeDialogLabel(this, QStringLiteral("New File Name:"), 24, 24, "Label2");
    edtNewFileName_ = new QLineEdit(this);
    edtNewFileName_->setObjectName(QStringLiteral("EdtNewFileName"));
    edtNewFileName_->setGeometry(24, 40, 264, edtNewFileName_->sizeHint().height());
    MakeDialogLabel(this, QStringLiteral("File Type:"), 24, 72, "Label1");
    lblFileType_ = MakeDialogLabel(this, QStringLiteral("[File Type]"), 72, 72, "LblFileType");
    lblFileType_->setFixedWidth(216);

    auto* okay = MakeDialogButton(this, QStringLiteral("OK"), QRect(79, 105, 72, 25), "SBtnOkay");
    auto* cancel =
        MakeDialogButton(this, QStringLiteral("Cancel"), QRect(161, 105, 72, 25), "SBtnCancel");
    connect(okay, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(mrCancel); });

    WidenButtonsForDpi(this);
}

void TRenameDlg::Prepare(const QString& baseName, const QString& fileTypeName) {
    edtNewFileName_->setText(baseName);
    lblFileType_->setText(fileTypeName);
}

int TRenameDlg::ShowModal() {
    return exec();
}

QString TRenameDlg::NewFileName() const {
    return edtNewFileName_->text();
}

void TRenameDlg::showEvent(QShowEvent* event) {
    TModalDialog::showEvent(event);
    // Typing replaces the whole old name.
    edtNewFileName_->setFocus();
    edtNewFileName_->selectAll();
}
