// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QLocale>
#include <QSize>
#include <QString>

// What the program's own file properties window shows when no file manager shows its own.

struct FilePropertyRow {
    QString caption; // "Name:", "Type:", "Folder:", "Size:", "Dimensions:", "Created:", ...
    QString value;
};

// "1.50 MB (1,572,864 bytes)" in the locale's digits; sizes are 64-bit, so a file of several
// gigabytes is counted right.
QString FileSizeText(qint64 bytes, const QLocale& locale);

// The rows for the file: name, type, folder, size, the picture's dimensions (when `dimensions`
// is valid: the caller knows them from the shown picture), and the dates the file system keeps
// (creation only where it records one). A missing file gives name, type and folder only.
QList<FilePropertyRow> FilePropertyRows(const QString& path, QSize dimensions,
                                        const QLocale& locale = QLocale());
