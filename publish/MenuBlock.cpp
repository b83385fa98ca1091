#include "MenuBlock.h"

#include "AnsiText.h"
#include "Exceptions.h"
#include "HtmlText.h"
#include "UtilsU.h"

#include <algorithm>
#include <climits>

int32_t MenuBase = 0;

const char *const EdgeCellLink = "#";

namespace {

// A decimal integer with an optional sign that fits 32 bits.
bool ParseInt32(const std::string &text, int32_t &value)
{
    const bool negative = !text.empty() && text[0] == '-';
    size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size())
        return false;
    long long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + (text[i] - '0');
        if (number > (long long)INT32_MAX + 1)
            return false;
    }
    number = negative ? -number : number;
    if (number > INT32_MAX)
        return false;
    value = int32_t(number);
    return true;
}

// The number a preload line starts with, as text: "btn12en=..." gives "12".
std::string LeadingNumberText(const std::string &line)
{
    std::string s = AsciiLower(TrimBlanks(line));
    if (s.find("btn") != std::string::npos)
        s.erase(0, 3);
    for (const char *end : {"ene=", "en=", "n=", "="}) {
        const size_t at = s.find(end);
        if (at != std::string::npos) {
            s.erase(at);
            break;
        }
    }
    return s;
}

std::string TargetAttribute(const std::string &target)
{
    return target == "_self" ? std::string() : " target=\"" + HtmlAttribute(target) + "\"";
}

std::string NormalCell(const TMenuCell &cell, const std::string &imgUrl, const std::string &ext)
{
    const std::string e = cell.Edge ? "e" : "";
    const std::string id = std::to_string(cell.N) + e;
    const bool hasAlt = !TrimBlanks(cell.Alt).empty();
    const std::string alt = HtmlAttribute(cell.Alt);
    return "<td" + (hasAlt ? " title='" + alt + "'" : std::string()) + "><a" + TargetAttribute(cell.Target) +
           " href=\"" + HtmlAttribute(cell.Link) + "\"" + MouseHandlers(id) + "><img src=\"" + imgUrl + "/imgn" +
           std::to_string(cell.N) + ext + "\" name=btn" + id + " width=" + std::to_string(cell.Width) +
           " height=" + std::to_string(cell.Height) + " border=0" + (hasAlt ? " alt='" + alt + "'" : std::string()) +
           "></a></td>";
}

std::string EdgeCell(const TMenuCell &cell, const std::string &imgUrl, const std::string &ext)
{
    const std::string e = cell.Edge ? "e" : "";
    return "<td><a href=\"" + HtmlAttribute(cell.Link) + "\"><img src=\"" + imgUrl + "/imgn" +
           std::to_string(cell.N) + "e" + ext + "\" name=btn" + std::to_string(cell.N) + e + "e width=" +
           std::to_string(cell.Width) + " height=" + std::to_string(cell.Height) + " border=0></a></td>";
}

// Splits line row at column col and gives the line where the block starts,
// between the two halves.
int SplitAtCaret(TLines &lines, int col, int row)
{
    if (lines.empty())
        lines.emplace_back();
    row = std::clamp(row, 0, int(lines.size()) - 1);
    std::string &line = lines[size_t(row)];
    const size_t split = std::min(size_t(std::max(col, 0)), line.size());
    std::string rest = line.substr(split);
    line.erase(split);
    lines.insert(lines.begin() + row + 1, std::move(rest));
    return row + 1;
}

// Whether the script's functions are defined only from that line on, in a
// script that runs after the preload lines of a block put in above it.
bool FunctionsDefinedBelow(const TLines &lines, int line)
{
    const auto defining = std::find_if(lines.begin(), lines.end(), [](const std::string &text) {
        return text.find("function blpr(") != std::string::npos;
    });
    return defining != lines.end() && defining - lines.begin() >= line;
}

int32_t FirstFreeNumber(int32_t highestTaken, size_t buttonCount)
{
    // The block's own number is first even when it has no button.
    const long long first = (long long)highestTaken + 1;
    if (first + (long long)std::max(buttonCount, size_t(1)) - 1 > INT32_MAX)
        throw Exception("The page's button numbers leave no room for another menu");
    return int32_t(first);
}

