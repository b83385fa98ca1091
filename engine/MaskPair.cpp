#include "MaskPair.h"

#include "Dib.h"

namespace {

QByteArray BitmapInfo(const QImage &rgb888, uint16_t bits, int bitsBytes)
{
    TLittleEndianWriter out;
    TBitmapInfoHeader header;
    header.Width = rgb888.width();
    header.Height = rgb888.height();
    header.BitCount = bits;
    header.SizeImage = uint32_t(bitsBytes);
    header.ColorsUsed = bits == 1 ? 2 : 0;
    PutBitmapInfoHeader(out, header);
    if (bits == 1) {
        out.PutU32(0x000000);  // 0: black, the button
        out.PutU32(0xFFFFFF);  // 1: white, the transparent background
    }
    return out.Bytes();
}

}  // namespace

std::array<TMaskedDib, 2> MakeMaskPair(const QImage &picture, uint32_t transparent)
{
    const QImage rgb888 = AsRgb888(picture);
    TMaskedDib mask;
    mask.Bits = DibMaskBits(rgb888, transparent);
    mask.Info = BitmapInfo(rgb888, 1, int(mask.Bits.size()));
    mask.Rop = RopSrcAnd;
    TMaskedDib colors;
    colors.Bits = Dib24Bits(rgb888, transparent);
    colors.Info = BitmapInfo(rgb888, 24, int(colors.Bits.size()));
    colors.Rop = RopSrcPaint;
    return {mask, colors};
}
