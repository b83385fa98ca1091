// The menu block: a table of linked button images with the roll-over script,
// inserted into the lines of a page, and the scanners that read what earlier
// blocks left in a page.
#pragma once

#include "MenuView.h"
#include "PageLines.h"

#include <cstdint>
#include <string>

// The number of the first button of the block inserted last (0 at start);
// the publish image set numbers its files from it.
extern int32_t MenuBase;

// The link of the cell that holds the edge image of the split last button.
extern const char *const EdgeCellLink;

// Inserts the block at the caret (row, col: 0-based) with the images in the
// folder imgDir (file-system bytes, relative to the page), numbering the
// buttons after the highest number already in the page and after
// highestTaken (a number whose images exist elsewhere); sets MenuBase.
// The block's script defines the preload and roll-over functions when the
// page has no menu yet, and when the page defines them only below the block.
// A row past the end means the last line, a column past the end of its line
// the end of the line. Throws Exception when the numbers leave no room for
// the buttons.
void InsertMenuBlock(TLines &lines, int col, int row, const std::string &imgDir, const TMenuView &view,
                     int32_t highestTaken = -1);

// One table cell (the cell arguments of a button of the block).
struct TMenuCell {
    long long N = 0;
    std::string Link, Alt, Target;
    int Width = 0, Height = 0;
    bool Edge = false;    // the split last button or its edge image
    bool Append = false;  // the edge cell: appended to the line written last
};

// Writes the cell at line (a normal cell, line then moves on) or onto the end
// of the line before it (an edge cell; at line 0 it gets a line of its own).
// A line outside the list is taken as its nearest end.
void AddMenuCell(TLines &lines, int &line, const TMenuCell &cell, const std::string &imgDir, const std::string &ext);

// True when some line names a menu table of ours.
bool PageHasMenu(const TLines &lines);

// The highest button number of the preload lines, -1 when there is none.
// Numbers that do not fit 32 bits are not numbers of ours and are skipped.
int32_t GetMaxButtonNumber(const TLines &lines);

// The image folder named after a page: "menu.html" gives "menu.blimg".
std::string PageImageFolder(const std::string &fileName);

// When the page's images live in a folder named after the page, imgDir :=
// that name (FileNameNoExt(fileName) + ".blimg"); otherwise it is kept.
void FindPageImgDir(const TLines &lines, const std::string &fileName, std::string &imgDir);
