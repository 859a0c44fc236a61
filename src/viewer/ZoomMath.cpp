// SPDX-License-Identifier: MIT
#include "viewer/ZoomMath.h"

#include "imaging/GenUtilUnit.h"

#include <algorithm>

namespace ZoomMath {

namespace {

// Picture extent scaled by `scale`, rounded and kept within what a control can take.
int ScaledExtent(int extent, double scale) {
    const double value = std::clamp(extent * scale, 0.0, double(MaxDisplayExtent));
    return RoundHalfEven(value);
}

QSize ScaledSize(QSize picture, double scale) {
    return {ScaledExtent(picture.width(), scale), ScaledExtent(picture.height(), scale)};
}

// Picture size at a percentage; the product is exact, so halves round as they should.
QSize SizeAtPercent(QSize picture, quint32 percent) {
    const auto extent = [percent](int side) {
        const double value = double(qint64(side) * percent) / 100.0;
        return RoundHalfEven(std::min(value, double(MaxDisplayExtent)));
    };
    return {extent(picture.width()), extent(picture.height())};
}

int ScaleToPercent(double scale) {
    return RoundHalfEven(std::clamp(scale * 100.0, 0.0, double(MaxDisplayExtent)));
}

// Share of the picture extent that does not fit the available extent: the scale is 1 - ratio.
double Overflow(int picture, int available) {
    return double(picture - available) / picture;
}

struct Centring {
    bool horizontal = true;
    bool vertical = true;
};

// Places an image of the given size: centred in each direction where it is smaller than the client
// area (that scroll bar goes back to 0), at the origin otherwise.
ZoomLayout Place(const ZoomInput& in, QSize size, int zoomPercent, Centring centre = {}) {
    const QSize client = in.viewport.ClientFor(size);
    QPoint pos(0, 0);
    QPoint scroll(std::clamp(in.scroll.x(), 0, std::max(0, size.width() - client.width())),
                  std::clamp(in.scroll.y(), 0, std::max(0, size.height() - client.height())));
    if (centre.horizontal && size.width() < client.width()) {
        scroll.setX(0);
        pos.setX(RoundHalfEven((client.width() - size.width()) / 2.0));
    }
    if (centre.vertical && size.height() < client.height()) {
        scroll.setY(0);
        pos.setY(RoundHalfEven((client.height() - size.height()) / 2.0));
    }
    return {QRect(pos, size), scroll, zoomPercent};
}

bool HasPicture(const ZoomInput& in) {
    return in.picture.width() > 0 && in.picture.height() > 0;
}

} // namespace

QSize Viewport::ClientFor(QSize content) const {
    bool horizontal = content.width() > box.width();
    bool vertical = content.height() > box.height();
    // One bar can make room for the other one scarce; two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        horizontal = horizontal || content.width() > box.width() - (vertical ? scrollBarExtent : 0);
        vertical = vertical || content.height() > box.height() - (horizontal ? scrollBarExtent : 0);
    }
    return {std::max(0, box.width() - (vertical ? scrollBarExtent : 0)),
            std::max(0, box.height() - (horizontal ? scrollBarExtent : 0))};
}

std::optional<ZoomLayout> ApplyZoom(const ZoomInput& in, quint32 percent) {
    if (!HasPicture(in))
        return std::nullopt;
    const QSize pic = in.picture;
    if (!in.autoFit) {
        if (percent < quint32(MinZoomPercent) || percent > quint32(MaxZoomPercent))
            return std::nullopt;
        return Place(in, SizeAtPercent(pic, percent), int(percent));
    }
    // Any larger image was first shrunk to the client area, so no scroll bar is left.
    const QSize box = in.viewport.box;
    if (box.width() >= pic.width() && box.height() >= pic.height())
        return Place(in, pic, in.zoomPercent);
    const double rH = pic.height() > box.height() ? Overflow(pic.height(), box.height()) : 0.0;
    const double rW = pic.width() > box.width() ? Overflow(pic.width(), box.width()) : 0.0;
    const double r = rW > rH ? rW : rH;
    return Place(in, ScaledSize(pic, 1.0 - r), in.zoomPercent);
}

