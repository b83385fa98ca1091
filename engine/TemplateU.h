// Named collections for reuse: the four property libraries and the button
// templates, all built on the same owning list of named entries.
#pragma once

#include "BaseTemplate.h"
#include "ButtonTemplate.h"
#include "PropertyLibraries.h"
