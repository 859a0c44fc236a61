// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the BMP decoder.
#include "RasterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzRaster<TBitmap>(data, size);
}
