// SPDX-License-Identifier: MIT
#include "imaging/PcxImage.h"

#include "imaging/AppError.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int HeaderSize = 128;
constexpr int PaletteMarker = 0x0C;
constexpr int VgaPaletteSize = 1 + 256 * 3; // marker byte and 256 RGB triples after the image
constexpr int MaxRunLength = 63;

AppError PcxError(const QString& what) {
    return AppError(QStringLiteral("Invalid PCX file: %1").arg(what));
}

int ReadU16(const uchar* p) {
    return p[0] | (p[1] << 8);
}

void WriteU16(uchar* p, int value) {
    p[0] = uchar(value & 0xFF);
    p[1] = uchar((value >> 8) & 0xFF);
}

// The 16 colours used by files that carry no palette of their own.
constexpr std::array<QRgb, 16> EgaPalette = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF};

// Hands out the decoded bytes of the image data one scan line at a time. Runs may continue
// from one line into the next, as some writers produce them.
class TPcxDecoder {
public:
    TPcxDecoder(const uchar* begin, const uchar* end, bool runLength)
        : pos_(begin), end_(end), runLength_(runLength) {}

    void ReadLine(uchar* out, int count) {
        if (!runLength_) {
            if (end_ - pos_ < count)
                throw PcxError(QStringLiteral("the image data is truncated"));
            std::copy(pos_, pos_ + count, out);
            pos_ += count;
            return;
        }
        int done = 0;
        while (done < count) {
            if (pending_ == 0) {
                if (pos_ == end_)
                    throw PcxError(QStringLiteral("the image data is truncated"));
                const uchar byte = *pos_++;
                if ((byte & 0xC0) == 0xC0) {
                    if (pos_ == end_)
                        throw PcxError(QStringLiteral("the image data is truncated"));
                    pending_ = byte & 0x3F;
                    value_ = *pos_++;
                    continue; // a run of zero bytes is legal and yields nothing
                }
                pending_ = 1;
                value_ = byte;
            }
            const int take = qMin(pending_, count - done);
            std::fill(out + done, out + done + take, value_);
            done += take;
            pending_ -= take;
        }
    }

    // True when a run was left unfinished at the end of the image.
    bool RunPending() const { return pending_ > 0; }

private:
    const uchar* pos_;
    const uchar* end_;
    bool runLength_;
    int pending_ = 0;
    uchar value_ = 0;
};

struct TPcxHeader {
    int version, encoding, bitsPerPixel, planes, bytesPerLine;
    int width, height;
};

TPcxHeader ParseHeader(const QByteArray& data) {
    if (data.size() < HeaderSize)
        throw PcxError(QStringLiteral("the file is too short for a PCX header"));
    const auto* h = reinterpret_cast<const uchar*>(data.constData());
    if (h[0] != 0x0A)
        throw PcxError(QStringLiteral("the file does not start with the PCX signature"));
    TPcxHeader header{};
    header.version = h[1];
    header.encoding = h[2];
    header.bitsPerPixel = h[3];
    header.planes = h[65];
    header.bytesPerLine = ReadU16(h + 66);
    if (header.encoding != 0 && header.encoding != 1)
        throw PcxError(QStringLiteral("unknown encoding %1").arg(header.encoding));
    const int xMin = ReadU16(h + 4), yMin = ReadU16(h + 6);
    const int xMax = ReadU16(h + 8), yMax = ReadU16(h + 10);
    if (xMax < xMin || yMax < yMin)
        throw PcxError(QStringLiteral("the image window (%1, %2)-(%3, %4) is empty")
                           .arg(xMin)
                           .arg(yMin)
                           .arg(xMax)
                           .arg(yMax));
    header.width = xMax - xMin + 1;
    header.height = yMax - yMin + 1;
    CheckImageDimensions(header.width, header.height, QStringLiteral("PCX image"));

    const int bpp = header.bitsPerPixel, planes = header.planes;
    const bool indexed =
        (bpp == 1 && planes >= 1 && planes <= 4) || ((bpp == 4 || bpp == 8) && planes == 1);
    if (!indexed && !(bpp == 8 && planes == 3))
        throw PcxError(
            QStringLiteral("unsupported colour format (%1 bits x %2 planes)").arg(bpp).arg(planes));
    const qint64 lineBits = qint64(header.width) * bpp;
    if (qint64(header.bytesPerLine) * 8 < lineBits)
        throw PcxError(QStringLiteral("%1 bytes per line are too few for %2 pixels")
                           .arg(header.bytesPerLine)
                           .arg(header.width));
    return header;
}

