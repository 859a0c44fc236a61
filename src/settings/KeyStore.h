// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

// A small per-user hive of keys holding named text values, kept in one JSON file. Key paths
// use "\" between levels; a leading "\" is ignored. Key and value names compare without regard
// to letter case, as registry names do. The default value of a key has the empty name.
//
// Every call opens the file, does its work and closes it again, so another process sees each
// write at once. A change replaces the file atomically under a lock file and keeps every
// other key and value. A file that cannot be read or parsed is never written by a read; a
// file without owner write permission is never written at all.
class KeyStore {
public:
    // With `recoverCorrupt`, a write to a file that cannot be parsed first moves that file aside
    // (to the same name + ".corrupt") and starts afresh; without it such writes do nothing.
    KeyStore(QString filePath, bool recoverCorrupt);

    const QString& FilePath() const { return filePath_; }

    // True when the key exists.
    bool KeyExists(const QString& key) const;
    // Creates the key and every missing parent. False when the store cannot be written
    // (a corrupt, unreadable or read-only file counts as such).
    bool CreateKey(const QString& key);
    // The value's text; nothing when the key or the value is missing or the file cannot be
    // read. Throws AppError when the value exists but is not text.
    std::optional<QString> ReadValue(const QString& key, const QString& name) const;
    // Writes the value, creating the key when missing. Returns false without writing when the
    // store cannot be written; throws AppError when writing the file fails.
    bool WriteValue(const QString& key, const QString& name, const QString& text);
    // Deletes the key with every key below it. False when nothing was deleted.
    bool DeleteKey(const QString& key);

private:
    enum class FileState { Missing, Ok, Corrupt, Unreadable };
    struct Contents {
        FileState state = FileState::Missing;
        QJsonObject keys; // stored key path -> object of value name -> text
    };

    Contents Load() const;
    // Loads for a change; false when the store must not be written.
    bool LoadForChange(Contents& contents);
    void Save(const QJsonObject& keys);
    // Loads under the lock, applies `change` to the keys and saves when it returns true.
    // False when the store must not be written or nothing changed.
    template <typename Change> bool Modify(const Change& change);

    QString filePath_;
    bool recoverCorrupt_;
};
