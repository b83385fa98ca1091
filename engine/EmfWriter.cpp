#include "EmfWriter.h"

#include "LittleEndian.h"
#include "MaskPair.h"

#include <cmath>

namespace {

constexpr uint32_t EmrHeader = 1;
constexpr uint32_t EmrEof = 14;
constexpr uint32_t EmrStretchDiBits = 81;
constexpr uint32_t EmfSignature = 0x464D4520;  // " EMF"

// The reference device: a 96-dpi screen of 1920 x 1440 pixels, 508 x 381 mm.
constexpr int DeviceWidth = 1920;
constexpr int DeviceHeight = 1440;
constexpr int DeviceWidthMm = 508;
constexpr int DeviceHeightMm = 381;

void PutRect(TLittleEndianWriter &out, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    out.PutI32(left);
    out.PutI32(top);
    out.PutI32(right);
    out.PutI32(bottom);
}

// Pixels to hundredths of a millimetre on the reference device.
int32_t HundredthsMm(int pixels) { return int32_t(std::lrint(pixels * 2540.0 / 96.0)); }

void PutHeader(TLittleEndianWriter &out, int width, int height, uint32_t fileBytes, uint32_t records)
{
    out.PutU32(EmrHeader);
    out.PutU32(EmfHeaderSize);
    PutRect(out, 0, 0, width - 1, height - 1);  // bounds, inclusive, in pixels
    PutRect(out, 0, 0, HundredthsMm(width) - 1, HundredthsMm(height) - 1);  // frame
    out.PutU32(EmfSignature);
    out.PutU32(0x10000);  // version
    out.PutU32(fileBytes);
    out.PutU32(records);
    out.PutU16(1);  // handles: only the reserved handle 0
    out.PutU16(0);  // reserved
    out.PutU32(0);  // no description
    out.PutU32(0);
    out.PutU32(0);  // no palette
    out.PutI32(DeviceWidth);
    out.PutI32(DeviceHeight);
    out.PutI32(DeviceWidthMm);
    out.PutI32(DeviceHeightMm);
    out.PutU32(0);  // no pixel format
    out.PutU32(0);
    out.PutU32(0);  // no OpenGL records
    out.PutU32(DeviceWidthMm * 1000);
    out.PutU32(DeviceHeightMm * 1000);
}

void PutStretchDiBits(TLittleEndianWriter &out, const TMaskedDib &dib, int width, int height)
{
    const auto infoOffset = uint32_t(EmfStretchDiBitsFixedSize);
    const auto bitsOffset = uint32_t(infoOffset + dib.Info.size());
    out.PutU32(EmrStretchDiBits);
    out.PutU32(uint32_t(bitsOffset + dib.Bits.size()));
    PutRect(out, 0, 0, width - 1, height - 1);
    out.PutI32(0);  // destination x, y
    out.PutI32(0);
    out.PutI32(0);  // source x, y, width, height
    out.PutI32(0);
    out.PutI32(width);
    out.PutI32(height);
    out.PutU32(infoOffset);
    out.PutU32(uint32_t(dib.Info.size()));
    out.PutU32(bitsOffset);
    out.PutU32(uint32_t(dib.Bits.size()));
    out.PutU32(0);  // colour usage: RGB colour table
    out.PutU32(dib.Rop);
    out.PutI32(width);  // destination width, height
    out.PutI32(height);
    out.PutBytes(dib.Info);
    out.PutBytes(dib.Bits);
}

void PutEof(TLittleEndianWriter &out)
{
    out.PutU32(EmrEof);
    out.PutU32(EmfEofSize);
    out.PutU32(0);   // no palette entries
    out.PutU32(16);  // where they would start
    out.PutU32(EmfEofSize);
}

}  // namespace

QByteArray WriteEmf(const QImage &picture, uint32_t transparent)
{
    const int width = picture.width();
    const int height = picture.height();
    TLittleEndianWriter body;
    for (const TMaskedDib &dib : MakeMaskPair(picture, transparent))
        PutStretchDiBits(body, dib, width, height);
    PutEof(body);

    TLittleEndianWriter out;
    PutHeader(out, width, height, uint32_t(EmfHeaderSize + body.Size()), 4);
    out.PutBytes(body.Bytes());
    return out.Bytes();
}
