// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

// What the filmstrip needs from the folder view window that holds it (and, through that window,
// from the main window). The folder view window implements it; tests implement it with a fake.
// Every default is a harmless answer, so an implementation overrides only what it has.
class FilmstripOwner {
public:
    virtual ~FilmstripOwner() = default;

    // --- hints ---
    // The long part of the thumbnail picture's hint, for the main window's status bar; empty when
    // the pointer leaves the thumbnails.
    virtual void ShowLongHint(const QString& text) { (void)text; }

    // --- drag and drop of thumbnails ---
    // Drags the selected files (`names`, in selection order) of this view until they are dropped
    // or the drag is abandoned (QDrag::exec runs its own event loop); the filmstrip treats the
    // drag as over when this returns.
    virtual void StartThumbDrag(const QStringList& names) { (void)names; }
    // Whether something dragged over the thumbnails or the sprocket strips may be dropped on this
    // view (dragged thumbnails or rows of another folder view showing another folder).
    virtual bool CanAcceptDrop(const QMimeData& data) const {
        (void)data;
        return false;
    }
    // An accepted drop on the thumbnails or the sprocket strips: move the dragged files here.
    virtual void DropOnView(const QMimeData& data) { (void)data; }

    // --- the commands of the popup menu ThumbMenu ---
    virtual void RenameSelected() {} // "Rename... [Ctrl+ENTER]"
    virtual void DeleteSelected() {} // "Delete Image(s) [Del]"
    // "Email Image(s) [Ctrl+E]": the filmstrip calls it only when this view is the current folder.
    virtual void EmailSelection() {}
    virtual void CopySelected() {} // "Copy Image(s) [Ctrl+C]"
    virtual void CutSelected() {}  // "Cut Image(s) [Ctrl+X]"
    virtual void PasteHere() {}    // "Paste Image(s) [Ctrl+V]"
    // "Refresh [Shift+F5]": a full rescan under the hourglass, then re-arrange the advanced list.
    virtual void RefreshFolder() {}
    virtual void FloatView() {}   // "Advanced Folder View"
    virtual void CloseFolder() {} // "Close Folder" (without the close prompt)

    // Whether the main window's viewer follows this folder view.
    virtual bool IsCurrentFolder() const { return true; }
};
