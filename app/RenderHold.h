// Holds back rendering while a form fills its controls: setting a control's
// value from code runs its change handler, and those handlers act only while
// the project's RenderEnabled is set. The flag comes back as it was, also when
// filling raises.
#pragma once

#include "ProjU.h"

class TRenderHold {
public:
    TRenderHold() : FWasEnabled(Proj && Proj->RenderEnabled)
    {
        if (Proj)
            Proj->RenderEnabled = false;
    }
    ~TRenderHold()
    {
        if (Proj)
            Proj->RenderEnabled = FWasEnabled;
    }
    TRenderHold(const TRenderHold &) = delete;
    TRenderHold &operator=(const TRenderHold &) = delete;

private:
    bool FWasEnabled;
};

// True while the form's change handlers may act.
inline bool RenderAllowed() { return Proj && Proj->RenderEnabled; }
