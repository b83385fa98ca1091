#include "ActingAsNobody.h"
#include "LibraryCommand.h"
#include "LibraryDialog.h"
#include "ListBox.h"
#include "MainWindowFixture.h"
#include "ProjectTree.h"
#include "PropertyPanels.h"
#include "SettingsFile.h"
#include "StatePanel.h"
#include "StreamBytes.h"
#include "TemplatePanel.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <map>
#include <sys/stat.h>

namespace {

class LibraryCommand : public MainWindowTest {
protected:
    // A project with one button; the node of its normal state, or of the
    // project, selected in the tree.
    TItem &Project(bool stateNode)
    {
        Proj->NewProject();
        Proj->AddButton("Menu");
        Proj->Materials.Add(Shiny(), "Shiny");
        Main().Tree().BuildTree();
        QTreeWidgetItem *root = Main().Tree().RootNode();
        Main().Tree().View().setCurrentItem(stateNode ? root->child(0)->child(0) : root);
        Main().Tree().SelectionChanged();
        return Proj->Buttons[0]->States[0];
    }

    static TMaterialBlock Shiny()
    {
        TMaterialBlock material;
        material.Shininess = 7;
        return material;
    }

    // Answers the dialog: the first material is clicked, then "Ok".
    void TryFirstMaterial(int *page = nullptr)
    {
        FDialogs.AnswerForm([page](QDialog &dialog) {
            if (page)
                *page = dialog.findChild<QTabWidget *>("PageControl1")->currentIndex();
            auto *list = dialog.findChild<TListBox *>("TextListBox2");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
            QTest::mouseClick(dialog.findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
        });
    }
};

}  // namespace

// "Templates" tries the choices on the state only while a state node is
// selected; the library files are written either way.
TEST_F(LibraryCommand, TemplatesCommandTriesChoicesOnASelectedStateOnly)
{
    for (bool stateNode : {false, true}) {
        TItem &state = Project(stateNode);
        TryFirstMaterial();
        Run("TemplateEdit");
        EXPECT_EQ(state.ButtonItem.Material.Shininess, stateNode ? 7 : 64) << stateNode;
        EXPECT_EQ(FDialogs.FormsShown().back(), "TempSelF");
        EXPECT_EQ(FileBytes(TemplatesDir + "Template.mtr").size(), 4u + 68 + 4 + 5) << stateNode;
        Proj->CloseProject();
        Proj->Materials.Clear();
    }
}

// "Advanced >>" opens the dialog on its library for the current state.
TEST_F(LibraryCommand, AdvancedButtonsOpenTheirLibraryForTheState)
{
    auto *panel = qobject_cast<TPropFr1 *>(&Main().Panels().Panel(ppState));
    ASSERT_NE(panel, nullptr);
    TItem &state = Project(true);
    int page = -1;
    TryFirstMaterial(&page);
    QTest::mouseClick(panel->findChild<QPushButton *>("Button2"), Qt::LeftButton);
    EXPECT_EQ(page, TTempSelF::ShapePage);
    EXPECT_EQ(state.ButtonItem.Material.Shininess, 7);
}

// After "Advanced >>" on the textures the panel's texture list shows the
// dialog's choice, and its first entry when the dialog chose none.
TEST_F(LibraryCommand, TextureListFollowsTheDialogsChoice)
{
    TItem &state = Project(true);
    for (int i = 0; i < 3; ++i)
        Proj->Textures.Add(TTextureBlock(), "");
    TPropFr1 panel;
    panel.FillTemplateLists();
    auto *panelList = panel.findChild<QListWidget *>("ListBox1");
    for (int chosen : {-1, 2}) {
        FDialogs.AnswerForm([chosen](QDialog &dialog) {
            auto *list = dialog.findChild<TListBox *>("TextListBox1");
            if (chosen >= 0)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(chosen)).center());
        });
        AdvancedExecute(*TempSelF, panel, TPropFr1::lpTextures);
        EXPECT_EQ(panelList->currentRow(), std::max(0, chosen)) << chosen;
    }
    EXPECT_EQ(state.ButtonItem.Texture.Enabled, 0);
}

