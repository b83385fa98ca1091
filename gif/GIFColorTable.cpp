// Colour tables of the GIF image: lookup of entries and the bits a table size
// needs.
#include "KitGIF.h"

#include "Exceptions.h"
#include "GIFErrors.h"

#include <algorithm>

TColor TGIFColorTable::Color(int index) const
{
    const auto &c = Colors[static_cast<size_t>(index)];
    return RGBToColor(c[0], c[1], c[2]);
}

bool TGIFColorTable::EntryEquals(int index, TColor color) const
{
    return color != clNone && index >= 0 && index < Count && Color(index) == (ColorToRGB(color) & 0xFFFFFF);
}

int TGIFColorTable::FindColorIndex(TColor color) const
{
    for (int i = 0; i < Count; ++i)
        if (EntryEquals(i, color))
            return i;
    return -1;
}

int ColorCountToBits(int count)
{
    for (int bits = 1; bits <= 8; ++bits)
        if (count == 1 << bits)
            return bits;
    throw EInvalidGraphicOperation(kWrongColorCount);
}

int BitsForColorCount(int count)
{
    int bits = 1;
    while ((1 << bits) < count)
        ++bits;
    return bits;
}

void BuildColorTable(TGIFColorTable &table, const uint8_t *bmpPalette, int colors)
{
    table = TGIFColorTable();
    table.Count = std::min(256, colors);
    for (int i = 0; i < table.Count; ++i) {
        const uint8_t *entry = bmpPalette + 4 * i;
        table.Colors[static_cast<size_t>(i)] = {entry[2], entry[1], entry[0]};
    }
}
