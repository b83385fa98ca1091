// Writing the generated pages of the open project to disk, with their
// image sets.
#pragma once

#include <string>

class TProj;

// Writes the preview set and PageDir + "index.html", all or nothing: the new
// images are written whole aside, then the page replaces the old one, and
// only then do the images take the old ones' place. A failure raises the
// save error and leaves the old page and images as they were.
void WritePreviewPage(TProj &proj);

// Writes a new page holding one menu block, and unless noImages its publish
// image set in the folder named after the page. An error writing the page
// passes on, and then no image is written.
void SaveNewPage(TProj &proj, const std::string &fileName, bool noImages);
