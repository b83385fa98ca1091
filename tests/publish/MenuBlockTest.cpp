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
    const TMenuView view = View({Button(""), Button(" \t")});
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
    EXPECT_EQ(NewPageLines("/pages/menu.html", view), expected);
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

TEST(MenuBlock, CaretSplitsTheLineAroundTheBlock)
{
    TLines lines = {"first", "<p>before|after</p>", "last"};
    InsertMenuBlock(lines, 9, 1, "blimg", View({Button("x")}));
    EXPECT_EQ(lines[1], "<p>before");
    EXPECT_EQ(lines[2], "<!-- Begin Brightlane -->");
    EXPECT_EQ(lines[lines.size() - 3], "<!-- End Brightlane -->");
    EXPECT_EQ(lines[lines.size() - 2], "|after</p>");
    EXPECT_EQ(lines.back(), "last");
}

TEST(MenuBlock, PositionsPastTheEndAreClamped)
{
    TLines lines = {"only"};
    InsertMenuBlock(lines, 99, 5, "blimg", View({Button("x")}));
    EXPECT_EQ(lines.front(), "only");
    EXPECT_EQ(lines[1], "<!-- Begin Brightlane -->");
    EXPECT_EQ(lines.back(), "");  // the empty rest of the split line

    TLines empty;
    InsertMenuBlock(empty, -4, -2, "blimg", View({Button("x")}));
    EXPECT_EQ(empty.front(), "");
    EXPECT_EQ(empty[1], "<!-- Begin Brightlane -->");
}

TEST(MenuBlock, SecondBlockNumbersOnAndWritesTheScriptOnce)
{
    TLines page = NewPageLines("menu.html", View({Button("a"), Button("b"), Button("c")}));
    EXPECT_EQ(GetMaxButtonNumber(page), 2);
    InsertMenuBlock(page, 0, 7, "menu.blimg", View({Button("d"), Button("e")}));
    EXPECT_EQ(MenuBase, 3);
    int tables = 0, preloadFunctions = 0;
    for (const std::string &line : page) {
        tables += line.find("id=\"brightlane:screxst") != std::string::npos;
        preloadFunctions += line.find("function blpr") != std::string::npos;
    }
    EXPECT_EQ(tables, 2);
    EXPECT_EQ(preloadFunctions, 1);
    EXPECT_EQ(page[9], R"(<table align=left width=0 id="brightlane:screxst3" cellpadding=0 cellspacing=0 border=0><tr>)");
    EXPECT_NE(page[11].find("name=btn4e "), std::string::npos);
    EXPECT_EQ(GetMaxButtonNumber(page), 4);
}

