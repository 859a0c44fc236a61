// SPDX-License-Identifier: MIT
#include "imaging/IconImage.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PngImage.h"

#include <QPainter>

namespace {

constexpr qint64 DirectorySize = 6;
constexpr qint64 EntrySize = 16;

quint16 U16(QByteArrayView d, qint64 at) {
    return quint16(uchar(d[at]) | uchar(d[at + 1]) << 8);
}
quint32 U32(QByteArrayView d, qint64 at) {
    return quint32(U16(d, at)) | quint32(U16(d, at + 2)) << 16;
}
quint32 BigEndian32(QByteArrayView d, qint64 at) {
    return quint32(uchar(d[at])) << 24 | quint32(uchar(d[at + 1])) << 16 |
           quint32(uchar(d[at + 2])) << 8 | quint32(uchar(d[at + 3]));
}

AppError Fault(const QString& why) {
    return AppError(QStringLiteral("Icon: ") + why);
}

bool IsPng(QByteArrayView entry) {
    return entry.size() >= 8 && entry.first(8) == QByteArrayView("\x89PNG\r\n\x1a\n", 8);
}

// Size and colour bits of one entry, read from the entry's own header: directory fields are
// often wrong.
struct Candidate {
    QByteArrayView bytes;
    qint64 area = 0;
    int bits = 0;
};

Candidate Inspect(QByteArrayView entry, const QString& what) {
    Candidate c{entry};
    if (IsPng(entry)) {
        // Signature, IHDR length and type, then width, height, bit depth and colour type.
        if (entry.size() < 26)
            throw AppError(what + QStringLiteral(": the data is truncated"));
        // PNG sizes stop at 2^31 - 1; capped, the product cannot overflow.
        const qint64 width = qMin(BigEndian32(entry, 16), 0x7fffffffu);
        const qint64 height = qMin(BigEndian32(entry, 20), 0x7fffffffu);
        static constexpr int Channels[] = {1, 0, 3, 1, 2, 0, 4};
        const int type = uchar(entry[25]);
        c.area = width * height;
        c.bits = uchar(entry[24]) * (type < 7 ? Channels[type] : 0);
    } else {
        const DibHeader h = ReadDibHeader(entry, 0, true, what);
        c.area = qint64(h.width) * h.height;
        c.bits = h.bitCount;
    }
    return c;
}

// Colour pixels, then the AND mask (one bit per pixel, set where the icon is transparent),
// which matters only when the colour part has no alpha of its own.
QImage DecodeBitmapEntry(QByteArrayView entry, const QString& what) {
    const DibHeader h = ReadDibHeader(entry, 0, true, what);
    if (h.compression != 0)
        throw AppError(what + QStringLiteral(": unsupported compression %1").arg(h.compression));
    QImage image = DecodeDibPixels(h, entry, h.end, what);
    if (image.hasAlphaChannel())
        return image;
    const qint64 maskOffset = h.end + DibRowStride(h.width, h.bitCount) * h.height;
    const qint64 maskStride = DibRowStride(h.width, 1);
    if (entry.size() - maskOffset < maskStride * h.height)
        throw AppError(what + QStringLiteral(": the transparency mask is truncated"));
    image = image.convertToFormat(QImage::Format_ARGB32);
    const auto* mask = reinterpret_cast<const uchar*>(entry.data()) + maskOffset;
    for (int r = 0; r < h.height; ++r) {
        const uchar* bits = mask + r * maskStride;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(h.topDown ? r : h.height - 1 - r));
        for (int x = 0; x < h.width; ++x)
            if (bits[x >> 3] & (0x80 >> (x & 7)))
                line[x] = 0;
    }
    return image;
}

} // namespace

std::unique_ptr<TGraphic> TIcon::Clone() const {
    return std::make_unique<TIcon>(*this);
}

void TIcon::LoadFromBytes(const QByteArray& data) {
    image_ = QImage();
    const QByteArrayView d(data);
    if (d.size() < DirectorySize || U16(d, 0) != 0 || U16(d, 2) != 1)
        throw Fault(QStringLiteral("not an icon file"));
    const int count = U16(d, 4);
    if (count == 0)
        throw Fault(QStringLiteral("the file holds no images"));
    const qint64 directoryEnd = DirectorySize + EntrySize * count;
    if (d.size() < directoryEnd)
        throw Fault(QStringLiteral("the directory of %1 images is truncated").arg(count));

    Candidate best;
    int bestIndex = -1;
    for (int i = 0; i < count; ++i) {
        const qint64 e = DirectorySize + EntrySize * i;
        const qint64 size = U32(d, e + 8);
        const qint64 offset = U32(d, e + 12);
        if (size == 0 || offset < directoryEnd || offset > d.size() || size > d.size() - offset)
            throw Fault(QStringLiteral("image %1 of %2 lies outside the file (offset %3, %4 bytes)")
                            .arg(i + 1)
                            .arg(count)
                            .arg(offset)
                            .arg(size));
        const QString what = QStringLiteral("Icon image %1").arg(i + 1);
        const Candidate c = Inspect(d.sliced(offset, size), what);
        if (bestIndex < 0 || c.area > best.area || (c.area == best.area && c.bits > best.bits)) {
            best = c;
            bestIndex = i;
        }
    }

    const QString what = QStringLiteral("Icon image %1").arg(bestIndex + 1);
    const QImage image =
        IsPng(best.bytes) ? DecodePng(best.bytes, what) : DecodeBitmapEntry(best.bytes, what);
    image_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QByteArray TIcon::SaveToBytes() const {
    throw AppError(QStringLiteral("Saving as an Icon is not supported"));
}

void TIcon::Draw(QPainter& painter, QPoint at) const {
    painter.drawImage(at, image_);
}

void TIcon::StretchDraw(QPainter& painter, const QRect& rect) const {
    painter.drawImage(rect.topLeft(), image_);
}

void TIcon::Assign(const TGraphic& source) {
    switch (source.Kind()) {
    case GraphicKind::Icon:
        image_ = static_cast<const TIcon&>(source).image_;
        return;
    case GraphicKind::Bitmap:
        image_ = source.ToImage();
        return;
    default:
        throw ConvertError(QStringLiteral("Cannot assign this picture to an icon"));
    }
}
