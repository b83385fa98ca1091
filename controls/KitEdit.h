// The edits of the kit: the combo edit with its button and the file-name
// edit built on it.
#pragma once

#include "ComboEdit.h"
#include "FileNameEdit.h"
