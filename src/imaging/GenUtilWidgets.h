// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>
#include <QList>

class QWidget;

// Widens every push button under `root` (itself included) by ScaleForDpiSoft; height and
// position stay. Does nothing at 96 pixels per inch.
void WidenButtonsForDpi(QWidget* root);
void WidenButtonsForDpi(QWidget* root, int resolution);

// True when `widget` is not null and is one of `list`.
bool IsInControlList(const QWidget* widget, const QList<const QWidget*>& list);

// Sets the cursor of `root` and of every widget under it.
void SetCursorDeep(QWidget* root, const QCursor& cursor);

// Sets the enabled state of `root` and of every widget under it, except the listed ones; the
// children of an excepted widget are still visited.
void SetEnabledDeep(QWidget* root, bool enabled, const QList<const QWidget*>& exceptions);
