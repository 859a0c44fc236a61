// SPDX-License-Identifier: MIT
#pragma once

#include "platform/CommandRunner.h"

#include <QString>

// Telling the running desktop to show a picture file as its wallpaper, centred, not tiled and
// not stretched, through the desktop's own interface:
// - GNOME (and desktops built on its settings): gsettings, keys picture-uri, picture-uri-dark
//   (where the desktop has it) and picture-options of org.gnome.desktop.background;
// - KDE Plasma: the shell's evaluateScript over D-Bus (sent with dbus-send), for every desktop;
// - Xfce: xfconf-query, for every backdrop image property of every monitor and workspace.

enum class DesktopKind { Unknown, Gnome, KdePlasma, Xfce };

// The kind named by $XDG_CURRENT_DESKTOP (a ":"-separated list, first known name wins).
DesktopKind DesktopKindFor(const QString& currentDesktop);

// Shows the picture at `picturePath` (an absolute path). Throws AppError with a message that
// names the desktop or the command that failed: an unknown desktop, a command that cannot be
// run or ends with an error, or a desktop that offers nothing to set. `currentDesktop` only
// names the desktop in the message.
void ApplyDesktopWallpaper(const QString& picturePath, DesktopKind desktop,
                           const QString& currentDesktop, const CommandRunner& run);
// The message for a desktop the program cannot tell.
QString UnsupportedDesktopMessage(const QString& currentDesktop);
