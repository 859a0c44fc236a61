// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// State of one item of the folder view's popup menu.
struct MenuItemState {
    bool enabled = false;
    QString caption;
    bool operator==(const MenuItemState&) const = default;
};

// The folder view's status bar texts and the states of its selection-dependent popup items,
// recomputed after every change of the listing or the selection.
struct FolderStatus {
    QString filesText;     // panel 0: "12 Images File(s) (1,234.56 KB)"
    QString selectionText; // panel 1: "Type: JPEG Image (12.00 KB)" or "3 Images File(s) Selected"
    MenuItemState rename;
    MenuItemState remove; // the Delete item
    MenuItemState email;
    MenuItemState copy;
    MenuItemState cut;
    bool operator==(const FolderStatus&) const = default;
};

// What the status needs to know about the folder. `singleType` and `singleSizeText` describe
// the one selected file and are used only when exactly one is selected and it has a row.
struct FolderStatusInput {
    int fileCount = 0;
    qint64 totalBytes = 0;
    int selectedCount = 0;
    bool singleHasRow = false;
    QString singleType;
    QString singleSizeText;
};

FolderStatus MakeFolderStatus(const FolderStatusInput& input);
