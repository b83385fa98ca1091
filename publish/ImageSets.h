// The image sets: every state of every button rendered and written as
// "img" + state letter (n, o, c) + button number [+ "e"] + extension, into a
// folder of the user's choice, the preview folder or beside a published page.
//
// Whatever happens, also when an export fails part-way, the operations put
// back the selection (re-rendering it), PageDir and the gauge; the error
// then passes on.
#pragma once

#include "Gauge.h"

#include <cstdint>
#include <string>

class TProj;

// The extension of every image set, from the batch-export format setting.
std::string GetImageExt();

// The full set, numbered from 0, into PageDir.
void ExportAllImages(TProj &proj);

// The full set into dir (a folder ending with "/").
void BatchExportImages(TProj &proj, const std::string &dir);

// The preview set into PageDir + "blimg/", after cleaning that folder of
// old images of the current extension; the folder is cleaned and created
// only once a project was created or opened (PageDir differs from
// ProjectsDir).
void ExportPreviewImages(TProj &proj);

// The publish set into pageFolder + "/" + imgDir + "/", numbered from
// first (the block's first button number); the last button is split into a
// main image and a 2-pixel edge image ("e"), across for a horizontal menu,
// down for a vertical one.
void ExportPublishImages(TGauge &gauge, TProj &proj, const std::string &pageFolder, const std::string &imgDir,
                         int32_t first);
