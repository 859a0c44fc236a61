// SPDX-License-Identifier: MIT
// Small fixtures for the raster tests: BMP, DIB and ICO files assembled byte by byte, test
// pictures with a distinct colour per pixel, and files in a temporary folder.
#pragma once

#include "imaging/JpegImage.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <initializer_list>
#include <vector>

namespace raster_test {

inline void Append16(QByteArray& b, quint32 v) {
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}
inline void Append32(QByteArray& b, quint32 v) {
    Append16(b, v & 0xffff);
    Append16(b, v >> 16);
}
inline void Put32(QByteArray& b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}

// Pixel rows as stored, each padded with zeros to a multiple of four bytes.
inline QByteArray Rows(std::initializer_list<QByteArray> rows) {
    QByteArray out;
    for (const QByteArray& row : rows) {
        out += row;
        out += QByteArray((4 - row.size() % 4) % 4, '\0');
    }
    return out;
}
inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// A bitmap info header (12 = the old core header, else 40 or larger), its masks and palette,
// then `pixels` as given.
struct DibLayout {
    int headerSize = 40;
    int width = 0;
    int height = 0; // negative: rows top-down
    int bits = 24;
    quint32 compression = 0;
    quint32 colorsUsed = 0;
    QList<quint32> masks; // after a 40-byte header, inside a larger one
    QList<QRgb> palette;
    QByteArray pixels;
};

inline QByteArray BuildDib(const DibLayout& s) {
    QByteArray b;
    Append32(b, quint32(s.headerSize));
    if (s.headerSize == 12) {
        Append16(b, quint32(s.width));
        Append16(b, quint32(s.height));
        Append16(b, 1);
        Append16(b, quint32(s.bits));
    } else {
        Append32(b, quint32(s.width));
        Append32(b, quint32(s.height));
        Append16(b, 1);
        Append16(b, quint32(s.bits));
        Append32(b, s.compression);
        Append32(b, quint32(s.pixels.size()));
        Append32(b, 2835);
        Append32(b, 2835);
        Append32(b, s.colorsUsed);
        Append32(b, 0);
        for (int i = 0; i < s.masks.size() && s.headerSize > 40; ++i)
            Append32(b, s.masks[i]);
        b += QByteArray(s.headerSize - b.size(), '\0');
        if (s.headerSize == 40)
            for (quint32 m : s.masks)
                Append32(b, m);
    }
    for (QRgb c : s.palette) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        if (s.headerSize != 12)
            b.append('\0');
    }
    return b + s.pixels;
}

// A whole ".bmp" file: file header, then the DIB.
inline QByteArray BuildBmp(const DibLayout& s) {
    const QByteArray dib = BuildDib(s);
    QByteArray b("BM");
    Append32(b, quint32(14 + dib.size()));
    Append32(b, 0);
    Append32(b, quint32(14 + dib.size() - s.pixels.size()));
    return b + dib;
}

// An ".ico" file holding the given entries (DIB or PNG bytes), directory fields from `sizes`.
inline QByteArray BuildIco(const QList<QByteArray>& entries, const QList<int>& sizes) {
    QByteArray b;
    Append16(b, 0);
    Append16(b, 1);
    Append16(b, quint32(entries.size()));
    qsizetype offset = 6 + 16 * entries.size();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        b.append(char(sizes[i] & 0xff));
        b.append(char(sizes[i] & 0xff));
        b.append('\0');
        b.append('\0');
        Append16(b, 1);
        Append16(b, 32);
        Append32(b, quint32(entries[i].size()));
        Append32(b, quint32(offset));
        offset += entries[i].size();
    }
    for (const QByteArray& e : entries)
        b += e;
    return b;
}

// A picture whose every pixel has its own opaque colour.
inline QImage DistinctImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb((x * 53 + 7) % 256, (y * 97 + 11) % 256, (x * 13 + y * 29) % 256));
    return image;
}

inline QByteArray JpegOfSize(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(200, 120, 40));
    return EncodeJpeg(image);
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether two colours differ by at most `tolerance` in every channel (lossy codecs).
inline bool Near(QRgb a, QRgb b, int tolerance) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace raster_test
