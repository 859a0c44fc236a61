// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The desktop's default opener per MIME type, as the freedesktop MIME applications rules
// decide it from the mimeapps.list files, and making the program that default in the user's
// own file ($XDG_CONFIG_HOME/mimeapps.list).

// The folders the rules look in, highest precedence first.
struct XdgPlaces {
    QString configHome;
    QStringList configDirs;
    QString dataHome;
    QStringList dataDirs;
    QStringList desktops; // the names of $XDG_CURRENT_DESKTOP, lower-cased

    // From the environment (through QStandardPaths, so the usual defaults apply).
    static XdgPlaces FromEnvironment();

    // Every mimeapps.list that counts, in lookup order: per folder the desktop-specific files
    // ("gnome-mimeapps.list") before the plain one.
    QStringList MimeAppsFiles() const;
    // The user's own mimeapps.list, the one the program writes.
    QString UserMimeAppsFile() const;
    // The desktop file with the id, looked up in the applications folders; "" when none.
    QString FindDesktopFile(const QString& desktopId) const;
};

// The desktop id that opens the type by default: the first installed and associated id of the
// first [Default Applications] line for the type; "" when no file names one (the desktop then
// picks by its own preference).
QString DefaultApplicationFor(const XdgPlaces& places, const QString& mimeType);

// True when the desktop opens files of the extension with the program's desktop entry.
bool IsDesktopDefault(const XdgPlaces& places, const QString& extension);
// Makes the program's entry the default for the extension's MIME types: first in [Default
// Applications] (the previous defaults stay behind it) and no longer in [Removed Associations]
// of the user's mimeapps.list; only a type the entry itself does not name is added last to
// [Added Associations]. A desktop-specific user file that names a default for the type gets
// the program first as well. Returns IsDesktopDefault afterwards (false without writing when
// the entry is not installed or a file is unreadable). Throws AppError when a file cannot be
// written.
bool SetDesktopDefault(const XdgPlaces& places, const QString& extension);
// Takes the program's entry out of the [Default Applications] and [Added Associations] lines of
// the extension's types in the user's files. Throws AppError when a file cannot be written.
void RemoveDesktopDefault(const XdgPlaces& places, const QString& extension);
// Takes the program's entry out of every default and added association of all its types in the
// user's files (when the program is uninstalled).
void RemoveAllDesktopAssociations(const XdgPlaces& places);
