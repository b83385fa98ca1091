#include "PageTestKit.h"
#include "PreviewPage.h"

#include <gtest/gtest.h>

using namespace PageTestKit;

namespace {

TEST(PreviewPage, HorizontalMenuLineByLine)
{
    const TLines expected = Concat(
        {Head,
         {"<HR>", "<br>", "<!-- Begin Brightlane -->",
          R"(<table align=left width=0 id="brightlane:screxst0" cellpadding=0 cellspacing=0 border=0><tr>)",
          R"(<td title='Home'><a href="#" onmouseover='blsw("0o");' onmouseout='blsw("0n");' onmousedown='blsw("0c");' onmouseup='blsw("0o");'><img src="blimg/imgn0.gif" name=btn0 width=100 height=30 border=0 alt='Home'></a></td>)",
          R"(<td title=''><a href="#" onmouseover='blsw("1o");' onmouseout='blsw("1n");' onmousedown='blsw("1c");' onmouseup='blsw("1o");'><img src="blimg/imgn1.gif" name=btn1 width=80 height=20 border=0 alt=''></a></td>)",
          "</tr></table>", R"(<script type="text/javascript" language="JavaScript1.1">)", "<!--",
          "function blpr(im){var i=new Image();i.src='blimg/img'+im;return i;}", RollOver,
          "btn0n=blpr('n0.gif');btn0o=blpr('o0.gif');btn0c=blpr('c0.gif')",
          "btn1n=blpr('n1.gif');btn1o=blpr('o1.gif');btn1c=blpr('c1.gif')", "//-->", "</script>",
          "<!-- End Brightlane -->", "</body>", "</HTML>"}});
    const TMenuView view = View({Button("Home", 100, 30, "http://x/", "main"), Button("", 80, 20)});
    EXPECT_EQ(PreviewPageLines(view), expected);
}

TEST(PreviewPage, VerticalMenuTitlesCellsByNumberAndSeparatesRows)
{
    TMenuView view = View({Button("A"), Button("B"), Button("C")}, 1, 0);
    view.ImageExt = ".jpg";
    view.BackColor = 0x0000FF;  // red
    const TLines lines = PreviewPageLines(view);
    EXPECT_EQ(lines[5], R"(<body background="" bgcolor="#FF0000" text="" link="" vlink="" alink="">)");
    EXPECT_EQ(lines[9], R"(<table align=center width=0 id="brightlane:screxst0" cellpadding=0 cellspacing=0 border=0><tr>)");
    EXPECT_EQ(lines[10], R"(<td title='btn0'><a href="#" onmouseover='blsw("0o");' onmouseout='blsw("0n");' onmousedown='blsw("0c");'><img src="blimg/imgn0.jpg" name=btn0 width=100 height=30 border=0 alt='A'></a></td>)");
    EXPECT_EQ(lines[11], "</tr><tr>");
    EXPECT_EQ(lines[13], "</tr><tr>");
    EXPECT_EQ(lines[14].substr(0, 18), "<td title='btn2'><");
    EXPECT_EQ(lines[15], "</tr></table>");
    EXPECT_EQ(lines[22], "btn2n=blpr('n2.jpg');btn2o=blpr('o2.jpg');btn2c=blpr('c2.jpg')");
}

TEST(PreviewPage, UnknownAlignmentLeavesTheWordEmpty)
{
    const TLines lines = PreviewPageLines(View({}, 0, 3));
    EXPECT_EQ(lines[9], R"(<table align= width=0 id="brightlane:screxst0" cellpadding=0 cellspacing=0 border=0><tr>)");
    EXPECT_EQ(lines[10], "</tr></table>");
}

TEST(PreviewPage, LinesEndInCrLf)
{
    EXPECT_EQ(JoinLines({"<HTML>", "", "x"}), "<HTML>\r\n\r\nx\r\n");
}

}  // namespace
