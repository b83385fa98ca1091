#include "Exceptions.h"
#include "MenuBlock.h"
#include "ParamU.h"
#include "ProjectFixture.h"
#include "ScriptU.h"

#include <QDir>
#include <QImage>

namespace {

// A gauge that records what it is told.
class TRecordingGauge : public TGauge {
public:
    void SetMax(int maximum) override { Max = maximum; }
    void SetPosition(int position) override { Positions.push_back(position); }
    int Max = -1;
    std::vector<int> Positions;
};

class ImageSets : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        AppParam().BatchExp = 1;  // BMP: readable back with Qt
        AppParam().BmpPixelFormat = 6;
        MenuBase = 0;
    }
    void TearDown() override
    {
        AppParam() = TParam();
        ProjectTest::TearDown();
    }

    // A new project with buttons of the given sizes; (1, 2) selected.
    void MakeProject(const std::vector<QSize> &sizes)
    {
        P().NewProject();
        for (size_t i = 0; i < sizes.size(); ++i) {
            P().AddButton("b" + std::to_string(i));
            for (TItem &state : P().Buttons.back()->States) {
                state.Width = sizes[i].width();
                state.Height = sizes[i].height();
            }
        }
        P().Select(sizes.size() > 1 ? 1 : -1, sizes.size() > 1 ? 2 : -1);
        FPageDir = PageDir;
    }
    // The preview set moved in and the old images it replaces deleted.
    void InstallPreviewImages()
    {
        TPreviewImages images(P());
        images.Install();
        images.DeleteOldImages();
    }
    // The selection, PageDir and the gauge are as before the set.
    void ExpectRestored(const TRecordingGauge *gauge = nullptr)
    {
        EXPECT_EQ(PageDir, FPageDir);
        EXPECT_EQ(P().ButtonIndex, 1);
        EXPECT_EQ(P().StateIndex, 2);
        EXPECT_EQ(gauge ? gauge->Positions.back() : FHost.Progress.back(), 0);
    }

    static QStringList Files(const std::string &folder)
    {
        return QDir(QtFilePath(folder)).entryList(QDir::Files, QDir::Name);
    }
    static QImage Image(const std::string &file) { return QImage(QtFilePath(file)); }
    std::string Folder(const char *name)
    {
        const std::string folder = FilePathBytes(FDir.path()) + "/" + name + "/";
        CreateFolder(folder);
        return folder;
    }
    std::string FPageDir;
};

TEST_F(ImageSets, ExtensionFollowsTheBatchFormat)
{
    const char *expected[] = {".emf", ".gif", ".bmp", ".jpg", ".ico", ".wmf", ".emf", ".emf"};
    for (int format = -1; format <= 6; ++format) {
        AppParam().BatchExp = format;
        EXPECT_EQ(GetImageExt(), expected[format + 1]) << format;
    }
}

TEST_F(ImageSets, BatchSetNamesEveryStateAndRestoresTheSelection)
{
    MakeProject({{100, 30}, {60, 20}});
    const std::string folder = Folder("batch");
    BatchExportImages(P(), folder);
    EXPECT_EQ(Files(folder), QStringList({"imgc0.bmp", "imgc1.bmp", "imgn0.bmp", "imgn1.bmp", "imgo0.bmp", "imgo1.bmp"}));
    EXPECT_EQ(Image(folder + "imgo1.bmp").size(), QSize(60, 20));
    EXPECT_EQ(FHost.ProgressMax, 6);
    EXPECT_EQ(FHost.Progress, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    ExpectRestored();
}

// The last button is cut in two, across or down: together the two images
// give back the whole picture of the batch set.
TEST_F(ImageSets, PublishSetNumbersFromTheBaseAndSplitsTheLastButton)
{
    MakeProject({{100, 30}, {80, 24}, {90, 26}});
    const std::string whole = Folder("whole");
    BatchExportImages(P(), whole);
    TRecordingGauge gauge;
    const std::string page = Folder("site");
    ExportPublishImages(gauge, P(), page.substr(0, page.size() - 1), "site.blimg", 4);
    const std::string folder = page + "site.blimg/";
    QStringList expected;
    for (const char *letter : {"c", "n", "o"})
        for (const char *suffix : {"4", "5", "6", "6e"})
            expected << QString("img") + letter + suffix + ".bmp";
    expected.sort();
    EXPECT_EQ(Files(folder), expected);
    EXPECT_EQ(Image(folder + "imgn4.bmp").size(), QSize(100, 30));
    for (const char *letter : {"n", "o", "c"}) {
        const QImage full = Image(whole + "img" + letter + "2.bmp");
        EXPECT_EQ(Image(folder + "img" + letter + "6.bmp"), full.copy(0, 0, 88, 26)) << letter;
        EXPECT_EQ(Image(folder + "img" + letter + "6e.bmp"), full.copy(88, 0, 2, 26)) << letter;
    }
    EXPECT_EQ(gauge.Max, 9);
    EXPECT_EQ(gauge.Positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0}));
    EXPECT_EQ(FHost.Progress.size(), 10u) << "the main window's gauge moves for the batch set only";
    ExpectRestored(&gauge);

    P().Settings.MenuOrientation = 1;
    const std::string down = Folder("down");
    ExportPublishImages(gauge, P(), down.substr(0, down.size() - 1), "blimg", 0);
    EXPECT_EQ(Image(down + "blimg/imgn2.bmp").size(), QSize(90, 24));
    EXPECT_EQ(Image(down + "blimg/imgo2e.bmp").size(), QSize(90, 2));
}

