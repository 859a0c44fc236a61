// SPDX-License-Identifier: MIT
#pragma once

#include "viewer/StretchedImage.h"

class TGraphic;

// The viewer's picture control: shows a graphic (not owned) stretched to its bounds, decoding a
// JPEG only at the scale the shown size needs.
class TImageBox : public TStretchedImage {
public:
    explicit TImageBox(QWidget* parent) : TStretchedImage(parent) {}

    // The graphic to show, or null for nothing; call again after the graphic changed. `display`
    // may bring its pixels already decoded for the size it will be shown at.
    void SetGraphic(const TGraphic* graphic, const QImage& display = QImage());
    const TGraphic* Graphic() const { return graphic_; }

protected:
    QImage SourceFor(QSize size) override;
    bool SourceServes(const QImage& source, QSize size) const override;

private:
    const TGraphic* graphic_ = nullptr;
};
