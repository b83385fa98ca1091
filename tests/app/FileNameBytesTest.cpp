// A file name is bytes, and one that is not UTF-8 names its own file: every
// save to it writes that file or refuses naming it, every open reads it, and
// a dialog's answer that spells such a name with U+FFFD is refused. The
// folder named with U+FFFD (EF BF BD), where a name turned into text and
// back would lead, keeps its bytes.
#include "DesktopAssociation.h"
#include "ErrorOf.h"
#include "EverySave.h"
#include "LangSupU.h"
#include "MainWindowFixture.h"
#include "PublishDialog.h"
#include "RemovedFolder.h"
#include "TextureFile.h"
#include "XdgSandbox.h"

#include <gmock/gmock.h>

namespace {

// A file an open reads, what it holds and what the open gives from it.
struct TOpen {
    const char *what;
    std::string file;  // in the program's folder unless absolute
    std::string bytes;
    std::function<std::string(const std::string &path)> open;
    std::string opened;
};

}  // namespace

TEST_F(MainWindowTest, ANameThatIsNotUtf8NamesItsOwnFileOrIsRefused)
{
    const std::string root = FilePathBytes(FDir.path()) + "/";
    // The program's folders there, and a project of one button.
    const auto startIn = [](const std::string &app, const std::string &button) {
        CreateFolder(app);
        InitAppFolders(app);
        for (const char *folder : {"set", "pub"})
            CreateFolder(AppDir + folder);
        Proj->NewProject();
        Proj->AddButton(button);
        Proj->Select(0, 0);
        Proj->RenderCurrent();
    };
    const std::string lossy = root + "app\xEF\xBF\xBD/";
    startIn(lossy, "Home");
    for (TSave &save : EverySave(*Proj))
        ASSERT_EQ(save.save(), "saved") << save.what;
    const std::string project = FileText(lossy + "Projects/site.prj");
    const std::string buttonTemplate = FileText(lossy + "Templates/Blue.btn");
    const std::string bitmap = FileText(lossy + "b.bmp");

    for (const char *odd : {"\xE9", "\xFF"}) {
        SCOPED_TRACE(odd);
        const std::string app = root + "app" + odd + "/";
        const TRemovedFolder removed{app};
        startIn(app, "Other");
        const TFiles before = FilesUnder(lossy);
        for (TSave &save : EverySave(*Proj)) {
            // The GIF writer's own name is text, which cannot hold these.
            if (save.what == std::string("GIF file"))
                continue;
            EXPECT_THAT(save.save(), testing::AllOf(testing::StartsWith("Cannot save file \"" + app),
                                                    testing::EndsWith(std::string("\". ") + SNameNotUtf8)))
                << save.what;
        }
        EXPECT_FALSE(FileExists(app + "pub/blimg")) << "the refused image set's folder";
        {
            const TXdgSandbox restored;
            qputenv("XDG_DATA_HOME", QByteArray::fromStdString(app + "data"));
            qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(app + "config"));
            EXPECT_EQ(ErrorOf([] { WriteDesktopAssociation({"application/x-b", "B", "*.b", "b.desktop", "B", "/opt/b", ""}); }),
                      "Cannot save file \"" + app + "data/mime/packages/x-b.xml\". " + SNameNotUtf8);
        }
        EXPECT_EQ(Changes(before, FilesUnder(lossy)), std::vector<std::string>());

        const auto openedProject = [] { return Proj->Opened ? Proj->FileName : std::string("closed"); };
        const TOpen opens[] = {
            {"project", "Projects/a.prj", project,
             [&](const std::string &path) {
                 Proj->CloseProject();
                 Proj->OpenProject(path);
                 return openedProject();
             }, app + "Projects/a.prj"},
            {"command line", "Projects/b.PRJ", project,
             [&](const std::string &path) {
                 Proj->CloseProject();
                 Main().CommandLine = {"brightlane", path};
                 FBoxes.Answer(idOK);  // its preview page has a name that is not text either
                 Main().FormShow();
                 return openedProject();
             }, app + "Projects/b.PRJ"},
            {"settings", "b.ini", "[Common]\nFonColor=123\n",
             [](const std::string &path) { return std::to_string(LoadSettings(path).FonColor); }, "123"},
            {"language", "Languages/b.lng", "[Interface]\n9=Zu\n",
             [](const std::string &path) {
                 TLanguage language;
                 language.SetBuiltIn(false);
                 language.LoadFromFile(path);
                 return language.FindText("Interface", 9).value_or("none");
             }, "Zu"},
            {"texture", "c.bmp", bitmap,
             [](const std::string &path) {
                 TTextureBlock texture;
                 return Raised([&] { LoadTextureFromFile(texture, path); });
             }, "saved"},
            {"button template", "Templates/b.btn", buttonTemplate,
             [](const std::string &) {
                 TButtonTemplate loaded(Proj);
                 loaded.LoadFromFile("b.btn");
                 return std::to_string(loaded.Count());
             }, "1"},
            {"page", "HtmlPages/b.html", "<p>\n", ReadPageText, "<p>"},
            {"page in the publish dialog", root + "b.html", "<p>\n",
             [](const std::string &path) {
                 TPublishingF publishing;  // made in the program's folders, as at start-up
                 return Raised([&] {
                     publishing.LoadPage(QtFilePath(path));
                     publishing.InsertBlock();
                     publishing.SavePage();
                 });
             }, "saved"},
        };
        for (const TOpen &open : opens) {
            // The twin in the folder named with U+FFFD first, so that an
            // absolute name, its own twin, ends up holding its bytes.
            ASSERT_TRUE(WriteFileText(AbsoluteFilePath(open.file, lossy), "another file"));
            ASSERT_TRUE(WriteFileText(AbsoluteFilePath(open.file, app), open.bytes));
            EXPECT_EQ(open.open(AbsoluteFilePath(open.file, app)), open.opened) << open.what;
        }

        FDialogs.AnswerFile(QtFilePath(app + "Projects/c.prj"));
        FBoxes.Answer(idOK);
        Run("SaveProjectAs");
        FDialogs.AnswerFile(QtFilePath(app + "Projects/a.prj"));
        FBoxes.Answer(idOK);
        Proj->Modified = false;
        Run("CloseProject");
        Run("OpenProject");
        ASSERT_GE(FBoxes.Shown().size(), 2u);
        EXPECT_EQ(FBoxes.Shown().rbegin()[1].Text, CannotSaveFile(lossy + "Projects/c.prj", SNameNotUtf8).what());
        EXPECT_EQ(FBoxes.Shown().back().Text, CannotOpenFile(lossy + "Projects/a.prj", SNameNotUtf8).what());
        EXPECT_FALSE(FileExists(lossy + "Projects/c.prj"));
        EXPECT_FALSE(Proj->Opened);
    }
}
