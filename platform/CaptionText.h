// Caption text drawn into a bitmap with fixed metrics, so that captions line
// up as the user designed them: the pixel size is points * 96 / 72 rounded
// half away from zero, the text cell is the ascent plus descent that the
// font's OS/2 table gives for clipping (room for every accent and
// descender), and the glyphs are greyscale-antialiased without kerning, the
// same in every drawing.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>

// Bits of TCaptionFont::Style.
constexpr uint8_t CaptionBold = 1;
constexpr uint8_t CaptionItalic = 2;
constexpr uint8_t CaptionUnderline = 4;
constexpr uint8_t CaptionStrikeOut = 8;

struct TCaptionFont {
    std::string Name = "Tahoma";
    int Size = 8;         // points
    uint8_t Style = 0;    // CaptionBold | CaptionItalic | ...
    uint8_t Charset = 1;  // character set number; 1 = the program's code page
    uint8_t Pitch = 0;    // 0 default, 1 variable, 2 fixed
};

// Decodes 8-bit text by the character set number a caption stores.
QString DecodeCharset(const std::string &bytes, uint8_t charset);

// A width x height 24-bit picture to draw caption text on.
class TCaptionCanvas {
public:
    TCaptionCanvas(int width, int height, const TCaptionFont &font);

    // The text's width and the height of its cell, in pixels.
    QSize TextExtent(const std::string &text) const;

    // Colours are packed R + G << 8 + B << 16.
    void Fill(uint32_t color);
    // Draws text with the top-left corner of its cell at (x, y).
    void DrawText(int x, int y, const std::string &text, uint32_t color);

    const QImage &Image() const { return image; }

private:
    QString Decode(const std::string &text) const;

    QImage image;
    QFont font;
    uint8_t charset;
    int ascent = 0;
    int descent = 0;
};
