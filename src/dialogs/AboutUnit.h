// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/DialogControls.h"

class QLabel;
class QPushButton;
class QTimer;

// The about window, which doubles as the start-up splash: borderless, white, on top of other
// windows. As splash it has no Close button and closes itself after 3.5 seconds; as about
// window it is modal with its Close button. Enter or Esc closes it either way. The main window
// creates it at the start of its own creation and frees it at its destruction.
class TAboutDlg : public TModalDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* parent = nullptr);

    // The last step of the main window's creation: the splash, unless the first argument after
    // the program is exactly "/nosplash". The overload without arguments reads the program's.
    void ShowSplashAtStart();
    void ShowSplashAtStart(const QStringList& arguments);
    // Shows the window without blocking, without its Close button, closing itself later.
    void ShowSplash();
    // The about window, modal. A splash still on screen is closed first and the window comes
    // back at once as the about window.
    int ShowAbout();

    QPushButton* SBtnClose() const { return sbtnClose_; }
    QTimer* AutoCloseTimer() const { return autoCloseTimer_; }

public slots:
    void done(int result) override;

private:
    void Label1Click();
    void Label3Click();

    QPushButton* sbtnClose_ = nullptr;
    QTimer* autoCloseTimer_ = nullptr;
};
