// SPDX-License-Identifier: MIT
#include "email/EmailSizing.h"

#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"

#include <QtGlobal>

namespace {

// round(value x percent / 100) in whole numbers, halves to even, without the drift of binary
// fractions (0.48 has no exact double).
int ScaleSide(int value, int percent) {
    const qint64 product = qint64(value) * percent;
    qint64 quotient = product / 100;
    const qint64 remainder = product % 100;
    if (remainder > 50 || (remainder == 50 && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

} // namespace

qint64 EmailSizeLimit(int speedIndex) {
    switch (speedIndex) {
    case int(EmailSpeed::Large):
        return 393216;
    case int(EmailSpeed::Small):
        return 32768;
    default:
        return 65536;
    }
}

double EmailScaleFactor(bool isBitmap, qint64 sizeLimit, qint64 fileSize) {
    if (fileSize <= 0)
        return 1.0;
    if (isBitmap)
        return qMin(1.0, 16.0 * double(sizeLimit) / double(fileSize));
    return 1.5 * double(sizeLimit) / double(fileSize);
}

int EmailScalePercent(double scaleFactor) {
    const int percent = RoundHalfEven(scaleFactor * 100.0);
    return percent - percent % 4;
}

QSize EmailScaledSize(QSize size, int percent) {
    return {qMax(1, ScaleSide(size.width(), percent)), qMax(1, ScaleSide(size.height(), percent))};
}

void TEmailSubject::AddName(const QString& name) {
    if (names_.isEmpty())
        names_ = name;
    else if (names_.size() < MaxLength)
        names_ += QStringLiteral(", ") + name;
}

QString TEmailSubject::Text(int attachedCount) const {
    if (names_.size() <= MaxLength)
        return names_;
    return QString::number(attachedCount) + QStringLiteral(" Images");
}

QString EmailFileSizeText(qint64 bytes, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(double(bytes) / 1024.0, 'f', 2) + QStringLiteral(" KB");
}

QString WithExtension(const QString& name, const QString& extension) {
    const QString current = ExtractExtension(name);
    return name.left(name.size() - current.size()) + extension;
}
