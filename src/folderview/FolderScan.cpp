// SPDX-License-Identifier: MIT
#include "folderview/FolderScan.h"

#include "imaging/ImageFormats.h"

#include <QCollator>
#include <QDirIterator>
#include <QLocale>
#include <algorithm>

bool IsListableFile(const QFileInfo& info) {
    return info.isFile() && !info.isHidden() && IsSupportedImage(info.fileName());
}

QList<DiskImageFile> ListFolderImages(const QString& folder) {
    QList<DiskImageFile> files;
    // Without QDir::Hidden and QDir::System: no dot files, devices, sockets or broken links.
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!IsSupportedImage(info.fileName()) || !info.exists())
            continue; // vanished while listed
        files.append({info.fileName(), info.size(), info.lastModified()});
    }
    return files;
}

void SortByLocale(QList<DiskImageFile>& files) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    struct Keyed {
        QCollatorSortKey key;
        qsizetype index;
    };
    std::vector<Keyed> keys;
    keys.reserve(files.size());
    for (qsizetype i = 0; i < files.size(); ++i)
        keys.push_back({collator.sortKey(files.at(i).name), i});
    std::sort(keys.begin(), keys.end(), [&files](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        if (order != 0)
            return order < 0;
        return files.at(a.index).name < files.at(b.index).name;
    });
    QList<DiskImageFile> sorted;
    sorted.reserve(files.size());
    for (const Keyed& k : keys)
        sorted.append(std::move(files[k.index]));
    files = std::move(sorted);
}
