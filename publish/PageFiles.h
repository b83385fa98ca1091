// Writing the generated pages of the open project to disk, with their
// image sets.
#pragma once

#include <string>

class TProj;

// Writes the preview set and PageDir + "index.html": the new images are
// written whole aside and the new page beside the old one; the images then
// take the old ones' place, and only once every one is there does the page
// replace the old one. A failure raises the save error and leaves the old
// page as it was, and the old images too unless moving them in failed part-way.
void WritePreviewPage(TProj &proj);

// Writes a new page holding one menu block and, unless noImages, its
// publish image set in the folder named after the page. The images are
// written only once the new page is written whole, just before it replaces
// the old one, so a page that cannot be replaced leaves the old page's
// images as they were. An error writing an image passes on, and then the
// page is not replaced, so it never points at images that could not be
// written.
void SaveNewPage(TProj &proj, const std::string &fileName, bool noImages);
