// SPDX-License-Identifier: MIT
#include "dialogs/RenameRules.h"

#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"

namespace {

qsizetype ExtensionStart(const QString& fileName) {
    return fileName.lastIndexOf(QLatin1Char('.'));
}

// A name that would leave the folder, name no file at all, or hide the file from every listing
// (a leading period) is refused before the file system sees it.
void CheckPlainName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/')) ||
        name.contains(QChar()))
        throw AppError(UnableToRenameMessage());
}

} // namespace

QString FileBaseName(const QString& fileName) {
    const qsizetype dot = ExtensionStart(fileName);
    return dot < 0 ? fileName : fileName.left(dot);
}

QString FileExtension(const QString& fileName) {
    const qsizetype dot = ExtensionStart(fileName);
    return dot < 0 ? QString() : fileName.mid(dot);
}

std::optional<QString> RenamedFileName(const QString& oldName, const QString& typedText) {
    if (typedText.isEmpty() || typedText == FileBaseName(oldName))
        return std::nullopt;
    const QString newName = FileBaseName(typedText) + FileExtension(oldName);
    if (newName.compare(oldName, Qt::CaseInsensitive) == 0)
        return std::nullopt;
    CheckPlainName(newName);
    return newName;
}

void CheckInPlaceRename(const QString& oldName, const QString& newName) {
    if (ExtractExtension(oldName) != ExtractExtension(newName))
        throw AppError(ExtensionMismatchMessage());
    CheckPlainName(newName);
}

QString NameExistsMessage() {
    return QStringLiteral("A file by this name already exists. Please choose a different name.");
}

QString UnableToRenameMessage() {
    return QStringLiteral("Unable to rename file.");
}

QString ExtensionMismatchMessage() {
    return QStringLiteral("The file extension must match previous file extension.");
}
