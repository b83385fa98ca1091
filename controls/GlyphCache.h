// The state images of the speed buttons' glyphs, kept once per process:
// every glyph of one size puts its images into the same list, and a list
// lives while it holds images.
#pragma once

#include "GraphicsColor.h"

#include <QImage>
#include <memory>
#include <vector>

// Images of one size in numbered slots. A new image takes the lowest free
// slot, or a new one at the end; deleting only frees the slot.
class TGlyphList {
public:
    TGlyphList(int width, int height) : FWidth(width), FHeight(height) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Images in use.
    int Count() const { return FCount; }

    // Adds the image with every pixel of the transparent colour see-through;
    // returns its slot.
    int AddGlyphMasked(const QImage &image, TColor transparentColor);
    void DeleteGlyph(int slot);
    const QImage &Image(int slot) const { return FImages[size_t(slot)]; }

private:
    int FWidth;
    int FHeight;
    int FCount = 0;
    std::vector<QImage> FImages;
    std::vector<bool> FUsed;
};

class TGlyphCache {
public:
    // The list for images of that size, made when there is none yet.
    TGlyphList &ListFor(int width, int height);
    // Frees the list when it holds no image.
    void ReleaseList(TGlyphList &list);
    bool IsEmpty() const { return FLists.empty(); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FLists;
};

// The one cache: made with the first glyph, freed when the last glyph that
// used it is gone and it is empty (nullptr then).
TGlyphCache *GlyphCache();
TGlyphCache &AcquireGlyphCache();
void ReleaseGlyphCacheIfEmpty();
