// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

// The rules of renaming an image file by a typed name. The extension never changes through the
// rename dialog, and a change of letter case alone renames nothing.

// "photo.jpg" -> "photo" and ".jpg"; a name without a period has an empty extension.
QString FileBaseName(const QString& fileName);
QString FileExtension(const QString& fileName);

// The new file name for `typedText` typed over the base name of `oldName`, or nothing when there
// is nothing to do: the text is empty or unchanged, or the result differs from the old name in
// letter case only. The typed text's own extension, if any, is replaced by the old one.
// Throws AppError(UnableToRenameMessage()) for a result that is no plain, visible file name (a
// slash, or a leading period).
std::optional<QString> RenamedFileName(const QString& oldName, const QString& typedText);

// The name typed into a list row must keep the extension (letter case aside); throws
// AppError(ExtensionMismatchMessage()) otherwise, and AppError(UnableToRenameMessage()) for a
// text that is no plain file name.
void CheckInPlaceRename(const QString& oldName, const QString& newName);

QString NameExistsMessage();        // "A file by this name already exists. Please choose ..."
QString UnableToRenameMessage();    // "Unable to rename file."
QString ExtensionMismatchMessage(); // "The file extension must match previous file extension."
