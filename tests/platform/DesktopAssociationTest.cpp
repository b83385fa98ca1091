#include "DesktopAssociation.h"
#include "ErrorOf.h"
#include "ExternalTool.h"
#include "FullDisk.h"
#include "SkipRow.h"
#include "StreamBytes.h"
#include "XdgSandbox.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TDesktopAssociation Sample(const std::string &program = "/opt/sample")
{
    return {"application/x-sample-doc", "Sample <document>", "*.smp", "sample.desktop", "Sample", program,
            "/opt/Sample/sample.png"};
}

void SetAppsList(const std::string &text)
{
    QDir().mkpath(QtFilePath(ExtractFilePath(MimeAppsListPath())));
    ASSERT_TRUE(WriteFileText(MimeAppsListPath(), text));
}

const std::string Ours = "application/x-sample-doc=sample.desktop\n";
const std::string Others = "[Added Associations]\ntext/plain=editor.desktop;\n\n";

bool MimeCacheNamesOurType(const TXdgSandbox &sandbox)
{
    const std::string globs = FileText(FilePathBytes(sandbox.DataHome() + "/mime/globs2"));
    return globs.find("application/x-sample-doc:*.smp") != std::string::npos;
}

TEST(DesktopAssociation, ExecQuotesAndEscapesThePath)
{
    EXPECT_EQ(DesktopExecValue("/opt/Bright Lane/brightlane"), "\"/opt/Bright Lane/brightlane\" %f");
    // Inside quotes: \" \` \$ \\ ; then the string escape doubles backslashes
    // and "%" is doubled.
    EXPECT_EQ(DesktopExecValue("/a\"b`c$d\\e%f/x"), "\"/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f/x\" %f");
}

