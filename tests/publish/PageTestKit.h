// Menu views and the fixed texts that every generated page shares, for the
// page tests.
#pragma once

#include "MenuView.h"
#include "PageLines.h"

#include <string>

namespace PageTestKit {

inline TMenuButton Button(const std::string &alt, int width = 100, int height = 30, const std::string &link = "#",
                          const std::string &target = "_self")
{
    TMenuButton button;
    button.Alt = alt;
    button.Link = link;
    button.Target = target;
    button.Width = width;
    button.Height = height;
    return button;
}

inline TMenuView View(std::vector<TMenuButton> buttons, int32_t orientation = 0, int32_t align = 1)
{
    TMenuView view;
    view.Buttons = std::move(buttons);
    view.MenuOrientation = orientation;
    view.MenuAlign = align;
    return view;
}

inline const TLines Head = {
    "<HTML>",
    "<head>",
    R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1251">)",
    "<title>Brightlane</title>",
    "</head>",
    R"(<body background="" bgcolor="#C0C0C0" text="" link="" vlink="" alink="">)"};

inline const std::string RollOver =
    "function blsw(id){x=id.substring(0,id.length-1);document['btn'+x].src=eval('btn'+id+'.src');"
    "if(id.indexOf('e')!=-1)document['btn'+x+'e'].src=eval('btn'+id+'e.src');}";

inline TLines Concat(std::initializer_list<TLines> parts)
{
    TLines all;
    for (const TLines &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace PageTestKit
