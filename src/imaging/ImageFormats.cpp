// SPDX-License-Identifier: MIT
#include "imaging/ImageFormats.h"

#include "imaging/AppError.h"

#include <array>

namespace {

struct FormatRow {
    const char* extension;
    const char* typeName;
    bool writable;
    GraphicKind kind;
};

// One row per readable extension; the two JPEG extensions share a type name.
constexpr std::array<FormatRow, 9> Formats{{
    {".jpeg", "JPEG Image", true, GraphicKind::Jpeg},
    {".jpg", "JPEG Image", true, GraphicKind::Jpeg},
    {".bmp", "Bitmap", true, GraphicKind::Bitmap},
    {".ico", "Windows Icon", false, GraphicKind::Icon},
    {".png", "PNG Image", true, GraphicKind::Png},
    {".wmf", "Windows Metafile Image", true, GraphicKind::Metafile},
    {".emf", "Enhanced Metafile Image", true, GraphicKind::Metafile},
    {".gif", "GIF Image", true, GraphicKind::Gif},
    {".pcx", "PCX Image", true, GraphicKind::Pcx},
}};

// Registration walks the extensions in table order with these descriptions.
constexpr std::array<RegisteredExtension, 9> Registered{{
    {".jpeg", "JPEG Image"},
    {".jpg", "JPEG Image"},
    {".bmp", "Bitmap"},
    {".ico", "Windows Icon"},
    {".png", "PNG Image"},
    {".wmf", "Windows Metafile Image"},
    {".emf", "Enhanced Metafile Image"},
    {".gif", "GIF Image"},
    {".pcx", "PCX Image"},
}};

constexpr std::array<const char*, SaveFilterCount> FilterMasks{
    "*.jpeg;*.jpg", "*.bmp", "*.png", "*.wmf", "*.emf", "*.gif", "*.pcx"};
constexpr std::array<const char*, SaveFilterCount> DefaultExts{".jpg", ".bmp", ".png", ".wmf",
                                                               ".emf", ".gif", ".pcx"};

const FormatRow* FindRow(const QString& path) {
    const QString ext = ExtractExtension(path);
    if (ext.isEmpty())
        return nullptr;
    for (const FormatRow& row : Formats)
        if (ext == QLatin1String(row.extension))
            return &row;
    return nullptr;
}

QString CheckedEntry(const std::array<const char*, SaveFilterCount>& table, int index) {
    if (index < 0 || index >= SaveFilterCount)
        return QString();
    return QString::fromLatin1(table[static_cast<size_t>(index)]);
}

} // namespace

QString ExtractExtension(const QString& path) {
    const qsizetype componentStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < componentStart)
        return QString();
    QString ext = path.mid(dot);
    for (QChar& c : ext)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return ext;
}

bool IsSupportedImage(const QString& path) {
    return FindRow(path) != nullptr;
}

bool IsSaveableImage(const QString& path) {
    const FormatRow* row = FindRow(path);
    return row && row->writable;
}

QString ImageTypeName(const QString& path) {
    const FormatRow* row = FindRow(path);
    return QString::fromLatin1(row ? row->typeName : "Unknown");
}

std::optional<GraphicKind> ReadKindForPath(const QString& path) {
    const FormatRow* row = FindRow(path);
    if (!row)
        return std::nullopt;
    return row->kind;
}

GraphicKind SaveKindForPath(const QString& path) {
    const FormatRow* row = FindRow(path);
    if (!row)
        return GraphicKind::Bitmap;
    if (row->kind == GraphicKind::Icon)
        throw AppError(QStringLiteral("Saving as an Icon is not supported"));
    return row->kind;
}

bool IsEnhancedMetafilePath(const QString& path) {
    return ExtractExtension(path) == QLatin1String(".emf");
}

const RegisteredExtension* RegisteredExtensions(int* count) {
    *count = static_cast<int>(Registered.size());
    return Registered.data();
}

QString SaveFilterMasks(int index) {
    return CheckedEntry(FilterMasks, index);
}

QString SaveDefaultExts(int index) {
    return CheckedEntry(DefaultExts, index);
}

QString SaveFilterItemText(int index) {
    if (index < 0 || index >= SaveFilterCount)
        return QString();
    if (index == 0)
        return ImageTypeName(QStringLiteral(".jpg")) + QStringLiteral(" (*.jpeg,*.jpg)");
    const QString ext = SaveDefaultExts(index);
    return ImageTypeName(ext) + QStringLiteral(" (*") + ext + QStringLiteral(")");
}

QStringList SaveFilterItemTexts() {
    QStringList items;
    for (int i = 0; i < SaveFilterCount; ++i)
        items << SaveFilterItemText(i);
    return items;
}

QString UnsupportedFormatCaption() {
    return QStringLiteral("Unsupported File Format");
}

QString UnsupportedFormatHeadline(const QString& fileName) {
    return fileName + QStringLiteral(" is not in a supported image format.");
}

QStringList SupportedFormatLines() {
    return {QStringLiteral("The following image formats are supported:"),
            QStringLiteral(" - JPEG (.jpeg, .jpg)"),
            QStringLiteral(" - Bitmap (.bmp)"),
            QStringLiteral(" - Icon (.ico) (Read-only)"),
            QStringLiteral(" - PNG (.png)"),
            QStringLiteral(" - Windows Metafile (.wmf)"),
            QStringLiteral(" - Enhanced Metafile (.emf)"),
            QStringLiteral(" - GIF (.gif)"),
            QStringLiteral(" - PCX (.pcx)")};
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}
