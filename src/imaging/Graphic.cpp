// SPDX-License-Identifier: MIT
#include "imaging/Graphic.h"

#include "imaging/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

void CheckImageDimensions(qint64 width, qint64 height, const QString& what) {
    if (width < 0 || height < 0)
        throw AppError(
            QStringLiteral("%1: invalid image size %2 x %3").arg(what).arg(width).arg(height));
    if (width > 0 && height > MaxImagePixels / width)
        throw AppError(QStringLiteral("%1: image of %2 x %3 pixels is larger than the limit of %4 "
                                      "megapixels")
                           .arg(what)
                           .arg(width)
                           .arg(height)
                           .arg(MaxImagePixels / 1'000'000));
}

void TGraphic::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    LoadFromBytes(data);
}

QImage TGraphic::ToImage() const {
    QImage image(qMax(Width(), 0), qMax(Height(), 0), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!image.isNull()) {
        QPainter painter(&image);
        Draw(painter, QPoint(0, 0));
    }
    return image;
}

void TGraphic::SaveToFile(const QString& path) const {
    WriteFileAtomically(path, SaveToBytes());
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Never write in place: a failure must leave the old file whole.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot create %1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw AppError(QStringLiteral("Cannot write %1: %2").arg(path, why));
    }
    if (!file.commit())
        throw AppError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}
