// SPDX-License-Identifier: MIT
#pragma once

#include <QSet>
#include <QStringList>

// An ordered list of file names without duplicates, with exact (letter-case sensitive) lookup
// that stays fast for folders of many thousand files.
class TNameList {
public:
    const QStringList& Names() const { return names_; }
    int Count() const { return static_cast<int>(names_.size()); }
    bool IsEmpty() const { return names_.isEmpty(); }
    bool Contains(const QString& name) const { return set_.contains(name); }
    // Position of `name`, -1 when absent (a linear search).
    int IndexOf(const QString& name) const;
    const QString& At(int index) const { return names_.at(index); }

    // Appends `name` unless present; false when it was.
    bool Append(const QString& name);
    // Removes `name` when present; false when it was not.
    bool Remove(const QString& name);
    void RemoveAt(int index);
    // Puts `newName` in the place of `oldName`. When `newName` is present already, `oldName` is
    // only removed, so the list stays without duplicates. False when `oldName` is absent.
    bool Replace(const QString& oldName, const QString& newName);
    void Clear();

private:
    QStringList names_;
    QSet<QString> set_;
};
