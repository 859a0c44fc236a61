// SPDX-License-Identifier: MIT
#include "imaging/PictureSaving.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/Metafile.h"
#include "imaging/Picture.h"
#include "imaging/PictureTransforms.h"

void ConvertToBitmap(TPicture& picture) {
    const TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Kind() == GraphicKind::Bitmap)
        return;
    picture.SetGraphic(std::make_unique<TBitmap>(DrawnOnBitmap(*graphic)));
}

void ConvertToMetafile(TPicture& picture) {
    const TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Kind() == GraphicKind::Metafile)
        return;
    std::unique_ptr<TGraphic> metafile = CreateGraphic(GraphicKind::Metafile);
    if (graphic->Kind() == GraphicKind::Bitmap)
        metafile->Assign(*graphic);
    else
        metafile->Assign(DrawnOnBitmap(*graphic));
    picture.SetGraphic(std::move(metafile));
}

void ConvertPicture(TPicture& picture, GraphicKind target) {
    // Direct first; when that fails, once more from a bitmap of the picture.
    for (int attempt = 0;; ++attempt) {
        const TGraphic* graphic = picture.Graphic();
        if (!graphic)
            throw AppError(QStringLiteral("There is no picture to convert"));
        if (graphic->Kind() == target)
            return;
        try {
            if (target == GraphicKind::Bitmap) {
                ConvertToBitmap(picture);
            } else if (target == GraphicKind::Metafile) {
                ConvertToMetafile(picture);
            } else {
                std::unique_ptr<TGraphic> converted = CreateGraphic(target);
                converted->Assign(*graphic);
                picture.SetGraphic(std::move(converted));
            }
            return;
        } catch (const AppError&) {
            if (attempt > 0 || target == GraphicKind::Bitmap ||
                picture.Graphic()->Kind() == GraphicKind::Bitmap)
                throw;
        }
        ConvertToBitmap(picture);
    }
}

void SavePictureAs(const TGraphic& graphic, const QString& path) {
    const GraphicKind kind = SaveKindForPath(path); // refuses ".ico"
    TPicture picture;
    picture.Assign(graphic);
    ConvertPicture(picture, kind);
    if (kind == GraphicKind::Metafile) // ".emf" enhanced, ".wmf" placeable
        static_cast<TMetafile*>(picture.Graphic())->SetEnhanced(IsEnhancedMetafilePath(path));
    picture.Graphic()->SaveToFile(path);
}
