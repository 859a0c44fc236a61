// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QStringList>

class TShellIcons;

// The rows of a folder's advanced list: one row per listed file, in the list order of the
// folder model (the row order IS that list order; nothing else keeps one). Columns "Name",
// "Size", "Type", "Modified" and "Approx. Dimensions"; the byte size and the last-write time are
// kept as data roles for sorting and for the folder's byte total.
//
// Names are looked up exactly: two files whose names differ only in letter case are two rows.
class FolderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, DimensionsColumn };
    static constexpr int ColumnCount = 5;
    enum Role {
        ByteSizeRole = Qt::UserRole + 1, // qint64, any column
        ModifiedTimeRole,                // QDateTime of the last write, any column
    };

    // What one row holds.
    struct FileRow {
        qint64 size = 0;
        QDateTime modified;
        QString sizeText;     // "1,234.56 KB"
        QString typeName;     // "JPEG Image"
        QString modifiedText; // ModifiedText(modified)
        QString dimensions;   // "640x480" once the loader has seen the file
        int icon = -1;        // index in the shell icon list
    };

    // Bytes as kilobytes with thousands separators and two decimals, plus " KB".
    static QString SizeText(qint64 bytes);
    // The locale's short date and long time of `time` in local time. The listing compares these
    // texts to notice changed files, so this is the only routine that may produce them.
    static QString ModifiedText(const QDateTime& time);
    static QString ColumnCaption(int column);
    static int ColumnWidth(int column);

    explicit FolderListModel(const TShellIcons* icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The names in row order.
    const QStringList& Order() const { return order_; }
    // The row of `name`, or nullptr when it has none.
    const FileRow* Find(const QString& name) const;
    // Row number of `name`, -1 when it has none (a linear search).
    int RowOf(const QString& name) const;

    // Appends a row; a name that already has one is left as it is.
    void AppendRow(const QString& name, qint64 size, const QDateTime& modified, int icon);
    // Removes the row of `name`; its byte size, or -1 when there was no row.
    qint64 RemoveRow(const QString& name);
    // New size and time for the row of `name`; its former byte size, or -1 when it has no row.
    qint64 UpdateRow(const QString& name, qint64 size, const QDateTime& modified);
    // Gives the row of `oldName` the caption `newName`, in place. False when `oldName` has no
    // row or `newName` already has one.
    bool RenameRow(const QString& oldName, const QString& newName);
    void SetDimensions(const QString& name, const QString& text);
    // Puts the rows in the order given (for sorting). Refused (false, nothing changes) unless
    // `order` holds exactly the names that have rows.
    bool SetOrder(const QStringList& order);

private:
    void RowChanged(const QString& name, int firstColumn, int lastColumn);

    const TShellIcons* icons_;
    QStringList order_;
    QHash<QString, FileRow> rows_;
};
