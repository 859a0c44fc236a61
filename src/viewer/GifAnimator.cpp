// SPDX-License-Identifier: MIT
#include "viewer/GifAnimator.h"

#include "imaging/GifImage.h"

#include <QTimer>

TGifAnimator::TGifAnimator(QWidget* parent) : TStretchedImage(parent) {
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &TGifAnimator::Advance);
}

TGifAnimator::~TGifAnimator() = default;

int TGifAnimator::EffectiveDelayMs(int frameDelayMs) {
    return frameDelayMs < 20 ? 100 : frameDelayMs;
}

void TGifAnimator::SetImage(const TGIFImage& gif) {
    timer_->stop();
    gif_.reset(static_cast<TGIFImage*>(gif.Clone().release()));
    passes_ = 0;
    ShowFrame(0);
}

void TGifAnimator::Clear() {
    timer_->stop();
    gif_.reset();
    frameImage_ = QImage();
    Invalidate();
}

void TGifAnimator::SetAnimate(bool animate) {
    if (!animate || !gif_ || gif_->FrameCount() < 2) {
        timer_->stop();
        return;
    }
    if (!timer_->isActive()) {
        passes_ = 0;
        timer_->start(EffectiveDelayMs(gif_->FrameDelayMs(frame_)));
    }
}

bool TGifAnimator::Animating() const {
    return timer_->isActive();
}

QImage TGifAnimator::SourceFor(QSize) {
    return frameImage_;
}

void TGifAnimator::ShowFrame(int index) {
    frame_ = index;
    frameImage_ = gif_ ? gif_->Frame(index) : QImage();
    Invalidate();
}

void TGifAnimator::Advance() {
    if (!gif_)
        return;
    int next = frame_ + 1;
    if (next >= gif_->FrameCount()) {
        ++passes_;
        const int loops = gif_->LoopCount();
        // 0 loops forever; n repeats n times after the first pass; no loop extension plays once.
        const bool again = loops == 0 || (loops > 0 && passes_ <= loops);
        if (!again)
            return; // stays on the last frame
        next = 0;
    }
    ShowFrame(next);
    timer_->start(EffectiveDelayMs(gif_->FrameDelayMs(next)));
}
