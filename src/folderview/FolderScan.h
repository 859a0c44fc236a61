// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QString>

// One image file found in a folder, with what the listing shows of it.
struct DiskImageFile {
    QString name; // without folder
    qint64 size = 0;
    QDateTime modified; // last write, local time
};

// True for what a folder listing shows: a plain file (or a link to one) that is not hidden and
// whose extension is one of the readable image formats.
bool IsListableFile(const QFileInfo& info);

// The listable files of `folder`, in the order the file system returns them. A folder that
// cannot be read lists nothing.
QList<DiskImageFile> ListFolderImages(const QString& folder);

// Sorts by name with the user locale's case-sensitive collation; names the collation finds
// equal keep a fixed order by their characters, so the result never depends on the input order.
void SortByLocale(QList<DiskImageFile>& files);
