// SPDX-License-Identifier: MIT
// Rotating, flipping and resizing the shown picture in memory, the question asked before a
// modified picture is left, saving it over its file or under a new name, and renaming the shown
// file. Every write goes through SavePictureAs, which replaces a file only once the new one is
// complete, so a failed save leaves the file as it was and the picture still modified.
#include "viewer/MainUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/RenameDlgUnit.h"
#include "dialogs/RenameRules.h"
#include "folderview/FileClipboard.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureSaving.h"
#include "imaging/PictureTransforms.h"
#include "viewer/ImageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>

#include <algorithm>

namespace {

// Pictures whose smaller side is above this are saved without a question after a rotation or
// flip (when automatic saving is on).
constexpr int LargeImageSide = 300;

QString ErrorText(const std::exception& error) {
    if (const auto* appError = dynamic_cast<const AppError*>(&error))
        return appError->Message();
    return QString::fromUtf8(error.what());
}

// Runs `work` with the hourglass (and, with `cover`, the please-wait panel over the viewer);
// the error's message when it failed, nothing when it succeeded. The pointer is back to normal
// before the caller shows the message.
template <typename Work> std::optional<QString> RunBusy(TMainForm& form, bool cover, Work work) {
    form.BeginBusy(cover);
    const auto endBusy = qScopeGuard([&form] { form.EndBusy(); });
    try {
        work();
    } catch (const std::exception& error) {
        return ErrorText(error);
    }
    return std::nullopt;
}

// SavePictureAs with a refused conversion reported as `convertMessage`.
void SaveConverting(const TGraphic& graphic, const QString& target, const QString& convertMessage) {
    try {
        SavePictureAs(graphic, target);
    } catch (const ConvertError&) {
        throw AppError(convertMessage);
    }
}

} // namespace

// --- changing the picture ---

void TMainForm::TransformImage(int code) {
    if (SlideShowRunning())
        return;
    ModifyPicture(
        [code](const TGraphic& graphic) {
            return RotateFlip(graphic, static_cast<TransformMode>(code));
        },
        false);
}

bool TMainForm::ResizeImage(int width, int height) {
    return ModifyPicture(
        [width, height](const TGraphic& graphic) { return ResizePicture(graphic, width, height); },
        true);
}

bool TMainForm::ModifyPicture(const PictureChange& change, bool resized) {
    if (!HasImage() || !picture_.Graphic())
        return false;
    const std::optional<QString> error = RunBusy(*this, true, [&] {
        // The picture is replaced only once the new one exists, so a failed change leaves it
        // as it was; Image1 holds no copy and must see the new graphic at once.
        picture_.SetGraphic(change(*picture_.Graphic()));
        image1_->SetGraphic(picture_.Graphic());
        SetupAnimation(); // a transformed GIF is a still bitmap now
        ++modification_;
        if (resized)
            imageResized_ = true;
        imageModified_ = true;
        UpdateCommands();
        ZoomBy(0);
        UpdateCaption();
    });
    if (error) {
        ShowErrorMessage(*error);
        return false;
    }
    return true;
}

// --- leaving a modified picture ---

bool TMainForm::PromptSaveModified() {
    if (!HasImage() || !imageModified_ || !picture_.Graphic())
        return false;
    // A step started from inside the question (a dialog's event loop runs timers and
    // notifications) waits: the answer is not given yet.
    if (promptingSave_)
        return true;
    promptingSave_ = true;
    // The slide show does not step on while the user is asked; it goes on afterwards unless the
    // answer ended it.
    const bool ticking = slideShowTimer_->isActive();
    slideShowTimer_->stop();
    const auto done = qScopeGuard([this, ticking] {
        promptingSave_ = false;
        if (ticking && slideShow_.TimerRunning())
            slideShowTimer_->start();
    });
    return AskSaveModified();
}

bool TMainForm::AskSaveModified() {
    const bool large = std::min(picture_.Width(), picture_.Height()) > LargeImageSide;
    // A failed automatic save falls through to the question, so the changes are not lost
    // without the user's word; it is not tried again for the same change.
    if (!imageResized_ && autoSaveImages_ && large && failedAutoSave_ != modification_) {
        if (SaveOverCurrentFile())
            return false;
        failedAutoSave_ = modification_;
    }
    if (changesDiscarded_)
        return false;
    THelpDlg& box = HelpDlg();
    if (imageResized_ || !autoSaveImages_ || large)
        box.PrepareOverwritePrompt();
    else
        box.PrepareSmallImageOverwritePrompt();
    const ShownPicture asked = CurrentPicture();
    const int answer = box.ShowModal();
    // The answer was about a picture that has gone or changed meanwhile.
    if (CurrentPicture() != asked)
        return true;
    switch (answer) {
    case mrOk:
        // Stay on the image when it could not be saved: it is still modified.
        return !SaveOverCurrentFile();
    case mrCancel: {
        const SaveOutcome outcome = SaveCopyAs();
        return outcome != SaveOutcome::Cancelled && outcome != SaveOutcome::Saved;
    }
    case mrAbort:
        changesDiscarded_ = true;
        return false;
    default:
        // Closed without one of its answers (by a nested event loop, say): nothing was decided.
        return true;
    }
}

TMainForm::ShownPicture TMainForm::CurrentPicture() const {
    return {currentImagePath_, modification_, imageModified_};
}

// --- saving ---

void TMainForm::SaveImage() {
    if (!SlideShowRunning())
        SaveOverCurrentFile();
}

