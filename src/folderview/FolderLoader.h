// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/LoadSlice.h"
#include "folderview/LoadThread.h"

#include <memory>

class TFolderModel;

// The thumbnail loader of one open folder: the pacing thread, the slice it hands to the UI
// thread, and the folder as the slice sees it.
class TFolderLoader : public LoaderWork {
public:
    TFolderLoader(TFolderModel& model, FolderViewHost& host, LoaderTiming timing = {});
    // Stops the thread and waits for its end, which never takes longer than one hand-over.
    ~TFolderLoader() override;

    void Start();
    void Stop() { thread_->StopLoading(); }
    bool IsRunning() const { return thread_->IsRunning(); }
    bool IsExecuting() const { return thread_->IsExecuting(); }
    TLoadThread& Thread() { return *thread_; }

    // LoaderWork
    QString FolderPath() const override;
    const QStringList& ImageFiles() const override;
    const QStringList& ListOrder() const override;
    bool IsLoaded(const QString& name) const override;
    int LoadedCount() const override;
    void PutThumbnail(const QImage& tile, int index) override;
    void MarkLoaded(const QString& name, const QString& dimensionText) override;
    const QImage& ErrorThumbnail() const override;

private:
    // The periodic rescan of an idle folder that still exists.
    void PeriodicRescan();

    TFolderModel& model_;
    TLoadSlice slice_;
    std::unique_ptr<TLoadThread> thread_;
};
