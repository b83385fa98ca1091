#include "LibraryCommand.h"
#include "LibraryDialog.h"
#include "ListBox.h"
#include "MainWindowFixture.h"
#include "ProjectTree.h"
#include "PropertyPanels.h"
#include "StatePanel.h"
#include "StreamBytes.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>

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
