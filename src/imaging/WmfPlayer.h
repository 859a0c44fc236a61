// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>

class QPainter;
class TMetafileCanvas;
class TLeReader;

// A Windows metafile, placeable (with the 22-byte header that gives its bounding box and
// units per inch) or plain, played through a QPainter.
class TWmfPlayer {
public:
    // Reads the headers, works out the picture's size and checks every record by following
    // the whole file without drawing. Throws AppError saying what is wrong.
    explicit TWmfPlayer(const QByteArray& data);

    // Pixels at 96 dots per inch: the placeable bounding box converted with its units per
    // inch; for a plain file its window extent, else the extent of what it draws.
    QSize Size() const { return size_; }
    bool Placeable() const { return placeable_; }

    // Plays the records with the picture stretched into `target` (painter coordinates).
    void Play(QPainter& painter, const QRectF& target) const;

private:
    void Run(TMetafileCanvas& canvas) const;
    template <typename Visit> void Walk(Visit&& visit) const;

    QByteArray data_;
    bool placeable_ = false;
    qint64 headerAt_ = 0;
    quint32 objectCount_ = 0;
    QRectF window_; // the logical rectangle that fills the picture
    QSize size_;
};
