// Renders the current state anew and refills the whole preview: after a
// change of its size or background, or of any property group through a copy
// buffer. Nothing without a current state.
#pragma once

void RenderCurrentAnew();
