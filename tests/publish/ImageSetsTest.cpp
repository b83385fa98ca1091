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

class ImageSetsTest : public ProjectTest {
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
        AppParam().BatchExp = 0;
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
    }

    static QStringList Files(const std::string &folder)
    {
        return QDir(QtFilePath(folder)).entryList(QDir::Files, QDir::Name);
    }
    static QSize ImageSize(const std::string &file) { return QImage(QtFilePath(file)).size(); }

    std::string Folder(const char *name)
    {
        const std::string folder = FilePathBytes(FDir.path()) + "/" + name + "/";
        CreateFolder(folder);
        return folder;
    }
};

TEST_F(ImageSetsTest, ExtensionFollowsTheBatchFormat)
{
    const char *expected[] = {".gif", ".bmp", ".jpg", ".ico", ".wmf", ".emf", ".emf", ".emf"};
    const int formats[] = {0, 1, 2, 3, 4, 5, 6, -1};
    for (int i = 0; i < 8; ++i) {
        AppParam().BatchExp = formats[i];
        EXPECT_EQ(GetImageExt(), expected[i]) << formats[i];
    }
}

TEST_F(ImageSetsTest, BatchSetNamesEveryStateAndRestoresTheSelection)
{
    MakeProject({{100, 30}, {60, 20}});
    const std::string pageDir = PageDir;
    const std::string folder = Folder("batch");
    BatchExportImages(P(), folder);
    EXPECT_EQ(Files(folder), QStringList({"imgc0.bmp", "imgc1.bmp", "imgn0.bmp", "imgn1.bmp", "imgo0.bmp", "imgo1.bmp"}));
    EXPECT_EQ(ImageSize(folder + "imgo1.bmp"), QSize(60, 20));
    EXPECT_EQ(PageDir, pageDir);
    EXPECT_EQ(P().ButtonIndex, 1);
    EXPECT_EQ(P().StateIndex, 2);
    EXPECT_EQ(FHost.ProgressMax, 6);
    EXPECT_EQ(FHost.Progress, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
}

TEST_F(ImageSetsTest, PublishSetSplitsTheLastButtonAcross)
{
    MakeProject({{100, 30}, {80, 24}, {90, 26}});
    MenuBase = 4;
    TRecordingGauge gauge;
    const std::string pageDir = PageDir;
    const std::string page = Folder("site");
    ExportPublishImages(gauge, P(), page.substr(0, page.size() - 1), "site.blimg");
    const std::string folder = page + "site.blimg/";
    QStringList expected;
    for (const char *letter : {"c", "n", "o"})
        for (const char *suffix : {"4", "5", "6", "6e"})
            expected << QString("img") + letter + suffix + ".bmp";
    expected.sort();
    EXPECT_EQ(Files(folder), expected);
    EXPECT_EQ(ImageSize(folder + "imgn4.bmp"), QSize(100, 30));
    EXPECT_EQ(ImageSize(folder + "imgo6.bmp"), QSize(88, 26));
    EXPECT_EQ(ImageSize(folder + "imgc6e.bmp"), QSize(2, 26));
    EXPECT_EQ(gauge.Max, 9);
    EXPECT_EQ(gauge.Positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0}));
    EXPECT_TRUE(FHost.Progress.empty());  // the main window's gauge stays
    EXPECT_EQ(PageDir, pageDir);
    EXPECT_EQ(P().ButtonIndex, 1);
}

// The split images are the rendered button cut in two: together they give
// back the whole picture of the batch set.
TEST_F(ImageSetsTest, MainAndEdgeImagesTogetherAreTheWholeRender)
{
    MakeProject({{70, 24}, {90, 26}});
    const std::string whole = Folder("whole");
    BatchExportImages(P(), whole);
    const std::string page = Folder("split");
    ExportPublishImages(MainGauge(), P(), page.substr(0, page.size() - 1), "blimg");
    for (const char *letter : {"n", "o", "c"}) {
        const QImage full(QtFilePath(whole + "img" + letter + "1.bmp"));
        const QImage main(QtFilePath(page + "blimg/img" + letter + "1.bmp"));
        const QImage edge(QtFilePath(page + "blimg/img" + letter + "1e.bmp"));
        ASSERT_EQ(full.size(), QSize(90, 26));
        EXPECT_EQ(main, full.copy(0, 0, 88, 26)) << letter;
        EXPECT_EQ(edge, full.copy(88, 0, 2, 26)) << letter;
    }
}