namespace {

// Three entries "E0", "E1", "E2" written by the library itself.
template <typename Library>
void SaveThreeEntries(Library &library)
{
    library.Clear();
    for (const char *name : {"E0", "E1", "E2"})
        library.Add({}, name);
    library.SaveToFile();
}

template <typename Library>
void Reload(Library &library)
{
    library.Clear();
    library.LoadFromFile();
}

// The second entry's name claims 2 GB; the file's bytes as they then are.
std::vector<uint8_t> DamageSecondEntry(const std::string &path)
{
    std::vector<uint8_t> bytes = FileBytes(path);
    const std::vector<uint8_t> name = {2, 0, 0, 0, 'E', '1'};
    const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    EXPECT_NE(at, bytes.end()) << path;
    if (at != bytes.end())
        std::fill_n(at, 3, 0xFF), at[3] = 0x7F;
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return bytes;
}

// Another copy of the program adds an entry to the library's file.
template <typename Library>
std::vector<uint8_t> AddedByAnotherWriter(const std::string &path)
{
    Library other;
    other.LoadFromFile(), other.Add({}, "E3"), other.SaveToFile();
    return FileBytes(path);
}

// Only its owner (nobody, where the test runs as root) may write the file,
// and no one but root may read it; the bytes it held.
std::vector<uint8_t> MadeUnreadable(const std::string &path)
{
    const std::vector<uint8_t> bytes = FileBytes(path);
    EXPECT_EQ(::chown(path.c_str(), ::geteuid() == 0 ? 65534 : uid_t(-1), gid_t(-1)), 0) << path;
    EXPECT_EQ(::chmod(path.c_str(), 0200), 0) << path;
    return bytes;
}

}  // namespace

