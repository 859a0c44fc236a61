// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

// The small file icons of one folder view's list, and the cache that gives every image file of
// one extension the same icon. Icon files are the exception: each shows its own picture.
class TShellIcons {
public:
    // Index in the icon list of the icon for the file at `path`; added to the list when new.
    int ShellIconIndex(const QString& path);

    // The icon at `index`; a null icon for an index outside the list.
    QIcon Icon(int index) const;
    const QList<QIcon>& ShellIconList() const { return icons_; }

private:
    QList<QIcon> icons_;
    QHash<QString, int> iconCache_; // lower-case extension -> index in icons_
};
