// The image sets: every state of every button rendered and written as
// "img" + state letter (n, o, c) + button number [+ "e"] + extension, into a
// folder of the user's choice, the preview folder or beside a published page.
//
// Whatever happens, also when an export fails part-way, the operations put
// back the selection (re-rendering it), PageDir and the gauge; the error
// then passes on.
#pragma once

#include "FileSystem.h"
#include "Gauge.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TProj;

// The extension of every image set, from the batch-export format setting.
std::string GetImageExt();

// The full set, numbered from 0, into PageDir.
void ExportAllImages(TProj &proj);

// The full set into dir (a folder ending with "/").
void BatchExportImages(TProj &proj, const std::string &dir);

// The preview set of PageDir + "blimg/", written whole before it replaces
// the old one. The constructor first makes PageDir when missing: when it
// cannot, the write's first file (the first image, or "index.html" when
// there is none) cannot be saved for the folder's reason, and the projects
// folder, the page's while no project is open, is named itself. It then
// removes the side folders that interrupted writes left in PageDir, told by
// the mark that only a side folder holds (a user's folder of a like name
// keeps all it holds), and writes every image into a new side folder. Install() moves them into
// "blimg", each over its old image; a move that fails raises the save error
// of that image and stops there, so the page that lists them is replaced
// only after Install() succeeded.
// DeleteOldImages() then deletes the old images of the current extension
// that the new set no longer has. Failures name the images in "blimg", the
// files the user knows, never the side folder, which goes with the object.
// "blimg" is created and cleaned only once a project was created or opened
// (PageDir differs from ProjectsDir).
class TPreviewImages {
public:
    explicit TPreviewImages(TProj &proj);
    void Install();
    void DeleteOldImages();

private:
    std::optional<TTemporaryFolder> FSideFolder;  // none when there is no image
    std::vector<std::string> FNames;             // the images of the new set
};

// The highest button number among the image-set files in folder, whatever
// their format and case (a folder that ignores case would let a set of other
// names overwrite them), -1 when there is none. Names the sets never write
// (a sign, leading zeros, a number past 32 bits) are not theirs.
int32_t HighestSetImageNumber(const std::string &folder);

// The publish set into pageFolder + "/" + imgDir + "/", numbered from
// first (the block's first button number); the last button is split into a
// main image and a 2-pixel edge image ("e"), across for a horizontal menu,
// down for a vertical one. Image names that cannot be saved (not UTF-8) are
// refused before the folder is made.
void ExportPublishImages(TGauge &gauge, TProj &proj, const std::string &pageFolder, const std::string &imgDir,
                         int32_t first);
