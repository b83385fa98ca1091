#include "ActionTable.h"

#include <cstring>

namespace {

constexpr bool Check = true;
constexpr bool Plain = false;
constexpr bool Help = true;
constexpr bool NoHelp = false;

// Pictures of our own ("bl:" names, drawn by CommandIcons) stand where the
// icon theme has no fitting name, or where its picture looks nearly the same
// enabled and greyed.
const std::vector<TActionEntry> Actions = {
    // File
    {"NewProject", "File", 1001, "New project", "Ctrl+N", "bl:new-project", Plain, Help},
    {"OpenProject", "File", 1002, "Open project...", "Ctrl+O", "document-open", Plain, Help},
    {"SaveProject", "File", 1003, "Save project", "F2", "document-save", Plain, Help},
    {"SaveProjectAs", "File", 1004, "Save project as...", "Ctrl+S", "document-save-as", Plain, Help},
    {"CloseProject", "File", 1005, "Close project", "Ctrl+F4", "window-close", Plain, Help},
    {"SaveHTML", "File", 1006, "Save HTML...", "", "text-html", Plain, Help},
    {"QuickSave", "File", 1007, "Quick save...", "", "bl:quick-save", Plain, Help},
    {"Publish", "File", 1008, "Insert to page", "", "insert-link", Plain, Help},
    {"ExportImg", "File", 1009, "Export...", "", "bl:export", Plain, Help},
    {"BatchExport", "File", 1010, "Batch export...", "", "bl:batch-export", Plain, Help},
    {"CloseApp", "File", 1011, "Exit", "Alt+X", "application-exit", Plain, Help},
    // View
    {"PanelView1", "View", 2001, "Project's control panel", "", "", Check, Help},
    {"PanelView2", "View", 2002, "Button's control panel", "", "", Check, Help},
    {"PanelView3", "View", 2003, "Template's control panel", "", "", Check, Help},
    {"PanelView5", "View", 2004, "Buffer's control panel", "", "", Check, Help},
    {"MakeHtml", "View", 2005, "Preview", "F9", "document-print-preview", Plain, Help},
    // Edit
    {"NewButton", "Edit", 3001, "Create button", "Ctrl+Ins", "list-add", Plain, Help},
    {"DeleteButton", "Edit", 3002, "Delete button", "Ctrl+Del", "list-remove", Plain, Help},
    {"RenameButton", "Edit", 3003, "Rename button", "Ctrl+R", "bl:rename", Plain, Help},
    {"DeleteAllButton", "Edit", 3004, "Delete all button", "", "edit-clear-all", Plain, Help},
    {"CopyToBuf", "Edit", 3005, "Copy", "Ctrl+C", "bl:copy", Plain, Help},
    {"CopyProp", "Edit", 3006, "Copy properties", "", "bl:copy-properties", Plain, NoHelp},
    {"CopyFromBuf", "Edit", 3007, "Insert", "Ctrl+V", "edit-paste", Plain, Help},
    {"ExchBuf", "Edit", 3008, "Exchange", "Ctrl+X", "bl:exchange", Plain, Help},
    {"CopyToAll", "Edit", 3009, "Copy to all", "", "bl:copy-to-all", Plain, NoHelp},
    {"MoveItemUp", "Edit3", 3010, "Move button up", "", "bl:move-up", Plain, NoHelp},
    {"MoveItemDown", "Edit3", 3011, "Move button down", "", "bl:move-down", Plain, NoHelp},
    // Edit1: copy one property group
    {"CopyToBuf1", "Edit1", 300601, "Copy text's properties", "", "bl:text", Plain, Help},
    {"CopyToBuf7", "Edit1", 300602, "Copy shape's properties", "", "bl:shape", Plain, Help},
    {"CopyToBuf8", "Edit1", 300603, "Copy deformation's properties", "", "bl:deformation", Plain, Help},
    {"CopyToBuf5", "Edit1", 300604, "Copy material's properties", "", "bl:material", Plain, Help},
    {"CopyToBuf4", "Edit1", 300605, "Copy light's properties", "", "bl:light", Plain, Help},
    {"CopyToBuf3", "Edit1", 300606, "Copy texture's properties", "", "bl:texture", Plain, Help},
    {"CopyToBuf6", "Edit1", 300607, "Copy shadow's properties", "", "bl:shadow", Plain, Help},
    // Edit2: paste into many states
    {"PropToStates", "Edit2", 300901, "Copy to all states", "", "bl:to-states", Plain, Help},
    {"PropToButtons", "Edit2", 300902, "Copy to all buttons", "", "bl:to-buttons", Plain, Help},
    {"PropToAllStates", "Edit2", 300903, "Copy to same states", "", "bl:to-same-states", Plain, Help},
    // ButtonPanel: the auto-copy switches
    {"AutoState", "ButtonPanel", 300904, "Auto copy to all states", "", "bl:auto-states", Check, NoHelp},
    {"AutoButton", "ButtonPanel", 300905, "Auto copy to all buttons", "", "bl:auto-buttons", Check, NoHelp},
    {"AutoButState", "ButtonPanel", 300906, "Copy to same states", "", "bl:auto-same-states", Check, NoHelp},
    // Templates
    {"MakeTemplate", "Templates", 4001, "Create template", "", "folder-new", Plain, Help},
    {"RemoveTemplate", "Templates", 4002, "Delete template", "", "edit-delete", Plain, Help},
    {"RenameTemplate", "Templates", 4003, "Rename template", "", "", Plain, Help},
    {"AddButtonToTemp", "Templates", 4004, "Add button to template", "", "bl:add-to-template", Plain, Help},
    {"DeleteButtonFromTemp", "Templates", 4005, "Delete button from template", "", "bl:delete-from-template", Plain, Help},
    {"CopyPropFromTemp", "Templates", 4006, "Copy template's properties", "", "bl:copy-from-template", Plain, Help},
    {"RenameButtonInTemp", "Templates", 4007, "Rename button", "", "", Plain, Help},
    {"DeleteAllButtonFromTemp", "Templates", 4008, "Delete all button from template", "", "bl:clear-template", Plain, Help},
    {"TemplateEdit", "Templates", 4009, "Templates", "", "", Plain, Help},
    {"MoveTempUp", "Templates2", 0, "Move template up", "", "bl:move-up", Plain, NoHelp},
    {"MoveTempDown", "Templates2", 0, "Move template down", "", "bl:move-down", Plain, NoHelp},
    // Properties
    {"TextParam", "Properties", 5001, "Text...", "Ctrl+T", "bl:text", Plain, Help},
    {"ShapeParam", "Properties", 5002, "Shape...", "Ctrl+F", "bl:shape", Plain, Help},
    {"DeformationParam", "Properties", 5003, "Deformation...", "Ctrl+D", "bl:deformation", Plain, Help},
    {"MaterialParam", "Properties", 5004, "Material...", "Ctrl+M", "bl:material", Plain, Help},
    {"LightParam", "Properties", 5005, "Light...", "Ctrl+L", "bl:light", Plain, Help},
    {"TextureParam", "Properties", 5006, "Texture...", "Ctrl+E", "bl:texture", Plain, Help},
    {"ShadowParam", "Properties", 5007, "Shadow...", "Ctrl+H", "bl:shadow", Plain, Help},
    {"AppParam", "Properties", 5008, "Options...", "Ctrl+P", "preferences-system", Plain, Help},
    // Help
    {"HelpCont", "Help", 6001, "Help contents", "", "help-contents", Plain, Help},
    {"AboutProg", "Help", 6002, "About...", "", "help-about", Plain, Help},
};

const std::vector<TMenuLayout> Menus = {
    {"File1", 10, "&File",
     {"NewProject", "OpenProject", "SaveProject", "SaveProjectAs", "CloseProject", "-", "SaveHTML",
      "QuickSave", "Publish", "ExportImg", "BatchExport", "-", "CloseApp"}},
    {"View1", 20, "&View", {"PanelView1", "PanelView2", "PanelView3", "PanelView5", "-", "MakeHtml"}},
    {"Edit1", 30, "&Edit",
     {"NewButton", "DeleteButton", "RenameButton", "DeleteAllButton", "-", "CopyToBuf", "CopyProp",
      "CopyFromBuf", "ExchBuf", "CopyToAll"}},
    {"Templates1", 40, "&Templates",
     {"MakeTemplate", "RemoveTemplate", "RenameTemplate", "-", "AddButtonToTemp",
      "DeleteButtonFromTemp", "CopyPropFromTemp", "RenameButtonInTemp", "DeleteAllButtonFromTemp",
      "-", "TemplateEdit"}},
    {"Properties1", 50, "&Properties",
     {"TextParam", "-", "ShapeParam", "DeformationParam", "-", "MaterialParam", "LightParam", "-",
      "TextureParam", "ShadowParam", "-", "AppParam"}},
    {"Help1", 60, "&Help", {"HelpCont", "AboutProg"}},
};

const TMenuLayout CopyPropItems = {
    "CopyPropMenu", 3006, "Copy properties",
    {"CopyToBuf1", "CopyToBuf7", "CopyToBuf8", "CopyToBuf5", "CopyToBuf4", "CopyToBuf3", "CopyToBuf6"}};

const TMenuLayout CopyToAllItems = {
    "CopyToAllMenu", 3009, "Copy to all",
    {"PropToStates", "PropToButtons", "PropToAllStates", "-", "AutoState", "AutoButton", "AutoButState"}};

const TMenuLayout TreeItems = {
    "PopupActionBarEx1", 0, "",
    {"NewButton", "DeleteButton", "RenameButton", "DeleteAllButton", "-", "CopyToBuf", "CopyProp",
     "CopyFromBuf", "ExchBuf", "-", "CopyToAll", "-", "MoveItemUp", "MoveItemDown"}};

const TMenuLayout TemplateGridItems = {
    "PopupActionBarEx2", 0, "",
    {"AddButtonToTemp", "DeleteButtonFromTemp", "CopyPropFromTemp", "RenameButtonInTemp", "-",
     "MoveTempUp", "MoveTempDown", "-", "DeleteAllButtonFromTemp"}};

const TMenuLayout TemplateTabsItems = {
    "PopupActionBarEx3", 0, "", {"MakeTemplate", "RemoveTemplate", "RenameTemplate"}};

const TToolBarLayout MainBar = {
    "ToolBar4",
    {"NewProject", "OpenProject", "SaveProject", "AppParam", "-", "ExportImg", "MakeHtml", "Publish"}};
const TToolBarLayout ButtonBar = {
    "ToolBar1",
    {"NewButton", "DeleteButton", "MoveItemUp", "MoveItemDown", "-", "AutoState", "AutoButton",
     "AutoButState"}};
const TToolBarLayout BufferBar = {"ToolBar2",
                                {"CopyToBuf", "CopyProp", "CopyFromBuf", "ExchBuf", "CopyToAll"}};
const TToolBarLayout TemplateBar = {
    "ToolBar3",
    {"MakeTemplate", "RemoveTemplate", "-", "AddButtonToTemp", "DeleteButtonFromTemp", "MoveTempUp",
     "MoveTempDown", "-", "CopyPropFromTemp"}};

}  // namespace

