// SPDX-License-Identifier: MIT
#include "imaging/Picture.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/IconImage.h"
#include "imaging/JpegImage.h"
#include "imaging/PngImage.h"
// headers of the GIF and PCX kinds
#include "imaging/GifImage.h"
#include "imaging/PcxImage.h"
// header of the metafile kind
#include "imaging/Metafile.h"

#include <array>

namespace {

struct GraphicFactory {
    GraphicKind kind;
    std::unique_ptr<TGraphic> (*create)();
};

template <class T> std::unique_ptr<TGraphic> Make() {
    return std::make_unique<T>();
}

// The graphic class of every kind.
constexpr GraphicFactory Factories[] = {
    {GraphicKind::Jpeg, Make<TJPEGImage>},
    {GraphicKind::Bitmap, Make<TBitmap>},
    {GraphicKind::Icon, Make<TIcon>},
    {GraphicKind::Png, Make<TPNGObject>},
    // GIF and PCX kinds
    {GraphicKind::Gif, Make<TGIFImage>},
    {GraphicKind::Pcx, Make<TPcxImage>},
    // metafile kind
    {GraphicKind::Metafile, Make<TMetafile>},
};

} // namespace

std::unique_ptr<TGraphic> CreateGraphic(GraphicKind kind) {
    for (const GraphicFactory& factory : Factories)
        if (factory.kind == kind)
            return factory.create();
    throw AppError(QStringLiteral("This image format is not available"));
}

void TPicture::LoadFromFile(const QString& path, bool checkJpegNow) {
    graphic_.reset();
    const std::optional<GraphicKind> kind = ReadKindForPath(path);
    if (!kind) {
        const QString extension = ExtractExtension(path);
        throw AppError(QStringLiteral("Unknown picture file extension (%1)")
                           .arg(extension.isEmpty() ? QStringLiteral("none") : extension));
    }
    std::unique_ptr<TGraphic> graphic = CreateGraphic(*kind);
    graphic->LoadFromFile(path);
    // JPEG decoding is lazy; a picture loaded from a file is complete, so errors surface here.
    if (*kind == GraphicKind::Jpeg && checkJpegNow)
        static_cast<const TJPEGImage&>(*graphic).Decode();
    graphic_ = std::move(graphic);
}

void TPicture::Assign(const TGraphic& graphic) {
    graphic_ = graphic.Clone();
}

void TPicture::Assign(const TPicture& other) {
    if (&other == this)
        return;
    graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
}
