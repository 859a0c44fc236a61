// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The program's desktop entry: how the desktop's menus and file managers learn that the program
// opens the nine image extensions. It lives in the user's own applications folder.

// The MIME types of an extension ("" when the extension is not one of the nine): the shared
// MIME database's name first, then the older name some systems still use.
QStringList MimeTypesForExtension(const QString& extension);
// Every MIME type the program opens, each once, in registration order.
QStringList ProgramMimeTypes();

// "orvo-image-browser-2.desktop"
QString DesktopEntryId();
// $XDG_DATA_HOME/applications/orvo-image-browser-2.desktop
QString DesktopEntryPath();

// One argument of an Exec line: quoted and escaped as the desktop entry format wants it.
QString QuoteExecArgument(const QString& argument);
// The whole entry for the program at `programPath`: it runs the program with "/nosplash" and the
// file, and lists every MIME type of ProgramMimeTypes().
QByteArray DesktopEntryText(const QString& programPath);
// True when the entry file at `path` exists and starts the program at `programPath`.
bool DesktopEntryStartsProgram(const QString& path, const QString& programPath);

// Writes the entry for the program (replacing an older one) atomically. Throws AppError when the
// file cannot be written.
void InstallDesktopEntry(const QString& programPath);
// An entry written while the program ran under `startPath` is rewritten for `longPath`.
void FixDesktopEntry(const QString& longPath, const QString& startPath);
// Removes the entry when it starts the program at `programPath`; another copy's is left alone.
void RemoveDesktopEntry(const QString& programPath);
