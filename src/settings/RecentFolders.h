// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

// The recent-folder list: full folder paths, most recent first, at most MaxItems() entries,
// kept in the settings store under the "RecentFolders" sub-key. Paths are kept exactly as
// given (any character, "&" included, survives); two paths are the same entry only when their
// texts are equal (file names are letter-case sensitive here).
class TRecentFolders {
public:
    static constexpr int DefaultMaxItems = 20;
    static constexpr int LargestMaxItems = 255; // the maximum is held in one byte

    explicit TRecentFolders(int maxItems = DefaultMaxItems);

    // A new maximum (clamped to 0..255); entries beyond it are dropped from the end and the
    // list is stored when that happened.
    void SetMaxItems(int maxItems);
    int MaxItems() const { return maxItems_; }

    // Reads the stored entries (empty when nothing is stored or the text is unreadable).
    void Load();
    const QStringList& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Contains(const QString& path) const { return items_.contains(path); }

    // Makes `path` the most recent entry (an entry already there moves to the front) and
    // stores the list.
    void Add(const QString& path);
    // Takes `path` off the list and stores it; false when it was not there.
    bool Remove(const QString& path);
    // Takes the most recent entry off and stores the list (the Options dialog's trimming).
    void DeleteFirst();
    void Clear();

private:
    void Trim();
    void Save() const;

    int maxItems_;
    QStringList items_;
};