TEST_F(ImageSetsTest, PreviewSetIsGifByDefault)
{
    AppParam().BatchExp = 0;
    MakeProject({{60, 20}});
    ExportPreviewImages(P());
    QFile file(QtFilePath(PageDir + "blimg/imgo0.gif"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(6), QByteArray("GIF89a"));
    QImage gif(QtFilePath(PageDir + "blimg/imgo0.gif"));
    EXPECT_EQ(gif.size(), QSize(60, 20));
}

TEST_F(ImageSetsTest, PublishSetSplitsAVerticalMenuDown)
{
    MakeProject({{100, 30}, {80, 24}});
    P().Settings.MenuOrientation = 1;
    const std::string page = Folder("v");
    ExportPublishImages(MainGauge(), P(), page.substr(0, page.size() - 1), "blimg");
    EXPECT_EQ(ImageSize(page + "blimg/imgn0.bmp"), QSize(100, 30));
    EXPECT_EQ(ImageSize(page + "blimg/imgn1.bmp"), QSize(80, 22));
    EXPECT_EQ(ImageSize(page + "blimg/imgo1e.bmp"), QSize(80, 2));
}

TEST_F(ImageSetsTest, PreviewSetCleansOnlyOldImagesOfItsOwnExtension)
{
    MakeProject({{40, 20}});
    const std::string folder = PageDir + "blimg/";
    CreateFolder(folder);
    for (const char *name : {"imgn7.bmp", ".imgx.bmp", "imgn0.gif", "notes.bmp"})
        WriteFile(folder + name, {1, 2, 3});
    CreateFolder(folder + "img_folder.bmp");
    ExportPreviewImages(P());
    EXPECT_EQ(Files(folder), QStringList({"imgc0.bmp", "imgn0.bmp", "imgn0.gif", "imgo0.bmp", "notes.bmp"}));
    EXPECT_TRUE(FileExists(folder + "img_folder.bmp"));
}

TEST_F(ImageSetsTest, PreviewSetBeforeAnyProjectTouchesNoFolder)
{
    ASSERT_EQ(PageDir, ProjectsDir);
    CreateFolder(PageDir + "blimg/");
    WriteFile(PageDir + "blimg/imgn0.gif", {1});
    ExportPreviewImages(P());
    EXPECT_TRUE(FileExists(PageDir + "blimg/imgn0.gif"));
    AppParam().BatchExp = 0;
    ExportPreviewImages(P());
    EXPECT_TRUE(FileExists(PageDir + "blimg/imgn0.gif"));
}

TEST_F(ImageSetsTest, EmptyProjectWritesNoImageButPreparesThePreviewFolder)
{
    MakeProject({});
    ExportPreviewImages(P());
    EXPECT_TRUE(FileExists(PageDir + "blimg/"));
    EXPECT_TRUE(Files(PageDir + "blimg/").isEmpty());
    const std::string page = Folder("empty");
    ExportPublishImages(MainGauge(), P(), page.substr(0, page.size() - 1), "blimg");
    EXPECT_TRUE(Files(page + "blimg/").isEmpty());
}

// A failed batch export must not leave PageDir pointing at the user's
// folder: the next preview would clean the user's images out of it.
TEST_F(ImageSetsTest, FailedSetsRestorePageDirSelectionAndGauge)
{
    MakeProject({{100, 30}, {2, 30}});
    const std::string pageDir = PageDir;
    const std::string user = Folder("user");
    CreateFolder(user + "blimg/");
    WriteFile(user + "blimg/imgn0.bmp", {7});

    EXPECT_THROW(BatchExportImages(P(), user + "missing/"), EStreamError);
    EXPECT_EQ(PageDir, pageDir);
    EXPECT_EQ(P().ButtonIndex, 1);
    EXPECT_EQ(P().StateIndex, 2);
    EXPECT_EQ(FHost.Progress.back(), 0);

    TRecordingGauge gauge;
    EXPECT_THROW(ExportPublishImages(gauge, P(), user.substr(0, user.size() - 1), "blimg"), EInvalidGraphicOperation);
    EXPECT_EQ(PageDir, pageDir);
    EXPECT_EQ(gauge.Positions.back(), 0);
    EXPECT_EQ(P().StateIndex, 2);

    ExportPreviewImages(P());
    EXPECT_TRUE(FileExists(user + "blimg/imgn0.bmp"));
}

TEST_F(ImageSetsTest, PreviewPageFileMatchesTheGeneratedLines)
{
    MakeProject({{100, 30}, {60, 20}});
    WritePreviewPage(P());
    QFile file(QtFilePath(PageDir + "index.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string expected = JoinLines(PreviewPageLines(MenuViewOf(P())));
    EXPECT_EQ(file.readAll().toStdString(), expected);
    EXPECT_NE(expected.find("<img src=\"blimg/imgn1.bmp\" name=btn1 width=60 height=20"), std::string::npos);
    EXPECT_EQ(Files(PageDir + "blimg/").size(), 6);
}

TEST_F(ImageSetsTest, NewPageWithAndWithoutItsImages)
{
    MakeProject({{100, 30}, {60, 20}});
    const std::string folder = Folder("pages");
    SaveNewPage(P(), folder + "quick.html", true);
    EXPECT_TRUE(FileExists(folder + "quick.html"));
    EXPECT_FALSE(FileExists(folder + "quick.blimg"));

    SaveNewPage(P(), folder + "menu.html", false);
    QFile file(QtFilePath(folder + "menu.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), JoinLines(NewPageLines(folder + "menu.html", MenuViewOf(P()))));
    EXPECT_EQ(Files(folder + "menu.blimg/").size(), 9);
    EXPECT_EQ(ImageSize(folder + "menu.blimg/imgn1.bmp"), QSize(58, 20));

    EXPECT_THROW(SaveNewPage(P(), folder + "missing/x.html", false), EStreamError);
    EXPECT_FALSE(FileExists(folder + "missing/x.blimg"));
}

}  // namespace
