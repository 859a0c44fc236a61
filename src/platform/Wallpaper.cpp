// SPDX-License-Identifier: MIT
#include "platform/Wallpaper.h"

#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/PictureUtilUnit.h"
#include "settings/RegistryUnit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>

QSize WallpaperSize(QSize picture, QSize desktop) {
    if (picture.width() <= 0 || picture.height() <= 0)
        return picture;
    const double scaleH =
        desktop.height() < picture.height() ? double(desktop.height()) / picture.height() : 1.0;
    const double scaleW =
        desktop.width() < picture.width() ? double(desktop.width()) / picture.width() : 1.0;
    const double scale = scaleW < scaleH ? scaleW : scaleH;
    if (scale >= 1.0)
        return picture;
    return {RoundHalfEven(picture.width() * scale), RoundHalfEven(picture.height() * scale)};
}

QString WallpaperPath(const QString& folder, const QString& imageName) {
    const QString name = QFileInfo(imageName).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return JoinPath(folder, (dot < 0 ? name : name.left(dot)) + QStringLiteral(".bmp"));
}

QStringList WallpaperBitmapsIn(const QString& folder) {
    QStringList paths;
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QStringLiteral("*.bmp")}, QDir::Files | QDir::Hidden | QDir::CaseSensitive, QDir::Name);
    for (const QFileInfo& file : files)
        paths << file.filePath();
    return paths;
}

QString NextWallpaperPath(const QString& folder, const QString& imageName) {
    QSet<QString> taken;
    for (const QString& path : WallpaperBitmapsIn(folder))
        taken.insert(QFileInfo(path).fileName());
    const QString name = QFileInfo(WallpaperPath(folder, imageName)).fileName();
    const QString stem = name.chopped(4); // without ".bmp"
    QString candidate = name;
    for (int n = 2; taken.contains(candidate); ++n)
        candidate = stem + QStringLiteral(" (") + QString::number(n) + QStringLiteral(").bmp");
    return JoinPath(folder, candidate);
}

QString WriteWallpaperBitmap(const TGraphic& graphic, const QString& imageName, QSize desktop,
                             const QString& folder) {
    const QString path = NextWallpaperPath(folder, imageName);
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Cannot create %1").arg(folder));
    const QSize picture(graphic.Width(), graphic.Height());
    const QSize size = WallpaperSize(picture, desktop);
    if (size == picture) {
        SavePictureAs(graphic, path);
    } else {
        TBitmap bitmap;
        StretchIntoBitmap(graphic, size.width(), size.height(), bitmap);
        SavePictureAs(bitmap, path);
    }
    return path;
}

WallpaperSession WallpaperSession::Current() {
    WallpaperSession session;
    session.folder = ProgramDataFolder();
    session.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        session.desktopSize = screen->virtualSize();
    session.run = SystemCommandRunner();
    return session;
}

void SetDesktopWallpaper(const TGraphic& graphic, const QString& imageName,
                         const WallpaperSession& session) {
    const DesktopKind desktop = DesktopKindFor(session.currentDesktop);
    if (desktop == DesktopKind::Unknown)
        throw AppError(UnsupportedDesktopMessage(session.currentDesktop));
    const QStringList older = WallpaperBitmapsIn(session.folder);
    const QString path =
        WriteWallpaperBitmap(graphic, imageName, session.desktopSize, session.folder);
    ApplyDesktopWallpaper(path, desktop, session.currentDesktop, session.run);
    // The desktop shows the new bitmap; the ones before it would only fill the folder.
    for (const QString& old : older)
        QFile::remove(old);
}
