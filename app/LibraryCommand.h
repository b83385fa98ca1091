// The two ways the template library dialog opens: the main window's
// "Templates" command and the state panel's "Advanced >>" buttons, and what
// follows when it closes.
#pragma once

#include "StatePanel.h"

#include <functional>

class TMainF;
class TTempSelF;

// "Templates": choices are tried on the current state only while a state
// node is selected; afterwards the library lists are refilled (refillLists)
// and the current state is rendered and shown again.
void TemplateEditExecute(TTempSelF &dialog, bool stateNodeSelected, const std::function<void()> &refillLists);

// "Advanced >>": the dialog opens on the button's library and tries the
// choices on the current state; afterwards the panel follows the libraries
// and the dialog's texture choice.
void AdvancedExecute(TTempSelF &dialog, TPropFr1 &panel, TPropFr1::TLibraryPage page);

// Points the main window's "Templates" command and the state panel's
// "Advanced >>" buttons at the dialog.
void WireLibraryDialog(TMainF &main, TTempSelF &dialog);
