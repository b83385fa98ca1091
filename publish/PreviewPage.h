// The preview page "index.html" that the main window's browser shows: the
// project's menu with every link "#" and the unsplit images in "blimg".
#pragma once

#include "MenuView.h"
#include "PageLines.h"

TLines PreviewPageLines(const TMenuView &view);
