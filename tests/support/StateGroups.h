// The property groups of a state as bytes, to compare what a copy, paste
// or exchange moved, and states that differ in every group.
#pragma once

#include "CopyBufferU.h"

#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

template <typename Block>
inline void Append(Bytes &bytes, const Block &block)
{
    const auto *p = reinterpret_cast<const uint8_t *>(&block);
    bytes.insert(bytes.end(), p, p + sizeof(Block));
}

inline void Append(Bytes &bytes, const std::string &text)
{
    Append(bytes, text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
}

inline void Append(Bytes &bytes, const TTextProp &p)
{
    Append(bytes, p.Text);
    for (const int32_t v : {p.VAlign, p.HAlign, p.TopMargin, p.LeftMargin, p.Color, p.Height, p.Size})
        Append(bytes, v);
    Append(bytes, p.FontName);
    for (const uint8_t v : {p.Charset, p.Pitch, p.Style, p.Smooth, p.Reserved})
        Append(bytes, v);
}

// Every member of one group, as bytes, from a buffer or from a state.
inline Bytes GroupBytes(const TCopyBuffer &b, int group)
{
    Bytes bytes;
    switch (group) {
    case pgText: Append(bytes, b.TextProp); break;
    case pgSize: Append(bytes, b.Size); break;
    case pgTexture: Append(bytes, b.Texture); break;
    case pgLights: Append(bytes, b.Lights); break;
    case pgMaterial: Append(bytes, b.Material); break;
    case pgShadow: Append(bytes, b.Shadow); Append(bytes, b.TextShadow); break;
    case pgShape: Append(bytes, b.Shape); break;
    case pgDeformation: Append(bytes, b.Deformation); break;
    }
    return bytes;
}

inline Bytes GroupBytes(const TItem &s, int group)
{
    TCopyBuffer b;
    b.TextProp = s.TextItem.Prop();
    b.Size = s.SizeGroup();
    b.Texture = s.ButtonItem.Texture;
    for (int i = 0; i < LightCount; ++i)
        b.Lights[size_t(i)] = s.Lights[size_t(i)].Block();
    b.Material = s.ButtonItem.Material;
    b.Shadow = s.ButtonItem.Shadow;
    b.TextShadow = s.TextItem.ShadowGroup();
    b.Shape = s.ButtonItem.Shape;
    b.Deformation = s.ButtonItem.Deformation;
    return GroupBytes(b, group);
}

// A state whose every group differs from a new state's; states made with
// different seeds differ from each other in every group too.
inline void MakeUnusual(TItem &s, int seed = 0)
{
    s.Name = "Source";
    s.Ambient = {0.5f, 0.5f, 0.5f, 1.0f};
    s.Dirty = 0;
    s.TextItem.Text = "Copied" + std::string(size_t(seed), '+');
    s.TextItem.Height = -20;
    s.TextItem.FontName = "Verdana";
    s.Width = 80 + seed;
    s.Antialias = 0;
    s.ButtonItem.Texture.Texels[7] = uint8_t(7 + seed);
    s.Lights[5].Enabled = 1;
    s.Lights[5].Radius = 2.0f + float(seed);
    s.Lights[5].Angle = 30.0f;
    s.Lights[5].Depth = 4.0f;
    s.ButtonItem.Material.Shininess = 3 + seed;
    s.ButtonItem.Shadow.Enabled = 1;
    s.TextItem.TextShadowColor = 0x00FF00;
    s.TextItem.TextShadowDX = -4 - seed;
    s.ButtonItem.Shape.A0 = 10 + seed;
    s.ButtonItem.Deformation.D3 = 80 - seed;
}
