#include "ProjU.h"

#include "Codepage.h"
#include "ColorU.h"
#include "FileSystem.h"
#include "HostU.h"
#include "ProjTexts.h"
#include "RenderContext.h"
#include "UtilsU.h"

#include <utility>

TProj *Proj = nullptr;

TProj::TProj()
{
    Textures.LoadFromFile();
    Materials.LoadFromFile();
    Shapes.LoadFromFile();
    Deformations.LoadFromFile();
}

TProj::~TProj() { DoneGL(); }

void TProj::InitGL() { InitRenderContext(); }

void TProj::DoneGL() { DoneRenderContext(); }

// --- Selection ---

void TProj::Select(int buttonIndex, int stateIndex)
{
    ButtonIndex = buttonIndex;
    StateIndex = stateIndex;
}

TButtons *TProj::CurrentButton() const
{
    return IsButtonIndex(ButtonIndex) ? Buttons[size_t(ButtonIndex)].get() : nullptr;
}

TItem *TProj::CurrentState() const
{
    TButtons *button = CurrentButton();
    if (!button || StateIndex < 0 || StateIndex >= StateCount)
        return nullptr;
    return &button->States[size_t(StateIndex)];
}

void TProj::RenderCurrent()
{
    TItem *state = CurrentState();
    if (state && RenderEnabled)
        state->Render();
}

// --- Project and buttons ---

// The caption names the open project's file, without its folder.
void TProj::ShowCaption() const
{
    QString caption = FromAnsi(DisplayName());
    if (Opened)
        caption += " - " + QtFilePath(ExtractFileName(FileName));
    Host().SetCaption(caption);
}

void TProj::SetPageDir()
{
    PageDir = ProjectsDir + FileNameNoExt(FileName) + "/";
    CreateFolder(PageDir);
}

void TProj::NewProject()
{
    if (Opened)
        return;
    Modified = true;
    FileName = AnsiToFileName(NoNameText()) + ".prj";
    Settings = TProjSettings();
    Opened = true;
    NextButtonNo = 1;
    NextTemplateButtonNo = 1;
    Untitled = true;
    ShowCaption();
    SetPageDir();
}

void TProj::CloseProject()
{
    if (!Opened)
        return;
    Opened = false;
    ShowCaption();
    Select(-1, -1);
    ClearButtons();
}

void TProj::ClearButtons() { Buttons.clear(); }

void TProj::AddButton(const std::string &name)
{
    if (!Opened)
        return;
    auto button = std::make_unique<TButtons>(this);
    button->Name = name;
    for (int k = 0; k < StateCount; ++k) {
        TItem &state = button->States[size_t(k)];
        state.Name = StateName(k);
        state.TextItem.Text = name;
        state.Background = ColorToRGBA(Settings.BackColor);
    }
    ++NextButtonNo;
    Buttons.push_back(std::move(button));
    Select(ButtonCount() - 1, 0);
    Modified = true;
}

void TProj::DeleteButton()
{
    if (!Opened || !IsButtonIndex(ButtonIndex))
        return;
    Buttons.erase(Buttons.begin() + ButtonIndex);
    Modified = true;
}

void TProj::DeleteAllButtons()
{
    if (!Buttons.empty())
        Modified = true;
    ClearButtons();
    Select(-1, -1);
}

void TProj::MoveButtonDown()
{
    if (!IsButtonIndex(ButtonIndex) || !IsButtonIndex(ButtonIndex + 1))
        return;
    std::swap(Buttons[size_t(ButtonIndex)], Buttons[size_t(ButtonIndex + 1)]);
    Modified = true;
}

void TProj::MoveButtonUp()
{
    if (!IsButtonIndex(ButtonIndex) || ButtonIndex == 0)
        return;
    std::swap(Buttons[size_t(ButtonIndex - 1)], Buttons[size_t(ButtonIndex)]);
    Modified = true;
}

void TProj::RenameButton(const std::string &name)
{
    TButtons *button = CurrentButton();
    if (!button)
        return;
    button->Name = name;
    Modified = true;
    if (AskChangeAllCaptions())
        for (TItem &state : button->States)
            state.TextItem.Text = name;
}
