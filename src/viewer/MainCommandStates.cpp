// SPDX-License-Identifier: MIT
// Which of the main window's commands are enabled, from the folders, the shown image and the
// slide show.
#include "viewer/MainUnit.h"

#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "tools/ToolsFormUnit.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

namespace {

// What a command needs to be enabled.
enum class Need {
    Files,         // a current folder with at least one file
    SelectionIdle, // no slide-show timer, and a current folder with a selection
    FolderIdle,    // no slide-show timer, and a current folder
    NoSlideShow,   // no slide show at all, running or paused
    SlideShow,     // a slide show, running or paused
    Idle,          // no slide-show timer
    ModifiedIdle,  // no slide-show timer, and a modified image
    ImageIdle,     // no slide-show timer, and an image shown
    Image,         // an image shown
};

struct CommandState {
    const char* name; // a tool button, menu item, or menu (whose item is enabled)
    Need need;
};

constexpr CommandState CommandStates[] = {
    {"SBtnPrevious", Need::Files},
    {"SBtnNext", Need::Files},
    {"SBtnSlideShow", Need::Files},
    {"SlideShow1", Need::Files},
    {"PreviousImage1", Need::Files},
    {"NextImage1", Need::Files},
    {"Delete1", Need::SelectionIdle},
    {"CloseCurrentFolder1", Need::FolderIdle},
    {"AdvancedFolderView1", Need::FolderIdle},
    {"AdvancedFolderView2", Need::FolderIdle},
    {"CloseFolder1", Need::FolderIdle},
    {"VisibleFullScreenControls1", Need::NoSlideShow},
    {"PauseHoldH1", Need::SlideShow},
    {"Controls1", Need::Idle},
    {"ViewMainMenu1", Need::Idle},
    {"ThumbPageControl", Need::Idle},
    {"SBtnOpen", Need::Idle},
    {"OpenImage1", Need::Idle},
    {"OpenRecent1", Need::Idle},
    {"SBtnTools", Need::Idle},
    {"oolBox1", Need::Idle},
    {"SBtnEmail", Need::Idle},
    {"PrinterSetup1", Need::Idle},
    {"Help1", Need::Idle},
    {"SBtnSave", Need::ModifiedIdle},
    {"SaveCtrlS1", Need::ModifiedIdle},
    {"Rotate1", Need::ImageIdle},
    {"Flip1", Need::ImageIdle},
    {"SBtnRotateCCW", Need::ImageIdle},
    {"SBtnRotateCW", Need::ImageIdle},
    {"PrintCtrlP1", Need::ImageIdle},
    {"SBtnPrint", Need::ImageIdle},
    {"Rename1", Need::ImageIdle},
    {"SaveAs1", Need::ImageIdle},
    {"CopyToClipboard1", Need::ImageIdle},
    {"CopyToClipboard2", Need::ImageIdle},
    {"FileProperties1", Need::ImageIdle},
    {"SetasDesktopWallpaper1", Need::ImageIdle},
    {"SetAsDesktopWallpaper2", Need::ImageIdle},
    {"ReloadImageF51", Need::ImageIdle},
    {"SBtnZoomOut", Need::Image},
    {"SBtnZoomIn", Need::Image},
    {"CmbZoomPercent", Need::Image},
    {"Zoom1", Need::Image},
};

void SetEnabled(QObject* control, bool enabled) {
    if (auto* menu = qobject_cast<QMenu*>(control))
        menu->menuAction()->setEnabled(enabled);
    else if (auto* item = qobject_cast<QAction*>(control))
        item->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
}

} // namespace

void TMainForm::UpdateCommands() {
    if (!closeCurrentFolder1_)
        return; // still being created
    const bool timer = slideShowTimer_->isActive();
    const bool files = currentFolder_ && currentFolder_->Model().FileCount() > 0;
    const bool selection = currentFolder_ && currentFolder_->Model().SelectionCount() > 0;
    const auto enabled = [&](Need need) {
        switch (need) {
        case Need::Files:
            return files;
        case Need::SelectionIdle:
            return !timer && selection;
        case Need::FolderIdle:
            return !timer && currentFolder_ != nullptr;
        case Need::NoSlideShow:
            return !SlideShowActive();
        case Need::SlideShow:
            return SlideShowActive();
        case Need::Idle:
            return !timer;
        case Need::ModifiedIdle:
            return !timer && imageModified_;
        case Need::ImageIdle:
            return !timer && HasImage();
        case Need::Image:
            return HasImage();
        }
        return false;
    };
    for (const CommandState& state : CommandStates) {
        if (QObject* control = Control(state.name))
            SetEnabled(control, enabled(state.need));
    }
    if (toolBox_)
        toolBox_->EnableTools(enabled(Need::ImageIdle));
}
