#include "CopyBufferU.h"

#include <utility>

TCopyBuffer CopyBuffer;
TCopyBuffer AutoCopyBuffer;
bool BufFull = false;
int32_t BufMode = pgNone;
int32_t AutoBufMode = pgText;

namespace {

// Hands every member of the selected groups, in ascending group order, to
// transfer(buffer member, state member).
template <typename State, typename Transfer>
void ForEachGroupMember(TCopyBuffer &buffer, State &state, int32_t mode, Transfer transfer)
{
    auto selected = [mode](int32_t group) { return mode == pgAll || mode == group; };
    if (selected(pgText))
        transfer(buffer.TextProp, state.TextItem.Prop());
    if (selected(pgSize))
        transfer(buffer.Size, state.SizeGroup());
    if (selected(pgTexture))
        transfer(buffer.Texture, state.ButtonItem.Texture);
    if (selected(pgLights))
        for (int i = 0; i < LightCount; ++i)
            transfer(buffer.Lights[size_t(i)], state.Lights[size_t(i)].Block());
    if (selected(pgMaterial))
        transfer(buffer.Material, state.ButtonItem.Material);
    if (selected(pgShadow)) {
        transfer(buffer.Shadow, state.ButtonItem.Shadow);
        transfer(buffer.TextShadow, state.TextItem.ShadowGroup());
    }
    if (selected(pgShape))
        transfer(buffer.Shape, state.ButtonItem.Shape);
    if (selected(pgDeformation))
        transfer(buffer.Deformation, state.ButtonItem.Deformation);
}

void CopyAll(TCopyBuffer &buffer, const TItem &state)
{
    ForEachGroupMember(buffer, state, pgAll, [](auto &to, const auto &from) { to = from; });
}

void Paste(TCopyBuffer &buffer, int32_t mode, TItem &state)
{
    ForEachGroupMember(buffer, state, mode, [](const auto &from, auto &to) { to = from; });
}

}  // namespace

void CopyToBuffer(const TItem &state) { CopyAll(CopyBuffer, state); }

void PasteFromBuffer(TItem &state) { Paste(CopyBuffer, BufMode, state); }

void ExchangeBuffer(TItem &state)
{
    ForEachGroupMember(CopyBuffer, state, BufMode, [](auto &a, auto &b) { std::swap(a, b); });
}

void CopyToAutoBuffer(const TItem &state) { CopyAll(AutoCopyBuffer, state); }

void PasteFromAutoBuffer(TItem &state) { Paste(AutoCopyBuffer, AutoBufMode, state); }
