// SPDX-License-Identifier: MIT
#include "folderview/FolderLoader.h"

#include "folderview/FolderModel.h"

#include <QFileInfo>

TFolderLoader::TFolderLoader(TFolderModel& model, FolderViewHost& host, LoaderTiming timing)
    : model_(model), slice_(*this, host) {
    thread_ = std::make_unique<TLoadThread>(
        &model, [this] { return slice_.Run(thread_->IsRunning()); }, [this] { PeriodicRescan(); },
        timing);
}

TFolderLoader::~TFolderLoader() {
    thread_->StopAndWait();
}

void TFolderLoader::Start() {
    thread_->StartLoading();
}

void TFolderLoader::PeriodicRescan() {
    if (QFileInfo(model_.FolderPath()).isDir())
        model_.RescanFolder(TFolderModel::rmFull, true);
}

QString TFolderLoader::FolderPath() const {
    return model_.FolderPath();
}
const QStringList& TFolderLoader::ImageFiles() const {
    return model_.ImageFiles();
}
const QStringList& TFolderLoader::ListOrder() const {
    return model_.ListOrder();
}
bool TFolderLoader::IsLoaded(const QString& name) const {
    return model_.IsLoaded(name);
}
int TFolderLoader::LoadedCount() const {
    return model_.LoadedCount();
}
void TFolderLoader::PutThumbnail(const QImage& tile, int index) {
    model_.PutThumbnail(tile, index);
}
void TFolderLoader::MarkLoaded(const QString& name, const QString& dimensionText) {
    model_.MarkLoaded(name, dimensionText);
}
const QImage& TFolderLoader::ErrorThumbnail() const {
    return model_.ErrorThumbnail();
}
