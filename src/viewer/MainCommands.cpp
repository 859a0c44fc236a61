// SPDX-License-Identifier: MIT
// Commands that hand the shown image to other windows and to the desktop.
#include "viewer/MainUnit.h"

void TMainForm::PrintImage() {
    // printing arrives with the desktop commands
}

void TMainForm::ShowToolbox() {
    // the image tools window arrives with its own window
}

void TMainForm::ShowOptions(int page) {
    Q_UNUSED(page); // the Options dialog arrives with its own window
}

void TMainForm::EmailSelection() {
    // the e-mail wizard arrives with its own window
}
