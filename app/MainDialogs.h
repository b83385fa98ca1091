// The file dialogs the main window keeps, each starting where it was last
// used: projects (save as, open), image export, button templates and HTML
// pages.
#pragma once

#include "FileDialog.h"

struct TMainDialogs {
    TMainDialogs();
    // The initial folders, set once at start-up from the program's folders.
    void SetInitialFolders();

    TFileDialog SaveDialog1;  // save project as
    TFileDialog OpenDialog1;  // open project
    TFileDialog SaveDialog2;  // export image
    TFileDialog SaveDialog3;  // button templates
    TFileDialog SaveDialog4;  // save HTML, quick save
};
