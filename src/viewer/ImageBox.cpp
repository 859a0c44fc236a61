// SPDX-License-Identifier: MIT
#include "viewer/ImageBox.h"

#include "imaging/DisplayImage.h"
#include "imaging/Graphic.h"

void TImageBox::SetGraphic(const TGraphic* graphic, const QImage& display) {
    graphic_ = graphic;
    Invalidate();
    if (graphic && !display.isNull())
        SetSource(display);
}

QImage TImageBox::SourceFor(QSize size) {
    return graphic_ ? DisplayImageFor(*graphic_, size) : QImage();
}

bool TImageBox::SourceServes(const QImage& source, QSize size) const {
    if (source.isNull() || !graphic_)
        return false;
    // Pixels at the picture's own size serve every size; a reduced decode only sizes it covers.
    if (source.width() >= graphic_->Width() && source.height() >= graphic_->Height())
        return true;
    return TStretchedImage::SourceServes(source, size);
}
