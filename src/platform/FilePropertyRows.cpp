// SPDX-License-Identifier: MIT
#include "platform/FilePropertyRows.h"

#include "imaging/ImageFormats.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

QString DateText(const QDateTime& when, const QLocale& locale) {
    return locale.toString(when.toLocalTime(), QLocale::LongFormat);
}

} // namespace

QString FileSizeText(qint64 bytes, const QLocale& locale) {
    const QString exact = QStringLiteral("%1 bytes").arg(locale.toString(bytes));
    if (bytes < 1024)
        return exact;
    return locale.formattedDataSize(bytes, 2, QLocale::DataSizeTraditionalFormat) +
           QStringLiteral(" (") + exact + QLatin1Char(')');
}

QList<FilePropertyRow> FilePropertyRows(const QString& path, QSize dimensions,
                                        const QLocale& locale) {
    const QFileInfo info(path);
    QList<FilePropertyRow> rows{
        {QStringLiteral("Name:"), info.fileName()},
        {QStringLiteral("Type:"), ImageTypeName(path)},
        {QStringLiteral("Folder:"), info.absolutePath()},
    };
    if (!info.exists())
        return rows;
    rows.append({QStringLiteral("Size:"), FileSizeText(info.size(), locale)});
    if (dimensions.isValid())
        rows.append(
            {QStringLiteral("Dimensions:"),
             QStringLiteral("%1 x %2 pixels")
                 .arg(locale.toString(dimensions.width()), locale.toString(dimensions.height()))});
    const QDateTime created = info.birthTime();
    if (created.isValid())
        rows.append({QStringLiteral("Created:"), DateText(created, locale)});
    rows.append({QStringLiteral("Modified:"), DateText(info.lastModified(), locale)});
    rows.append({QStringLiteral("Accessed:"), DateText(info.lastRead(), locale)});
    return rows;
}
