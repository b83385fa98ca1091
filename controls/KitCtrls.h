// The controls of the kit that the forms place besides the stock ones: the
// label with shadow text and the glyph speed button.
#pragma once

#include "KitLabel.h"
#include "KitSpeedButton.h"
