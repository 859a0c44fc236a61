// SPDX-License-Identifier: MIT
// Commands that hand the shown image to other windows and to the desktop.
#include "viewer/MainUnit.h"

#include "dialogs/OptionsFormUnit.h"
#include "email/EmailSizeFormUnit.h"
#include "tools/ToolsFormUnit.h"

void TMainForm::TransformImage(int code) {
    Q_UNUSED(code); // rotating and flipping arrive with the image commands
}

void TMainForm::RenameImage() {
    // renaming from the viewer arrives with the image commands
}

void TMainForm::ResizeImage(int width, int height) {
    Q_UNUSED(width); // resizing arrives with the image commands
    Q_UNUSED(height);
}

void TMainForm::ShowToolbox() {
    if (SlideShowRunning())
        return;
    toolBox_->ResetSizes();
    toolBox_->EnableTools(HasImage());
    toolBox_->show();
    toolBox_->raise();
}

void TMainForm::ShowOptions(int page) {
    if (page == LastOptionsPage)
        optionsForm_->ShowModal();
    else
        optionsForm_->ShowModal(OptionsPage(page));
}

void TMainForm::EmailSelection() {
    emailDlg_->EmailSelection();
}
