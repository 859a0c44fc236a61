// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QString>
#include <functional>

class QObject;

// Asks the desktop's file manager (org.freedesktop.FileManager1 on the session bus) to show its
// properties window for the file; a file manager that is not running yet is started by the bus.
// The call does not block: `answered` runs later, in `context`'s thread, with true when a file
// manager took the request and false when none answered (no session bus, no file manager, an
// error or no answer in time). Nothing runs when `context` is gone by then.
void RequestItemProperties(const QString& path, QObject* context,
                           std::function<void(bool accepted)> answered,
                           const QDBusConnection& bus = QDBusConnection::sessionBus());
