// Which commands and property panels are available: switched in fixed groups
// by what is selected, never by polling. Each routine is one step of the
// selection logic; a command may belong to several groups, and the last
// switch wins.
#pragma once

#include <functional>

class TActionList;
class TPropertyPanels;

class TCommandStates {
public:
    TCommandStates(TActionList &actions, TPropertyPanels &panels);

    // Whether a template other than "closed" is chosen in the template tabs;
    // the template panel answers, none is chosen until it does.
    std::function<bool()> TemplateChosen = [] { return false; };

    // No project: every project, button, buffer, template-button and
    // property command off, only the project panel shown (disabled).
    void DisableAll();
    // A project was created or opened.
    void EnableProjectActions();

    void ShowStateFrame();
    void HideStateFrame();
    void ShowButtonFrame();
    void HideButtonFrame();
    void ShowProjectFrame();
    void HideProjectFrame();

    void EnableTemplateButtonActions();
    void DisableTemplateButtonActions();
    // The state while no template is chosen.
    void TemplateClosed();

private:
    void EnableAddToTemplate();

    TActionList &FActions;
    TPropertyPanels &FPanels;
};
