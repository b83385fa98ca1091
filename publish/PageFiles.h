// Writing the generated pages of the open project to disk, with their
// image sets.
#pragma once

#include <string>

class TProj;

// Writes the preview set and PageDir + "index.html". The page's own write
// errors are not reported (the browser then shows an older page); an error
// of the image set passes on before the page is written.
void WritePreviewPage(TProj &proj);

// Writes a new page holding one menu block, and unless noImages its publish
// image set in the folder named after the page. An error writing the page
// passes on, and then no image is written.
void SaveNewPage(TProj &proj, const std::string &fileName, bool noImages);
