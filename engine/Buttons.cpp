#include "Buttons.h"

#include "SceneTexts.h"

namespace {

// The mouse-over state lights up from the right and gets a dark-blue caption
// with a light text shadow; the pressed state sinks its rounding.
void MakeOverState(TItem &over)
{
    over.ButtonItem.Deformation.D1 = 87;
    over.ButtonItem.Deformation.D2 = 87;
    over.TextItem.Color = 0x800000;
    over.TextItem.TextShadow = 1;
    over.TextItem.TextShadowDX = 1;
    over.TextItem.TextShadowDY = -1;
    over.TextItem.TextShadowColor = 0xF0FBFF;
    over.Lights[1].Enabled = 1;
}

void MakePressedState(TItem &pressed)
{
    pressed.ButtonItem.Deformation.D1 = 54;
    pressed.ButtonItem.Deformation.D2 = 54;
}

}  // namespace

TButtons::TButtons(TProj *owner)
    : Owner(owner), Name(DefaultButtonName()), States{{TItem(this), TItem(this), TItem(this)}}
{
    Prop.Alt = DefaultCaption();
    MakeOverState(States[stOver]);
    MakePressedState(States[stPressed]);
}
