// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QSizeF>

class QPainter;
class TMetafileCanvas;

// An enhanced metafile played through a QPainter.
class TEmfPlayer {
public:
    // Reads the header, works out the picture's size and checks every record by following
    // the whole file without drawing. Throws AppError saying what is wrong.
    explicit TEmfPlayer(const QByteArray& data);

    // The frame (0.01 mm) converted to pixels of the reference device; the bounds (device
    // pixels) when the frame is unusable.
    QSize Size() const { return size_; }

    // Plays the records with the picture stretched into `target` (painter coordinates).
    void Play(QPainter& painter, const QRectF& target) const;

private:
    void Run(TMetafileCanvas& canvas) const;

    QByteArray data_;
    quint32 objectCount_ = 0;
    qint64 end_ = 0;     // bytes the header declares
    QSizeF pixelsPerMm_; // of the reference device
    QPointF origin_;     // top-left of the picture in device pixels
    QSize size_;
};
