// A page as a list of text lines, and the pieces that the preview page, new
// pages and menu blocks share.
#pragma once

#include "MenuView.h"

#include <string>
#include <vector>

using TLines = std::vector<std::string>;

// The text that marks generated menus; lower-cased it names their tables.
extern const char *const SiteMarker;
std::string SiteMarkerId();  // SiteMarker in lower case

// Lines 1 to 6 of a generated page, from <HTML> to the <body> tag.
TLines PageHeadLines(const TMenuView &view);

// The comment lines that open and close a generated menu.
std::string BeginMarkerLine();
std::string EndMarkerLine();

// The opening line of a menu table whose first button has the number first.
std::string MenuTableLine(const TMenuView &view, long long first);

// The over, out and down handlers of a cell whose image is named "btn" + id.
std::string MouseHandlers(const std::string &id);

// The script's preload function for images in the folder folderUrl, and
// its roll-over function.
std::string PreloadFunction(const std::string &folderUrl);
extern const char *const RollOverFunction;

// The preload line of the three images of button number n: variables
// "btn" + n + mark + state letter + edge, files state letter + n + edge + ext.
// The split last button of a menu block has mark "e"; its edge images have
// edge "e" too.
std::string PreloadLine(long long n, const std::string &ext, const std::string &mark = "",
                        const std::string &edge = "");

// The two lines that open and the two that close the script.
extern const char *const ScriptOpenLines[2];
extern const char *const ScriptCloseLines[2];

// The lines joined, each ended by CR LF.
std::string JoinLines(const TLines &lines);

// A page's text with each line ended by LF alone, as an editor takes it:
// CR LF, LF and CR alone each end a line, and a break at the very end makes
// no empty last line, so the editor's lines joined by JoinLines give a CR LF
// page back byte for byte. Made in one pass without an object per line, so a
// page of millions of empty lines costs no more than its own bytes.
std::string LineFeedText(const std::string &text);
