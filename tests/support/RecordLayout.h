// The layout of the button record in files, written down field by field: a
// reader of our own walks the bytes by this table and names every value, so a
// test compares a file with the value each field must hold. A field
// at the wrong offset, of the wrong width or with the wrong value shows as a
// wrong value under its name.
#pragma once

#include "StreamBytes.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

enum class TFieldKind { Str, I32, F32, U8, Zeros };

struct TField {
    std::string Name;
    TFieldKind Kind;
    int Count = 1;  // values in the field (bytes for Zeros)
};

using TFieldValues = std::map<std::string, std::string>;

// One state: name, size group, seven lights, the five look blocks, caption.
inline std::vector<TField> StateLayout()
{
    using K = TFieldKind;
    std::vector<TField> f = {{"Name", K::Str},          {"Ambient", K::F32, 4}, {"Width", K::I32},
                             {"Height", K::I32},        {"Background", K::F32, 4}, {"Antialias+pad", K::U8, 4}};
    for (int i = 0; i < 7; ++i) {
        const std::string l = "Light" + std::to_string(i) + ".";
        f.insert(f.end(), {{l + "Enabled+pad", K::U8, 4}, {l + "Ambient", K::F32, 4}, {l + "Diffuse", K::F32, 4},
                           {l + "Specular", K::F32, 4}, {l + "Position", K::F32, 4},
                           {l + "Radius,Angle,Depth,Reserved", K::F32, 4}});
    }
    f.insert(f.end(), {{"Texture.Enabled", K::U8},        {"Texels", K::Zeros, 64 * 64 * 3},
                       {"Material.Ambient", K::F32, 4},   {"Material.Diffuse", K::F32, 4},
                       {"Material.Specular", K::F32, 4},  {"Shininess", K::I32},
                       {"Material.Emission", K::F32, 4},  {"Shape.A0,A7,A1..A6", K::I32, 8},
                       {"Shape.Derived", K::F32, 8},      {"Deformation.D0..D3", K::I32, 4},
                       {"TopHeight", K::F32},             {"Deformation.Derived", K::F32, 4},
                       {"ScaleX,ScaleY", K::F32, 2},      {"Shadow.Enabled+pad", K::U8, 4},
                       {"Shadow.DX,DY", K::F32, 2},       {"Shadow.Color", K::I32},
                       {"Text", K::Str},                  {"VAlign,HAlign,TopMargin,LeftMargin", K::I32, 4},
                       {"Charset", K::U8},                {"Color", K::I32},
                       {"FontName", K::Str},              {"Pitch", K::U8},
                       {"Size", K::I32},                  {"Style,Smooth,Reserved", K::U8, 3},
                       {"TextShadow+pad", K::U8, 4},      {"TextShadow.DX,DY", K::I32, 2},
                       {"TextShadow.Color", K::I32}});
    return f;
}

inline std::vector<TField> ButtonLayout()
{
    std::vector<TField> f = {{"Name", TFieldKind::Str}, {"Link", TFieldKind::Str}, {"Alt", TFieldKind::Str},
                             {"Target", TFieldKind::Str}};
    for (int s = 0; s < 3; ++s)
        for (TField field : StateLayout()) {
            field.Name = "State" + std::to_string(s) + "." + field.Name;
            f.push_back(field);
        }
    return f;
}

// Walks bytes from offset by the layout; every value as text (floats to six
// digits, values of a field separated by blanks). Throws when the
// bytes end inside a field.
inline TFieldValues ReadFields(const std::vector<uint8_t> &bytes, size_t &offset, const std::vector<TField> &layout,
                               const std::string &prefix = "")
{
    TFieldValues values;
    const auto need = [&](size_t n) {
        if (offset + n > bytes.size())
            throw std::out_of_range("record ends inside a field");
    };
    for (const TField &field : layout) {
        std::string text;
        for (int i = 0; i < (field.Kind == TFieldKind::Zeros ? 1 : field.Count); ++i) {
            if (i > 0)
                text += " ";
            switch (field.Kind) {
            case TFieldKind::Str: {
                need(4);
                const size_t length = size_t(Int32At(bytes, offset));
                need(4 + length);
                text += TextAt(bytes, offset + 4, length);
                offset += 4 + length;
                break;
            }
            case TFieldKind::I32:
                need(4);
                text += std::to_string(Int32At(bytes, offset));
                offset += 4;
                break;
            case TFieldKind::F32: {
                need(4);
                char number[32];
                std::snprintf(number, sizeof number, "%g", double(SingleAt(bytes, offset)));
                text += number;
                offset += 4;
                break;
            }
            case TFieldKind::U8:
                need(1);
                text += std::to_string(bytes[offset++]);
                break;
            case TFieldKind::Zeros:
                need(size_t(field.Count));
                text = std::all_of(bytes.begin() + long(offset), bytes.begin() + long(offset) + field.Count,
                                   [](uint8_t b) { return b == 0; })
                           ? "zeros"
                           : "not zeros";
                offset += size_t(field.Count);
                break;
            }
        }
        values[prefix + field.Name] = text;
    }
    return values;
}
