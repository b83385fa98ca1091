#include "EverySave.h"
#include "PageTestKit.h"
#include "PreviewPage.h"
#include "ProjectFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

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

// Preview writes of a project of two buttons, beside folders named like
// their side folders: a user's, and those of writes stopped while their
// images were written.
class PreviewWrite : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        P().NewProject();
        P().AddButton("Home");
        P().AddButton("Contact us");
        WritePreviewPage(P());
    }

    void CopyImages(const std::string &folder, const std::vector<std::string> &names)
    {
        for (const std::string &name : names)
            ASSERT_TRUE(WriteFileBytes(folder + name, FileBytes(PageDir + "blimg/" + name)));
    }

    // A user's hidden copy of blimg, with a note and a folder of their own.
    std::string UserCopy(const std::string &folder)
    {
        EXPECT_TRUE(CreateFolders(folder + "old/"));
        WriteFileText(folder + "notes.txt", "before the new colours");
        WriteFileText(folder + "old/imgn0.gif", "an older image");
        CopyImages(folder, FileNamesIn(PageDir + "blimg/", ""));
        return folder;
    }

    // The side folder of a write stopped while it wrote imgo0.gif, with the
    // saver's named temporaries of a file system without anonymous ones.
    std::string StoppedWrite(const std::vector<std::string> &temporaries)
    {
        FStopped.push_back(std::make_unique<TTemporaryFolder>(PageDir + ".blimg-"));
        const std::string folder = FStopped.back()->Path();
        CopyImages(folder, {"imgn0.gif"});
        for (const std::string &name : temporaries)
            WriteFileText(folder + name, "GIF8");
        return folder;
    }

    // The side folder of a write stopped while it wrote the folder's mark.
    std::string StoppedWhileMarking()
    {
        FStopped.push_back(std::make_unique<TTemporaryFolder>(PageDir + ".blimg-"));
        const std::string folder = FStopped.back()->Path();
        std::filesystem::resize_file(folder + ".temporary-folder", 20);
        return folder;
    }

    // A user's copy of a side folder's name, with an empty file of the mark's name.
    std::string UserCopyWithEmptyMark(const std::string &folder)
    {
        WriteFileText(UserCopy(folder) + ".temporary-folder", "");
        return folder;
    }

    std::vector<std::unique_ptr<TTemporaryFolder>> FStopped;
};

TEST_F(PreviewWrite, RemovesTheSideFoldersOfStoppedWritesOnly)
{
    const struct {
        const char *what;
        std::string folder;
        bool kept;
    } folders[] = {
        {"a user's copy of blimg", UserCopy(PageDir + ".blimg-backup/"), true},
        {"a write stopped by its image", StoppedWrite({}), false},
        {"one without anonymous temporaries", StoppedWrite({"imgo0.gif.AbCdEf"}), false},
        {"a write stopped by its mark", StoppedWhileMarking(), false},
        {"a user's folder with an empty mark beside a note", UserCopyWithEmptyMark(PageDir + ".blimg-notes1/"), true},
    };
    std::vector<TFiles> before;
    for (const auto &f : folders)
        before.push_back(FilesUnder(f.folder));
    ASSERT_EQ(before[0].size(), 8u);

    P().AddButton("Third");
    WritePreviewPage(P());
    P().DeleteAllButtons();
    WritePreviewPage(P());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(FileExists(folders[i].folder), folders[i].kept) << folders[i].what;
        EXPECT_EQ(FilesUnder(folders[i].folder), folders[i].kept ? before[i] : TFiles()) << folders[i].what;
    }
}

}  // namespace
