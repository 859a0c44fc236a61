// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the GIF decoder, composes the frames of what it accepts, and checks
// that an accepted file can be written and read back with all its frames.
#include "imaging/AppError.h"
#include "imaging/GifImage.h"

#include <cstdint>
#include <cstdlib>

namespace {
// Composing allocates the whole screen; larger screens are only loaded, so that one input stays
// fast and within the fuzzer's memory limit. Past the second bound only the first and the last
// frame are asked for (which still walks every frame in between).
constexpr qint64 MaxComposedScreen = qint64(1) << 22;
constexpr qint64 MaxComposedWork = qint64(1) << 24;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TGIFImage gif;
    try {
        gif.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const AppError&) {
        return 0;
    }
    const qint64 screen = qint64(gif.Width()) * gif.Height();
    if (screen <= MaxComposedScreen) {
        if (screen * gif.FrameCount() <= MaxComposedWork) {
            for (int i = 0; i < gif.FrameCount(); ++i)
                gif.Frame(i);
        } else {
            gif.Frame(gif.FrameCount() - 1);
        }
        gif.ToImage();
    }

    TGIFImage again;
    again.LoadFromBytes(gif.SaveToBytes()); // anything read must be writable and readable
    if (again.FrameCount() != gif.FrameCount() || again.LoopCount() != gif.LoopCount())
        std::abort();
    return 0;
}