const std::vector<TActionEntry> &ActionTable() { return Actions; }

const TActionEntry *FindActionEntry(const char *name)
{
    for (const TActionEntry &entry : Actions)
        if (std::strcmp(entry.Name, name) == 0)
            return &entry;
    return nullptr;
}

const std::vector<TMenuLayout> &MainMenus() { return Menus; }
const TMenuLayout &CopyPropMenu() { return CopyPropItems; }
const TMenuLayout &CopyToAllMenu() { return CopyToAllItems; }
const TMenuLayout &TreeMenu() { return TreeItems; }
const TMenuLayout &TemplateGridMenu() { return TemplateGridItems; }
const TMenuLayout &TemplateTabsMenu() { return TemplateTabsItems; }

const TToolBarLayout &MainToolBar() { return MainBar; }
const TToolBarLayout &ButtonToolBar() { return ButtonBar; }
const TToolBarLayout &BufferToolBar() { return BufferBar; }
const TToolBarLayout &TemplateToolBar() { return TemplateBar; }

namespace CommandGroup {

const TNames Project = {"SaveProjectAs", "SaveProject", "CloseProject", "ExportImg", "BatchExport",
                        "Publish", "MakeHtml", "SaveHTML", "QuickSave"};
const TNames Button = {"NewButton", "RenameButton", "DeleteButton", "DeleteAllButton",
                       "MoveItemUp", "MoveItemDown"};
const TNames Buffer = {"CopyToBuf", "CopyToBuf1", "CopyToBuf3", "CopyToBuf4", "CopyToBuf5",
                       "CopyToBuf6", "CopyToBuf7", "CopyToBuf8", "CopyFromBuf", "ExchBuf",
                       "PropToStates", "PropToButtons", "PropToAllStates"};
const TNames TemplateButtons = {"AddButtonToTemp", "RenameButtonInTemp", "DeleteButtonFromTemp",
                                "DeleteAllButtonFromTemp"};
const TNames Properties = {"TextParam", "TextureParam", "LightParam", "MaterialParam",
                           "ShadowParam", "ShapeParam", "DeformationParam"};
const TNames ProjectOpened = {"SaveHTML", "QuickSave", "SaveProjectAs", "SaveProject",
                              "CloseProject", "BatchExport", "NewButton", "DeleteAllButton",
                              "MakeHtml", "Publish"};
const TNames ButtonNode = {"MoveItemUp", "MoveItemDown", "DeleteButton", "RenameButton"};
const TNames StateNode = {"ExportImg", "CopyToBuf", "CopyToBuf1", "CopyToBuf3", "CopyToBuf4",
                          "CopyToBuf5", "CopyToBuf6", "CopyToBuf7", "CopyToBuf8", "TextParam",
                          "TextureParam", "LightParam", "MaterialParam", "ShadowParam",
                          "ShapeParam", "DeformationParam"};
const TNames Paste = {"CopyFromBuf", "ExchBuf", "PropToStates", "PropToButtons", "PropToAllStates"};
const TNames TemplateButtonChosen = {"MoveTempUp", "MoveTempDown", "CopyPropFromTemp",
                                     "RenameButtonInTemp", "DeleteButtonFromTemp",
                                     "DeleteAllButtonFromTemp"};
const TNames TemplateClosed = {"RemoveTemplate", "RenameTemplate", "AddButtonToTemp",
                               "DeleteButtonFromTemp", "MoveTempUp", "MoveTempDown",
                               "CopyPropFromTemp"};

}  // namespace CommandGroup
