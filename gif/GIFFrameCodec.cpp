// Turning a frame's bitmap into its stored GIF data and back.
#include "KitGIF.h"

#include "BmpImage.h"
#include "Exceptions.h"
#include "GIFErrors.h"
#include "LittleEndian.h"
#include "LZWDecoder.h"
#include "LZWEncoder.h"

#include <algorithm>

namespace {

// Frames beyond this many pixels (4096 by 4096) are refused rather than
// allocated: a few bytes of a file must not claim gigabytes. The cap counts
// pixels, so a wide strip of 65535 by 256 still decodes.
constexpr int64_t kMaxFramePixels = 16LL * 1024 * 1024;
// Nor may the pictures decoded for all frames together exceed four such
// frames: a file of many tiny frames that each claim the whole size would
// otherwise still fill the memory once every frame is drawn.
constexpr int64_t kMaxImagePixels = 4 * kMaxFramePixels;

}  // namespace

std::vector<uint8_t> TGIFFrame::EncodeBitmap()
{
    if (Bitmap.isNull())
        throw EInvalidGraphicOperation(kNoGIFData);
    std::vector<uint8_t> bmp;
    if (HasColorTable(Bitmap)) {
        bmp = ImageToBmp(Bitmap);
    } else {
        const TReductionMethod method = GrayScale ? rmGrayscale : GIFDefaultReductionMethod;
        if (method == rmGrayscale)
            GrayScale = true;
        bmp = BitmapToReducedStream(Bitmap, TPixelFormat::pf8bit, method);
    }
    EncodeDIBStream(bmp);
    return bmp;
}

void TGIFFrame::EncodeDIBStream(const std::vector<uint8_t> &bmp)
{
    if (bmp.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize)
        throw EInvalidGraphicOperation(kGIFEncodeError);
    const int bits = static_cast<int>(GetLE16(&bmp[kBmpFileHeaderSize + 14]));
    if (bits != 1 && bits != 4 && bits != 8)
        throw EInvalidGraphicOperation(kGIFEncodeError);
    const TBmpLayout layout = ParseBmp(bmp);
    Interlaced = false;
    BuildColorTable(Item->ColorMap, &bmp[layout.paletteOffset], layout.colors);
    Item->ImageData.emplace();
    try {
        GIFEncodeLZW(*Item->ImageData, layout.width, layout.height, bits, &bmp[layout.pixelOffset],
                     Owner ? Owner->OnProgress : TProgressEvent());
    } catch (const EAbort &) {
        NewImage();
        throw;
    }
    Item->BitsPerPixel = static_cast<uint8_t>(BitsForColorCount(Item->ColorMap.Count));
    if (Owner && Owner->Data->ColorMap.Count == 0) {
        Owner->Data->ColorMap = Item->ColorMap;
        Owner->Data->BitsPerPixel = Item->BitsPerPixel;
        LocalColors = false;
    } else {
        LocalColors = true;
    }
    Item->Width = layout.width;
    Item->Height = layout.height;
    if (Owner) {
        Owner->ScreenWidth = static_cast<uint16_t>(std::max<int32_t>(Owner->ScreenWidth, Item->Width + Left));
        Owner->ScreenHeight = static_cast<uint16_t>(std::max<int32_t>(Owner->ScreenHeight, Item->Height + Top));
    }
}

int TGIFFrame::BitmapDepth() const
{
    const int bits = Item->BitsPerPixel;
    if (bits == 1)
        return 1;
    if (bits >= 2 && bits <= 4)
        return 4;
    if (bits >= 5 && bits <= 8)
        return 8;
    throw EInvalidGraphicOperation(kWrongColorCount);
}

std::vector<uint8_t> TGIFFrame::SaveToBitmapStream()
{
    const int depth = BitmapDepth();
    const int64_t pixels = static_cast<int64_t>(Item->Width) * Item->Height;
    if (pixels > kMaxFramePixels || (Owner && Owner->DecodedPixels + pixels > kMaxImagePixels))
        throw EInvalidGraphicOperation(kGIFTooLarge);
    const int colors = 1 << depth;
    std::vector<uint8_t> bmp = NewBmp(Item->Width, Item->Height, depth, colors);
    const TBmpLayout layout = ParseBmp(bmp);
    for (int i = 0; i < colors; ++i) {
        uint8_t *entry = &bmp[layout.paletteOffset + 4 * i];
        if (i < Item->ColorMap.Count) {
            const auto &c = Item->ColorMap.Colors[static_cast<size_t>(i)];
            entry[0] = c[2];
            entry[1] = c[1];
            entry[2] = c[0];
        } else {
            std::fill(entry, entry + 4, 128);
        }
    }
    TDecodeTarget target;
    target.width = Item->Width;
    target.height = Item->Height;
    target.bits = depth;
    target.stride = layout.stride;
    target.block = &bmp[layout.pixelOffset];
    const std::vector<uint8_t> noData;
    Corrupted |= GIFDecodeLZW(Item->ImageData ? *Item->ImageData : noData, target, Interlaced,
                              Item->BitsPerPixel, GIFAcceptCorrupt,
                              Owner ? Owner->OnProgress : TProgressEvent());
    if (Owner)
        Owner->DecodedPixels += pixels;
    return bmp;
}
