// SPDX-License-Identifier: MIT
// Zoom and fit on the main window: the computed layout put on screen, the zoom commands and their
// auto-fit question, the zoom box, scrolling by percentage and the mouse wheel.
#include "viewer/MainUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/NotificationDlgUnit.h"
#include "settings/RegistryUnit.h"
#include "viewer/GifAnimator.h"
#include "viewer/ImageBox.h"

#include <QAction>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

ZoomMath::ZoomInput TMainForm::CurrentZoomInput() const {
    ZoomMath::ZoomInput in;
    in.picture = QSize(picture_.Width(), picture_.Height());
    in.viewport.box = scrollBox1_->size();
    in.viewport.scrollBarExtent = scrollBox1_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    in.scroll = QPoint(scrollBox1_->horizontalScrollBar()->value(),
                       scrollBox1_->verticalScrollBar()->value());
    in.zoomPercent = zoomPercent_;
    in.autoFit = autoFit_;
    return in;
}

void TMainForm::PlaceImage(const ZoomMath::ZoomLayout& layout) {
    // A fit of a tiny or a huge picture can compute a percentage no zoom command accepts; the
    // one kept stays within range, so the next image and the zoom steps still work.
    zoomPercent_ =
        std::clamp(layout.zoomPercent, ZoomMath::MinZoomPercent, ZoomMath::MaxZoomPercent);
    const QRect& image = layout.image;
    // The scrolled content reaches to the picture's far edges, so its scroll range follows.
    canvas_->resize(image.x() + image.width(), image.y() + image.height());
    image1_->setGeometry(image);
    gifAnimator_->setGeometry(image);
    scrollBox1_->horizontalScrollBar()->setValue(layout.scroll.x());
    scrollBox1_->verticalScrollBar()->setValue(layout.scroll.y());
}

void TMainForm::ShowZoomText() {
    const QSignalBlocker blocker(cmbZoomPercent_);
    cmbZoomPercent_->setEditText(QString::number(zoomPercent_) + QStringLiteral("%"));
}

template <typename Compute> void TMainForm::RunZoom(Compute compute) {
    if (zoomGuard_ || !HasImage())
        return;
    zoomGuard_ = true;
    try {
        if (const std::optional<ZoomMath::ZoomLayout> layout = compute(CurrentZoomInput()))
            PlaceImage(*layout);
    } catch (...) {
        zoomGuard_ = false;
        throw;
    }
    zoomGuard_ = false;
    UpdateCaption();
    ShowZoomText();
}

void TMainForm::ApplyZoom(quint32 percent) {
    RunZoom([percent](const ZoomMath::ZoomInput& in) { return ZoomMath::ApplyZoom(in, percent); });
}

void TMainForm::ZoomBy(int step) {
    if (zoomGuard_ || !HasImage())
        return;
    if (!ZoomMath::ZoomStepTarget(zoomPercent_, step)) {
        ShowZoomText();
        return;
    }
    RunZoom([step](const ZoomMath::ZoomInput& in) { return ZoomMath::ZoomBy(in, step); });
}

void TMainForm::ZoomToFit() {
    RunZoom([](const ZoomMath::ZoomInput& in) { return ZoomMath::ZoomToFit(in); });
}

void TMainForm::ZoomToWidth() {
    RunZoom([](const ZoomMath::ZoomInput& in) { return ZoomMath::ZoomToWidth(in); });
}

void TMainForm::ZoomToHeight() {
    RunZoom([](const ZoomMath::ZoomInput& in) { return ZoomMath::ZoomToHeight(in); });
}

bool TMainForm::LeaveAutoFit() {
    if (HasImage() && autoFit_ &&
        (!TNotificationDlg::ShouldPrompt(QString::fromLatin1(RegNames::ShowAutoFitPrompt)) ||
         NotificationDlg().AskDisableAutoFit() == 1)) {
        autoFit_ = false;
        for (const char* name : {"ToggleAutofit1", "ToggleAutofit2"})
            Item(name)->setChecked(false);
        if (auto* button = findChild<QToolButton*>(QStringLiteral("SBtnAutoFit")))
            button->setChecked(false);
    }
    return autoFit_;
}

void TMainForm::ToggleAutoFit() {
    autoFit_ = !autoFit_;
    for (const char* name : {"ToggleAutofit1", "ToggleAutofit2"})
        Item(name)->setChecked(autoFit_);
    if (auto* button = findChild<QToolButton*>(QStringLiteral("SBtnAutoFit")))
        button->setChecked(autoFit_);
    ZoomBy(0);
}

void TMainForm::ManualZoom(int step) {
    if (!LeaveAutoFit())
        ZoomBy(step);
}

void TMainForm::ZoomTextChanged(const QString& text) {
    if (LeaveAutoFit()) {
        ShowZoomText();
        return;
    }
    const int percent = ZoomMath::ParseZoomText(text);
    ApplyZoom(quint32(percent));
    // A refused number leaves the picture as it is; the box shows the percentage in force.
    ShowZoomText();
}

namespace {

void MoveScrollBar(QScrollBar* bar, int clientExtent, int percent) {
    const int content = bar->maximum() + clientExtent;
    bar->setValue(ZoomMath::ScrollByPercent(bar->value(), content, clientExtent, percent));
}

} // namespace

void TMainForm::ScrollHorizontal(int percent) {
    MoveScrollBar(scrollBox1_->horizontalScrollBar(), scrollBox1_->viewport()->width(), percent);
}

void TMainForm::ScrollVertical(int percent) {
    MoveScrollBar(scrollBox1_->verticalScrollBar(), scrollBox1_->viewport()->height(), percent);
}

bool TMainForm::HandleWheel(QWheelEvent* event) {
    // Some systems turn a wheel turned with Shift into a sideways one.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0)
        return false;
    const ZoomMath::WheelAction action = ZoomMath::WheelActionFor(delta < 0, event->modifiers());
    if (action.kind == ZoomMath::WheelAction::Scroll) {
        ScrollVertical(action.amount);
        return true;
    }
    if (LeaveAutoFit())
        return false; // refused: the scroll box does what it does with a wheel
    ZoomBy(action.amount);
    return true;
}

void TMainForm::QueueZoomText(const QString& text) {
    queuedZoomText_ = text;
    if (zoomTextQueued_)
        return;
    zoomTextQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        zoomTextQueued_ = false;
        ZoomTextChanged(queuedZoomText_);
        SetKeyFocus();
    });
}
