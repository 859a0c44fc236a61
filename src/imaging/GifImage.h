// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Graphic.h"

#include <QList>
#include <QRgb>
#include <QSize>
#include <vector>

// What happens to a frame's rectangle before the next frame is drawn.
enum GifDisposal : int {
    GifDisposeUnspecified = 0, // treated like GifDisposeKeep
    GifDisposeKeep = 1,        // the frame stays
    GifDisposeBackground = 2,  // its rectangle is cleared to transparent
    GifDisposePrevious = 3,    // its rectangle gets back what was there before the frame
};

// One image of a GIF file as stored: its place on the logical screen, its colours, its colour
// indices and its animation settings.
struct TGifFrame {
    QRect rect;          // on the logical screen (frames reaching outside are clipped)
    QList<QRgb> palette; // local colour table; empty when the global one applies
    QByteArray indices;  // rect.width() x rect.height() colour indices, top row first
    int delayCs = 0;     // display time in hundredths of a second
    int disposal = GifDisposeUnspecified;
    int transparentIndex = -1; // colour index that leaves the canvas unchanged, or -1
    bool interlaced = false;   // row order the frame is written in
};

// Everything a GIF file holds that this program keeps.
struct TGifAnimation {
    QSize screen;              // logical screen
    QList<QRgb> globalPalette; // global colour table; may be empty when every frame has one
    int backgroundIndex = 0;   // kept for writing; cleared areas are shown transparent
    std::vector<TGifFrame> frames;
    int loopCount = -1; // see TGIFImage::LoopCount
};

// A GIF picture with all its frames. Width and Height are the logical screen's; drawing shows
// the first frame. Saved as a GIF it is written from its own frames, so palettes, rectangles,
// delays, disposal and the loop count survive. A bitmap assigned to it is reduced to a palette
// and becomes a single frame.
class TGIFImage final : public TGraphic {
public:
    // Loading refuses files beyond these bounds: the number of frames, and the frame count
    // times the screen's pixel count (what composing every frame once touches; it also bounds
    // the colour indices held, one byte per pixel).
    static constexpr int MaxFrames = 100'000;
    static constexpr qint64 MaxAnimationPixels = 1'000'000'000;
    // LoopCount() of a file without a looping extension: the animation plays once.
    static constexpr int NoLoopExtension = -1;

    GraphicKind Kind() const override { return GraphicKind::Gif; }
    std::unique_ptr<TGraphic> Clone() const override;

    void LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes() const override;

    int Width() const override { return anim_.screen.width(); }
    int Height() const override { return anim_.screen.height(); }
    // True when a frame has a transparent colour.
    bool Transparent() const override;

    // The first frame composed on the logical screen.
    QImage ToImage() const override;
    void Draw(QPainter& painter, QPoint at) const override;
    void StretchDraw(QPainter& painter, const QRect& rect) const override;

    // Takes a GIF (copied as it is) or a bitmap (reduced to at most 256 colours with
    // dithering, pixels with alpha below 128 transparent); ConvertError for anything else.
    void Assign(const TGraphic& source) override;

    // --- Animation ---
    int FrameCount() const { return int(anim_.frames.size()); }
    bool IsAnimated() const { return anim_.frames.size() > 1; }
    // The whole logical screen as it looks while frame `index` is shown: frames 0 to index
    // drawn in turn with each one's disposal applied before the next, starting from a
    // transparent canvas (Format_ARGB32_Premultiplied). Stepping forward one frame at a time
    // costs only that frame's work; going back starts over from frame 0. Returns a null image
    // for an index out of range; throws AppError when the canvas cannot be allocated.
    QImage Frame(int index) const;
    // Display time of frame `index` in milliseconds, as stored (0 when the file gives none;
    // players usually substitute a minimum).
    int FrameDelayMs(int index) const;
    // 0: loop forever; n > 0: repeat n times after the first pass; NoLoopExtension: play once.
    int LoopCount() const { return anim_.loopCount; }

    // The frames and settings as stored.
    const TGifAnimation& Animation() const { return anim_; }
    const TGifFrame& FrameData(int index) const { return anim_.frames.at(size_t(index)); }

    // Replaces the picture (for building animations). Throws AppError, leaving the picture
    // unchanged, when the screen is empty or larger than a GIF can say, there are no frames
    // or too many, a frame is empty or lies outside the screen, its indices do not fill its
    // rectangle, it has no colours (neither its own palette nor a global one), or a palette,
    // index, delay, disposal or the loop count is out of range.
    void SetAnimation(TGifAnimation animation);

private:
    void ResetComposition();
    void PaintFrame(QImage& canvas, const TGifFrame& frame) const;
    void Dispose(const TGifFrame& frame) const;

    TGifAnimation anim_;

    // Composition state: the canvas after frame composed_ was drawn, and what frame
    // composed_ covered before it was drawn (kept when that frame restores it).
    mutable QImage canvas_;
    mutable QImage saved_;
    mutable int composed_ = -1;
    mutable QImage first_; // Frame(0), kept for drawing
};
