// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the PCX decoder and checks that an accepted picture survives being
// written and read back pixel for pixel.
#include "imaging/AppError.h"
#include "imaging/PcxImage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPcxImage pcx;
    try {
        pcx.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const AppError&) {
        return 0;
    }
    if (pcx.Width() > 65535)
        return 0; // readable as one bit per pixel, but too wide for a 24-bit file
    TPcxImage again;
    again.LoadFromBytes(pcx.SaveToBytes());
    if (again.ToImage() != pcx.ToImage())
        std::abort();
    return 0;
}
