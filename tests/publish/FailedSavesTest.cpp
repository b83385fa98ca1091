// Every kind of file the program saves, saved where writing fails: each save
// must report the failure in the one save error, naming the file and giving
// the system's reason, and leave the file it replaces byte for byte as it
// was, with no temporary file left behind. The table lives with the page
// code because that library reaches all the others.
#include "EverySave.h"
#include "FullDisk.h"
#include "ImmutableFile.h"
#include "PreviewPage.h"
#include "ProjectFixture.h"

#include <memory>

namespace {

enum class TFailingPlace { FullFileSystem, FileSizeLimit, ReadOnlyFileSystem };

const struct {
    TFailingPlace place;
    const char *name;
    const char *reason;  // what the system says when a write fails there
} FailingPlaces[] = {
    {TFailingPlace::FullFileSystem, "FullFileSystem", "No space left on device"},
    {TFailingPlace::FileSizeLimit, "FileSizeLimit", "File too large"},
    {TFailingPlace::ReadOnlyFileSystem, "ReadOnlyFileSystem", "Read-only file system"},
};

const auto &FailingPlace(TFailingPlace place)
{
    return FailingPlaces[size_t(place)];
}

std::string SystemReason(TFailingPlace place)
{
    return FailingPlace(place).reason;
}

// A project of two buttons, its folders on a small file system of its own
// when asked (and when one can be mounted).
class SaveTest : public ProjectTest {
protected:
    void SetUpProject(bool onSmallDisk)
    {
        ProjectTest::SetUp();
        if (onSmallDisk) {
            const std::string disk = FilePathBytes(FDir.path()) + "/disk";
            ASSERT_TRUE(CreateFolder(disk));
            FDisk = std::make_unique<TSmallFileSystem>(disk, 2048);
            if (!FDisk->Mounted())
                GTEST_SKIP() << "skipped: cannot mount a small tmpfs (" << FDisk->Failure()
                             << "); the test needs root";
            ASSERT_TRUE(CreateFolder(disk + "/app"));
            InitAppFolders(disk + "/app");
        }
        P().NewProject();
        P().AddButton("Home");
        P().AddButton("Contact us");
        P().Select(1, 1);
        P().RenderCurrent();
    }

    // From here on every write fails.
    void StopWrites(TFailingPlace place)
    {
        if (place == TFailingPlace::FullFileSystem)
            ASSERT_TRUE(FDisk->Fill());
        else if (place == TFailingPlace::ReadOnlyFileSystem)
            ASSERT_TRUE(FDisk->MakeReadOnly());
        else
            FLimit = std::make_unique<TFileSizeLimit>(0);
    }
    void TearDown() override
    {
        FLimit.reset();
        ProjectTest::TearDown();
    }