bool TMainForm::SaveOverCurrentFile() {
    if (!imageModified_ || !HasImage() || !picture_.Graphic())
        return false;
    QString target = currentImagePath_;
    // Icons cannot be written: a.ico is saved beside itself as a.ico.bmp.
    if (ExtractExtension(target) == QLatin1String(".ico"))
        target += QStringLiteral(".bmp");
    const std::optional<QString> error = RunBusy(*this, false, [&] {
        SaveConverting(*picture_.Graphic(), target, QStringLiteral("Error saving modified file!"));
    });
    if (error) {
        ShowStandardErrorBox(*error, this);
        return false;
    }
    imageModified_ = false;
    changesDiscarded_ = false;
    UpdateCommands();
    UpdateCaption();
    FileWritten(target);
    return true;
}

bool TMainForm::SaveImageAs() {
    return !SlideShowRunning() && SaveCopyAs() == SaveOutcome::SavedAndShown;
}

TMainForm::SaveOutcome TMainForm::SaveCopyAs() {
    if (!currentFolder_ || !HasImage() || !picture_.Graphic())
        return SaveOutcome::Cancelled;
    if (!savePathChooser_)
        return SaveOutcome::Abandoned;
    const ShownPicture asked = CurrentPicture();
    const std::optional<SavePathChoice> choice = savePathChooser_(currentImagePath_);
    // The dialog's event loop may have shown another picture or changed this one: the answer
    // was about a picture that is no longer there.
    if (CurrentPicture() != asked || !picture_.Graphic())
        return SaveOutcome::Abandoned;
    if (!choice || choice->path.isEmpty()) {
        changesDiscarded_ = true;
        return SaveOutcome::Cancelled;
    }
    QString target = choice->path;
    // A name typed without extension keeps the shown file's format.
    if (ExtractExtension(target).isEmpty())
        target += ExtractExtension(currentImageName_);
    const bool existed = QFileInfo::exists(target);
    const std::optional<QString> error = RunBusy(*this, false, [&] {
        SaveConverting(*picture_.Graphic(), target,
                       QStringLiteral("Error converting to selected file format!"));
    });
    if (error) {
        ShowStandardErrorBox(*error, this);
        return SaveOutcome::Failed;
    }
    imageModified_ = false;
    UpdateCommands();
    changesDiscarded_ = false;
    UpdateCaption();
    if (target == currentImagePath_ || !choice->openSavedImage) {
        FileWritten(target);
        return SaveOutcome::Saved;
    }
    ForgetPreloaded(target);
    try {
        OpenImagePath(target, true);
        if (currentFolder_) {
            const QString name = QFileInfo(target).fileName();
            if (existed)
                currentFolder_->Model().RefreshFileInfo(name);
            else
                currentFolder_->Model().RescanFolder(TFolderModel::rmAddNew);
        }
    } catch (const std::exception& openError) {
        ShowStandardErrorBox(ErrorText(openError), this);
    }
    return currentImagePath_ == target ? SaveOutcome::SavedAndShown : SaveOutcome::Saved;
}

void TMainForm::ForgetPreloaded(const QString& path) {
    const QFileInfo info(path);
    if (preloader_.Holds(path) ||
        preloader_.Holds(JoinPath(QDir::cleanPath(info.absolutePath()), info.fileName())))
        preloader_.Clear();
}

void TMainForm::FileWritten(const QString& path) {
    // A neighbour loaded ahead from this file shows what it held before.
    ForgetPreloaded(path);
    const QFileInfo info(path);
    const QString folder = QDir::cleanPath(info.absolutePath());
    const QString name = info.fileName();
    for (TFolderViewForm* view : std::as_const(openFolders_)) {
        if (view->FolderPath() != folder)
            continue;
        TFolderModel& model = view->Model();
        // A listed file gets its new size, date and thumbnail; a new one joins the listing.
        if (model.IsListed(name))
            model.RefreshFileInfo(name);
        else
            model.AddFileByName(name, false, true);
    }
}

// --- renaming the shown file ---

bool TMainForm::ShowsCurrentFolderFile() const {
    return currentFolder_ && HasImage() &&
           JoinPath(currentFolder_->FolderPath(), currentImageName_) == currentImagePath_;
}

void TMainForm::RenameImage() {
    if (SlideShowRunning() || !ShowsCurrentFolderFile() || PromptSaveModified())
        return;
    const QPointer<TFolderViewForm> view = currentFolder_;
    const QString oldName = currentImageName_;
    const QString oldPath = currentImagePath_;
    const RenameDialogFields fields = RenameDialogStart(oldName);
    TRenameDlg& dialog = RenameDlg();
    dialog.Prepare(fields.baseName, fields.fileType);
    // Asked again with the typed text after each refusal.
    while (dialog.ShowModal() == mrOk) {
        // The folder may have closed, or another file come up, while the dialog was open.
        if (!view || view != currentFolder_ || currentImageName_ != oldName ||
            currentImagePath_ != oldPath)
            return;
        const QString typed = dialog.NewFileName();
        try {
            const std::optional<QString> newName = RenamedFileName(oldName, typed);
            if (newName && RenameWithDialogAnswer(view->Model(), oldName, typed)) {
                SetCurrentImage(*newName, JoinPath(view->FolderPath(), *newName));
                UpdateCaption();
            }
            return;
        } catch (const std::exception& error) {
            ShowErrorMessage(ErrorText(error));
        }
    }
}
