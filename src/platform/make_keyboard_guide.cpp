// SPDX-License-Identifier: MIT
// Writes the keyboard shortcut guide from the key table: make_keyboard_guide <output.html>
#include "imaging/AppError.h"
#include "imaging/Graphic.h"
#include "platform/KeyboardGuide.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_keyboard_guide <output.html>\n");
        return 2;
    }
    try {
        WriteFileAtomically(QFile::decodeName(argv[1]), KeyboardGuideHtml());
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
