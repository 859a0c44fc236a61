// SPDX-License-Identifier: MIT
#include "folderview/BitmapCache.h"

#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/Graphic.h"
#include "imaging/ImageFormats.h"
#include "imaging/JpegImage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Strip files are private to the running program and are read back by it only: a high quality
// keeps the loss small when a strip goes to disk and comes back several times.
constexpr int StripJpegQuality = 95;

int CacheCounter = 0;

// n in decimal with at least three digits.
QString N3(int n) {
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

QImage BlackStrip() {
    QImage image(StripWidth, StripHeight, QImage::Format_RGB32);
    if (image.isNull())
        throw AppError(QStringLiteral("Not enough memory for a thumbnail strip"));
    image.fill(Qt::black);
    return image;
}

QRgb* PixelAt(QImage& image, int x, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
}

} // namespace

quint32 SystemTick() {
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return quint32(timer.elapsed());
}

TCachedBitmap::TCachedBitmap(int stripIndex, QString filePath, quint32 tick)
    : filePath(std::move(filePath)), lastUse(tick), stripIndex(stripIndex) {
}

TCachedBitmap::~TCachedBitmap() {
    if (QFile::exists(filePath))
        QFile::remove(filePath);
}

TThumbnailCacheMgr::TThumbnailCacheMgr() : TThumbnailCacheMgr(QString()) {
}

TThumbnailCacheMgr::TThumbnailCacheMgr(const QString& folder, TickSource tick)
    : folder_(folder), cacheNumber_(++CacheCounter), tick_(tick ? std::move(tick) : SystemTick) {
    // Without a usable temporary folder the cache still works in memory; the first strip that
    // has to go to disk tries again and reports the failure.
    try {
        EnsureCacheBase();
    } catch (const AppError&) {
    }
}

TThumbnailCacheMgr::~TThumbnailCacheMgr() = default;

void TThumbnailCacheMgr::ResetCacheCounter() {
    CacheCounter = 0;
}

const QString& TThumbnailCacheMgr::EnsureCacheBase() {
    if (cacheBase_.isEmpty()) {
        const QString folder = folder_.isEmpty() ? TempFolder() : folder_;
        cacheBase_ = JoinPath(folder, QStringLiteral("tn") + N3(cacheNumber_));
    }
    return cacheBase_;
}

QString TThumbnailCacheMgr::StripFilePath(int strip) {
    return EnsureCacheBase() + N3(strip) + QStringLiteral(".jpg");
}

int TThumbnailCacheMgr::ResidentSlotOf(int strip) const {
    for (int slot = 0; slot < int(resident_.size()); ++slot) {
        if (resident_[slot] && resident_[slot]->stripIndex == strip)
            return slot;
    }
    return -1;
}

void TThumbnailCacheMgr::AddThumbnail(const QImage& picture) {
    PutThumbnail(picture, count_);
}

void TThumbnailCacheMgr::AddDefaultThumbnail() {
    const int i = count_;
    if (i >= std::numeric_limits<int>::max() / SlotWidth)
        throw AppError(QStringLiteral("Too many thumbnails"));
    const int s = i / StripSlots;
    while (StripCount() <= s)
        AppendStrip();
    TCachedBitmap& strip = *strips_[s];
    if (strip.materialized) {
        PutThumbnail(defaultTile_, i);
        return;
    }
    strip.defaultSlots[i % StripSlots] = true;
    count_ = i + 1;
}

void TThumbnailCacheMgr::PutThumbnail(const QImage& picture, int i) {
    if (i < 0)
        return;
    if (i >= std::numeric_limits<int>::max() / SlotWidth)
        throw AppError(QStringLiteral("Too many thumbnails"));
    // The count grows first, so slot numbers stay in step with the caller's list even when the
    // strip cannot be had; the slot then shows black.
    count_ = std::max(i + 1, count_);
    const int s = i / StripSlots;
    TCachedBitmap& strip = AcquireStrip(s, true);
    const QRect box(i * SlotWidth - s * StripWidth + 2, 2, ThumbSize, ThumbSize);
    QPainter painter(&strip.bitmap);
    painter.setClipRect(box); // a larger picture must not spill into the neighbouring slots
    painter.drawImage(box.topLeft(), picture);
    painter.end();
    strip.dirty = true;
}

void TThumbnailCacheMgr::DeleteThumbnail(int i) {
    if (i < 0 || i >= count_)
        return;
    const int s = i / StripSlots;
    const int last = (count_ - 1) / StripSlots;
    const int x = (i * SlotWidth) % StripWidth;

    TCachedBitmap& first = AcquireStrip(s, false);
    for (int y = 0; y < StripHeight; ++y) {
        QRgb* row = PixelAt(first.bitmap, 0, y);
        std::memmove(row + x, row + x + SlotWidth, sizeof(QRgb) * (StripWidth - x - SlotWidth));
    }
    first.dirty = true;

    for (int t = s; t < last; ++t) {
        TCachedBitmap& left = AcquireStrip(t, false);
        TCachedBitmap& right = AcquireStrip(t + 1, false, &left);
        for (int y = 0; y < StripHeight; ++y) {
            QRgb* to = PixelAt(left.bitmap, StripWidth - SlotWidth, y);
            QRgb* from = PixelAt(right.bitmap, 0, y);
            std::memcpy(to, from, sizeof(QRgb) * SlotWidth);
            std::memmove(from, from + SlotWidth, sizeof(QRgb) * (StripWidth - SlotWidth));
        }
        left.dirty = true;
        right.dirty = true;
    }
    // The last 80 pixels of the last strip keep what they held: they lie beyond the count.
    --count_;
}

