#include "ButtonStream.h"

#include "Exceptions.h"

static const char *const SDamagedRecord = "Damaged button record";

void WriteStreamString(TStream &stream, const std::string &text)
{
    WriteInt32(stream, static_cast<int32_t>(text.size()));
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void ReadStreamString(TStream &stream, std::string &text)
{
    const int32_t length = ReadInt32(stream);
    text.clear();
    if (length <= 0)
        return;
    if (length > stream.Remaining())
        throw EReadError(SDamagedRecord);
    std::string bytes(static_cast<size_t>(length), '\0');
    stream.ReadBuffer(bytes.data(), length);
    text = std::move(bytes);
}

// --- Button ---

void SaveToStream(TStream &stream, const TButtons &button)
{
    WriteStreamString(stream, button.Name);
    WriteStreamString(stream, button.Prop.Link);
    WriteStreamString(stream, button.Prop.Alt);
    WriteStreamString(stream, button.Prop.Target);
    for (const TItem &state : button.States)
        SaveToStream(stream, state);
}

void LoadFromStream(TStream &stream, TButtons &button)
{
    ReadStreamString(stream, button.Name);
    ReadStreamString(stream, button.Prop.Link);
    ReadStreamString(stream, button.Prop.Alt);
    ReadStreamString(stream, button.Prop.Target);
    for (TItem &state : button.States)
        LoadFromStream(stream, state);
}

// --- State ---

void SaveToStream(TStream &stream, const TItem &state)
{
    WriteStreamString(stream, state.Name);
    WriteBlock(stream, state.Ambient);
    WriteBlock(stream, state.SizeGroup());
    for (const TLightItem &light : state.Lights)
        SaveToStream(stream, light);
    SaveToStream(stream, state.ButtonItem);
    SaveToStream(stream, state.TextItem);
}

static bool IsImageSide(int32_t side) { return side >= 1 && side <= MaxImageSide; }

void LoadFromStream(TStream &stream, TItem &state)
{
    ReadStreamString(stream, state.Name);
    ReadBlock(stream, state.Ambient);
    TSizeGroup size;
    ReadBlock(stream, size);
    // A state larger than the render buffer would make every render and
    // thumbnail address pixels that are not there.
    if (!IsImageSide(size.Width) || !IsImageSide(size.Height))
        throw EReadError(SDamagedRecord);
    state.SizeGroup() = size;
    for (TLightItem &light : state.Lights)
        LoadFromStream(stream, light);
    LoadFromStream(stream, state.ButtonItem);
    LoadFromStream(stream, state.TextItem);
}

// --- Light ---

void SaveToStream(TStream &stream, const TLightItem &light) { WriteBlock(stream, light.Block()); }

void LoadFromStream(TStream &stream, TLightItem &light) { ReadBlock(stream, light.Block()); }

// --- 3D look ---

void SaveToStream(TStream &stream, const TButtonItem &look)
{
    WriteBlock(stream, look.Texture);
    WriteBlock(stream, look.Material);
    WriteBlock(stream, look.Shape);
    WriteBlock(stream, look.Deformation);
    WriteBlock(stream, look.Shadow);
}

void LoadFromStream(TStream &stream, TButtonItem &look)
{
    ReadBlock(stream, look.Texture);
    ReadBlock(stream, look.Material);
    ReadBlock(stream, look.Shape);
    ReadBlock(stream, look.Deformation);
    ReadBlock(stream, look.Shadow);
}

// --- Caption ---

void SaveToStream(TStream &stream, const TTextItem &caption)
{
    WriteStreamString(stream, caption.Text);
    WriteInt32(stream, caption.VAlign);
    WriteInt32(stream, caption.HAlign);
    WriteInt32(stream, caption.TopMargin);
    WriteInt32(stream, caption.LeftMargin);
    WriteByte(stream, caption.Charset);
    WriteInt32(stream, caption.Color);
    WriteStreamString(stream, caption.FontName);
    WriteByte(stream, caption.Pitch);
    WriteInt32(stream, caption.Size);
    WriteByte(stream, caption.Style);
    WriteByte(stream, caption.Smooth);
    WriteByte(stream, caption.Reserved);
    WriteBlock(stream, caption.ShadowGroup());
}

void LoadFromStream(TStream &stream, TTextItem &caption)
{
    ReadStreamString(stream, caption.Text);
    caption.VAlign = ReadInt32(stream);
    caption.HAlign = ReadInt32(stream);
    caption.TopMargin = ReadInt32(stream);
    caption.LeftMargin = ReadInt32(stream);
    caption.Charset = ReadByte(stream);
    caption.Color = ReadInt32(stream);
    ReadStreamString(stream, caption.FontName);
    caption.Pitch = ReadByte(stream);
    const int32_t size = ReadInt32(stream);
    if (size < -MaxCaptionFontSize || size > MaxCaptionFontSize)
        throw EReadError(SDamagedRecord);
    caption.Size = size;
    caption.Style = ReadByte(stream);
    caption.Smooth = ReadByte(stream);
    caption.Reserved = ReadByte(stream);
    ReadBlock(stream, caption.ShadowGroup());
}
