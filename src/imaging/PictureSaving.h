// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/ImageFormats.h"

#include <QString>

class TGraphic;
class TPicture;

// Writes the graphic to `path` in the format its extension names (any extension without a row
// gets bitmap data), converting a copy as needed; the caller's graphic is not changed. The
// file is written atomically: on any failure an existing file keeps its old contents. Throws
// AppError ("Saving as an Icon is not supported" for ".ico"), ConvertError when the target
// kind refuses the picture even as a bitmap.
void SavePictureAs(const TGraphic& graphic, const QString& path);

// Makes the picture hold a graphic of `target`: bitmap and metafile targets by a redraw, other
// kinds by the target kind taking the graphic over directly, else through a bitmap once.
void ConvertPicture(TPicture& picture, GraphicKind target);

// Redraws the picture's graphic at (0, 0) onto a new white bitmap of its size, which the
// picture then holds. Nothing happens when it already holds a bitmap (or nothing).
void ConvertToBitmap(TPicture& picture);

// Makes the picture hold a metafile of the graphic's size with the graphic embedded as a
// stretched bitmap record. Nothing happens when it already holds a metafile (or nothing).
void ConvertToMetafile(TPicture& picture);
