// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class KeyStore;

// The program's settings: named text values under one key of the per-user store, plus the
// sub-keys "WinState" (window placement) and "RecentFolders" (the recent-folder list).

// The key that holds every setting, and its two sub-keys.
QString SettingsKey();
QString WinStateKey();
QString RecentFoldersKey();

// The program's own folder under the XDG config and data folders: "Tamblin/Orvo Image Browser 2".
QString ProgramFolderName();
// $XDG_DATA_HOME/Tamblin/Orvo Image Browser 2: files the program makes for the desktop (the
// wallpaper bitmap). Not created here.
QString ProgramDataFolder();

// The per-user store files in the XDG config folder.
QString SettingsStorePath();
QString ClassesStorePath();
KeyStore SettingsStore();
KeyStore ClassesStore();

// The text of the value, or the empty text when the key cannot be opened or the value does not
// exist. Throws AppError when the value exists but is not text. Creates the key when missing.
QString ReadRegString(const QString& name);
// Writes the text; does nothing when the key cannot be opened, throws AppError when the write
// itself fails.
void WriteRegString(const QString& name, const QString& text);
// The stored boolean, or `defaultValue` when it is missing, unreadable or anything fails.
bool ReadRegBool(const QString& name, bool defaultValue);
// The stored 32-bit integer, or `defaultValue` when it is missing, unreadable or anything fails.
int ReadRegInteger(const QString& name, int defaultValue);

// The same for a value under a sub-key of the settings key ("WinState\\MainForm", ...).
QString ReadRegSubString(const QString& subKey, const QString& name);
void WriteRegSubString(const QString& subKey, const QString& name, const QString& text);

// Encodings: booleans as "True"/"False"; integers and colours in decimal.
QString BoolToRegText(bool value);
// Colours are stored as integers in the 0x00BBGGRR layout (red in the low byte).
int ColorToRegInteger(const QColor& color);
QColor RegIntegerToColor(int value);
std::optional<bool> RegTextToBool(const QString& text);
std::optional<int> RegTextToInteger(const QString& text);

// The value name of the viewing area's background colour: the Base64 text of "BackGroundColor".
QString BackgroundColorValueName();

// Value names of every setting.
namespace RegNames {
inline constexpr auto SlideShowInterval = "SlideShowInterval";
inline constexpr auto StartAtBeginning = "StartAtBeginning";
inline constexpr auto PlayInReverse = "PlayInReverse";
inline constexpr auto AnimateGif = "AnimateGif";
inline constexpr auto AutoSaveImages = "AutoSaveImages";
inline constexpr auto HideFolderTab = "HideFolderTab";
inline constexpr auto MenuVisible = "MenuVisible";
inline constexpr auto ThumbsVisible = "ThumbsVisible";
inline constexpr auto NavVisible = "NavVisible";
inline constexpr auto StatusVisible = "StatusVisible";
inline constexpr auto FullScreenMenuVisible = "FullScreenMenuVisible";
inline constexpr auto FullScreenThumbsVisible = "FullScreenThumbsVisible";
inline constexpr auto FullScreenListVisible = "FullScreenListVisible";
inline constexpr auto FullScreenNavVisible = "FullScreenNavVisible";
inline constexpr auto FullScreenStatusVisible = "FullScreenStatusVisible";
inline constexpr auto FileMruMaxItems = "FileMruMaxItems";
inline constexpr auto ShowAutoFitPrompt = "ShowAutoFitPrompt";
inline constexpr auto ShowCloseFolderPrompt = "ShowCloseFolderPrompt";
inline constexpr auto ShowFullScreenPrompt = "ShowFullScreenPrompt";
inline constexpr auto ShowSlideShowPrompt = "ShowSlideShowPrompt";
inline constexpr auto InetSpeed = "InetSpeed";
inline constexpr auto ShowOptResults = "ShowOptResults";
inline constexpr auto DontOptimize = "DontOptimize";
} // namespace RegNames

// Convenience overloads taking the constants above.
inline bool ReadRegBool(const char* name, bool defaultValue) {
    return ReadRegBool(QString::fromLatin1(name), defaultValue);
}
inline int ReadRegInteger(const char* name, int defaultValue) {
    return ReadRegInteger(QString::fromLatin1(name), defaultValue);
}
inline void WriteRegString(const char* name, const QString& text) {
    WriteRegString(QString::fromLatin1(name), text);
}
