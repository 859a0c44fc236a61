// SPDX-License-Identifier: MIT
#include "folderview/FileClipboard.h"

#include "dialogs/RenameRules.h"
#include "folderview/FolderModel.h"
#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"

#include <QFileInfo>

namespace {

// The directory part of a full path, without trailing "/" (the root as "/").
QString FolderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool NameTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Renames within the model's folder, never over another file (the name rules have refused names
// that would leave the folder); AppError "Unable to rename file." when it cannot be done.
void RenameOnDisk(const TFolderModel& model, const QString& oldName, const QString& newName) {
    if (!RenameWithoutReplacing(JoinPath(model.FolderPath(), oldName),
                                JoinPath(model.FolderPath(), newName)))
        throw AppError(UnableToRenameMessage());
}

} // namespace

// --- the file clipboard ---

QString TFileClipboard::SourceFolder() const {
    return paths_.isEmpty() ? QString() : FolderOf(paths_.first());
}

void TFileClipboard::Put(FileClipboardMode mode, const QString& folder, const QStringList& names) {
    mode_ = mode;
    paths_.clear();
    for (const QString& name : names)
        paths_ << JoinPath(folder, name);
}

void TFileClipboard::Copy(const QString& folder, const QStringList& names) {
    Put(FileClipboardMode::Copy, folder, names);
}

void TFileClipboard::Cut(const QString& folder, const QStringList& names) {
    Put(FileClipboardMode::Cut, folder, names);
}

bool TFileClipboard::CopySelection(const TFolderModel& model) {
    if (model.SelectionCount() == 0)
        return false;
    Copy(model.FolderPath(), model.SelectedFiles());
    return true;
}

bool TFileClipboard::CutSelection(const TFolderModel& model) {
    if (model.SelectionCount() == 0)
        return false;
    Cut(model.FolderPath(), model.SelectedFiles());
    return true;
}

std::optional<FileOpResult> PasteFiles(TFileClipboard& clipboard, const QString& targetFolder,
                                       const FileOpCallbacks& callbacks) {
    if (!clipboard.CanPaste())
        return std::nullopt;
    const FileOpKind kind =
        clipboard.Mode() == FileClipboardMode::Cut ? FileOpKind::Move : FileOpKind::Copy;
    FileOpResult result = RunFileOperation(kind, clipboard.Paths(), targetFolder, callbacks);
    clipboard.Deactivate();
    return result;
}

bool AcceptsFolderDrop(const QString& sourceFolder, const QString& targetFolder) {
    return !sourceFolder.isEmpty() && !targetFolder.isEmpty() && sourceFolder != targetFolder;
}

// --- each folder view's share ---

TFolderFileOps::TFolderFileOps(TFolderModel& model, QObject* parent)
    : QObject(parent), model_(model) {
    delayTimer_.setSingleShot(true);
    delayTimer_.setInterval(1);
    connect(&delayTimer_, &QTimer::timeout, this, &TFolderFileOps::DelayTimerFired);
}

void TFolderFileOps::SetPasteState(bool enabled, const QStringList& paths, bool cut) {
    enabled_ = enabled;
    cut_ = cut;
    pathCount_ = static_cast<int>(paths.size());
    paths_ = QSet<QString>(paths.begin(), paths.end());
    emit pasteStateChanged();
}

MenuItemState TFolderFileOps::PasteItem() const {
    return {enabled_, pathCount_ == 1 ? QStringLiteral("Paste Image [Ctrl+V]")
                                      : QStringLiteral("Paste Images [Ctrl+V]")};
}

bool TFolderFileOps::IsDimmed(const QString& name) const {
    return enabled_ && cut_ && paths_.contains(JoinPath(model_.FolderPath(), name));
}

QStringList TFolderFileOps::DimmedNames() const {
    QStringList names;
    if (!enabled_ || !cut_)
        return names;
    for (const QString& name : model_.ListOrder()) {
        if (IsDimmed(name))
            names << name;
    }
    return names;
}

void TFolderFileOps::ClipboardChanged(const TFileClipboard& clipboard, bool refresh,
                                      const QString& sourceFolder, const QString& targetFolder) {
    if (refresh) {
        const QString folder = model_.FolderPath();
        if (folder == sourceFolder)
            delayTimer_.start();
        // The target lists the new files now. A paste into the folder the files came from makes
        // copies there under new names; they are put in place by a rename from a hidden
        // temporary name, which the change notifications do not list, so that folder is
        // rescanned as well.
        if (folder == targetFolder) {
            try {
                model_.RescanFolder(TFolderModel::rmAddNew);
                model_.RescanFolder(TFolderModel::rmUpdateChanged);
            } catch (const AppError& error) {
                emit rescanFailed(error.Message());
            }
        }
    }
    SetPasteState(clipboard.CanPaste(), clipboard.Paths(),
                  clipboard.Mode() == FileClipboardMode::Cut);
}

void TFolderFileOps::DelayTimerFired() {
    delayTimer_.stop();
    if (model_.IsClosing())
        return;
    try {
        model_.RescanFolder(TFolderModel::rmRemoveGone);
    } catch (const AppError& error) {
        emit rescanFailed(error.Message());
    }
}

void FileClipboardChanged(const TFileClipboard& clipboard, bool refresh,
                          const QString& sourceFolder, const QString& targetFolder,
                          const QList<TFolderFileOps*>& views) {
    for (TFolderFileOps* view : views)
        view->ClipboardChanged(clipboard, refresh, sourceFolder, targetFolder);
}

// --- renaming ---

RenameDialogFields RenameDialogStart(const QString& oldName) {
    return {FileBaseName(oldName), ImageTypeName(oldName)};
}

bool RenameWithDialogAnswer(TFolderModel& model, const QString& oldName, const QString& typed) {
    const std::optional<QString> newName = RenamedFileName(oldName, typed);
    if (!newName)
        return false;
    if (NameTaken(JoinPath(model.FolderPath(), *newName)))
        throw AppError(NameExistsMessage());
    RenameOnDisk(model, oldName, *newName);
    model.RenameEntry(oldName, *newName, false);
    return true;
}

bool RenameSelected(TFolderModel& model, const RenameDialogCalls& calls) {
    if (model.SelectionCount() != 1)
        return false;
    const QString oldName = model.FirstSelected();
    if (calls.abandon && calls.abandon(oldName))
        return false;
    calls.fill(RenameDialogStart(oldName));
    for (;;) {
        const std::optional<QString> typed = calls.show();
        if (!typed)
            return false;
        try {
            return RenameWithDialogAnswer(model, oldName, *typed);
        } catch (const AppError& error) {
            calls.showError(error.Message());
        }
    }
}

void RenameInPlace(TFolderModel& model, const QString& oldName, const QString& newName) {
    if (newName == oldName)
        return;
    CheckInPlaceRename(oldName, newName);
    RenameOnDisk(model, oldName, newName);
    model.RenameEntry(oldName, newName, true);
}

// --- deleting ---

DeleteResult DeleteSelected(TFolderModel& model, const DeleteForGoodQuestion& askDeleteForGood) {
    QStringList paths;
    for (const QString& name : model.SelectedFiles())
        paths << JoinPath(model.FolderPath(), name);
    if (paths.isEmpty())
        return {};
    // The listing is left alone: the folder's change notifications drop the files that went,
    // and the next full rescan catches any they missed.
    return DeleteFiles(paths, askDeleteForGood);
}
