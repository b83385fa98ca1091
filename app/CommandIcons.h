// The pictures of the commands and of the project tree's nodes: names of the
// freedesktop icon theme where one fits, and small pictures of our own,
// drawn here, for what the theme has no name for ("bl:" names).
#pragma once

#include <QIcon>

// The icon of a name of the action table: "" gives no icon, "bl:<name>" one
// of ours, anything else the theme's icon of that name.
QIcon CommandIcon(const char *name);

// Makes sure an icon theme is in use: the desktop's, else Adwaita (which
// run.sh and test.sh install).
void ChooseIconTheme();
