// The button record: one button with its three states as a byte stream, as
// the project file, the button templates and button duplication keep it.
// There is no signature and no version; the record is read in the order in
// which it is written.
//
// Loading fills an existing object (made with its defaults); fields that the
// record does not hold keep their values. A short or damaged record raises
// EReadError at the first piece that is missing or implausible, with every
// piece read before it left in the object. A failed write raises EWriteError.
#pragma once

#include "SceneU.h"
#include "Streams.h"

#include <string>

// A caption font larger than this (in points either way) marks a record as
// damaged: no state can show it.
constexpr int32_t MaxCaptionFontSize = 1000;

// A length-counted 8-bit string: a 32-bit signed length, then the bytes.
// A length of zero or less reads as the empty string; a length beyond the
// bytes that remain raises EReadError without reserving memory for it.
void WriteStreamString(TStream &stream, const std::string &text);
void ReadStreamString(TStream &stream, std::string &text);

// One raw block of a state: its bytes exactly, padding included.
template <typename Block>
void WriteBlock(TStream &stream, const Block &block)
{
    static_assert(IsRawBlock<Block>, "only fixed-layout blocks are written raw");
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "blocks are stored little-endian");
    const Block copy = block;
    stream.WriteBuffer(&copy, sizeof copy);
}

template <typename Block>
void ReadBlock(TStream &stream, Block &block)
{
    static_assert(IsRawBlock<Block>, "only fixed-layout blocks are read raw");
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "blocks are stored little-endian");
    Block copy;
    stream.ReadBuffer(&copy, sizeof copy);
    block = copy;
}

// The whole button: name, link, alternative text, target, three states.
void SaveToStream(TStream &stream, const TButtons &button);
void LoadFromStream(TStream &stream, TButtons &button);

// One state record.
void SaveToStream(TStream &stream, const TItem &state);
void LoadFromStream(TStream &stream, TItem &state);

// One light block (84 bytes).
void SaveToStream(TStream &stream, const TLightItem &light);
void LoadFromStream(TStream &stream, TLightItem &light);

// The five blocks of a state's 3D look.
void SaveToStream(TStream &stream, const TButtonItem &look);
void LoadFromStream(TStream &stream, TButtonItem &look);

// The caption with its text shadow.
void SaveToStream(TStream &stream, const TTextItem &caption);
void LoadFromStream(TStream &stream, TTextItem &caption);
