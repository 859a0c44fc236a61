// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Prepares files for e-mail: every file larger than the byte limit is shrunk into a copy in a
// given folder (bitmaps become JPEG copies), the others are sent as they are. The user's files
// are never changed.

struct EmailOptimizeOptions {
    qint64 sizeLimit = 65536;
    bool showResults = false; // a result line for every file, not only for failures
    bool dontResize = false;  // every file is sent as it is
};

struct EmailOptimizeResult {
    QStringList attachments; // full paths: originals and copies, in list order
    QStringList resultLines; // what became of each file; failures always have a line
    bool hadError = false;
    QString subject; // names of the attached files, or their count + " Images"
};

// Runs through `paths` in order. For file i, `progress` hears 3i + 1 once it is loaded, 3i + 2
// once it is shrunk and 3i + 3 once it is done (out of 3 x the number of files). A file that
// cannot be read, decoded or written gets its " - ERROR: " line and is left out; the others go
// on. Copies are written into `copyFolder` under the file's name (a bitmap's with ".jpg"),
// replacing an older copy of that name; two copies of the same name in one run are kept apart
// by a number added to the second.
EmailOptimizeResult OptimizeEmailFiles(const QStringList& paths,
                                       const EmailOptimizeOptions& options,
                                       const QString& copyFolder,
                                       const std::function<void(int)>& progress = {});
