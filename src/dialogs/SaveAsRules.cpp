// SPDX-License-Identifier: MIT
#include "dialogs/SaveAsRules.h"

#include "dialogs/PreviewTexts.h"
#include "folderview/FolderListModel.h"
#include "imaging/ImageFormats.h"

#include <QFileInfo>

namespace {

// Where the extension of the last component starts, or -1 when it has no period.
qsizetype ExtensionStart(const QString& name) {
    const qsizetype period = name.lastIndexOf(QLatin1Char('.'));
    return period > name.lastIndexOf(QLatin1Char('/')) ? period : -1;
}

} // namespace

std::optional<int> FilterIndexForFile(const QString& path) {
    QString extension = ExtractExtension(path);
    // Icons cannot be written; the nearest writable kind is the bitmap.
    if (extension == QStringLiteral(".ico"))
        extension = QStringLiteral(".bmp");
    for (int index = 0; index < SaveFilterCount; ++index) {
        if (SaveDefaultExts(index) == extension)
            return index;
    }
    return std::nullopt;
}

QString ReplaceExtension(const QString& name, const QString& extension) {
    const qsizetype start = ExtensionStart(name);
    return (start < 0 ? name : name.left(start)) + extension;
}

bool HasPeriod(const QString& name) {
    return ExtensionStart(name) >= 0;
}

QString NameForFilter(const QString& name, int filterIndex) {
    return name.isEmpty() ? name : ReplaceExtension(name, SaveDefaultExts(filterIndex));
}

QString NameOnConfirm(const QString& name, int filterIndex) {
    return name.isEmpty() || HasPeriod(name) ? name : name + SaveDefaultExts(filterIndex);
}

SaveNameDecision CheckSaveName(const QString& folder, const QString& typedName, int filterIndex) {
    SaveNameDecision decision;
    if (typedName.isEmpty())
        return decision;
    decision.name = NameOnConfirm(typedName, filterIndex);
    decision.path = JoinPath(folder, decision.name);
    if (!IsSaveableImage(decision.path))
        decision.check = SaveNameCheck::Unsupported;
    else if (const QFileInfo target(decision.path); target.isFile())
        decision.check = SaveNameCheck::Exists;
    else if (target.exists())
        decision.check = SaveNameCheck::NotAFile; // a folder cannot be replaced by the picture
    else
        decision.check = SaveNameCheck::Free;
    return decision;
}

QString UnsupportedSaveFormatMessage(const QString& path) {
    return path + QStringLiteral(" is not a supported save format!");
}

QString ReplaceFileQuestion(const QString& path) {
    // A line feed, then a carriage return: the message's own line break.
    return path + QStringLiteral(" already exists!\n\rDo you you want to replace it?");
}

QString NotAFileMessage(const QString& path) {
    return path + (QFileInfo(path).isDir() ? QStringLiteral(" is a folder.")
                                           : QStringLiteral(" is not a file."));
}

std::optional<QString> NearestExistingFolder(const QString& folder) {
    QString candidate = folder;
    while (!candidate.isEmpty() && !QFileInfo(candidate).isDir()) {
        const QString parent = QFileInfo(candidate).path();
        if (parent == candidate || parent == QLatin1String("."))
            return std::nullopt;
        candidate = parent;
    }
    if (candidate.isEmpty())
        return std::nullopt;
    return candidate;
}

bool IsPreviewableSaveFile(const QString& path) {
    return IsSaveableImage(path) && QFileInfo(path).isFile();
}

SavePreviewLabels EmptySavePreviewLabels() {
    return {QStringLiteral("Dimensions:"), QStringLiteral("Size:"),
            QStringLiteral("Modified Date:")};
}

SavePreviewLabels SavePreviewLabelsFor(const QString& path, const QString& dimensionText,
                                       qint64 size, const QDateTime& modified) {
    return {DimensionsText(path, dimensionText),
            QStringLiteral("Size: ") + KilobyteText(size, QLocale()),
            QStringLiteral("Modified Date: ") + FolderListModel::ModifiedText(modified)};
}
