#include "GlyphCache.h"

#include <algorithm>

int TGlyphList::AddGlyphMasked(const QImage &image, TColor transparentColor)
{
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb leftOut = ColorToQRgb(transparentColor) & 0xFFFFFF;
    for (int y = 0; y < masked.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] & 0xFFFFFF) == leftOut)
                line[x] = 0;
    }
    const auto freeSlot = std::find(FUsed.begin(), FUsed.end(), false);
    const size_t slot = size_t(freeSlot - FUsed.begin());
    if (freeSlot == FUsed.end()) {
        FImages.emplace_back();
        FUsed.push_back(false);
    }
    FImages[slot] = masked;
    FUsed[slot] = true;
    ++FCount;
    return int(slot);
}

void TGlyphList::DeleteGlyph(int slot)
{
    if (slot < 0 || size_t(slot) >= FUsed.size() || !FUsed[size_t(slot)])
        return;
    FUsed[size_t(slot)] = false;
    --FCount;
}

TGlyphList &TGlyphCache::ListFor(int width, int height)
{
    const auto found = std::find_if(FLists.rbegin(), FLists.rend(), [&](const auto &list) {
        return list->Width() == width && list->Height() == height;
    });
    if (found != FLists.rend())
        return **found;
    FLists.push_back(std::make_unique<TGlyphList>(width, height));
    return *FLists.back();
}

void TGlyphCache::ReleaseList(TGlyphList &list)
{
    if (list.Count() > 0)
        return;
    FLists.erase(std::remove_if(FLists.begin(), FLists.end(), [&](const auto &held) { return held.get() == &list; }),
                 FLists.end());
}

namespace {
std::unique_ptr<TGlyphCache> TheCache;
}

TGlyphCache *GlyphCache() { return TheCache.get(); }

TGlyphCache &AcquireGlyphCache()
{
    if (!TheCache)
        TheCache = std::make_unique<TGlyphCache>();
    return *TheCache;
}

void ReleaseGlyphCacheIfEmpty()
{
    if (TheCache && TheCache->IsEmpty())
        TheCache.reset();
}