// The colours of an indexed picture with `bits` bits per pixel.
std::array<QRgb, 256> ReadPalette(const QByteArray& data, const TPcxHeader& header, int bits,
                                  qint64* imageEnd) {
    std::array<QRgb, 256> palette{};
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    if (bits == 1) {
        palette[0] = qRgb(0, 0, 0);
        palette[1] = qRgb(255, 255, 255);
    } else if (bits <= 4) {
        const uchar* p = bytes + 16;
        const bool blank = std::all_of(p, p + 48, [](uchar b) { return b == 0; });
        // Version 3 files say they carry no palette; blank palettes mean the same in practice.
        if (header.version == 3 || blank)
            std::copy(EgaPalette.begin(), EgaPalette.end(), palette.begin());
        else
            for (int i = 0; i < 16; ++i)
                palette[i] = qRgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    } else {
        const qint64 at = data.size() - VgaPaletteSize;
        if (at >= HeaderSize && bytes[at] == PaletteMarker) {
            for (int i = 0; i < 256; ++i)
                palette[i] =
                    qRgb(bytes[at + 1 + 3 * i], bytes[at + 2 + 3 * i], bytes[at + 3 + 3 * i]);
            *imageEnd = at;
        } else {
            // Without the palette the values are grey levels.
            for (int i = 0; i < 256; ++i)
                palette[i] = qRgb(i, i, i);
        }
    }
    return palette;
}

