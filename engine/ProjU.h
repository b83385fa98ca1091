// The project: the one open document of the program (an ordered list of
// buttons with their page settings), the current selection, its state
// flags, and the objects that live as long as the program: the four
// property libraries and the open button template. The main window creates
// the one instance, Proj, at start-up and frees it at shutdown.
//
// Operations that need an open project or a selection do nothing without
// one; every index is checked before it is used. The main window's caption
// and progress gauge are reached through Host().
#pragma once

#include "DisplayText.h"
#include "SceneU.h"
#include "TemplateU.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Page settings, stored verbatim at the head of a project file.
struct TProjSettings {
    TColor BackColor = 0xC0C0C0;  // page background and new states' background
    int32_t MenuAlign = 1;        // 0 centre, 1 left, 2 right
    int32_t MenuOrientation = 0;  // 0 horizontal, any other value vertical
};
static_assert(sizeof(TProjSettings) == 12);

class TProj {
public:
    // Loads the four property libraries from the Templates folder.
    TProj();
    // Releases the rendering context.
    ~TProj();
    TProj(const TProj &) = delete;
    TProj &operator=(const TProj &) = delete;

    // --- Selection ---
    // Stores the pair as it is; (-1, -1) clears the selection.
    void Select(int buttonIndex, int stateIndex);
    // The selected button, or nullptr when none (or the index is stale).
    TButtons *CurrentButton() const;
    // The selected state, or nullptr.
    TItem *CurrentState() const;
    // Renders the selected state while RenderEnabled is set; a failed render
    // raises ERenderError.
    void RenderCurrent();

    // --- The rendering context, made once the main window exists and
    // released with the project ---
    void InitGL();
    void DoneGL();

    // --- Project and buttons ---
    void NewProject();
    void CloseProject();
    void ClearButtons();
    void AddButton(const std::string &name);
    void DeleteButton();
    void DeleteAllButtons();
    void MoveButtonDown();
    void MoveButtonUp();
    void RenameButton(const std::string &name);
    // Copies the selected template button's looks into the current button;
    // each state keeps its name, caption text, font size, image size,
    // background and antialias flag.
    void CopyPropFromTemplate();
    int ButtonCount() const { return static_cast<int>(Buttons.size()); }
    // The main window's caption: the program's name in the current language,
    // then the project's file name while one is open.
    void ShowCaption() const;

    // --- Project file ---
    // Opens a project when none is open; a missing or damaged file leaves
    // no project open (see Opened), shows nothing and says why in LastError.
    void OpenProject(const std::string &fileName);
    // Replaces the file through a temporary beside it. A failed save keeps
    // the old file, Modified and Untitled; a failed save-as also keeps the
    // file name and the caption. True when the file was written; else
    // LastError says why.
    bool SaveProject();
    bool SaveProjectAs(const std::string &fileName);

    // --- The open button template, saved after every change ---
    // A change that cannot be saved raises the file's save error, and the
    // template is read back from its file: what it holds is always what the
    // file holds.
    //
    // Makes an empty template file and opens it; false (nothing changed)
    // when the name is empty or a template of that name exists already. A
    // file that cannot be written raises its save error, and the template
    // open before stays open.
    bool NewButtonTemplate(const std::string &name);
    // A file that is there but cannot be opened opens as an empty template
    // and then raises its open error (the system's reason); it is kept
    // aside before it is first written (TBaseTemplate::SaveEntries).
    void OpenButtonTemplate(const std::string &name);
    // Empties the template and forgets its file: nothing is saved until a
    // template is opened again.
    void CloseButtonTemplate();
    void AddButtonToTemplate(const std::string &name);
    void DeleteTemplateButton();
    void DeleteAllTemplateButtons();
    // Deletes the template file and empties the template; a file that
    // cannot be deleted raises its delete error, and the template stays.
    void RemoveButtonTemplate();
    // Renames the template file; false (nothing changed) when the name is
    // empty or is taken by another template. A file that cannot be renamed
    // raises its rename error, and nothing changes.
    bool RenameButtonTemplate(const std::string &newName);
    void RenameTemplateButton(const std::string &name);
    void MoveTemplateButtonDown();
    void MoveTemplateButtonUp();

    bool Opened = false;
    TProjSettings Settings;
    TTextureTemplate Textures;
    TMaterialTemplate Materials;
    TShapeTemplate Shapes;
    TDeformationTemplate Deformations;
    TButtonTemplate ButtonTemplate{this};
    std::vector<std::unique_ptr<TButtons>> Buttons;
    bool Modified = false;
    std::string FileName;  // full path; for a new project a bare name
    int ButtonIndex = -1;
    int StateIndex = -1;   // 0 normal, 1 over, 2 pressed, -1 none
    bool RenderEnabled = true;
    bool Untitled = false;
    int NextButtonNo = 0;
    int NextTemplateButtonNo = 0;
    std::string TemplateFileName;  // "<name>.btn" in the Templates folder
    int TemplateButtonIndex = -1;
    // Why the last open or save of the project file failed, naming the file.
    TDisplayText LastError;

private:
    bool IsButtonIndex(int index) const { return index >= 0 && index < ButtonCount(); }
    bool IsTemplateButtonIndex(int index) const
    {
        return index >= 0 && index < ButtonTemplate.Count();
    }
    void SetPageDir();
    bool ReadProjectFile(std::vector<std::unique_ptr<TButtons>> &buttons, TProjSettings &settings);
    TDisplayText DamagedFileText() const;
    void WriteProjectFile(TStream &stream) const;
    // Changes the template and writes it when one is open; a change that
    // cannot be written raises the save error and is dropped.
    void ChangeButtonTemplate(const std::function<void()> &change);
    void MoveTemplateButton(int from, int to);
};

// The project object; made and freed by the main window.
extern TProj *Proj;