TEST_F(ImageSets, PreviewSetIsGifAndCleansOnlyItsOwnOldImages)
{
    ASSERT_EQ(PageDir, ProjectsDir);
    CreateFolder(PageDir + "blimg/");
    WriteFile(PageDir + "blimg/imgn0.bmp", {1});
    InstallPreviewImages();  // before any project: no folder is touched
    EXPECT_TRUE(FileExists(PageDir + "blimg/imgn0.bmp"));

    MakeProject({{60, 20}});
    const std::string folder = PageDir + "blimg/";
    CreateFolder(folder);
    for (const char *name : {"imgn7.bmp", ".imgx.bmp", "imgn0.gif", "notes.bmp"})
        WriteFile(folder + name, {1, 2, 3});
    CreateFolder(folder + "img_folder.bmp");
    InstallPreviewImages();
    EXPECT_EQ(Files(folder), QStringList({"imgc0.bmp", "imgn0.bmp", "imgn0.gif", "imgo0.bmp", "notes.bmp"}));
    EXPECT_TRUE(FileExists(folder + "img_folder.bmp"));

    AppParam().BatchExp = 0;
    InstallPreviewImages();
    EXPECT_EQ(FileText(folder + "imgo0.gif").substr(0, 6), "GIF89a");
    EXPECT_EQ(Image(folder + "imgo0.gif").size(), QSize(60, 20));
}

TEST_F(ImageSets, AnEmptyProjectWritesNoImage)
{
    MakeProject({});
    TPreviewImages(P()).Install();
    EXPECT_TRUE(FileExists(PageDir + "blimg/"));
    const std::string page = Folder("empty");
    ExportPublishImages(MainGauge(), P(), page.substr(0, page.size() - 1), "blimg", 0);
    EXPECT_TRUE(Files(PageDir + "blimg/").isEmpty());
    EXPECT_TRUE(Files(page + "blimg/").isEmpty());
}

// A failed set must not leave PageDir pointing at the user's folder: the
// next preview would clean the user's images out of it.
TEST_F(ImageSets, FailedSetsRestorePageDirSelectionAndGauge)
{
    MakeProject({{100, 30}, {2, 30}});
    const std::string user = Folder("user");
    CreateFolder(user + "blimg/");
    WriteFile(user + "blimg/imgn0.bmp", {7});
    EXPECT_THROW(BatchExportImages(P(), user + "missing/"), EStreamError);
    ExpectRestored();
    TRecordingGauge gauge;
    EXPECT_THROW(ExportPublishImages(gauge, P(), user.substr(0, user.size() - 1), "blimg", 0), EInvalidGraphicOperation);
    ExpectRestored(&gauge);
    TPreviewImages(P()).Install();
    EXPECT_TRUE(FileExists(user + "blimg/imgn0.bmp"));
}

TEST_F(ImageSets, PagesAreWrittenAsGeneratedWithTheirImages)
{
    MakeProject({{100, 30}, {60, 20}});
    WritePreviewPage(P());
    EXPECT_EQ(FileText(PageDir + "index.html"), JoinLines(PreviewPageLines(MenuViewOf(P()))));
    EXPECT_NE(FileText(PageDir + "index.html").find("<img src=\"blimg/imgn1.bmp\" name=btn1 width=60 height=20"),
              std::string::npos);
    EXPECT_EQ(Files(PageDir + "blimg/").size(), 6);

    const std::string folder = Folder("pages");
    SaveNewPage(P(), folder + "quick.html", true);
    EXPECT_TRUE(FileExists(folder + "quick.html"));
    EXPECT_FALSE(FileExists(folder + "quick.blimg"));
    SaveNewPage(P(), folder + "menu.html", false);
    EXPECT_EQ(FileText(folder + "menu.html"), JoinLines(NewPageLines(folder + "menu.html", MenuViewOf(P()))));
    EXPECT_EQ(Files(folder + "menu.blimg/").size(), 9);
    EXPECT_EQ(Image(folder + "menu.blimg/imgn1.bmp").size(), QSize(58, 20));
    EXPECT_THROW(SaveNewPage(P(), folder + "missing/x.html", false), EStreamError);
    EXPECT_FALSE(FileExists(folder + "missing/x.blimg"));
}

}  // namespace
