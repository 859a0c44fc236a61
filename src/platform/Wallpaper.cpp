// SPDX-License-Identifier: MIT
#include "platform/Wallpaper.h"

#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/PictureUtilUnit.h"
#include "settings/RegistryUnit.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

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

QString WriteWallpaperBitmap(const TGraphic& graphic, const QString& imageName, QSize desktop,
                             const QString& folder) {
    const QString path = WallpaperPath(folder, imageName);
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
    const QString path =
        WriteWallpaperBitmap(graphic, imageName, session.desktopSize, session.folder);
    ApplyDesktopWallpaper(path, desktop, session.currentDesktop, session.run);
}
