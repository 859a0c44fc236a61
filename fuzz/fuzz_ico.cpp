// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the icon decoder.
#include "RasterFuzz.h"
#include "imaging/IconImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzRaster<TIcon>(data, size);
}
