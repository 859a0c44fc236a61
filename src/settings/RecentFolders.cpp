// SPDX-License-Identifier: MIT
#include "settings/RecentFolders.h"

#include "settings/RegistryUnit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

// The list is one value: a JSON array of the paths, so one write stores it whole and no
// character of a path needs escaping by hand.
const QString SubKey = QStringLiteral("RecentFolders");
const QString ValueName = QStringLiteral("Folders");

} // namespace

TRecentFolders::TRecentFolders(int maxItems) : maxItems_(std::clamp(maxItems, 0, LargestMaxItems)) {
}

void TRecentFolders::SetMaxItems(int maxItems) {
    maxItems_ = std::clamp(maxItems, 0, LargestMaxItems);
    if (items_.size() > maxItems_) {
        Trim();
        Save();
    }
}

void TRecentFolders::Load() {
    items_.clear();
    const QJsonDocument doc = QJsonDocument::fromJson(ReadRegSubString(SubKey, ValueName).toUtf8());
    for (const QJsonValue& value : doc.array()) {
        const QString path = value.toString();
        if (!path.isEmpty() && !items_.contains(path))
            items_.append(path);
    }
    Trim();
}

void TRecentFolders::Add(const QString& path) {
    if (path.isEmpty())
        return;
    items_.removeAll(path);
    items_.prepend(path);
    Trim();
    Save();
}

bool TRecentFolders::Remove(const QString& path) {
    if (items_.removeAll(path) == 0)
        return false;
    Save();
    return true;
}

void TRecentFolders::DeleteFirst() {
    if (items_.isEmpty())
        return;
    items_.removeFirst();
    Save();
}

void TRecentFolders::Clear() {
    items_.clear();
    Save();
}

void TRecentFolders::Trim() {
    if (items_.size() > maxItems_)
        items_.resize(maxItems_);
}

void TRecentFolders::Save() const {
    const QJsonArray array = QJsonArray::fromStringList(items_);
    WriteRegSubString(SubKey, ValueName,
                      QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}
