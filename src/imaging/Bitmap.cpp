// SPDX-License-Identifier: MIT
#include "imaging/Bitmap.h"

#include "imaging/AppError.h"

#include <QPainter>
#include <bit>

namespace {

constexpr quint32 PlainPixels = 0;
constexpr quint32 Rle8 = 1;
constexpr quint32 Rle4 = 2;
constexpr quint32 ColourMasks = 3;
constexpr quint32 ColourMasksWithAlpha = 6;

quint16 U16(QByteArrayView d, qint64 at) {
    return quint16(uchar(d[at]) | uchar(d[at + 1]) << 8);
}
quint32 U32(QByteArrayView d, qint64 at) {
    return quint32(uchar(d[at])) | quint32(uchar(d[at + 1])) << 8 |
           quint32(uchar(d[at + 2])) << 16 | quint32(uchar(d[at + 3])) << 24;
}
void Put16(QByteArray& d, qint64 at, quint16 v) {
    d[at] = char(v & 0xff);
    d[at + 1] = char(v >> 8);
}
void Put32(QByteArray& d, qint64 at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        d[at + i] = char((v >> (8 * i)) & 0xff);
}

AppError Fault(const QString& what, const QString& why) {
    return AppError(what + QStringLiteral(": ") + why);
}

// Throws unless `count` bytes from `at` lie inside the data.
void Need(QByteArrayView d, qint64 at, qint64 count, const QString& what) {
    if (at < 0 || count < 0 || at > d.size() || count > d.size() - at)
        throw Fault(what, QStringLiteral("the data is truncated"));
}

QImage Allocate(int width, int height, QImage::Format format, const QString& what) {
    QImage image(width, height, format);
    if (image.isNull())
        throw Fault(what,
                    QStringLiteral("not enough memory for %1 x %2 pixels").arg(width).arg(height));
    return image;
}

// One colour channel of a 16 or 32-bit pixel, scaled to 0..255.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    quint32 max = 0;

    explicit Channel(quint32 m) : mask(m) {
        if (m) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    int Value(quint32 pixel, int absent) const {
        if (!mask)
            return absent;
        const quint32 v = (pixel & mask) >> shift;
        return max == 255 ? int(v) : int(quint64(v) * 255 / max);
    }
};

class PaletteLookup {
public:
    explicit PaletteLookup(const QList<QRgb>& palette) : palette_(palette) {}
    QRgb operator()(int index) const {
        return index < palette_.size() ? palette_[index] : qRgb(0, 0, 0);
    }

private:
    const QList<QRgb>& palette_;
};

QImage DecodePlain(const DibHeader& h, QByteArrayView d, qint64 offset, const QString& what) {
    const qint64 stride = DibRowStride(h.width, h.bitCount);
    Need(d, offset, stride * h.height, what);
    const bool maskedAlpha = (h.bitCount == 16 || h.bitCount == 32) && h.masks[3] != 0;
    QImage image = Allocate(h.width, h.height,
                            maskedAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32, what);
    const PaletteLookup colour(h.palette);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    bool anyAlpha = false;
    const auto* base = reinterpret_cast<const uchar*>(d.data()) + offset;
    for (int r = 0; r < h.height; ++r) {
        const uchar* src = base + r * stride;
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(h.topDown ? r : h.height - 1 - r));
        for (int x = 0; x < h.width; ++x) {
            switch (h.bitCount) {
            case 1:
                dst[x] = colour((src[x >> 3] >> (7 - (x & 7))) & 1);
                break;
            case 4:
                dst[x] = colour((x & 1) ? src[x >> 1] & 0x0f : src[x >> 1] >> 4);
                break;
            case 8:
                dst[x] = colour(src[x]);
                break;
            case 24:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const quint32 p = h.bitCount == 16
                                      ? quint32(src[2 * x] | src[2 * x + 1] << 8)
                                      : quint32(src[4 * x]) | quint32(src[4 * x + 1]) << 8 |
                                            quint32(src[4 * x + 2]) << 16 |
                                            quint32(src[4 * x + 3]) << 24;
                const int a = alpha.Value(p, 255);
                anyAlpha = anyAlpha || a != 0;
                dst[x] = qRgba(red.Value(p, 0), green.Value(p, 0), blue.Value(p, 0), a);
            }
            }
        }
    }
    if (maskedAlpha && !anyAlpha) {
        // An alpha mask that leaves every pixel at zero is a writer's mistake: show it opaque.
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] |= 0xff000000u;
        }
        image.reinterpretAsFormat(QImage::Format_RGB32);
    }
    return image;
}

