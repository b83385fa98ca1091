#include "Item.h"

#include "ParamU.h"
#include "SceneTexts.h"

#include <algorithm>

TItem::TItem(TButtons *owner)
    : Owner(owner),
      Name(DefaultButtonName()),
      ButtonItem(this),
      TextItem(this),
      Lights{{{0, this}, {1, this}, {2, this}, {3, this}, {4, this}, {5, this}, {6, this}}}
{
}

int TItem::ImageWidth() const
{
    return std::clamp(Width, 1, MaxImageSide);
}

int TItem::ImageHeight() const
{
    return std::clamp(Height, 1, MaxImageSide);
}

// With the fast-preview option off a state never enters draft mode, but a
// request for it still marks the state dirty and restores the full mesh.
void TItem::SetDraft(bool draft)
{
    if (draft == (Draft != 0))
        return;
    TParam &param = AppParam();
    const bool coarse = draft && param.UsePreview;
    param.MeshCols = coarse ? 50 : 180;
    param.MeshRows = coarse ? 30 : 90;
    Dirty = 1;
    Draft = coarse ? 1 : 0;
}
