// SPDX-License-Identifier: MIT
#include "imaging/MetafileCanvas.h"

#include "imaging/AppError.h"

#include <QPainter>
#include <QRegion>
#include <bit>
#include <cmath>

namespace {

// Nesting deeper than this is not remembered (a record loop cannot grow memory without end).
constexpr size_t MaxSavedStates = 1024;
// Clip paths taller or wider than this (device pixels), or with more elements, clip to their
// bounding box: the exact region of a huge polygon costs time and memory in proportion to its
// height and its edges.
constexpr double MaxExactClipPath = 8192;
constexpr int MaxExactClipPathElements = 4096;
// A clip built from more rectangles than this is replaced by its bounding box, so that
// repeated region operations cannot grow without end.
constexpr int MaxClipRects = 16384;
// "No clip" as a region, for operations that subtract from everything.
const QRect Everything(-(1 << 29), -(1 << 29), 1 << 30, 1 << 30);

bool Finite(const QTransform& t) {
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21()) &&
           std::isfinite(t.m22()) && std::isfinite(t.dx()) && std::isfinite(t.dy());
}

bool Usable(const QTransform& t) {
    const double det = t.determinant();
    return Finite(t) && std::isfinite(det) && det != 0;
}

bool Usable(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QRegion ToRegion(const QRectF& r) {
    if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || !std::isfinite(r.width()) ||
        !std::isfinite(r.height()))
        return {};
    const QRectF clamped = r.intersected(QRectF(Everything));
    if (clamped.isEmpty())
        return {};
    return QRegion(clamped.toAlignedRect());
}

QRegion Combine(bool clipped, const QRegion& clip, const QRegion& region, quint32 mode) {
    const QRegion current = clipped ? clip : QRegion(Everything);
    QRegion result;
    switch (mode) {
    case 1:
        result = current.intersected(region);
        break;
    case 2:
        result = current.united(region);
        break;
    case 3:
        result = current.xored(region);
        break;
    case 4:
        result = current.subtracted(region);
        break;
    default:
        result = region;
        break;
    }
    if (result.rectCount() > MaxClipRects)
        result = QRegion(result.boundingRect());
    return result;
}

} // namespace

