// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FolderListModel.h"
#include "folderview/FolderStatus.h"
#include "folderview/LoadThread.h"
#include "folderview/NameList.h"
#include "folderview/ShellIcons.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <memory>

class FolderViewHost;
class TFolderChangeHandler;
class TFolderLoader;
class TThumbnailCacheMgr;

// The data side of one open folder: which image files it lists, in which orders, which of them
// are selected, how the listing is built and kept in step with the disk, and the status texts.
// It reaches the filmstrip, the advanced list and the viewer only through FolderViewHost.
//
// Four name lists, each without duplicates and with exact name lookup (file names are letter-case
// sensitive here): ImageFiles (filmstrip order; a name's position is its thumbnail slot),
// SelectedFiles (in the order selected; the first is the shown image), LoadedFiles (thumbnails
// rendered or given up on) and ListOrder (the advanced list's row order). ImageFiles, ListOrder,
// the list rows and the cache's thumbnail slots always number the same.
//
// Everything runs on the UI thread.
class TFolderModel : public QObject {
    Q_OBJECT
public:
    enum RescanMode { rmAddNew = 0, rmRemoveGone = 1, rmUpdateChanged = 2, rmFull = 3 };
    // A resumed rescan checks the dates of at most this many files, then stops and remembers
    // where the next resumed rescan goes on.
    static constexpr int RescanCheckLimit = 200;

    // The thumbnail cache keeps its strips in the program's temporary folder.
    explicit TFolderModel(FolderViewHost& host, QObject* parent = nullptr);
    TFolderModel(FolderViewHost& host, std::unique_ptr<TThumbnailCacheMgr> cache,
                 QObject* parent = nullptr);
    ~TFolderModel() override;

    // --- the folder ---
    // Lists the folder and selects a file. `path` is a folder path ending in "/" (the first file
    // is selected) or the full path of a file (that file is selected when a listed name equals
    // it exactly). Called once, after creation.
    void OpenFolder(const QString& path);
    // A new path for the folder (it was renamed or moved): caption, the viewer's current path
    // and the watch follow.
    void SetFolderPath(const QString& path);
    QString GetFolderPath() const { return folderPath_; }
    QString FolderPath() const { return folderPath_; }
    // The last component of the folder path; "/" for the root.
    QString FolderCaption() const { return folderCaption_; }

    // --- the lists ---
    const QStringList& ImageFiles() const { return imageFiles_.Names(); }
    const QStringList& SelectedFiles() const { return selectedFiles_.Names(); }
    const QStringList& LoadedFiles() const { return loadedFiles_.Names(); }
    const QStringList& ListOrder() const { return listModel_->Order(); }
    bool IsListed(const QString& name) const { return imageFiles_.Contains(name); }
    // Position in ImageFiles (the thumbnail slot), -1 when not listed.
    int IndexOf(const QString& name) const { return imageFiles_.IndexOf(name); }
    bool IsLoaded(const QString& name) const { return loadedFiles_.Contains(name); }
    int LoadedCount() const { return loadedFiles_.Count(); }
    int FileCount() const { return imageFiles_.Count(); }
    // Sum of the listed files' sizes in bytes.
    qint64 TotalBytes() const { return totalBytes_; }
    // Where the next resumed rescan goes on with its date checks.
    int RescanResumeIndex() const { return rescanResumeIndex_; }
    // The rows of the advanced list (row order = ListOrder).
    FolderListModel& ListModel() { return *listModel_; }
    const FolderListModel& ListModel() const { return *listModel_; }

    // --- the selection (each change ends with UpdateStatus) ---
    QString FirstSelected() const; // empty when nothing is selected
    QString LastSelected() const;
    bool IsSelected(const QString& name) const { return selectedFiles_.Contains(name); }
    bool IsLastSelected(const QString& name) const;
    int SelectionCount() const { return selectedFiles_.Count(); }
    // Appends the selected names, in selection order, to `names`.
    void AppendSelection(QStringList& names) const;
    void SelectOnly(const QString& name);
    void AddToSelection(const QString& name);
    void RemoveFromSelection(const QString& name);
    // Selects the files from the first selected one (or `name` when none) to `name`, in that
    // direction, in filmstrip order.
    void SelectRange(const QString& name);
    // Adds the files from the last selected one to `name` to the selection.
    void ExtendRange(const QString& name);
    void SelectAll();
    // Navigation in the list order while the view floats, in filmstrip order while docked;
    // next after the last is the first, previous before the first is the last.
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    // Selects the file and shows it unless the viewer shows it already (a file of this folder
    // opened again).
    void SelectFile(const QString& name);
    // After a selection change: frames and scrolling (docked) or the list rows (floating, `row`
    // < 0 when the list did not make the change itself); then ShowSelection when `show` is set
    // or the viewer follows this folder.
    void SelectionChanged(int row, bool show);
    // Shows the first selected file in the viewer, or clears the viewer when nothing is
    // selected.
    void ShowSelection();
    // Drops selected names whose files are gone; when nothing remains selected, selects the
    // existing file nearest to `preferred`, searching toward the start of the list.
    void RepairSelection(int preferred);