    std::unique_ptr<TSmallFileSystem> FDisk;
    std::unique_ptr<TFileSizeLimit> FLimit;
};

class FailedSaves : public SaveTest, public ::testing::WithParamInterface<TFailingPlace> {
protected:
    void SetUp() override { SetUpProject(GetParam() != TFailingPlace::FileSizeLimit); }
};

class SmallDisk : public SaveTest {
protected:
    void SetUp() override { SetUpProject(true); }
};

TEST_P(FailedSaves, EverySaveReportsTheFailureAndKeepsTheOldFile)
{
    ASSERT_TRUE(CreateFolder(AppDir + "set/"));
    ASSERT_TRUE(CreateFolder(AppDir + "pub/"));
    std::vector<TSave> saves = EverySave(P());
    for (TSave &save : saves)
        ASSERT_EQ(save.save(), "saved") << save.what;
    const auto before = FilesUnder(AppDir);
    P().Modified = true;

    StopWrites(GetParam());
    for (TSave &save : saves)
        EXPECT_EQ(save.save(), CannotSaveFile(save.file, SystemReason(GetParam())).what())
            << save.what;
    FLimit.reset();
    EXPECT_EQ(Changes(before, FilesUnder(AppDir)), std::vector<std::string>());
    EXPECT_TRUE(P().Modified);
}

// A template change that cannot be written is reported and dropped, so the
// template holds what its file holds; a new template that cannot be written
// is not opened.
TEST_P(FailedSaves, TemplatesHoldWhatTheirFilesHold)
{
    ASSERT_TRUE(P().NewButtonTemplate("Blue"));
    P().AddButtonToTemplate("First");
    P().AddButtonToTemplate("Second");
    const auto before = FilesUnder(AppDir);
    const auto entryNames = [this] {
        std::vector<std::string> names;
        for (int i = 0; i < P().ButtonTemplate.Count(); ++i)
            names.push_back(P().ButtonTemplate.GetItem(i).Name);
        return names;
    };

    StopWrites(GetParam());
    const std::string reason = SystemReason(GetParam());
    const struct {
        const char *what;
        int selected;
        std::function<void()> change;
    } changes[] = {
        {"add", 1, [this] { P().AddButtonToTemplate("Third"); }},
        {"rename", 1, [this] { P().RenameTemplateButton("Renamed"); }},
        {"move down", 0, [this] { P().MoveTemplateButtonDown(); }},
        {"move up", 1, [this] { P().MoveTemplateButtonUp(); }},
        {"delete", 1, [this] { P().DeleteTemplateButton(); }},
        {"delete all", 0, [this] { P().DeleteAllTemplateButtons(); }},
    };
    for (const auto &change : changes) {
        P().TemplateButtonIndex = change.selected;
        EXPECT_EQ(Raised(change.change), CannotSaveFile(TemplatesDir + "Blue.btn", reason).what()) << change.what;
        EXPECT_EQ(entryNames(), (std::vector<std::string>{"First", "Second"})) << change.what;
        EXPECT_EQ(P().TemplateButtonIndex, change.selected) << change.what;
        EXPECT_FALSE(P().ButtonTemplate.Modified) << change.what;
    }
    EXPECT_EQ(P().NextTemplateButtonNo, 3);

    EXPECT_EQ(Raised([this] { P().NewButtonTemplate("Green"); }),
              CannotSaveFile(TemplatesDir + "Green.btn", reason).what());
    EXPECT_EQ(P().TemplateFileName, "Blue.btn");
    EXPECT_EQ(entryNames(), (std::vector<std::string>{"First", "Second"}));
    FLimit.reset();
    EXPECT_EQ(Changes(before, FilesUnder(AppDir)), std::vector<std::string>());
}

class PreviewPageFiles : public SaveTest {
protected:
    void SetUp() override
    {
        SetUpProject(false);
        AppParam().BatchExp = 1;  // BMP: an image's size follows its picture's
    }
    void TearDown() override
    {
        AppParam() = TParam();
        SaveTest::TearDown();
    }
    void SizeButtons(int from, QSize size)
    {
        for (int i = from; i < P().ButtonCount(); ++i)
            for (TItem &state : P().Buttons[size_t(i)]->States) {
                state.Width = size.width();
                state.Height = size.height();
            }
    }
};

// The page and its images change together or not at all: where the page or
// one image cannot be written, the old page and every old image stay as
// they were, however far the new set got.
TEST_F(PreviewPageFiles, AreWrittenWithTheirImagesOrNotAtAll)
{
    SizeButtons(0, {20, 10});
    WritePreviewPage(P());
    const auto before = FilesUnder(PageDir);
    ASSERT_EQ(before.size(), 7u);
    const struct {
        const char *what;
        std::function<void()> change;
        rlim_t limit;
        std::string file;
    } cases[] = {
        {"a page longer than a file may be",
         [this] {
             for (int i = 0; i < 14; ++i)
                 P().AddButton("More " + std::to_string(i));
             SizeButtons(2, {20, 10});
             ASSERT_GT(JoinLines(PreviewPageLines(MenuViewOf(P()))).size(), 4096u);
         },
         4096, PageDir + "index.html"},
        {"the second button's image larger than a file may be", [this] { SizeButtons(1, {400, 200}); }, 65536,
         PageDir + "blimg/imgn1.bmp"},
    };
    for (const auto &c : cases) {
        c.change();
        FLimit = std::make_unique<TFileSizeLimit>(c.limit);
        EXPECT_EQ(Raised([this] { WritePreviewPage(P()); }), CannotSaveFile(c.file, "File too large").what())
            << c.what;
        FLimit.reset();
        EXPECT_EQ(Changes(before, FilesUnder(PageDir)), std::vector<std::string>()) << c.what;
    }

    P().DeleteAllButtons();
    P().AddButton("Only");
    WritePreviewPage(P());
    EXPECT_EQ(FileText(PageDir + "index.html"), JoinLines(PreviewPageLines(MenuViewOf(P()))));
    EXPECT_EQ(QDir(QtFilePath(PageDir + "blimg/")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"imgc0.bmp", "imgn0.bmp", "imgo0.bmp"}));
    EXPECT_EQ(QDir(QtFilePath(PageDir)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"blimg", "index.html"}));
}

