#include "MainWindowFixture.h"
#include "Screens.h"

#include "Codepage.h"
#include "LanguageSwitch.h"
#include "MessageBoxes.h"
#include "StreamBytes.h"

#include <QDialog>
#include <QLineEdit>

namespace {

// The button names as the tree shows them and as Proj holds them, and the
// node data pointing at Proj's own objects.
void ExpectTreeInStepWithProj(const TProjectTree &tree)
{
    QTreeWidgetItem *root = tree.RootNode();
    ASSERT_TRUE(root);
    ASSERT_EQ(root->childCount(), Proj->ButtonCount());
    for (int b = 0; b < Proj->ButtonCount(); ++b) {
        TButtons &button = *Proj->Buttons[size_t(b)];
        QTreeWidgetItem *node = root->child(b);
        EXPECT_EQ(node->text(0), FromAnsi(button.Name)) << b;
        EXPECT_EQ(TProjectTree::ButtonOf(node), &button) << b;
        ASSERT_EQ(node->childCount(), 3);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(TProjectTree::StateOf(node->child(s)), &button.States[size_t(s)]) << b << s;
    }
}

QStringList Names()
{
    QStringList names;
    for (const auto &button : Proj->Buttons)
        names.push_back(FromAnsi(button->Name));
    return names;
}

}  // namespace

TEST_F(MainWindowTest, TreeAndProjStayInStepThroughEveryButtonCommand)
{
    Main().show();
    NewProjectWith({"A", "B", "C"});
    ExpectTreeInStepWithProj(Tree());

    struct TStep {
        const char *what;
        std::function<void()> act;
        QStringList names;
        int selected;  // the button whose node is selected afterwards, -1 none
    };
    const std::vector<TStep> steps = {
        {"rename B", [&] {
             Click(Node(1));
             AnswerName("  Bee  ");
             FBoxes.Answer(idNo);  // captions stay
             Run("RenameButton");
         }, {"A", "Bee", "C"}, 1},
        {"move the first up", [&] { Click(Node(0)); Run("MoveItemUp"); }, {"A", "Bee", "C"}, 0},
        {"move it down", [&] { Run("MoveItemDown"); }, {"Bee", "A", "C"}, 1},
        {"move the last down", [&] { Click(Node(2)); Run("MoveItemDown"); }, {"Bee", "A", "C"}, 2},
        {"move it up", [&] { Run("MoveItemUp"); }, {"Bee", "C", "A"}, 1},
        {"delete the middle", [&] {
             FBoxes.Answer(idYes);
             Run("DeleteButton");
         }, {"Bee", "A"}, -2},
        {"delete all", [&] {
             FBoxes.Answer(idYes);
             Run("DeleteAllButton");
         }, {}, -1},
    };
    for (const TStep &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(Names(), step.names);
        ExpectTreeInStepWithProj(Tree());
        if (step.selected >= 0) {
            EXPECT_EQ(Tree().View().currentItem(), Node(step.selected));
            EXPECT_EQ(Proj->ButtonIndex, step.selected);
        }
    }
    EXPECT_TRUE(Proj->Modified);
}

// After a delete the tree selects another node; Proj then selects the same
// button, whatever the tree chose.
TEST_F(MainWindowTest, DeletingAButtonSelectsInProjWhatTheTreeSelects)
{
    Main().show();
    NewProjectWith({"A", "B", "C"});
    Click(Node(1));
    FBoxes.Answer(idYes);
    Run("DeleteButton");
    QTreeWidgetItem *selected = Tree().View().selectedItems().value(0);
    if (TButtons *button = TProjectTree::ButtonOf(selected))
        EXPECT_EQ(Proj->CurrentButton(), button);
    else
        EXPECT_EQ(Proj->CurrentButton(), TProjectTree::ButtonOf(selected ? selected->parent() : nullptr));
    EXPECT_EQ(Names(), QStringList({"A", "C"}));
}

