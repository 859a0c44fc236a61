// SPDX-License-Identifier: MIT
// Showing an image: loading it with the error questions of a failed load, stepping to the next
// and previous image, emptying the viewer, the caption and status text, GIF animation, the busy
// indication and the viewing area's colour.
#include "viewer/MainUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "imaging/AppError.h"
#include "imaging/GifImage.h"
#include "imaging/ImageFormats.h"
#include "tools/ToolsFormUnit.h"
#include "viewer/GifAnimator.h"
#include "viewer/ImageBox.h"
#include "viewer/PleaseWaitPanel.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

namespace {

const QString LoadingCaption = QStringLiteral("Loading Image, Please Wait...");

} // namespace

void TMainForm::SetCurrentImage(const QString& name, const QString& path) {
    currentImageName_ = name;
    currentImagePath_ = path;
}

void TMainForm::LoadCurrentImage(TFolderViewForm* view) {
    currentImagePath_ = JoinPath(view->FolderPath(), currentImageName_);
    const QFileInfo info(currentImagePath_);
    if (!info.exists() || info.isDir())
        throw AppError(QStringLiteral("File \"") + currentImagePath_ +
                       QStringLiteral("\" Does Not Exist"));
    // A JPEG is checked by decoding it at the scale it is shown at (below), not in full. The
    // image stepped to is often ready already.
    // The shown picture stays until the new one is in.
    std::optional<TImagePreloader::Preloaded> preloaded = preloader_.Take(currentImagePath_);
    TPicture loaded;
    if (preloaded)
        loaded = std::move(preloaded->picture);
    else
        loaded.LoadFromFile(currentImagePath_, false);
    picture_ = std::move(loaded);
    image1_->SetGraphic(picture_.Graphic(), preloaded ? preloaded->display : QImage());
    SetupAnimation();
    imageModified_ = false;
    changesDiscarded_ = false;
    imageResized_ = false;
    scrollBox1_->verticalScrollBar()->setValue(0);
    scrollBox1_->horizontalScrollBar()->setValue(0);
    ZoomBy(0);
    image1_->PrepareSource();
    toolBox_->ResetSizes();
    UpdateCommands();
}

void TMainForm::ShowImage(TFolderViewForm* view, const QString& name) {
    if (!view || shuttingDown_)
        return;
    ++showImageCalls_;
    currentFolder_ = view;
    currentImageName_ = name;
    pnlPleaseWait_->HideHints();
    pnlPleaseWait_->SetCaption(LoadingCaption);
    BeginBusy(false);
    bool retry = true;
    while (retry && view->Model().FileCount() > 0) {
        try {
            LoadCurrentImage(view);
            retry = false;
        } catch (const std::exception& error) {
            bool stop = false;
            retry = AnswerLoadError(view, QString::fromUtf8(error.what()), stop);
            if (stop)
                return;
        }
    }
    EndBusy();
    if (view->Model().FileCount() == 0)
        ClearViewer();
    UpdateCaption();
    if (HasImage())
        preloadTimer_->start();
}

void TMainForm::PreloadNeighbour() {
    if (!HasImage() || !currentFolder_ || shuttingDown_)
        return;
    const QStringList& order = currentFolder_->Model().NavigationOrder();
    const qsizetype count = order.size();
    const qsizetype at = order.indexOf(currentImageName_);
    if (count < 2 || at < 0)
        return;
    const bool backward = SlideShowActive() ? playInReverse_ : lastStepBackward_;
    const QString& next = order.at((at + (backward ? count - 1 : 1)) % count);
    preloader_.Preload(JoinPath(currentFolder_->FolderPath(), next), [this](QSize picture) {
        ZoomMath::ZoomInput in = CurrentZoomInput();
        in.picture = picture;
        in.scroll = QPoint(0, 0);
        const std::optional<ZoomMath::ZoomLayout> layout = ZoomMath::ZoomBy(in, 0);
        return layout ? layout->image.size() : QSize();
    });
}

bool TMainForm::AnswerLoadError(TFolderViewForm* view, const QString& message, bool& stop) {
    stop = true;
    // The questions are modal; a slide-show tick, a hand-off or a change on disk may show
    // another image or close the folder meanwhile. The answer is for this file of this folder.
    const QPointer<TFolderViewForm> folder = view;
    const QString failedName = currentImageName_;
    const int callsBefore = showImageCalls_;
    const auto overtaken = [&] { return !folder || showImageCalls_ != callsBefore; };
    if (!QFileInfo(view->FolderPath()).isDir()) {
        EndBusy();
        THelpDlg& box = HelpDlg();
        box.SetOkCaption(QStringLiteral("Close Folder"));
        box.ShowCancelButton(QStringLiteral("Ignore"));
        if (box.ShowErrorMessage(QStringLiteral("The Image Folder you have open has either been "
                                                "deleted, moved, or renamed.")) == mrOk &&
            folder)
            folder->CloseFolder();
        return false;
    }
    THelpDlg& box = HelpDlg();
    box.SetOkCaption(QStringLiteral("Delete"));
    box.ShowCancelButton(QStringLiteral("Skip"));
    const int answer =
        box.ShowHelpBox(QStringLiteral("File Error"),
                        QStringLiteral("The following error occured while attempting to open \"") +
                            failedName + QStringLiteral("\":"),
                        message);
    if (overtaken()) {
        EndBusy();
        return false;
    }
    const QString removed = answer == mrOk ? view->Model().RemoveFile(failedName, true, true, true)
                                           : QStringLiteral("-");
    if (removed == QLatin1String("-")) {
        EndBusy();
        ClearViewer();
        NextImage();
        return false;
    }
    // Deleted: the folder has selected a neighbour. When it showed it already, that call has
    // done the work (and answered its own errors); otherwise the next pass loads it.
    if (overtaken()) {
        EndBusy();
        return false;
    }
    stop = false;
    return true;
}

