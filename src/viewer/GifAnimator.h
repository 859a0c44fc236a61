// SPDX-License-Identifier: MIT
#pragma once

#include "viewer/StretchedImage.h"

#include <memory>

class QTimer;
class TGIFImage;

// Plays an animated GIF stretched to its bounds: each frame for its own delay, composed with the
// disposal of the frames before it, repeated as the file's loop count says.
class TGifAnimator : public TStretchedImage {
public:
    explicit TGifAnimator(QWidget* parent);
    ~TGifAnimator() override;

    // Takes a copy of the GIF and shows its first frame, still.
    void SetImage(const TGIFImage& gif);
    void Clear();
    bool HasImage() const { return gif_ != nullptr; }

    // Starts or stops playing; a single-frame GIF never plays.
    void SetAnimate(bool animate);
    bool Animating() const;
    int CurrentFrame() const { return frame_; }

    // The delay a frame is shown for: its own, or 100 ms for the zero and near-zero delays that
    // files use to mean "as fast as allowed".
    static int EffectiveDelayMs(int frameDelayMs);

protected:
    QImage SourceFor(QSize size) override;

private:
    void ShowFrame(int index);
    void Advance();

    std::unique_ptr<TGIFImage> gif_;
    QTimer* timer_ = nullptr;
    QImage frameImage_;
    int frame_ = 0;
    int passes_ = 0; // completed passes through all frames
};
