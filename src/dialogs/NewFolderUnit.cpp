// SPDX-License-Identifier: MIT
#include "dialogs/NewFolderUnit.h"

#include "dialogs/DialogControls.h"
#include "dialogs/ModalResult.h"
#include "imaging/GenUtilWidgets.h"
#include "imaging/ImageFormats.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TNewFolderDlg::TNewFolderDlg(QWidget* parent) : TModalDialog(parent) {
    setObjectName(QStringLiteral("NewFolderDlg"));
    setWindowTitle(QStringLiteral("Create Folder"));
    setFixedSize(312, 164);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 296, 113);

    MakeDialogLabel(this, QStringLiteral("Current Folder:"), 24, 24, "Label1");
    lblCurFolder_ = MakeDialogLabel(this, QStringLiteral("/"), 24, 40, "LblCurFolder");
    lblCurFolder_->setFixedWidth(257);
    MakeDialogLabel(this, QStringLiteral("New Sub Folder Name:"), 24, 70, "Label2");
    edtNewFolderName_ = new QLineEdit(this);
    edtNewFolderName_->setObjectName(QStringLiteral("EdtNewFolderName"));
    edtNewFolderName_->setGeometry(24, 86, 264, edtNewFolderName_->sizeHint().height());

    auto* okay = MakeDialogButton(this, QStringLiteral("OK"), QRect(79, 128, 72, 25), "SBtnOkay");
    auto* cancel =
        MakeDialogButton(this, QStringLiteral("Cancel"), QRect(161, 128, 72, 25), "SBtnCancel");
    connect(okay, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(mrCancel); });

    WidenButtonsForDpi(this);
}

void TNewFolderDlg::Prepare(const QString& parentFolder) {
    currentFolder_ = parentFolder;
    lblCurFolder_->setText(parentFolder);
    edtNewFolderName_->clear();
}

int TNewFolderDlg::ShowModal() {
    return exec();
}

QString TNewFolderDlg::NewFolderName() const {
    return edtNewFolderName_->text();
}

QString TNewFolderDlg::NewFolderPath() const {
    return JoinPath(currentFolder_, NewFolderName());
}

void TNewFolderDlg::showEvent(QShowEvent* event) {
    TModalDialog::showEvent(event);
    edtNewFolderName_->setFocus();
}
