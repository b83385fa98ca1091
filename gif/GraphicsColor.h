// Colours as the program stores them: R + G shl 8 + B shl 16 for a plain
// colour, negative for a colour of the desktop's scheme, plus two markers.
#pragma once

#include "PackedColor.h"

#include <QRgb>
#include <cstdint>

constexpr TColor clNone = 0x1FFFFFFF;     // no colour (no transparency)
constexpr TColor clDefault = 0x20000000;  // take the bitmap's bottom-left pixel
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;

// Scheme colours: the high bit set, the low byte naming the role.
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;

// The plain value of a scheme colour (read from the application palette);
// every other value is returned unchanged.
TColor ColorToRGB(TColor color);

inline int RedOf(TColor color) { return color & 0xFF; }
inline int GreenOf(TColor color) { return (color >> 8) & 0xFF; }
inline int BlueOf(TColor color) { return (color >> 16) & 0xFF; }

inline TColor RGBToColor(int red, int green, int blue)
{
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

// Conversions to and from Qt's 0xAARRGGBB values (alpha dropped).
inline QRgb ColorToQRgb(TColor color)
{
    const TColor plain = ColorToRGB(color);
    return qRgb(RedOf(plain), GreenOf(plain), BlueOf(plain));
}

inline TColor QRgbToColor(QRgb rgb) { return RGBToColor(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
