// SPDX-License-Identifier: MIT
#include "dialogs/OpenFolderRules.h"

#include "folderview/FolderScan.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"

#include <QCollator>
#include <algorithm>

QString SelectedPathFor(const QString& treeFolder, const QString& boxText,
                        const QString& selectedImage) {
    const QString folder = JoinPath(treeFolder, QString());
    const QString typed = JoinPath(boxText, QString());
    if (selectedImage.isEmpty() || folder != typed)
        return typed;
    return folder + selectedImage;
}

bool SameFolderText(const QString& a, const QString& b) {
    return JoinPath(a, QString()) == JoinPath(b, QString());
}

QStringList ListImageNames(const QString& folder) {
    QStringList names;
    for (const DiskImageFile& file : ListFolderImages(folder))
        names.append(file.name);
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

PreviewLabels EmptyPreviewLabels() {
    return {QStringLiteral("Image #:"), QStringLiteral("Type:"), QStringLiteral("Dimensions:"),
            QStringLiteral("Size:"), QStringLiteral("Modified Date:")};
}

QString KilobyteText(qint64 bytes, const QLocale& locale) {
    return locale.toString(static_cast<double>(bytes) / 1024.0, 'f', 2) + QStringLiteral(" KB");
}

PreviewLabels PreviewLabelsFor(const QString& path, int index, int count,
                               const QString& dimensionText, qint64 size, const QDateTime& modified,
                               const QLocale& locale) {
    const QString extension = ExtractExtension(path);
    const bool approximate =
        extension == QStringLiteral(".jpg") || extension == QStringLiteral(".jpeg");
    return {
        QStringLiteral("Image #: ") + QString::number(index + 1) + QStringLiteral(" of ") +
            QString::number(count),
        QStringLiteral("Type: ") + ImageTypeName(path),
        (approximate ? QStringLiteral("Approx. Dimensions: ") : QStringLiteral("Dimensions: ")) +
            dimensionText,
        QStringLiteral("Size: ") + KilobyteText(size, locale),
        QStringLiteral("Modified Date: ") + locale.toString(modified, QLocale::ShortFormat)};
}

int PreviewBoxWidth() {
    return ScaleForDpi(185);
}

int PreviewBoxHeight() {
    return ScaleForDpi(169);
}

int PreviewTop(int bitmapHeight) {
    // Integer division truncates towards zero, as everywhere in the program.
    return ScaleForDpi(92) + (PreviewBoxHeight() - bitmapHeight) / 2;
}
