// How far the drop shadow widens a state's image on each side, in model
// units (the button spans -1..1): the image grows towards where the shadow
// falls, so that the shadow is not cut off. The camera frames the image with
// these margins and the caption keeps to the button inside them, in draft
// mode too, so that nothing jumps when the full render follows.
#pragma once

#include "SceneBlocks.h"

struct TShadowMargins {
    float Left = 0, Right = 0, Bottom = 0, Top = 0;
};

// All 0 while the shadow is off; an offset that is not finite counts as 0.
TShadowMargins ShadowMargins(const TShadowBlock &shadow);

// The shadow's offsets as drawn: an offset that is not finite counts as 0.
float ShadowOffsetX(const TShadowBlock &shadow);
float ShadowOffsetY(const TShadowBlock &shadow);
