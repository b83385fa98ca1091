#include "CommandStates.h"

#include "ActionList.h"
#include "CopyBufferU.h"
#include "ProjU.h"
#include "PropertyPanels.h"

#include <QAction>
#include <QToolButton>

namespace G = CommandGroup;

TCommandStates::TCommandStates(TActionList &actions, TPropertyPanels &panels)
    : FActions(actions), FPanels(panels)
{
}

void TCommandStates::DisableAll()
{
    FPanels.NextProp().setEnabled(false);
    FPanels.PrevProp().setEnabled(false);
    FPanels.HidePanel(ppState);
    FPanels.HidePanel(ppButton);
    FPanels.ShowDisabled(ppProject);
    for (const TNames *group : {&G::Project, &G::Button, &G::Buffer, &G::TemplateButtons, &G::Properties})
        FActions.SetEnabled(*group, false);
}

void TCommandStates::EnableProjectActions() { FActions.SetEnabled(G::ProjectOpened, true); }

void TCommandStates::ShowStateFrame()
{
    FPanels.ShowPanel(ppState);
    FActions.SetEnabled(G::StateNode, true);
    EnableAddToTemplate();
    FActions.SetEnabled(G::Paste, BufFull);
}

void TCommandStates::HideStateFrame()
{
    FActions["AddButtonToTemp"].setEnabled(false);
    FPanels.HidePanel(ppState);
    FActions.SetEnabled(G::StateNode, false);
    FActions.SetEnabled(G::Paste, false);
}

void TCommandStates::ShowButtonFrame()
{
    FPanels.ShowPanel(ppButton);
    EnableAddToTemplate();
    FActions.SetEnabled(G::ButtonNode, true);
}

void TCommandStates::HideButtonFrame()
{
    FActions["AddButtonToTemp"].setEnabled(false);
    FPanels.HidePanel(ppButton);
    FActions.SetEnabled(G::ButtonNode, false);
}

void TCommandStates::ShowProjectFrame()
{
    if (Proj->Opened)
        FPanels.ShowPanel(ppProject);
}

void TCommandStates::HideProjectFrame() { FPanels.HidePanel(ppProject); }

void TCommandStates::EnableTemplateButtonActions()
{
    FActions.SetEnabled(G::TemplateButtonChosen, true);
    FActions["CopyPropFromTemp"].setEnabled(Proj->CurrentButton() != nullptr);
}

void TCommandStates::DisableTemplateButtonActions()
{
    FActions.SetEnabled(G::TemplateButtonChosen, false);
}

void TCommandStates::TemplateClosed() { FActions.SetEnabled(G::TemplateClosed, false); }

void TCommandStates::EnableAddToTemplate()
{
    if (TemplateChosen())
        FActions["AddButtonToTemp"].setEnabled(true);
}
