// Feeds arbitrary bytes to the GIF reader, decodes every frame it keeps and
// writes the image back: nothing may crash or touch memory outside a buffer;
// only the reader's own errors may come out.
//
// Frames are decoded only up to 256 x 256 pixels: the decoder's paths are all
// there at that size, while the pictures of up to 4096 x 4096 pixels that the
// reader allows would make every input cost milliseconds of zero-filling.
#include "Exceptions.h"
#include "KitGIF.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int64_t MaxFuzzedPixels = 256 * 256;

bool Small(const TGIFFrame &frame) { return int64_t(frame.Item->Width) * frame.Item->Height <= MaxFuzzedPixels; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TGIFImage gif;
    try {
        // Read once without decoding to learn frame 0's size; a small one is
        // read again the way a load does, which decodes it.
        gif.ReadBytes(data, size, false);
        if (!gif.Frames.empty() && Small(*gif.Frames.front()))
            gif.ReadBytes(data, size, true);
        for (const auto &frame : gif.Frames)
            if (Small(*frame))
                frame->GetBitmap();
        if (!gif.Frames.empty())
            gif.BuildFile();
    } catch (const Exception &) {
        // Damaged input ends in one of the documented errors.
    }
    return 0;
}
