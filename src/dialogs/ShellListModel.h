// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/FolderBrowsing.h"
#include "folderview/ShellIcons.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

// The rows of a folder browser's list: the sub-folders of one folder, then its files that match
// a mask (ListShellEntries). Columns "Name", "Size", "Type" and "Modified". Names can be edited
// in place, which renames the entry without ever replacing another; entries can be dragged out
// as file addresses. The listing is read at once and again only on request (Reload).
class TShellListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn };
    static constexpr int ColumnCount = 4;

    explicit TShellListModel(QObject* parent = nullptr);

    // Lists `folder` under `mask` afresh.
    void List(const QString& folder, const QString& mask);
    // Reads the same folder again.
    void Reload();
    const QString& Folder() const { return folder_; }
    const QString& Mask() const { return mask_; }

    // With thumbnails on, image files show their picture fitted into 76 x 76 instead of the
    // icon of their type (loaded when first shown, kept until the next listing; a file that
    // cannot be read keeps its type's icon).
    void SetThumbnails(bool on);
    bool Thumbnails() const { return thumbnails_; }
    // The cell of one entry while thumbnails are on.
    static QSize ThumbnailCellSize();

    const ShellEntry& Entry(int row) const { return entries_.at(row); }
    QString PathOf(int row) const;
    // The row of the entry named `name`, -1 when none.
    int RowOf(const QString& name, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Renames the entry; emits RenameFailed and returns false when that cannot be done.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    void Renamed(const QString& oldPath, const QString& newPath);
    void RenameFailed(const QString& message);

private:
    QVariant Decoration(int row) const;
    QIcon Thumbnail(const QString& path) const;

    QString folder_;
    QString mask_;
    QList<ShellEntry> entries_;
    bool thumbnails_ = false;
    mutable TShellIcons icons_;
    mutable QHash<QString, QIcon> thumbnailCache_; // path -> picture, null when unreadable
};
