// Every command of the main window as plain data: the 61 actions with their
// tags, built-in captions, shortcuts, pictures and help contexts; the menus,
// tool bars and context menus that point to them; and the groups in which
// the commands are enabled and disabled. Nothing here needs a window, so
// tests read the table directly.
#pragma once

#include <vector>

struct TActionEntry {
    const char *Name;      // the action's object name, e.g. "NewProject"
    const char *Category;  // the group it is listed under
    int Tag;               // caption key in the language table; 0: none
    const char *Caption;   // built-in caption
    const char *Shortcut;  // portable key text ("Ctrl+N"), "" for none
    const char *Icon;      // freedesktop icon name or ":/icons/..." resource, "" for none
    bool Checkable;
    bool HasHelp;          // its tag is its help context
};

// A list of action names; "-" stands for a separator in menus and tool bars.
using TNames = std::vector<const char *>;

const std::vector<TActionEntry> &ActionTable();

// The entry of the named action, or nullptr.
const TActionEntry *FindActionEntry(const char *name);

struct TMenuLayout {
    const char *Name;   // object name of the menu
    int Tag;            // translation key of its title
    const char *Title;  // built-in title
    TNames Items;
};

// The six menus of the menu bar, in order.
const std::vector<TMenuLayout> &MainMenus();

// The submenus owned by "CopyProp" (the seven single-group copies) and
// "CopyToAll" (the three multiple pastes and the auto-copy switches).
const TMenuLayout &CopyPropMenu();
const TMenuLayout &CopyToAllMenu();

// Context menus: the project tree's, the template grid's, the template tabs'.
const TMenuLayout &TreeMenu();
const TMenuLayout &TemplateGridMenu();
const TMenuLayout &TemplateTabsMenu();

struct TToolBarLayout {
    const char *Name;  // ToolBar4 main, ToolBar1 button, ToolBar2 buffer, ToolBar3 template
    TNames Items;
};

const TToolBarLayout &MainToolBar();
const TToolBarLayout &ButtonToolBar();
const TToolBarLayout &BufferToolBar();
const TToolBarLayout &TemplateToolBar();

// The enabling groups. Each routine of the command states switches some of
// them; an action may stand in several.
namespace CommandGroup {
// Switched off while no project is open.
extern const TNames Project;
extern const TNames Button;
extern const TNames Buffer;
extern const TNames TemplateButtons;
extern const TNames Properties;
// Switched on when a project is created or opened.
extern const TNames ProjectOpened;
// Follow a selected button node.
extern const TNames ButtonNode;
// Follow a selected state node: export, the copies and the property pages.
extern const TNames StateNode;
// Enabled with a state node only once the copy buffer holds a copy.
extern const TNames Paste;
// Follow a chosen template button.
extern const TNames TemplateButtonChosen;
// Disabled while the first template tab (no template) is chosen.
extern const TNames TemplateClosed;
}  // namespace CommandGroup
