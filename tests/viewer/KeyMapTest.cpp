// SPDX-License-Identifier: MIT
// The main window's key table: which command each key press runs in which state.
#include "viewer/KeyMap.h"

#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const KeyAction& action, std::ostream* out) {
    *out << "{command " << static_cast<int>(action.command) << ", argument " << action.argument
         << "}";
}

namespace {

constexpr Qt::KeyboardModifiers NoMod = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;

// One folder open in one tab, the focus on the hidden key grabber, no slide show.
KeyContext Idle() {
    KeyContext context;
    context.hasCurrentFolder = true;
    context.tabCount = 1;
    return context;
}

KeyContext NoFolder() {
    return KeyContext{};
}

KeyContext TwoTabs() {
    KeyContext context = Idle();
    context.tabCount = 2;
    return context;
}

KeyContext ListViewFocused() {
    KeyContext context = Idle();
    context.listViewHasFocus = true;
    return context;
}

KeyContext FolderViewFocused() {
    KeyContext context = Idle();
    context.folderViewHasFocus = true;
    return context;
}

KeyContext SlideShowRunning(bool fullScreen = false) {
    KeyContext context = Idle();
    context.slideShowActive = true;
    context.slideShowTimerRunning = true;
    context.fullScreen = fullScreen;
    return context;
}

KeyContext SlideShowPaused() {
    KeyContext context = Idle();
    context.slideShowActive = true;
    return context;
}

KeyContext FullScreenOnly() {
    KeyContext context = Idle();
    context.fullScreen = true;
    return context;
}

struct KeyCase {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    KeyContext context;
    KeyAction expected;
};

using C = KeyCommand;

const KeyCase Cases[] = {
    // Scrolling wants Ctrl alone; without it the arrows step through the images.
    {"Ctrl+Left", Qt::Key_Left, Ctrl, Idle(), {C::ScrollHorizontal, -1}},
    {"Ctrl+Right", Qt::Key_Right, Ctrl, Idle(), {C::ScrollHorizontal, +1}},
    {"Ctrl+Up", Qt::Key_Up, Ctrl, TwoTabs(), {C::ScrollVertical, -1}},
    {"Ctrl+Down", Qt::Key_Down, Ctrl, Idle(), {C::ScrollVertical, +1}},
    {"Ctrl+Home", Qt::Key_Home, Ctrl, Idle(), {C::ScrollVertical, -100}},
    {"Ctrl+End", Qt::Key_End, Ctrl, Idle(), {C::ScrollVertical, +100}},
    {"Ctrl+PageUp", Qt::Key_PageUp, Ctrl, Idle(), {C::ScrollVertical, -10}},
    {"Ctrl+PageDown", Qt::Key_PageDown, Ctrl, Idle(), {C::ScrollVertical, +10}},
    {"Home", Qt::Key_Home, NoMod, Idle(), {}},
    {"End", Qt::Key_End, NoMod, Idle(), {}},
    {"Shift+Home", Qt::Key_Home, Shift, Idle(), {}},
    {"Left", Qt::Key_Left, NoMod, Idle(), {C::PreviousImage}},
    {"Right", Qt::Key_Right, NoMod, Idle(), {C::NextImage}},
    {"Shift+Left is not Ctrl", Qt::Key_Left, Shift, Idle(), {C::PreviousImage}},
    {"Ctrl+Shift+Left is not Ctrl alone", Qt::Key_Left, Ctrl | Shift, Idle(), {C::PreviousImage}},
    {"Ctrl+Alt+Right is not Ctrl alone", Qt::Key_Right, Ctrl | Alt, Idle(), {C::NextImage}},
    {"keypad Left", Qt::Key_Left, Keypad, Idle(), {C::PreviousImage}},
    {"Ctrl+keypad Left", Qt::Key_Left, Ctrl | Keypad, Idle(), {C::ScrollHorizontal, -1}},
    {"Space", Qt::Key_Space, NoMod, Idle(), {C::NextImage}},
    {"Shift+Space", Qt::Key_Space, Shift, Idle(), {C::NextImage}},
    {"Ctrl+Space", Qt::Key_Space, Ctrl, Idle(), {C::PreviousImage}},
    {"arrows without a folder", Qt::Key_Right, NoMod, NoFolder(), {C::NextImage}},
    // Up and Down switch tabs only when there is another tab.
    {"Up, two tabs", Qt::Key_Up, NoMod, TwoTabs(), {C::PreviousTab}},
    {"Down, two tabs", Qt::Key_Down, NoMod, TwoTabs(), {C::NextTab}},
    {"Up, one tab", Qt::Key_Up, NoMod, Idle(), {}},
    {"Down, no folder", Qt::Key_Down, NoMod, NoFolder(), {}},
    // The focused list view keeps its own arrows, but Space still steps (once).
    {"Right, list view focused", Qt::Key_Right, NoMod, ListViewFocused(), {}},
    {"Ctrl+Home, list view focused", Qt::Key_Home, Ctrl, ListViewFocused(), {}},
    {"Space, list view focused", Qt::Key_Space, NoMod, ListViewFocused(), {C::NextImage}},
    {"Ctrl+Space, list view focused", Qt::Key_Space, Ctrl, ListViewFocused(), {C::PreviousImage}},
    // Commands.
    {"Ctrl+Enter", Qt::Key_Return, Ctrl, Idle(), {C::RenameImage}},
    {"Ctrl+keypad Enter", Qt::Key_Enter, Ctrl | Keypad, Idle(), {C::RenameImage}},
    {"Enter", Qt::Key_Return, NoMod, Idle(), {}},
    {"Ctrl+O", Qt::Key_O, Ctrl, NoFolder(), {C::ShowOpenFolderDialog}},
    {"O", Qt::Key_O, NoMod, Idle(), {}},
    {"Ctrl+P", Qt::Key_P, Ctrl, Idle(), {C::PrintImage}},
    {"P", Qt::Key_P, NoMod, SlideShowRunning(), {C::PauseSlideShow}},
    {"Ctrl+Shift+P", Qt::Key_P, Ctrl | Shift, Idle(), {C::PauseSlideShow}},
    {"F1 with any modifiers", Qt::Key_F1, Ctrl | Alt, Idle(), {C::ShowAbout}},
    {"Ctrl+E", Qt::Key_E, Ctrl, Idle(), {C::EmailSelection}},
    {"Ctrl+T", Qt::Key_T, Ctrl, Idle(), {C::ShowToolbox}},
    {"Ctrl+R", Qt::Key_R, Ctrl, Idle(), {C::TransformImage, 1}},
    {"Ctrl+L", Qt::Key_L, Ctrl, Idle(), {C::TransformImage, 3}},
    {"R", Qt::Key_R, NoMod, Idle(), {}},
    {"Shift+Ctrl+R", Qt::Key_R, Ctrl | Shift, Idle(), {}},
    // Zoom: Insert / Execute and the keypad's minus and plus; not the main keyboard's.
    {"Insert", Qt::Key_Insert, NoMod, Idle(), {C::ZoomBy, -10}},
    {"keypad minus", Qt::Key_Minus, Keypad, Idle(), {C::ZoomBy, -10}},
    {"Ctrl+keypad minus", Qt::Key_Minus, Ctrl | Keypad, Idle(), {C::ZoomBy, -10}},
    {"Execute", Qt::Key_Execute, NoMod, Idle(), {C::ZoomBy, +10}},
    {"keypad plus", Qt::Key_Plus, Keypad, Idle(), {C::ZoomBy, +10}},
    {"Shift+keypad plus", Qt::Key_Plus, Shift | Keypad, Idle(), {C::ZoomBy, +10}},
    {"main minus", Qt::Key_Minus, NoMod, Idle(), {}},
    {"main plus", Qt::Key_Plus, Shift, Idle(), {}},
    {"main equals", Qt::Key_Equal, NoMod, Idle(), {}},
    {"F11", Qt::Key_F11, Shift, SlideShowRunning(), {C::ToggleFullScreen}},
    {"F12", Qt::Key_F12, NoMod, Idle(), {C::ToggleAutoFit}},
    {"F8", Qt::Key_F8, NoMod, Idle(), {C::ShowOptions}},
    {"Pause", Qt::Key_Pause, NoMod, SlideShowRunning(), {C::CloseMainWindow}},
    // F5 reloads unless Shift alone is held; Shift+F5 rescans under condition S.
    {"F5", Qt::Key_F5, NoMod, Idle(), {C::ReloadImage}},
    {"Ctrl+F5", Qt::Key_F5, Ctrl, Idle(), {C::ReloadImage}},
    {"Ctrl+Shift+F5", Qt::Key_F5, Ctrl | Shift, Idle(), {C::ReloadImage}},
    {"Shift+F5", Qt::Key_F5, Shift, Idle(), {C::RescanFolder}},
    {"Shift+F5, slide show running", Qt::Key_F5, Shift, SlideShowRunning(), {}},
    {"Shift+F5, no folder", Qt::Key_F5, Shift, NoFolder(), {}},
    {"Shift+F5, folder view focused", Qt::Key_F5, Shift, FolderViewFocused(), {}},
    // File commands under condition S.
    {"Ctrl+X", Qt::Key_X, Ctrl, Idle(), {C::CutSelected}},
    {"Ctrl+C", Qt::Key_C, Ctrl, Idle(), {C::CopySelected}},
    {"Ctrl+V", Qt::Key_V, Ctrl, Idle(), {C::PasteHere}},
    {"Ctrl+A", Qt::Key_A, Ctrl, ListViewFocused(), {C::SelectAll}},
    {"Delete", Qt::Key_Delete, NoMod, Idle(), {C::DeleteSelected}},
    {"Shift+Delete", Qt::Key_Delete, Shift, Idle(), {C::DeleteSelected}},
    {"keypad Delete", Qt::Key_Delete, Keypad, Idle(), {C::DeleteSelected}},
    {"Delete, slide show paused", Qt::Key_Delete, NoMod, SlideShowPaused(), {C::DeleteSelected}},
    {"Delete, slide show running", Qt::Key_Delete, NoMod, SlideShowRunning(), {}},
    {"Ctrl+C, slide show running", Qt::Key_C, Ctrl, SlideShowRunning(), {}},
    {"Ctrl+V, no folder", Qt::Key_V, Ctrl, NoFolder(), {}},
    {"Ctrl+X, folder view focused", Qt::Key_X, Ctrl, FolderViewFocused(), {}},
    {"X", Qt::Key_X, NoMod, Idle(), {}},
    // Slide show keys.
    {"Ctrl+S", Qt::Key_S, Ctrl, SlideShowRunning(), {C::SaveImage}},
    {"S", Qt::Key_S, NoMod, Idle(), {C::StartSlideShow}},
    {"Shift+S", Qt::Key_S, Shift, Idle(), {C::StartSlideShow}},
    {"S, slide show running", Qt::Key_S, NoMod, SlideShowRunning(), {C::StopSlideShow}},
    {"S, slide show paused", Qt::Key_S, NoMod, SlideShowPaused(), {C::StopSlideShow}},
    {"Q", Qt::Key_Q, Ctrl, Idle(), {C::StopSlideShow}},
    // Esc backs out one level: slide show, full screen, program.
    {"Esc, full-screen slide show",
     Qt::Key_Escape,
     NoMod,
     SlideShowRunning(true),
     {C::StopSlideShow}},
    {"Esc, full screen", Qt::Key_Escape, NoMod, FullScreenOnly(), {C::ToggleFullScreen}},
    {"Esc", Qt::Key_Escape, Shift, Idle(), {C::CloseMainWindow}},
    // Keys nobody listed.
    {"B", Qt::Key_B, NoMod, Idle(), {}},
    {"Ctrl+Z", Qt::Key_Z, Ctrl, Idle(), {}},
    {"Tab", Qt::Key_Tab, NoMod, Idle(), {}},
};

class KeyMapTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyMapTest, RunsTheExpectedCommand) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(LookupKey(c.key, c.modifiers, c.context), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(KeyMap, KeyMapTest, testing::ValuesIn(Cases));

// Modifiers and a state under which a row's own rule and condition hold.
Qt::KeyboardModifiers ModifiersFor(const KeyRow& row) {
    Qt::KeyboardModifiers modifiers = row.keypadOnly ? Keypad : NoMod;
    if (row.modifiers == KeyModifierRule::Ctrl)
        modifiers |= Ctrl;
    else if (row.modifiers == KeyModifierRule::Shift)
        modifiers |= Shift;
    return modifiers;
}

KeyContext ContextFor(const KeyRow& row) {
    switch (row.condition) {
    case KeyCondition::MoreThanOneTab:
        return TwoTabs();
    case KeyCondition::SlideShowActive:
        return SlideShowPaused();
    case KeyCondition::FullScreen:
        return FullScreenOnly();
    default:
        return Idle();
    }
}

// No row is hidden behind an earlier one: each can be reached and runs its own command.
TEST(KeyMapTables, EveryRowCanAct) {
    for (const auto& table : {ViewerKeyTable(), CommandKeyTable()}) {
        for (const KeyRow& row : table) {
            const QString text = KeyGuideText(row);
            EXPECT_FALSE(text.isEmpty());
            EXPECT_EQ(LookupKey(row.key, ModifiersFor(row), ContextFor(row)),
                      (KeyAction{row.command, row.argument}))
                << text.toStdString();
        }
    }
}

TEST(KeyMapTables, GuideNamesKeysWithTheirModifiers) {
    struct GuideCase {
        Qt::Key key;
        bool keypadOnly;
        KeyModifierRule modifiers;
        const char* text;
    };
    const GuideCase guide[] = {
        {Qt::Key_Left, false, KeyModifierRule::Ctrl, "Ctrl+Left"},
        {Qt::Key_PageDown, false, KeyModifierRule::Ctrl, "Ctrl+Page Down"},
        {Qt::Key_Return, false, KeyModifierRule::Ctrl, "Ctrl+Enter"},
        {Qt::Key_Plus, true, KeyModifierRule::Any, "Num +"},
        {Qt::Key_Minus, true, KeyModifierRule::Any, "Num -"},
        {Qt::Key_F5, false, KeyModifierRule::Shift, "Shift+F5"},
        {Qt::Key_F5, false, KeyModifierRule::NotShift, "F5"},
        {Qt::Key_F12, false, KeyModifierRule::Any, "F12"},
        {Qt::Key_S, false, KeyModifierRule::NotCtrl, "S"},
        {Qt::Key_Escape, false, KeyModifierRule::Any, "Esc"},
    };
    for (const GuideCase& g : guide) {
        bool found = false;
        for (const auto& table : {ViewerKeyTable(), CommandKeyTable()}) {
            for (const KeyRow& row : table) {
                if (row.key == g.key && row.keypadOnly == g.keypadOnly &&
                    row.modifiers == g.modifiers) {
                    EXPECT_EQ(KeyGuideText(row), QString::fromLatin1(g.text));
                    found = true;
                }
            }
        }
        EXPECT_TRUE(found) << g.text;
    }
}

} // namespace