TEST_F(MainWindowTest, ANewButtonTakesTheCurrentButtonsLooksAndLinkButKeepsItsNameAndCaptions)
{
    Main().show();
    NewProjectWith({"Home"});
    TButtons &home = *Proj->Buttons[0];
    home.Prop.Link = "index.html";
    home.Prop.Target = "_top";
    home.States[1].Width = 140;
    home.States[2].TextItem.Text = "Pressed home";
    Click(Node(0, 2));

    AnswerName("News");
    Run("NewButton");
    const TButtons &news = *Proj->Buttons[1];
    EXPECT_EQ(news.Name, "News");
    EXPECT_EQ(news.Prop.Link, "index.html");
    EXPECT_EQ(news.Prop.Target, "_top");
    EXPECT_EQ(news.States[1].Width, 140);
    for (const TItem &state : news.States)
        EXPECT_EQ(state.TextItem.Text, "News");
    EXPECT_EQ(Tree().View().currentItem(), Node(1, 0));
    EXPECT_EQ(Proj->ButtonIndex, 1);
    EXPECT_EQ(Proj->StateIndex, 0);

    // From the project node a new button has every default.
    Click(Tree().RootNode());
    AnswerName("Plain");
    Run("NewButton");
    EXPECT_EQ(Proj->Buttons[2]->Prop.Link, "#");
    EXPECT_EQ(Proj->Buttons[2]->States[1].Width, 100);
}

// After a change of language without a restart a new button's states are
// named in the new language, as the button is, whether it copies the looks
// of the current button or starts from the defaults.
TEST_F(MainWindowTest, ANewButtonNamesItsStatesInTheLanguageNowChosen)
{
    Main().show();
    NewProjectWith({"Home"});
    const std::string file = LanguagesDir + "test.lng";
    ASSERT_TRUE(WriteFileText(file, "[Interface]\n4=N\n5=O\n6=P\n"));
    SwitchLanguage(file);
    Main().TranslateAll();

    const struct {
        const char *from;
        std::function<QTreeWidgetItem *()> node;
    } cases[] = {
        {"a state of the current button", [&] { return Node(0, 1); }},
        {"the project node", [&] { return Tree().RootNode(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.from);
        Click(c.node());
        AnswerName("News");
        Run("NewButton");
        const int added = Proj->ButtonCount() - 1;
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(Proj->Buttons[size_t(added)]->States[size_t(s)].Name, std::string(1, char('N' + s))) << s;
            EXPECT_EQ(Node(added, s)->text(0), QString(QChar(u'N' + s))) << s;
        }
    }
    EXPECT_EQ(Proj->Buttons[0]->States[0].Name, "Normal") << "a button made before keeps its names";
    SaveScreen(Main(), "MainF-new-button-after-language-change");
}

// A right click selects the node under the pointer and the commands follow
// it before the context menu opens.
TEST_F(MainWindowTest, ARightClickSelectsTheNodeForItsMenu)
{
    Main().show();
    NewProjectWith({"A", "B"});
    QTreeWidget &view = Tree().View();
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, view.visualItemRect(Node(0)).center());
    EXPECT_EQ(Proj->ButtonIndex, 0);
    EXPECT_EQ(Proj->StateIndex, -1);
    EXPECT_TRUE(Action("DeleteButton").isEnabled());
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, view.visualItemRect(Node(0)).center());
}

// The name box takes at most 50 typed characters, yet a longer name that a
// project file holds survives a rename the user only confirms.
TEST_F(MainWindowTest, RenameKeepsALongStoredNameAndTypingStopsAtFifty)
{
    Main().show();
    NewProjectWith({"Home"});
    const std::string stored(60, 'n');
    Proj->Buttons[0]->Name = stored;
    Tree().BuildTree();
    Click(Node(0));

    struct TCase {
        const char *what;
        const char *command;
        QString typed;  // appended to what the box shows
        std::string name;
    };
    const TCase cases[] = {
        {"OK only", "RenameButton", {}, stored},
        {"a character more", "RenameButton", "x", stored},
        {"a new name typed long", "NewButton", QString(55, 'w'), std::string(50, 'w')},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.what);
        FDialogs.AnswerForm([&c](QDialog &dialog) {
            QLineEdit *edit = dialog.findChild<QLineEdit *>();
            if (std::string(c.command) == "NewButton")
                edit->clear();
            edit->end(false);
            QTest::keyClicks(edit, c.typed);
            dialog.findChild<QPushButton *>("BitBtn1")->click();
        });
        if (std::string(c.command) == "RenameButton")
            FBoxes.Answer(idNo);  // captions stay
        Run(c.command);
        EXPECT_EQ(Proj->CurrentButton()->Name, c.name);
        ExpectTreeInStepWithProj(Tree());
    }
}
