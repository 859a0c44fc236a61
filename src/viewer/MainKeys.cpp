// SPDX-License-Identifier: MIT
// The main window's key handler: every key of the window goes through the key table before it
// reaches the control with the focus; the focus normally rests on an invisible field that drops
// what is typed, so letters act as commands.
#include "viewer/MainUnit.h"

#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

void TMainForm::SetKeyFocus() {
    if (isVisible())
        edtKeyGrab_->setFocus(Qt::OtherFocusReason);
}

KeyContext TMainForm::CurrentKeyContext() const {
    KeyContext context;
    context.hasCurrentFolder = currentFolder_ != nullptr;
    if (currentFolder_) {
        const QWidget* focus = QApplication::focusWidget();
        QWidget* list = currentFolder_->ImageView();
        context.listViewHasFocus = focus && list && (focus == list || list->isAncestorOf(focus));
        context.folderViewHasFocus =
            focus && (focus == currentFolder_ || currentFolder_->isAncestorOf(focus));
    }
    context.tabCount = thumbPageControl_->count();
    context.slideShowTimerRunning = slideShowTimer_->isActive();
    context.slideShowActive = SlideShowActive();
    context.fullScreen = fullScreen_;
    return context;
}

void TMainForm::FormKeyDown(QKeyEvent* event) {
    const KeyAction action = LookupKey(event->key(), event->modifiers(), CurrentKeyContext());
    if (action.command != KeyCommand::None)
        RunKeyCommand(action);
}

void TMainForm::StepTab(int direction) {
    const int count = thumbPageControl_->count();
    if (count <= 1)
        return;
    thumbPageControl_->setCurrentIndex((thumbPageControl_->currentIndex() + direction + count) %
                                       count);
}

void TMainForm::RunKeyCommand(const KeyAction& action) {
    using C = KeyCommand;
    switch (action.command) {
    case C::None:
        break;
    case C::ScrollHorizontal:
        ScrollHorizontal(action.argument);
        break;
    case C::ScrollVertical:
        ScrollVertical(action.argument);
        break;
    case C::PreviousImage:
        PreviousImage();
        break;
    case C::NextImage:
        NextImage();
        break;
    case C::PreviousTab:
        StepTab(-1);
        break;
    case C::NextTab:
        StepTab(+1);
        break;
    case C::RenameImage:
        RenameImage();
        break;
    case C::ShowOpenFolderDialog:
        ShowOpenFolderDialog();
        break;
    case C::PrintImage:
        PrintImage();
        break;
    case C::ShowAbout:
        ShowAbout();
        break;
    case C::EmailSelection:
        EmailSelection();
        break;
    case C::ShowToolbox:
        ShowToolbox();
        break;
    case C::TransformImage:
        TransformImage(action.argument);
        break;
    case C::ZoomBy:
        ManualZoom(action.argument);
        break;
    case C::ToggleFullScreen:
        ToggleFullScreen();
        break;
    case C::ReloadImage:
        ReloadImage();
        break;
    case C::CutSelected:
        currentFolder_->CutSelected();
        break;
    case C::CopySelected:
        currentFolder_->CopySelected();
        break;
    case C::PasteHere:
        currentFolder_->PasteHere();
        break;
    case C::SelectAll:
        currentFolder_->Model().SelectAll();
        break;
    case C::DeleteSelected:
        currentFolder_->DeleteSelected();
        break;
    case C::RescanFolder:
        currentFolder_->RefreshFolder();
        break;
    case C::CloseMainWindow:
        // After the key has reached the focused control: the close may take the window away.
        QTimer::singleShot(0, this, &QWidget::close);
        break;
    case C::ToggleAutoFit:
        ToggleAutoFit();
        break;
    case C::SaveImage:
        SaveImage();
        break;
    case C::StartSlideShow:
        StartSlideShow();
        break;
    case C::StopSlideShow:
        StopSlideShow();
        break;
    case C::PauseSlideShow:
        PauseSlideShow();
        break;
    case C::ShowOptions:
        ShowOptions();
        break;
    }
}
