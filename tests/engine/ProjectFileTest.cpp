#include "ButtonStream.h"
#include "ProjectFixture.h"
#include "RecordLayout.h"

#include <QDir>

namespace {

using ProjectFile = ProjectTest;

// A saved project with two buttons, one of them unusual.
void MakeProject(TProj &p)
{
    p.NewProject();
    p.Settings = {0x102030, 2, 1};
    p.AddButton("Home");
    p.AddButton("Contact us");
    p.Buttons[1]->States[1].Width = 250;
    p.Buttons[1]->States[1].Lights[3].Pad[0] = 0x99;
    p.Buttons[1]->Prop.Link = "contact.html";
}

TEST_F(ProjectFile, LayoutOfAnEmptyAndAOneButtonProject)
{
    P().NewProject();
    ASSERT_TRUE(P().SaveProjectAs(ProjectPath("empty.prj")));
    EXPECT_EQ(FileBytes(ProjectPath("empty.prj")), std::vector<uint8_t>({0xC0, 0xC0, 0xC0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(P().Modified);
    EXPECT_FALSE(P().Untitled);
    EXPECT_EQ(FHost.Caption, "Bright Lane - empty.prj");
    EXPECT_EQ(PageDir, ProjectsDir + "empty/");
    EXPECT_TRUE(FileExists(PageDir));

    P().AddButton("Menu - 1");
    ASSERT_TRUE(P().SaveProject());
    const std::vector<uint8_t> file = FileBytes(ProjectPath("empty.prj"));
    EXPECT_EQ(Int32At(file, 12), 1);
    size_t offset = 16;
    const TFieldValues read = ReadFields(file, offset, ButtonLayout());
    EXPECT_EQ(offset, file.size());
    const char *names[] = {"Normal", "Selected", "Pushed"};
    for (int k = 0; k < 3; ++k) {
        const std::string s = "State" + std::to_string(k) + ".";
        EXPECT_EQ(read.at(s + "Name"), names[k]);
        EXPECT_EQ(read.at(s + "Text"), "Menu - 1");
        EXPECT_EQ(read.at(s + "Background"), "0.752941 0.752941 0.752941 1");
    }
}

TEST_F(ProjectFile, RoundTripIsByteExact)
{
    MakeProject(P());
    const std::string name = ProjectPath("site.prj");
    ASSERT_TRUE(P().SaveProjectAs(name));
    const std::vector<uint8_t> first = FileBytes(name);
    EXPECT_EQ(FHost.ProgressMax, 2);
    EXPECT_EQ(FHost.Progress, std::vector<int>({1, 2, 0}));
    P().CloseProject();
    FHost.Progress.clear();

    P().OpenProject(name);
    ASSERT_TRUE(P().Opened);
    EXPECT_FALSE(P().Modified || P().Untitled);
    EXPECT_EQ(P().ButtonCount(), 2);
    EXPECT_EQ(P().Settings.BackColor, 0x102030);
    EXPECT_EQ(P().Settings.MenuAlign, 2);
    EXPECT_EQ(P().Settings.MenuOrientation, 1);
    EXPECT_EQ(P().NextButtonNo, 3);
    EXPECT_EQ(P().Buttons[1]->Owner, &P());
    EXPECT_EQ(FHost.Caption, "Bright Lane - site.prj");
    EXPECT_EQ(FHost.Progress, std::vector<int>({1, 2, 0}));
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
    P().OpenProject(ProjectPath("other.prj"));  // while one is open: nothing
    EXPECT_EQ(P().FileName, name);

    // Saving elsewhere keeps the projects folder; the page folder follows.
    ASSERT_TRUE(P().SaveProjectAs(AppDir + "other.prj"));
    EXPECT_EQ(ProjectsDir, AppDir + "Menus/");
    EXPECT_EQ(PageDir, AppDir + "Menus/other/");
}

TEST_F(ProjectFile, MissingAndDamagedFilesLeaveNoProjectOpen)
{
    MakeProject(P());
    ASSERT_TRUE(P().SaveProjectAs(ProjectPath("good.prj")));
    const std::vector<uint8_t> good = FileBytes(ProjectPath("good.prj"));
    P().CloseProject();
    P().Settings = TProjSettings();
    const auto patched = [&](size_t offset, int32_t value) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    const size_t firstWidth = 16 + 4 * 4 + 4 + 1 + 7 + 5 + 4 + 6 + 16;
    ASSERT_EQ(Int32At(good, firstWidth), 100);
    const std::pair<const char *, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"settings only", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
        {"header cut", std::vector<uint8_t>(good.begin(), good.begin() + 15)},
        {"negative count", patched(12, -1)},
        {"count beyond the records", patched(12, 3)},
        {"huge count", patched(12, 0x7FFFFFFF)},
        {"name longer than the file", patched(16, 0x7FFFFFF0)},
        {"width 0", patched(firstWidth, 0)},
        {"height 251", patched(firstWidth + 4, 251)},
        {"last byte missing", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"missing", {}}};
    for (const auto &[what, bytes] : cases) {
        if (std::string(what) == "missing")
            DeleteFileAt(ProjectPath("bad.prj"));
        else
            WriteFile(ProjectPath("bad.prj"), bytes);
        FHost.Caption = "before";
        P().OpenProject(ProjectPath("bad.prj"));
        EXPECT_FALSE(P().Opened) << what;
        EXPECT_EQ(P().ButtonCount(), 0) << what;
        EXPECT_EQ(P().ButtonIndex, -1) << what;
        EXPECT_EQ(P().Settings.BackColor, 0xC0C0C0) << what;
        EXPECT_EQ(FHost.Caption, "Bright Lane") << what;
        EXPECT_EQ(FHost.Progress.back(), 0) << what;
    }
    P().OpenProject(ProjectPath("good.prj"));
    EXPECT_TRUE(P().Opened);
}

TEST_F(ProjectFile, AFailedOrRefusedSaveChangesNothing)
{
    P().NewProject();
    EXPECT_FALSE(P().SaveProject());  // untitled: needs a name first
    EXPECT_EQ(P().LastError.Bytes(), CannotSaveFile("No name.prj", "It has no folder yet").what());
    EXPECT_TRUE(P().Untitled && P().Modified);
    EXPECT_FALSE(FileExists("No name.prj"));

    const std::string name = ProjectPath("kept.prj");
    ASSERT_TRUE(P().SaveProjectAs(name));
    const std::string pageDir = PageDir;
    P().AddButton("Unsaved");
    FHost.Caption = "caption";
    EXPECT_FALSE(P().SaveProjectAs(AppDir + "no/such/folder/x.prj"));
    EXPECT_EQ(P().LastError.Bytes(), CannotSaveFile(AppDir + "no/such/folder/x.prj", "No such file or directory").what());
    EXPECT_EQ(P().FileName, name);
    EXPECT_EQ(FHost.Caption, "caption");
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(PageDir, pageDir);
}

// A project named by a relative path (as on the command line) is kept under
// its full path, so that a later save still finds its folder.
TEST_F(ProjectFile, RelativeNamesAreKeptAsFullPaths)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QtFilePath(ProjectsDir)));
    P().NewProject();
    const bool savedAs = P().SaveProjectAs("relative.prj");
    const std::string savedName = P().FileName;
    P().CloseProject();
    P().OpenProject("relative.prj");
    QDir::setCurrent(previous);

    ASSERT_TRUE(savedAs);
    EXPECT_EQ(savedName, ProjectPath("relative.prj"));
    ASSERT_TRUE(P().Opened);
    EXPECT_EQ(P().FileName, ProjectPath("relative.prj"));
    P().AddButton("News");
    EXPECT_TRUE(P().SaveProject());
}

}  // namespace