// Where the images cannot move into "blimg", the old page stays and the
// error names the image there; the side folder of this write is gone, and
// folders named like it that the program did not mark keep all they hold,
// images of the set's names too. A new page whose images cannot be written
// is not written either.
TEST_F(PreviewPageFiles, ThatCannotMoveInKeepTheOldPage)
{
    WritePreviewPage(P());
    const std::string page = FileText(PageDir + "index.html");
    P().AddButton("Third");
    const std::string blimg = PageDir + "blimg";
    const struct {
        const char *what;
        std::function<void()> spoil;
        std::string reason;
    } cases[] = {
        {"blimg a plain file", [&] { WriteFileText(blimg, "x"); }, "Not a directory"},
        {"blimg a link to nowhere", [&] { QFile::link("nowhere", QtFilePath(blimg)); }, "No such file or directory"},
    };
    // Folders named as side folders, their files each holding its own name.
    const struct {
        std::string folder;
        std::vector<std::string> files;
    } sideFolders[] = {
        {".blimg-Ab12Cd", {"imgn0.bmp", "imgo12.gif"}},
        {".blimg-backup", {"notes.txt", "old/imgn0.bmp"}},
        {".blimg-Qr34St", {"imgn01.bmp", "imgx0.bmp", "imgn0.png", "IMGN0.BMP"}},
    };
    for (const auto &c : cases) {
        QDir(QtFilePath(blimg)).removeRecursively();
        QFile::remove(QtFilePath(blimg));
        c.spoil();
        std::vector<TFiles> made;
        for (const auto &side : sideFolders) {
            for (const std::string &file : side.files) {
                ASSERT_TRUE(QDir().mkpath(QtFilePath(ExtractFilePath(PageDir + side.folder + "/" + file))));
                WriteFileText(PageDir + side.folder + "/" + file, file);
            }
            made.push_back(FilesUnder(PageDir + side.folder));
        }
        EXPECT_EQ(Raised([this] { WritePreviewPage(P()); }), CannotSaveFile(blimg + "/imgc0.bmp", c.reason).what())
            << c.what;
        EXPECT_EQ(FileText(PageDir + "index.html"), page) << c.what;
        for (size_t i = 0; i < made.size(); ++i)
            EXPECT_EQ(FilesUnder(PageDir + sideFolders[i].folder), made[i]) << c.what << ": " << sideFolders[i].folder;
        EXPECT_EQ(QDir(QtFilePath(PageDir)).entryList({".blimg-*"}, QDir::AllEntries | QDir::Hidden),
                  QStringList({".blimg-Ab12Cd", ".blimg-backup", ".blimg-Qr34St"}))
            << c.what;
    }

    const std::string newPage = HtmlPagesDir + "menu.html";
    WriteFileText(HtmlPagesDir + "menu.blimg", "x");
    EXPECT_EQ(Raised([&] { SaveNewPage(P(), newPage, false); }),
              CannotSaveFile(HtmlPagesDir + "menu.blimg/imgn0.bmp", "Not a directory").what());
    EXPECT_FALSE(FileExists(newPage));
    const std::string longName = HtmlPagesDir + std::string(250, 'p');  // its ".blimg" is one byte too long
    EXPECT_EQ(Raised([&] { SaveNewPage(P(), longName + ".html", false); }),
              CannotCreateFolder(longName + ".blimg", "File name too long").what());
    EXPECT_FALSE(FileExists(longName + ".html"));
}

