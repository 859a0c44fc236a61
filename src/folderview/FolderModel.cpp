// SPDX-License-Identifier: MIT
#include "folderview/FolderModel.h"

#include "folderview/BitmapCache.h"
#include "folderview/DefaultThumbnails.h"
#include "folderview/FolderChangeHandler.h"
#include "folderview/FolderLoader.h"
#include "folderview/FolderScan.h"
#include "folderview/FolderViewHost.h"
#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <exception>

TFolderModel::TFolderModel(FolderViewHost& host, QObject* parent)
    : TFolderModel(host, std::make_unique<TThumbnailCacheMgr>(), parent) {
}

TFolderModel::TFolderModel(FolderViewHost& host, std::unique_ptr<TThumbnailCacheMgr> cache,
                           QObject* parent)
    : QObject(parent), host_(host), listModel_(new FolderListModel(&icons_, this)),
      cache_(std::move(cache)), changes_(new TFolderChangeHandler(*this, host, this)),
      defaultThumbnail_(DrawDefaultThumbnail()), errorThumbnail_(DrawErrorThumbnail()) {
    cache_->SetDefaultTile(defaultThumbnail_);
}

void TFolderModel::SetDefaultThumbnail(const QImage& tile) {
    defaultThumbnail_ = tile;
    cache_->SetDefaultTile(tile);
}

TFolderModel::~TFolderModel() {
    // The loader's slices use everything below: wait for its thread first.
    loader_.reset();
    // The watch ends and the rows go before the lists and icons they refer to.
    delete changes_;
    delete listModel_;
}

void TFolderModel::OpenFolder(const QString& path) {
    totalBytes_ = 0;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    QString requested = path.mid(slash + 1);
    SetFolderPath(slash > 0 ? path.left(slash) : QStringLiteral("/"));

    QList<DiskImageFile> files = ListFolderImages(folderPath_);
    SortByLocale(files);
    const int count = static_cast<int>(files.size());
    host_.SetProgress(0, count);
    // A thumbnail strip that cannot be written (disk full) does not stop the listing; the first
    // such error is reported once the folder is open.
    std::exception_ptr cacheError;
    int done = 0;
    for (const DiskImageFile& file : files) {
        try {
            AddFile(file.name, file.size, file.modified, false, false);
        } catch (const AppError&) {
            if (!cacheError)
                cacheError = std::current_exception();
        }
        if (requested.isEmpty() || file.name == requested) {
            SelectOnly(file.name);
            requested = file.name;
        }
        host_.SetProgress(++done, count);
    }

    host_.UpdateScrollRange();
    host_.RedrawStrip();
    host_.SetProgress(0, count);
    UpdateStatus();
    SelectionChanged(-1, true);

    StartLoader();
    changes_->Watch(folderPath_);
    if (cacheError)
        std::rethrow_exception(cacheError);
}

void TFolderModel::SetFolderPath(const QString& path) {
    const QString old = folderPath_;
    folderPath_ = path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    // The root has its only "/" as last character and is its own caption.
    folderCaption_ = slash == path.size() - 1 && path.indexOf(QLatin1Char('/')) == slash
                         ? path
                         : path.mid(slash + 1);
    host_.SetViewCaption(host_.IsFloating() ? folderPath_ : folderCaption_);
    if (old.isEmpty())
        return;
    if (old != path && host_.IsCurrentFolder()) {
        const QString name = host_.CurrentImageName();
        host_.SetCurrentImage(name, JoinPath(path, name));
        host_.UpdateCaption();
    }
    changes_->Repoint(path);
}

