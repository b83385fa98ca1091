// The HTML side of the program in one include: image sets, the preview
// page, new pages and menu blocks.
#pragma once

#include "ImageSets.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PageFiles.h"
#include "PreviewPage.h"
