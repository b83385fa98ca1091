// One of the seven coloured lights of a state.
#pragma once

#include "SceneBlocks.h"

class TItem;

constexpr int LightCount = 7;

// The light block is the base, so a light reads as Light.Enabled,
// Light.Position... and Block() gives the 84 bytes that are stored and copied.
class TLightItem : public TLightBlock {
public:
    TLightItem(int index, TItem *owner);
    TLightItem(const TLightItem &) = delete;
    TLightItem &operator=(const TLightItem &) = delete;

    TLightBlock &Block() { return *this; }
    const TLightBlock &Block() const { return *this; }

    // Sets OpenGL light Index from the block, or switches it off.
    void Apply() const;

    int Index;     // 0..6, the OpenGL light number
    TItem *Owner;  // not owned
};
