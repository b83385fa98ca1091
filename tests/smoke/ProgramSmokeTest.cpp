// The installed program, started with a project on its command line under
// xvfb-run, shows that project's preview page in its real browser, with
// every image loaded, and ends cleanly when told to.
#include "ExternalTool.h"
#include "FileSystem.h"
#include "FakeHost.h"
#include "ProgramDriver.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QImage>
#include <QTemporaryDir>

TEST(ProgramSmoke, OpensTheProjectShowsItsPageAndEndsCleanly)
{
    SKIP_WITHOUT_TOOL("xvfb-run");
    QTemporaryDir prefix;
    const ToolResult install =
        RunTool(QStringLiteral("cmake"), {"--install", QStringLiteral(BL_BUILD_DIR), "--prefix", prefix.path()});
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
    EXPECT_FALSE(QImage(prefix.path() + "/Brightlane.ico").isNull()) << "the icon the .prj association names";

    // A project of two buttons, in a folder with a blank in its name.
    const std::string projects = FilePathBytes(prefix.path()) + "/My Projects/";
    {
        TFakeHost host;
        InitAppFolders(FilePathBytes(prefix.path()));
        ASSERT_TRUE(CreateFolder(projects));
        TProj project;
        Proj = &project;
        project.NewProject();
        project.AddButton("Home");
        project.AddButton("Contact");
        ASSERT_TRUE(project.SaveProjectAs(projects + "Site.prj"));
        Proj = nullptr;
    }

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
