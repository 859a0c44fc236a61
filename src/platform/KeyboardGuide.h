// SPDX-License-Identifier: MIT
#pragma once

#include "viewer/KeyMap.h"

#include <QByteArray>
#include <QString>

// The keyboard shortcut guide, an HTML page written from the key table itself (at build time,
// beside the program), so the guide always says what the keys do.

// "keyboard_guide.html"
QString KeyboardGuideFileName();

// What a row does, as the guide says it: "Next image", "Rotate 90° clockwise", "Zoom in".
QString KeyCommandCaption(KeyCommand command, int argument);
// When a row acts, as the guide says it ("" for always; "otherwise" after a row of the same key
// that needs a condition).
QString KeyRowConditionCaption(std::span<const KeyRow> table, int index);

// The whole page, UTF-8.
QByteArray KeyboardGuideHtml();
