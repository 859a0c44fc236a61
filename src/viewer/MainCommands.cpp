// SPDX-License-Identifier: MIT
// Commands that hand the shown image to other windows and to the desktop.
#include "viewer/MainUnit.h"

#include "dialogs/OptionsFormUnit.h"
#include "email/EmailSizeFormUnit.h"
#include "tools/ToolsFormUnit.h"

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
