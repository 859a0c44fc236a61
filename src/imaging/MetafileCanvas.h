// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/MetafileObjects.h"

#include <QBrush>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QRegion>
#include <QSizeF>
#include <QTransform>
#include <unordered_map>
#include <vector>

class QPainter;

// The device context a metafile was recorded on, replayed onto a QPainter: mapping mode,
// window and viewport, world transform, selected objects, colours and modes, the saved-state
// stack, clipping and the path bracket. Both players decode their records into calls on it;
// all coordinates it takes are logical units of the recording.
//
// Without a painter it follows the records without drawing: the players use that to check a
// file completely when it is loaded and to measure what a file without a declared size draws.
class TMetafileCanvas {
public:
    // `deviceToTarget` maps the recording device's pixels into the painter's coordinates;
    // `devicePixelsPerMm` is the recording device's resolution for the metric mapping modes.
    TMetafileCanvas(QPainter* painter, const QTransform& deviceToTarget, QSizeF devicePixelsPerMm);
    ~TMetafileCanvas();
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

    bool Painting() const { return painter_ != nullptr; }
    // Device-space bounds of everything drawn so far (tracked only when not painting).
    QRectF DrawnBounds() const { return drawnBounds_; }

    // Object table. Windows metafiles put a new object into the lowest free slot of a table
    // of fixed size; enhanced metafiles name the slot. Out-of-range slots throw AppError.
    void SetObjectTableSize(quint32 size);
    void CreateObject(TGdiObject object);
    void CreateObjectAt(quint32 index, TGdiObject object);
    void SelectObject(quint32 index);
    void SelectStockObject(quint32 number);
    void DeleteObject(quint32 index);

    // Colours and modes.
    void SetTextColor(QColor c) { state_.textColor = c; }
    void SetBkColor(QColor c) { state_.bkColor = c; }
    void SetBkMode(int mode) { state_.bkMode = mode; }
    void SetPolyFillMode(int mode) { state_.polyFillMode = mode; }
    void SetTextAlign(quint32 align) { state_.textAlign = align; }
    void SetArcClockwise(bool clockwise) { state_.arcClockwise = clockwise; }

    // Mapping; calls that a device context would refuse (zero extents, singular matrices,
    // non-finite numbers) are ignored.
    void SetMapMode(int mode);
    void SetWindowOrg(QPointF p);
    void SetWindowExt(QPointF e);
    void SetViewportOrg(QPointF p);
    void SetViewportExt(QPointF e);
    void OffsetWindowOrg(QPointF d) { SetWindowOrg(state_.windowOrg + d); }
    void OffsetViewportOrg(QPointF d) { SetViewportOrg(state_.viewportOrg + d); }
    void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void SetWorldTransform(const QTransform& t);
    // 1 identity, 2 left multiply, 3 right multiply, 4 set.
    void ModifyWorldTransform(const QTransform& t, quint32 mode);
    QTransform LogicalToDevice() const;

    // Saved states: a negative level counts back from the newest, a positive one is absolute.
    void SaveDC();
    void RestoreDC(int level);

    // Clipping, in logical coordinates (regions in device pixels).
    void IntersectClipRect(const QRectF& r);
    void ExcludeClipRect(const QRectF& r);
    // Region modes 1 AND, 2 OR, 3 XOR, 4 DIFF, 5 COPY; an empty COPY removes the clip.
    void SelectClipRegion(const QRegion& deviceRegion, quint32 mode, bool empty);

    // Drawing.
    void MoveTo(QPointF p) {
        state_.current = p;
        figureOpen_ = false;
    }
    void LineTo(QPointF p);
    void Polyline(const QPolygonF& points);
    void PolylineTo(const QPolygonF& points);
    void PolyBezier(const QPolygonF& points);
    void PolyBezierTo(const QPolygonF& points);
    void Polygon(const QPolygonF& points);
    void PolyPolygon(const QList<QPolygonF>& polygons);
    void PolyPolyline(const QList<QPolygonF>& polylines);
    void Rectangle(const QRectF& r);
    void RoundRect(const QRectF& r, QSizeF corner);
    void Ellipse(const QRectF& r);
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    void Arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end);
    void SetPixel(QPointF p, QColor c);
    // `dx`: advance of each character in logical units, or empty for the font's own.
    void TextOut(QPointF reference, const QString& text, quint32 options, const QRectF* rect,
                 const QList<double>& dx);
    // Draws `source` part of `image` into `dest` (either may have negative extents: mirrored).
    void DrawImage(const QRectF& dest, const QImage& image, const QRectF& source, quint32 rop);
    // A raster operation without a source bitmap (pattern, black, white, invert).
    void PatBlt(const QRectF& dest, quint32 rop);

    // Path bracket: drawing between BeginPath and EndPath builds the path instead.
    void BeginPath();
    void EndPath() { inPath_ = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();
    void SelectClipPath(quint32 mode);

private:
    struct TState {
        TGdiPen pen;
        TGdiBrush brush;
        TGdiFont font;
        QColor textColor = Qt::black;
        QColor bkColor = Qt::white;
        int bkMode = Gdi::Opaque;
        int polyFillMode = Gdi::Alternate;
        quint32 textAlign = 0;
        bool arcClockwise = false;
        int mapMode = Gdi::MmText;
        QPointF windowOrg, viewportOrg;
        QPointF windowExt{1, 1}, viewportExt{1, 1};
        QTransform world;
        QPointF current;
        bool clipped = false;
        QRegion clip; // device pixels
    };

    // How a shape joins the path being built inside a path bracket: a figure of its own,
    // or (lines and curves from the current position) a continuation of the open figure.
    enum class Figure { Separate, Continue };
    void Draw(QPainterPath path, bool fill, bool stroke, Figure figure = Figure::Separate);
    void DrawDevicePath(QPainterPath devicePath, bool fill, bool stroke);
    void Track(const QRectF& deviceRect);
    void Select(const TGdiObject& object);
    void ApplyClip();
    QPen MakePen(const QTransform& toTarget) const;
    QBrush MakeBrush() const;
    QPainterPath ArcPath(ArcKind kind, const QRectF& box, QPointF start, QPointF end) const;

    QPainter* painter_;
    QTransform base_; // device pixels to the painter's device
    QTransform painterStart_;
    bool painterHadClip_ = false;
    QPainterPath painterClip_;
    QSizeF pixelsPerMm_;
    QRectF drawnBounds_;

    TState state_;
    std::vector<TState> saved_;
    bool inPath_ = false;
    bool figureOpen_ = false;
    QPainterPath path_; // device pixels

    quint32 tableSize_ = 0;
    std::unordered_map<quint32, TGdiObject> objects_;
    std::vector<quint64> used_; // one bit per slot, for the lowest-free-slot rule
};
