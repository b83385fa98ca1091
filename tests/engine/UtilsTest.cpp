#include "QStringPrinter.h"
#include "StreamBytes.h"
#include "UtilsU.h"
#include "XdgSandbox.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

TEST(FileNameNoExt, CutsOnlyTheLastExtensionOfTheFileName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"/home/u/Projects/site.old.prj", "site.old"}, {"readme", "readme"}, {"name.", "name"}, {".prj", ""},
        {"/a.b/c", "c"}, {"/other/Blue.set.btn", "Blue.set"}, {"", ""}, {"/dir/", ""}};
    for (const auto &[path, name] : cases)
        EXPECT_EQ(FileNameNoExt(path), name) << path;
}

TEST(AppFolders, AreSetBesideTheProgramAndCreatedOnce)
{
    TTempFolder dir;
    const std::string root = dir.Path("Bright Lane");
    ASSERT_TRUE(CreateFolder(root));
    InitAppFolders(root);
    EXPECT_EQ(AppDir, root + "/");
    EXPECT_EQ(PageDir, ProjectsDir);
    EXPECT_EQ(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName(),
              QtFilePath(root + "/QtProject.conf")) << "Qt's dialogs remember beside the program";
    const std::pair<const std::string *, const char *> folders[] = {
        {&TemplatesDir, "Templates"}, {&ProjectsDir, "Projects"}, {&HtmlPagesDir, "HtmlPages"}, {&LanguagesDir, "Languages"}};
    for (const auto &[folder, name] : folders) {
        EXPECT_EQ(*folder, root + "/" + name + "/");
        EXPECT_TRUE(FileExists(*folder)) << name;
    }
    // A second start finds everything in place and changes nothing.
    WriteFileText(TemplatesDir + "Template.mtr", "kept");
    InitAppFolders(root + "/");
    EXPECT_EQ(AppDir, root + "/");
    EXPECT_EQ(FileText(TemplatesDir + "Template.mtr"), "kept");
    EXPECT_EQ(ExecutableDir().back(), '/');
    EXPECT_TRUE(FileExists(ExecutableDir()));
}

// The association names the program in its folder, with the path's case:
// when the program moved, or the command was edited, it no longer counts.
TEST(ProjectAssociation, FollowsTheProgramFolder)
{
    TXdgSandbox sandbox;
    TTempFolder dir;
    const std::string root = dir.Path("Bright Lane");
    ASSERT_TRUE(CreateFolder(root));
    InitAppFolders(root);
    EXPECT_FALSE(IsProjectAssociated());
    SetProjectAssociation(true);
    EXPECT_TRUE(IsProjectAssociated());
    const std::string entry = FilePathBytes(sandbox.DataHome()) + "/applications/brightlane.desktop";
    const std::string text = FileText(entry);
    EXPECT_NE(text.find("Exec=\"" + root + "/brightlane\" %f"), std::string::npos) << text;

    InitAppFolders(dir.Path());
    EXPECT_FALSE(IsProjectAssociated());
    InitAppFolders(root);
    EXPECT_TRUE(IsProjectAssociated());
    WriteFileText(entry, QByteArray::fromStdString(text).replace("/brightlane\"", "/BRIGHTLANE\"").toStdString());
    EXPECT_FALSE(IsProjectAssociated());

    SetProjectAssociation(false);
    EXPECT_FALSE(IsProjectAssociated());
    EXPECT_FALSE(FileExists(entry));
    EXPECT_FALSE(FileExists(FilePathBytes(sandbox.DataHome()) + "/mime/packages/x-brightlane-project.xml"));
}
