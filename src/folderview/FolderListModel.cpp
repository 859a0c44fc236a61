// SPDX-License-Identifier: MIT
#include "folderview/FolderListModel.h"

#include "folderview/ShellIcons.h"
#include "imaging/ImageFormats.h"

#include <QLocale>
#include <QSize>

namespace {

struct ColumnInfo {
    const char* caption;
    int width;
};
constexpr ColumnInfo Columns[FolderListModel::ColumnCount] = {
    {"Name", 170}, {"Size", 80}, {"Type", 90}, {"Modified", 150}, {"Approx. Dimensions", 105}};

} // namespace

QString FolderListModel::SizeText(qint64 bytes) {
    QLocale locale;
    // Thousands separators also where the locale leaves them out by default (the C locale).
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(bytes) / 1024.0, 'f', 2) + QStringLiteral(" KB");
}

QString FolderListModel::ModifiedText(const QDateTime& time) {
    // One pass over one format: formatting the date and the time apart costs a second time
    // zone lookup per file.
    const QLocale locale;
    return locale.toString(time.toLocalTime(), locale.dateFormat(QLocale::ShortFormat) +
                                                   QLatin1Char(' ') +
                                                   locale.timeFormat(QLocale::LongFormat));
}

QString FolderListModel::ColumnCaption(int column) {
    return column >= 0 && column < ColumnCount ? QString::fromLatin1(Columns[column].caption)
                                               : QString();
}

int FolderListModel::ColumnWidth(int column) {
    return column >= 0 && column < ColumnCount ? Columns[column].width : 0;
}

FolderListModel::FolderListModel(const TShellIcons* icons, QObject* parent)
    : QAbstractTableModel(parent), icons_(icons) {
}

int FolderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int FolderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= order_.size())
        return {};
    const QString& name = order_.at(index.row());
    const FileRow* row = Find(name);
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return name;
        case SizeColumn:
            return row->sizeText;
        case TypeColumn:
            return row->typeName;
        case ModifiedColumn:
            return row->modifiedText;
        case DimensionsColumn:
            return row->dimensions;
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == NameColumn && icons_)
            return icons_->Icon(row->icon);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case ByteSizeRole:
        return QVariant::fromValue(row->size);
    case ModifiedTimeRole:
        return row->modified;
    }
    return {};
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return ColumnCaption(section);
    case Qt::SizeHintRole:
        return QSize(ColumnWidth(section), 0);
    case Qt::TextAlignmentRole:
        if (section == SizeColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    return {};
}

const FolderListModel::FileRow* FolderListModel::Find(const QString& name) const {
    const auto found = rows_.constFind(name);
    return found == rows_.constEnd() ? nullptr : &found.value();
}

int FolderListModel::RowOf(const QString& name) const {
    return rows_.contains(name) ? static_cast<int>(order_.indexOf(name)) : -1;
}

void FolderListModel::AppendRow(const QString& name, qint64 size, const QDateTime& modified,
                                int icon) {
    if (rows_.contains(name))
        return;
    FileRow row;
    row.size = size;
    row.modified = modified;
    row.sizeText = SizeText(size);
    row.typeName = ImageTypeName(name);
    row.modifiedText = ModifiedText(modified);
    row.icon = icon;
    const int at = static_cast<int>(order_.size());
    beginInsertRows(QModelIndex(), at, at);
    order_.append(name);
    rows_.insert(name, row);
    endInsertRows();
}

qint64 FolderListModel::RemoveRow(const QString& name) {
    const int at = RowOf(name);
    if (at < 0)
        return -1;
    const qint64 size = rows_.value(name).size;
    beginRemoveRows(QModelIndex(), at, at);
    order_.removeAt(at);
    rows_.remove(name);
    endRemoveRows();
    return size;
}

qint64 FolderListModel::UpdateRow(const QString& name, qint64 size, const QDateTime& modified) {
    const auto found = rows_.find(name);
    if (found == rows_.end())
        return -1;
    const qint64 old = found->size;
    found->size = size;
    found->modified = modified;
    found->sizeText = SizeText(size);
    found->modifiedText = ModifiedText(modified);
    RowChanged(name, SizeColumn, ModifiedColumn);
    return old;
}

bool FolderListModel::RenameRow(const QString& oldName, const QString& newName) {
    if (oldName == newName)
        return rows_.contains(oldName);
    if (!rows_.contains(oldName) || rows_.contains(newName))
        return false;
    FileRow row = rows_.take(oldName);
    row.typeName = ImageTypeName(newName);
    rows_.insert(newName, row);
    order_[order_.indexOf(oldName)] = newName;
    RowChanged(newName, NameColumn, DimensionsColumn);
    return true;
}

void FolderListModel::SetDimensions(const QString& name, const QString& text) {
    const auto found = rows_.find(name);
    if (found == rows_.end() || found->dimensions == text)
        return;
    found->dimensions = text;
    RowChanged(name, DimensionsColumn, DimensionsColumn);
}

bool FolderListModel::SetOrder(const QStringList& order) {
    if (order.size() != order_.size())
        return false;
    QHash<QString, int> newRow;
    newRow.reserve(order.size());
    for (int i = 0; i < order.size(); ++i)
        if (!rows_.contains(order.at(i)) || newRow.contains(order.at(i)))
            return false;
        else
            newRow.insert(order.at(i), i);
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRow.value(order_.at(index.row())), index.column()));
    order_ = order;
    changePersistentIndexList(before, after);
    emit layoutChanged();
    return true;
}

void FolderListModel::RowChanged(const QString& name, int firstColumn, int lastColumn) {
    const int at = static_cast<int>(order_.indexOf(name));
    if (at >= 0)
        emit dataChanged(index(at, firstColumn), index(at, lastColumn));
}
