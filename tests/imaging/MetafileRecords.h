// SPDX-License-Identifier: MIT
#pragma once

// Builds small Windows and enhanced metafiles record by record, for the metafile tests.

#include "imaging/MetafileBytes.h"

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <initializer_list>

class TWmfRecords {
public:
    // A record of 16-bit parameters (in the order they are stored: most are reversed).
    TWmfRecords& Add(quint16 function, std::initializer_list<qint32> words) {
        TLeWriter params;
        for (qint32 w : words)
            params.U16(quint16(w));
        return AddRaw(function, params.Result());
    }
    TWmfRecords& AddRaw(quint16 function, const QByteArray& params) {
        body_.U32(quint32(3 + (params.size() + 1) / 2));
        body_.U16(function);
        body_.Bytes(params);
        if (params.size() % 2)
            body_.U8(0);
        return *this;
    }
    // Appends raw bytes (for broken record heads).
    TWmfRecords& AddBytes(const QByteArray& bytes) {
        body_.Bytes(bytes);
        return *this;
    }

    // Header, records and (unless `withEof` is false) the end record.
    QByteArray Plain(quint16 objects, bool withEof = true) const {
        QByteArray records = body_.Result();
        if (withEof)
            records += End();
        TLeWriter out;
        out.U16(1);
        out.U16(9);
        out.U16(0x0300);
        out.U32(quint32((18 + records.size()) / 2));
        out.U16(objects);
        out.U32(0);
        out.U16(0);
        out.Bytes(records);
        return out.Result();
    }
    QByteArray Placeable(QRect box, quint16 unitsPerInch, quint16 objects,
                         bool withEof = true) const {
        TLeWriter out;
        out.U32(0x9AC6CDD7);
        out.U16(0);
        out.S16(qint16(box.left()));
        out.S16(qint16(box.top()));
        out.S16(qint16(box.left() + box.width()));
        out.S16(qint16(box.top() + box.height()));
        out.U16(unitsPerInch);
        out.U32(0);
        out.U16(0); // checksum: not checked by readers
        out.Bytes(Plain(objects, withEof));
        return out.Result();
    }

    static QByteArray End() {
        TLeWriter eof;
        eof.U32(3);
        eof.U16(0);
        return eof.Result();
    }

private:
    TLeWriter body_;
};

// COLORREF 0x00BBGGRR split into the low and high words of a Windows metafile record.
inline qint32 Lo(quint32 ref) {
    return qint32(ref & 0xFFFF);
}
inline qint32 Hi(quint32 ref) {
    return qint32(ref >> 16);
}

class TEmfRecords {
public:
    TEmfRecords& Add(quint32 type, std::initializer_list<qint32> values) {
        TLeWriter body;
        for (qint32 v : values)
            body.S32(v);
        return AddRaw(type, body.Result());
    }
    TEmfRecords& AddRaw(quint32 type, const QByteArray& body) {
        records_.U32(type);
        records_.U32(quint32(8 + body.size()));
        records_.Bytes(body);
        ++count_;
        return *this;
    }
    TEmfRecords& AddBytes(const QByteArray& bytes) {
        records_.Bytes(bytes);
        return *this;
    }

    // An 88-byte header (bounds in device pixels, frame in 0.01 mm, inclusive), the records
    // and (unless `withEof` is false) the end record.
    QByteArray Build(QRect bounds, QRect frame, QSize device, QSize millimeters, quint16 handles,
                     bool withEof = true) const {
        QByteArray records = records_.Result();
        if (withEof) {
            TLeWriter eof;
            for (quint32 v : {14u, 20u, 0u, 16u, 20u})
                eof.U32(v);
            records += eof.Result();
        }
        TLeWriter out;
        out.U32(1);
        out.U32(88);
        for (int v : {bounds.left(), bounds.top(), bounds.right(), bounds.bottom(), frame.left(),
                      frame.top(), frame.right(), frame.bottom()})
            out.S32(v);
        out.U32(0x464D4520);
        out.U32(0x10000);
        out.U32(quint32(88 + records.size()));
        out.U32(quint32(count_ + 2));
        out.U16(handles);
        out.U16(0);
        out.U32(0);
        out.U32(0);
        out.U32(0);
        out.S32(device.width());
        out.S32(device.height());
        out.S32(millimeters.width());
        out.S32(millimeters.height());
        out.Bytes(records);
        return out.Result();
    }
    // A picture of `size` pixels on a 96 dots-per-inch reference device.
    QByteArray Build96(QSize size, quint16 handles, bool withEof = true) const {
        const QRect frame(0, 0, qRound(size.width() * 2540.0 / 96) + 1,
                          qRound(size.height() * 2540.0 / 96) + 1);
        return Build(QRect(QPoint(0, 0), size), frame, QSize(1920, 1440), QSize(508, 381), handles,
                     withEof);
    }

private:
    TLeWriter records_;
    int count_ = 0;
};
