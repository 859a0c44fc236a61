// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The files waiting in the e-mail wizard: full paths in list order, each at most once, with
// the names the list shows (as they were added, without folder). Paths are compared exactly:
// two names that differ only in letter case are two files here.
class TEmailFileList {
public:
    // Appends folder/name for each name in order, skipping paths already present (also a name
    // repeated within `names`). Returns the names appended.
    QStringList Add(const QString& folder, const QStringList& names);
    // Removes the entries at `rows` (any order, duplicates and rows out of range ignored), from
    // the last to the first.
    void RemoveRows(QList<int> rows);
    void Clear();

    int Count() const { return static_cast<int>(paths_.size()); }
    bool IsEmpty() const { return paths_.isEmpty(); }
    const QStringList& Paths() const { return paths_; }
    const QStringList& Names() const { return names_; }

private:
    QStringList paths_;
    QStringList names_;
};
