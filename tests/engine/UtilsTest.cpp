#include "ExternalTool.h"
#include "FileSystem.h"
#include "UtilsU.h"
#include "XdgSandbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FileNameNoExt, CutsOnlyTheLastExtensionOfTheFileName)
{
    EXPECT_EQ(FileNameNoExt("/home/u/Projects/site.old.prj"), "site.old");
    EXPECT_EQ(FileNameNoExt("readme"), "readme");
    EXPECT_EQ(FileNameNoExt("name."), "name");
    EXPECT_EQ(FileNameNoExt(".prj"), "");
    EXPECT_EQ(FileNameNoExt("/a.b/c"), "c");
    EXPECT_EQ(FileNameNoExt("/other/Blue.set.btn"), "Blue.set");
    EXPECT_EQ(FileNameNoExt(""), "");
    EXPECT_EQ(FileNameNoExt("/dir/"), "");
}

TEST(AppFolders, AreSetBesideTheProgramAndCreated)
{
    QTemporaryDir dir;
    const std::string root = FilePathBytes(dir.path());
    InitAppFolders(root);
    EXPECT_EQ(AppDir, root + "/");
    EXPECT_EQ(TemplatesDir, root + "/Templates/");
    EXPECT_EQ(ProjectsDir, root + "/Projects/");
    EXPECT_EQ(HtmlPagesDir, root + "/HtmlPages/");
    EXPECT_EQ(LanguagesDir, root + "/Languages/");
    EXPECT_EQ(PageDir, ProjectsDir);
    for (const char *sub : {"Templates", "Projects", "HtmlPages", "Languages"})
        EXPECT_TRUE(QDir(dir.filePath(sub)).exists()) << sub;

    // A second start finds everything in place and changes nothing.
    QFile marker(dir.filePath("Templates/Template.mtr"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    InitAppFolders(root + "/");
    EXPECT_EQ(AppDir, root + "/");
    EXPECT_TRUE(marker.exists());
}

TEST(AppFolders, ExecutableDirEndsWithSlash)
{
    const std::string dir = ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(FileExists(dir));
}

TEST(ProjectAssociation, FollowsTheProgramFolder)
{
    TXdgSandbox sandbox;
    QTemporaryDir dir;
    const std::string root = FilePathBytes(dir.path() + "/Bright Lane");
    QDir().mkpath(QtFilePath(root));
    InitAppFolders(root);
    EXPECT_FALSE(IsProjectAssociated());

    SetProjectAssociation(true);
    EXPECT_TRUE(IsProjectAssociated());
    QFile entry(sandbox.DataHome() + "/applications/brightlane.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    // The path keeps its case: Linux paths are case-sensitive.
    EXPECT_TRUE(entry.readAll().contains(QByteArray("Exec=\"") + root.c_str() + "/brightlane\" %f"));

    if (!FindTool("desktop-file-validate").isEmpty()) {
        const ToolResult check = RunTool(FindTool("desktop-file-validate"), {entry.fileName()});
        EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
        EXPECT_TRUE(check.out.isEmpty()) << check.out.toStdString();
    }

    // The program moved: the stored command names the old folder.
    InitAppFolders(FilePathBytes(dir.path()));
    EXPECT_FALSE(IsProjectAssociated());
    InitAppFolders(root);
    EXPECT_TRUE(IsProjectAssociated());

    SetProjectAssociation(false);
    EXPECT_FALSE(IsProjectAssociated());
    EXPECT_FALSE(entry.exists());
    EXPECT_FALSE(QFile::exists(sandbox.DataHome() + "/mime/packages/x-brightlane-project.xml"));
}

TEST(ProjectAssociation, HandEditedCommandCountsAsNotAssociated)
{
    TXdgSandbox sandbox;
    QTemporaryDir dir;
    InitAppFolders(FilePathBytes(dir.path()));
    SetProjectAssociation(true);
    QFile entry(sandbox.DataHome() + "/applications/brightlane.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QByteArray text = entry.readAll();
    entry.close();
    text.replace("/brightlane\"", "/BRIGHTLANE\"");
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly | QIODevice::Truncate));
    entry.write(text);
    entry.close();
    EXPECT_FALSE(IsProjectAssociated());
}
