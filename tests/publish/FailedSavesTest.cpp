// Every kind of file the program saves, saved where writing fails: each save
// must report the failure in the one save error, naming the file and giving
// the system's reason, and leave the file it replaces byte for byte as it
// was, with no temporary file left behind. The table lives with the page
// code because that library reaches all the others.
#include "Exceptions.h"
#include "ExportU.h"
#include "FullDisk.h"
#include "KitGIF.h"
#include "PageFiles.h"
#include "MenuView.h"
#include "PreviewPage.h"
#include "ImageSets.h"
#include "ParamU.h"
#include "ProjectFixture.h"
#include "PropertyLibraries.h"
#include "PublishSession.h"
#include "SettingsFile.h"

#include <QDirIterator>
#include <functional>
#include <map>
#include <memory>

namespace {

enum class TFailingPlace { FullFileSystem, FileSizeLimit };

// What the system says when a write fails there.
std::string SystemReason(TFailingPlace place)
{
    return place == TFailingPlace::FullFileSystem ? "No space left on device" : "File too large";
}

// The outcome of a save as one text: "saved", or the message of the error
// raised.
std::string Raised(const std::function<void()> &save)
{
    try {
        save();
        return "saved";
    } catch (const Exception &e) {
        return e.what();
    }
}

// A save and the file its failure names.
struct TSave {
    const char *what;
    std::function<std::string()> save;
    std::string file;
};

// The save of a property library of one entry.
template <typename Library, typename Block>
TSave LibrarySave(const char *what)
{
    const auto save = [] {
        Library library;
        library.Add(Block(), "Entry");
        return Raised([&] { library.SaveToFile(); });
    };
    return {what, save, Library().FileName()};
}

using TFiles = std::map<std::string, std::vector<uint8_t>>;

// Every file under a folder with its bytes.
TFiles FilesUnder(const std::string &folder)
{
    TFiles files;
    QDirIterator it(QtFilePath(folder), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string name = FilePathBytes(it.next());
        files[name] = FileBytes(name);
    }
    return files;
}

// The files that were added, removed or changed.
std::vector<std::string> Changes(const TFiles &before, const TFiles &after)
{
    std::vector<std::string> changed;
    for (const auto &[name, bytes] : before) {
        const auto now = after.find(name);
        if (now == after.end() || now->second != bytes)
            changed.push_back(name);
    }
    for (const auto &[name, bytes] : after)
        if (!before.count(name))
            changed.push_back(name);
    return changed;
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
    void StopWrites()
    {
        if (FDisk)
            ASSERT_TRUE(FDisk->Fill());
        else
            FLimit = std::make_unique<TFileSizeLimit>(0);
    }
    void TearDown() override
    {
        FLimit.reset();
        ProjectTest::TearDown();
    }

    std::vector<TSave> EverySave()
    {
        std::vector<TSave> saves;
        const std::string project = ProjectsDir + "site.prj";
        saves.push_back({"project", [=] { return P().SaveProjectAs(project) ? "saved" : P().LastError; }, project});
        for (const char *name : {"b.gif", "b.bmp", "b.jpg", "b.ico", "b.wmf", "b.emf"}) {
            const std::string file = AppDir + name;
            saves.push_back({name, [=] { return Raised([&] { ExportImage(P(), file, cmWhole); }); }, file});
        }
        const std::string gifFile = AppDir + "file.gif";
        saves.push_back({"GIF file", [=] {
                             QImage picture(4, 4, QImage::Format_RGB32);
                             picture.fill(Qt::red);
                             TGIFImage gif;
                             gif.AddFrame(picture);
                             return Raised([&] { gif.SaveToFile(QtFilePath(gifFile)); });
                         },
                         gifFile});
        saves.push_back(LibrarySave<TTextureTemplate, TTextureBlock>("texture library"));
        saves.push_back(LibrarySave<TMaterialTemplate, TMaterialBlock>("material library"));
        saves.push_back(LibrarySave<TShapeTemplate, TShapeBlock>("shape library"));
        saves.push_back(LibrarySave<TDeformationTemplate, TDeformationBlock>("deformation library"));
        saves.push_back({"button template", [this] {
                             P().ButtonTemplate.AddButton(*P().Buttons[0], "Round");
                             return Raised([&] { P().ButtonTemplate.SaveToFile("Blue.btn"); });
                         },
                         TemplatesDir + "Blue.btn"});
        const std::string page = HtmlPagesDir + "page.html";
        saves.push_back({"new page", [=] { return Raised([&] { SaveNewPage(P(), page, true); }); }, page});
        const std::string published = HtmlPagesDir + "published.html";
        saves.push_back({"published page", [=] {
                             TPublishSession session;
                             session.Opened(published);
                             TLines lines = {"<html>", "</html>"};
                             session.Insert(lines, 1, 0, MenuViewOf(P()));
                             return Raised([&] { session.Save(lines, P(), MainGauge()); });
                         },
                         published});
        const std::string images = AppDir + "set/";
        saves.push_back({"image set", [=] { return Raised([&] { BatchExportImages(P(), images); }); },
                         images + "imgn0" + GetImageExt()});
        const std::string pageFolder = AppDir + "pub";
        saves.push_back({"published image set",
                         [=] { return Raised([&] { ExportPublishImages(MainGauge(), P(), pageFolder, "blimg", 0); }); },
                         pageFolder + "/blimg/imgn0" + GetImageExt()});
        // The project saved as site.prj keeps its preview page in "site".
        saves.push_back({"preview page", [this] { return Raised([&] { WritePreviewPage(P()); }); },
                         ProjectsDir + "site/blimg/imgn0" + GetImageExt()});
        const std::string settings = AppDir + "Brightlane.ini";
        saves.push_back({"settings", [=] { return Raised([&] { SaveSettings(AppParam(), settings); }); }, settings});
        return saves;
    }

    std::unique_ptr<TSmallFileSystem> FDisk;
    std::unique_ptr<TFileSizeLimit> FLimit;
};

class FailedSaves : public SaveTest, public ::testing::WithParamInterface<TFailingPlace> {
protected:
    void SetUp() override { SetUpProject(GetParam() == TFailingPlace::FullFileSystem); }
};

class SmallDisk : public SaveTest {
protected:
    void SetUp() override { SetUpProject(true); }
};

TEST_P(FailedSaves, EverySaveReportsTheFailureAndKeepsTheOldFile)
{
    ASSERT_TRUE(CreateFolder(AppDir + "set/"));
    ASSERT_TRUE(CreateFolder(AppDir + "pub/"));
    std::vector<TSave> saves = EverySave();
    for (TSave &save : saves)
        ASSERT_EQ(save.save(), "saved") << save.what;
    const auto before = FilesUnder(AppDir);
    P().Modified = true;

    StopWrites();
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

    StopWrites();
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
// error names the image there; the side folders of this write and of an
// interrupted one are gone. A new page whose images cannot be written is not
// written either.
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
    for (const auto &c : cases) {
        QDir(QtFilePath(blimg)).removeRecursively();
        QFile::remove(QtFilePath(blimg));
        c.spoil();
        ASSERT_TRUE(QDir().mkpath(QtFilePath(PageDir + ".blimg-Ab12Cd")));
        WriteFileText(PageDir + ".blimg-Ab12Cd/imgn0.bmp", "left by a killed write");
        EXPECT_EQ(Raised([this] { WritePreviewPage(P()); }), CannotSaveFile(blimg + "/imgc0.bmp", c.reason).what())
            << c.what;
        EXPECT_EQ(FileText(PageDir + "index.html"), page) << c.what;
        EXPECT_EQ(QDir(QtFilePath(PageDir)).entryList({".blimg-*"}, QDir::AllEntries | QDir::Hidden), QStringList())
            << c.what;
    }

    const std::string newPage = HtmlPagesDir + "menu.html";
    WriteFileText(HtmlPagesDir + "menu.blimg", "x");
    EXPECT_EQ(Raised([&] { SaveNewPage(P(), newPage, false); }),
              CannotSaveFile(HtmlPagesDir + "menu.blimg/imgn0.bmp", "Not a directory").what());
    EXPECT_FALSE(FileExists(newPage));
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
    EXPECT_EQ(P().LastError, CannotSaveFile(name, "No space left on device").what());
    EXPECT_EQ(FileBytes(name), before);
    EXPECT_EQ(QDir(QtFilePath(ProjectsDir)).entryList(QDir::Files), QStringList{"site.prj"});
}

INSTANTIATE_TEST_SUITE_P(Places, FailedSaves,
                         ::testing::Values(TFailingPlace::FullFileSystem, TFailingPlace::FileSizeLimit),
                         [](const auto &info) {
                             return info.param == TFailingPlace::FullFileSystem ? "FullFileSystem" : "FileSizeLimit";
                         });

}  // namespace
