// SPDX-License-Identifier: MIT
#include "email/EmailFileList.h"

#include "imaging/ImageFormats.h"

#include <algorithm>

QStringList TEmailFileList::Add(const QString& folder, const QStringList& names) {
    QStringList added;
    for (const QString& name : names) {
        const QString path = JoinPath(folder, name);
        if (paths_.contains(path))
            continue;
        paths_.append(path);
        names_.append(name);
        added.append(name);
    }
    return added;
}

void TEmailFileList::RemoveRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (row < 0 || row >= Count())
            continue;
        paths_.removeAt(row);
        names_.removeAt(row);
    }
}

void TEmailFileList::Clear() {
    paths_.clear();
    names_.clear();
}
