#include "PageLines.h"

#include "AnsiText.h"

#include <cstdio>

const char *const SiteMarker = "Brightlane";

const char *const RollOverFunction =
    "function blsw(id){x=id.substring(0,id.length-1);document['btn'+x].src=eval('btn'+id+'.src');"
    "if(id.indexOf('e')!=-1)document['btn'+x+'e'].src=eval('btn'+id+'e.src');}";

const char *const ScriptOpenLines[2] = {R"(<script type="text/javascript" language="JavaScript1.1">)", "<!--"};
const char *const ScriptCloseLines[2] = {"//-->", "</script>"};

std::string SiteMarkerId() { return AsciiLower(SiteMarker); }

namespace {

// The alignment word of the menu table: center, left, right or nothing.
std::string AlignWord(int32_t menuAlign)
{
    switch (menuAlign) {
    case 0: return "center";
    case 1: return "left";
    case 2: return "right";
    default: return "";
    }
}

}  // namespace

TLines PageHeadLines(const TMenuView &view)
{
    char color[8];
    std::snprintf(color, sizeof color, "%02X%02X%02X", unsigned(view.BackColor & 0xFF),
                  unsigned(view.BackColor >> 8 & 0xFF), unsigned(view.BackColor >> 16 & 0xFF));
    return {"<HTML>",
            "<head>",
            R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1251">)",
            "<title>Brightlane</title>",
            "</head>",
            std::string(R"(<body background="" bgcolor="#)") + color + R"(" text="" link="" vlink="" alink="">)"};
}

std::string BeginMarkerLine() { return std::string("<!-- Begin ") + SiteMarker + " -->"; }

std::string EndMarkerLine() { return std::string("<!-- End ") + SiteMarker + " -->"; }

std::string PreloadFunction(const std::string &folderUrl)
{
    return "function blpr(im){var i=new Image();i.src='" + folderUrl + "/img'+im;return i;}";
}

std::string MenuTableLine(const TMenuView &view, long long first)
{
    return "<table align=" + AlignWord(view.MenuAlign) + " width=0 id=\"" + SiteMarkerId() + ":screxst" +
           std::to_string(first) + "\" cellpadding=0 cellspacing=0 border=0><tr>";
}

std::string MouseHandlers(const std::string &id)
{
    return " onmouseover='blsw(\"" + id + "o\");' onmouseout='blsw(\"" + id + "n\");' onmousedown='blsw(\"" + id +
           "c\");'";
}

std::string PreloadLine(long long n, const std::string &ext, const std::string &mark, const std::string &edge)
{
    const std::string number = std::to_string(n);
    std::string line;
    for (const char *letter : {"n", "o", "c"}) {
        if (!line.empty())
            line += ";";
        line += "btn" + number + mark + letter + edge + "=blpr('" + letter + number + edge + ext + "')";
    }
    return line;
}

std::string JoinLines(const TLines &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

std::string LineFeedText(const std::string &text)
{
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
            continue;
        }
        lines += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    if (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return lines;
}
