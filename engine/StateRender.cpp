#include "StateRender.h"

#include "Item.h"

// The OpenGL renderer is not part of the engine yet: a render leaves the
// buffer as it is and only settles the mesh flag, as a finished render does.
void RenderState(TItem &state) { state.Dirty = 0; }
