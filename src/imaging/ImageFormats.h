// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The one place that knows the image formats. A file's format is decided by its extension
// alone; contents are never sniffed.

enum class GraphicKind { Jpeg, Bitmap, Icon, Png, Metafile, Gif, Pcx };

// The extension of the last path component ("/"-separated), from its last period on,
// period included, with the letters A to Z lower-cased (no locale rules). Empty when the
// last component has no period.
QString ExtractExtension(const QString& path);

bool IsSupportedImage(const QString& path); // the nine readable extensions
bool IsSaveableImage(const QString& path);  // the eight writable ones (no ".ico")
QString ImageTypeName(const QString& path); // "JPEG Image" ... "PCX Image", else "Unknown"

// The graphic kind that decodes the file, or nothing for an extension without a row.
std::optional<GraphicKind> ReadKindForPath(const QString& path);
// The graphic kind a save to this path produces, checked in the order JPEG, bitmap, icon
// (refused: AppError "Saving as an Icon is not supported"), metafile, PNG, GIF, PCX;
// any other extension is written as bitmap data.
GraphicKind SaveKindForPath(const QString& path);
// True for ".emf": metafiles are written as enhanced metafiles there, placeable WMF otherwise.
bool IsEnhancedMetafilePath(const QString& path);

// The nine readable extensions in the order file-type registration walks them, with the
// descriptions it registers.
struct RegisteredExtension {
    const char* extension;
    const char* description;
};
const RegisteredExtension* RegisteredExtensions(int* count);

// The Save Image dialog's "File Type" list: seven entries, JPEG first, icons absent.
constexpr int SaveFilterCount = 7;
QString SaveFilterMasks(int index);    // "*.jpeg;*.jpg", "*.bmp", ...
QString SaveDefaultExts(int index);    // ".jpg", ".bmp", ...
QString SaveFilterItemText(int index); // "JPEG Image (*.jpeg,*.jpg)", "Bitmap (*.bmp)", ...
QStringList SaveFilterItemTexts();

// The "Unsupported File Format" message: caption, headline and detail lines.
QString UnsupportedFormatCaption();
QString UnsupportedFormatHeadline(const QString& fileName);
QStringList SupportedFormatLines();

// folder + name with exactly one "/" between them ("/" + name for an empty folder).
QString JoinPath(const QString& folder, const QString& name);
