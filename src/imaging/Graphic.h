// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/ImageFormats.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

class QPainter;

// Largest picture any decoder accepts, checked against the declared dimensions before
// anything is allocated: 400 megapixels.
constexpr qint64 MaxImagePixels = 400'000'000;
// Throws AppError naming `what` when width x height is negative or above MaxImagePixels.
void CheckImageDimensions(qint64 width, qint64 height, const QString& what);

// One decoded picture of one kind. Each kind is its own class; the extension table picks it.
class TGraphic {
public:
    virtual ~TGraphic() = default;

    virtual GraphicKind Kind() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Reads the whole file and decodes it. Errors are AppError with a message that says what
    // is wrong; the graphic is left empty then.
    void LoadFromFile(const QString& path);
    virtual void LoadFromBytes(const QByteArray& data) = 0;

    // Encodes the picture and writes it so that the target is either replaced by the complete
    // new file or left as it was: the bytes go to a new file in the same folder, which is
    // renamed over the target only when fully written.
    void SaveToFile(const QString& path) const;
    virtual QByteArray SaveToBytes() const = 0;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    virtual bool Transparent() const { return false; }

    // The picture at its own size as an ARGB image (transparent where the picture is).
    // The default draws the graphic into a transparent image.
    virtual QImage ToImage() const;

    // Draws the picture at its own size with its top-left corner at `at`.
    virtual void Draw(QPainter& painter, QPoint at) const = 0;
    // Draws the picture stretched into `rect`: a plain stretch, pixels dropped or repeated,
    // no smoothing.
    virtual void StretchDraw(QPainter& painter, const QRect& rect) const = 0;

    // Takes over the picture of `source`. Each kind accepts its own kind and a bitmap and throws
    // ConvertError for any other; the graphic is unchanged when it throws.
    virtual void Assign(const TGraphic& source) = 0;
};

// Writes `bytes` to `path` through a temporary file in the target's folder that is renamed
// over the target only when complete. Throws AppError on failure; no stray file is left.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);
