// Feeds arbitrary bytes to the GIF reader, decodes every frame it keeps and
// writes the image back: nothing may crash or touch memory outside a buffer;
// only the reader's own errors may come out.
#include "Exceptions.h"
#include "KitGIF.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TGIFImage gif;
    try {
        gif.ReadBytes(data, size, true);
        for (const auto &frame : gif.Frames)
            frame->GetBitmap();
        if (!gif.Frames.empty())
            gif.BuildFile();
    } catch (const Exception &) {
        // Damaged input ends in one of the documented errors.
    }
    return 0;
}
