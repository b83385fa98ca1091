#include "Exceptions.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PageTestKit.h"

#include <gtest/gtest.h>

using namespace PageTestKit;

namespace {

const std::string HandlersOf1e =
    R"( onmouseover='blsw("1eo");' onmouseout='blsw("1en");' onmousedown='blsw("1ec");')";

TEST(NewPage, TwoButtonHorizontalPageLineByLine)
{
    const TLines expected = Concat(
        {Head,
         {"", "<!-- Begin Brightlane -->",
          R"(<table align=left width=0 id="brightlane:screxst0" cellpadding=0 cellspacing=0 border=0><tr>)",
          R"(<td><a href="#" onmouseover='blsw("0o");' onmouseout='blsw("0n");' onmousedown='blsw("0c");'><img src="menu.blimg/imgn0.gif" name=btn0 width=100 height=30 border=0></a></td>)",
          R"(<td><a href="#")" + HandlersOf1e +
              R"(><img src="menu.blimg/imgn1.gif" name=btn1e width=98 height=30 border=0></a></td>)"
              R"(<td><a href="#"><img src="menu.blimg/imgn1e.gif" name=btn1ee width=2 height=30 border=0></a></td>)",
          "</tr></table>", R"(<script type="text/javascript" language="JavaScript1.1">)", "<!--",
          "function blpr(im){var i=new Image();i.src='menu.blimg/img'+im;return i;}", RollOver,
          "btn0n=blpr('n0.gif');btn0o=blpr('o0.gif');btn0c=blpr('c0.gif')",
          "btn1en=blpr('n1.gif');btn1eo=blpr('o1.gif');btn1ec=blpr('c1.gif')",
          "btn1ene=blpr('n1e.gif');btn1eoe=blpr('o1e.gif');btn1ece=blpr('c1e.gif')", "//-->", "</script>",
          "<!-- End Brightlane -->", "</body>", "</HTML>"}});
    MenuBase = 7;
    EXPECT_EQ(NewPageLines("/pages/menu.html", View({Button(""), Button(" \t")})), expected);
    EXPECT_EQ(MenuBase, 0);
}

TEST(MenuBlock, VerticalMenuPutsTheEdgeCellInARowOfItsOwn)
{
    const TMenuView view = View({Button("Up", 120, 40, "a.html", "_blank"), Button("Down", 120, 40, "b.html", "")}, 1);
    TLines lines = {"<body>", "</body>"};
    InsertMenuBlock(lines, 6, 0, "blimg", view);
    EXPECT_EQ(lines[3], R"(<td title='Up'><a target="_blank" href="a.html" onmouseover='blsw("0o");' onmouseout='blsw("0n");' onmousedown='blsw("0c");'><img src="blimg/imgn0.gif" name=btn0 width=120 height=40 border=0 alt='Up'></a></td></tr><tr>)");
    EXPECT_EQ(lines[4], R"(<td title='Down'><a target="" href="b.html")" + HandlersOf1e +
                            R"(><img src="blimg/imgn1.gif" name=btn1e width=120 height=38 border=0 alt='Down'></a></td></tr><tr>)"
                            R"(<td><a href="#"><img src="blimg/imgn1e.gif" name=btn1ee width=120 height=2 border=0></a></td>)");
    EXPECT_EQ(lines[5], "</tr></table>");
}

// The caret splits its line around the block; places past the ends are
// taken as the nearest end.
TEST(MenuBlock, TheBlockLandsWholeAtTheCaret)
{
    struct TCase {
        TLines page;
        int col, row;
        std::string before, after;
    };
    const TCase cases[] = {{{"first", "<p>before|after</p>", "last"}, 9, 1, "<p>before", "|after</p>"},
                           {{"only"}, 99, 5, "only", ""},
                           {{}, -4, -2, "", ""}};
    for (TCase c : cases) {
        const size_t size = std::max<size_t>(c.page.size(), 1);
        InsertMenuBlock(c.page, c.col, c.row, "blimg", View({Button("x")}));
        const auto begin = std::find(c.page.begin(), c.page.end(), "<!-- Begin Brightlane -->");
        const auto end = std::find(begin, c.page.end(), "<!-- End Brightlane -->");
        ASSERT_TRUE(begin != c.page.begin() && end != c.page.end()) << c.before;
        EXPECT_EQ(end - begin, 12);
        EXPECT_EQ(begin[-1], c.before);
        EXPECT_EQ(end[1], c.after);
        EXPECT_EQ(c.page.size(), size + 14);
    }
}

TEST(MenuBlock, ASecondBlockNumbersOnAndBringsTheScriptFunctionsOnlyWhereNeeded)
{
    TLines page = NewPageLines("menu.html", View({Button("a"), Button("b"), Button("c")}));
    EXPECT_EQ(GetMaxButtonNumber(page), 2);
    InsertMenuBlock(page, 0, 7, "menu.blimg", View({Button("d"), Button("e")}));
    EXPECT_EQ(MenuBase, 3);
    EXPECT_EQ(page[9], R"(<table align=left width=0 id="brightlane:screxst3" cellpadding=0 cellspacing=0 border=0><tr>)");
    EXPECT_NE(page[11].find("name=btn4e "), std::string::npos);
    EXPECT_EQ(GetMaxButtonNumber(page), 4);
    // The functions come into a page with neither a marker nor numbers, and
    // with a block that goes in above the block that defines them, whose
    // script runs only after the new block's.
    const struct {
        TLines page;
        int row;
        long functions;  // those the block brings
    } cases[] = {{page, int(page.size()) - 2, 0},
                 {page, 0, 1},
                 {{"<body>"}, 0, 1},
                 {{"btn5n=blpr('n5.gif')"}, 0, 0},
                 {{R"(<table id="brightlane:screxst0">)"}, 0, 0}};
    const auto functions = [](const TLines &lines) {
        return std::count_if(lines.begin(), lines.end(),
                             [](const std::string &l) { return l.find("function blpr") != std::string::npos; });
    };
    for (const auto &c : cases) {
        TLines lines = c.page;
        InsertMenuBlock(lines, 0, c.row, "blimg", View({Button("a")}));
        EXPECT_EQ(functions(lines) - functions(c.page), c.functions) << c.page[0] << " at " << c.row;
    }
}

TEST(MenuBlock, PageScannersReadOnlyOurNumbersAndNames)
{
    const std::pair<TLines, int32_t> numbers[] = {
        {{}, -1},
        {{"  BTN12N=blpr('n12.gif')  ", "btn3en=x", "btn40ene=x", "<td name=btn99>"}, 40},
        {{"btn-5n=x"}, -1},
        {{"btn2147483647n=x"}, 2147483647},
        {{"btn2147483648n=x", "btn99999999999999999999n=x", "btn7n=x"}, 7}};
    for (const auto &[lines, max] : numbers)
        EXPECT_EQ(GetMaxButtonNumber(lines), max) << (lines.empty() ? "" : lines[0]);
    EXPECT_TRUE(PageHasMenu({"x", R"(<table id="brightlane:screxst4">)"}));
    EXPECT_FALSE(PageHasMenu({R"(<table id="BRIGHTLANE:screxst4">)"}));
    std::string imgDir = "blimg";
    FindPageImgDir({"<img src=\"blimg/imgn0.gif\">"}, "/w/site.html", imgDir);
    EXPECT_EQ(imgDir, "blimg");
    FindPageImgDir({"<img src=\"x.blimg/imgn0.gif\">"}, "/w/site.old.html", imgDir);
    EXPECT_EQ(imgDir, "site.old.blimg");
}

TEST(MenuBlock, NumbersThatLeaveNoRoomAreAClearErrorAndLeaveThePage)
{
    TLines page = {"btn2147483646n=x"};
    InsertMenuBlock(page, 0, 0, "blimg", View({Button("a")}));
    EXPECT_EQ(MenuBase, 2147483647);
    for (const TMenuView &view : {View({Button("a")}), View({})}) {
        TLines full = {"btn2147483647n=x"};
        EXPECT_THROW(InsertMenuBlock(full, 0, 0, "blimg", view), Exception);
        EXPECT_EQ(full, TLines{"btn2147483647n=x"});
    }
}

// Texts go into attributes escaped, folder names into URLs percent-encoded
// where a character would change the path; ordinary names stay as they are.
TEST(MenuBlock, UserTextsAndFolderNamesAreEscaped)
{
    struct TCase {
        TMenuButton button;
        std::string folder;
        std::vector<std::string> inCell;
    };
    const TCase cases[] = {
        {Button("Tom & \"Jerry\" <b>'s", 50, 20, "a.html?x=1&y='2'", "f\"r"),
         "my 'menu\".blimg",
         {"title='Tom &amp; &quot;Jerry&quot; &lt;b&gt;&#39;s'", "alt='Tom &amp; &quot;Jerry&quot; &lt;b&gt;&#39;s'",
          "href=\"a.html?x=1&amp;y=&#39;2&#39;\"", "target=\"f&quot;r\"", "src=\"my%20%27menu%22.blimg/imgn0.gif\""}},
        {Button("a"), "site(2)!$*+,;=@_~-.blimg", {"src=\"site(2)!$*+,;=@_~-.blimg/imgn0.gif\""}},
        {Button("a"), "c:50%#?\\.blimg", {"src=\"c%3A50%25%23%3F%5C.blimg/imgn0.gif\""}},
        // Cyrillic stays as it is, a byte the code page lacks becomes a reference.
        {Button("\xCC\xE5\xED\xFE\x98"), "\xD0\xBC.blimg", {"title='\xCC\xE5\xED\xFE&#65533;'", "src=\"%D0%BC.blimg/"}},
    };
    for (const TCase &c : cases) {
        TLines lines;
        InsertMenuBlock(lines, 0, 0, c.folder, View({c.button}));
        for (const std::string &part : c.inCell)
            EXPECT_NE(lines[3].find(part), std::string::npos) << part << " in " << lines[3];
        const std::string src = c.inCell.back().substr(5, c.inCell.back().find('/') - 5);
        EXPECT_EQ(lines[7], "function blpr(im){var i=new Image();i.src='" + src + "/img'+im;return i;}");
    }
}

TEST(MenuCell, LinesOutsideTheListAreTakenAsItsEnds)
{
    TMenuCell cell;
    cell.N = 3;
    cell.Link = "#";
    cell.Width = 2;
    cell.Height = 9;
    cell.Edge = cell.Append = true;
    TLines lines;
    int line = 0;
    AddMenuCell(lines, line, cell, "blimg", ".gif");
    EXPECT_EQ(lines, TLines{R"(<td><a href="#"><img src="blimg/imgn3e.gif" name=btn3ee width=2 height=9 border=0></a></td>)"});
    cell.Append = false;
    for (const auto &[from, to] : {std::pair{99, 2}, std::pair{-5, 1}}) {
        line = from;
        AddMenuCell(lines, line, cell, "blimg", ".gif");
        EXPECT_EQ(line, to);
    }
    EXPECT_EQ(lines.size(), 3u);
}

}  // namespace
