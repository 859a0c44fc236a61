// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <Qt>
#include <span>

// Every command the main window's key handler can run.
enum class KeyCommand {
    None,
    ScrollHorizontal, // argument: -1 or +1
    ScrollVertical,   // argument: -1, +1, -10, +10, -100 (top) or +100 (bottom)
    PreviousImage,
    NextImage,
    PreviousTab, // activate the previous folder tab, wrapping to the last
    NextTab,     // activate the next folder tab, wrapping to the first
    RenameImage,
    ShowOpenFolderDialog,
    PrintImage,
    ShowAbout,
    EmailSelection,
    ShowToolbox,
    TransformImage, // argument: the transform code (1 clockwise, 3 counter-clockwise)
    ZoomBy,         // argument: -10 or +10; the handler calls LeaveAutoFit first and zooms
                    // only when that returns false
    ToggleFullScreen,
    ReloadImage,
    CutSelected,
    CopySelected,
    PasteHere,
    SelectAll,
    DeleteSelected,
    RescanFolder, // the folder view's Refresh: a full rescan with the hourglass pointer
    CloseMainWindow,
    ToggleAutoFit,
    SaveImage,
    StartSlideShow,
    StopSlideShow,
    PauseSlideShow,
    ShowOptions,
};

// How a row looks at the modifier state (Shift, Ctrl, Alt, Meta compared as a whole).
enum class KeyModifierRule {
    Ctrl,     // Ctrl alone
    Shift,    // Shift alone
    Any,      // not looked at
    NotCtrl,  // anything but Ctrl alone
    NotShift, // anything but Shift alone
};

// What must hold, besides key and modifiers, for a row to act. When it fails the search goes on
// with the following rows.
enum class KeyCondition {
    Always,
    MoreThanOneTab,
    FolderCommands, // no slide-show timer running, a current folder, and that folder view
                    // does not itself hold the focus
    SlideShowActive,
    FullScreen,
};

struct KeyRow {
    Qt::Key key;
    bool keypadOnly; // only the numeric keypad's key (delivered with Qt::KeypadModifier)
    KeyModifierRule modifiers;
    KeyCondition condition;
    KeyCommand command;
    int argument;
};

// The window state the key table depends on.
struct KeyContext {
    bool hasCurrentFolder = false;
    bool listViewHasFocus = false;   // the current folder's list view holds the keyboard focus
    bool folderViewHasFocus = false; // the current folder view itself holds the keyboard focus
    int tabCount = 0;                // tabs in the folder tab area
    bool slideShowTimerRunning = false;
    bool slideShowActive = false; // a slide show is on, running or paused
    bool fullScreen = false;
};

struct KeyAction {
    KeyCommand command = KeyCommand::None;
    int argument = 0;
    bool operator==(const KeyAction&) const = default;
};

// Scrolling, stepping and tab keys; consulted only while the list view does not hold the focus.
std::span<const KeyRow> ViewerKeyTable();
// Everything else; consulted after the viewer table.
std::span<const KeyRow> CommandKeyTable();

// What the main window's key handler does for a key press: the first row that acts, looking
// through the viewer table (when it applies) and then the command table. Keys no row lists give
// KeyCommand::None. The key is never consumed; the caller passes it on after acting.
KeyAction LookupKey(int key, Qt::KeyboardModifiers modifiers, const KeyContext& context);

// The key of a row as a keyboard guide names it: "Ctrl+Left", "Shift+F5", "Num +", "Esc".
QString KeyGuideText(const KeyRow& row);