QImage DecodeRle(const DibHeader& h, QByteArrayView d, qint64 offset, const QString& what) {
    const bool rle8 = h.compression == Rle8;
    QImage image = Allocate(h.width, h.height, QImage::Format_RGB32, what);
    const PaletteLookup colour(h.palette);
    // Pixels the stream skips keep the first palette colour.
    image.fill(colour(0));
    const auto bad = [&](const char* why) { return Fault(what, QString::fromLatin1(why)); };
    const auto* bytes = reinterpret_cast<const uchar*>(d.data());
    qint64 p = offset;
    int x = 0;
    int y = 0; // counted from the bottom row
    const auto put = [&](int index) {
        // Pixels past the end of a row are dropped, as other readers do.
        if (x < h.width)
            reinterpret_cast<QRgb*>(image.scanLine(h.height - 1 - y))[x] = colour(index);
        ++x;
    };
    for (;;) {
        if (p + 2 > d.size()) {
            if (y >= h.height)
                return image; // every row is there; only the end marker is missing
            throw bad("the compressed data ends before the picture is complete");
        }
        const int count = bytes[p];
        const int value = bytes[p + 1];
        p += 2;
        if (count > 0) {
            if (y >= h.height)
                throw bad("the compressed data runs past the last row");
            for (int i = 0; i < count; ++i)
                put(rle8 ? value : (i & 1) ? value & 0x0f : value >> 4);
            continue;
        }
        switch (value) {
        case 0: // end of row
            x = 0;
            ++y;
            break;
        case 1: // end of picture
            return image;
        case 2: // move right and up
            if (p + 2 > d.size())
                throw bad("the compressed data ends before the picture is complete");
            x += bytes[p];
            y += bytes[p + 1];
            p += 2;
            if (x > h.width || y > h.height)
                throw bad("the compressed data moves outside the picture");
            break;
        default: { // a run of literal pixels, padded to an even byte count
            const int n = value;
            const qint64 used = rle8 ? n : (n + 1) / 2;
            if (p + ((used + 1) & ~qint64(1)) > d.size())
                throw bad("the compressed data ends before the picture is complete");
            if (y >= h.height)
                throw bad("the compressed data runs past the last row");
            for (int i = 0; i < n; ++i)
                put(rle8      ? bytes[p + i]
                    : (i & 1) ? bytes[p + i / 2] & 0x0f
                              : bytes[p + i / 2] >> 4);
            p += (used + 1) & ~qint64(1);
        }
        }
    }
}

bool HasTranslucentPixel(const QImage& image) {
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

} // namespace

