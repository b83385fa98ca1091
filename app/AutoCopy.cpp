#include "AutoCopy.h"

#include "CopyBufferU.h"
#include "HostU.h"
#include "ProjU.h"

namespace {

// Fills the automatic buffer from the current state; false without one.
bool TakeCurrentState()
{
    const TItem *state = Proj ? Proj->CurrentState() : nullptr;
    if (state)
        CopyToAutoBuffer(*state);
    return state != nullptr;
}

void PasteIntoStates(TButtons &button)
{
    for (TItem &state : button.States)
        PasteFromAutoBuffer(state);
}

}  // namespace

void AutoCopy(int group)
{
    if (!Proj || !Proj->CurrentState())
        return;
    AutoBufMode = group;
    if (Host().AutoButton()) {
        AutoCopyToAllButtons();
        return;
    }
    if (Host().AutoState())
        AutoCopyToAllStates();
    if (Host().AutoButState())
        AutoCopyToSameStates();
}

void AutoCopyToAllButtons()
{
    if (!TakeCurrentState())
        return;
    for (const auto &button : Proj->Buttons)
        PasteIntoStates(*button);
}

void AutoCopyToAllStates()
{
    if (TakeCurrentState())
        PasteIntoStates(*Proj->CurrentButton());
}

void AutoCopyToSameStates()
{
    if (!TakeCurrentState())
        return;
    for (const auto &button : Proj->Buttons)
        PasteFromAutoBuffer(button->States[size_t(Proj->StateIndex)]);
}