// A new page that cannot be replaced is refused before any image is
// written, so the old page still shows the images it had.
TEST_F(PreviewPageFiles, ANewPageThatCannotBeReplacedKeepsItsImages)
{
    const std::string page = HtmlPagesDir + "menu.html";
    SaveNewPage(P(), page, false);
    const auto before = FilesUnder(HtmlPagesDir);
    const TImmutableFile locked(page);
    if (!locked.Made())
        GTEST_SKIP() << "skipped: cannot make the page immutable (" << locked.Failure()
                     << "); the test needs root on a file system that keeps the flag";
    P().AddButton("Third");
    EXPECT_EQ(Raised([&] { SaveNewPage(P(), page, false); }),
              CannotSaveFile(page, "Operation not permitted").what());
    EXPECT_EQ(Changes(before, FilesUnder(HtmlPagesDir)), std::vector<std::string>());
}

// A preview write whose folder cannot be made says why: a project's page
// folder as the save error of the write's first file, with the folder's
// reason; the projects folder, which the program makes at start and where
// the page goes while no project is open, by its own name.
class PreviewFolders : public ProjectTest {};

TEST_F(PreviewFolders, ThatCannotBeMadeGiveTheirReason)
{
    const std::string top = FilePathBytes(FDir.path()) + "/";
    const std::string reason = "Read-only file system";
    const struct {
        const char *what;
        std::string appDir;
        std::string readOnly;  // the folder mounted read-only, empty
        bool projectOpen;
        int buttons;
        std::function<std::string()> error;
    } cases[] = {
        {"the program's folder", top + "app1", top + "app1", false, 0,
         [&]() -> std::string { return CannotCreateFolder(top + "app1/Projects", reason).what(); }},
        {"a project's page folder", top + "app2", top + "app2/Projects", true, 2,
         [&]() -> std::string { return CannotSaveFile(PageDir + "blimg/imgn0.gif", reason).what(); }},
        {"a page folder without images", top + "app3", top + "app3/Projects", true, 0,
         [&]() -> std::string { return CannotSaveFile(PageDir + "index.html", reason).what(); }},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(CreateFolders(c.readOnly));
        TSmallFileSystem disk(c.readOnly, 64);
        if (!disk.Mounted() || !disk.MakeReadOnly())
            GTEST_SKIP() << "skipped: cannot mount a read-only tmpfs (" << disk.Failure() << "); the test needs root";
        InitAppFolders(c.appDir);
        FProj = std::make_unique<TProj>();
        Proj = FProj.get();
        if (c.projectOpen)
            P().NewProject();
        for (int i = 0; i < c.buttons; ++i)
            P().AddButton("Button " + std::to_string(i));
        EXPECT_EQ(Raised([this] { WritePreviewPage(P()); }), c.error()) << c.what;
    }
}

// The reported case: a project of 79 KB saved with 72 KB left fails only at
// the last flush.
TEST_F(SmallDisk, AProjectLargerThanTheSpaceLeftIsNotSaved)
{
    const std::string name = ProjectsDir + "site.prj";
    ASSERT_TRUE(P().SaveProjectAs(name));
    const std::vector<uint8_t> before = FileBytes(name);
    ASSERT_GT(before.size(), 72u * 1024);
    ASSERT_TRUE(FDisk->Fill(72 * 1024));
    P().Settings.BackColor = 0x123456;
    EXPECT_FALSE(P().SaveProject());
    EXPECT_EQ(P().LastError.Bytes(), CannotSaveFile(name, "No space left on device").what());
    EXPECT_EQ(FileBytes(name), before);
    EXPECT_EQ(QDir(QtFilePath(ProjectsDir)).entryList(QDir::Files), QStringList{"site.prj"});
}

INSTANTIATE_TEST_SUITE_P(Places, FailedSaves,
                         ::testing::Values(TFailingPlace::FullFileSystem, TFailingPlace::FileSizeLimit,
                                           TFailingPlace::ReadOnlyFileSystem),
                         [](const auto &info) { return std::string(FailingPlace(info.param).name); });

}  // namespace
