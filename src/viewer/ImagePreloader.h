// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/Picture.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>

// Keeps the image the user is likely to step to next, loaded and decoded at the size it will be
// shown at, so that stepping to it does not wait for the file. One image is kept; it is used only
// while the file is unchanged (same size and modification time).
class TImagePreloader {
public:
    // The size a picture of the given natural size will be shown at.
    using DisplaySizeFor = std::function<QSize(QSize picture)>;

    struct Preloaded {
        TPicture picture;
        QImage display; // the picture's pixels for its display size
    };

    // Loads and decodes the file now; a file that fails is simply not kept (showing it later
    // reports the failure the usual way).
    void Preload(const QString& path, const DisplaySizeFor& displaySizeFor);
    // The kept image when it is the file at `path`, unchanged since; the keeper is emptied.
    std::optional<Preloaded> Take(const QString& path);
    bool Holds(const QString& path) const { return kept_ && kept_->path == path; }
    void Clear() { kept_.reset(); }

private:
    struct Entry {
        QString path;
        qint64 size = 0;
        QDateTime modified;
        Preloaded image;
    };
    std::optional<Entry> kept_;
};
