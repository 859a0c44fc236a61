// SPDX-License-Identifier: MIT
#include "viewer/KeyMap.h"

namespace {

using C = KeyCommand;
using K = KeyCondition;
using M = KeyModifierRule;

constexpr KeyRow ViewerRows[] = {
    {Qt::Key_Left, false, M::Ctrl, K::Always, C::ScrollHorizontal, -1},
    {Qt::Key_Right, false, M::Ctrl, K::Always, C::ScrollHorizontal, +1},
    {Qt::Key_Up, false, M::Ctrl, K::Always, C::ScrollVertical, -1},
    {Qt::Key_Down, false, M::Ctrl, K::Always, C::ScrollVertical, +1},
    {Qt::Key_Home, false, M::Ctrl, K::Always, C::ScrollVertical, -100},
    {Qt::Key_End, false, M::Ctrl, K::Always, C::ScrollVertical, +100},
    {Qt::Key_PageUp, false, M::Ctrl, K::Always, C::ScrollVertical, -10},
    {Qt::Key_PageDown, false, M::Ctrl, K::Always, C::ScrollVertical, +10},
    {Qt::Key_Space, false, M::Ctrl, K::Always, C::PreviousImage, 0},
    {Qt::Key_Left, false, M::NotCtrl, K::Always, C::PreviousImage, 0},
    {Qt::Key_Space, false, M::NotCtrl, K::Always, C::NextImage, 0},
    {Qt::Key_Right, false, M::NotCtrl, K::Always, C::NextImage, 0},
    {Qt::Key_Up, false, M::NotCtrl, K::MoreThanOneTab, C::PreviousTab, 0},
    {Qt::Key_Down, false, M::NotCtrl, K::MoreThanOneTab, C::NextTab, 0},
};

constexpr KeyRow CommandRows[] = {
    {Qt::Key_Return, false, M::Ctrl, K::Always, C::RenameImage, 0},
    {Qt::Key_O, false, M::Ctrl, K::Always, C::ShowOpenFolderDialog, 0},
    {Qt::Key_P, false, M::Ctrl, K::Always, C::PrintImage, 0},
    {Qt::Key_F1, false, M::Any, K::Always, C::ShowAbout, 0},
    {Qt::Key_E, false, M::Ctrl, K::Always, C::EmailSelection, 0},
    {Qt::Key_T, false, M::Ctrl, K::Always, C::ShowToolbox, 0},
    {Qt::Key_R, false, M::Ctrl, K::Always, C::TransformImage, 1},
    {Qt::Key_L, false, M::Ctrl, K::Always, C::TransformImage, 3},
    {Qt::Key_Space, false, M::Ctrl, K::Always, C::PreviousImage, 0},
    {Qt::Key_Space, false, M::NotCtrl, K::Always, C::NextImage, 0},
    {Qt::Key_Insert, false, M::Any, K::Always, C::ZoomBy, -10},
    {Qt::Key_Minus, true, M::Any, K::Always, C::ZoomBy, -10},
    {Qt::Key_Execute, false, M::Any, K::Always, C::ZoomBy, +10},
    {Qt::Key_Plus, true, M::Any, K::Always, C::ZoomBy, +10},
    {Qt::Key_F11, false, M::Any, K::Always, C::ToggleFullScreen, 0},
    {Qt::Key_F5, false, M::NotShift, K::Always, C::ReloadImage, 0},
    {Qt::Key_X, false, M::Ctrl, K::FolderCommands, C::CutSelected, 0},
    {Qt::Key_C, false, M::Ctrl, K::FolderCommands, C::CopySelected, 0},
    {Qt::Key_V, false, M::Ctrl, K::FolderCommands, C::PasteHere, 0},
    {Qt::Key_A, false, M::Ctrl, K::FolderCommands, C::SelectAll, 0},
    {Qt::Key_Delete, false, M::Any, K::FolderCommands, C::DeleteSelected, 0},
    {Qt::Key_F5, false, M::Shift, K::FolderCommands, C::RescanFolder, 0},
    {Qt::Key_Pause, false, M::Any, K::Always, C::CloseMainWindow, 0},
    {Qt::Key_F12, false, M::Any, K::Always, C::ToggleAutoFit, 0},
    {Qt::Key_S, false, M::Ctrl, K::Always, C::SaveImage, 0},
    {Qt::Key_S, false, M::NotCtrl, K::SlideShowActive, C::StopSlideShow, 0},
    {Qt::Key_S, false, M::NotCtrl, K::Always, C::StartSlideShow, 0},
    {Qt::Key_Q, false, M::Any, K::Always, C::StopSlideShow, 0},
    // Esc backs out one level at a time: the slide show, then full screen, then the program.
    {Qt::Key_Escape, false, M::Any, K::SlideShowActive, C::StopSlideShow, 0},
    {Qt::Key_Escape, false, M::Any, K::FullScreen, C::ToggleFullScreen, 0},
    {Qt::Key_Escape, false, M::Any, K::Always, C::CloseMainWindow, 0},
    {Qt::Key_P, false, M::NotCtrl, K::Always, C::PauseSlideShow, 0},
    {Qt::Key_F8, false, M::Any, K::Always, C::ShowOptions, 0},
};

constexpr Qt::KeyboardModifiers ComparedModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool ModifiersMatch(KeyModifierRule rule, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers state = modifiers & ComparedModifiers;
    switch (rule) {
    case M::Ctrl:
        return state == Qt::ControlModifier;
    case M::Shift:
        return state == Qt::ShiftModifier;
    case M::Any:
        return true;
    case M::NotCtrl:
        return state != Qt::ControlModifier;
    case M::NotShift:
        return state != Qt::ShiftModifier;
    }
    return false;
}

bool ConditionHolds(KeyCondition condition, const KeyContext& context) {
    switch (condition) {
    case K::Always:
        return true;
    case K::MoreThanOneTab:
        return context.tabCount > 1;
    case K::FolderCommands:
        return !context.slideShowTimerRunning && context.hasCurrentFolder &&
               !context.folderViewHasFocus;
    case K::SlideShowActive:
        return context.slideShowActive;
    case K::FullScreen:
        return context.fullScreen;
    }
    return false;
}

const KeyRow* FirstActingRow(std::span<const KeyRow> rows, int key, bool keypad,
                             Qt::KeyboardModifiers modifiers, const KeyContext& context) {
    for (const KeyRow& row : rows) {
        if (row.key == key && (keypad || !row.keypadOnly) &&
            ModifiersMatch(row.modifiers, modifiers) && ConditionHolds(row.condition, context))
            return &row;
    }
    return nullptr;
}

// Key names as the guide shows them, where they differ from the plain key name.
QString KeyName(const KeyRow& row) {
    if (row.keypadOnly)
        return row.key == Qt::Key_Plus ? QStringLiteral("Num +") : QStringLiteral("Num -");
    switch (row.key) {
    case Qt::Key_Return:
        return QStringLiteral("Enter");
    case Qt::Key_PageUp:
        return QStringLiteral("Page Up");
    case Qt::Key_PageDown:
        return QStringLiteral("Page Down");
    case Qt::Key_Escape:
        return QStringLiteral("Esc");
    case Qt::Key_Left:
        return QStringLiteral("Left");
    case Qt::Key_Right:
        return QStringLiteral("Right");
    case Qt::Key_Up:
        return QStringLiteral("Up");
    case Qt::Key_Down:
        return QStringLiteral("Down");
    case Qt::Key_Home:
        return QStringLiteral("Home");
    case Qt::Key_End:
        return QStringLiteral("End");
    case Qt::Key_Space:
        return QStringLiteral("Space");
    case Qt::Key_Insert:
        return QStringLiteral("Insert");
    case Qt::Key_Delete:
        return QStringLiteral("Delete");
    case Qt::Key_Execute:
        return QStringLiteral("Execute");
    case Qt::Key_Pause:
        return QStringLiteral("Pause");
    default:
        break;
    }
    if (row.key >= Qt::Key_F1 && row.key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(row.key - Qt::Key_F1 + 1);
    if (row.key >= Qt::Key_A && row.key <= Qt::Key_Z)
        return QString(QChar(char16_t(row.key)));
    return QString();
}

} // namespace

std::span<const KeyRow> ViewerKeyTable() {
    return ViewerRows;
}

std::span<const KeyRow> CommandKeyTable() {
    return CommandRows;
}

KeyAction LookupKey(int key, Qt::KeyboardModifiers modifiers, const KeyContext& context) {
    // The keypad's Enter is the same key to the table as the main Enter.
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    // Only Space is in both tables, with the same actions, so the first row that acts in either
    // table is the only one: the image steps once per press.
    const KeyRow* row = nullptr;
    if (!context.hasCurrentFolder || !context.listViewHasFocus)
        row = FirstActingRow(ViewerRows, key, keypad, modifiers, context);
    if (!row)
        row = FirstActingRow(CommandRows, key, keypad, modifiers, context);
    return row ? KeyAction{row->command, row->argument} : KeyAction{};
}

QString KeyGuideText(const KeyRow& row) {
    const QString name = KeyName(row);
    switch (row.modifiers) {
    case M::Ctrl:
        return QStringLiteral("Ctrl+") + name;
    case M::Shift:
        return QStringLiteral("Shift+") + name;
    default:
        return name;
    }
}
