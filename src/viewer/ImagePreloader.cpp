// SPDX-License-Identifier: MIT
#include "viewer/ImagePreloader.h"

#include "imaging/DisplayImage.h"

#include <QFileInfo>

void TImagePreloader::Preload(const QString& path, const DisplaySizeFor& displaySizeFor) {
    if (Holds(path))
        return;
    kept_.reset();
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    try {
        Entry entry;
        entry.path = path;
        entry.size = info.size();
        entry.modified = info.lastModified();
        entry.image.picture.LoadFromFile(path, false);
        const TGraphic* graphic = entry.image.picture.Graphic();
        if (!graphic)
            return;
        QSize shown = displaySizeFor(QSize(graphic->Width(), graphic->Height()));
        if (shown.isEmpty())
            shown = QSize(1, 1);
        entry.image.display = DisplayImageFor(*graphic, shown);
        kept_ = std::move(entry);
    } catch (const std::exception&) {
        // not kept; the viewer reports it when the file is shown
    }
}

std::optional<TImagePreloader::Preloaded> TImagePreloader::Take(const QString& path) {
    if (!Holds(path))
        return std::nullopt;
    Entry entry = std::move(*kept_);
    kept_.reset();
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != entry.size || info.lastModified() != entry.modified)
        return std::nullopt;
    return std::move(entry.image);
}
