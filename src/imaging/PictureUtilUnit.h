// SPDX-License-Identifier: MIT
#pragma once

// The picture utilities in one include: the format table and path rules, the picture holder
// and its graphic kinds, loading fitted into a box, transforms, and saving with conversion.
#include "imaging/ImageFormats.h"
#include "imaging/Picture.h"
#include "imaging/PictureLoading.h"
#include "imaging/PictureSaving.h"
#include "imaging/PictureTransforms.h"
