#include "NewPage.h"

#include "MenuBlock.h"

TLines NewPageLines(const std::string &fileName, const TMenuView &view)
{
    TLines lines = PageHeadLines(view);
    lines.push_back("</body>");
    lines.push_back("</HTML>");
    InsertMenuBlock(lines, 0, 6, PageImageFolder(fileName), view);
    return lines;
}
