#include "PreviewPage.h"

#include "HtmlText.h"

namespace {

std::string PreviewCell(const TMenuView &view, size_t i)
{
    const TMenuButton &button = view.Buttons[i];
    const std::string n = std::to_string(i);
    const bool horizontal = view.MenuOrientation == 0;
    const std::string alt = HtmlAttribute(button.Alt);
    return "<td title='" + (horizontal ? alt : "btn" + n) + "'><a href=\"#\"" + MouseHandlers(n) +
           (horizontal ? " onmouseup='blsw(\"" + n + "o\");'" : std::string()) + "><img src=\"blimg/imgn" + n +
           view.ImageExt + "\" name=btn" + n + " width=" + std::to_string(button.Width) +
           " height=" + std::to_string(button.Height) + " border=0 alt='" + alt + "'></a></td>";
}

}  // namespace

TLines PreviewPageLines(const TMenuView &view)
{
    TLines lines = PageHeadLines(view);
    lines.push_back("<HR>");
    lines.push_back("<br>");
    lines.push_back(BeginMarkerLine());
    lines.push_back(MenuTableLine(view, 0));
    const size_t count = view.Buttons.size();
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(PreviewCell(view, i));
        if (view.MenuOrientation != 0 && i + 1 < count)
            lines.push_back("</tr><tr>");
    }
    lines.push_back("</tr></table>");
    lines.insert(lines.end(), std::begin(ScriptOpenLines), std::end(ScriptOpenLines));
    lines.push_back(PreloadFunction("blimg"));
    lines.push_back(RollOverFunction);
    for (size_t i = 0; i < count; ++i)
        lines.push_back(PreloadLine((long long)i, view.ImageExt));
    lines.insert(lines.end(), std::begin(ScriptCloseLines), std::end(ScriptCloseLines));
    lines.push_back(EndMarkerLine());
    lines.push_back("</body>");
    lines.push_back("</HTML>");
    return lines;
}
