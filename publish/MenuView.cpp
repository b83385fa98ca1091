#include "MenuView.h"

#include "ImageSets.h"
#include "ProjU.h"

TMenuView MenuViewOf(const TProj &proj)
{
    TMenuView view;
    for (const auto &button : proj.Buttons) {
        TMenuButton item;
        item.Link = button->Prop.Link;
        item.Alt = button->Prop.Alt;
        item.Target = button->Prop.Target;
        item.Width = button->States[stNormal].ImageWidth();
        item.Height = button->States[stNormal].ImageHeight();
        view.Buttons.push_back(item);
    }
    view.BackColor = uint32_t(proj.Settings.BackColor);
    view.MenuAlign = proj.Settings.MenuAlign;
    view.MenuOrientation = proj.Settings.MenuOrientation;
    view.ImageExt = GetImageExt();
    return view;
}
