// The caption's properties and a button's link properties: plain records
// that the copy buffers copy whole.
#pragma once

#include "SceneBlocks.h"

#include <string>

// Bits of TTextProp::Style.
enum TFontStyleBit : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

struct TTextProp {
    std::string Text;
    int32_t VAlign = 0;      // 0 centre, 1 top, any other value bottom
    int32_t HAlign = 0;      // 0 centre, 1 left, any other value right
    int32_t TopMargin = 0;   // added to the aligned position, down is positive
    int32_t LeftMargin = 0;  // added to the aligned position
    uint8_t Charset = 1;     // the font character set, 1 = the default
    TColor Color = 0xFFFFFF;
    int32_t Height = -11;  // never stored; Size decides the drawn height
    std::string FontName = "Tahoma";
    uint8_t Pitch = 0;  // 0 default, 1 variable, 2 fixed
    int32_t Size = 8;   // points
    uint8_t Style = fsBold;
    uint8_t Smooth = 1;  // antialiased merge of the caption
    uint8_t Reserved = 0;
};

struct TButtonProp {
    std::string Link = "#";
    std::string Alt = "menu";
    std::string Target = "_self";
};
