#include "DesktopAssociation.h"
#include "ExternalTool.h"
#include "FileSystem.h"
#include "XdgSandbox.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TDesktopAssociation Sample(const std::string &program)
{
    TDesktopAssociation a;
    a.MimeType = "application/x-sample-doc";
    a.Comment = "Sample <document>";
    a.Pattern = "*.smp";
    a.DesktopId = "sample.desktop";
    a.AppName = "Sample";
    a.Program = program;
    a.Icon = "/opt/Sample/sample.png";
    return a;
}

QByteArray ReadFile(const std::string &path)
{
    QFile file(QtFilePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(DesktopExec, QuotesAndEscapesThePath)
{
    EXPECT_EQ(DesktopExecValue("/opt/Bright Lane/brightlane"), "\"/opt/Bright Lane/brightlane\" %f");
    // Inside quotes: \" \` \$ \\ ; then the string escape doubles backslashes
    // and "%" is doubled.
    EXPECT_EQ(DesktopExecValue("/a\"b`c$d\\e%f/x"),
              "\"/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f/x\" %f");
}

TEST(DesktopAssociation, WritesThreePiecesThatValidate)
{
    TXdgSandbox sandbox;
    const TDesktopAssociation a = Sample("/opt/My Apps/$ample/sample");
    ASSERT_TRUE(WriteDesktopAssociation(a));
    EXPECT_EQ(QString::fromStdString(MimePackagePath(a)),
              sandbox.DataHome() + "/mime/packages/x-sample-doc.xml");
    EXPECT_EQ(QString::fromStdString(DesktopEntryPath(a)),
              sandbox.DataHome() + "/applications/sample.desktop");
    EXPECT_EQ(ReadFile(MimePackagePath(a)).toStdString(), MimePackageText(a));
    EXPECT_NE(MimePackageText(a).find("<comment>Sample &lt;document&gt;</comment>"), std::string::npos);
    EXPECT_NE(MimePackageText(a).find("<glob pattern=\"*.smp\"/>"), std::string::npos);
    const std::string entry = ReadFile(DesktopEntryPath(a)).toStdString();
    EXPECT_NE(entry.find("Exec=\"/opt/My Apps/\\\\$ample/sample\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-sample-doc;\n"), std::string::npos);
    EXPECT_EQ(ReadFile(MimeAppsListPath()), "[Default Applications]\napplication/x-sample-doc=sample.desktop\n");
    EXPECT_TRUE(IsDesktopAssociated(a));

    if (FindTool("desktop-file-validate").isEmpty())
        GTEST_SKIP() << "skipped: desktop-file-validate is not installed";
    const ToolResult check = RunTool(FindTool("desktop-file-validate"),
                                     {QtFilePath(DesktopEntryPath(a))});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
    EXPECT_TRUE(check.out.isEmpty()) << check.out.toStdString();
}

TEST(DesktopAssociation, MimeDatabaseLearnsThePattern)
{
    SKIP_WITHOUT_TOOL("update-mime-database");
    TXdgSandbox sandbox;
    const TDesktopAssociation a = Sample("/opt/sample");
    ASSERT_TRUE(WriteDesktopAssociation(a));
    QFile globs(sandbox.DataHome() + "/mime/globs2");
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(globs.readAll().contains("application/x-sample-doc:*.smp"));
}

TEST(DesktopAssociation, KeepsOtherLinesAndRemovesOnlyOurs)
{
    TXdgSandbox sandbox;
    const TDesktopAssociation a = Sample("/opt/sample");
    const QByteArray before = "[Added Associations]\ntext/plain=editor.desktop;\n\n"
                              "[Default Applications]\ntext/html=browser.desktop\n"
                              "application/x-sample-doc=other.desktop\n";
    QDir().mkpath(sandbox.ConfigHome());
    QFile list(QtFilePath(MimeAppsListPath()));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(before);
    list.close();

    ASSERT_TRUE(WriteDesktopAssociation(a));
    EXPECT_EQ(ReadFile(MimeAppsListPath()),
              "[Added Associations]\ntext/plain=editor.desktop;\n\n"
              "[Default Applications]\ntext/html=browser.desktop\n"
              "application/x-sample-doc=sample.desktop\n");
    EXPECT_TRUE(IsDesktopAssociated(a));

    ASSERT_TRUE(RemoveDesktopAssociation(a));
    EXPECT_FALSE(FileExists(MimePackagePath(a)));
    EXPECT_FALSE(FileExists(DesktopEntryPath(a)));
    EXPECT_EQ(ReadFile(MimeAppsListPath()),
              "[Added Associations]\ntext/plain=editor.desktop;\n\n"
              "[Default Applications]\ntext/html=browser.desktop\n");
    EXPECT_FALSE(IsDesktopAssociated(a));
}

TEST(DesktopAssociation, AddsTheSectionWhenMissingAndLeavesForeignDefaults)
{
    TXdgSandbox sandbox;
    const TDesktopAssociation a = Sample("/opt/sample");
    QDir().mkpath(sandbox.ConfigHome());
    QFile list(QtFilePath(MimeAppsListPath()));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Added Associations]\ntext/plain=editor.desktop;\n");
    list.close();
    ASSERT_TRUE(WriteDesktopAssociation(a));
    EXPECT_EQ(ReadFile(MimeAppsListPath()),
              "[Added Associations]\ntext/plain=editor.desktop;\n\n"
              "[Default Applications]\napplication/x-sample-doc=sample.desktop\n");

    // The user made another program the default: removing ours keeps it.
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\napplication/x-sample-doc=other.desktop\n");
    list.close();
    EXPECT_FALSE(IsDesktopAssociated(a));
    ASSERT_TRUE(RemoveDesktopAssociation(a));
    EXPECT_EQ(ReadFile(MimeAppsListPath()), "[Default Applications]\napplication/x-sample-doc=other.desktop\n");
}

TEST(DesktopAssociation, NothingWrittenMeansNotAssociated)
{
    TXdgSandbox sandbox;
    EXPECT_FALSE(IsDesktopAssociated(Sample("/opt/sample")));
    EXPECT_TRUE(RemoveDesktopAssociation(Sample("/opt/sample")));
    EXPECT_FALSE(FileExists(MimeAppsListPath()));
}

// Desktop tools that rewrite mimeapps.list end a default's list of programs
// with a semicolon, or keep further programs after ours.
TEST(DesktopAssociation, DefaultLineIsReadAsAListOfPrograms)
{
    TXdgSandbox sandbox;
    const TDesktopAssociation a = Sample("/opt/sample");
    ASSERT_TRUE(WriteDesktopAssociation(a));
    auto setList = [](const char *text) {
        QFile list(QtFilePath(MimeAppsListPath()));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
        list.write(text);
    };

    setList("[Default Applications]\napplication/x-sample-doc=sample.desktop;\n");
    EXPECT_TRUE(IsDesktopAssociated(a));
    ASSERT_TRUE(RemoveDesktopAssociation(a));
    EXPECT_EQ(ReadFile(MimeAppsListPath()), "[Default Applications]\n");

    ASSERT_TRUE(WriteDesktopAssociation(a));
    setList("[Default Applications]\napplication/x-sample-doc = sample.desktop;other.desktop;\n");
    EXPECT_TRUE(IsDesktopAssociated(a));
    ASSERT_TRUE(RemoveDesktopAssociation(a));
    EXPECT_EQ(ReadFile(MimeAppsListPath()), "[Default Applications]\napplication/x-sample-doc=other.desktop;\n");

    // Our program only as a fallback is not the default.
    ASSERT_TRUE(WriteDesktopAssociation(a));
    setList("[Default Applications]\napplication/x-sample-doc=other.desktop;sample.desktop;\n");
    EXPECT_FALSE(IsDesktopAssociated(a));
}