TEST(MenuBlock, ScriptFunctionsOnlyInAPageWithoutMarkerAndNumbers)
{
    const auto hasFunctions = [](TLines page) {
        InsertMenuBlock(page, 0, 0, "blimg", View({Button("a")}));
        for (const std::string &line : page)
            if (line.find("function blpr") != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(hasFunctions({"<body>"}));
    EXPECT_FALSE(hasFunctions({"btn5n=blpr('n5.gif')"}));  // numbers but no marker
    EXPECT_FALSE(hasFunctions({R"(<table id="brightlane:screxst0">)"}));  // marker but no numbers
}

TEST(MenuBlock, ScannerReadsOnlyPreloadNumbers)
{
    EXPECT_EQ(GetMaxButtonNumber({}), -1);
    EXPECT_EQ(GetMaxButtonNumber({"  BTN12N=blpr('n12.gif')  ", "btn3en=x", "btn40ene=x", "<td name=btn99>"}), 40);
    EXPECT_EQ(GetMaxButtonNumber({"btn-5n=x"}), -1);
    EXPECT_EQ(GetMaxButtonNumber({"btn2147483647n=x"}), 2147483647);
    EXPECT_EQ(GetMaxButtonNumber({"btn2147483648n=x", "btn99999999999999999999n=x", "btn7n=x"}), 7);
}

TEST(MenuBlock, NumbersThatLeaveNoRoomAreAClearError)
{
    TLines page = {"btn2147483646n=x"};
    InsertMenuBlock(page, 0, 0, "blimg", View({Button("a")}));
    EXPECT_EQ(MenuBase, 2147483647);
    TLines full = {"btn2147483647n=x"};
    EXPECT_THROW(InsertMenuBlock(full, 0, 0, "blimg", View({Button("a")})), Exception);
    EXPECT_EQ(full.size(), 1u);  // the page is left as it was
    EXPECT_THROW(InsertMenuBlock(full, 0, 0, "blimg", View({})), Exception);
    EXPECT_EQ(MenuBase, 2147483647);
}

TEST(MenuBlock, PageScanners)
{
    EXPECT_TRUE(PageHasMenu({"x", R"(<table id="brightlane:screxst4">)"}));
    EXPECT_FALSE(PageHasMenu({R"(<table id="BRIGHTLANE:screxst4">)"}));
    std::string imgDir = "blimg";
    FindPageImgDir({"<img src=\"blimg/imgn0.gif\">"}, "/w/site.html", imgDir);
    EXPECT_EQ(imgDir, "blimg");
    FindPageImgDir({"<img src=\"x.blimg/imgn0.gif\">"}, "/w/site.old.html", imgDir);
    EXPECT_EQ(imgDir, "site.old.blimg");
}

TEST(MenuBlock, UserTextIsEscaped)
{
    const TMenuView view = View({Button("Tom & \"Jerry\" <b>'s", 50, 20, "a.html?x=1&y='2'", "f\"r")});
    TLines lines;
    InsertMenuBlock(lines, 0, 0, "my 'menu\".blimg", view);
    const std::string cell = lines[3];
    EXPECT_NE(cell.find("title='Tom &amp; &quot;Jerry&quot; &lt;b&gt;&#39;s'"), std::string::npos) << cell;
    EXPECT_NE(cell.find("alt='Tom &amp; &quot;Jerry&quot; &lt;b&gt;&#39;s'"), std::string::npos) << cell;
    EXPECT_NE(cell.find("href=\"a.html?x=1&amp;y=&#39;2&#39;\""), std::string::npos) << cell;
    EXPECT_NE(cell.find("target=\"f&quot;r\""), std::string::npos) << cell;
    EXPECT_NE(cell.find("src=\"my%20%27menu%22.blimg/imgn0.gif\""), std::string::npos) << cell;
    bool preload = false;
    for (const std::string &line : lines)
        preload |= line == "function blpr(im){var i=new Image();i.src='my%20%27menu%22.blimg/img'+im;return i;}";
    EXPECT_TRUE(preload);
}

// Characters a URL path may hold as they are, and that are harmless inside
// a quoted attribute and a quoted script string, keep an ordinary folder
// name exactly as it is; only the others are percent-encoded.
TEST(MenuBlock, OrdinaryFolderNamesStayAsTheyAre)
{
    const std::string folder = "site(2)!$*+,;=@_~-.blimg";
    TLines lines;
    InsertMenuBlock(lines, 0, 0, folder, View({Button("a")}));
    EXPECT_NE(lines[3].find("src=\"" + folder + "/imgn0.gif\""), std::string::npos) << lines[3];
    EXPECT_EQ(lines[7], "function blpr(im){var i=new Image();i.src='" + folder + "/img'+im;return i;}");

    TLines risky;  // a colon would start a URL scheme; %, #, ? and a backslash change the path
    InsertMenuBlock(risky, 0, 0, "c:50%#?\\.blimg", View({Button("a")}));
    EXPECT_NE(risky[3].find("src=\"c%3A50%25%23%3F%5C.blimg/imgn0.gif\""), std::string::npos) << risky[3];
}

TEST(MenuBlock, BytesTheCodePageLacksBecomeReferences)
{
    TLines lines;
    InsertMenuBlock(lines, 0, 0, "\xD0\xBC.blimg", View({Button("\xCC\xE5\xED\xFE\x98")}));
    EXPECT_NE(lines[3].find("title='\xCC\xE5\xED\xFE&#65533;'"), std::string::npos);  // Cyrillic stays as it is
    EXPECT_NE(lines[3].find("src=\"%D0%BC.blimg/"), std::string::npos);  // path bytes are percent-encoded
}

}  // namespace

namespace {

TEST(MenuCell, LinesOutsideTheListAreTakenAsItsEnds)
{
    TMenuCell cell;
    cell.N = 3;
    cell.Link = "#";
    cell.Width = 2;
    cell.Height = 9;
    cell.Edge = true;
    cell.Append = true;
    TLines lines;
    int line = 0;
    AddMenuCell(lines, line, cell, "blimg", ".gif");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], R"(<td><a href="#"><img src="blimg/imgn3e.gif" name=btn3ee width=2 height=9 border=0></a></td>)");
    cell.Append = false;
    line = 99;
    AddMenuCell(lines, line, cell, "blimg", ".gif");
    EXPECT_EQ(line, 2);
    line = -5;
    AddMenuCell(lines, line, cell, "blimg", ".gif");
    EXPECT_EQ(line, 1);
    EXPECT_EQ(lines.size(), 3u);
}

}  // namespace
