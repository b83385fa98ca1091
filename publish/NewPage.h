// A new page that holds only a menu block, its images in a folder named
// after the page.
#pragma once

#include "MenuView.h"
#include "PageLines.h"

#include <string>

// The page's lines; sets MenuBase to 0 as the block inserted last.
TLines NewPageLines(const std::string &fileName, const TMenuView &view);