TMetafileCanvas::TMetafileCanvas(QPainter* painter, const QTransform& deviceToTarget,
                                 QSizeF devicePixelsPerMm)
    : painter_(painter), base_(deviceToTarget), pixelsPerMm_(devicePixelsPerMm) {
    if (!painter_)
        return;
    painter_->save();
    painterStart_ = painter_->transform();
    painterHadClip_ = painter_->hasClipping();
    if (painterHadClip_)
        painterClip_ = painter_->clipPath();
    base_ = deviceToTarget * painterStart_;
    // Metafiles draw like the plain raster device they were made for: no smoothing.
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

TMetafileCanvas::~TMetafileCanvas() {
    if (painter_)
        painter_->restore();
}

// ---- objects ----

void TMetafileCanvas::SetObjectTableSize(quint32 size) {
    tableSize_ = size;
    objects_.clear();
    used_.assign((size + 63) / 64, 0);
}

void TMetafileCanvas::CreateObject(TGdiObject object) {
    for (size_t word = 0; word < used_.size(); ++word) {
        if (used_[word] == ~quint64(0))
            continue;
        const int bit = std::countr_one(used_[word]);
        const quint32 index = quint32(word * 64 + bit);
        if (index >= tableSize_)
            break;
        used_[word] |= quint64(1) << bit;
        objects_[index] = std::move(object);
        return;
    }
    throw AppError(QStringLiteral("Windows metafile creates more objects than its table of %1 "
                                  "holds")
                       .arg(tableSize_));
}

void TMetafileCanvas::CreateObjectAt(quint32 index, TGdiObject object) {
    if (index == 0 || index >= tableSize_)
        throw AppError(QStringLiteral("Enhanced metafile creates object %1 outside its table of "
                                      "%2 objects")
                           .arg(index)
                           .arg(tableSize_));
    objects_[index] = std::move(object);
}

void TMetafileCanvas::SelectObject(quint32 index) {
    if (index >= tableSize_)
        throw AppError(QStringLiteral("Metafile selects object %1 outside its table of %2 objects")
                           .arg(index)
                           .arg(tableSize_));
    // A slot that is empty (never filled or already deleted) selects nothing, as on a device.
    const auto it = objects_.find(index);
    if (it != objects_.end())
        Select(it->second);
}

void TMetafileCanvas::SelectStockObject(quint32 number) {
    if (const auto object = StockObject(number))
        Select(*object);
}

void TMetafileCanvas::DeleteObject(quint32 index) {
    if (index >= tableSize_)
        throw AppError(QStringLiteral("Metafile deletes object %1 outside its table of %2 objects")
                           .arg(index)
                           .arg(tableSize_));
    objects_.erase(index);
    used_[index / 64] &= ~(quint64(1) << (index % 64));
}

void TMetafileCanvas::Select(const TGdiObject& object) {
    if (const auto* pen = std::get_if<TGdiPen>(&object))
        state_.pen = *pen;
    else if (const auto* brush = std::get_if<TGdiBrush>(&object))
        state_.brush = *brush;
    else if (const auto* font = std::get_if<TGdiFont>(&object))
        state_.font = *font;
}

// ---- mapping ----

void TMetafileCanvas::SetMapMode(int mode) {
    if (mode >= Gdi::MmText && mode <= Gdi::MmAnisotropic)
        state_.mapMode = mode;
}

void TMetafileCanvas::SetWindowOrg(QPointF p) {
    if (Usable(p))
        state_.windowOrg = p;
}

void TMetafileCanvas::SetWindowExt(QPointF e) {
    if (Usable(e) && e.x() != 0 && e.y() != 0)
        state_.windowExt = e;
}

void TMetafileCanvas::SetViewportOrg(QPointF p) {
    if (Usable(p))
        state_.viewportOrg = p;
}

void TMetafileCanvas::SetViewportExt(QPointF e) {
    if (Usable(e) && e.x() != 0 && e.y() != 0)
        state_.viewportExt = e;
}

void TMetafileCanvas::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom != 0 && yDenom != 0)
        SetWindowExt(
            QPointF(state_.windowExt.x() * xNum / xDenom, state_.windowExt.y() * yNum / yDenom));
}

void TMetafileCanvas::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom != 0 && yDenom != 0)
        SetViewportExt(QPointF(state_.viewportExt.x() * xNum / xDenom,
                               state_.viewportExt.y() * yNum / yDenom));
}

void TMetafileCanvas::SetWorldTransform(const QTransform& t) {
    if (Usable(t))
        state_.world = t;
}

void TMetafileCanvas::ModifyWorldTransform(const QTransform& t, quint32 mode) {
    switch (mode) {
    case 1:
        state_.world = QTransform();
        break;
    case 2:
        SetWorldTransform(t * state_.world);
        break;
    case 3:
        SetWorldTransform(state_.world * t);
        break;
    case 4:
        SetWorldTransform(t);
        break;
    default:
        break;
    }
}

QTransform TMetafileCanvas::LogicalToDevice() const {
    double sx = 1, sy = 1;
    auto metric = [&](double mmPerUnit) {
        sx = pixelsPerMm_.width() * mmPerUnit;
        sy = -pixelsPerMm_.height() * mmPerUnit;
    };
    switch (state_.mapMode) {
    case Gdi::MmLoMetric:
        metric(0.1);
        break;
    case Gdi::MmHiMetric:
        metric(0.01);
        break;
    case Gdi::MmLoEnglish:
        metric(0.254);
        break;
    case Gdi::MmHiEnglish:
        metric(0.0254);
        break;
    case Gdi::MmTwips:
        metric(25.4 / 1440);
        break;
    case Gdi::MmIsotropic:
    case Gdi::MmAnisotropic:
        sx = state_.viewportExt.x() / state_.windowExt.x();
        sy = state_.viewportExt.y() / state_.windowExt.y();
        if (state_.mapMode == Gdi::MmIsotropic) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    default:
        break;
    }
    const QTransform page(sx, 0, 0, sy, state_.viewportOrg.x() - state_.windowOrg.x() * sx,
                          state_.viewportOrg.y() - state_.windowOrg.y() * sy);
    return state_.world * page;
}

