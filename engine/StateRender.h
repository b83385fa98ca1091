// Renders one state into the shared render buffer (the renderer's entry).
#pragma once

class TItem;

void RenderState(TItem &state);
