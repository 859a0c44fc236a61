// SPDX-License-Identifier: MIT
#include "platform/DesktopWallpaper.h"

#include "imaging/AppError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString GnomeSchema = QStringLiteral("org.gnome.desktop.background");
const QString XfceChannel = QStringLiteral("xfce4-desktop");

// Runs the command and throws when it fails; returns its output.
QByteArray Run(const CommandRunner& run, const QString& program, const QStringList& arguments) {
    const CommandResult result = run(program, arguments);
    if (result.Succeeded())
        return result.output;
    QString why = result.errorText;
    if (why.isEmpty())
        why = QStringLiteral("exit code %1").arg(result.exitCode);
    throw AppError(QStringLiteral("The desktop wallpaper could not be set: %1 failed (%2).")
                       .arg(program, why));
}

QString FileUri(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

// A text in the GVariant notation gsettings reads: single quotes, backslash escapes.
QString GVariantString(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

void ApplyGnome(const QString& path, const CommandRunner& run) {
    const QString gsettings = QStringLiteral("gsettings");
    const QString uri = GVariantString(FileUri(path));
    // Older versions have no separate picture for the dark style.
    const QByteArray keys = Run(run, gsettings, {QStringLiteral("list-keys"), GnomeSchema});
    Run(run, gsettings, {QStringLiteral("set"), GnomeSchema, QStringLiteral("picture-uri"), uri});
    if (keys.split('\n').contains("picture-uri-dark"))
        Run(run, gsettings,
            {QStringLiteral("set"), GnomeSchema, QStringLiteral("picture-uri-dark"), uri});
    Run(run, gsettings,
        {QStringLiteral("set"), GnomeSchema, QStringLiteral("picture-options"),
         QStringLiteral("'centered'")});
}

// Fill mode 6 is "centred" for the shell's image wallpaper.
QString PlasmaScript(const QString& path) {
    const QString uri =
        QString::fromUtf8(QJsonDocument(QJsonArray{FileUri(path)}).toJson(QJsonDocument::Compact));
    return QStringLiteral("var uri = %1[0];\n"
                          "var all = desktops();\n"
                          "for (var i = 0; i < all.length; ++i) {\n"
                          "    var d = all[i];\n"
                          "    d.wallpaperPlugin = \"org.kde.image\";\n"
                          "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                          "\"General\"];\n"
                          "    d.writeConfig(\"Image\", uri);\n"
                          "    d.writeConfig(\"FillMode\", 6);\n"
                          "}\n")
        .arg(uri);
}

void ApplyPlasma(const QString& path, const CommandRunner& run) {
    Run(run, QStringLiteral("dbus-send"),
        {QStringLiteral("--session"), QStringLiteral("--print-reply"),
         QStringLiteral("--dest=org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
         QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
         QStringLiteral("string:") + PlasmaScript(path)});
}

// Style 1 is "centred" for the Xfce backdrop.
void ApplyXfce(const QString& path, const CommandRunner& run) {
    const QString query = QStringLiteral("xfconf-query");
    const QByteArray listing =
        Run(run, query, {QStringLiteral("-c"), XfceChannel, QStringLiteral("-l")});
    static const QRegularExpression imageProperty(
        QStringLiteral("^(/backdrop/screen\\d+/.+/)(last-image|image-path)$"));
    static const QRegularExpression styleProperty(
        QStringLiteral("^/backdrop/screen\\d+/.+/image-style$"));
    int images = 0;
    for (const QByteArray& line : listing.split('\n')) {
        const QString property = QString::fromUtf8(line.trimmed());
        const bool isImage = imageProperty.match(property).hasMatch();
        if (!isImage && !styleProperty.match(property).hasMatch())
            continue;
        images += isImage;
        const QString value = isImage ? path : QStringLiteral("1");
        Run(run, query,
            {QStringLiteral("-c"), XfceChannel, QStringLiteral("-p"), property,
             QStringLiteral("-s"), value});
    }
    if (images == 0)
        throw AppError(QStringLiteral("The desktop wallpaper could not be set: Xfce lists no "
                                      "backdrop image to change."));
}

} // namespace

DesktopKind DesktopKindFor(const QString& currentDesktop) {
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString lower = name.trimmed().toLower();
        if (lower == QLatin1String("gnome") || lower == QLatin1String("unity") ||
            lower == QLatin1String("gnome-classic") || lower == QLatin1String("gnome-flashback"))
            return DesktopKind::Gnome;
        if (lower == QLatin1String("kde"))
            return DesktopKind::KdePlasma;
        if (lower == QLatin1String("xfce"))
            return DesktopKind::Xfce;
    }
    return DesktopKind::Unknown;
}

void ApplyDesktopWallpaper(const QString& picturePath, DesktopKind desktop,
                           const QString& currentDesktop, const CommandRunner& run) {
    switch (desktop) {
    case DesktopKind::Gnome:
        return ApplyGnome(picturePath, run);
    case DesktopKind::KdePlasma:
        return ApplyPlasma(picturePath, run);
    case DesktopKind::Xfce:
        return ApplyXfce(picturePath, run);
    case DesktopKind::Unknown:
        break;
    }
    throw AppError(UnsupportedDesktopMessage(currentDesktop));
}

QString UnsupportedDesktopMessage(const QString& currentDesktop) {
    const QString name = currentDesktop.isEmpty() ? QStringLiteral("unknown") : currentDesktop;
    return QStringLiteral("The desktop wallpaper cannot be set on this desktop (%1): only GNOME, "
                          "KDE Plasma and Xfce are supported.")
        .arg(name);
}
