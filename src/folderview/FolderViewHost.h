// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FolderStatus.h"

#include <QPoint>
#include <QRect>
#include <QString>

// What the folder model and its thumbnail loader need from the windows around them: the
// filmstrip and advanced list of the folder view, and the main window's viewer. The windows
// implement it; tests implement it with a fake. Every default is a harmless answer, so an
// implementation overrides only what it has.
class FolderViewHost {
public:
    enum class ListStyle { Icon, SmallIcon, List, Details };

    virtual ~FolderViewHost() = default;

    // --- the filmstrip of this folder view ---
    // Position of the filmstrip's scroll bar, in scroll units of 20 pixels.
    virtual int ThumbScrollPosition() const { return 0; }
    // Width of the filmstrip picture in pixels.
    virtual int ThumbImageWidth() const { return 800; }
    virtual void RedrawStrip() {}
    virtual void DrawFrames() {}
    virtual void UpdateScrollRange() {}
    virtual void ScrollIntoView(const QString& name) { (void)name; }

    // --- docking and the advanced list ---
    // True while the view floats as the advanced folder view window.
    virtual bool IsFloating() const { return false; }
    virtual ListStyle AdvancedListStyle() const { return ListStyle::Details; }
    // Index in the list order of the list's top row (list and details styles); -1 when none.
    virtual int ListTopRow() const { return -1; }
    // For the icon styles: the view origin, the bounding rectangle of all items and the
    // position of the row at `index` in the list order.
    virtual QPoint ListViewOrigin() const { return {}; }
    virtual QRect ListItemsBounds() const { return {}; }
    virtual QPoint ListRowPosition(int index) const { return {index, 0}; }
    // Floating, after a selection change the list did not make itself: select exactly the rows
    // of the selected names and focus the row of the last selected one.
    virtual void SyncListSelection() {}
    // The window caption: the folder path while floating, the folder caption while docked.
    virtual void SetViewCaption(const QString& caption) { (void)caption; }

    // --- the main window ---
    virtual bool FilmstripVisible() const { return true; }
    // True while the main window's folder tab area is hidden.
    virtual bool FolderTabAreaHidden() const { return false; }
    // Whether the viewer follows this folder view, and making it do so.
    virtual bool IsCurrentFolder() const { return true; }
    virtual void MakeCurrentFolder() {}
    // The viewer's image name and full path, and changing both (a rename followed by the viewer).
    virtual QString CurrentImageName() const { return {}; }
    virtual QString CurrentImagePath() const { return {}; }
    virtual void SetCurrentImage(const QString& name, const QString& path) {
        (void)name;
        (void)path;
    }
    virtual void UpdateCaption() {}
    // Shows the named file of this folder in the viewer.
    virtual void ShowImage(const QString& name) { (void)name; }
    virtual void ClearViewer() {}
    // Offers to save a modified image; true when the caller must abandon its step.
    virtual bool PromptSaveModified() { return false; }
    // The main window's progress bar while a folder is listed.
    virtual void SetProgress(int value, int maximum) {
        (void)value;
        (void)maximum;
    }
    // The hourglass on the windows while a long step runs.
    virtual void SetBusy(bool busy) { (void)busy; }

    // --- file operations ---
    // Moves the file to the desktop trash; false when it could not be done (nothing changed).
    virtual bool DeleteFileToTrash(const QString& path) {
        (void)path;
        return false;
    }

    // --- status, errors and the watched folder ---
    // The status bar texts and the popup menu's item states after a change of the listing or
    // the selection.
    virtual void ShowStatus(const FolderStatus& status) { (void)status; }
    // An error of a step the user did not start (a change reported by the file system), shown
    // in a message box with the message and an OK button.
    virtual void ShowErrorMessage(const QString& message) { (void)message; }
    // The open folder itself has been deleted: the view asks the user and closes.
    virtual void FolderWasDeleted() {}
};
