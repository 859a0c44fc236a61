// SPDX-License-Identifier: MIT
#include "imaging/PngImage.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {

constexpr char Signature[] = "\x89PNG\r\n\x1a\n";

quint32 BigEndian32(QByteArrayView d, qint64 at) {
    return quint32(uchar(d[at])) << 24 | quint32(uchar(d[at + 1])) << 16 |
           quint32(uchar(d[at + 2])) << 8 | quint32(uchar(d[at + 3]));
}

AppError Fault(const QString& what, const QString& why) {
    return AppError(what + QStringLiteral(": ") + why);
}

// Walks the chunks up to IEND. The codec itself would show a file cut short as a partly
// grey picture without complaint.
void CheckComplete(QByteArrayView d, const QString& what) {
    if (d.size() < 8 || d.first(8) != QByteArrayView(Signature, 8))
        throw Fault(what, QStringLiteral("not a PNG file"));
    qint64 at = 8;
    for (;;) {
        if (d.size() - at < 12)
            throw Fault(what, QStringLiteral("the file is truncated"));
        const quint32 length = BigEndian32(d, at);
        if (length > 0x7fffffffu)
            throw Fault(what, QStringLiteral("invalid chunk length %1").arg(length));
        if (d.size() - at - 12 < qint64(length))
            throw Fault(what, QStringLiteral("the file is truncated"));
        if (d.sliced(at + 4, 4) == QByteArrayView("IEND"))
            return;
        at += 12 + qint64(length);
    }
}

} // namespace

QImage DecodePng(QByteArrayView data, const QString& what) {
    CheckComplete(data, what);
    QByteArray bytes = data.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // Room for the largest accepted picture at 64 bits per pixel; the pixel limit decides.
    reader.setAllocationLimit(int(MaxImagePixels * 8 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    if (!size.isValid())
        throw Fault(what, QStringLiteral("invalid header (%1)").arg(reader.errorString()));
    CheckImageDimensions(size.width(), size.height(), what);
    QImage image;
    if (!reader.read(&image))
        throw Fault(what, reader.errorString());
    return image;
}

QByteArray EncodePng(const QImage& image) {
    if (image.isNull())
        throw AppError(QStringLiteral("Cannot save an empty PNG image"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw AppError(QStringLiteral("PNG: %1").arg(writer.errorString()));
    return bytes;
}

std::unique_ptr<TGraphic> TPNGObject::Clone() const {
    return std::make_unique<TPNGObject>(*this);
}

void TPNGObject::LoadFromBytes(const QByteArray& data) {
    image_ = QImage();
    image_ = DecodePng(data, QStringLiteral("PNG image"));
}

QByteArray TPNGObject::SaveToBytes() const {
    return EncodePng(image_);
}

QImage TPNGObject::ToImage() const {
    return image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TPNGObject::Draw(QPainter& painter, QPoint at) const {
    painter.drawImage(at, image_);
}

void TPNGObject::StretchDraw(QPainter& painter, const QRect& rect) const {
    PlainStretch(painter, rect, image_);
}

void TPNGObject::Assign(const TGraphic& source) {
    switch (source.Kind()) {
    case GraphicKind::Png:
        image_ = static_cast<const TPNGObject&>(source).image_;
        return;
    case GraphicKind::Bitmap:
        image_ = static_cast<const TBitmap&>(source).Image();
        return;
    default:
        throw ConvertError(QStringLiteral("Cannot assign this picture to a PNG image"));
    }
}
