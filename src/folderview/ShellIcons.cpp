// SPDX-License-Identifier: MIT
#include "folderview/ShellIcons.h"

#include "imaging/ImageFormats.h"

#include <QMimeDatabase>

namespace {

// The desktop theme's icon for the file's type; an icon file shows its own picture.
QIcon FileIcon(const QString& path, bool iconFile) {
    if (iconFile) {
        QIcon own(path);
        if (!own.availableSizes().isEmpty())
            return own;
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
}

} // namespace

int TShellIcons::ShellIconIndex(const QString& path) {
    const QString extension = ExtractExtension(path);
    const bool iconFile = extension == QStringLiteral(".ico");
    if (IsSupportedImage(path) && !iconFile) {
        const auto found = iconCache_.constFind(extension);
        if (found != iconCache_.constEnd())
            return found.value();
    }
    const int index = static_cast<int>(icons_.size());
    icons_.append(FileIcon(path, iconFile));
    if (!iconFile)
        iconCache_.insert(extension, index);
    return index;
}

QIcon TShellIcons::Icon(int index) const {
    return index >= 0 && index < icons_.size() ? icons_.at(index) : QIcon();
}
