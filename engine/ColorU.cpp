#include "ColorU.h"

#include <cmath>

namespace {

uint8_t ChannelToByte(float v)
{
    if (v > 1.0f)
        return 255;
    if (!(v > 0.0f))
        return 0;  // negative or NaN: no wrapped byte
    return uint8_t(std::nearbyint(double(v) * 255));
}

}  // namespace

TColor MakeRGB(int r, int g, int b)
{
    return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16;
}

uint8_t GetRed(TColor c)
{
    return uint8_t(c & 0xFF);
}

uint8_t GetGreen(TColor c)
{
    return uint8_t((c & 0xFF00) >> 8);
}

uint8_t GetBlue(TColor c)
{
    return uint8_t((c & 0xFF0000) >> 16);
}

TRGBA ColorToRGBA(TColor c)
{
    return {GetRed(c) / 255.0f, GetGreen(c) / 255.0f, GetBlue(c) / 255.0f, 1.0f};
}

uint8_t RedToByte(const TRGBA &v)
{
    return ChannelToByte(v.R);
}

uint8_t GreenToByte(const TRGBA &v)
{
    return ChannelToByte(v.G);
}

uint8_t BlueToByte(const TRGBA &v)
{
    return ChannelToByte(v.B);
}

TColor RGBAToColor(const TRGBA &v)
{
    return MakeRGB(RedToByte(v), GreenToByte(v), BlueToByte(v));
}