std::optional<quint32> ZoomStepTarget(int current, int step) {
    if (qint64(current) + step < 0)
        return std::nullopt;
    if (current == MinZoomPercent && step == ZoomStep)
        step = ZoomStep - 1;
    else if (current == ZoomStep && step == -ZoomStep)
        step = -(ZoomStep - 1);
    return quint32(qint64(current) + step);
}

std::optional<ZoomLayout> ZoomBy(const ZoomInput& in, int step) {
    if (!HasPicture(in))
        return std::nullopt;
    const std::optional<quint32> target = ZoomStepTarget(in.zoomPercent, step);
    if (!target)
        return std::nullopt;
    return ApplyZoom(in, *target);
}

std::optional<ZoomLayout> ZoomToFit(const ZoomInput& in) {
    if (!HasPicture(in))
        return std::nullopt;
    const QSize pic = in.picture;
    const QSize box = in.viewport.box;
    const double rH = pic.height() != box.height() ? Overflow(pic.height(), box.height()) : 0.0;
    const double rW = pic.width() != box.width() ? Overflow(pic.width(), box.width()) : 0.0;
    const double scale = 1.0 - (rW > rH ? rW : rH);
    return Place(in, ScaledSize(pic, scale), ScaleToPercent(scale));
}

namespace {

// Fits one direction of the picture to the box ("along"); when the other direction will overflow
// the box, the fit uses the client extent left beside that direction's scroll bar.
std::optional<ZoomLayout> ZoomToSide(const ZoomInput& in, Qt::Orientation along) {
    if (!HasPicture(in))
        return std::nullopt;
    const bool width = along == Qt::Horizontal;
    const QSize pic = in.picture;
    const QSize box = in.viewport.box;
    const int pAlong = width ? pic.width() : pic.height();
    const int pAcross = width ? pic.height() : pic.width();
    const int bAlong = width ? box.width() : box.height();
    const int bAcross = width ? box.height() : box.width();
    double r = Overflow(pAlong, bAlong);
    if (bAcross < ScaledExtent(pAcross, 1.0 - r)) {
        // The across extent becomes one pixel over the box, so its scroll bar shows now.
        const QSize overflowing = width ? QSize(0, bAcross + 1) : QSize(bAcross + 1, 0);
        const QSize client = in.viewport.ClientFor(overflowing);
        r = Overflow(pAlong, width ? client.width() : client.height());
    }
    const double scale = 1.0 - r;
    Centring centre;
    (width ? centre.horizontal : centre.vertical) = false;
    return Place(in, ScaledSize(pic, scale), ScaleToPercent(scale), centre);
}

} // namespace

std::optional<ZoomLayout> ZoomToWidth(const ZoomInput& in) {
    return ZoomToSide(in, Qt::Horizontal);
}

std::optional<ZoomLayout> ZoomToHeight(const ZoomInput& in) {
    return ZoomToSide(in, Qt::Vertical);
}

int ParseZoomText(const QString& text) {
    QString number = text;
    const qsizetype percentSign = number.indexOf(QLatin1Char('%'));
    if (percentSign >= 0 && percentSign == number.size() - 1)
        number.chop(1);
    bool ok = false;
    const int value = number.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int ScrollByPercent(int position, int contentExtent, int clientExtent, int percent) {
    const qint64 moved =
        qint64(position) + RoundHalfEven(double(qint64(contentExtent) * percent) / 100.0);
    return int(std::clamp<qint64>(moved, 0, std::max(0, contentExtent - clientExtent)));
}

WheelAction WheelActionFor(bool wheelDown, Qt::KeyboardModifiers modifiers) {
    // The keypad flag marks where a key came from, not a held modifier.
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier)
        return {WheelAction::Zoom, wheelDown ? ZoomStep : -ZoomStep};
    return {WheelAction::Scroll, wheelDown ? WheelScrollPercent : -WheelScrollPercent};
}

} // namespace ZoomMath
