// SPDX-License-Identifier: MIT
// libFuzzer target: enhanced metafiles.
#include "MetafileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzMetafile(data, size);
}
