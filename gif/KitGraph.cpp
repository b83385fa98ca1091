#include "KitGraph.h"

#include <cstdlib>
#include <cstring>

int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t RectWidth(const QRect &r) { return r.width(); }
int32_t RectHeight(const QRect &r) { return r.height(); }

TColor PaletteRGB(TColor color) { return ColorToRGB(color) | 0x02000000; }

void *AllocMemBlock(int32_t size)
{
    if (size < 1)
        return nullptr;
    return std::calloc(static_cast<size_t>(size), 1);
}

void FreeMemBlock(void *&p)
{
    std::free(p);
    p = nullptr;
}

bool CompareMemBlock(const void *p1, const void *p2, int32_t size)
{
    return size < 1 || std::memcmp(p1, p2, static_cast<size_t>(size)) == 0;
}

void *OffsetPointer(void *p, int32_t offset) { return static_cast<char *>(p) + offset; }

void CopyMemBlock(void *dest, const void *source, int32_t count)
{
    if (count > 0)
        std::memmove(dest, source, static_cast<size_t>(count));
}

std::string ResourceText(const std::string &s) { return s; }
