// The controls of the kit that the forms place besides the stock ones.
#pragma once

#include "KitLabel.h"
