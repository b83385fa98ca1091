// What the page writers need to know of a project: its page settings and,
// for every button in menu order, the link properties and the size of the
// normal state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TProj;

struct TMenuButton {
    std::string Link = "#";  // Windows-1251 texts of the button's link properties
    std::string Alt;
    std::string Target = "_self";
    int Width = 100;  // of the normal state, in pixels
    int Height = 30;
};

struct TMenuView {
    std::vector<TMenuButton> Buttons;
    uint32_t BackColor = 0xC0C0C0;  // R + G << 8 + B << 16
    int32_t MenuAlign = 1;          // 0 centre, 1 left, 2 right
    int32_t MenuOrientation = 0;    // 0 horizontal, any other value vertical
    std::string ImageExt = ".gif";  // extension of the image files
};

// The view of the open project, with the image extension of the image sets.
TMenuView MenuViewOf(const TProj &proj);
