// The "Options..." command: shows the options dialog and, on OK, saves the
// settings and applies what changed: the language, the rendering context
// when the accelerator choice changed, the background colour and a fresh
// render of the current state.
#pragma once

#include <functional>

class TMainF;
class TParamsF;

// What the command asks of the main window.
struct TOptionsHooks {
    // "Close?" after a change of language was answered Yes.
    std::function<void()> CloseMainWindow;
    // After the forms were translated again: the panels' lists of
    // interface strings and other texts made from the language table.
    std::function<void()> ApplyLanguage;
    // The tree, the template grid and the state panel's lists take the
    // background colour of the settings.
    std::function<void()> ApplyBackground;
};

void AppParamExecute(TParamsF &dialog, const TOptionsHooks &hooks);

// Points the main window's "Options..." command at the dialog.
void WireOptionsCommand(TMainF &main, TParamsF &dialog);
