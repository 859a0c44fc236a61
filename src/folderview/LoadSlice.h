// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FolderViewHost.h"
#include "folderview/LoadThread.h"
#include "imaging/JpegImage.h"
#include "imaging/Picture.h"

#include <QImage>
#include <QStringList>
#include <optional>

// The folder as one slice of thumbnail rendering sees it. The folder model provides it.
class LoaderWork {
public:
    virtual ~LoaderWork() = default;
    virtual QString FolderPath() const = 0;
    virtual const QStringList& ImageFiles() const = 0;
    virtual const QStringList& ListOrder() const = 0;
    virtual bool IsLoaded(const QString& name) const = 0;
    virtual int LoadedCount() const = 0;
    // Stores a rendered 76 x 76 tile in the thumbnail slot `index`.
    virtual void PutThumbnail(const QImage& tile, int index) = 0;
    // The file is done (rendered, or given up on); its approximate dimensions when known.
    virtual void MarkLoaded(const QString& name, const QString& dimensionText) = 0;
    virtual const QImage& ErrorThumbnail() const = 0;
};

// One time slice of thumbnail rendering, run on the UI thread: the files the user looks at
// first, starting at the first visible one (or where the previous pass stopped while the view
// did not move), searching forward to the end and then backward.
class TLoadSlice {
public:
    static constexpr int SliceBudgetMs = 300;
    static constexpr int ShortSliceBudgetMs = 100;

    TLoadSlice(LoaderWork& work, FolderViewHost& host);

    // Renders files for up to the slice budget; `running` says whether the loader may go on.
    SliceOutcome Run(bool running);

    int Anchor() const { return anchor_; }
    int Cursor() const { return cursor_; }

private:
    // The first visible index in the scan order, and that order.
    int FirstVisible(const QStringList*& order);
    int NearestIconItem();
    void RenderFile(int target, int first);

    LoaderWork& work_;
    FolderViewHost& host_;
    TJPEGImage jpeg_;
    TPicture picture_;
    QImage tile_;
    SliceOutcome last_;
    int anchor_ = 0;
    int cursor_ = 0;
    // The nearest-item search is redone only when the list scrolls or changes its extent.
    struct NearestCache {
        QPoint origin;
        QRect bounds;
        int row = -1;
    };
    std::optional<NearestCache> nearest_;
};
