// SPDX-License-Identifier: MIT
#include "viewer/MainHosts.h"

#include "dialogs/Dialogs.h"
#include "dialogs/OpenFolderUnit.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "viewer/MainUnit.h"

#include <QTimer>

bool TMainToolBoxHost::HasImage() const {
    return main_.HasImage();
}

QSize TMainToolBoxHost::PictureSize() const {
    return QSize(main_.Picture().Width(), main_.Picture().Height());
}

bool TMainToolBoxHost::ImageModified() const {
    return main_.ImageModified();
}

bool TMainToolBoxHost::ChangesDiscarded() const {
    return main_.ChangesDiscarded();
}

void TMainToolBoxHost::ClearChangesDiscarded() {
    main_.ClearChangesDiscarded();
}

bool TMainToolBoxHost::SlideShowActive() const {
    return main_.SlideShowActive();
}

void TMainToolBoxHost::TransformImage(int code) {
    main_.TransformImage(code);
}

bool TMainToolBoxHost::ResizeImage(int width, int height) {
    return main_.ResizeImage(width, height);
}

void TMainToolBoxHost::ReloadImage() {
    // Reloading loads CurrentImageName from the current folder: nothing while that is not the
    // shown file.
    if (main_.ShowsCurrentFolderFile())
        main_.ReloadImage();
}

bool TMainToolBoxHost::PromptSaveModified() {
    return main_.PromptSaveModified();
}

void TMainToolBoxHost::ShowLongHint(const QString& text) {
    main_.ShowLongHint(text);
}

int TMainOptionsHost::SlideShowInterval() const {
    return main_.SlideShowTimer()->interval();
}

void TMainOptionsHost::SetSlideShowInterval(int milliseconds) {
    main_.SlideShowTimer()->setInterval(milliseconds);
}

bool TMainOptionsHost::StartAtBeginning() const {
    return main_.StartAtBeginning();
}

void TMainOptionsHost::SetStartAtBeginning(bool on) {
    main_.SetStartAtBeginning(on);
}

bool TMainOptionsHost::PlayInReverse() const {
    return main_.PlayInReverse();
}

void TMainOptionsHost::SetPlayInReverse(bool on) {
    main_.SetPlayInReverse(on);
}

bool TMainOptionsHost::AnimateGif() const {
    return main_.AnimateGif();
}

void TMainOptionsHost::SetAnimateGif(bool on) {
    main_.SetAnimateGif(on);
}

bool TMainOptionsHost::AutoSaveImages() const {
    return main_.AutoSaveImages();
}

void TMainOptionsHost::SetAutoSaveImages(bool on) {
    main_.SetAutoSaveImages(on);
}

bool TMainOptionsHost::HideFolderTab() const {
    return main_.HideFolderTab();
}

void TMainOptionsHost::SetHideFolderTab(bool hide) {
    main_.SetHideFolderTab(hide);
}

TRecentFolders* TMainOptionsHost::RecentFolders() {
    return &main_.FileMruList();
}

void TMainOptionsHost::RecentFoldersChanged() {
    main_.RebuildRecentMenu();
    OpenFolderForm().FillRecentFolders(main_.FileMruList().Items());
}

bool TMainEmailHost::SlideShowRunning() const {
    return main_.SlideShowRunning();
}

QString TMainEmailHost::CurrentFolderPath() const {
    return main_.CurrentFolder() ? main_.CurrentFolder()->FolderPath() : QString();
}

QStringList TMainEmailHost::CurrentSelection() const {
    QStringList names;
    if (main_.CurrentFolder())
        main_.CurrentFolder()->Model().AppendSelection(names);
    return names;
}

void TMainEmailHost::SetBusy(bool busy) {
    if (busy)
        main_.BeginBusy(false);
    else
        main_.EndBusy();
}
