// SPDX-License-Identifier: MIT
#pragma once

#include "platform/CommandRunner.h"
#include "platform/DesktopWallpaper.h"

#include <QSize>
#include <QString>
#include <QStringList>

class TGraphic;

// "Set as Desktop Wallpaper": the shown picture becomes a bitmap file in the program's data
// folder, no larger than the desktop, and the running desktop is told to show it centred.

// The bitmap's size: the picture shrunk to fit the desktop (the whole virtual screen) keeping
// its proportions, never enlarged. 3000 x 2000 on 1024 x 768 gives 1024 x 683.
QSize WallpaperSize(QSize picture, QSize desktop);

// The wallpaper file for an image: its name with the extension replaced by ".bmp", in `folder`.
QString WallpaperPath(const QString& folder, const QString& imageName);
// The wallpaper bitmaps written before: the ".bmp" files in the folder, which holds nothing
// else of that kind.
QStringList WallpaperBitmapsIn(const QString& folder);
// Where the next wallpaper goes: WallpaperPath, or, when a bitmap of that name is there already,
// "name (2).bmp", "name (3).bmp" ..., the first that is free. A desktop told the path it already
// shows does not look at the file again, so a new picture always gets a path of its own.
QString NextWallpaperPath(const QString& folder, const QString& imageName);

// Writes the graphic (scaled to WallpaperSize) as a bitmap at NextWallpaperPath, creating the
// folder. Returns the path; throws AppError.
QString WriteWallpaperBitmap(const TGraphic& graphic, const QString& imageName, QSize desktop,
                             const QString& folder);

// Where the command writes and whom it tells.
struct WallpaperSession {
    QString folder;         // the program's data folder
    QString currentDesktop; // $XDG_CURRENT_DESKTOP
    QSize desktopSize;      // the whole virtual screen
    CommandRunner run;

    static WallpaperSession Current();
};

// The whole command. The desktop is checked first, so an unsupported one leaves no file behind.
// Once the desktop shows the new bitmap, the ones written before are removed; after a failure
// they stay, as the desktop may still show one of them. Throws AppError with the reason when the
// file cannot be written or the desktop not told.
void SetDesktopWallpaper(const TGraphic& graphic, const QString& imageName,
                         const WallpaperSession& session = WallpaperSession::Current());
