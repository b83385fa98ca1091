#include "ProjectFixture.h"
#include "ScriptedMessageBoxes.h"

namespace {

using ProjectModel = ProjectTest;

}  // namespace

TEST_F(ProjectModel, StartsEmptyWithDefaults)
{
    EXPECT_FALSE(P().Opened);
    EXPECT_FALSE(P().Modified);
    EXPECT_EQ(P().ButtonIndex, -1);
    EXPECT_EQ(P().StateIndex, -1);
    EXPECT_EQ(P().TemplateButtonIndex, -1);
    EXPECT_TRUE(P().RenderEnabled);
    EXPECT_EQ(P().Settings.BackColor, 0xC0C0C0);
    EXPECT_EQ(P().Settings.MenuAlign, 1);
    EXPECT_EQ(P().Settings.MenuOrientation, 0);
    EXPECT_EQ(P().CurrentButton(), nullptr);
    EXPECT_EQ(P().CurrentState(), nullptr);
}

TEST_F(ProjectModel, NewProject)
{
    P().Settings.MenuAlign = 2;
    P().NewProject();
    EXPECT_TRUE(P().Opened);
    EXPECT_TRUE(P().Modified);
    EXPECT_TRUE(P().Untitled);
    EXPECT_EQ(P().FileName, "No name.prj");
    EXPECT_EQ(FHost.Caption, "Bright Lane - No name.prj");
    EXPECT_EQ(P().Settings.MenuAlign, 1);
    EXPECT_EQ(P().NextButtonNo, 1);
    EXPECT_EQ(P().NextTemplateButtonNo, 1);
    EXPECT_EQ(PageDir, ProjectsDir + "No name/");
    EXPECT_TRUE(FileExists(PageDir));

    P().Settings.MenuAlign = 0;
    P().NewProject();  // a project is open: nothing happens
    EXPECT_EQ(P().Settings.MenuAlign, 0);
}

TEST_F(ProjectModel, AddButtonTakesNamesAndBackground)
{
    P().AddButton("Ignored");  // no project yet
    EXPECT_EQ(P().ButtonCount(), 0);
    P().NewProject();
    P().Settings.BackColor = 0x0000FF;
    P().Modified = false;
    P().AddButton("Home");
    ASSERT_EQ(P().ButtonCount(), 1);
    EXPECT_EQ(P().ButtonIndex, 0);
    EXPECT_EQ(P().StateIndex, 0);
    EXPECT_EQ(P().NextButtonNo, 2);
    EXPECT_TRUE(P().Modified);
    const TButtons &b = *P().Buttons[0];
    EXPECT_EQ(b.Name, "Home");
    EXPECT_EQ(b.Owner, &P());
    const char *names[] = {"Normal", "Selected", "Pushed"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(b.States[k].Name, names[k]);
        EXPECT_EQ(b.States[k].TextItem.Text, "Home");
        EXPECT_EQ(b.States[k].Background.R, 1.0f);
        EXPECT_EQ(b.States[k].Background.G, 0.0f);
        EXPECT_EQ(b.States[k].Background.B, 0.0f);
        EXPECT_EQ(b.States[k].Background.A, 1.0f);
    }
    EXPECT_EQ(P().CurrentState(), &P().Buttons[0]->States[0]);
}

TEST_F(ProjectModel, SelectionIsCheckedBeforeUse)
{
    P().NewProject();
    P().AddButton("A");
    P().Select(0, -1);
    EXPECT_EQ(P().CurrentButton(), P().Buttons[0].get());
    EXPECT_EQ(P().CurrentState(), nullptr);
    P().RenderCurrent();  // nothing selected to render
    EXPECT_EQ(P().Buttons[0]->States[0].Dirty, 1);
    P().Select(5, 1);
    EXPECT_EQ(P().CurrentButton(), nullptr);
    EXPECT_EQ(P().CurrentState(), nullptr);
    P().Select(0, 3);
    EXPECT_EQ(P().CurrentState(), nullptr);
    P().Select(0, 2);
    EXPECT_EQ(P().CurrentState(), &P().Buttons[0]->States[2]);
}

TEST_F(ProjectModel, RenderCurrentObeysRenderEnabled)
{
    P().NewProject();
    P().AddButton("A");
    P().RenderEnabled = false;
    P().RenderCurrent();
    EXPECT_EQ(P().CurrentState()->Dirty, 1);
    P().RenderEnabled = true;
    P().RenderCurrent();
    EXPECT_EQ(P().CurrentState()->Dirty, 0);
}

TEST_F(ProjectModel, DeleteAndMoveChangeTheProject)
{
    P().NewProject();
    for (const char *name : {"A", "B", "C"})
        P().AddButton(name);
    P().Modified = false;

    P().Select(0, -1);
    P().MoveButtonUp();  // first: nothing
    EXPECT_FALSE(P().Modified);
    P().MoveButtonDown();
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(P().ButtonIndex, 0);
    EXPECT_EQ(P().Buttons[0]->Name, "B");
    EXPECT_EQ(P().Buttons[1]->Name, "A");

    P().Modified = false;
    P().Select(2, -1);
    P().MoveButtonDown();  // last: nothing
    EXPECT_FALSE(P().Modified);
    P().MoveButtonUp();
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(P().Buttons[1]->Name, "C");

    P().Modified = false;
    P().DeleteButton();  // index 2 now holds "A"
    EXPECT_TRUE(P().Modified);
    ASSERT_EQ(P().ButtonCount(), 2);
    EXPECT_EQ(P().Buttons[1]->Name, "C");
    // The stale index is refused by everything that uses it.
    EXPECT_EQ(P().CurrentButton(), nullptr);
    P().DeleteButton();
    P().MoveButtonUp();
    P().MoveButtonDown();
    EXPECT_EQ(P().ButtonCount(), 2);

    P().Modified = false;
    P().DeleteAllButtons();
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(P().ButtonCount(), 0);
    EXPECT_EQ(P().ButtonIndex, -1);
    EXPECT_EQ(P().StateIndex, -1);
}

TEST_F(ProjectModel, RenameMarksTheProjectModified)
{
    P().NewProject();
    P().AddButton("Old");
    P().Modified = false;
    TScriptedMessageBoxes boxes;
    boxes.Answer(idNo);
    P().RenameButton("New");
    EXPECT_EQ(P().Buttons[0]->Name, "New");
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(P().Buttons[0]->States[0].TextItem.Text, "Old");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Do yo want change text in all button's states?");

    boxes.Answer(idYes);
    P().RenameButton("Newer");
    for (const TItem &state : P().Buttons[0]->States)
        EXPECT_EQ(state.TextItem.Text, "Newer");

    P().Select(-1, -1);
    P().RenameButton("Nobody");  // no box without a button
    EXPECT_EQ(P().Buttons[0]->Name, "Newer");
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST_F(ProjectModel, CloseProject)
{
    P().NewProject();
    P().AddButton("A");
    P().CloseProject();
    EXPECT_FALSE(P().Opened);
    EXPECT_EQ(FHost.Caption, "Bright Lane");
    EXPECT_EQ(P().ButtonCount(), 0);
    EXPECT_EQ(P().ButtonIndex, -1);
    EXPECT_EQ(P().FileName, "No name.prj");
    EXPECT_TRUE(P().Modified);
    EXPECT_TRUE(P().Untitled);
    FHost.Caption = "unchanged";
    P().CloseProject();
    EXPECT_EQ(FHost.Caption, "unchanged");
}