// ---- saved states ----

void TMetafileCanvas::SaveDC() {
    if (saved_.size() < MaxSavedStates)
        saved_.push_back(state_);
}

void TMetafileCanvas::RestoreDC(int level) {
    const qint64 index = level < 0 ? qint64(saved_.size()) + level : qint64(level) - 1;
    if (level == 0 || index < 0 || index >= qint64(saved_.size()))
        return;
    state_ = saved_[size_t(index)];
    saved_.resize(size_t(index));
    ApplyClip();
}

// ---- clipping ----

void TMetafileCanvas::IntersectClipRect(const QRectF& r) {
    const QRegion region = ToRegion(LogicalToDevice().mapRect(r.normalized()));
    state_.clip = Combine(state_.clipped, state_.clip, region, 1);
    state_.clipped = true;
    ApplyClip();
}

void TMetafileCanvas::ExcludeClipRect(const QRectF& r) {
    const QRegion region = ToRegion(LogicalToDevice().mapRect(r.normalized()));
    state_.clip = Combine(state_.clipped, state_.clip, region, 4);
    state_.clipped = true;
    ApplyClip();
}

void TMetafileCanvas::SelectClipRegion(const QRegion& deviceRegion, quint32 mode, bool empty) {
    if (mode == 5 && empty) {
        state_.clipped = false;
        state_.clip = QRegion();
    } else if (mode == 2 && !state_.clipped) {
        // Everything united with anything stays everything.
    } else if (mode >= 1 && mode <= 5) {
        state_.clip = Combine(state_.clipped, state_.clip, deviceRegion, mode);
        state_.clipped = true;
    }
    ApplyClip();
}

void TMetafileCanvas::ApplyClip() {
    if (!painter_)
        return;
    painter_->setTransform(painterStart_);
    if (painterHadClip_)
        painter_->setClipPath(painterClip_);
    else
        painter_->setClipping(false);
    if (state_.clipped) {
        painter_->setTransform(base_);
        painter_->setClipRegion(state_.clip, Qt::IntersectClip);
    }
}

// ---- path bracket ----

void TMetafileCanvas::BeginPath() {
    inPath_ = true;
    figureOpen_ = false;
    path_ = QPainterPath();
}

void TMetafileCanvas::AbortPath() {
    inPath_ = false;
    figureOpen_ = false;
    path_ = QPainterPath();
}

void TMetafileCanvas::CloseFigure() {
    if (inPath_ && !path_.isEmpty())
        path_.closeSubpath();
    figureOpen_ = false;
}

void TMetafileCanvas::FillPath() {
    inPath_ = false;
    DrawDevicePath(std::exchange(path_, QPainterPath()), true, false);
}

void TMetafileCanvas::StrokePath() {
    inPath_ = false;
    DrawDevicePath(std::exchange(path_, QPainterPath()), false, true);
}

void TMetafileCanvas::StrokeAndFillPath() {
    inPath_ = false;
    DrawDevicePath(std::exchange(path_, QPainterPath()), true, true);
}

void TMetafileCanvas::SelectClipPath(quint32 mode) {
    inPath_ = false;
    const QPainterPath path = std::exchange(path_, QPainterPath());
    const QRectF bounds = path.controlPointRect();
    QRegion region;
    if (QRectF(Everything).contains(bounds) && bounds.width() <= MaxExactClipPath &&
        bounds.height() <= MaxExactClipPath && path.elementCount() <= MaxExactClipPathElements)
        region = QRegion(path.toFillPolygon().toPolygon(),
                         state_.polyFillMode == Gdi::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    else
        region = ToRegion(bounds);
    SelectClipRegion(region, mode, path.isEmpty());
}