    // --- keeping the listing in step with the disk ---
    // Lists one file (appended at the end). A name already listed is left alone.
    void AddFile(const QString& name, qint64 size, const QDateTime& modified, bool select,
                 bool redraw);
    // Lists the file of that name when it can be opened for reading now (it may still be being
    // written otherwise; a later rescan lists it).
    void AddFileByName(const QString& name, bool select, bool redraw);
    // Takes the file off the listing, after moving it to the trash when `deleteFromDisk`.
    // Returns the first selected name afterwards ("" when none), "-" when the trash refused the
    // file (nothing changed then), and "" when the name was not listed.
    QString RemoveFile(const QString& name, bool deleteFromDisk, bool show, bool redraw);
    // The listed file has a new size and time: its row follows and its thumbnail is rendered
    // anew.
    void UpdateFileEntry(const QString& name, qint64 size, const QDateTime& modified);
    // Reads the file's size and time from disk and applies them (after the viewer saved it).
    void RefreshFileInfo(const QString& name);
    // The file was renamed: every list, the row and the viewer (when it shows the file) follow;
    // the thumbnail stays in its slot. `keepRowCaption` is accepted for the in-place edit of
    // the list, whose caption is this model's data, so the row always follows.
    void RenameEntry(const QString& oldName, const QString& newName, bool keepRowCaption);
    // Compares the listing with the disk: rmAddNew lists new files, rmRemoveGone drops vanished
    // ones, rmUpdateChanged checks dates, rmFull does all three. With `resume`, the date checks
    // go on where the last resumed rescan stopped and stop after RescanCheckLimit files.
    void RescanFolder(RescanMode mode, bool resume = false);

    // --- status and icons ---
    // Hands the status texts and menu states to the host.
    void UpdateStatus();
    FolderStatus Status() const;
    int ShellIconIndex(const QString& path) { return icons_.ShellIconIndex(path); }
    const TShellIcons& ShellIcons() const { return icons_; }

    // --- thumbnails (the loader) ---
    TThumbnailCacheMgr& Cache() { return *cache_; }
    void PutThumbnail(const QImage& tile, int index);
    // The file's thumbnail is done (rendered or given up on); a non-empty `dimensionText` goes
    // into its "Approx. Dimensions" column.
    void MarkLoaded(const QString& name, const QString& dimensionText = QString());
    void SetApproxDimensions(const QString& name, const QString& text);
    const QImage& DefaultThumbnail() const { return defaultThumbnail_; }
    const QImage& ErrorThumbnail() const { return errorThumbnail_; }
    void SetDefaultThumbnail(const QImage& tile);
    void SetErrorThumbnail(const QImage& tile) { errorThumbnail_ = tile; }

    // The running thumbnail loader (null before the listing and after a failed start).
    TFolderLoader* Loader() const { return loader_.get(); }
    // Pauses of the loader started by OpenFolder (tests shorten them).
    void SetLoaderTiming(const LoaderTiming& timing) { loaderTiming_ = timing; }

    // --- closing ---
    // The view begins to close: the loader is told to stop and the watch ends; from now on
    // change reports are ignored.
    void BeginClosing();
    bool IsClosing() const { return closing_; }

    // The names in navigation order: the list order while floating, the filmstrip order while
    // docked (what next and previous step through).
    const QStringList& NavigationOrder() const;

private:
    // Starts this folder's thumbnail loader (after the listing) and tells it to stop (closing).
    void StartLoader();
    void StopLoader();

    // Takes the entry at `index` off the cache, the rows and the lists other than the selection.
    void DropEntry(int index, bool redraw);
    void NavigateTo(const QString& name);
    void AddRange(const QString& anchor, const QString& name);
    bool FileExists(const QString& name) const;

    FolderViewHost& host_;
    QString folderPath_;
    QString folderCaption_;
    TNameList imageFiles_;
    TNameList selectedFiles_;
    TNameList loadedFiles_;
    TShellIcons icons_;
    FolderListModel* listModel_; // child object
    std::unique_ptr<TThumbnailCacheMgr> cache_;
    TFolderChangeHandler* changes_; // child object
    std::unique_ptr<TFolderLoader> loader_;
    LoaderTiming loaderTiming_;
    qint64 totalBytes_ = 0;
    int rescanResumeIndex_ = 0;
    bool closing_ = false;
    QImage defaultThumbnail_;
    QImage errorThumbnail_;
};
