// The fixed-size blocks that describe how a button state looks. Each block is
// stored on disk, in the property libraries and in the copy buffers as its raw
// bytes, padding included, so every layout here is exact and checked by the
// static assertions at the end. Padding is an explicit, zero-initialised
// member: the bytes written for a new object are always the same.
#pragma once

#include "PackedColor.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

// A colour as OpenGL takes it: red, green, blue, alpha in 0..1.
struct TRGBA {
    float R = 0.0f;
    float G = 0.0f;
    float B = 0.0f;
    float A = 1.0f;

    const float *data() const { return &R; }
};

// A point of homogeneous coordinates, as OpenGL takes a light position.
struct TPoint4 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
    float W = 1.0f;

    const float *data() const { return &X; }
};

constexpr int TextureSide = 64;
constexpr int TextureBytes = TextureSide * TextureSide * 3;

// A 64 x 64 RGB texture, row 0 at the bottom of the picture.
struct TTextureBlock {
    uint8_t Enabled = 0;
    uint8_t Texels[TextureBytes] = {};
};

// The front-face material of the body.
struct TMaterialBlock {
    TRGBA Ambient{0.0f, 0.0f, 0.95f, 1.0f};
    TRGBA Diffuse{0.2509f, 0.5019f, 0.5019f, 1.0f};
    TRGBA Specular{0.5098f, 0.5098f, 0.5098f, 1.0f};
    int32_t Shininess = 64;  // 1..128
    TRGBA Emission{0.0f, 0.0f, 0.0f, 1.0f};
};

// The outline in the square -1..1: eight angles in degrees going round
// counter-clockwise. They are stored in the order A0, A7, A1 ... A6.
struct TShapeBlock {
    int32_t A0 = 45;
    int32_t A7 = 315;
    int32_t A1 = 90;
    int32_t A2 = 90;
    int32_t A3 = 135;
    int32_t A4 = 225;
    int32_t A5 = 270;
    int32_t A6 = 270;
    // tan A0, tan A7, cot A1, cot A2, tan(180-A3), tan(180-A4), cot(180-A5),
    // cot(180-A6): recomputed before every use, never trusted when read.
    float Derived[8] = {};
};

// The profile along which the outline is swept upwards.
struct TDeformationBlock {
    int32_t D0 = 36;
    int32_t D1 = 66;
    int32_t D2 = 66;
    int32_t D3 = 90;
    float TopHeight = 1.0f;
    // tan D0, cot D1, cot D2, TopHeight * cot D3: recomputed before every use.
    float Derived[4] = {};
    float ScaleX = 0.0f;
    float ScaleY = 0.0f;
};

// The flat drop shadow, offset in model units (the button spans -1..1).
struct TShadowBlock {
    uint8_t Enabled = 0;
    uint8_t Pad[3] = {};
    float DX = 0.1f;
    float DY = 0.1f;
    TColor Color = 0;
};

// One OpenGL light.
struct TLightBlock {
    uint8_t Enabled = 0;
    uint8_t Pad[3] = {};
    TRGBA Ambient{0.0f, 0.0f, 0.0f, 1.0f};
    TRGBA Diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    TRGBA Specular{1.0f, 1.0f, 1.0f, 1.0f};
    TPoint4 Position{20.0f, 0.0f, 10.0f, 1.0f};
    float Radius = 20.0f;                       // distance from the z axis
    float Angle = 0.0f;                         // azimuth in degrees
    float Depth = 10.0f;                        // height, equal to Position z
    float Reserved = 1.0f;
};

// The size and background of a state's image, moved as one block.
struct TSizeGroup {
    int32_t Width = 100;   // 1..250
    int32_t Height = 30;   // 1..250
    TRGBA Background{1.0f, 1.0f, 1.0f, 1.0f};
    uint8_t Antialias = 1;  // render at twice the size and reduce
    uint8_t Pad[3] = {};
};

// The caption's text shadow, offset in pixels (DX right, DY up).
struct TTextShadowGroup {
    uint8_t TextShadow = 0;
    uint8_t TextShadowPad[3] = {};
    int32_t TextShadowDX = 2;
    int32_t TextShadowDY = 2;
    TColor TextShadowColor = 0;
};

template <typename Block>
constexpr bool IsRawBlock = std::is_standard_layout_v<Block> && std::is_trivially_copyable_v<Block>;

static_assert(sizeof(TRGBA) == 16 && IsRawBlock<TRGBA>);
static_assert(sizeof(TPoint4) == 16 && IsRawBlock<TPoint4>);
static_assert(sizeof(TTextureBlock) == 12289 && IsRawBlock<TTextureBlock>);
static_assert(sizeof(TMaterialBlock) == 68 && IsRawBlock<TMaterialBlock>);
static_assert(offsetof(TMaterialBlock, Shininess) == 48 && offsetof(TMaterialBlock, Emission) == 52);
static_assert(sizeof(TShapeBlock) == 64 && IsRawBlock<TShapeBlock>);
static_assert(offsetof(TShapeBlock, A7) == 4 && offsetof(TShapeBlock, Derived) == 32);
static_assert(sizeof(TDeformationBlock) == 44 && IsRawBlock<TDeformationBlock>);
static_assert(offsetof(TDeformationBlock, Derived) == 20 && offsetof(TDeformationBlock, ScaleX) == 36);
static_assert(sizeof(TShadowBlock) == 16 && IsRawBlock<TShadowBlock>);
static_assert(offsetof(TShadowBlock, DX) == 4 && offsetof(TShadowBlock, Color) == 12);
static_assert(sizeof(TLightBlock) == 84 && IsRawBlock<TLightBlock>);
static_assert(offsetof(TLightBlock, Position) == 52 && offsetof(TLightBlock, Radius) == 68);
static_assert(sizeof(TSizeGroup) == 28 && IsRawBlock<TSizeGroup>);
static_assert(offsetof(TSizeGroup, Background) == 8 && offsetof(TSizeGroup, Antialias) == 24);
static_assert(sizeof(TTextShadowGroup) == 16 && IsRawBlock<TTextShadowGroup>);
static_assert(offsetof(TTextShadowGroup, TextShadowDX) == 4);
