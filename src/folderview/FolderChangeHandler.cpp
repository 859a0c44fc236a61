// SPDX-License-Identifier: MIT
#include "folderview/FolderChangeHandler.h"

#include "folderview/FolderModel.h"
#include "folderview/FolderViewHost.h"
#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"
#include "platform/FolderWatcher.h"

#include <QFileInfo>

namespace {

// A path without its trailing "/" (the root stays "/").
QString WithoutTrailingSlash(QString path) {
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// The directory part (without trailing "/", the root as "/") and the name part of a path.
struct SplitPath {
    QString folder;
    QString name;
};
SplitPath Split(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), path};
    return {slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

} // namespace

TFolderChangeHandler::TFolderChangeHandler(TFolderModel& model, FolderViewHost& host,
                                           QObject* parent)
    : QObject(parent), model_(model), host_(host), watcher_(new FolderWatcher(this)) {
    connect(watcher_, &FolderWatcher::fileCreated, this, &TFolderChangeHandler::FileCreated);
    connect(watcher_, &FolderWatcher::fileDeleted, this, &TFolderChangeHandler::FileDeleted);
    connect(watcher_, &FolderWatcher::fileRenamed, this, &TFolderChangeHandler::FileRenamed);
    connect(watcher_, &FolderWatcher::fileChanged, this, &TFolderChangeHandler::FileChanged);
    connect(watcher_, &FolderWatcher::folderUpdated, this, &TFolderChangeHandler::FolderUpdated);
    connect(watcher_, &FolderWatcher::folderDeleted, this, &TFolderChangeHandler::FolderDeleted);
    connect(watcher_, &FolderWatcher::folderRenamed, this, &TFolderChangeHandler::FolderRenamed);
}

TFolderChangeHandler::~TFolderChangeHandler() = default;

void TFolderChangeHandler::Watch(const QString& folder) {
    if (model_.IsClosing())
        return;
    watcher_->setFolder(folder);
    watcher_->setActive(true);
}

void TFolderChangeHandler::Repoint(const QString& folder) {
    if (!model_.IsClosing())
        watcher_->setFolder(folder);
}

void TFolderChangeHandler::Stop() {
    watcher_->setActive(false);
}

bool TFolderChangeHandler::IsWatching() const {
    return watcher_->isWatching();
}

template <typename Step> void TFolderChangeHandler::Run(Step step, bool showErrors) {
    // Reports arrive from the event loop: an error must end here, never unwind into it.
    try {
        step();
    } catch (const AppError& error) {
        if (showErrors)
            host_.ShowErrorMessage(error.Message());
    } catch (const std::exception& error) {
        if (showErrors)
            host_.ShowErrorMessage(QString::fromLocal8Bit(error.what()));
    }
}

bool TFolderChangeHandler::IsWatchedFolder(const QString& path) const {
    return WithoutTrailingSlash(path) == WithoutTrailingSlash(model_.FolderPath());
}

void TFolderChangeHandler::FileCreated(const QString& path) {
    if (model_.IsClosing() || !IsSupportedImage(path))
        return;
    const QString name = Split(path).name;
    if (!QFileInfo::exists(path) || model_.IsListed(name))
        return;
    Run(
        [&] {
            model_.AddFileByName(name, false, true);
            model_.RescanFolder(TFolderModel::rmAddNew);
        },
        true);
}

void TFolderChangeHandler::FileDeleted(const QString& path) {
    if (model_.IsClosing() || !IsSupportedImage(path))
        return;
    const QString name = Split(path).name;
    if (!model_.IsListed(name))
        return;
    Run(
        [&] {
            model_.RemoveFile(name, false, false, true);
            model_.RescanFolder(TFolderModel::rmRemoveGone);
        },
        true);
}

void TFolderChangeHandler::FileRenamed(const QString& oldPath, const QString& newPath) {
    if (model_.IsClosing() || !IsSupportedImage(newPath))
        return;
    const SplitPath from = Split(oldPath);
    const SplitPath to = Split(newPath);
    const QString folder = WithoutTrailingSlash(model_.FolderPath());
    if (from.folder == to.folder && !from.name.isEmpty() && !to.name.isEmpty()) {
        Run([&] { model_.RenameEntry(from.name, to.name, false); }, true);
    } else if (from.name == to.name && to.folder == folder && !model_.IsListed(to.name)) {
        // moved in from another folder
        Run(
            [&] {
                model_.AddFileByName(to.name, false, false);
                model_.RescanFolder(TFolderModel::rmAddNew);
            },
            true);
    } else if (from.name == to.name && from.folder == folder && to.folder != folder &&
               model_.IsListed(from.name)) {
        // moved out to another folder
        Run(
            [&] {
                model_.RemoveFile(from.name, false, false, true);
                model_.RescanFolder(TFolderModel::rmRemoveGone);
            },
            true);
    }
}

void TFolderChangeHandler::FileChanged(const QString& path) {
    if (model_.IsClosing() || !IsSupportedImage(path))
        return;
    const QString name = Split(path).name;
    if (model_.IsListed(name))
        Run([&] { model_.RefreshFileInfo(name); }, false);
}

void TFolderChangeHandler::FolderUpdated(const QString& path) {
    if (model_.IsClosing() || !IsWatchedFolder(path))
        return;
    Run([&] { model_.RescanFolder(TFolderModel::rmFull, false); }, false);
}

void TFolderChangeHandler::FolderDeleted(const QString& path) {
    // Only the watched folder itself; the watcher reports no sub-folders.
    if (model_.IsClosing() || !IsWatchedFolder(path))
        return;
    host_.FolderWasDeleted();
}

void TFolderChangeHandler::FolderRenamed(const QString& oldPath, const QString& newPath) {
    if (model_.IsClosing() || !IsWatchedFolder(oldPath))
        return;
    Run([&] { model_.SetFolderPath(WithoutTrailingSlash(newPath)); }, true);
}
