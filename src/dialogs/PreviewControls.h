// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Bitmap.h"

#include <QLabel>

// The controls the dialogs with an image preview share.

// The preview picture: an image file fitted into the preview box (PreviewBoxWidth x
// PreviewBoxHeight) and shown at the box's left edge, centred vertically in it. The label sizes
// itself to the picture; without one it is 0 x 0. A double-click on a shown picture is reported.
class TImagePreview : public QLabel {
    Q_OBJECT
public:
    // `left` and `boxTop`: the box's left and top edges at 96 pixels per inch.
    TImagePreview(QWidget* parent, int left, int boxTop);

    // Shows the file fitted into the box and returns its dimension text ("640x480", approximate
    // for JPEG files). Throws AppError when the file cannot be read; the preview is then empty.
    QString Load(const QString& path);
    void Clear();
    bool HasPicture() const { return bitmap_.Width() > 0; }
    const TBitmap& Bitmap() const { return bitmap_; }

signals:
    void PictureDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int left_;
    int boxTop_;
    TBitmap bitmap_;
};

// The product name in silver beside a preview: "Orvo" (handwriting-style face) at `orvoX` and
// "Image Browser" at `browserX`, both at height `y`.
void MakeLogoLabels(QWidget* parent, int orvoX, int browserX, int y);
