// SPDX-License-Identifier: MIT
#include "viewer/StretchedImage.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// Stretched pictures up to this many pixels are kept; larger ones are scaled per exposed part.
constexpr qint64 MaxCachedPixels = 4096LL * 4096LL;

} // namespace

TStretchedImage::TStretchedImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TStretchedImage::Invalidate() {
    source_ = QImage();
    scaled_ = QImage();
    update();
}

void TStretchedImage::SetSource(const QImage& source) {
    source_ = source;
    scaled_ = QImage();
    update();
}

void TStretchedImage::PrepareSource() {
    // Not laid out yet: the smallest pixels still read the whole picture.
    const QSize target = size().isEmpty() ? QSize(1, 1) : size();
    if (SourceServes(source_, target))
        return;
    scaled_ = QImage();
    source_ = QImage();
    source_ = SourceFor(target);
}

bool TStretchedImage::SourceServes(const QImage& source, QSize size) const {
    return !source.isNull() && source.width() >= size.width() && source.height() >= size.height();
}

void TStretchedImage::resizeEvent(QResizeEvent* event) {
    scaled_ = QImage();
    QWidget::resizeEvent(event);
}

void TStretchedImage::paintEvent(QPaintEvent* event) {
    const QSize target = size();
    if (target.isEmpty())
        return;
    if (!SourceServes(source_, target)) {
        scaled_ = QImage();
        try {
            source_ = SourceFor(target);
        } catch (const std::exception&) {
            source_ = QImage(); // damaged data shows nothing; loading has reported it
        }
    }
    if (source_.isNull())
        return;
    QPainter painter(this);
    if (source_.size() == target) {
        painter.drawImage(event->rect(), source_, event->rect());
        return;
    }
    if (qint64(target.width()) * target.height() <= MaxCachedPixels) {
        if (scaled_.size() != target)
            scaled_ = source_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(event->rect(), scaled_, event->rect());
        return;
    }
    // Too large to keep: map the exposed part back to the source and stretch only that.
    const QRectF exposed = event->rect();
    const double sx = double(source_.width()) / target.width();
    const double sy = double(source_.height()) / target.height();
    const QRectF from(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx,
                      exposed.height() * sy);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sx > 1.0 || sy > 1.0);
    painter.drawImage(exposed, source_, from);
}