void TThumbnailCacheMgr::PaintStrip(QPainter& canvas, int scrollPosition, int viewWidth) {
    // The position is held back to the end of the thumbnails before the strips are chosen, so
    // an overshooting position shows the last thumbnail flush right also when the held-back
    // position lies in an earlier strip.
    const qint64 px = qint64(scrollPosition) * ScrollUnit;
    const qint64 pos = std::max<qint64>(0, std::min(px, qint64(count_) * SlotWidth - viewWidth));
    const int first = int(pos / StripWidth);
    const int last = int((pos + viewWidth) / StripWidth);
    // With no strips yet, strip 0 is made (black) and painted.
    const int known = std::max(StripCount(), 1);
    if (first >= known || last > known)
        return;

    const int off = -int(pos % StripWidth);
    const TCachedBitmap& left = AcquireStrip(first, false);
    canvas.drawImage(QPoint(off, 0), left.bitmap);
    if (last != first && last < StripCount()) {
        const TCachedBitmap& right = AcquireStrip(last, false, &left);
        canvas.drawImage(QPoint(off + StripWidth, 0), right.bitmap);
    }
}

TCachedBitmap& TThumbnailCacheMgr::AcquireStrip(int s, bool write, const TCachedBitmap* keep) {
    for (TCachedBitmap* strip : resident_) {
        if (strip && strip->stripIndex == s) {
            strip->lastUse = tick_();
            return *strip;
        }
    }
    while (StripCount() <= s)
        AppendStrip();

    TCachedBitmap& strip = *strips_[s];
    const QString readError = LoadStrip(strip);
    const int slot = write ? WriteSlot : ChooseReadSlot(keep);
    if (TCachedBitmap* victim = resident_[slot]) {
        try {
            UnloadStrip(*victim);
        } catch (const AppError&) {
            // The victim keeps its slot and its unsaved picture; the strip asked for goes back
            // to living in its file, as before the call.
            strip.bitmap = QImage();
            strip.dirty = false;
            throw;
        }
    }
    resident_[slot] = &strip;
    if (!readError.isEmpty())
        throw AppError(readError);
    return strip;
}

int TThumbnailCacheMgr::ChooseReadSlot(const TCachedBitmap* keep) const {
    for (int slot = 0; slot < ReadSlots; ++slot) {
        if (!resident_[slot])
            return slot;
    }
    // The oldest last use wins; a slot replaces the running choice only when strictly older, so
    // of equal ages the lowest slot is taken. Ages are tick differences, so the comparison
    // survives the counter's wrap-around.
    const quint32 now = tick_();
    int best = -1;
    quint32 bestAge = 0;
    for (int slot = 0; slot < ReadSlots; ++slot) {
        if (resident_[slot] == keep)
            continue;
        const quint32 age = now - resident_[slot]->lastUse;
        if (best < 0 || age > bestAge) {
            best = slot;
            bestAge = age;
        }
    }
    return best;
}

void TThumbnailCacheMgr::AppendStrip() {
    const int index = StripCount();
    strips_.push_back(std::make_unique<TCachedBitmap>(index, StripFilePath(index), tick_()));
    strips_.back()->defaultSlots.assign(StripSlots, false);
}

QString TThumbnailCacheMgr::LoadStrip(TCachedBitmap& strip) {
    strip.lastUse = tick_();
    if (!strip.bitmap.isNull())
        return {};
    if (!strip.materialized) {
        // First use: black, with the default thumbnail in the slots that hold it.
        strip.bitmap = BlackStrip();
        strip.materialized = true;
        strip.dirty = true;
        QPainter painter(&strip.bitmap);
        for (int slot = 0; slot < StripSlots; ++slot)
            if (strip.defaultSlots[slot])
                painter.drawImage(QPoint(slot * SlotWidth + 2, 2), defaultTile_,
                                  QRect(0, 0, ThumbSize, ThumbSize));
        strip.defaultSlots.clear();
        return {};
    }
    QFile file(strip.filePath);
    if (!file.exists()) {
        // A strip whose file was removed behind our back is black (say, by someone emptying the
        // temporary folder): its thumbnails are gone and the slots show black until they are
        // rendered again.
        strip.bitmap = BlackStrip();
        return {};
    }
    QString error;
    QImage image;
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read %1: %2").arg(strip.filePath, file.errorString());
    } else {
        try {
            TJPEGImage jpeg;
            jpeg.LoadFromBytes(file.readAll());
            image = jpeg.Image();
        } catch (const AppError& e) {
            error = QStringLiteral("Cannot read %1: %2").arg(strip.filePath, e.Message());
        }
        if (error.isEmpty() && image.size() != QSize(StripWidth, StripHeight))
            error = QStringLiteral("Cannot read %1: not a thumbnail strip").arg(strip.filePath);
    }
    if (!error.isEmpty()) {
        // The strip comes back black and replaces the bad file when it is next written out.
        strip.bitmap = BlackStrip();
        strip.dirty = true;
        return error;
    }
    strip.bitmap = image.convertToFormat(QImage::Format_RGB32);
    return {};
}

void TThumbnailCacheMgr::UnloadStrip(TCachedBitmap& strip) {
    if (strip.bitmap.isNull())
        return;
    if (strip.dirty) {
        // Throws with the picture still in place, so a failed write loses nothing.
        WriteFileAtomically(strip.filePath, EncodeJpeg(strip.bitmap, StripJpegQuality));
        strip.dirty = false;
    }
    strip.bitmap = QImage();
}
