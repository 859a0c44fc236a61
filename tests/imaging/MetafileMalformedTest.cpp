// SPDX-License-Identifier: MIT
// Broken metafiles: every one is refused with an AppError that says what is wrong, leaving
// the metafile empty; none may crash, hang or allocate without bound.
#include "MetafileRecords.h"
#include "imaging/AppError.h"
#include "imaging/Metafile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct TBroken {
    const char* name;
    std::function<QByteArray()> make;
    const char* says; // part of the message
};

QByteArray Patched32(QByteArray bytes, qint64 at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// A small valid Windows metafile: one brush, one rectangle.
TWmfRecords WmfBase() {
    TWmfRecords r;
    r.Add(0x02FC, {0, 0xFF, 0, 0}).Add(0x012D, {0}).Add(0x041B, {40, 60, 10, 10});
    return r;
}

// A BITMAPINFOHEADER of 24 bits per pixel.
QByteArray DibHeader(qint32 width, qint32 height) {
    TLeWriter h;
    h.U32(40);
    h.S32(width);
    h.S32(height);
    h.U16(1);
    h.U16(24);
    for (int i = 0; i < 6; ++i)
        h.U32(0);
    return h.Result();
}

// STRETCHDIB of a DIB with the given header and row bytes.
QByteArray WmfWithStretchDib(const QByteArray& header, qint64 rowBytes) {
    TLeWriter p;
    p.U32(0x00CC0020);
    p.U16(0);
    for (int i = 0; i < 8; ++i)
        p.S16(10);
    p.Bytes(header);
    p.Zeros(rowBytes);
    TWmfRecords r;
    r.AddRaw(0x0F43, p.Result());
    return r.Placeable(QRect(0, 0, 100, 100), 96, 0);
}

QByteArray EmfWith(const std::function<void(TEmfRecords&)>& add, quint16 handles = 2) {
    TEmfRecords r;
    add(r);
    return r.Build96(QSize(100, 50), handles);
}

const TBroken Cases[] = {
    {"empty", [] { return QByteArray(); }, "empty"},
    {"not a metafile", [] { return QByteArray("GIF89a, not a metafile"); }, "Not a Windows"},
    {"placeable header only", [] { return WmfBase().Placeable(QRect(0, 0, 9, 9), 96, 1).left(30); },
     "truncated"},
    {"zero units per inch", [] { return WmfBase().Placeable(QRect(0, 0, 9, 9), 0, 1); },
     "0 units per inch"},
    {"plain header cut", [] { return WmfBase().Plain(1).left(12); }, "truncated"},
    {"record of size zero",
     [] {
         TWmfRecords r = WmfBase();
         r.AddBytes(QByteArray("\0\0\0\0\x1b\x04", 6));
         return r.Plain(1);
     },
     "impossible size"},
    {"record of two words",
     [] {
         TWmfRecords r = WmfBase();
         r.AddBytes(QByteArray("\2\0\0\0\x1b\x04", 6));
         return r.Plain(1);
     },
     "impossible size"},
    {"record longer than the file",
     [] {
         TWmfRecords r = WmfBase();
         r.AddBytes(QByteArray("\xe8\x03\0\0\x1b\x04", 6));
         return r.Plain(1);
     },
     "beyond the end"},
    {"file cut inside a record", [] { return WmfBase().Plain(1).chopped(12); }, "beyond the end"},
    {"records missing at the end", [] { return Patched32(WmfBase().Plain(1, false), 6, 1000); },
     "truncated"},
    {"polygon with more points than its record",
     [] {
         TWmfRecords r;
         r.Add(0x0324, {1000, 1, 1, 5, 5});
         return r.Plain(0);
     },
     "truncated"},
    {"poly-polygon counts beyond its record",
     [] {
         TWmfRecords r;
         r.Add(0x0538, {1, 500, 1, 1, 5, 5, 9, 1});
         return r.Plain(0);
     },
     "truncated"},
    {"text longer than its record",
     [] {
         TWmfRecords r;
         r.Add(0x0521, {500, 0x4948, 5, 5});
         return r.Plain(0);
     },
     "truncated"},
    {"object outside the table",
     [] {
         TWmfRecords r = WmfBase();
         r.Add(0x012D, {7});
         return r.Plain(1);
     },
     "outside its table"},
    {"more objects than the table", [] { return WmfBase().Plain(0); }, "more objects"},
    {"absurd placeable size", [] { return WmfBase().Placeable(QRect(0, 0, 32767, 32767), 1, 1); },
     "limit"},
    {"absurd window",
     [] {
         TWmfRecords r;
         r.Add(0x020C, {32767, 32767});
         return r.Plain(0);
     },
     "limit"},
    {"bitmap of absurd size", [] { return WmfWithStretchDib(DibHeader(100000, 100000), 0); },
     "limit"},
    {"bitmap rows missing", [] { return WmfWithStretchDib(DibHeader(10, 10), 10); }, "truncated"},

    {"enhanced header cut", [] { return EmfWith([](TEmfRecords&) {}).left(60); }, "truncated"},
    {"enhanced file shorter than declared",
     [] { return Patched32(EmfWith([](TEmfRecords&) {}), 48, 100000); }, "truncated"},
    {"enhanced header of impossible size",
     [] { return Patched32(EmfWith([](TEmfRecords&) {}), 4, 20); }, "impossible size"},
    {"enhanced record of size zero",
     [] {
         return EmfWith([](TEmfRecords& r) { r.AddBytes(QByteArray("\x2b\0\0\0\0\0\0\0", 8)); });
     },
     "impossible size"},
    {"enhanced record of four bytes",
     [] {
         return EmfWith([](TEmfRecords& r) { r.AddBytes(QByteArray("\x2b\0\0\0\4\0\0\0", 8)); });
     },
     "impossible size"},
    {"enhanced record longer than the file",
     [] {
         return EmfWith([](TEmfRecords& r) { r.AddBytes(QByteArray("\x2b\0\0\0\0\x10\0\0", 8)); });
     },
     "beyond the end"},
    {"absurd frame",
     [] {
         return TEmfRecords().Build(QRect(0, 0, 10, 10), QRect(0, 0, 2000000000, 2000000000),
                                    QSize(1920, 1440), QSize(508, 381), 1);
     },
     "limit"},
    {"polyline with more points than its record",
     [] { return EmfWith([](TEmfRecords& r) {
              r.Add(87, {0, 0, 0, 0, 100000, 0x00050005});
          }); },
     "truncated"},
    {"poly-polygon counts above its total",
     [] { return EmfWith([](TEmfRecords& r) {
              r.Add(91, {0, 0, 0, 0, 1, 2, 5, 1, 2});
          }); },
     "more points"},
    {"object created outside the table",
     [] { return EmfWith([](TEmfRecords& r) {
              r.Add(38, {5, 0, 1, 0, 0});
          }); },
     "outside its table"},
    {"object selected outside the table",
     [] { return EmfWith([](TEmfRecords& r) { r.Add(37, {9}); }); }, "outside its table"},
    {"bitmap rows outside the record",
     [] {
         return EmfWith([](TEmfRecords& r) {
             // STRETCHDIBITS: bounds, destination, source, header at 80, rows at 10000.
             r.Add(81, {0, 0, 9, 9, 0, 0, 0, 0, 10, 10, 80, 40, 10000, 300, 0, 0x00CC0020, 10, 10});
         });
     },
     "truncated"},
    {"text outside the record",
     [] {
         return EmfWith([](TEmfRecords& r) {
             // EXTTEXTOUTW: bounds, mode, scales, reference, 1000 characters at 76.
             r.Add(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 1000, 76, 0, 0, 0, 0, 0, 0});
         });
     },
     "truncated"},
    {"clip region with more rectangles than its record",
     [] {
         return EmfWith([](TEmfRecords& r) {
             r.Add(75, {48, 5, 32, 1, 1000, 16000, 0, 0, 10, 10, 0, 0, 10, 10});
         });
     },
     "truncated"},
};

TEST(MetafileMalformed, EachIsRefusedWithAMessage) {
    for (const TBroken& c : Cases) {
        SCOPED_TRACE(c.name);
        TMetafile metafile;
        metafile.Assign(TMetafile()); // starts empty
        try {
            metafile.LoadFromBytes(c.make());
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromLatin1(c.says))) << e.what();
        }
        EXPECT_TRUE(metafile.Empty());
    }
}

// Inputs that once broke the players, kept under tests/data/regress.
TEST(MetafileMalformed, RegressionFilesLoadOrFailCleanly) {
    const QDir dir(QStringLiteral(ORVO_TEST_DATA_DIR "/regress"));
    const QStringList names = dir.entryList({QStringLiteral("metafile-*")}, QDir::Files);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        TMetafile metafile;
        try {
            metafile.LoadFromBytes(file.readAll());
        } catch (const AppError&) {
            continue;
        }
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        metafile.StretchDraw(painter, image.rect());
    }
}

} // namespace
