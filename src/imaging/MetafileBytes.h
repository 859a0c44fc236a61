// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/AppError.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>

// Most records either player follows in one file; more is treated as a broken file.
constexpr qint64 MaxMetafileRecords = 10'000'000;

// Little-endian access to a window of a metafile. Every read is bounds-checked against the
// window and throws AppError naming the record (or header) it belongs to, so a truncated or
// lying file can never make the players read outside the bytes they were given.
class TLeReader {
public:
    // `what` names the piece for error messages ("Windows metafile record", ...); `type` and
    // `fileOffset` say which one and where it starts in the file.
    TLeReader(const char* data, qint64 size, const char* what, quint32 type = 0,
              qint64 fileOffset = 0)
        : data_(data), size_(size), what_(what), type_(type), fileOffset_(fileOffset) {}

    qint64 Size() const { return size_; }
    const char* Data() const { return data_; }
    bool Has(qint64 offset, qint64 count) const {
        return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    }
    // Throws unless [offset, offset + count) lies inside the window.
    void Need(qint64 offset, qint64 count) const {
        if (!Has(offset, count))
            Fail(QStringLiteral("is truncated (%1 bytes needed at byte %2, %3 present)")
                     .arg(count)
                     .arg(offset)
                     .arg(size_));
    }

    quint8 U8(qint64 offset) const {
        Need(offset, 1);
        return quint8(data_[offset]);
    }
    quint16 U16(qint64 offset) const {
        Need(offset, 2);
        return qFromLittleEndian<quint16>(data_ + offset);
    }
    qint16 S16(qint64 offset) const { return qint16(U16(offset)); }
    quint32 U32(qint64 offset) const {
        Need(offset, 4);
        return qFromLittleEndian<quint32>(data_ + offset);
    }
    qint32 S32(qint64 offset) const { return qint32(U32(offset)); }
    float F32(qint64 offset) const {
        const quint32 bits = U32(offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A checked window inside this one, for data that a record addresses by offset and size.
    TLeReader Sub(qint64 offset, qint64 count) const {
        Need(offset, count);
        return TLeReader(data_ + offset, count, what_, type_, fileOffset_ + offset);
    }

    // "<what> 0x<type> at offset <n>", to start error messages with.
    QString Describe() const {
        return QStringLiteral("%1 0x%2 at offset %3")
            .arg(QString::fromLatin1(what_))
            .arg(type_, 4, 16, QLatin1Char('0'))
            .arg(fileOffset_);
    }
    // Throws AppError "<what> 0x<type> at offset <n> <problem>".
    [[noreturn]] void Fail(const QString& problem) const {
        throw AppError(Describe() + QLatin1Char(' ') + problem);
    }

private:
    const char* data_;
    qint64 size_;
    const char* what_;
    quint32 type_;
    qint64 fileOffset_;
};

// Appends little-endian values; the metafile writer and the tests build files with it.
class TLeWriter {
public:
    void U8(quint8 v) { bytes_.append(char(v)); }
    void U16(quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes_.append(b, 2);
    }
    void S16(qint16 v) { U16(quint16(v)); }
    void U32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes_.append(b, 4);
    }
    void S32(qint32 v) { U32(quint32(v)); }
    void Bytes(const QByteArray& b) { bytes_.append(b); }
    void Zeros(qint64 n) { bytes_.append(n, '\0'); }
    // Overwrites a value written earlier (sizes known only at the end).
    void PatchU16(qint64 offset, quint16 v) { qToLittleEndian(v, bytes_.data() + offset); }
    void PatchU32(qint64 offset, quint32 v) { qToLittleEndian(v, bytes_.data() + offset); }

    qint64 Size() const { return bytes_.size(); }
    const QByteArray& Result() const { return bytes_; }

private:
    QByteArray bytes_;
};