void TMainForm::ClearViewer() {
    if (SlideShowActive())
        StopSlideShow();
    currentImageName_.clear();
    currentImagePath_.clear();
    picture_.Clear();
    image1_->SetGraphic(nullptr);
    gifAnimator_->Clear();
    gifAnimator_->hide();
    image1_->show();
    imageModified_ = false;
    changesDiscarded_ = false;
    imageResized_ = false;
    UpdateCommands();
    pnlPleaseWait_->ShowHints(!openFolders_.isEmpty());
    pnlPleaseWait_->SetCaption(QString());
    pnlPleaseWait_->show();
    pnlPleaseWait_->raise();
    UpdateCaption();
}

void TMainForm::ReloadImage() {
    // Nothing shown (an empty folder, or no selection): nothing to load again.
    if (currentFolder_ && !currentImageName_.isEmpty())
        ShowImage(currentFolder_, currentImageName_);
}

void TMainForm::NextImage() {
    if (PromptSaveModified())
        return;
    lastStepBackward_ = false;
    if (currentFolder_)
        currentFolder_->Model().SelectNext();
}

void TMainForm::PreviousImage() {
    if (PromptSaveModified())
        return;
    lastStepBackward_ = true;
    if (currentFolder_)
        currentFolder_->Model().SelectPrevious();
}

void TMainForm::UpdateCaption() {
    QString status;
    if (HasImage()) {
        status = currentImageName_ +
                 QStringLiteral(" (%1x%2)").arg(picture_.Width()).arg(picture_.Height());
        if (imageModified_)
            status += QStringLiteral(" (Modified)");
    }
    statusPanel1_->setText(status);
    if (currentFolder_)
        setWindowTitle(QStringLiteral("Orvo Image Browser - ") + (currentImagePath_.isEmpty()
                                                                      ? currentFolder_->FolderPath()
                                                                      : currentImagePath_));
    else
        setWindowTitle(QStringLiteral("Orvo Image Browser by Tamblin"));
}

bool TMainForm::AnimateGif() const {
    return Item("AnimateGif1")->isChecked();
}

void TMainForm::SetAnimateGif(bool on) {
    Item("AnimateGif1")->setChecked(on);
    // The shown GIF follows at once, whatever its frames or the slide show.
    if (gifAnimator_->HasImage())
        gifAnimator_->SetAnimate(on);
}

void TMainForm::SetupAnimation() {
    const auto* gif = dynamic_cast<const TGIFImage*>(picture_.Graphic());
    if (gif) {
        try {
            gifAnimator_->SetImage(*gif);
            gifAnimator_->setGeometry(image1_->geometry());
            gifAnimator_->SetAnimate(AnimateGif() && !SlideShowRunning() && gif->FrameCount() > 1);
            gifAnimator_->show();
            gifAnimator_->raise();
            image1_->hide();
            return;
        } catch (const std::exception&) {
            // shown still below
        }
    }
    gifAnimator_->Clear();
    gifAnimator_->hide();
    image1_->show();
}

void TMainForm::SetBackgroundColor(const QColor& color) {
    if (color == pnlPleaseWait_->Color())
        return;
    pnlPleaseWait_->SetColor(color);
    QPalette palette = scrollBox1_->viewport()->palette();
    palette.setColor(QPalette::Window, color);
    scrollBox1_->viewport()->setPalette(palette);
}

QColor TMainForm::BackgroundColor() const {
    return pnlPleaseWait_->Color();
}

void TMainForm::ChooseCustomColor() {
    const QColor color = QColorDialog::getColor(BackgroundColor(), this);
    if (color.isValid())
        SetBackgroundColor(color);
}

void TMainForm::BeginBusy(bool showPanel) {
    if (showPanel) {
        pnlPleaseWait_->show();
        pnlPleaseWait_->raise();
        pnlPleaseWait_->repaint();
    }
    if (busyDepth_++ == 0 && !cursorHidden_)
        SetScreenCursor(Qt::WaitCursor);
}

void TMainForm::EndBusy() {
    if (!pnlPleaseWait_->isHidden() && HasImage()) {
        pnlPleaseWait_->hide();
        scrollBox1_->repaint();
    }
    if (busyDepth_ > 0 && --busyDepth_ == 0 && !cursorHidden_)
        SetScreenCursor(std::nullopt);
}

void TMainForm::SetProgress(int value, int maximum) {
    // The bar is left alone during a slide show.
    if (SlideShowActive())
        return;
    mainProgressBar_->setMaximum(maximum > 0 ? maximum : 100);
    mainProgressBar_->setValue(value);
}

void TMainForm::ShowLongHint(const QString& text) {
    statusPanel0_->setText(text);
}

void TMainForm::PleaseWaitClick() {
    if (!HasImage())
        ShowOpenFolderDialog();
    SetKeyFocus();
}
