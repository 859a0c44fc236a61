// SPDX-License-Identifier: MIT
#include "dialogs/NotificationDlgUnit.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/PromptLayout.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilWidgets.h"
#include "settings/RegistryUnit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int TextWidth = 314;

} // namespace

TNotificationDlg::TNotificationDlg(QWidget* parent) : TModalDialog(parent) {
    setObjectName(QStringLiteral("NotificationDlg"));
    setWindowTitle(NotificationInitialCaption());
    setFixedSize(348, 154);

    lblMain_ = MakeDialogLabel(this, QString(), 16, 16, "LblMain");
    QFont bold = lblMain_->font();
    bold.setBold(true);
    lblMain_->setFont(bold);
    FitWrappedLabel(lblMain_, TextWidth, 0);
    lblDetail_ = MakeDialogLabel(this, QString(), 16, 48, "LblDetail");
    FitWrappedLabel(lblDetail_, TextWidth, 0);

    cbDoNotPrompt_ = new QCheckBox(DoNotPromptCaption(), this);
    cbDoNotPrompt_->setObjectName(QStringLiteral("CbDoNotPrompt"));
    cbDoNotPrompt_->move(16, 88);
    cbDoNotPrompt_->adjustSize();

    sbtnOkay_ = MakeDialogButton(this, QStringLiteral("Yes"), QRect(98, 120, 72, 25), "SBtnOkay");
    sbtnCancel_ =
        MakeDialogButton(this, QStringLiteral("No"), QRect(178, 120, 72, 25), "SBtnCancel");
    connect(sbtnOkay_, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(sbtnCancel_, &QPushButton::clicked, this, [this] { done(mrCancel); });

    WidenButtonsForDpi(this);
}

bool TNotificationDlg::ShouldPrompt(const QString& settingName) {
    return ::ShouldPrompt(settingName);
}

int TNotificationDlg::AskDisableAutoFit() {
    return Ask(NotificationPrompt::DisableAutoFit);
}

int TNotificationDlg::AskCloseFolder() {
    return Ask(NotificationPrompt::CloseFolder);
}

int TNotificationDlg::AskEnableFullScreen() {
    return Ask(NotificationPrompt::EnableFullScreen);
}

int TNotificationDlg::AskBeginSlideShow() {
    return Ask(NotificationPrompt::BeginSlideShow);
}

int TNotificationDlg::Ask(NotificationPrompt prompt) {
    const NotificationPromptTexts texts = NotificationPromptTextsFor(prompt);
    setWindowTitle(texts.caption);
    lblMain_->setText(texts.mainText);
    lblDetail_->setText(texts.detailText);
    sbtnOkay_->setText(texts.okCaption);
    sbtnCancel_->setText(texts.cancelCaption);
    promptSettingName_ = texts.settingName;
    return exec();
}

bool TNotificationDlg::Confirm(NotificationPrompt prompt) {
    if (!ShouldPrompt(NotificationPromptTextsFor(prompt).settingName))
        return true;
    return Ask(prompt) == mrOk;
}

void TNotificationDlg::ApplyLayout() {
    NotificationLayoutInput input;
    input.mainTop = lblMain_->y();
    input.mainHeight = FitWrappedLabel(lblMain_, TextWidth, 0);
    input.detailHeight = FitWrappedLabel(lblDetail_, TextWidth, 0);
    input.checkBoxHeight = cbDoNotPrompt_->height();
    input.buttonHeight = sbtnOkay_->height();
    const NotificationLayout layout = ComputeNotificationLayout(input);
    lblDetail_->move(lblDetail_->x(), layout.detailTop);
    cbDoNotPrompt_->move(cbDoNotPrompt_->x(), layout.checkBoxTop);
    sbtnOkay_->move(sbtnOkay_->x(), layout.buttonTop);
    sbtnCancel_->move(sbtnCancel_->x(), layout.buttonTop);
    setFixedSize(width(), layout.clientHeight);
}

void TNotificationDlg::showEvent(QShowEvent* event) {
    cbDoNotPrompt_->setChecked(false);
    ApplyLayout();
    TModalDialog::showEvent(event);
    sbtnOkay_->setFocus();
}

void TNotificationDlg::done(int result) {
    TModalDialog::done(result);
    // The setting follows the check box whatever the answer; a prompt switched off acts as OK.
    const QString name = promptSettingName_;
    promptSettingName_.clear();
    if (name.isEmpty())
        return;
    try {
        WriteRegString(name, BoolToRegText(!cbDoNotPrompt_->isChecked()));
    } catch (const AppError& error) {
        ShowApplicationError(error.Message());
    }
}