// The cells of every button; the last one is split into its main image and
// the edge cell beside it (horizontal) or in a table row of its own below it.
void AddCells(TLines &lines, int &line, const TMenuView &view, const std::string &imgDir)
{
    const bool horizontal = view.MenuOrientation == 0;
    const size_t count = view.Buttons.size();
    for (size_t i = 0; i < count; ++i) {
        const TMenuButton &button = view.Buttons[i];
        TMenuCell cell{MenuBase + (long long)i, button.Link, button.Alt, button.Target, button.Width, button.Height};
        const bool last = i + 1 == count;
        if (last) {
            cell.Edge = true;
            (horizontal ? cell.Width : cell.Height) -= 2;
        }
        AddMenuCell(lines, line, cell, imgDir, view.ImageExt);
        if (!horizontal)
            lines[size_t(line - 1)] += "</tr><tr>";
        if (last) {
            TMenuCell edge = cell;
            edge.Append = true;
            edge.Link = EdgeCellLink;
            edge.Target = "_self";
            (horizontal ? edge.Width : edge.Height) = 2;
            AddMenuCell(lines, line, edge, imgDir, view.ImageExt);
        }
    }
}

}  // namespace

void AddMenuCell(TLines &lines, int &line, const TMenuCell &cell, const std::string &imgDir, const std::string &ext)
{
    const std::string imgUrl = UrlPath(imgDir);
    line = std::clamp(line, 0, int(lines.size()));
    if (cell.Append && line > 0) {
        lines[size_t(line - 1)] += EdgeCell(cell, imgUrl, ext);
        return;
    }
    lines.insert(lines.begin() + line, cell.Append ? EdgeCell(cell, imgUrl, ext) : NormalCell(cell, imgUrl, ext));
    ++line;
}

void InsertMenuBlock(TLines &lines, int col, int row, const std::string &imgDir, const TMenuView &view,
                     int32_t highestTaken)
{
    const bool hasMenu = PageHasMenu(lines);
    const int32_t pageMax = GetMaxButtonNumber(lines);
    MenuBase = FirstFreeNumber(std::max(pageMax, highestTaken), view.Buttons.size());
    int line = SplitAtCaret(lines, col, row);
    const bool functions = (pageMax < 0 && !hasMenu) || FunctionsDefinedBelow(lines, line);
    const auto insert = [&](const std::string &text) { lines.insert(lines.begin() + line++, text); };

    insert(BeginMarkerLine());
    insert(MenuTableLine(view, MenuBase));
    AddCells(lines, line, view, imgDir);
    insert("</tr></table>");
    for (const char *text : ScriptOpenLines)
        insert(text);
    if (functions) {
        insert(PreloadFunction(UrlPath(imgDir)));
        insert(RollOverFunction);
    }
    const long long count = (long long)view.Buttons.size();
    for (long long i = 0; i + 1 < count; ++i)
        insert(PreloadLine(MenuBase + i, view.ImageExt));
    if (count > 0) {
        const long long last = MenuBase + count - 1;
        insert(PreloadLine(last, view.ImageExt, "e"));
        insert(PreloadLine(last, view.ImageExt, "e", "e"));
    }
    for (const char *text : ScriptCloseLines)
        insert(text);
    insert(EndMarkerLine());
}

bool PageHasMenu(const TLines &lines)
{
    const std::string marker = SiteMarkerId() + ":screxst";
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string &line) { return line.find(marker) != std::string::npos; });
}

int32_t GetMaxButtonNumber(const TLines &lines)
{
    int32_t max = -1;
    for (const std::string &line : lines) {
        int32_t number = 0;
        if (ParseInt32(LeadingNumberText(line), number))
            max = std::max(max, number);
    }
    return max;
}

void FindPageImgDir(const TLines &lines, const std::string &fileName, std::string &imgDir)
{
    const bool pageFolder = std::any_of(lines.begin(), lines.end(), [](const std::string &line) {
        return line.find(".blimg/img") != std::string::npos;
    });
    if (pageFolder)
        imgDir = PageImageFolder(fileName);
}

std::string PageImageFolder(const std::string &fileName) { return FileNameNoExt(fileName) + ".blimg"; }
