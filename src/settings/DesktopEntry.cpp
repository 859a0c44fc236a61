// SPDX-License-Identifier: MIT
#include "settings/DesktopEntry.h"

#include "imaging/Graphic.h"
#include "imaging/ImageFormats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct ExtensionTypes {
    const char* extension;
    const char* mimeType;  // the shared MIME database's name
    const char* olderName; // an alias older databases and programs use; null when none
};

constexpr ExtensionTypes TypeRows[] = {
    {".jpeg", "image/jpeg", nullptr},
    {".jpg", "image/jpeg", nullptr},
    {".bmp", "image/bmp", "image/x-bmp"},
    {".ico", "image/vnd.microsoft.icon", "image/x-icon"},
    {".png", "image/png", nullptr},
    {".wmf", "image/wmf", "image/x-wmf"},
    {".emf", "image/emf", "image/x-emf"},
    {".gif", "image/gif", nullptr},
    {".pcx", "image/vnd.zbrush.pcx", "image/x-pcx"},
};

// Characters that make an Exec argument need quotes.
const QString ExecReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

// The general escapes of a desktop entry value.
QString EscapeValue(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString ExecLine(const QString& programPath) {
    return QuoteExecArgument(programPath) + QStringLiteral(" /nosplash %f");
}

} // namespace

QStringList MimeTypesForExtension(const QString& extension) {
    for (const ExtensionTypes& row : TypeRows) {
        if (extension.compare(QLatin1String(row.extension), Qt::CaseInsensitive) != 0)
            continue;
        QStringList types{QString::fromLatin1(row.mimeType)};
        if (row.olderName)
            types << QString::fromLatin1(row.olderName);
        return types;
    }
    return {};
}

QStringList ProgramMimeTypes() {
    QStringList types;
    for (const ExtensionTypes& row : TypeRows)
        for (const QString& type : MimeTypesForExtension(QLatin1String(row.extension)))
            if (!types.contains(type))
                types << type;
    return types;
}

QString DesktopEntryId() {
    return QStringLiteral("orvo-image-browser-2.desktop");
}

QString DesktopEntryPath() {
    return JoinPath(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation),
                    DesktopEntryId());
}

QString QuoteExecArgument(const QString& argument) {
    QString quoted;
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument) {
        if (ExecReserved.contains(c))
            needsQuotes = true;
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        // A literal percent sign would otherwise start a field code.
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    // Inside quotes the backslash escapes above are part of the argument; outside there are
    // none, since an argument with any of those characters is quoted.
    return needsQuotes ? QLatin1Char('"') + quoted + QLatin1Char('"') : quoted;
}

QByteArray DesktopEntryText(const QString& programPath) {
    QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Version=1.0"),
        QStringLiteral("Name=Orvo Image Browser 2"),
        QStringLiteral("GenericName=Image Browser"),
        QStringLiteral("Comment=Browse, view and convert images"),
        QStringLiteral("Exec=") + EscapeValue(ExecLine(programPath)),
        QStringLiteral("TryExec=") + EscapeValue(programPath),
        QStringLiteral("Icon=image-x-generic"),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Categories=Graphics;Viewer;RasterGraphics;2DGraphics;"),
        QStringLiteral("MimeType=") + ProgramMimeTypes().join(QLatin1Char(';')) + QLatin1Char(';'),
    };
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

bool DesktopEntryStartsProgram(const QString& path, const QString& programPath) {
    QFile file(path);
    if (programPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray execLine = "Exec=" + EscapeValue(ExecLine(programPath)).toUtf8();
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.trimmed() == execLine)
            return true;
    return false;
}

void InstallDesktopEntry(const QString& programPath) {
    if (programPath.isEmpty())
        return;
    const QString path = DesktopEntryPath();
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray text = DesktopEntryText(programPath);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == text)
        return;
    WriteFileAtomically(path, text);
}

void FixDesktopEntry(const QString& longPath, const QString& startPath) {
    if (longPath == startPath || longPath.isEmpty() || startPath.isEmpty())
        return;
    if (DesktopEntryStartsProgram(DesktopEntryPath(), startPath))
        WriteFileAtomically(DesktopEntryPath(), DesktopEntryText(longPath));
}

void RemoveDesktopEntry(const QString& programPath) {
    if (DesktopEntryStartsProgram(DesktopEntryPath(), programPath))
        QFile::remove(DesktopEntryPath());
}
