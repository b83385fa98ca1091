#include "RenderAnew.h"

#include "HostU.h"
#include "ProjU.h"

void RenderCurrentAnew()
{
    TItem *state = Proj ? Proj->CurrentState() : nullptr;
    if (!state)
        return;
    // The mesh arrays are shared: another state may have been drawn last.
    state->Dirty = 1;
    Proj->RenderCurrent();
    Host().SetNeedBgRedraw();
    Host().DrawPreview();
}
