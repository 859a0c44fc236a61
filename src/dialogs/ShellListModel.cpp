// SPDX-License-Identifier: MIT
#include "dialogs/ShellListModel.h"

#include "dialogs/RenameRules.h"
#include "folderview/BitmapCache.h"
#include "folderview/FolderListModel.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureLoading.h"
#include "platform/FileOperations.h"

#include <QIcon>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QUrl>

namespace {

const char* const ColumnCaptions[] = {"Name", "Size", "Type", "Modified"};

// A name that can stand for one entry of the folder: not empty, no separator, not "." or "..".
bool IsPlainName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QStringLiteral(".") &&
           name != QStringLiteral("..");
}

} // namespace

TShellListModel::TShellListModel(QObject* parent) : QAbstractTableModel(parent) {
}

QSize TShellListModel::ThumbnailCellSize() {
    // Room for the picture and two lines of caption.
    return {ThumbSize + 40, ThumbSize + 36};
}

void TShellListModel::List(const QString& folder, const QString& mask) {
    beginResetModel();
    folder_ = folder;
    mask_ = mask;
    entries_ = ListShellEntries(folder, mask);
    icons_ = TShellIcons();
    thumbnailCache_.clear();
    endResetModel();
}

void TShellListModel::Reload() {
    List(folder_, mask_);
}

void TShellListModel::SetThumbnails(bool on) {
    if (thumbnails_ == on)
        return;
    thumbnails_ = on;
    if (!entries_.isEmpty())
        emit dataChanged(index(0, NameColumn), index(rowCount() - 1, NameColumn),
                         {Qt::DecorationRole, Qt::SizeHintRole});
}

QString TShellListModel::PathOf(int row) const {
    return row >= 0 && row < entries_.size() ? JoinPath(folder_, entries_.at(row).name) : QString();
}

int TShellListModel::RowOf(const QString& name, Qt::CaseSensitivity sensitivity) const {
    for (int row = 0; row < entries_.size(); ++row) {
        if (entries_.at(row).name.compare(name, sensitivity) == 0)
            return row;
    }
    return -1;
}

int TShellListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int TShellListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TShellListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const ShellEntry& entry = entries_.at(index.row());
    if (role == Qt::DecorationRole && index.column() == NameColumn)
        return Decoration(index.row());
    // Every thumbnail cell has the same size, whatever its icon.
    if (role == Qt::SizeHintRole && thumbnails_ && index.column() == NameColumn)
        return ThumbnailCellSize();
    if (role == Qt::EditRole && index.column() == NameColumn)
        return entry.name;
    if (role == Qt::TextAlignmentRole && index.column() == SizeColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return entry.name;
    case SizeColumn:
        return entry.folder ? QString() : FolderListModel::SizeText(entry.size);
    case TypeColumn:
        return entry.folder ? QStringLiteral("File Folder") : ImageTypeName(entry.name);
    case ModifiedColumn:
        return FolderListModel::ModifiedText(entry.modified);
    }
    return {};
}

QVariant TShellListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(ColumnCaptions[section]);
}

Qt::ItemFlags TShellListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid())
        flags |= Qt::ItemIsDragEnabled;
    if (index.isValid() && index.column() == NameColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TShellListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != NameColumn || role != Qt::EditRole)
        return false;
    ShellEntry& entry = entries_[index.row()];
    const QString newName = value.toString();
    if (newName == entry.name)
        return true;
    if (!IsPlainName(newName)) {
        emit RenameFailed(UnableToRenameMessage());
        return false;
    }
    const QString oldPath = JoinPath(folder_, entry.name);
    const QString newPath = JoinPath(folder_, newName);
    QString error;
    if (!RenameWithoutReplacing(oldPath, newPath, &error)) {
        emit RenameFailed(error.isEmpty() ? UnableToRenameMessage() : error);
        return false;
    }
    entry.name = newName;
    thumbnailCache_.remove(oldPath);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    emit Renamed(oldPath, newPath);
    return true;
}

QStringList TShellListModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}

QMimeData* TShellListModel::mimeData(const QModelIndexList& indexes) const {
    QList<QUrl> urls;
    QList<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && !rows.contains(index.row())) {
            rows << index.row();
            urls << QUrl::fromLocalFile(PathOf(index.row()));
        }
    }
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

Qt::DropActions TShellListModel::supportedDragActions() const {
    return Qt::CopyAction;
}

QVariant TShellListModel::Decoration(int row) const {
    const ShellEntry& entry = entries_.at(row);
    if (entry.folder)
        return QIcon::fromTheme(QStringLiteral("folder"));
    const QString path = PathOf(row);
    if (thumbnails_ && IsSupportedImage(path)) {
        const QIcon picture = Thumbnail(path);
        if (!picture.isNull())
            return picture;
    }
    return icons_.Icon(icons_.ShellIconIndex(path));
}

QIcon TShellListModel::Thumbnail(const QString& path) const {
    const auto found = thumbnailCache_.constFind(path);
    if (found != thumbnailCache_.constEnd())
        return found.value();
    QIcon icon;
    try {
        TBitmap bitmap;
        QString dimensionText;
        LoadFittedPreview(path, ThumbSize, ThumbSize, &bitmap, dimensionText, true);
        // Centred in a square, so that every caption sits at the same height.
        QPixmap square(ThumbSize, ThumbSize);
        square.fill(Qt::transparent);
        QPainter painter(&square);
        painter.drawImage((ThumbSize - bitmap.Width()) / 2, (ThumbSize - bitmap.Height()) / 2,
                          bitmap.Image());
        painter.end();
        icon = QIcon(square);
    } catch (const AppError&) {
        // An unreadable file keeps the icon of its type.
    }
    thumbnailCache_.insert(path, icon);
    return icon;
}
