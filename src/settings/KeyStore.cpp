// SPDX-License-Identifier: MIT
#include "settings/KeyStore.h"

#include "imaging/AppError.h"
#include "imaging/Graphic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLockFile>

namespace {

constexpr auto FormatTag = "orvo-keystore-1";
// Anything bigger than this is not a settings file of ours.
constexpr qint64 MaxStoreBytes = 16 * 1024 * 1024;

QString NormalizeKey(const QString& key) {
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('\\'));
}

// The stored spelling of `key`, or the empty text when it is not there.
QString FindKey(const QJsonObject& keys, const QString& key) {
    const QString wanted = NormalizeKey(key);
    for (auto it = keys.begin(); it != keys.end(); ++it)
        if (it.key().compare(wanted, Qt::CaseInsensitive) == 0)
            return it.key();
    return QString();
}

QString FindName(const QJsonObject& values, const QString& name) {
    for (auto it = values.begin(); it != values.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    return QString();
}

bool HasName(const QJsonObject& values, const QString& name) {
    for (auto it = values.begin(); it != values.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool IsBelow(const QString& candidate, const QString& key) {
    return candidate.size() > key.size() && candidate.at(key.size()) == QLatin1Char('\\') &&
           candidate.startsWith(key, Qt::CaseInsensitive);
}

// Creates `key` and its parents in `keys`; true when anything was added.
bool AddKeyPath(QJsonObject& keys, const QString& key) {
    const QStringList parts = NormalizeKey(key).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    bool added = false;
    QString path;
    for (const QString& part : parts) {
        path = path.isEmpty() ? part : path + QLatin1Char('\\') + part;
        const QString existing = FindKey(keys, path);
        if (existing.isEmpty()) {
            keys.insert(path, QJsonObject());
            added = true;
        } else {
            path = existing;
        }
    }
    return added;
}

class StoreLock {
public:
    explicit StoreLock(const QString& storePath) : lock_(storePath + QStringLiteral(".lock")) {
        QDir().mkpath(QFileInfo(storePath).absolutePath());
        lock_.setStaleLockTime(10'000);
        locked_ = lock_.tryLock(2000);
    }
    bool Locked() const { return locked_; }

private:
    QLockFile lock_;
    bool locked_ = false;
};

} // namespace

KeyStore::KeyStore(QString filePath, bool recoverCorrupt)
    : filePath_(std::move(filePath)), recoverCorrupt_(recoverCorrupt) {
}

KeyStore::Contents KeyStore::Load() const {
    Contents contents;
    QFile file(filePath_);
    if (!file.exists())
        return contents;
    if (!file.open(QIODevice::ReadOnly)) {
        contents.state = FileState::Unreadable;
        return contents;
    }
    if (file.size() > MaxStoreBytes) {
        contents.state = FileState::Corrupt;
        return contents;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        root.value(QStringLiteral("format")).toString() != QLatin1String(FormatTag) ||
        !root.value(QStringLiteral("keys")).isObject()) {
        contents.state = FileState::Corrupt;
        return contents;
    }
    contents.keys = root.value(QStringLiteral("keys")).toObject();
    for (auto it = contents.keys.begin(); it != contents.keys.end(); ++it) {
        if (!it.value().isObject()) {
            contents.state = FileState::Corrupt;
            contents.keys = QJsonObject();
            return contents;
        }
    }
    contents.state = FileState::Ok;
    return contents;
}

bool KeyStore::LoadForChange(Contents& contents) {
    const QFileInfo info(filePath_);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return false;
    contents = Load();
    switch (contents.state) {
    case FileState::Missing:
    case FileState::Ok:
        return true;
    case FileState::Unreadable:
        return false;
    case FileState::Corrupt:
        if (!recoverCorrupt_)
            return false;
        // Keep the damaged file for the user and start afresh.
        QFile::remove(filePath_ + QStringLiteral(".corrupt"));
        if (!QFile::rename(filePath_, filePath_ + QStringLiteral(".corrupt")))
            return false;
        contents = Contents();
        return true;
    }
    return false;
}

void KeyStore::Save(const QJsonObject& keys) {
    QJsonObject root;
    root.insert(QStringLiteral("format"), QString::fromLatin1(FormatTag));
    root.insert(QStringLiteral("keys"), keys);
    WriteFileAtomically(filePath_, QJsonDocument(root).toJson(QJsonDocument::Indented));
}

bool KeyStore::KeyExists(const QString& key) const {
    const Contents contents = Load();
    return contents.state == FileState::Ok && !FindKey(contents.keys, key).isEmpty();
}

bool KeyStore::CreateKey(const QString& key) {
    if (KeyExists(key))
        return true;
    StoreLock lock(filePath_);
    if (!lock.Locked())
        return false;
    Contents contents;
    // Creating a key never sets a damaged file aside: only value writes do.
    const QFileInfo info(filePath_);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return false;
    contents = Load();
    if (contents.state != FileState::Ok && contents.state != FileState::Missing)
        return false;
    if (AddKeyPath(contents.keys, key) || contents.state == FileState::Missing)
        Save(contents.keys);
    return true;
}

std::optional<QString> KeyStore::ReadValue(const QString& key, const QString& name) const {
    const Contents contents = Load();
    if (contents.state != FileState::Ok)
        return std::nullopt;
    const QString stored = FindKey(contents.keys, key);
    if (stored.isEmpty())
        return std::nullopt;
    const QJsonObject values = contents.keys.value(stored).toObject();
    if (!HasName(values, name))
        return std::nullopt;
    const QJsonValue value = values.value(FindName(values, name));
    if (!value.isString())
        throw AppError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return value.toString();
}

template <typename Change> bool KeyStore::Modify(const Change& change) {
    StoreLock lock(filePath_);
    if (!lock.Locked())
        return false;
    Contents contents;
    if (!LoadForChange(contents) || !change(contents.keys))
        return false;
    Save(contents.keys);
    return true;
}

bool KeyStore::WriteValue(const QString& key, const QString& name, const QString& text) {
    return Modify([&](QJsonObject& keys) {
        AddKeyPath(keys, key);
        const QString stored = FindKey(keys, key);
        QJsonObject values = keys.value(stored).toObject();
        values.insert(HasName(values, name) ? FindName(values, name) : name, text);
        keys.insert(stored, values);
        return true;
    });
}

bool KeyStore::DeleteKey(const QString& key) {
    return Modify([&](QJsonObject& keys) {
        const QString stored = FindKey(keys, key);
        if (stored.isEmpty())
            return false;
        const QStringList all = keys.keys();
        for (const QString& candidate : all)
            if (candidate.compare(stored, Qt::CaseInsensitive) == 0 || IsBelow(candidate, stored))
                keys.remove(candidate);
        return true;
    });
}
