// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/PromptTexts.h"

#include "dialogs/DialogControls.h"

class QCheckBox;
class QLabel;
class QPushButton;

// The yes/no confirmation of the four prompts the user can switch off with "Do not prompt me
// again.". Every close writes the prompt's setting (the opposite of the check box), whatever
// the answer; the answer itself is never stored. One instance lives for the whole run
// (NotificationDlg() in dialogs/Dialogs.h).
class TNotificationDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TNotificationDlg(QWidget* parent = nullptr);

    // False once the user switched the prompt of `settingName` off.
    static bool ShouldPrompt(const QString& settingName);

    // Each shows its prompt modally and returns the answer (1 OK, 2 Cancel).
    int AskDisableAutoFit();
    int AskCloseFolder();
    int AskEnableFullScreen();
    int AskBeginSlideShow();
    int Ask(NotificationPrompt prompt);

    // The callers' pattern: true when the step may go on, that is when the prompt is switched
    // off or the user answered OK.
    bool Confirm(NotificationPrompt prompt);

    const QString& PromptSettingName() const { return promptSettingName_; }

    // Places explanation, check box and buttons below the wrapped question (done at every show).
    void ApplyLayout();

    QLabel* LblMain() const { return lblMain_; }
    QLabel* LblDetail() const { return lblDetail_; }
    QCheckBox* CbDoNotPrompt() const { return cbDoNotPrompt_; }
    QPushButton* SBtnOkay() const { return sbtnOkay_; }
    QPushButton* SBtnCancel() const { return sbtnCancel_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString promptSettingName_;
    QLabel* lblMain_ = nullptr;
    QLabel* lblDetail_ = nullptr;
    QCheckBox* cbDoNotPrompt_ = nullptr;
    QPushButton* sbtnOkay_ = nullptr;
    QPushButton* sbtnCancel_ = nullptr;
};