QImage DecodePcx(const QByteArray& data) {
    const TPcxHeader header = ParseHeader(data);
    const int bpp = header.bitsPerPixel, planes = header.planes;
    const bool trueColour = bpp == 8 && planes == 3;
    qint64 imageEnd = data.size();
    std::array<QRgb, 256> palette{};
    if (!trueColour)
        palette = ReadPalette(data, header, bpp * planes, &imageEnd);

    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qint64 lineBytes = qint64(header.bytesPerLine) * planes;
    const qint64 totalBytes = lineBytes * header.height;
    const qint64 available = imageEnd - HeaderSize;
    // Each input byte yields at most one byte plainly or half a run of 63: too little input
    // is refused here rather than after decoding most of it.
    if (available * (header.encoding == 1 ? (MaxRunLength + 1) / 2 : 1) < totalBytes)
        throw PcxError(QStringLiteral("the image data is truncated"));

    QImage image(header.width, header.height, QImage::Format_RGB32);
    if (image.isNull())
        throw AppError(QStringLiteral("Not enough memory for a PCX image of %1 x %2 pixels")
                           .arg(header.width)
                           .arg(header.height));
    TPcxDecoder decoder(bytes + HeaderSize, bytes + imageEnd, header.encoding == 1);
    std::vector<uchar> line(size_t(lineBytes), 0);
    const int stride = header.bytesPerLine;
    for (int y = 0; y < header.height; ++y) {
        decoder.ReadLine(line.data(), int(lineBytes));
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (trueColour) {
            const uchar *r = line.data(), *g = r + stride, *b = g + stride;
            for (int x = 0; x < header.width; ++x)
                out[x] = qRgb(r[x], g[x], b[x]);
        } else if (bpp == 8) {
            for (int x = 0; x < header.width; ++x)
                out[x] = palette[line[x]];
        } else if (bpp == 4) {
            for (int x = 0; x < header.width; ++x)
                out[x] = palette[(line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
        } else { // one bit per plane; plane p holds bit p of the colour index
            for (int x = 0; x < header.width; ++x) {
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((line[p * stride + x / 8] >> (7 - x % 8)) & 1) << p;
                out[x] = palette[index];
            }
        }
    }
    if (decoder.RunPending())
        throw PcxError(QStringLiteral("a run continues past the end of the image"));
    return image;
}

void EncodeRun(QByteArray& out, uchar value, int count) {
    if (count > 1 || (value & 0xC0) == 0xC0)
        out.append(char(0xC0 | count));
    out.append(char(value));
}

// Run-length encodes one plane line; runs never cross the line's end.
void EncodeLine(QByteArray& out, const uchar* line, int count) {
    int i = 0;
    while (i < count) {
        int run = 1;
        while (i + run < count && run < MaxRunLength && line[i + run] == line[i])
            ++run;
        EncodeRun(out, line[i], run);
        i += run;
    }
}

} // namespace

std::unique_ptr<TGraphic> TPcxImage::Clone() const {
    return std::make_unique<TPcxImage>(*this);
}

void TPcxImage::LoadFromBytes(const QByteArray& data) {
    image_ = QImage();
    image_ = DecodePcx(data);
}

QByteArray TPcxImage::SaveToBytes() const {
    if (image_.isNull())
        throw AppError(QStringLiteral("An empty picture cannot be saved as a PCX image"));
    const int width = image_.width(), height = image_.height();
    if (width > 65535 || height > 65535)
        throw AppError(QStringLiteral("A PCX image cannot be larger than 65535 x 65535 pixels"));
    // Lines are padded to an even number of bytes, as readers expect.
    const int bytesPerLine = qMin(width + (width & 1), 65535);

    QByteArray out(HeaderSize, '\0');
    auto* h = reinterpret_cast<uchar*>(out.data());
    h[0] = 0x0A;
    h[1] = 5; // version 3.0 and later, with palette information
    h[2] = 1; // run-length encoded
    h[3] = 8; // bits per pixel and plane
    WriteU16(h + 8, width - 1);
    WriteU16(h + 10, height - 1);
    WriteU16(h + 12, 96);
    WriteU16(h + 14, 96);
    h[65] = 3; // red, green and blue planes
    WriteU16(h + 66, bytesPerLine);
    WriteU16(h + 68, 1); // colour picture

    const QImage rgb = image_.convertToFormat(QImage::Format_RGB32);
    std::vector<uchar> plane(size_t(bytesPerLine), 0);
    out.reserve(HeaderSize + qsizetype(height) * width * 3 / 2);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int channel = 0; channel < 3; ++channel) {
            for (int x = 0; x < width; ++x)
                plane[x] = uchar(channel == 0   ? qRed(row[x])
                                 : channel == 1 ? qGreen(row[x])
                                                : qBlue(row[x]));
            EncodeLine(out, plane.data(), bytesPerLine);
        }
    }
    return out;
}

void TPcxImage::Draw(QPainter& painter, QPoint at) const {
    painter.drawImage(at, image_);
}

void TPcxImage::StretchDraw(QPainter& painter, const QRect& rect) const {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect, image_);
    painter.restore();
}

void TPcxImage::Assign(const TGraphic& source) {
    if (source.Kind() == GraphicKind::Pcx) {
        image_ = static_cast<const TPcxImage&>(source).image_;
    } else if (source.Kind() == GraphicKind::Bitmap) {
        // PCX has no transparency: the bitmap is laid on white, like any picture drawn onto a
        // new bitmap.
        const QImage picture = source.ToImage();
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
        painter.end();
        image_ = flat;
    } else {
        throw ConvertError(QStringLiteral("A PCX image can only be made from a PCX image or a "
                                          "bitmap"));
    }
}