TEST(DesktopAssociation, WritesThreePiecesThatTheDesktopToolsAccept)
{
    TXdgSandbox sandbox;
    const TDesktopAssociation a = Sample("/opt/My Apps/$ample/sample");
    EXPECT_FALSE(IsDesktopAssociated(a));
    ASSERT_NO_THROW(WriteDesktopAssociation(a));
    EXPECT_EQ(QtFilePath(MimePackagePath(a)), sandbox.DataHome() + "/mime/packages/x-sample-doc.xml");
    EXPECT_EQ(QtFilePath(DesktopEntryPath(a)), sandbox.DataHome() + "/applications/sample.desktop");
    const std::string package = FileText(MimePackagePath(a)), entry = FileText(DesktopEntryPath(a));
    EXPECT_NE(package.find("<comment>Sample &lt;document&gt;</comment>"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.smp\"/>"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/opt/My Apps/\\\\$ample/sample\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-sample-doc;\n"), std::string::npos);
    EXPECT_EQ(FileText(MimeAppsListPath()), "[Default Applications]\n" + Ours);
    EXPECT_TRUE(IsDesktopAssociated(a));

    if (!FindTool("update-mime-database").isEmpty()) {
        EXPECT_TRUE(MimeCacheNamesOurType(sandbox));
    }
    SKIP_WITHOUT_TOOL("desktop-file-validate");
    const ToolResult check = RunTool(FindTool("desktop-file-validate"), {QtFilePath(DesktopEntryPath(a))});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
    EXPECT_TRUE(check.out.isEmpty()) << check.out.toStdString();
}

// Other programs' lines in mimeapps.list stay as they are.
TEST(DesktopAssociation, OnlyOurDefaultLineIsWrittenAndRemoved)
{
    const std::string othersUnspaced = "[Added Associations]\ntext/plain=editor.desktop;\n";
    const std::pair<std::string, std::string> writes[] = {
        {Others, Others + "[Default Applications]\n" + Ours},
        {othersUnspaced, othersUnspaced + "\n[Default Applications]\n" + Ours},  // a blank line before the new section
        {Others + "[Default Applications]\ntext/html=browser.desktop\napplication/x-sample-doc=other.desktop\n",
         Others + "[Default Applications]\ntext/html=browser.desktop\n" + Ours}};
    for (const auto &[before, after] : writes) {
        TXdgSandbox sandbox;
        SetAppsList(before);
        ASSERT_NO_THROW(WriteDesktopAssociation(Sample()));
        EXPECT_EQ(FileText(MimeAppsListPath()), after);
    }

    // Desktop tools that rewrite the list end a default's programs with a
    // semicolon or keep further programs after ours; ours only as a fallback
    // is not the default, and a default the user chose stays.
    struct TCase {
        std::string list;
        bool associated;
        std::string afterRemove;
    };
    const std::string defaults = "[Default Applications]\n";
    const TCase cases[] = {
        {Others + defaults + "text/html=browser.desktop\n" + Ours, true, Others + defaults + "text/html=browser.desktop\n"},
        {defaults + "application/x-sample-doc=sample.desktop;\n", true, defaults},
        {defaults + "application/x-sample-doc = sample.desktop;other.desktop;\n", true,
         defaults + "application/x-sample-doc=other.desktop;\n"},
        {defaults + "application/x-sample-doc=other.desktop;sample.desktop;\n", false, ""},
        {defaults + "application/x-sample-doc=other.desktop\n", false, defaults + "application/x-sample-doc=other.desktop\n"},
    };
    for (const TCase &c : cases) {
        TXdgSandbox sandbox;
        ASSERT_NO_THROW(WriteDesktopAssociation(Sample()));
        SetAppsList(c.list);
        EXPECT_EQ(IsDesktopAssociated(Sample()), c.associated) << c.list;
        if (c.afterRemove.empty())
            continue;
        ASSERT_NO_THROW(RemoveDesktopAssociation(Sample()));
        EXPECT_EQ(FileText(MimeAppsListPath()), c.afterRemove);
        EXPECT_FALSE(FileExists(MimePackagePath(Sample())));
        EXPECT_FALSE(FileExists(DesktopEntryPath(Sample())));
    }

    TXdgSandbox empty;
    EXPECT_NO_THROW(RemoveDesktopAssociation(Sample()));
    EXPECT_FALSE(FileExists(MimeAppsListPath()));
}

}  // namespace

TEST(DesktopAssociation, APieceThatCannotBeRemovedRaisesItsDeleteError)
{
    TXdgSandbox sandbox;
    const std::string entry = DesktopEntryPath(Sample());
    ASSERT_TRUE(CreateFolders(entry + "/kept/"));
    EXPECT_EQ(ErrorOf([] { RemoveDesktopAssociation(Sample()); }),
              "Cannot delete file \"" + entry + "\". " + std::strerror(EISDIR));
}

namespace {

// The pieces, in the order they are written.
std::vector<std::string> PiecePaths()
{
    return {MimePackagePath(Sample()), DesktopEntryPath(Sample()), MimeAppsListPath()};
}

// What each piece holds; "" for a piece that is not there.
std::vector<std::string> PieceTexts()
{
    std::vector<std::string> texts;
    for (const std::string &path : PiecePaths())
        texts.push_back(FileText(path));
    return texts;
}

void SetPieceTexts(const std::vector<std::string> &texts)
{
    for (size_t i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(CreateFolders(ExtractFilePath(PiecePaths()[i])));
        if (!texts[i].empty()) {
            ASSERT_TRUE(WriteFileText(PiecePaths()[i], texts[i]));
        }
    }
}

}  // namespace

// A set that fails takes back what it wrote: a piece that was there holds
// its old text again, one that was not is gone. A removal tries every piece.
// Either refreshes the caches of what changed and raises the first failure.
TEST(DesktopAssociation, AChangeThatFailsLeavesThePiecesAgreeing)
{
    enum { Package, Entry, AppsList };
    const std::string package = MimePackageText(Sample()), entry = DesktopEntryText(Sample());
    const std::string otherEntry = DesktopEntryText(Sample("/opt/other")), oldPackage = "<mime-info/>\n";
    const std::string whole = Others + "[Default Applications]\n" + Ours, without = Others + "[Default Applications]\n";
    const struct {
        const char *name;
        bool remove;
        int readOnly;  // the piece in a folder that cannot change
        std::vector<std::string> before, after;
    } cases[] = {
        {"set, package", false, Package, {"", otherEntry, Others}, {"", otherEntry, Others}},
        {"set, entry", false, Entry, {oldPackage, "", ""}, {oldPackage, "", ""}},
        {"set, mimeapps.list", false, AppsList, {"", otherEntry, Others}, {"", otherEntry, Others}},
        {"remove, package", true, Package, {package, entry, whole}, {package, "", without}},
        {"remove, entry", true, Entry, {package, entry, whole}, {"", entry, without}},
        {"remove, mimeapps.list", true, AppsList, {package, entry, whole}, {"", "", whole}},
    };
    const bool caches = !FindTool("update-mime-database").isEmpty();
    for (const auto &c : cases) {
        TXdgSandbox sandbox;
        SetPieceTexts(c.before);
        if (c.remove)
            WriteDesktopAssociation(Sample());  // builds the caches
        const std::string readOnly = PiecePaths()[c.readOnly];
        const TReadOnlyFolder folder(ExtractFilePath(readOnly));
        if (!folder.Made()) {
            SkipRow(c.name, "cannot make a read-only folder (" + folder.Failure() + "); the row needs root");
            continue;
        }
        const auto change = [&] { c.remove ? RemoveDesktopAssociation(Sample()) : WriteDesktopAssociation(Sample()); };
        // A piece that is deleted says so; mimeapps.list is saved without our line.
        const char *action = c.remove && c.readOnly != AppsList ? "delete" : "save";
        EXPECT_EQ(ErrorOf(change), CannotText(action, readOnly, std::strerror(EROFS)).Bytes()) << c.name;
        EXPECT_EQ(PieceTexts(), c.after) << c.name;
        if (caches) {
            EXPECT_EQ(MimeCacheNamesOurType(sandbox), c.after[Package] == package) << c.name;
        }
    }
}

// A desktop entry is UTF-8 text: a program or icon whose path is not is
// refused, naming which it is, before anything is written.
TEST(DesktopAssociation, AProgramOrIconPathThatIsNotUtf8IsRefusedByName)
{
    TDesktopAssociation oddIcon = Sample();
    oddIcon.Icon = "/opt/Sample/ic\xE9.png";
    const std::pair<TDesktopAssociation, std::string> cases[] = {
        {Sample("/opt/sam\xE9"), "The program's path \"/opt/sam\xE9\""},
        {oddIcon, "The icon's path \"/opt/Sample/ic\xE9.png\""},
    };
    for (const auto &[association, named] : cases) {
        TXdgSandbox sandbox;
        EXPECT_EQ(ErrorOf([&] { WriteDesktopAssociation(association); }),
                  "Cannot save file \"" + DesktopEntryPath(association) + "\". " + named + " is not UTF-8 text");
        EXPECT_EQ(PieceTexts(), std::vector<std::string>(3));
    }
}
