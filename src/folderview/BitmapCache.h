// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

// Thumbnail geometry, shared by the cache, the loader and the filmstrip.
constexpr int ThumbSize = 76;   // side of a rendered thumbnail
constexpr int SlotWidth = 80;   // pitch of the slots along a strip; a slot is 80 x 80
constexpr int StripSlots = 150; // slots per strip
constexpr int ScrollUnit = 20;  // pixels per filmstrip scroll unit
constexpr int StripWidth = StripSlots * SlotWidth; // 12000
constexpr int StripHeight = SlotWidth;             // 80

// A millisecond counter that wraps around after 2^32 ms; only differences are meaningful.
using TickSource = std::function<quint32()>;
// Milliseconds since the program started.
quint32 SystemTick();

// One strip of 150 slots: a 12000 x 80 picture while it is in memory, a JPEG file otherwise.
class TCachedBitmap {
public:
    TCachedBitmap(int stripIndex, QString filePath, quint32 tick);
    // Frees the picture and deletes the strip's file.
    ~TCachedBitmap();
    TCachedBitmap(const TCachedBitmap&) = delete;
    TCachedBitmap& operator=(const TCachedBitmap&) = delete;

    QImage bitmap;    // null while the strip lives only in its file
    QString filePath; // the strip's JPEG file
    bool dirty = false;
    // False until the strip first gets a picture. Until then it has no file and stands for a
    // black strip with the default thumbnail in the slots marked in `defaultSlots`.
    bool materialized = false;
    std::vector<bool> defaultSlots;
    quint32 lastUse = 0;
    int stripIndex = 0;
};

// The thumbnails of one folder, one 80 x 80 slot per file in filmstrip order, packed into strips
// of which at most four are in memory: three acquired for reading (painting) and one for writing.
// The other strips are JPEG files named CacheBase + three-digit strip number + ".jpg".
//
// Everything runs on the UI thread. Errors are AppError: a strip file that cannot be written
// (disk full, temporary folder gone) leaves the strip in memory with its pictures, so nothing is
// lost and a later call tries again; a strip file that has vanished reads back black.
class TThumbnailCacheMgr {
public:
    // Strip files go to the program's temporary folder, named after this cache's number
    // ("tn001", "tn002", ... in creation order).
    TThumbnailCacheMgr();
    // Strip files go to `folder` instead (tests), with the same numbering; `tick` replaces the
    // system's millisecond counter when given.
    explicit TThumbnailCacheMgr(const QString& folder, TickSource tick = {});
    ~TThumbnailCacheMgr();
    TThumbnailCacheMgr(const TThumbnailCacheMgr&) = delete;
    TThumbnailCacheMgr& operator=(const TThumbnailCacheMgr&) = delete;

    // PutThumbnail(picture, ThumbnailCount()).
    void AddThumbnail(const QImage& picture);
    // The picture of a file whose thumbnail is not rendered yet.
    void SetDefaultTile(const QImage& tile) { defaultTile_ = tile; }
    // AddThumbnail(default tile), without touching the disk: a strip that holds nothing else
    // yet is only drawn when it is first needed, so opening a folder of thousands of files
    // writes no strip files.
    void AddDefaultThumbnail();
    // Draws the picture unscaled into slot i at offset (2, 2); the count grows to i + 1 when
    // needed. Strips up to i's strip are created on the way.
    void PutThumbnail(const QImage& picture, int i);
    // Removes slot i and moves every later slot one to the left. Out-of-range indexes do nothing.
    // When a strip cannot be written on the way, the count stays and the slots after i may be
    // moved only in part (they show the wrong thumbnails until rendered again).
    void DeleteThumbnail(int i);
    int ThumbnailCount() const { return count_; }
    // Paints the slots visible at `scrollPosition` (in scroll units) in a view `viewWidth` pixels
    // wide onto the painter at x = 0. A position past the end is held back so that the last
    // thumbnail stays flush with the right edge.
    void PaintStrip(QPainter& canvas, int scrollPosition, int viewWidth);

    // Path prefix of this cache's strip files; empty until the temporary folder is known.
    const QString& CacheBase() const { return cacheBase_; }
    int CacheNumber() const { return cacheNumber_; }
    // The file that holds strip `strip`.
    QString StripFilePath(int strip);
    int StripCount() const { return int(strips_.size()); }
    // The resident slot (0..3) holding the strip, or -1 when it lives only in its file.
    int ResidentSlotOf(int strip) const;

    // Starts the numbering of caches afresh (tests).
    static void ResetCacheCounter();

private:
    static constexpr int ReadSlots = 3;
    static constexpr int WriteSlot = 3;

    // Returns strip s in memory, creating strips up to s when needed. `keep` is a strip the
    // caller still works on, never chosen for eviction.
    TCachedBitmap& AcquireStrip(int s, bool write, const TCachedBitmap* keep = nullptr);
    // Stamps the strip's last use and gives it its picture, read from its file when needed.
    // Returns the reason when the file could not be read (the strip is black then).
    QString LoadStrip(TCachedBitmap& strip);
    // Writes a changed picture to the strip's file and frees it. Throws AppError when the file
    // cannot be written; the picture stays then.
    void UnloadStrip(TCachedBitmap& strip);
    // Appends the next strip, not yet drawn.
    void AppendStrip();
    int ChooseReadSlot(const TCachedBitmap* keep) const;
    const QString& EnsureCacheBase();

    std::vector<std::unique_ptr<TCachedBitmap>> strips_;
    std::array<TCachedBitmap*, 4> resident_{};
    QString folder_; // empty: the program's temporary folder
    QString cacheBase_;
    int cacheNumber_ = 0;
    int count_ = 0;
    TickSource tick_;
    QImage defaultTile_;
};
