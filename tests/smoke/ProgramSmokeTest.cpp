// The installed program, started with a project on its command line under
// xvfb-run, shows that project's preview page in its real browser, with
// every image loaded, and ends cleanly when told to, also when told while
// a box it shows at start-up waits for an answer.
#include "DisplayBoxes.h"
#include "ExternalTool.h"
#include "FileSystem.h"
#include "FakeHost.h"
#include "ProgramDriver.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <csignal>

namespace {

// The program installed into prefix.
void Install(const QTemporaryDir &prefix)
{
    ASSERT_TRUE(prefix.isValid());
    const ToolResult install =
        RunTool(QStringLiteral("cmake"), {"--install", QStringLiteral(BL_BUILD_DIR), "--prefix", prefix.path()});
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
}

// A project of two buttons, Site.prj in a folder with a blank in its name
// under prefix; projects gets the folder's path. A failure is fatal.
void SaveSite(const QTemporaryDir &prefix, std::string &projects)
{
    projects = FilePathBytes(prefix.path()) + "/My Projects/";
    TFakeHost host;
    InitAppFolders(FilePathBytes(prefix.path()));
    ASSERT_TRUE(CreateFolder(projects));
    TProj project;
    Proj = &project;
    project.NewProject();
    project.AddButton("Home");
    project.AddButton("Contact");
    const bool saved = project.SaveProjectAs(projects + "Site.prj");
    Proj = nullptr;
    ASSERT_TRUE(saved) << project.LastError.Bytes();
}

}  // namespace

TEST(ProgramSmoke, OpensTheProjectShowsItsPageAndEndsCleanly)
{
    SKIP_WITHOUT_TOOL("xvfb-run");
    QTemporaryDir prefix;
    ASSERT_NO_FATAL_FAILURE(Install(prefix));
    EXPECT_FALSE(QImage(prefix.path() + "/Brightlane.ico").isNull()) << "the icon the .prj association names";
    std::string projects;
    ASSERT_NO_FATAL_FAILURE(SaveSite(prefix, projects));

    TRunningProgram program(prefix.path() + "/brightlane", {QtFilePath(projects + "Site.prj")});
    const QUrl page = QUrl::fromLocalFile(QtFilePath(projects + "Site/index.html"));
    const std::optional<TPageState> shown = program.WaitForPage(page, 90000);
    ASSERT_TRUE(shown) << "the browser never answered: " << program.Output().toStdString();
    EXPECT_EQ(shown->Url, page);
    EXPECT_EQ(shown->ReadyState, "complete");
    EXPECT_GE(shown->Images, 2);
    EXPECT_EQ(shown->ImagesLoaded, shown->Images);
    EXPECT_EQ(program.Terminate(20000), 0) << program.Output().toStdString();
}

// SIGTERM while a box shown at start-up waits closes the box and ends the
// program; a box still shown after the signal is answered as the user would.
struct StartUpBoxCase {
    const char *Name;
    void (*Spoil)(const std::string &projects);
};

void PrintTo(const StartUpBoxCase &row, std::ostream *out) { *out << row.Name; }

class ProgramSmokeStartUpBox : public ::testing::TestWithParam<StartUpBoxCase> {};

TEST_P(ProgramSmokeStartUpBox, EndsOnSigtermWhileTheBoxIsShown)
{
    SKIP_WITHOUT_TOOL("Xvfb");
    QTemporaryDir prefix;
    ASSERT_NO_FATAL_FAILURE(Install(prefix));
    std::string projects;
    ASSERT_NO_FATAL_FAILURE(SaveSite(prefix, projects));
    ASSERT_NO_FATAL_FAILURE(GetParam().Spoil(projects));

    TXvfb screen;
    ASSERT_FALSE(screen.Display().isEmpty());
    TDisplayBoxes boxes(screen.Display());
    TRunningProgram program(prefix.path() + "/brightlane", {QtFilePath(projects + "Site.prj")}, screen.Display());
    ASSERT_TRUE(boxes.WaitForBox(90000)) << "no box at start-up: " << program.Output().toStdString();
    // Once the browser's page has started, the box still belongs to the shown main window.
    program.WaitForPage(QUrl(QStringLiteral("about:blank")), 20000);
    EXPECT_TRUE(boxes.OwnersShown());
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitForEnd(20000, [&] { boxes.CloseAll(); }), 0) << program.Output().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ProgramSmokeStartUpBox,
    ::testing::Values(
        StartUpBoxCase{"DamagedProject",
                       [](const std::string &projects) {
                           QFile file(QtFilePath(projects + "Site.prj"));
                           ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                           file.write("not a project");
                       }},
        StartUpBoxCase{"PreviewPageNotWritable",
                       [](const std::string &projects) {
                           // A file where the page's folder goes.
                           QFile file(QtFilePath(projects + "Site"));
                           ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                       }}),
    [](const ::testing::TestParamInfo<StartUpBoxCase> &info) { return std::string(info.param.Name); });
