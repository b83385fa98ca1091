#include "ProjectFixture.h"
#include "ScriptedMessageBoxes.h"

namespace {

using ProjectModel = ProjectTest;

std::vector<std::string> Names(const TProj &p)
{
    std::vector<std::string> names;
    for (const auto &button : p.Buttons)
        names.push_back(button->Name);
    return names;
}

TEST_F(ProjectModel, NewProjectAndItsButtonsTakeTheirNamesAndBackground)
{
    P().AddButton("Ignored");  // no project yet
    EXPECT_EQ(P().ButtonCount(), 0);
    P().Settings.MenuAlign = 2;
    P().NewProject();
    EXPECT_TRUE(P().Opened && P().Modified && P().Untitled);
    EXPECT_EQ(P().FileName, "No name.prj");
    EXPECT_EQ(FHost.Caption, "Bright Lane - No name.prj");
    EXPECT_EQ(P().Settings.MenuAlign, 1);
    EXPECT_EQ(PageDir, ProjectsDir + "No name/");
    EXPECT_TRUE(FileExists(PageDir));
    P().Settings.MenuAlign = 0;
    P().NewProject();  // a project is open: nothing happens
    EXPECT_EQ(P().Settings.MenuAlign, 0);

    P().Settings.BackColor = 0x0000FF;
    P().Modified = false;
    P().AddButton("Home");
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(P().NextButtonNo, 2);
    EXPECT_EQ(P().CurrentState(), &P().Buttons[0]->States[0]);
    const char *names[] = {"Normal", "Selected", "Pushed"};
    for (int k = 0; k < 3; ++k) {
        const TItem &state = P().Buttons[0]->States[k];
        EXPECT_EQ(state.Name, names[k]);
        EXPECT_EQ(state.TextItem.Text, "Home");
        EXPECT_EQ(RGBAToColor(state.Background), 0x0000FF);
    }
}

TEST_F(ProjectModel, SelectionIsCheckedBeforeUseAndRenderingObeysRenderEnabled)
{
    P().NewProject();
    P().AddButton("A");
    const std::pair<std::pair<int, int>, int> selections[] = {{{0, -1}, -1}, {{5, 1}, -2}, {{0, 3}, -1}, {{0, 2}, 2}};
    for (const auto &[selection, state] : selections) {
        P().Select(selection.first, selection.second);
        EXPECT_EQ(P().CurrentState(), state >= 0 ? &P().Buttons[0]->States[state] : nullptr);
        EXPECT_EQ(P().CurrentButton(), state == -2 ? nullptr : P().Buttons[0].get());
    }
    P().RenderEnabled = false;
    P().RenderCurrent();
    EXPECT_EQ(P().CurrentState()->Dirty, 1);
    P().RenderEnabled = true;
    P().RenderCurrent();
    EXPECT_EQ(P().CurrentState()->Dirty, 0);
}

TEST_F(ProjectModel, MovesAndDeletesChangeOnlyWhatTheyCan)
{
    P().NewProject();
    for (const char *name : {"A", "B", "C"})
        P().AddButton(name);
    struct TStep {
        int select;
        void (TProj::*command)();
        bool modified;
        std::vector<std::string> names;
    };
    const TStep steps[] = {{0, &TProj::MoveButtonUp, false, {"A", "B", "C"}},
                           {0, &TProj::MoveButtonDown, true, {"B", "A", "C"}},
                           {2, &TProj::MoveButtonDown, false, {"B", "A", "C"}},
                           {2, &TProj::MoveButtonUp, true, {"B", "C", "A"}},
                           {2, &TProj::DeleteButton, true, {"B", "C"}},
                           // The stale index is refused by everything that uses it.
                           {2, &TProj::DeleteButton, false, {"B", "C"}},
                           {2, &TProj::MoveButtonUp, false, {"B", "C"}},
                           {0, &TProj::DeleteAllButtons, true, {}}};
    for (const TStep &s : steps) {
        P().Select(s.select, -1);
        P().Modified = false;
        (P().*s.command)();
        EXPECT_EQ(P().Modified, s.modified) << &s - steps;
        EXPECT_EQ(Names(P()), s.names) << &s - steps;
    }
    EXPECT_EQ(P().ButtonIndex, -1);
    EXPECT_EQ(P().StateIndex, -1);
}

TEST_F(ProjectModel, RenameAsksWhetherTheCaptionsFollow)
{
    P().NewProject();
    P().AddButton("Old");
    TScriptedMessageBoxes boxes;
    boxes.Answer(idNo);
    boxes.Answer(idYes);
    P().Modified = false;
    P().RenameButton("New");
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(P().Buttons[0]->States[0].TextItem.Text, "Old");
    P().RenameButton("Newer");
    for (const TItem &state : P().Buttons[0]->States)
        EXPECT_EQ(state.TextItem.Text, "Newer");
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Do yo want change text in all button's states?");
    P().Select(-1, -1);
    P().RenameButton("Nobody");  // no box without a button
    EXPECT_EQ(Names(P()), std::vector<std::string>{"Newer"});
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
    FHost.Caption = "unchanged";
    P().CloseProject();
    EXPECT_EQ(FHost.Caption, "unchanged");
}

}  // namespace
