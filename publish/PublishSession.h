// What the publish dialog does with a page, without the window: which page
// is open, which image folder its blocks use, the blocks inserted since the
// last save and whether the page must be saved before another one opens.
// The page's text is the caller's (the dialog's editor); the session works
// on it as lines.
#pragma once

#include "MenuView.h"
#include "PageLines.h"

#include <cstdint>
#include <string>
#include <vector>

class TGauge;
class TProj;

// The page's full path: a relative name is taken in baseDir, so a page and
// its images never land in the file system's root.
std::string AbsolutePageName(const std::string &name, const std::string &baseDir);

// The largest page that is read: pages are written by hand and far smaller,
// and a page is held whole in memory and in the editor. The editor keeps an
// object for every line, so the lines are bounded too: a page of the most
// lines still loads in about a second.
constexpr int64_t MaxPageSize = 16 * 1024 * 1024;
constexpr size_t MaxPageLines = 500000;

// The page's text with its lines ended by LF (LineFeedText). Raises the file
// error when it cannot be read, refuses a page above MaxPageSize
// ('Cannot open file "<name>". The page is larger than 16 MB.') before
// reading any of it, and one of more than MaxPageLines lines
// ('... The page has more than 500000 lines.').
std::string ReadPageText(const std::string &fileName);

class TPublishSession {
public:
    // No page: the state of a dialog that has just opened.
    void Clear();

    // The page fileName (absolute) is now the open one: nothing inserted,
    // nothing to save, images in "blimg" until the page shows otherwise.
    void Opened(const std::string &fileName);

    // Inserts the menu block at the caret (row and column from 0), numbered
    // after the buttons already in the page and the images already in its
    // image folder, with its images in the page's own ".blimg" folder when
    // the page uses one.
    void Insert(TLines &lines, int row, int col, const TMenuView &view);

    // Writes the lines as the page, then the images of every block inserted
    // since the last save. A page that cannot be written raises its error
    // before any image is written, and the session stays unsaved.
    void Save(const TLines &lines, TProj &proj, TGauge &gauge);

    const std::string &FileName() const { return FFileName; }
    const std::string &ImgDir() const { return FImgDir; }
    bool CanInsert() const { return !FFileName.empty(); }
    bool CanSave() const { return FCanSave; }
    // A block was inserted and not saved: closing or opening another page
    // asks first.
    bool Unsaved() const { return !FPendingBlocks.empty(); }

private:
    std::string FFileName;
    std::string FImgDir = "blimg";
    bool FCanSave = false;
    std::vector<int32_t> FPendingBlocks;  // first numbers of the unsaved blocks
};
