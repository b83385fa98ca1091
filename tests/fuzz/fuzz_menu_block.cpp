// Any page text, caret and button texts: scanning the page and inserting a
// menu block never crashes or overruns, the block always lands whole, and
// the numbers it gives stay within 32 bits.
#include "Exceptions.h"
#include "MenuBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

TLines SplitLines(const std::string &text)
{
    TLines lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const int col = int(data[0]) - 16;
    const int row = int(data[1]) - 16;
    TMenuView view;
    view.MenuOrientation = data[2] & 1;
    view.MenuAlign = data[2] >> 1 & 3;
    const std::string text(reinterpret_cast<const char *>(data + 4), size - 4);
    for (int i = 0; i < data[3] % 4; ++i) {
        TMenuButton button;
        button.Alt = text.substr(0, size_t(i) * 3);
        button.Link = text.substr(std::min(size_t(i), text.size()), 5);
        button.Width = 3 + i;
        view.Buttons.push_back(button);
    }

    TLines lines = SplitLines(text);
    const size_t before = lines.size();
    const int32_t max = GetMaxButtonNumber(lines);
    PageHasMenu(lines);
    std::string imgDir = "blimg";
    FindPageImgDir(lines, text.substr(0, 20), imgDir);
    try {
        InsertMenuBlock(lines, col, row, imgDir, view);
    } catch (const Exception &) {
        if (lines.size() != before)
            std::abort();  // a refused block leaves the page alone
        return 0;
    }
    if (MenuBase != int64_t(max) + 1 || lines.size() < before + 7)
        std::abort();
    return 0;
}
