// SPDX-License-Identifier: MIT
#include "settings/RegistryUnit.h"

#include "settings/KeyStore.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString StoreFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + ProgramFolderName();
}

QString SubKeyPath(const QString& subKey) {
    return subKey.isEmpty() ? SettingsKey() : SettingsKey() + QLatin1Char('\\') + subKey;
}

} // namespace

QString ProgramFolderName() {
    return QStringLiteral("Tamblin/Orvo Image Browser 2");
}

QString ProgramDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + ProgramFolderName();
}

QString SettingsKey() {
    return QStringLiteral("Software\\Tamblin\\Orvo Image Browser 2");
}
QString WinStateKey() {
    return SettingsKey() + QStringLiteral("\\WinState");
}
QString RecentFoldersKey() {
    return SettingsKey() + QStringLiteral("\\RecentFolders");
}

QString SettingsStorePath() {
    return StoreFolder() + QStringLiteral("/settings.json");
}
QString ClassesStorePath() {
    return StoreFolder() + QStringLiteral("/file-types.json");
}

KeyStore SettingsStore() {
    return KeyStore(SettingsStorePath(), true);
}
KeyStore ClassesStore() {
    return KeyStore(ClassesStorePath(), false);
}

QString ReadRegSubString(const QString& subKey, const QString& name) {
    KeyStore store = SettingsStore();
    const QString key = SubKeyPath(subKey);
    if (!store.CreateKey(key))
        return QString();
    return store.ReadValue(key, name).value_or(QString());
}

void WriteRegSubString(const QString& subKey, const QString& name, const QString& text) {
    KeyStore store = SettingsStore();
    store.WriteValue(SubKeyPath(subKey), name, text);
}

QString ReadRegString(const QString& name) {
    return ReadRegSubString(QString(), name);
}

void WriteRegString(const QString& name, const QString& text) {
    WriteRegSubString(QString(), name, text);
}

int ColorToRegInteger(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor RegIntegerToColor(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QString BoolToRegText(bool value) {
    static const char* const Texts[2] = {"False", "True"};
    return QString::fromLatin1(Texts[value ? 1 : 0]);
}

std::optional<bool> RegTextToBool(const QString& text) {
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (ok)
        return number != 0.0;
    return std::nullopt;
}

std::optional<int> RegTextToInteger(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool ReadRegBool(const QString& name, bool defaultValue) {
    try {
        return RegTextToBool(ReadRegString(name)).value_or(defaultValue);
    } catch (...) {
        return defaultValue;
    }
}

int ReadRegInteger(const QString& name, int defaultValue) {
    try {
        return RegTextToInteger(ReadRegString(name)).value_or(defaultValue);
    } catch (...) {
        return defaultValue;
    }
}

QString BackgroundColorValueName() {
    return QString::fromLatin1(QByteArrayLiteral("BackGroundColor").toBase64());
}
