// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the dialogs' folder browsers need to know without a window: which entries a folder
// lists under a file mask, the name of a new folder, and the folders a folder combo offers.

// Sorts names by the user locale's order, letter case ignored; names it finds equal keep a
// fixed order by their characters.
void SortNamesIgnoringCase(QStringList& names);

// True when `name` matches one of the wildcard patterns of `mask` ("*.jpeg;*.jpg"), letter case
// ignored.
bool MatchesFileMask(const QString& name, const QString& mask);

// One entry of a folder list.
struct ShellEntry {
    QString name; // without folder
    bool folder = false;
    qint64 size = 0;
    QDateTime modified; // last write
};
// The visible (not hidden) sub-folders of `folder`, then its visible files that match `mask`,
// each group sorted by SortNamesIgnoringCase. A folder that cannot be read lists nothing.
QList<ShellEntry> ListShellEntries(const QString& folder, const QString& mask);

// The name a new sub-folder of `folder` gets: "New Folder", else "New Folder (2)", "(3)" ...,
// the first that is free.
QString FreeNewFolderName(const QString& folder);

// The folder above `folder`; empty for the root.
QString ParentFolder(const QString& folder);

// One entry of a folder combo: the folders from the root down to the current one, indented by
// their depth, followed by the user's places that are not among them.
struct FolderComboEntry {
    QString path;
    QString caption;
    int depth = 0;
};
QList<FolderComboEntry> FolderComboEntries(const QString& folder, const QStringList& places);
