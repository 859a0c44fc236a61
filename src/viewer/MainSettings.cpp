// SPDX-License-Identifier: MIT
// The main window's stored settings: read and applied at creation, written back at close, and
// the program's temporary folder emptied at close.
#include "viewer/MainUnit.h"

#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "settings/RegistryUnit.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace {

// The visibility choices in the order they are read and written.
struct VisibilitySetting {
    const char* name;
    ViewControl control;
    bool fullScreenSet;
    bool defaultValue;
};

constexpr VisibilitySetting VisibilitySettings[] = {
    {RegNames::MenuVisible, ViewControl::MainMenu, false, true},
    {RegNames::ThumbsVisible, ViewControl::Filmstrip, false, true},
    {RegNames::NavVisible, ViewControl::ToolBar, false, true},
    {RegNames::StatusVisible, ViewControl::StatusBar, false, true},
    {RegNames::FullScreenMenuVisible, ViewControl::MainMenu, true, false},
    {RegNames::FullScreenThumbsVisible, ViewControl::Filmstrip, true, true},
    {RegNames::FullScreenListVisible, ViewControl::AdvancedViews, true, false},
    {RegNames::FullScreenNavVisible, ViewControl::ToolBar, true, false},
    {RegNames::FullScreenStatusVisible, ViewControl::StatusBar, true, false},
};

constexpr int DefaultSlideShowInterval = 5000;

} // namespace

void TMainForm::ReadSettings() {
    // A pause that is not positive would tick without end (or never); it falls back to the
    // default.
    const int interval = ReadRegInteger(RegNames::SlideShowInterval, DefaultSlideShowInterval);
    slideShowTimer_->setInterval(interval > 0 ? interval : DefaultSlideShowInterval);
    startAtBeginning_ = ReadRegBool(RegNames::StartAtBeginning, false);
    playInReverse_ = ReadRegBool(RegNames::PlayInReverse, false);
    SetBackgroundColor(RegIntegerToColor(ReadRegInteger(BackgroundColorValueName(), 0)));
    Item("AnimateGif1")->setChecked(ReadRegBool(RegNames::AnimateGif, true));
    autoSaveImages_ = ReadRegBool(RegNames::AutoSaveImages, true);
    hideFolderTab_ = ReadRegBool(RegNames::HideFolderTab, false);
    for (const VisibilitySetting& setting : VisibilitySettings) {
        const bool on = ReadRegBool(setting.name, setting.defaultValue);
        if (setting.fullScreenSet)
            visibility_.SetFull(setting.control, on);
        else
            visibility_.SetWindowed(setting.control, on);
    }
    SyncVisibilityChecks();
}

void TMainForm::WriteSettings() {
    // One guarded block: the first failure ends it, and closing goes on.
    try {
        for (const VisibilitySetting& setting : VisibilitySettings) {
            const bool on = setting.fullScreenSet ? visibility_.Full(setting.control)
                                                  : visibility_.Windowed(setting.control);
            WriteRegString(setting.name, BoolToRegText(on));
        }
        WriteRegString(BackgroundColorValueName(),
                       QString::number(ColorToRegInteger(BackgroundColor())));
        WriteRegString(RegNames::SlideShowInterval, QString::number(slideShowTimer_->interval()));
        WriteRegString(RegNames::StartAtBeginning, BoolToRegText(startAtBeginning_));
        WriteRegString(RegNames::PlayInReverse, BoolToRegText(playInReverse_));
        WriteRegString(RegNames::AnimateGif, BoolToRegText(AnimateGif()));
        WriteRegString(RegNames::AutoSaveImages, BoolToRegText(autoSaveImages_));
        WriteRegString(RegNames::HideFolderTab, BoolToRegText(hideFolderTab_));
        WriteRegString(RegNames::FileMruMaxItems, QString::number(fileMruList_.MaxItems()));
    } catch (const std::exception&) {
    }
}

void TMainForm::EmptyTempFolder() {
    const QString folder = CachedTempFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    QDir dir(folder);
    // Plain, visible files only; everything else stays, and then so does the folder.
    const QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& name : names) {
        if (IsSupportedImage(name))
            dir.remove(name);
    }
    QDir().rmdir(folder);
}
