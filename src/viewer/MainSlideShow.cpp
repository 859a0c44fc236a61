// SPDX-License-Identifier: MIT
// The slide show: starting, pausing and stopping it, each tick, and the pointer it hides.
#include "viewer/MainUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/NotificationDlgUnit.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "settings/RegistryUnit.h"
#include "tools/ToolsFormUnit.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>

bool TMainForm::SlideShowRunning() const {
    return slideShowTimer_->isActive();
}

void TMainForm::StartSlideShow() {
    if (!TSlideShowState::CanStart(currentFolder_ != nullptr,
                                   currentFolder_ ? currentFolder_->Model().FileCount() : 0,
                                   slideShowTimer_->isActive()))
        return;
    if (TNotificationDlg::ShouldPrompt(QString::fromLatin1(RegNames::ShowSlideShowPrompt)) &&
        NotificationDlg().AskBeginSlideShow() != 1)
        return;
    if (PromptSaveModified())
        return;
    slideShow_.Start(fullScreen_);
    SetWindowHint(slideShow_.WindowHint());
    Item("PauseHoldH1")->setText(slideShow_.PauseCaption());
    Item("SlideShow1")->setText(slideShow_.SlideShowCaption());
    // No question now: the show is on, so every control is hidden.
    SetFullScreen(true, true);
    if (startAtBeginning_ || !HasImage()) {
        if (playInReverse_)
            currentFolder_->Model().SelectLast();
        else
            currentFolder_->Model().SelectFirst();
        // Showing that image can end the show again ("Skip" on a file that fails to load).
        if (!SlideShowActive())
            return;
    }
    if (auto* button = findChild<QToolButton*>(QStringLiteral("SBtnSlideShow")))
        button->setChecked(true);
    slideShowTimer_->start();
    EnableFloatingViews(false);
    toolBox_->hide();
    UpdateCommands();
    HideCursor();
}

void TMainForm::SlideShowTimerTimer() {
    if (playInReverse_)
        PreviousImage();
    else
        NextImage();
    if (fullScreen_ && SlideShowActive())
        HideCursor();
}

void TMainForm::PauseSlideShow() {
    if (!SlideShowActive())
        return;
    slideShow_.TogglePause();
    Item("PauseHoldH1")->setText(slideShow_.PauseCaption());
    SetWindowHint(slideShow_.WindowHint());
    if (slideShow_.TimerRunning()) {
        slideShowTimer_->start();
        HideCursor();
        toolBox_->hide();
    } else {
        slideShowTimer_->stop();
        RevealCursor();
    }
    EnableFloatingViews(!slideShowTimer_->isActive());
    if (HasImage() && currentFolder_)
        UpdateCommands();
}

void TMainForm::StopSlideShow() {
    if (SlideShowActive()) {
        const bool fullScreenBefore = slideShow_.FullScreenBefore();
        slideShow_.Stop();
        Item("SlideShow1")->setText(slideShow_.SlideShowCaption());
        Item("PauseHoldH1")->setText(slideShow_.PauseCaption());
        if (auto* button = findChild<QToolButton*>(QStringLiteral("SBtnSlideShow")))
            button->setChecked(false);
        slideShowTimer_->stop();
        if (!fullScreenBefore && fullScreen_)
            SetFullScreen(false, false);
        else if (fullScreenBefore && fullScreen_)
            SetFullScreen(true, false);
        SetWindowHint(QString());
        RevealCursor();
    }
    if (HasImage() && currentFolder_) {
        EnableFloatingViews(true);
        UpdateCommands();
    }
}

void TMainForm::EnableFloatingViews(bool enabled) {
    for (TFolderViewForm* view : openFolders_) {
        if (view->IsFloating())
            view->setEnabled(enabled);
    }
}

void TMainForm::SetScreenCursor(std::optional<Qt::CursorShape> shape) {
    if (!shape) {
        if (screenCursorSet_)
            QApplication::restoreOverrideCursor();
        screenCursorSet_ = false;
        return;
    }
    if (screenCursorSet_)
        QApplication::changeOverrideCursor(QCursor(*shape));
    else
        QApplication::setOverrideCursor(QCursor(*shape));
    screenCursorSet_ = true;
}

void TMainForm::HideCursor() {
    cursorHidden_ = true;
    SetScreenCursor(Qt::BlankCursor);
}

void TMainForm::RevealCursor() {
    cursorHidden_ = false;
    SetScreenCursor(busyDepth_ > 0 ? std::optional(Qt::WaitCursor) : std::nullopt);
}

void TMainForm::PointerMoved(QPoint globalPosition) {
    if (cursorHidden_ && slideShow_.PointerMovedFar(globalPosition))
        SetScreenCursor(std::nullopt);
}

void TMainForm::SetWindowHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    scrollBox1_->setToolTip(hint.left(bar));
    scrollBox1_->setStatusTip(hint.mid(bar + 1));
    ShowLongHint(hint.mid(bar + 1));
}
