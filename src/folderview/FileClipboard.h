// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FolderStatus.h"
#include "platform/FileOperations.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class TFolderModel;

// The rules of the folder view's file commands, apart from the windows: the program's own file
// clipboard, renaming, deleting the selection, pasting, the paste state and the dimmed rows of
// cut files, and how the listings follow a paste.

// --- the file clipboard ---

enum class FileClipboardMode { None, Copy, Cut };

// The file names copied or cut last, as full paths, shared by all folder views. It is the
// program's own; the system clipboard is not involved. Each copy or cut can be pasted once:
// after a paste the list stays but the mode is None.
class TFileClipboard {
public:
    const QStringList& Paths() const { return paths_; }
    FileClipboardMode Mode() const { return mode_; }
    // True while there is something to paste.
    bool CanPaste() const { return mode_ != FileClipboardMode::None && !paths_.isEmpty(); }
    // The folder the files came from: the directory part of the first path ("" when empty).
    QString SourceFolder() const;

    // The folder joined with each name, in the order given (CopyToFileClipboard,
    // CutToFileClipboard).
    void Copy(const QString& folder, const QStringList& names);
    void Cut(const QString& folder, const QStringList& names);
    // The model's selection, in selection order; false (and no change) when nothing is selected.
    bool CopySelection(const TFolderModel& model);
    bool CutSelection(const TFolderModel& model);
    // After a paste.
    void Deactivate() { mode_ = FileClipboardMode::None; }

private:
    void Put(FileClipboardMode mode, const QString& folder, const QStringList& names);

    QStringList paths_;
    FileClipboardMode mode_ = FileClipboardMode::None;
};

// Pastes into `targetFolder`: copies the clipboard's files in copy mode, moves them in cut mode,
// then deactivates the clipboard (also when the operation failed or was cancelled). Nothing,
// when there is nothing to paste. After it the caller runs FileClipboardChanged (refresh, the
// clipboard's source folder, the target folder).
std::optional<FileOpResult> PasteFiles(TFileClipboard& clipboard, const QString& targetFolder,
                                       const FileOpCallbacks& callbacks = {});

// Dragging files of one folder view onto another: accepted only between different folders
// (the same folder opened twice counts as the same). The drop cuts the source view's selection
// and pastes it into the target view, so the files are moved.
bool AcceptsFolderDrop(const QString& sourceFolder, const QString& targetFolder);

// --- each folder view's share ---

// One folder view's paste state (its Paste item and the dimmed rows of cut files) and its part
// in keeping the listings in step after a paste (the delay timer FileOpDelayTimer).
class TFolderFileOps : public QObject {
    Q_OBJECT
public:
    explicit TFolderFileOps(TFolderModel& model, QObject* parent = nullptr);

    // SetPasteState: whether Paste is possible, the clipboard's paths and whether they were cut.
    void SetPasteState(bool enabled, const QStringList& paths, bool cut);
    bool PasteEnabled() const { return enabled_; }
    // The Paste item: enabled as above, "Paste Image [Ctrl+V]" for one path, else
    // "Paste Images [Ctrl+V]".
    MenuItemState PasteItem() const;
    // True when the row of this folder's file `name` is shown dimmed: cut and waiting to be
    // pasted.
    bool IsDimmed(const QString& name) const;
    // The listed names shown dimmed, in list order.
    QStringList DimmedNames() const;

    // This view's part of FileClipboardChanged. With `refresh` (after a paste): the source
    // folder drops the files that were moved away once the delay timer fires; the target folder
    // (also when it is the source) lists the new files at once and checks changed ones. Then the
    // paste state follows the clipboard.
    void ClipboardChanged(const TFileClipboard& clipboard, bool refresh,
                          const QString& sourceFolder, const QString& targetFolder);
    QTimer& FileOpDelayTimer() { return delayTimer_; }

signals:
    // The Paste item or the dimmed rows changed: the window updates its menu and repaints.
    void pasteStateChanged();
    // A rescan after a paste failed (the files are safe; the listing may lag behind until the
    // next rescan); the window shows the message.
    void rescanFailed(const QString& message);

private:
    void DelayTimerFired();

    TFolderModel& model_;
    QTimer delayTimer_;
    bool enabled_ = false;
    bool cut_ = false;
    int pathCount_ = 0;
    QSet<QString> paths_;
};

// The main window's FileClipboardChanged: every open folder view, in the main window's order.
void FileClipboardChanged(const TFileClipboard& clipboard, bool refresh,
                          const QString& sourceFolder, const QString& targetFolder,
                          const QList<TFolderFileOps*>& views);

// --- renaming ---
// The name rules and messages are those of dialogs/RenameRules.h.

// What the rename dialog starts with for `oldName`: the name without its extension, and the
// type name of the file.
struct RenameDialogFields {
    QString baseName;
    QString fileType;
};
RenameDialogFields RenameDialogStart(const QString& oldName);

// One answer of the rename dialog: renames the file on disk and its entry in the model. False
// when the answer asks for no change. Throws AppError with the message to show (the dialog is
// then shown again with the typed text).
bool RenameWithDialogAnswer(TFolderModel& model, const QString& oldName, const QString& typed);

// What RenameSelected needs from the windows.
struct RenameDialogCalls {
    // True when the step must be abandoned (the viewer shows `name`, modified, and the user
    // cancelled the offer to save it).
    std::function<bool(const QString& name)> abandon;
    // Fills the dialog once.
    std::function<void(const RenameDialogFields&)> fill;
    // Shows the dialog modally (keeping what the user typed before); the text, or nothing when
    // it was cancelled.
    std::function<std::optional<QString>()> show;
    std::function<void(const QString& message)> showError;
};
// Renames the one selected file through the dialog, asking again after each refusal. True when
// a file was renamed. Does nothing unless exactly one file is selected.
bool RenameSelected(TFolderModel& model, const RenameDialogCalls& calls);

// The advanced list's caption of the row `oldName` was edited to `newName`: renames the file
// and its entry. Throws AppError with the message to show; the row then keeps its old name.
void RenameInPlace(TFolderModel& model, const QString& oldName, const QString& newName);

// --- deleting ---

// Moves the selected files to the desktop trash (asking before deleting for good those the
// trash cannot take). The listing is not changed here: the folder's change notifications drop
// the deleted files.
DeleteResult DeleteSelected(TFolderModel& model, const DeleteForGoodQuestion& askDeleteForGood);