qint64 DibRowStride(qint64 width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

DibHeader ReadDibHeader(QByteArrayView d, qint64 offset, bool iconEntry, const QString& what) {
    Need(d, offset, 4, what);
    const quint32 size = U32(d, offset);
    const bool core = size == 12;
    if (!core && size != 40 && size != 52 && size != 56 && size != 64 && size != 108 && size != 124)
        throw Fault(what, QStringLiteral("unsupported header size %1").arg(size));
    Need(d, offset, size, what);

    DibHeader h;
    qint64 width = 0;
    qint64 height = 0;
    quint32 colorsUsed = 0;
    if (core) {
        width = U16(d, offset + 4);
        height = U16(d, offset + 6);
        h.bitCount = U16(d, offset + 10);
    } else {
        width = qint32(U32(d, offset + 4));
        height = qint32(U32(d, offset + 8));
        h.bitCount = U16(d, offset + 14);
        h.compression = U32(d, offset + 16);
        colorsUsed = U32(d, offset + 32);
    }
    if (iconEntry) {
        if (height <= 0)
            throw Fault(what, QStringLiteral("invalid height %1").arg(height));
        height /= 2; // colour rows, then as many mask rows
    }
    h.topDown = height < 0;
    height = qAbs(height);
    if (width <= 0 || height <= 0)
        throw Fault(what, QStringLiteral("invalid size %1 x %2").arg(width).arg(height));
    CheckImageDimensions(width, height, what);
    h.width = int(width);
    h.height = int(height);

    const int bits = h.bitCount;
    bool valid = false;
    switch (h.compression) {
    case PlainPixels:
        valid = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        break;
    case Rle8:
        valid = bits == 8 && !h.topDown;
        break;
    case Rle4:
        valid = bits == 4 && !h.topDown;
        break;
    case ColourMasks:
    case ColourMasksWithAlpha:
        valid = (bits == 16 || bits == 32) && size != 64; // 64: OS/2 header, 3 means Huffman
        break;
    }
    if (!valid)
        throw Fault(what, QStringLiteral("unsupported format: %1 bits per pixel, compression %2")
                              .arg(bits)
                              .arg(h.compression));

    qint64 at = offset + size;
    if (h.compression == ColourMasks || h.compression == ColourMasksWithAlpha) {
        const int count = h.compression == ColourMasksWithAlpha ? 4 : 3;
        if (size >= 52) {
            for (int i = 0; i < (size >= 56 ? 4 : 3); ++i)
                h.masks[i] = U32(d, offset + 40 + 4 * i);
        } else {
            Need(d, at, 4 * count, what);
            for (int i = 0; i < count; ++i)
                h.masks[i] = U32(d, at + 4 * i);
            at += 4 * count;
        }
    } else if (bits == 16) {
        h.masks[0] = 0x7c00;
        h.masks[1] = 0x03e0;
        h.masks[2] = 0x001f;
    } else if (bits == 32) {
        h.masks[0] = 0x00ff0000;
        h.masks[1] = 0x0000ff00;
        h.masks[2] = 0x000000ff;
        h.masks[3] = iconEntry ? 0xff000000 : 0;
    }

    const int entrySize = core ? 3 : 4;
    qint64 entries = colorsUsed;
    if (bits <= 8) {
        if (colorsUsed > 256)
            throw Fault(what, QStringLiteral("invalid palette size %1").arg(colorsUsed));
        if (entries == 0)
            entries = qint64(1) << bits;
    }
    Need(d, at, entries * entrySize, what);
    if (bits <= 8) {
        const qint64 kept = qMin(entries, qint64(1) << bits);
        h.palette.reserve(kept);
        for (qint64 i = 0; i < kept; ++i) {
            const qint64 e = at + i * entrySize;
            h.palette.append(qRgb(uchar(d[e + 2]), uchar(d[e + 1]), uchar(d[e])));
        }
    }
    h.end = at + entries * entrySize;
    return h;
}

QImage DecodeDibPixels(const DibHeader& header, QByteArrayView data, qint64 offset,
                       const QString& what) {
    if (header.compression == Rle8 || header.compression == Rle4)
        return DecodeRle(header, data, offset, what);
    return DecodePlain(header, data, offset, what);
}

QImage DecodeBmp(QByteArrayView d) {
    const QString what = QStringLiteral("Bitmap");
    if (d.size() < 2 || d[0] != 'B' || d[1] != 'M')
        throw Fault(what, QStringLiteral("not a BMP file"));
    Need(d, 0, 14, what);
    const DibHeader h = ReadDibHeader(d, 14, false, what);
    const quint32 declared = U32(d, 10);
    // Some writers leave the pixel offset at zero; the pixels then follow the palette.
    const qint64 pixels = declared == 0 ? h.end : declared;
    if (pixels < 14 + 12)
        throw Fault(what, QStringLiteral("invalid pixel data offset %1").arg(declared));
    return DecodeDibPixels(h, d, pixels, what);
}

QByteArray EncodeBmp(const QImage& source) {
    if (source.isNull())
        throw AppError(QStringLiteral("Cannot save an empty bitmap"));
    const bool alpha = HasTranslucentPixel(source);
    const int bits = alpha ? 32 : 24;
    const int headerSize = alpha ? 108 : 40;
    const qint64 w = source.width();
    const qint64 h = source.height();
    const qint64 stride = DibRowStride(w, bits);
    const qint64 pixelOffset = 14 + headerSize;
    const qint64 total = pixelOffset + stride * h;
    if (total > qint64(0xffffffffu))
        throw AppError(QStringLiteral("Bitmap: the picture is too large for a BMP file"));

    QByteArray out(total, '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, quint32(total));
    Put32(out, 10, quint32(pixelOffset));
    Put32(out, 14, quint32(headerSize));
    Put32(out, 18, quint32(w));
    Put32(out, 22, quint32(h)); // positive: rows stored bottom-up
    Put16(out, 26, 1);
    Put16(out, 28, quint16(bits));
    Put32(out, 30, alpha ? ColourMasks : PlainPixels);
    Put32(out, 34, quint32(stride * h));
    Put32(out, 38, 2835); // 72 pixels per inch
    Put32(out, 42, 2835);
    if (alpha) {
        Put32(out, 54, 0x00ff0000);
        Put32(out, 58, 0x0000ff00);
        Put32(out, 62, 0x000000ff);
        Put32(out, 66, 0xff000000);
        Put32(out, 70, 0x73524742); // 'sRGB'
    }

    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (qint64 y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(int(y)));
        char* dst = out.data() + pixelOffset + (h - 1 - y) * stride;
        for (qint64 x = 0; x < w; ++x) {
            *dst++ = char(qBlue(src[x]));
            *dst++ = char(qGreen(src[x]));
            *dst++ = char(qRed(src[x]));
            if (alpha)
                *dst++ = char(qAlpha(src[x]));
        }
    }
    return out;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    return std::make_unique<TBitmap>(*this);
}

void TBitmap::LoadFromBytes(const QByteArray& data) {
    image_ = QImage();
    image_ = DecodeBmp(data);
}

QByteArray TBitmap::SaveToBytes() const {
    return EncodeBmp(image_);
}

QImage TBitmap::ToImage() const {
    return image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TBitmap::Draw(QPainter& painter, QPoint at) const {
    painter.drawImage(at, image_);
}

void TBitmap::StretchDraw(QPainter& painter, const QRect& rect) const {
    PlainStretch(painter, rect, image_);
}

void PlainStretch(QPainter& painter, const QRect& rect, const QImage& image) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect, image);
    painter.restore();
}

void TBitmap::Assign(const TGraphic& source) {
    if (source.Kind() != GraphicKind::Bitmap)
        throw ConvertError(QStringLiteral("Cannot assign this picture to a bitmap"));
    image_ = static_cast<const TBitmap&>(source).image_;
}

void TBitmap::SetSize(int width, int height) {
    CheckImageDimensions(width, height, QStringLiteral("Bitmap"));
    if (width == 0 || height == 0) {
        image_ = QImage();
        return;
    }
    QImage image = Allocate(width, height, QImage::Format_RGB32, QStringLiteral("Bitmap"));
    image.fill(Qt::white);
    image_ = std::move(image);
}
