// Two process-wide buffers that each hold one copy of every property group
// of a state: CopyBuffer serves the copy, paste and exchange commands,
// AutoCopyBuffer the automatic copy of the state panel. A copy always takes
// every group; a paste or an exchange applies only the groups its mode names.
// None of the operations marks a state dirty, marks the project modified or
// renders: the callers do.
#pragma once

#include "SceneU.h"

#include <array>

// Property groups shared with the copy commands and the automatic copy.
enum TPropGroup : int32_t {
    pgAll = -1,
    pgText = 0,         // the caption's whole TTextProp, text included
    pgSize = 1,         // width, height, background, antialias
    pgTexture = 2,
    pgLights = 3,       // all seven lights
    pgMaterial = 4,
    pgShadow = 5,       // the drop shadow and the text shadow
    pgShape = 6,
    pgDeformation = 7,
    pgNone = 8,         // any value from here on selects no group
};

struct TCopyBuffer {
    TTextProp TextProp;
    TTextureBlock Texture;
    std::array<TLightBlock, LightCount> Lights;
    TMaterialBlock Material;
    TSizeGroup Size;
    TShapeBlock Shape;
    TDeformationBlock Deformation;
    TShadowBlock Shadow;
    TTextShadowGroup TextShadow;
};

extern TCopyBuffer CopyBuffer;
extern TCopyBuffer AutoCopyBuffer;
extern bool BufFull;          // CopyBuffer holds a copy
extern int32_t BufMode;       // groups that paste and exchange apply from CopyBuffer
extern int32_t AutoBufMode;   // groups that the automatic paste applies

void CopyToBuffer(const TItem &state);
void PasteFromBuffer(TItem &state);
void ExchangeBuffer(TItem &state);
void CopyToAutoBuffer(const TItem &state);
void PasteFromAutoBuffer(TItem &state);