void TFolderModel::AddFile(const QString& name, qint64 size, const QDateTime& modified, bool select,
                           bool redraw) {
    if (imageFiles_.Contains(name))
        return;
    const bool wasEmpty = selectedFiles_.IsEmpty();
    totalBytes_ += size;
    imageFiles_.Append(name);
    listModel_->AppendRow(name, size, modified, ShellIconIndex(JoinPath(folderPath_, name)));
    // The cache counts the slot even when its strip cannot be had, so the listing stays in step
    // with it; the error is passed on once the file is listed.
    std::exception_ptr cacheError;
    try {
        cache_->AddDefaultThumbnail();
    } catch (const AppError&) {
        cacheError = std::current_exception();
    }
    if (select) {
        if (wasEmpty) {
            RepairSelection(imageFiles_.Count() - 1);
            UpdateStatus();
        }
        SelectionChanged(-1, true);
    }
    host_.UpdateScrollRange();
    if (redraw)
        host_.RedrawStrip();
    if (cacheError)
        std::rethrow_exception(cacheError);
}

void TFolderModel::AddFileByName(const QString& name, bool select, bool redraw) {
    const QString path = JoinPath(folderPath_, name);
    QFile file(path);
    const QFileInfo info(path);
    // Only what a listing would show, and only once it can be read.
    if (!IsListableFile(info) || !file.open(QIODevice::ReadOnly))
        return;
    file.close();
    AddFile(name, info.size(), info.lastModified(), select, redraw);
}

QString TFolderModel::RemoveFile(const QString& name, bool deleteFromDisk, bool show, bool redraw) {
    const int index = imageFiles_.IndexOf(name);
    if (index < 0)
        return {};
    if (deleteFromDisk && !host_.DeleteFileToTrash(JoinPath(folderPath_, name)))
        return QStringLiteral("-");
    DropEntry(index, redraw);
    RemoveFromSelection(name);
    RepairSelection(index);
    UpdateStatus();
    SelectionChanged(-1, show);
    return FirstSelected();
}

void TFolderModel::DropEntry(int index, bool redraw) {
    // First the thumbnail slot: when its strip cannot be had, the cache keeps the slot, and so
    // does the listing (a later rescan drops the file).
    cache_->DeleteThumbnail(index);
    const QString name = imageFiles_.At(index);
    const qint64 size = listModel_->RemoveRow(name);
    totalBytes_ -= size > 0 ? size : 0;
    loadedFiles_.Remove(name);
    imageFiles_.RemoveAt(index);
    host_.UpdateScrollRange();
    if (redraw)
        host_.RedrawStrip();
}

void TFolderModel::UpdateFileEntry(const QString& name, qint64 size, const QDateTime& modified) {
    const qint64 old = listModel_->UpdateRow(name, size, modified);
    if (old >= 0)
        totalBytes_ += size - old;
    loadedFiles_.Remove(name);
}

void TFolderModel::RefreshFileInfo(const QString& name) {
    const QFileInfo info(JoinPath(folderPath_, name));
    if (info.exists() && listModel_->Find(name))
        UpdateFileEntry(name, info.size(), info.lastModified());
    else
        loadedFiles_.Remove(name);
}

void TFolderModel::RenameEntry(const QString& oldName, const QString& newName,
                               bool keepRowCaption) {
    Q_UNUSED(keepRowCaption); // the row's caption is the name kept here
    if (oldName == newName)
        return;
    if (host_.IsCurrentFolder() && host_.CurrentImageName() == oldName) {
        host_.SetCurrentImage(newName, JoinPath(folderPath_, newName));
        host_.UpdateCaption();
    }
    if (!imageFiles_.Contains(oldName))
        return;
    // A file renamed over another listed file replaced it: the replaced entry goes (its slot and
    // row), so no name is ever listed twice. The renamed entry keeps its place and thumbnail.
    const int replaced = imageFiles_.IndexOf(newName);
    if (replaced >= 0)
        DropEntry(replaced, true);
    selectedFiles_.Replace(oldName, newName);
    imageFiles_.Replace(oldName, newName);
    loadedFiles_.Replace(oldName, newName);
    listModel_->RenameRow(oldName, newName);
    if (replaced >= 0)
        UpdateStatus();
}