// A file damaged after its first entry keeps that entry; its first save, by
// a close of the dialog that changed it or any change of the template,
// keeps the file as it was beside it under a name no earlier copy holds, and
// says so once. A file that cannot be opened fails every save that cannot
// keep it, with the reason; one the dialog left unchanged is not written.
TEST_F(LibraryCommand, ADamagedFileIsKeptAsItWasBeforeItIsWrittenAgain)
{
    Project(true);
    ASSERT_EQ(::chmod(AppDir.c_str(), 0711), 0);  // nobody passes through to the files
    ASSERT_EQ(::chmod(TemplatesDir.c_str(), 0777), 0);
    const auto asNobody = [](const std::function<void()> &step) {
        return [step] { const TActingAsNobody nobody; ASSERT_TRUE(nobody.Acting()); step(); };
    };
    const auto closeDialog = [this] {
        FDialogs.AnswerForm([](QDialog &dialog) { dialog.findChild<QPushButton *>("BitBtn2")->click(); });
        Run("TemplateEdit");
    };
    const auto changeAndClose = [closeDialog](auto &library) {
        return [&library, closeDialog] { library.Add({}, "New"), closeDialog(); };
    };
    // Each of the two writes fails, after what was said before them.
    const auto refused = [](const std::string &file, std::vector<std::string> before = {}) {
        return before.insert(before.end(), 2, CannotSaveFile(file, "Permission denied").what()), before;
    };
    const auto makeTemplate = [] {
        DeleteFileAt(TemplatesDir + "Blue.btn");
        ASSERT_TRUE(Proj->NewButtonTemplate("Blue"));
        for (const char *name : {"E0", "E1", "E2"})
            Proj->AddButtonToTemplate(name);
        Proj->CloseButtonTemplate();
    };
    const auto openTemplate = [this] {
        Main().Templates().LoadTemplateTabs();
        Main().Templates().Tabs().setCurrentIndex(1);
    };
    const auto addButton = [this] {
        AnswerName("New");
        Run("AddButtonToTemp");
    };
    const struct {
        const char *Name, *Loaded, *Written, *Copy;  // no copy: the file stays as it was
        std::function<void()> Make, Load, Write;
        std::function<std::vector<uint8_t>(const std::string &)> Damage = DamageSecondEntry;
        const char *Read = "is damaged: only 1 of its entries could be read";
        std::vector<std::string> Said = {};  // where no copy is made
    } cases[] = {
        {"textures", "Template.txr", "Template.txr", "Template.txr.damaged", [] { SaveThreeEntries(Proj->Textures); },
         [] { Reload(Proj->Textures); }, changeAndClose(Proj->Textures)},
        {"materials", "Template.mtr", "Template.mtr", "Template.mtr.damaged",
         [] { SaveThreeEntries(Proj->Materials); }, [] { Reload(Proj->Materials); }, changeAndClose(Proj->Materials)},
        {"shapes", "Template.shp", "Template.shp", "Template.shp.damaged", [] { SaveThreeEntries(Proj->Shapes); },
         [] { Reload(Proj->Shapes); }, changeAndClose(Proj->Shapes)},
        {"shapes, an earlier copy kept", "Template.shp", "Template.shp", "Template.shp.damaged-2",
         [] { SaveThreeEntries(Proj->Shapes); }, [] { Reload(Proj->Shapes); }, changeAndClose(Proj->Shapes)},
        {"deformations", "Template.dfr", "Template.dfr", "Template.dfr.damaged",
         [] { SaveThreeEntries(Proj->Deformations); }, [] { Reload(Proj->Deformations); },
         changeAndClose(Proj->Deformations)},
        {"template", "Blue.btn", "Blue.btn", "Blue.btn.damaged", makeTemplate, openTemplate, addButton},
        {"template renamed first", "Blue.btn", "Red.btn", "Red.btn.damaged", makeTemplate,
         [&] {
             openTemplate();
             FDialogs.AnswerFile(QtFilePath(TemplatesDir + "Red.btn"));
             Run("RenameTemplate");
         },
         addButton},
        {"materials, bytes after the entries", "Template.mtr", "Template.mtr", "Template.mtr.damaged-2",
         [] { SaveThreeEntries(Proj->Materials); }, [] { Reload(Proj->Materials); }, changeAndClose(Proj->Materials),
         [](const std::string &path) {
             std::vector<uint8_t> bytes = FileBytes(path);
             bytes.push_back(0);
             EXPECT_TRUE(WriteFileBytes(path, bytes));
             return bytes;
         },
         "is damaged: its 3 entries were read, but not the bytes after them"},
        {"materials changed by another writer", "Template.mtr", "", "",
         [] { SaveThreeEntries(Proj->Materials), Reload(Proj->Materials); }, [] {}, closeDialog,
         AddedByAnotherWriter<TMaterialTemplate>},
        {"deformations missing when loaded, written by another writer", "Template.dfr", "Template.dfr",
         "Template.dfr.damaged-2", [] { DeleteFileAt(TemplatesDir + "Template.dfr"), Reload(Proj->Deformations); },
         [] {}, changeAndClose(Proj->Deformations), AddedByAnotherWriter<TDeformationTemplate>,
         "could not be read when it was loaded: No such file or directory"},
        {"textures that cannot be opened", "Template.txr", "", "", [] { SaveThreeEntries(Proj->Textures); },
         asNobody([] { Reload(Proj->Textures); }), asNobody(changeAndClose(Proj->Textures)), MadeUnreadable, "",
         refused(TemplatesDir + "Template.txr.damaged-2")},
        {"template that cannot be opened", "Blue.btn", "", "", makeTemplate, asNobody(openTemplate),
         asNobody(addButton), MadeUnreadable, "",
         refused(TemplatesDir + "Blue.btn.damaged-2",
                 {CannotOpenFile(TemplatesDir + "Blue.btn", "Permission denied").what()})},
        {"settings that cannot be opened", "../Brightlane.ini", "", "",
         [] { ASSERT_TRUE(WriteFileText(AppDir + SettingsFileName, "[Common]\nFonColor=123\n")); }, [] {},
         asNobody([this] {
             FDialogs.AnswerForm([](QDialog &dialog) { dialog.findChild<QPushButton *>("BitBtn1")->click(); });
             Run("AppParam");
         }),
         MadeUnreadable, "", refused(AppDir + SettingsFileName)},
    };
    std::map<std::string, std::vector<uint8_t>> copies;
    for (const auto &c : cases) {
        c.Make();
        const std::vector<uint8_t> damaged = c.Damage(TemplatesDir + c.Loaded);
        const std::vector<std::string> expected =
            *c.Copy ? std::vector<std::string>{"File \"" + TemplatesDir + c.Written + "\" " + c.Read +
                                               ". The file as it was is kept as \"" + TemplatesDir + c.Copy + "\"."}
                    : c.Said;
        for (size_t i = 0; i < expected.size(); ++i)
            FBoxes.Answer(idOK);
        const size_t boxes = FBoxes.Shown().size();
        c.Load();
        c.Write();
        c.Write();  // said once, kept once
        std::vector<std::string> said;
        for (size_t i = boxes; i < FBoxes.Shown().size(); ++i)
            said.push_back(FBoxes.Shown()[i].Text);
        EXPECT_EQ(said, expected) << c.Name;
        if (*c.Copy)
            copies[c.Copy] = damaged;
        else
            EXPECT_EQ(FileBytes(TemplatesDir + c.Loaded), damaged) << c.Name;
        for (const auto &[copy, bytes] : copies)
            EXPECT_EQ(FileBytes(TemplatesDir + copy), bytes) << c.Name << ": " << copy;
        EXPECT_EQ(FileNamesIn(TemplatesDir, "damaged").size() + FileNamesIn(TemplatesDir, "damaged-2").size(),
                  copies.size())
            << c.Name;
    }
}
