// SPDX-License-Identifier: MIT
#include "folderview/FolderListSort.h"

#include <algorithm>

namespace {

int Sign(qint64 value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

QChar FoldAscii(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

// Width times height of a "WxH" text; false when either side is not a number.
bool ParseArea(const QString& text, qint64& area) {
    const qsizetype x = text.indexOf(QLatin1Char('x'));
    if (x < 0)
        return false;
    bool okWidth = false;
    bool okHeight = false;
    const qint64 width = text.left(x).trimmed().toLongLong(&okWidth);
    const qint64 height = text.mid(x + 1).trimmed().toLongLong(&okHeight);
    if (!okWidth || !okHeight)
        return false;
    area = width * height;
    return true;
}

} // namespace

int CompareTextAsciiNoCase(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const ushort ca = FoldAscii(a.at(i)).unicode();
        const ushort cb = FoldAscii(b.at(i)).unicode();
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return Sign(a.size() - b.size());
}

int CompareListRows(const FolderListModel& rows, const QString& nameA, const QString& nameB,
                    int column) {
    const FolderListModel::FileRow* a = rows.Find(nameA);
    const FolderListModel::FileRow* b = rows.Find(nameB);
    if (!a || !b || column == FolderListModel::NameColumn)
        return CompareTextAsciiNoCase(nameA, nameB);
    switch (column) {
    case FolderListModel::SizeColumn:
        return Sign(a->size - b->size);
    case FolderListModel::TypeColumn:
        return CompareTextAsciiNoCase(a->typeName, b->typeName);
    case FolderListModel::ModifiedColumn:
        if (a->modified.isValid() && b->modified.isValid())
            return Sign(b->modified.msecsTo(a->modified));
        return CompareTextAsciiNoCase(a->modifiedText, b->modifiedText);
    case FolderListModel::DimensionsColumn: {
        qint64 areaA = 0;
        qint64 areaB = 0;
        if (ParseArea(a->dimensions, areaA) && ParseArea(b->dimensions, areaB))
            return Sign(areaA - areaB);
        return CompareTextAsciiNoCase(a->dimensions, b->dimensions);
    }
    default:
        return CompareTextAsciiNoCase(nameA, nameB);
    }
}

QStringList SortedListOrder(const FolderListModel& rows, int column, bool ascending) {
    QStringList order = rows.Order();
    std::stable_sort(order.begin(), order.end(), [&](const QString& a, const QString& b) {
        return ascending ? CompareListRows(rows, a, b, column) < 0
                         : CompareListRows(rows, b, a, column) < 0;
    });
    return order;
}
