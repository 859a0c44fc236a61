// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/PromptTexts.h"

#include "dialogs/DialogControls.h"

#include <functional>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The program's message box: a bold heading, a scrollable detail text, one of four icons and
// up to three buttons answering 1 (OK), 2 (Cancel) and 3 (Abort). It carries the canned
// messages and is the error box for every error that reaches the event loop. One instance lives
// for the whole run (HelpDlg() in dialogs/Dialogs.h); callers fill it, show it modally and act
// on the answer. After every close the buttons return to a single "OK".
class THelpDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit THelpDlg(QWidget* parent = nullptr);

    // Shows exactly the picture of `kind` (0 info, 1 alert, 2 question, 3 error).
    void SetIconKind(HelpIcon kind);
    HelpIcon IconKind() const { return iconKind_; }
    // The detail text becomes `text` alone.
    void SetDetailText(const QString& text);
    QString DetailText() const;

    // Caption, heading, error icon and detail, then shown modally; the answer.
    int ShowHelpBox(const QString& caption, const QString& heading, const QString& detail);
    // "Error" / "The following error has occurred:" / the message.
    int ShowErrorMessage(const QString& message);

    // Fill the box for one canned message without showing it; ShowModal() then asks.
    void PrepareOverwritePrompt();
    void PrepareSmallImageOverwritePrompt();
    void PrepareUnsupportedFormat(const QString& fileName);
    void PrepareDefaultHandlerError(const QString& extension);
    void PrepareEmailResults(const QStringList& lines, bool hadError);
    void Prepare(const HelpBoxContent& content);
    int ShowModal();

    // Turn the next box into a two-way question; the close undoes both.
    void SetOkCaption(const QString& caption);
    void ShowCancelButton(const QString& caption);

    // The open folder was deleted: "Close Folder" (1) and, when `offerSaveImage`, "Save Image"
    // (2, the caller then runs its save). Without the offer every answer means close.
    int ShowFolderDeletedPrompt(bool offerSaveImage);

    // Places bevel, detail, buttons and the window height for the current texts (done at
    // every show).
    void ApplyLayout();

    QPushButton* SbtnOkay() const { return sbtnOkay_; }
    QPushButton* SBtnCancel() const { return sbtnCancel_; }
    QPushButton* SbtnOptional() const { return sbtnOptional_; }
    QLabel* LblHelpText() const { return lblHelpText_; }
    QPlainTextEdit* MmoHelpDetail() const { return mmoHelpDetail_; }
    QFrame* Bevel1() const { return bevel1_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void EscapePressed() override;

private:
    void ResetButtons();

    HelpIcon iconKind_ = HelpIcon::Info;
    QFrame* bevel1_ = nullptr;
    QLabel* icons_[4] = {};
    QLabel* lblHelpText_ = nullptr;
    QPlainTextEdit* mmoHelpDetail_ = nullptr;
    QPushButton* sbtnOkay_ = nullptr;
    QPushButton* sbtnCancel_ = nullptr;
    QPushButton* sbtnOptional_ = nullptr;
};

// The error box of the application's error hook: the shared message box when it exists and is
// not already on screen, otherwise a box of its own with the same look.
void ShowApplicationError(const QString& message);

// Runs one user action and shows an error it raises in the application's error box.
void ReportErrors(const std::function<void()>& action);

// The standard message box with an error icon and an OK button, for the messages that are not
// shown in the program's own box.
void ShowStandardErrorBox(const QString& message, QWidget* parent = nullptr);
