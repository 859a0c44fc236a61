// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The Save Image dialog's rules that need no window: which type filter a file selects, the
// extension a typed name ends up with, the checks before the dialog answers with a path, and
// the texts beside the preview.

// The filter item that opening the dialog on `path` selects: the first item whose default
// extension equals the file's extension, ".ico" counting as ".bmp". Nothing for any other
// extension (".jpeg" among them: the JPEG item's default extension is ".jpg").
std::optional<int> FilterIndexForFile(const QString& path);

// `name` with the extension of its last component replaced by `extension`; a last component
// without a period gets it appended.
QString ReplaceExtension(const QString& name, const QString& extension);
// True when the last component of `name` has a period.
bool HasPeriod(const QString& name);

// The file-name box after the type filter changed to item `filterIndex`: the extension becomes
// the item's default extension. An empty box stays empty.
QString NameForFilter(const QString& name, int filterIndex);
// The name as confirmed: a name without a period takes the filter item's default extension.
QString NameOnConfirm(const QString& name, int filterIndex);

// What confirming a name decides.
enum class SaveNameCheck {
    Empty,       // nothing typed: the dialog stays open without a word
    Unsupported, // no writable extension: refused with UnsupportedSaveFormatMessage
    Exists,      // a file is there already: ask ReplaceFileQuestion first
    NotAFile,    // a folder (or another non-file) is there: refused with NotAFileMessage
    Free,        // the dialog may answer with the path
};
struct SaveNameDecision {
    SaveNameCheck check = SaveNameCheck::Empty;
    QString name; // the name as confirmed (NameOnConfirm)
    QString path; // the folder joined with it
};
// Checks the name typed in `folder` with filter item `filterIndex`. Looks at the file system
// only to see what is at the path already.
SaveNameDecision CheckSaveName(const QString& folder, const QString& typedName, int filterIndex);

QString UnsupportedSaveFormatMessage(const QString& path); // "<path> is not a supported save ..."
QString ReplaceFileQuestion(const QString& path);          // "<path> already exists!..."
// "<path> is a folder." (or " is not a file." for anything else that is not a file).
QString NotAFileMessage(const QString& path);

// The folder the dialog opens in for a file in `folder`: the folder itself or, when it has gone,
// its nearest parent that is still there. Nothing when none is (a relative path that leads
// nowhere, say).
std::optional<QString> NearestExistingFolder(const QString& folder);

// True for what the preview shows and a double-click confirms: an existing file (not a folder)
// with a writable extension.
bool IsPreviewableSaveFile(const QString& path);

// The labels under the preview.
struct SavePreviewLabels {
    QString dimensions;
    QString size;
    QString modified;
};
SavePreviewLabels EmptySavePreviewLabels();
// The labels for the file at `path`: dimensions (approximate for JPEG files), size in KB and
// the last-write time in the user's short date and long time formats.
SavePreviewLabels SavePreviewLabelsFor(const QString& path, const QString& dimensionText,
                                       qint64 size, const QDateTime& modified);
