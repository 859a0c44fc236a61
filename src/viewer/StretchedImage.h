// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

// A control that stretches a picture to its own bounds. Subclasses say which pixels to show for
// a size; the stretched result is cached while the size stays, and only the exposed part is
// scaled when the stretched picture would be too large to keep.
class TStretchedImage : public QWidget {
public:
    explicit TStretchedImage(QWidget* parent);

    // Drops the cached pixels (the picture changed).
    void Invalidate();
    // Makes the pixels for the current size now, so that a failure (damaged data) surfaces to
    // the caller rather than as an empty picture at the next paint. Throws what SourceFor throws.
    void PrepareSource();

protected:
    // Pixels made elsewhere for the current picture (kept until they no longer serve).
    void SetSource(const QImage& source);
    // The pixels to stretch to `size`; a null image paints nothing.
    virtual QImage SourceFor(QSize size) = 0;
    // True when the source pixels already serve `size` (no new source is needed).
    virtual bool SourceServes(const QImage& source, QSize size) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage source_;
    QImage scaled_;
};
