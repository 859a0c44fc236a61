// SPDX-License-Identifier: MIT
#include "folderview/LoadSlice.h"

#include "folderview/BitmapCache.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureLoading.h"
#include "imaging/PictureTransforms.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <cstdlib>

TLoadSlice::TLoadSlice(LoaderWork& work, FolderViewHost& host)
    : work_(work), host_(host), tile_(ThumbSize, ThumbSize, QImage::Format_RGB32) {
}

SliceOutcome TLoadSlice::Run(bool running) {
    // Nothing to look at: wait without rendering.
    if (!host_.FilmstripVisible() && !host_.IsFloating()) {
        last_.slow = true;
        return last_;
    }
    last_ = SliceOutcome();
    if (!running || !QFileInfo(work_.FolderPath()).isDir() ||
        work_.LoadedCount() >= work_.ImageFiles().size())
        return last_;

    QElapsedTimer clock;
    clock.start();
    while (true) {
        last_.found = false;
        const QStringList* order = nullptr;
        const int first = FirstVisible(order);
        const int count = static_cast<int>(order->size());
        const int start = (first == anchor_ && cursor_ < count) ? cursor_ : first;
        anchor_ = first;

        // The cursor is a position in the scan order, so a pass over the advanced list's
        // order continues where the previous one stopped (in the filmstrip both orders agree).
        int position = -1;
        for (int i = std::max(start, 0); i < count && position < 0; ++i)
            if (!work_.IsLoaded(order->at(i)))
                position = i;
        for (int i = std::min(start, count) - 1; i >= 0 && position < 0; --i)
            if (!work_.IsLoaded(order->at(i)))
                position = i;
        const int target =
            position < 0 ? -1 : static_cast<int>(work_.ImageFiles().indexOf(order->at(position)));
        if (target < 0) {
            anchor_ = 0;
            break;
        }
        last_.found = true;
        cursor_ = position;
        RenderFile(target, first);

        // Work beyond the visible part of a docked filmstrip is off-screen work.
        const double visibleSlots = static_cast<double>(host_.ThumbImageWidth()) / SlotWidth;
        last_.slow =
            !(anchor_ <= cursor_ && cursor_ - anchor_ <= visibleSlots && !host_.IsFloating());
        last_.background = !host_.IsCurrentFolder();
        const qint64 elapsed = clock.elapsed();
        if ((last_.slow || last_.background) && elapsed > ShortSliceBudgetMs)
            break;
        if (elapsed > SliceBudgetMs)
            break;
    }
    return last_;
}

int TLoadSlice::FirstVisible(const QStringList*& order) {
    if (!host_.IsFloating()) {
        order = &work_.ImageFiles();
        return host_.ThumbScrollPosition() * ScrollUnit / SlotWidth;
    }
    order = &work_.ListOrder();
    const FolderViewHost::ListStyle style = host_.AdvancedListStyle();
    const bool iconStyle =
        style == FolderViewHost::ListStyle::Icon || style == FolderViewHost::ListStyle::SmallIcon;
    const int row = iconStyle ? NearestIconItem() : host_.ListTopRow();
    return row >= 0 ? row : 0;
}

int TLoadSlice::NearestIconItem() {
    const QPoint origin = host_.ListViewOrigin();
    const QRect bounds = host_.ListItemsBounds();
    if (nearest_ && nearest_->origin == origin && nearest_->bounds == bounds && nearest_->row >= 0)
        return nearest_->row;
    int best = -1;
    int bestDx = 0;
    int bestDy = 0;
    const int rows = static_cast<int>(work_.ListOrder().size());
    for (int row = 0; row < rows; ++row) {
        const QPoint position = host_.ListRowPosition(row);
        const int dx = std::abs(position.x() - origin.x());
        const int dy = std::abs(position.y() - origin.y());
        if ((best < 0 || dx <= bestDx) && (best < 0 || dy <= bestDy)) {
            best = row;
            bestDx = dx;
            bestDy = dy;
        }
        if (best >= 0 && bestDy < dy)
            break;
    }
    nearest_ = NearestCache{origin, bounds, best};
    return best;
}

void TLoadSlice::RenderFile(int target, int first) {
    const QString name = work_.ImageFiles().at(target);
    const QString path = JoinPath(work_.FolderPath(), name);
    try {
        QString dimensions;
        int width = 0;
        int height = 0;
        LoadFittedPicture(path, ThumbSize, ThumbSize, nullptr, dimensions, true, jpeg_, picture_,
                          width, height);
        const int x = std::max(0, RoundHalfEven((ThumbSize - width) / 2.0));
        const int y = std::max(0, RoundHalfEven((ThumbSize - height) / 2.0));
        tile_.fill(Qt::black);
        {
            QPainter painter(&tile_);
            const bool isJpeg = ReadKindForPath(path) == GraphicKind::Jpeg;
            const TGraphic* graphic = isJpeg ? &jpeg_ : picture_.Graphic();
            if (graphic)
                StretchGraphic(painter, *graphic, QRect(x, y, width, height));
        }
        work_.PutThumbnail(tile_, target);
        const int lastVisible =
            (host_.ThumbScrollPosition() * ScrollUnit + host_.ThumbImageWidth()) / SlotWidth;
        if (target >= first && lastVisible >= target)
            host_.RedrawStrip();
        work_.MarkLoaded(name, dimensions);
    } catch (const AppError&) {
        // Unreadable, damaged or vanished: the error thumbnail (none when the file is gone),
        // and the file is not tried again until it changes.
        if (QFileInfo::exists(path))
            work_.PutThumbnail(work_.ErrorThumbnail(), target);
        if (!name.isEmpty())
            work_.MarkLoaded(name, QString());
    }
}
