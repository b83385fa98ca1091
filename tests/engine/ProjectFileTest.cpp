#include "ButtonStream.h"
#include "ProjectFixture.h"
#include "StreamBytes.h"

#include <QDir>

namespace {

using ProjectFile = ProjectTest;

constexpr size_t StateRecordFixed = 13158 + 3 * 4;  // blocks and string lengths

// A saved project with two buttons, one of them unusual.
void MakeProject(TProj &p)
{
    p.NewProject();
    p.Settings = {0x102030, 2, 1};
    p.AddButton("Home");
    p.AddButton("Contact us");
    TItem &over = p.Buttons[1]->States[1];
    over.Width = 250;
    over.TextItem.FontName = "Verdana";
    over.Lights[3].Pad[0] = 0x99;
    p.Buttons[1]->Prop.Link = "contact.html";
}

}  // namespace

TEST_F(ProjectFile, EmptyProjectIsSixteenBytes)
{
    P().NewProject();
    ASSERT_TRUE(P().SaveProjectAs(ProjectPath("empty.prj")));
    EXPECT_EQ(FileBytes(ProjectPath("empty.prj")),
              std::vector<uint8_t>({0xC0, 0xC0, 0xC0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(P().Modified);
    EXPECT_FALSE(P().Untitled);
    EXPECT_EQ(FHost.Caption, "Bright Lane - empty.prj");
    EXPECT_EQ(PageDir, ProjectsDir + "empty/");
    EXPECT_TRUE(FileExists(PageDir));
}

TEST_F(ProjectFile, OneButtonLayout)
{
    P().NewProject();
    P().AddButton("Menu - 1");
    ASSERT_TRUE(P().SaveProjectAs(ProjectPath("one.prj")));
    const std::vector<uint8_t> f = FileBytes(ProjectPath("one.prj"));
    // "Menu - 1" "#" "No text" "_self"; per state its name, caption and "Tahoma".
    const size_t head = 16 + 4 * 4 + 8 + 1 + 7 + 5;
    const size_t states[3] = {StateRecordFixed + 6 + 8 + 6, StateRecordFixed + 8 + 8 + 6,
                              StateRecordFixed + 6 + 8 + 6};
    ASSERT_EQ(f.size(), head + states[0] + states[1] + states[2]);
    EXPECT_EQ(Int32At(f, 12), 1);
    EXPECT_EQ(Int32At(f, 16), 8);
    EXPECT_EQ(TextAt(f, 20, 8), "Menu - 1");
    EXPECT_EQ(TextAt(f, 37, 7), "No text");
    size_t s = head;
    const char *names[] = {"Normal", "Selected", "Pushed"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(TextAt(f, s + 4, std::strlen(names[k])), names[k]);
        const size_t afterName = s + 4 + std::strlen(names[k]);
        EXPECT_EQ(SingleAt(f, afterName + 16 + 8), 192.0f / 255.0f);  // background red
        const size_t caption = afterName + 16 + 28 + 7 * 84 + 12289 + 68 + 64 + 44 + 16;
        EXPECT_EQ(Int32At(f, caption), 8);
        EXPECT_EQ(TextAt(f, caption + 4, 8), "Menu - 1");
        s += states[k];
    }
}

TEST_F(ProjectFile, RoundTripIsByteExact)
{
    MakeProject(P());
    const std::string name = ProjectPath("site.prj");
    ASSERT_TRUE(P().SaveProjectAs(name));
    const std::vector<uint8_t> first = FileBytes(name);
    P().CloseProject();

    P().OpenProject(name);
    ASSERT_TRUE(P().Opened);
    EXPECT_FALSE(P().Modified);
    EXPECT_FALSE(P().Untitled);
    EXPECT_EQ(P().ButtonCount(), 2);
    EXPECT_EQ(P().Settings.BackColor, 0x102030);
    EXPECT_EQ(P().Settings.MenuAlign, 2);
    EXPECT_EQ(P().Settings.MenuOrientation, 1);
    EXPECT_EQ(P().NextButtonNo, 3);
    EXPECT_EQ(P().Buttons[1]->States[1].Lights[3].Pad[0], 0x99);
    EXPECT_EQ(P().Buttons[1]->Owner, &P());
    EXPECT_EQ(FHost.Caption, "Bright Lane - site.prj");
    ASSERT_TRUE(P().SaveProject());
    EXPECT_EQ(FileBytes(name), first);
}

TEST_F(ProjectFile, OpenSetsTheFoldersAndTheLanguagesStateNames)
{
    TButtons button(nullptr);
    button.States[2].Name = "Stored name";
    TMemoryStream stream;
    for (const int32_t v : {0xFFFFFF, 0, 0, 1})
        WriteInt32(stream, v);
    SaveToStream(stream, button);
    CreateFolder(AppDir + "Menus");
    const std::string name = AppDir + "Menus/site.v2.prj";
    WriteFile(name, stream.Bytes());

    P().OpenProject(name);
    ASSERT_TRUE(P().Opened);
    EXPECT_EQ(P().Buttons[0]->States[2].Name, "Pushed");
    EXPECT_EQ(ProjectsDir, AppDir + "Menus/");
    EXPECT_EQ(PageDir, AppDir + "Menus/site.v2/");
    EXPECT_TRUE(FileExists(PageDir));
    EXPECT_EQ(P().ButtonIndex, -1);

    // Saving elsewhere keeps the projects folder; the page folder follows
    // the new name.
    ASSERT_TRUE(P().SaveProjectAs(AppDir + "other.prj"));
    EXPECT_EQ(ProjectsDir, AppDir + "Menus/");
    EXPECT_EQ(PageDir, AppDir + "Menus/other/");
}

TEST_F(ProjectFile, ProgressGaugeFollowsTheButtons)
{
    MakeProject(P());
    FHost.Progress.clear();
    ASSERT_TRUE(P().SaveProjectAs(ProjectPath("g.prj")));
    EXPECT_EQ(FHost.ProgressMax, 2);
    EXPECT_EQ(FHost.Progress, std::vector<int>({1, 2, 0}));
    P().CloseProject();
    FHost.Progress.clear();
    FHost.ProgressMax = -1;
    P().OpenProject(ProjectPath("g.prj"));
    EXPECT_EQ(FHost.ProgressMax, 2);
    EXPECT_EQ(FHost.Progress, std::vector<int>({1, 2, 0}));
}

TEST_F(ProjectFile, OpenWhileOpenDoesNothing)
{
    P().NewProject();
    P().OpenProject(ProjectPath("other.prj"));
    EXPECT_EQ(P().FileName, "No name.prj");
    EXPECT_TRUE(P().Untitled);
}

TEST_F(ProjectFile, MissingFileLeavesNoProjectOpen)
{
    FHost.Caption = "before";
    P().OpenProject(ProjectPath("missing.prj"));
    EXPECT_FALSE(P().Opened);
    EXPECT_EQ(P().ButtonCount(), 0);
    EXPECT_EQ(P().FileName, ProjectPath("missing.prj"));
    EXPECT_EQ(FHost.Caption, "Bright Lane");
}

TEST_F(ProjectFile, DamagedFilesFailToOpenCompletely)
{
    MakeProject(P());
    ASSERT_TRUE(P().SaveProjectAs(ProjectPath("good.prj")));
    const std::vector<uint8_t> good = FileBytes(ProjectPath("good.prj"));
    P().CloseProject();
    P().Settings = TProjSettings();

    struct Case {
        const char *what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"settings only", std::vector<uint8_t>(good.begin(), good.begin() + 12)});
    cases.push_back({"header cut", std::vector<uint8_t>(good.begin(), good.begin() + 15)});
    auto patched = [&](size_t offset, int32_t value) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    cases.push_back({"negative count", patched(12, -1)});
    cases.push_back({"count beyond the records", patched(12, 3)});
    cases.push_back({"huge count", patched(12, 0x7FFFFFFF)});
    cases.push_back({"name longer than the file", patched(16, 0x7FFFFFF0)});
    const size_t firstWidth = 16 + 4 * 4 + 4 + 1 + 7 + 5 + 4 + 6 + 16;
    ASSERT_EQ(Int32At(good, firstWidth), 100);
    cases.push_back({"width 0", patched(firstWidth, 0)});
    cases.push_back({"height 251", patched(firstWidth + 4, 251)});
    std::vector<uint8_t> cut = good;
    cut.resize(good.size() - 1);
    cases.push_back({"last byte missing", cut});

    for (const Case &c : cases) {
        WriteFile(ProjectPath("bad.prj"), c.bytes);
        FHost.Caption = "before";
        P().OpenProject(ProjectPath("bad.prj"));
        EXPECT_FALSE(P().Opened) << c.what;
        EXPECT_EQ(P().ButtonCount(), 0) << c.what;
        EXPECT_EQ(P().ButtonIndex, -1) << c.what;
        EXPECT_EQ(P().Settings.BackColor, 0xC0C0C0) << c.what;
        EXPECT_EQ(FHost.Caption, "Bright Lane") << c.what;
        EXPECT_EQ(FHost.Progress.back(), 0) << c.what;
    }
    P().OpenProject(ProjectPath("good.prj"));
    EXPECT_TRUE(P().Opened);
}

TEST_F(ProjectFile, FailedSaveKeepsFlagsAndTheOldFile)
{
    MakeProject(P());
    const std::string name = ProjectPath("kept.prj");
    ASSERT_TRUE(P().SaveProjectAs(name));
    const std::vector<uint8_t> before = FileBytes(name);
    const std::string pageDir = PageDir;

    P().AddButton("Unsaved");
    FHost.Caption = "caption";
    EXPECT_FALSE(P().SaveProjectAs(AppDir + "no/such/folder/x.prj"));
    EXPECT_EQ(P().FileName, name);
    EXPECT_EQ(FHost.Caption, "caption");
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(PageDir, pageDir);

    // The file's place is taken by a folder: the save fails, nothing is lost.
    ASSERT_TRUE(QFile::rename(QtFilePath(name), QtFilePath(name + ".bak")));
    ASSERT_TRUE(CreateFolder(name));
    EXPECT_FALSE(P().SaveProject());
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(FileBytes(name + ".bak"), before);
}

TEST_F(ProjectFile, UntitledProjectNeedsSaveAs)
{
    P().NewProject();
    EXPECT_FALSE(P().SaveProject());
    EXPECT_TRUE(P().Untitled);
    EXPECT_TRUE(P().Modified);
    EXPECT_FALSE(FileExists("No name.prj"));
}

// A project named by a relative path (as on the command line) is kept under
// its full path, so that a later save still finds its folder.
TEST_F(ProjectFile, RelativeNamesAreKeptAsFullPaths)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QtFilePath(ProjectsDir)));
    P().NewProject();
    P().AddButton("Home");
    const bool savedAs = P().SaveProjectAs("relative.prj");
    const std::string savedName = P().FileName;
    P().CloseProject();
    P().OpenProject("relative.prj");
    QDir::setCurrent(previous);

    ASSERT_TRUE(savedAs);
    EXPECT_EQ(savedName, ProjectPath("relative.prj"));
    ASSERT_TRUE(P().Opened);
    EXPECT_EQ(P().FileName, ProjectPath("relative.prj"));
    EXPECT_EQ(FHost.Caption, "Bright Lane - relative.prj");
    P().AddButton("News");
    EXPECT_TRUE(P().SaveProject());
    EXPECT_FALSE(P().Modified);
}
