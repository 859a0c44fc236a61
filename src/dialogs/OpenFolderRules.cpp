// SPDX-License-Identifier: MIT
#include "dialogs/OpenFolderRules.h"

#include "dialogs/FolderBrowsing.h"
#include "folderview/FolderScan.h"
#include "imaging/ImageFormats.h"

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
    SortNamesIgnoringCase(names);
    return names;
}

PreviewLabels EmptyPreviewLabels() {
    return {QStringLiteral("Image #:"), QStringLiteral("Type:"), QStringLiteral("Dimensions:"),
            QStringLiteral("Size:"), QStringLiteral("Modified Date:")};
}

PreviewLabels PreviewLabelsFor(const QString& path, int index, int count,
                               const QString& dimensionText, qint64 size, const QDateTime& modified,
                               const QLocale& locale) {
    return {QStringLiteral("Image #: ") + QString::number(index + 1) + QStringLiteral(" of ") +
                QString::number(count),
            QStringLiteral("Type: ") + ImageTypeName(path), DimensionsText(path, dimensionText),
            QStringLiteral("Size: ") + KilobyteText(size, locale),
            QStringLiteral("Modified Date: ") + locale.toString(modified, QLocale::ShortFormat)};
}

int PreviewTop(int bitmapHeight) {
    return CentredPreviewTop(92, bitmapHeight);
}