void TFolderModel::RescanFolder(RescanMode mode, bool resume) {
    // A folder that is gone (or renamed, with reports still naming its old path) lists nothing;
    // dropping every file for that would be wrong. Its loss is reported on its own.
    if (!QFileInfo(folderPath_).isDir())
        return;
    const int noted = imageFiles_.IndexOf(FirstSelected());
    const QList<DiskImageFile> disk = ListFolderImages(folderPath_);
    bool changed = false;

    if (mode == rmRemoveGone || mode == rmFull) {
        QSet<QString> onDisk;
        onDisk.reserve(disk.size());
        for (const DiskImageFile& file : disk)
            onDisk.insert(file.name);
        for (int i = imageFiles_.Count() - 1; i >= 0; --i) {
            const QString name = imageFiles_.At(i);
            if (!onDisk.contains(name)) {
                RemoveFile(name, false, false, false);
                changed = true;
            }
        }
    }

    if (mode != rmRemoveGone) {
        const bool adding = mode == rmAddNew || mode == rmFull;
        const bool checking = mode == rmUpdateChanged || mode == rmFull;
        const int start = resume ? rescanResumeIndex_ : 0;
        rescanResumeIndex_ = 0;
        int checks = 0;
        bool checksStopped = false;
        for (int i = start; i < disk.size(); ++i) {
            const DiskImageFile& file = disk.at(i);
            if (adding && !imageFiles_.Contains(file.name)) {
                AddFile(file.name, file.size, file.modified, mode == rmAddNew, false);
                changed = true;
            }
            if (!checking || checksStopped)
                continue;
            if (resume && checks == RescanCheckLimit) {
                rescanResumeIndex_ = i;
                checksStopped = true;
                continue;
            }
            ++checks;
            const FolderListModel::FileRow* row = listModel_->Find(file.name);
            if (row && row->modifiedText != FolderListModel::ModifiedText(file.modified))
                UpdateFileEntry(file.name, file.size, file.modified);
        }
    }

    if (changed) {
        host_.UpdateScrollRange();
        host_.RedrawStrip();
        RepairSelection(noted);
        UpdateStatus();
        SelectionChanged(-1, false);
    }
}

void TFolderModel::UpdateStatus() {
    host_.ShowStatus(Status());
}

FolderStatus TFolderModel::Status() const {
    FolderStatusInput input;
    input.fileCount = FileCount();
    input.totalBytes = totalBytes_;
    input.selectedCount = SelectionCount();
    if (input.selectedCount == 1) {
        if (const FolderListModel::FileRow* row = listModel_->Find(FirstSelected())) {
            input.singleHasRow = true;
            input.singleType = row->typeName;
            input.singleSizeText = row->sizeText;
        }
    }
    return MakeFolderStatus(input);
}

void TFolderModel::PutThumbnail(const QImage& tile, int index) {
    cache_->PutThumbnail(tile, index);
}

void TFolderModel::MarkLoaded(const QString& name, const QString& dimensionText) {
    if (!dimensionText.isEmpty())
        listModel_->SetDimensions(name, dimensionText);
    if (imageFiles_.Contains(name))
        loadedFiles_.Append(name);
}

void TFolderModel::SetApproxDimensions(const QString& name, const QString& text) {
    listModel_->SetDimensions(name, text);
}

void TFolderModel::BeginClosing() {
    if (closing_)
        return;
    closing_ = true;
    StopLoader();
    changes_->Stop();
}

void TFolderModel::StartLoader() {
    try {
        loader_ = std::make_unique<TFolderLoader>(*this, host_, loaderTiming_);
        connect(&loader_->Thread(), &TLoadThread::LoaderFailed, this,
                [this](const QString& text) { host_.ShowErrorMessage(text); });
        loader_->Start();
    } catch (const std::exception&) {
        // Without a loader the folder simply keeps its default thumbnails.
        loader_.reset();
    }
}

void TFolderModel::StopLoader() {
    if (loader_)
        loader_->Stop();
}

bool TFolderModel::FileExists(const QString& name) const {
    return QFileInfo::exists(JoinPath(folderPath_, name));
}
